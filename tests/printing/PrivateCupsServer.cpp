#include "PrivateCupsServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// sun_path holds 108 bytes with its terminator.
constexpr int MaxSocketPath = 100;

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

void restoreVariable(const char* name, const QByteArray& value)
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

} // namespace

PrivateCupsServer::PrivateCupsServer(const QString& parent)
{
    const QString name = u"/cupsd-"_s + QString::number(QCoreApplication::applicationPid());
    m_folder = QDir::cleanPath(parent) + name;
    if (socketPath().toLocal8Bit().size() > MaxSocketPath)
        m_folder = QDir::tempPath() + name;
    QDir(m_folder).removeRecursively();
    // libcups reads both once per thread, at its first call: they must be set before any printer
    // lookup of the test process.
    m_savedServer = qgetenv("CUPS_SERVER");
    m_savedServerRoot = qgetenv("CUPS_SERVERROOT");
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    // A client on the server's own machine reads a queue's driver file straight from the server's
    // configuration folder.
    qputenv("CUPS_SERVERROOT", (m_folder + u"/etc"_s).toLocal8Bit());
}

PrivateCupsServer::~PrivateCupsServer()
{
    stop();
    if (qEnvironmentVariableIsEmpty("TALONEX_KEEP_PRINT_SERVER"))
        QDir(m_folder).removeRecursively();
    restoreVariable("CUPS_SERVER", m_savedServer);
    restoreVariable("CUPS_SERVERROOT", m_savedServerRoot);
}

bool PrivateCupsServer::available(QString* missing)
{
    QStringList absent;
    for (const QString& tool : {u"lpadmin"_s, u"lpstat"_s, u"cupsaccept"_s, u"cupsreject"_s, u"cancel"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty() &&
            QStandardPaths::findExecutable(tool, {u"/usr/sbin"_s}).isEmpty())
            absent << tool;
    }
    if (!QFileInfo::exists(u"/usr/sbin/cupsd"_s) && QStandardPaths::findExecutable(u"cupsd"_s).isEmpty())
        absent << u"cupsd"_s;
    if (missing)
        *missing = absent.join(u", "_s);
    return absent.isEmpty();
}

bool PrivateCupsServer::writeConfiguration(QString* error)
{
    QDir root(m_folder);
    for (const char* sub : {"etc", "etc/ppd", "spool", "cache", "state", "log"}) {
        if (!root.mkpath(QString::fromLatin1(sub))) {
            *error = u"cannot create "_s + m_folder + u"/"_s + QString::fromLatin1(sub);
            return false;
        }
    }
    // The server's filters run as an unprivileged user, who must reach the spool through the folder.
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                        QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QString d = m_folder;
    const QString cupsd = u"# The private print server of one test process.\n"
                          u"Listen "_s +
                          socketPath() +
                          u"\n"
                          u"LogLevel debug\n"
                          u"MaxLogSize 0\n"
                          u"WebInterface No\n"
                          u"Browsing No\n"
                          u"BrowseLocalProtocols none\n"
                          u"DefaultAuthType None\n"
                          u"PreserveJobHistory Yes\n"
                          u"PreserveJobFiles No\n"
                          // A job its filters fail is dropped instead of stopping the queue for the
                          // tests that follow.
                          u"ErrorPolicy abort-job\n"
                          u"<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                          u"<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n"_s;
    QString files = u"ServerRoot "_s + d + u"/etc\n"_s + u"RequestRoot "_s + d + u"/spool\n"_s +
                    u"CacheDir "_s + d + u"/cache\n"_s + u"StateDir "_s + d + u"/state\n"_s + u"ErrorLog "_s +
                    d + u"/log/error_log\n"_s + u"AccessLog "_s + d + u"/log/access_log\n"_s + u"PageLog "_s +
                    d + u"/log/page_log\n"_s + u"Printcap "_s + d + u"/printcap\n"_s +
                    u"ServerBin /usr/lib/cups\n"
                    u"DataDir /usr/share/cups\n"
                    u"FileDevice Yes\n"_s;
    if (::geteuid() != 0) {
        // Without root the server cannot change user for its filters: they run as the tester.
        const QString user = qEnvironmentVariable("USER", u"nobody"_s);
        files += u"User "_s + user + u"\n"_s;
    }
    if (!writeFile(d + u"/etc/cupsd.conf"_s, cupsd) || !writeFile(d + u"/etc/cups-files.conf"_s, files)) {
        *error = u"cannot write the configuration in "_s + d + u"/etc"_s;
        return false;
    }
    return true;
}

