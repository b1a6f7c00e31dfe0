#pragma once

#include "data/SqlEngine.h"

/// The shared database server: PostgreSQL through Qt's QPSQL driver. The server form of the
/// connection string is "pg://host[:port]" (port 5432 when none is given); the database, user and
/// password are those of the string. Statements are translated by TsqlToPostgres; failures carry
/// SQL Server's native numbers.
class PostgresEngine : public SqlEngine
{
public:
    /// Whether a connection string's server is this engine's form ("pg://...").
    static bool isServerForm(const QString& server);

    QString name() const override;
    QString driverName() const override;

    bool configure(QSqlDatabase& db, const ConnectionString& cs, AdoError* error) const override;
    /// Session settings (dates read day first, as the suite's Spanish servers read them) and the
    /// functions and operator of supportScript() when the database lacks them.
    void prepareOpened(QSqlDatabase& db) const override;
    QStringList translate(const QString& tsql) const override;
    AdoError mapError(const QSqlError& error) const override;
    /// From the column's PostgreSQL type.
    int adoType(const QSqlQuery& query, int column) const override;
    QVariant toEngineValue(const QVariant& value, int adoType) const override;
    QStringList tables(const QSqlDatabase& db) const override;
    QStringList columns(const QSqlDatabase& db, const QString& catalog, const QString& table) const override;
    /// Only the open database itself can be chosen: a PostgreSQL connection stays on its database.
    bool useDatabase(QSqlDatabase& db, const QString& name, AdoError* error) const override;

    /// What SQL Server has and PostgreSQL lacks, created once per database: the collation of the
    /// text columns (case-insensitive, accent-sensitive, Spanish order), charindex(),
    /// tsql_datetime() and "+" between two texts. Each statement can run again without harm.
    static QStringList supportScript();
    /// The collation the text columns of the program's databases are declared with.
    static constexpr const char* TextCollation = "tsql_ci";
};
