#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

/// A print server of the test's own: cupsd with its configuration, spool, state and logs in a folder
/// under the build folder, listening only on a Unix socket there, with queues whose device is a file.
/// Every libcups client of the test process (Qt's print support, the program's queue checks, lpadmin
/// and lpstat started by the test) talks to it through CUPS_SERVER and CUPS_SERVERROOT, which the
/// constructor sets before anything asks for a printer. The server is stopped by its process id when
/// the object goes, and dies with the test process whatever ends that (a parent-death signal).
class PrivateCupsServer
{
public:
    /// Prepares the folder `parent`/cupsd-<pid> (or one in the temporary folder when a socket path
    /// there would be too long) and points the process's libcups at it.
    explicit PrivateCupsServer(const QString& parent);
    ~PrivateCupsServer();
    PrivateCupsServer(const PrivateCupsServer&) = delete;
    PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;

    /// True when cupsd and the client tools are installed.
    static bool available(QString* missing);

    /// Starts cupsd and waits until it answers; false with the reason (and its log) when it does not.
    bool start(QString* error);
    /// Stops cupsd (SIGTERM, then SIGKILL) and waits for it; the queues stay in the configuration.
    void stop();
    bool running() const;

    /// Adds an enabled queue that accepts jobs, with the driver `ppd` and the file device
    /// outputFile(name).
    bool addQueue(const QString& name, const QString& ppd, QString* error);
    /// Runs a CUPS client tool (lpadmin, cupsaccept, cupsreject, ...) on this server; false with its
    /// output when it fails.
    bool tool(const QString& program, const QStringList& arguments, QString* output = nullptr);

    /// The file the queue's device writes each job to.
    QString outputFile(const QString& queue) const;
    /// Waits until the queue holds no pending job; false (with the log's tail) when one is still
    /// pending after a generous wait or a job did not complete.
    bool waitUntilDone(const QString& queue, QString* error);
    /// The server's completed jobs of `queue` (lpstat -W completed -o), one line each.
    QStringList completedJobs(const QString& queue);
    /// The last job's output as a PDF file: the device file itself when the driver writes PDF, else
    /// its PostScript converted with ps2pdf. Empty when there is no output.
    QString outputAsPdf(const QString& queue);

    QString folder() const { return m_folder; }
    QString socketPath() const { return m_folder + QStringLiteral("/cups.sock"); }
    /// The last lines of the server's error log.
    QString logTail(int lines = 40) const;

private:
    bool writeConfiguration(QString* error);

    QString m_folder;
    std::unique_ptr<QProcess> m_cupsd;
    QByteArray m_savedServer;
    QByteArray m_savedServerRoot;
};