bool PrivateCupsServer::start(QString* error)
{
    if (running())
        return true;
    if (!QFileInfo::exists(m_folder + u"/etc/cupsd.conf"_s) && !writeConfiguration(error))
        return false;
    QFile::remove(socketPath());
    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd->setStandardOutputFile(m_folder + u"/log/cupsd.out"_s, QIODevice::Append);
    // The server must not outlive the test process, however that ends (a crash, a time-out's kill).
    m_cupsd->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    const QString program = QFileInfo::exists(u"/usr/sbin/cupsd"_s) ? u"/usr/sbin/cupsd"_s : u"cupsd"_s;
    m_cupsd->start(program, {u"-f"_s, u"-c"_s, m_folder + u"/etc/cupsd.conf"_s, u"-s"_s,
                             m_folder + u"/etc/cups-files.conf"_s});
    if (!m_cupsd->waitForStarted(10000)) {
        *error = u"cupsd did not start: "_s + m_cupsd->errorString();
        m_cupsd.reset();
        return false;
    }
    // Ready once lpstat reaches the scheduler through the socket.
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        if (m_cupsd->state() != QProcess::Running) {
            *error = u"cupsd ended at start, exit code "_s + QString::number(m_cupsd->exitCode()) + u":\n"_s +
                     logTail();
            m_cupsd.reset();
            return false;
        }
        QString out;
        if (QFileInfo::exists(socketPath()) && tool(u"lpstat"_s, {u"-r"_s}, &out) &&
            out.contains(u"is running"_s))
            return true;
        QThread::msleep(100);
    }
    *error = u"cupsd does not answer on "_s + socketPath() + u":\n"_s + logTail();
    stop();
    return false;
}

void PrivateCupsServer::stop()
{
    if (!m_cupsd)
        return;
    if (m_cupsd->state() != QProcess::NotRunning) {
        m_cupsd->terminate();
        if (!m_cupsd->waitForFinished(15000)) {
            m_cupsd->kill();
            m_cupsd->waitForFinished(5000);
        }
    }
    m_cupsd.reset();
}

bool PrivateCupsServer::running() const
{
    return m_cupsd && m_cupsd->state() == QProcess::Running;
}

bool PrivateCupsServer::tool(const QString& program, const QStringList& arguments, QString* output)
{
    QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(program, {u"/usr/sbin"_s});
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path.isEmpty() ? program : path, arguments);
    const bool finished = process.waitForFinished(30000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    if (!finished)
        process.kill();
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PrivateCupsServer::addQueue(const QString& name, const QString& ppd, QString* error)
{
    QString out;
    if (!tool(u"lpadmin"_s, {u"-p"_s, name, u"-E"_s, u"-v"_s, u"file://"_s + outputFile(name), u"-P"_s, ppd},
              &out)) {
        *error = u"lpadmin -p "_s + name + u": "_s + out;
        return false;
    }
    return true;
}

QString PrivateCupsServer::outputFile(const QString& queue) const
{
    return m_folder + u"/"_s + queue + u".prn"_s;
}

bool PrivateCupsServer::waitUntilDone(const QString& queue, QString* error)
{
    const QDeadlineTimer deadline(60000);
    QString pending;
    while (!deadline.hasExpired()) {
        if (tool(u"lpstat"_s, {u"-W"_s, u"not-completed"_s, u"-o"_s, queue}, &pending) &&
            pending.trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    *error = u"jobs still pending on "_s + queue + u":\n"_s + pending + u"\n"_s + logTail();
    return false;
}

QStringList PrivateCupsServer::completedJobs(const QString& queue)
{
    QString out;
    tool(u"lpstat"_s, {u"-W"_s, u"completed"_s, u"-o"_s, queue}, &out);
    return out.split(u'\n', Qt::SkipEmptyParts);
}

QString PrivateCupsServer::outputAsPdf(const QString& queue)
{
    const QString device = outputFile(queue);
    QFile file(device);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    const QByteArray head = file.read(8);
    if (head.startsWith("%PDF"))
        return device;
    if (!head.startsWith("%!"))
        return {};
    const QString pdf = m_folder + u"/"_s + queue + u"-ps.pdf"_s;
    QFile::remove(pdf);
    QProcess convert;
    convert.start(u"ps2pdf"_s, {device, pdf});
    if (!convert.waitForFinished(60000) || convert.exitCode() != 0)
        return {};
    return pdf;
}

QString PrivateCupsServer::logTail(int lines) const
{
    QFile file(m_folder + u"/log/error_log"_s);
    if (!file.open(QIODevice::ReadOnly))
        return u"(no error log)"_s;
    const QStringList all = QString::fromLocal8Bit(file.readAll()).split(u'\n');
    return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(u'\n');
}
