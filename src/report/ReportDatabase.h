#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <vector>

class DB_Dll;
class SelectionFormula;

/// One row of the print table, in the order of ReportColumns::names().
using ReportRow = QVariantList;

/// The report's own connection to the database its connection text names ("DSN=db; UID=user;
/// PWD=password"), opened on the server and engine of the program's main connection, so the report
/// reads what the program wrote. Failures raise RuntimeError ReportErrors::BaseDeDatos in Spanish.
class ReportDatabase
{
public:
    ReportDatabase(const QString& connectionText, const DB_Dll& main);
    ~ReportDatabase();
    ReportDatabase(const ReportDatabase&) = delete;
    ReportDatabase& operator=(const ReportDatabase&) = delete;

    /// The rows the formula selects, in cheque order.
    std::vector<ReportRow> select(const SelectionFormula& formula);

    /// The database name the connection text gives (its "DSN").
    const QString& databaseName() const { return m_database; }

private:
    [[noreturn]] void fail(const QString& message) const;

    QString m_database;
    QString m_connectionName;
    QSqlDatabase m_db;
};
