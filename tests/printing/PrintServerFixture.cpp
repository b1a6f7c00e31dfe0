#include "PrintServerFixture.h"

#include "app/AppState.h"
#include "report/ClsReporte.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString driver(const QString& file)
{
    return QStringLiteral(TALONEX_PRINTING_TEST_DIR) + u"/ppd/"_s + file;
}

struct QueueSpec
{
    QString name;
    QString ppd;
};

const QList<QueueSpec>& queues()
{
    static const QList<QueueSpec> all = {{u"Cheques"_s, driver(u"cheques-pdf.ppd"_s)},
                                         {u"Laser"_s, driver(u"laser-ps.ppd"_s)},
                                         {u"Oficina"_s, driver(u"oficina-pdf.ppd"_s)},
                                         {u"Cupo"_s, driver(u"cheques-pdf.ppd"_s)}};
    return all;
}

} // namespace

void PrintServerFixture::SetUpTestSuite()
{
    // The program's files in the user's data folder (read when the program folder is read-only) are
    // the tests' own, never the tester's.
    QStandardPaths::setTestModeEnabled(true);
    if (!PrivateCupsServer::available(&s_unavailable))
        return;
    s_server = std::make_unique<PrivateCupsServer>(QStringLiteral(TALONEX_PRINTING_BUILD_DIR));
    // The default printer is the server's, whatever a ~/.cups/lpoptions of the tester names.
    qputenv("LPDEST", "Cheques");
    s_server->start(&s_startError);
}

void PrintServerFixture::TearDownTestSuite()
{
    s_server.reset();
    qunsetenv("LPDEST");
    QStandardPaths::setTestModeEnabled(false);
}

bool PrintServerFixture::ensureQueues(QString* error)
{
    if (!s_server->running() && !s_server->start(error))
        return false;
    for (const QueueSpec& queue : queues()) {
        QString out;
        // The server keeps a user's quota for its period, whatever becomes of the jobs: "Cupo" is
        // made anew for every test.
        if (queue.name == Cupo)
            s_server->tool(u"lpadmin"_s, {u"-x"_s, Cupo});
        if (!s_server->tool(u"lpstat"_s, {u"-p"_s, queue.name}, &out)) {
            if (!s_server->addQueue(queue.name, queue.ppd, error))
                return false;
            if (queue.name == Cupo && !s_server->tool(u"lpadmin"_s,
                                                      {u"-p"_s, Cupo, u"-o"_s, u"job-quota-period=604800"_s,
                                                       u"-o"_s, u"job-k-limit=1"_s},
                                                      &out)) {
                *error = u"lpadmin -p Cupo: "_s + out;
                return false;
            }
        }
        // Each test sees its own jobs only.
        s_server->tool(u"cancel"_s, {u"-a"_s, u"-x"_s, queue.name});
        for (const QString& tool : {u"cupsenable"_s, u"cupsaccept"_s}) {
            if (!s_server->tool(tool, {queue.name}, &out)) {
                *error = tool + u" "_s + queue.name + u": "_s + out;
                return false;
            }
        }
        QFile::remove(s_server->outputFile(queue.name));
    }
    return s_server->tool(u"lpadmin"_s, {u"-d"_s, u"Cheques"_s});
}

void PrintServerFixture::SetUp()
{
    ProgramFixture::SetUp();
    if (HasFatalFailure())
        return;
    if (!s_unavailable.isEmpty())
        GTEST_SKIP() << "The print server's programs are not installed (" << s_unavailable.toStdString()
                     << "): install cups and cups-client.";
    ASSERT_TRUE(s_server && s_startError.isEmpty()) << s_startError.toStdString();
    QString error;
    ASSERT_TRUE(ensureQueues(&error)) << error.toStdString() << "\n" << s_server->logTail().toStdString();
    resetAppState();
    ClsReporte::reset();
}

void PrintServerFixture::TearDown()
{
    ClsReporte::reset();
    resetAppState();
    ProgramFixture::TearDown();
}

void PrintServerFixture::cups(const QString& program, const QStringList& arguments)
{
    QString out;
    EXPECT_TRUE(s_server->tool(program, arguments, &out))
        << program.toStdString() << " " << arguments.join(u' ').toStdString() << ": " << out.toStdString();
}

void PrintServerFixture::waitForJobs(const QString& queue)
{
    QString error;
    ASSERT_TRUE(s_server->waitUntilDone(queue, &error)) << error.toStdString();
}

QString PrintServerFixture::formsFile() const
{
    return programFolder() + u"formularios.txt"_s;
}
