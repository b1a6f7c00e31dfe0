#pragma once

#include "data/AdoError.h"
#include "data/ConnectionString.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

class QSqlField;
class QSqlQuery;

/// One database engine behind the data layer. The program writes every statement in SQL Server's
/// dialect; an engine turns it into what its server runs and reports its failures with SQL Server's
/// native codes, so the callers above never see which engine they talk to.
class SqlEngine
{
public:
    virtual ~SqlEngine() = default;

    /// A short name for messages ("SQLite", "SQL Server", "Oracle", "PostgreSQL").
    virtual QString name() const = 0;
    /// The Qt SQL driver ("QSQLITE", "QODBC", "QPSQL").
    virtual QString driverName() const = 0;

    /// Sets database name, host, user, password and options of `db` from the connection string;
    /// false with `error` filled when the string names nothing this engine can open.
    virtual bool configure(QSqlDatabase& db, const ConnectionString& cs, AdoError* error) const = 0;
    /// Runs once right after `db` opened (pragmas, collations, session settings).
    virtual void prepareOpened(QSqlDatabase& db) const;

    /// The program's statement text as the statements this engine runs, in order (a batch with
    /// transaction statements becomes several). Quoted texts are kept exactly.
    virtual QStringList translate(const QString& tsql) const = 0;

    enum class TransactionStep
    {
        Begin,
        Commit,
        Rollback
    };
    /// Begins, commits or rolls back the transaction of `db`; false with `error` filled when that
    /// failed. The default goes through the driver (QSqlDatabase::transaction() and companions), as
    /// ADO goes through the provider: Oracle knows no "BEGIN TRANSACTION" statement.
    virtual bool transaction(QSqlDatabase& db, TransactionStep step, AdoError* error) const;
    /// False, with `error` filled, when the transaction open on `db` must not be committed: its
    /// database is no longer the one the connection opened. The default finds nothing against it.
    virtual bool mayCommit(const QSqlDatabase& db, AdoError* error) const;
    /// Whether a transaction is open on `db`; nullopt when the engine cannot tell.
    virtual std::optional<bool> inTransaction(const QSqlDatabase& db) const;

    /// The engine's failure as the error-collection entry SQL Server's provider would give.
    virtual AdoError mapError(const QSqlError& error) const = 0;

    /// The ADO field type code of result column `column` of an active query.
    virtual int adoType(const QSqlQuery& query, int column) const;

    /// The defined size of result column `column` of an active query whose driver gives `field`. The
    /// default is the driver's length (-1 when it gives none).
    virtual int definedSize(const QSqlQuery& query, int column, const QSqlField& field) const;

    /// A value as the engine's driver should bind it into a column of ADO type `adoType` (dates
    /// become the text form the engine compares, for one). The default binds it unchanged.
    virtual QVariant toEngineValue(const QVariant& value, int adoType) const;

    /// Tables and views of the open database.
    virtual QStringList tables(const QSqlDatabase& db) const;
    /// Columns of a table or view of the database `catalog` (the open one when empty).
    virtual QStringList columns(const QSqlDatabase& db, const QString& catalog, const QString& table) const;
    /// Makes `name` the default database of the open connection; false with `error` when it cannot.
    virtual bool useDatabase(QSqlDatabase& db, const QString& name, AdoError* error) const = 0;

    /// The engine a connection string selects: SQLite for a server that names a folder
    /// ("file:///var/lib/talonex" reaches here as "//var/lib/talonex"), Oracle through ODBC for
    /// "OraOLEDB", PostgreSQL for a server "pg://host[:port]", SQL Server through ODBC (FreeTDS)
    /// otherwise. Null with `error` when the
    /// string selects nothing.
    static std::unique_ptr<SqlEngine> forConnectionString(const ConnectionString& cs, AdoError* error);
};
