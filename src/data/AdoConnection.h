#pragma once

#include "data/AdoError.h"
#include "data/AdoField.h"
#include "data/AdoRecordset.h"
#include "data/SqlEngine.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QSqlQuery;

/// Receives every statement exactly as the data layer hands it to the engine, before translation.
using StatementTracer = std::function<void(const QString& statement)>;

/// A database connection in the manner of the suite's data library: a connection string, an error
/// collection, command time-out, isolation level and default database, statements executed as
/// T-SQL through the engine the connection string selects. Failures are raised as RuntimeError
/// with the first entry of the error collection; the collection keeps every entry of the failed
/// operation until the next operation starts or a caller clears it.
class AdoConnection
{
public:
    enum State
    {
        Closed = 0,
        Open = 1
    };
    /// Schema rowsets of OpenSchema.
    static constexpr int SchemaColumns = 4;
    static constexpr int SchemaTables = 20;

    AdoConnection();
    ~AdoConnection();
    AdoConnection(const AdoConnection&) = delete;
    AdoConnection& operator=(const AdoConnection&) = delete;

    const QString& connectionString() const { return m_connectionString; }
    /// Raises 3705 while open.
    void setConnectionString(const QString& text);
    int cursorLocation() const { return m_cursorLocation; }
    void setCursorLocation(int location) { m_cursorLocation = location; }
    int commandTimeout() const { return m_commandTimeout; }
    void setCommandTimeout(int seconds) { m_commandTimeout = seconds; }
    int isolationLevel() const { return m_isolationLevel; }
    void setIsolationLevel(int level) { m_isolationLevel = level; }
    QString defaultDatabase() const { return m_defaultDatabase; }
    /// Raises 3709 when closed, or the engine's error when the database cannot be used.
    void setDefaultDatabase(const QString& name);

    int state() const { return m_open ? Open : Closed; }
    bool isOpen() const { return m_open; }

    QList<AdoError>& errors() { return m_errors; }
    const QList<AdoError>& errors() const { return m_errors; }

    /// Opens with `connectionString` (or the stored one when empty). Raises 3705 when already open,
    /// or the engine's error (also kept in errors()).
    void open(const QString& connectionString = {}, const QString& user = {}, const QString& password = {},
              long options = -1);
    /// Raises 3704 when already closed.
    void close();

    /// Executes a statement or batch; `recordsAffected` receives the rows changed. The rows of the
    /// first statement that returns rows come back as an open recordset.
    AdoRecordsetPtr execute(const QString& statement, long* recordsAffected = nullptr, long options = -1);

    /// Transactions go through the engine (the driver on ODBC), as ADO's go through the provider:
    /// no "BEGIN TRANSACTION" text reaches a server, which Oracle would refuse. The tracer still
    /// sees each step under its T-SQL name.
    void beginTrans();
    void commitTrans();
    void rollbackTrans();

    /// True when the open connection's database is no longer the one it opened (its file deleted
    /// or replaced): commitTrans then rolls back and raises instead, so nothing more is written.
    bool databaseMoved() const;

    /// True for a connection to Oracle: decided once, from the provider of the connection string
    /// (ConnectionString::isOracle), when it is opened; before that, from the string as it stands.
    bool isOracle() const;

    /// Tables rowset (TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE) or columns rowset
    /// (TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME) restricted by catalogue, schema,
    /// table and column (empty entries do not restrict).
    AdoRecordsetPtr openSchema(int schema, const QStringList& restrictions = {});

    /// Every statement sent from now on goes to `tracer` too (empty to stop).
    void setTracer(StatementTracer tracer) { m_tracer = std::move(tracer); }
    const SqlEngine* engine() const { return m_engine.get(); }
    /// The Qt SQL connection underneath, for Qt's SQL models (invalid while closed). Statements of
    /// the program still go through execute(), which translates them for the engine.
    QSqlDatabase database() const;

    /// Drops the link to the server while the connection still counts as open, as a network failure
    /// or a server restart does: the next statement fails as a lost connection.
    void dropLink();

private:
    friend class AdoRecordset;

    struct Result
    {
        QList<AdoField> fields;
        std::vector<QVariant> values;
        long rows = 0;
        bool hasRows = false;
    };
    /// Runs a statement through the engine; fills `result` with the first row-returning statement.
    void run(const QString& statement, Result* result, long* recordsAffected);
    /// Executes an engine statement with bound values (recordset updates).
    void runPrepared(const QString& engineStatement, const QList<QVariant>& values, long* recordsAffected);
    /// The open link for an operation: raises when the connection is closed or its link was lost,
    /// clears the error collection and hands `traced` (when given) to the statement tracer first.
    QSqlDatabase usableDatabase(const QString* traced);
    void transaction(SqlEngine::TransactionStep step);
    [[noreturn]] void raise(const AdoError& error);
    void requireOpen() const;
    void fail(const AdoError& error);
    void fetch(QSqlQuery& query, Result& result) const;

    QString m_connectionString;
    QString m_connectionName;
    QString m_defaultDatabase;
    int m_cursorLocation = 2;
    int m_commandTimeout = 30;
    int m_isolationLevel = 4096;
    bool m_open = false;
    bool m_linkDropped = false;
    bool m_oracle = false;
    QList<AdoError> m_errors;
    std::unique_ptr<SqlEngine> m_engine;
    StatementTracer m_tracer;
};
