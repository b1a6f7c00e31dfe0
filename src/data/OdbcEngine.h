#pragma once

#include "data/SqlEngine.h"

/// The suite's production servers through ODBC: SQL Server with the FreeTDS driver (the driver
/// name can be changed with the environment variable TALONEX_ODBC_DRIVER), and Oracle through a
/// data source name of the ODBC configuration. Both take the program's statements as they are:
/// SQL Server speaks their dialect, and the Oracle text is translated above the engines.
class OdbcEngine : public SqlEngine
{
public:
    enum class Server
    {
        SqlServer,
        Oracle,
    };

    explicit OdbcEngine(Server server);

    Server server() const { return m_server; }

    QString name() const override;
    QString driverName() const override;
    /// SQL Server: "DRIVER={FreeTDS};SERVER=...;PORT=1433;DATABASE=...;UID=...;PWD=...;
    /// TDS_Version=7.4;ClientCharset=UTF-8" ("SRV\INSTANCE" without a port, "SRV,port" and
    /// "SRV:port" with theirs). Oracle: "DSN=<Data Source>;UID=...;PWD=...".
    bool configure(QSqlDatabase& db, const ConnectionString& cs, AdoError* error) const override;
    QStringList translate(const QString& tsql) const override;
    /// The driver's diagnostics (native code, SQL state, message) as the SQL Server provider gives
    /// them; the first message decides when the driver reports the code of a later one.
    AdoError mapError(const QSqlError& error) const override;
    /// SQL Server: "USE [name]". Oracle: the data source is the database; nothing to change.
    bool useDatabase(QSqlDatabase& db, const QString& name, AdoError* error) const override;

private:
    Server m_server;
};
