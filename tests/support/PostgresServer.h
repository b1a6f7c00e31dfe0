#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

/// A throwaway PostgreSQL cluster for one test program: initdb into a temporary folder, the server
/// listening on a free loopback port and on a Unix socket in that folder, stopped (and its folder
/// removed) when the object goes. When the tests run as root the cluster belongs to the
/// unprivileged "postgres" user, as initdb refuses to run as root.
class PostgresServer
{
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    /// The folder of initdb, pg_ctl and postgres; empty when the server is not installed.
    static QString binaryFolder();

    /// Creates and starts the cluster; false with the reason in `error` (the server log's tail
    /// included) when it cannot.
    bool start(QString* error);
    /// Whether the server syncs its commits to disk (as a production server does; for benchmarks).
    /// Off by default: the tests' clusters are thrown away and a crash of the machine loses nothing.
    void setDurable(bool durable) { m_durable = durable; }
    /// Stops the server (fast shutdown); nothing when it is not running.
    void stop();
    bool running() const { return m_running; }

    quint16 port() const { return m_port; }
    /// The folder of the server's Unix socket.
    QString socketFolder() const;
    /// The superuser every test connects as.
    static QString superuser() { return QStringLiteral("postgres"); }
    /// The program's server form: "pg://127.0.0.1:<port>".
    QString serverUrl() const;

    /// Runs `sql` through psql on database `database` as the superuser; false with psql's output
    /// in `error`.
    bool psql(const QString& database, const QString& sql, QString* error) const;

private:
    bool run(const QString& program, const QStringList& arguments, QString* output, int timeoutMs) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    quint16 m_port = 0;
    bool m_running = false;
    bool m_durable = false;
};

/// One server for a whole test program, started on first use and stopped when the program ends;
/// null with the reason in `why` when it cannot run here (tests skip with that reason).
PostgresServer* sharedPostgresServer(QString* why);
