#include "support/PostgresServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString ServerUser = u"postgres"_s;

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// A loopback port nobody listens on now (the kernel's choice for port 0).
quint16 freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool giveToServerUser(const QString& path)
{
    if (!runningAsRoot())
        return true;
    const passwd* user = ::getpwnam(qPrintable(ServerUser));
    return user && ::chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) == 0;
}

QString tail(const QString& file)
{
    QFile log(file);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = log.readAll();
    return QString::fromUtf8(text.right(2000));
}

} // namespace

PostgresServer::PostgresServer() = default;

PostgresServer::~PostgresServer()
{
    stop();
}

QString PostgresServer::binaryFolder()
{
    QDir versions(u"/usr/lib/postgresql"_s);
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& version : found) {
        const QString bin = versions.filePath(version + u"/bin"_s);
        if (QFileInfo(bin + u"/initdb"_s).isExecutable() && QFileInfo(bin + u"/pg_ctl"_s).isExecutable())
            return bin;
    }
    const QString initdb = QStandardPaths::findExecutable(u"initdb"_s);
    return initdb.isEmpty() ? QString() : QFileInfo(QFileInfo(initdb).canonicalFilePath()).absolutePath();
}

QString PostgresServer::socketFolder() const
{
    return m_dir ? m_dir->path() : QString();
}

QString PostgresServer::serverUrl() const
{
    return u"pg://127.0.0.1:"_s + QString::number(m_port);
}

bool PostgresServer::run(const QString& program, const QStringList& arguments, QString* output,
                         int timeoutMs) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_dir ? m_dir->path() : QDir::tempPath());
    if (runningAsRoot())
        process.start(u"runuser"_s, QStringList{u"-u"_s, ServerUser, u"--"_s, program} + arguments);
    else
        process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished)
        process.kill(), process.waitForFinished(5000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PostgresServer::start(QString* error)
{
    const QString bin = binaryFolder();
    if (bin.isEmpty()) {
        *error = u"the PostgreSQL server binaries (initdb, pg_ctl) are not installed"_s;
        return false;
    }
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/talonex-pg-XXXXXX"_s);
    if (!m_dir->isValid() || !giveToServerUser(m_dir->path())) {
        *error = u"no folder for the cluster that the server user can own"_s;
        return false;
    }
    const QString data = m_dir->filePath(u"data"_s);
    QString output;
    // UTF-8 with a C.UTF-8 character classification: lower() and the ICU collations see every
    // letter, also "Ñ" and accented ones.
    if (!run(bin + u"/initdb"_s,
             {u"-D"_s, data, u"-U"_s, superuser(), u"--auth=trust"_s, u"-E"_s, u"UTF8"_s,
              u"--locale=C.UTF-8"_s, u"--no-sync"_s},
             &output, 120000)) {
        *error = u"initdb failed: "_s + output;
        return false;
    }
    m_port = freeLoopbackPort();
    const QString log = m_dir->filePath(u"server.log"_s);
    const QString options = u"-p "_s + QString::number(m_port) + u" -k "_s + m_dir->path() +
                            u" -c listen_addresses=127.0.0.1 -c max_connections=60"_s +
                            (m_durable ? QString() : u" -c fsync=off"_s) + u" -c shared_buffers=32MB"_s;
    if (!run(bin + u"/pg_ctl"_s,
             {u"-D"_s, data, u"-l"_s, log, u"-w"_s, u"-t"_s, u"60"_s, u"-o"_s, options, u"start"_s}, &output,
             90000)) {
        *error = u"the server did not start: "_s + output + u"\n"_s + tail(log);
        run(bin + u"/pg_ctl"_s, {u"-D"_s, data, u"-m"_s, u"immediate"_s, u"stop"_s}, nullptr, 30000);
        return false;
    }
    m_running = true;
    // Should this process die without stopping the server, a watchdog stops it and removes the
    // cluster as soon as the process is gone.
    const QString watch = u"while kill -0 "_s + QString::number(QCoreApplication::applicationPid()) +
                          u" 2>/dev/null; do sleep 1; done; "_s +
                          (runningAsRoot() ? u"runuser -u "_s + ServerUser + u" -- "_s : QString()) + bin +
                          u"/pg_ctl -D '"_s + data + u"' -m immediate stop >/dev/null 2>&1; rm -rf '"_s +
                          m_dir->path() + u"'"_s;
    QProcess::startDetached(u"/bin/sh"_s, {u"-c"_s, watch});
    return true;
}

void PostgresServer::stop()
{
    if (!m_running)
        return;
    m_running = false;
    run(binaryFolder() + u"/pg_ctl"_s,
        {u"-D"_s, m_dir->filePath(u"data"_s), u"-m"_s, u"fast"_s, u"-w"_s, u"stop"_s}, nullptr, 60000);
}

bool PostgresServer::psql(const QString& database, const QString& sql, QString* error) const
{
    QString output;
    const bool ok = run(binaryFolder() + u"/psql"_s,
                        {u"-X"_s, u"-q"_s, u"-v"_s, u"ON_ERROR_STOP=1"_s, u"-h"_s, socketFolder(), u"-p"_s,
                         QString::number(m_port), u"-U"_s, superuser(), u"-d"_s, database, u"-c"_s, sql},
                        &output, 120000);
    if (!ok && error)
        *error = output;
    return ok;
}

namespace {

PostgresServer* g_server = nullptr;
QString g_why;

void stopSharedServer()
{
    delete g_server;
    g_server = nullptr;
}

} // namespace

PostgresServer* sharedPostgresServer(QString* why)
{
    static bool tried = false;
    if (!tried) {
        tried = true;
        auto* server = new PostgresServer;
        if (server->start(&g_why)) {
            g_server = server;
            // Before the application object goes, so the stop can still run its process.
            qAddPostRoutine(stopSharedServer);
        } else {
            delete server;
        }
    }
    if (!g_server && why)
        *why = g_why;
    return g_server;
}
