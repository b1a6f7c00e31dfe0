#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

// SQL literals and object-name routines of the data layer. Every value a statement carries
// between apostrophes goes through SQLValue; none of these touch the database.

/// The literal of `valor` for a statement. `tipo` "'" writes a text between apostrophes (each
/// apostrophe inside doubled), "@" a number with a point as decimal separator and no thousands
/// separators, anything else the value as it is. Null gives NULL, or 0 for "@".
QString SQLValue(const QVariant& valor, QStringView tipo);
/// The text as it goes between the apostrophes of a literal: each apostrophe doubled, so the value
/// can neither end the literal nor carry a second statement.
QString SqlTextBody(QString text);

/// ADO field type classifiers.
bool adodate(int qtype);
bool ADOText(int qtype);
bool ADONumeric(int qtype);
bool ADOCurrency(int qtype);
bool ADOBoolean(int qtype);
/// "'" for the types written between apostrophes (dates and texts), "" otherwise.
QString ADOComilla(int qtype);

/// "[name]" when the name has a blank and no bracket yet.
QString AddBrackets(const QString& rObjName);
/// The name without its enclosing brackets.
QString StripBrackets(const QString& rsObjName);
/// The table name without its connection suffix ("CLIENTES ->CN1" gives "CLIENTES").
QString StripConnect(const QString& rsTblName);
/// The name after its first "." (the owner removed); also written back into the argument.
QString StripOwner(QString& rsTblName);
/// The folder of a file name, without its trailing separator; "" when there is none.
QString StripFileName(const QString& rsFileName);
/// One part of "owner.name": the name (rnPart true) or the owner (false); with two or more points
/// the owner is stripped. The result is also written back into the argument.
QString stSTF(QString& rsName, bool rnPart);
