#pragma once

#include "data/SqlEngine.h"

/// The embedded engine: a SQLite database file, shared by the workstations of one machine. The file
/// of a Jet provider's string is its Data Source; a server that names a folder holds one file per
/// database, "<folder>/<Database>.db". The file must exist: a missing one fails as a login does.
class SqliteEngine : public SqlEngine
{
public:
    QString name() const override;
    QString driverName() const override;

    bool configure(QSqlDatabase& db, const ConnectionString& cs, AdoError* error) const override;
    /// Foreign keys on; registers the collation and functions of SqliteFunctions.
    void prepareOpened(QSqlDatabase& db) const override;
    QStringList translate(const QString& tsql) const override;
    AdoError mapError(const QSqlError& error) const override;
    /// Refuses the commit when the file was deleted, renamed or replaced since it was opened
    /// (SQLITE_FCNTL_HAS_MOVED): the work would be written where nobody reads it, or, through the
    /// write-ahead log, into another file.
    /// SQLite's own BEGIN, COMMIT and ROLLBACK on the connection: Qt's driver would report their
    /// failures without SQLite's result code (a busy database, for one).
    bool transaction(QSqlDatabase& db, TransactionStep step, AdoError* error) const override;
    bool mayCommit(const QSqlDatabase& db, AdoError* error) const override;
    std::optional<bool> inTransaction(const QSqlDatabase& db) const override;
    /// From the column's declared type; from the value's type for expressions.
    int adoType(const QSqlQuery& query, int column) const override;
    /// The declared length of a text column ("VARCHAR(15)" gives 15), also through a view; the
    /// driver's (none) for other columns and for expressions.
    int definedSize(const QSqlQuery& query, int column, const QSqlField& field) const override;
    /// Dates as the ISO texts the database stores ('YYYY-MM-DD', 'YYYY-MM-DD HH:MM:SS'), also a
    /// date text typed day/month/year for a date column; flags as 0 and 1.
    QVariant toEngineValue(const QVariant& value, int adoType) const override;
    QStringList tables(const QSqlDatabase& db) const override;
    QStringList columns(const QSqlDatabase& db, const QString& catalog, const QString& table) const override;
    /// Only the open file's own database (its base name, without regard to case) can be chosen.
    bool useDatabase(QSqlDatabase& db, const QString& name, AdoError* error) const override;

    /// The database file a connection string names; empty when it names none.
    static QString databaseFile(const ConnectionString& cs);
    /// The file `db` was configured for.
    static QString databaseFile(const QSqlDatabase& db);
    /// The ADO type code of a declared SQLite column type ("VARCHAR(15)", "NUMERIC(18,2)", ...);
    /// 0 when the declaration says nothing.
    static int adoTypeOfDeclaration(QStringView declaredType);
    /// The length of a declared text type with one ("NVARCHAR(40)" gives 40); 0 for any other type.
    static int textSizeOfDeclaration(QStringView declaredType);
};
