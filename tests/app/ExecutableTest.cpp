// The built program run as the suite starts it, headless, on a demo database: how it ends and what
// it leaves on disk.
#include "support/DemoDbFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Executable : public DemoDbFixture
{
protected:
    struct Run
    {
        QProcess::ExitStatus status = QProcess::CrashExit;
        int code = -1;
        QString output;
    };

    // Runs the program with `parametros` and waits for it to end.
    Run run(const QString& parametros)
    {
        QDir(folder()).mkpath(u"home"_s);
        QDir(folder()).mkpath(u"temp"_s);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"HOME"_s, folder() + u"/home"_s);
        env.insert(u"XDG_DATA_HOME"_s, folder() + u"/home"_s);
        env.insert(u"TEMP"_s, folder() + u"/temp"_s);
        env.insert(u"TMP"_s, folder() + u"/temp"_s);
        env.insert(u"TALONEX_INI_DIR"_s, folder() + u"/home"_s);
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QString::fromUtf8(TALONEX_EXECUTABLE), {parametros});
        Run result;
        if (!process.waitForStarted(30000)) {
            ADD_FAILURE() << "talonex did not start: " << process.errorString().toStdString();
            return result;
        }
        if (!process.waitForFinished(50000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "talonex did not end";
        }
        result.status = process.exitStatus();
        result.code = process.exitCode();
        result.output = QString::fromUtf8(process.readAll());
        return result;
    }

    QString parametros(const QString& server, const QString& database) const
    {
        return u"@Server="_s + server + u"; @DbName="_s + database +
               u"; @Usuario=TESSARO; @Password=demo; @UsuarioLogeado=TESSARO; @Caja=1;"_s;
    }

    // The write-ahead logs and shared-memory files SQLite left in the test's folder.
    QStringList leftovers() const { return QDir(folder()).entryList({u"*-wal"_s, u"*-shm"_s}, QDir::Files); }
};

TEST_F(Executable, EndsCleanlyAndClosesItsDatabases)
{
    const Run r = run(parametros(u"file://"_s + folder(), u"TALONEX_DEMO"_s));
    EXPECT_EQ(r.status, QProcess::NormalExit) << r.output.toStdString();
    EXPECT_EQ(r.code, 0) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains(u"en la base TALONEX_DEMO"_s)) << r.output.toStdString();
    EXPECT_EQ(leftovers(), QStringList()) << r.output.toStdString();
}

TEST_F(Executable, WithoutAConnectionEndsWithCodeOne)
{
    const struct
    {
        const char* what;
        QString server;
        QString database;
    } cases[] = {
        {"a database file that does not exist", u"file://"_s + folder(), u"NO_EXISTE"_s},
        {"a folder that does not exist", u"file://"_s + folder() + u"/falta"_s, u"TALONEX_DEMO"_s},
    };
    for (const auto& c : cases) {
        const Run r = run(parametros(c.server, c.database));
        EXPECT_EQ(r.status, QProcess::NormalExit) << c.what << "\n" << r.output.toStdString();
        EXPECT_EQ(r.code, 1) << c.what << "\n" << r.output.toStdString();
        EXPECT_EQ(leftovers(), QStringList()) << c.what;
    }
}

} // namespace
