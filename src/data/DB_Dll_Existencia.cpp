// Existence checks and single-value lookups: one-row SELECTs built from a table, a column, a value
// and its type.
#include "data/DB_Dll.h"

#include "data/BlankTrim.h"
#include "data/DataGlobals.h"
#include "data/ErrorLog.h"
#include "data/SqlValue.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/RegionalSettings.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QMetaType>

using namespace Qt::StringLiterals;

namespace {

// Value type codes of the runtime's variables.
constexpr int TypeInteger = 3;
constexpr int TypeSingle = 4;
constexpr int TypeDouble = 5;
constexpr int TypeDate = 7;
constexpr int TypeText = 8;

// Failures of the lookups are shown with their description alone.
ErrorReporter operatorNotice()
{
    return [](const RuntimeError& failure) {
        return operatorDialogs().messageBox(ErrorLog::withoutPasswords(failure.description()),
                                            MsgStyle::AbortRetryIgnore + MsgStyle::Critical,
                                            u"Aviso al Operador"_s);
    };
}

bool isNumericType(int tipo)
{
    return tipo == TypeInteger || tipo == TypeSingle || tipo == TypeDouble;
}

// The leading number of a text with a point as decimal separator, as the runtime's Val reads it:
// blanks anywhere are skipped, reading stops at the first character that cannot continue the
// number, and a text that does not start with one is 0.
double leadingNumber(const QString& text)
{
    QString digits;
    bool point = false;
    bool exponent = false;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        const QChar last = digits.isEmpty() ? QChar() : digits.back();
        if (c >= u'0' && c <= u'9') {
            digits += c;
        } else if ((c == u'-' || c == u'+') && (digits.isEmpty() || last == u'e')) {
            digits += c;
        } else if (c == u'.' && !point && !exponent) {
            point = true;
            digits += c;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && !exponent && !digits.isEmpty() &&
                   last != u'-' && last != u'+') {
            exponent = true;
            digits += u'e';
        } else {
            break;
        }
    }
    while (!digits.isEmpty() && !digits.back().isDigit() && digits.back() != u'.')
        digits.chop(1);
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? value : 0.0;
}

// A number as the runtime writes it as text: up to fifteen significant digits, the regional decimal
// separator, no thousands separators.
QString regionalNumber(double value)
{
    if (value == 0.0)
        return u"0"_s;
    QString text = QString::number(value, 'g', 15).toUpper();
    text.replace(u'.', RegionalSettings::current().decimalSeparator);
    return text;
}

// The numeric search value of types 3, 4 and 5: read with a point as decimal separator and written
// with the regional one.
QString numericText(const QString& valor)
{
    return trimBlanks(regionalNumber(leadingNumber(valor)));
}

// A field's numeric value: numbers as they are, texts read as leading numbers, Null as 0.
double numericValue(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return value.toDouble();
    default:
        break;
    }
    return leadingNumber(ClsUtiles::ValorSeguro(value));
}

// A caller's condition either brings its own WHERE or gets one.
QString conditionJoint(const QString& condicion)
{
    return condicion.contains(u" WHERE "_s, Qt::CaseInsensitive) ? u" "_s : u" WHERE "_s;
}

QString optionalWhere(const QString& condicion)
{
    const QString trimmed = trimBlanks(condicion);
    return trimmed.isEmpty() ? QString() : u" WHERE "_s + trimmed;
}

void closeIfOpen(AdoRecordset& recordset)
{
    if (recordset.state() != AdoRecordset::Closed)
        recordset.close();
}

} // namespace

bool DB_Dll::existsIn(QString statement, AdoConnection& connection, AdoRecordset* Lrcs, bool SoloLectura,
                      bool rewrite)
{
    bool found = false;
    TrappedRoutine routine(operatorNotice());
    if (rewrite)
        routine.step([&] { statement = SS_TSinonimos(statement); });
    if (Lrcs) {
        // The caller's recordset stays open on the row found, for the caller to read and close.
        routine.step([&] { closeIfOpen(*Lrcs); }) && routine.step([&] {
            if (SoloLectura)
                Lrcs->open(statement, &connection, 0, 1, -1);
            else
                Lrcs->open(statement, &connection, Lrcs->cursorType(), Lrcs->lockType(), -1);
        }) &&
            routine.step([&] { found = Lrcs->isOpen() && !Lrcs->bof(); });
        return !routine.left() && found;
    }
    AdoRecordset recordset;
    if (rewrite)
        routine.step([&] { statement = ORACLE_Dicc(statement); });
    routine.step([&] { recordset.open(statement, &connection, 0, 1, -1); }) &&
        routine.step([&] { found = recordset.isOpen() && !recordset.bof(); }) &&
        routine.step([&] { closeIfOpen(recordset); });
    return !routine.left() && found;
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           AdoRecordset* Lrcs, int Tipodato, const QString& Condicion, bool SoloLectura)
{
    QString statement;
    if (!Condicion.isEmpty()) {
        statement =
            u"SELECT TOP 1 * FROM "_s + Tabla + u" with(nolock) "_s + conditionJoint(Condicion) + Condicion;
    } else {
        const QString head =
            u"SELECT TOP 1 * FROM "_s + Tabla + u" with(nolock)  WHERE "_s + Campo + u" = "_s;
        if (Tipodato == TypeText)
            statement = u"SELECT TOP 1  * FROM "_s + Tabla + u" with(nolock)  WHERE LTRIM(RTRIM("_s + Campo +
                        u")) ='"_s + SqlTextBody(trimBlanks(ValorBuscado)) + u"'"_s;
        else if (Tipodato == TypeDate)
            statement = head + trimBlanks(ValorBuscado) + u" "_s;
        else if (isNumericType(Tipodato))
            statement = head + numericText(ValorBuscado);
        else
            statement = head + ValorBuscado;
    }
    return existsIn(statement, gCnn(), Lrcs, SoloLectura, true);
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                             AdoRecordset* Lrcs, int Tipodato, const QString& Condicion, bool SoloLectura)
{
    QString statement;
    if (!Condicion.isEmpty()) {
        statement =
            u"SELECT * FROM "_s + Tabla + u" with(nolock)  "_s + conditionJoint(Condicion) + Condicion;
    } else {
        const QString head = u"SELECT * FROM "_s + Tabla + u" with(nolock)   WHERE "_s + Campo;
        if (Tipodato == TypeText)
            statement = head + u" ='"_s + SqlTextBody(ValorBuscado) + u"'"_s;
        else if (Tipodato == TypeDate)
            statement = head + u" = "_s + trimBlanks(ValorBuscado) + u" "_s;
        else if (isNumericType(Tipodato))
            statement = head + u" = "_s + numericText(ValorBuscado);
        else
            statement = head + u" = "_s + ValorBuscado;
    }
    // Reads the main connection as it stands: no restricted views, no dialect.
    return existsIn(statement, DataGlobals::gDB().gCnn(), Lrcs, SoloLectura, false);
}

