// The real program started on the offscreen platform, where nobody can answer the connection
// dialog: it says which start-up parameters are missing and ends with exit code 1.
#include "support/QStringPrinter.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Program, WithoutServerOrUserItSaysWhatIsMissingAndEnds)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"HOME"_s, home.path());
    env.insert(u"TEMP"_s, home.path());
    env.insert(u"TMP"_s, home.path());
    env.insert(u"TALONEX_INI_DIR"_s, home.path());

    struct Case
    {
        QStringList arguments;
        QString says;
    };
    const Case cases[] = {
        {{}, u"faltan los parametros @Server y @Usuario."_s},
        {{u"@DbName=TALONEX_DEMO; @Usuario=TESSARO; @Password=clave99;"_s}, u"falta el parametro @Server."_s},
        {{u"@Server=file://"_s + home.path() + u"; @DbName=TALONEX_DEMO; @Password=clave99;"_s},
         u"falta el parametro @Usuario."_s},
    };
    for (const Case& c : cases) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home.path());
        program.start(QStringLiteral(TALONEX_EXECUTABLE), c.arguments);
        ASSERT_TRUE(program.waitForFinished(50000)) << "the program did not end";
        const QString err = QString::fromUtf8(program.readAllStandardError());
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 1) << err.toStdString();
        EXPECT_TRUE(
            err.contains(u"talonex: sin pantalla no hay quien complete los datos de conexion; "_s + c.says))
            << err.toStdString();
        EXPECT_FALSE(err.contains(u"clave99"_s) || out.contains(u"clave99"_s)) << err.toStdString();
    }
}

} // namespace