QString DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                           const QString& Campo, int Tipodato, const QString& Condicion, bool UsaTrim,
                           bool IgnoraError)
{
    const QString tail = trimBlanks(Condicion).isEmpty() ? QString() : u" AND "_s + Condicion;
    const QString head = u"SELECT TOP 1 * FROM "_s + Tabla + u" with(nolock)  WHERE "_s;
    QString statement;
    if (Tipodato == TypeText && UsaTrim)
        statement = head + u"LTRIM(RTRIM("_s + Campo + u")) ='"_s + SqlTextBody(trimBlanks(ValorBuscado)) +
                    u"' "_s + tail;
    else if (Tipodato == TypeText)
        statement = head + Campo + u" ='"_s + SqlTextBody(ValorBuscado) + u"' "_s + tail;
    else if (Tipodato == TypeDate)
        statement = head + Campo + u" = #"_s + trimBlanks(ValorBuscado) + u"# "_s + tail;
    else if (isNumericType(Tipodato))
        statement = head + Campo + u" = "_s + numericText(ValorBuscado) + tail;
    else
        statement = head + Campo + u" = "_s + ValorBuscado + tail;

    QString result;
    bool lost = false;
    AdoRecordset recordset;
    // With IgnoraError the first failure ends the lookup with "" and no message.
    TrappedRoutine routine(IgnoraError ? ErrorReporter([](const RuntimeError&) { return MsgAnswer::Abort; })
                                       : operatorNotice());
    routine.step([&] {
        AbrirRecordset(statement, recordset, nullptr, 0, 1, -1, true);
        lost = !gOpenFlag;
    });
    if (lost)
        return QString();
    routine.step([&] {
        // A recordset left closed by an ignored failure of the open reads as no row.
        result = recordset.isOpen() && !recordset.eof()
                     ? ClsUtiles::ValorSeguro(recordset.value(CampoDevuelto))
                     : QString();
    }) &&
        routine.step([&] { closeIfOpen(recordset); });
    if (routine.left() && IgnoraError)
        return QString();
    return result;
}

QVariant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, std::optional<int> Tipo,
                             const QString& Condicion)
{
    const QString statement =
        u"SELECT MAX("_s + QueCampo + u") AS MAYOR FROM "_s + QueTabla + optionalWhere(Condicion);
    AdoRecordset recordset;
    recordset.open(statement, &gCnn(), 0, 1, -1);
    if (recordset.eof())
        return QVariant();
    const QVariant mayor = recordset.value(u"MAYOR");
    // Article codes that start with "0" are never taken as the highest while others exist.
    if (QueTabla.compare(u"V_MA_ARTICULOS"_s, Qt::CaseInsensitive) == 0 &&
        trimBlanks(ClsUtiles::ValorSeguro(mayor)).startsWith(u'0')) {
        const QString rule = u"substring(ltrim(idarticulo),1,1)<>'0'"_s;
        const QString extended =
            trimBlanks(Condicion).isEmpty() ? QString(u" "_s + rule) : QString(Condicion + u" and "_s + rule);
        recordset.close();
        return BuscaMaximo(QueTabla, QueCampo, Tipo, extended);
    }
    if (Tipo == TypeDate)
        return mayor;
    return numericValue(mayor);
}

QVariant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, std::optional<int> /*Tipo*/,
                             const QString& Condicion)
{
    const QString statement = u"SELECT MIN("_s + QueCampo + u") AS MENOR FROM "_s + QueTabla +
                              u"  with(nolock) "_s + optionalWhere(Condicion);
    AdoRecordset recordset;
    recordset.open(statement, &gCnn(), 0, 1, -1);
    if (recordset.eof())
        return QVariant();
    return numericValue(recordset.value(u"MENOR"));
}

QVariant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                   std::optional<int> /*Tipo*/, const QString& Condicion)
{
    const QString statement = u"SELECT MAX("_s + QueCampo + u") AS MAYOR FROM "_s + QueTabla +
                              (trimBlanks(Condicion).isEmpty() ? QString() : u" WHERE "_s + Condicion);
    AdoRecordset recordset;
    recordset.open(statement, &gCnn(), 0, 1, -1);
    if (recordset.eof())
        return QVariant();
    return numericValue(recordset.value(u"MAYOR"));
}
