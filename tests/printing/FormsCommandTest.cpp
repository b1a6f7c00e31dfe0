// The real program: `talonex --formularios` started from a program folder of its own, on the demo
// database and the private print server, lists the forms of the default printer.
#include "PrintServerFixture.h"

#include "demo/DemoDatabase.h"
#include "support/ShippedFiles.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FormsCommand : public PrintServerFixture
{
protected:
    /// Runs a copy of the program placed in the test's program folder (so that the forms file beside
    /// it is the test's), offscreen; returns its exit code and standard output.
    int run(const QStringList& arguments, QString& out)
    {
        const QString program = programFolder() + u"talonex"_s;
        QFile::remove(program);
        EXPECT_TRUE(QFile::copy(QStringLiteral(TALONEX_EXECUTABLE), program));
        EXPECT_TRUE(ShippedFiles::install(u"IMPRESION_CHEQUES.rpt"_s, programFolder()));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        // An Argentine workstation: decimal commas.
        env.insert(u"LC_ALL"_s, u"es_AR.UTF-8"_s);
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(50000)) << "the program did not end";
        out = QString::fromUtf8(process.readAllStandardOutput());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString parametros() const
    {
        return u"@Server="_s + serverParameter() + u"; @DbName=TALONEX_DEMO; @Usuario="_s +
               DemoDb::AdminUser + u"; @Password=demo; @UsuarioLogeado="_s + DemoDb::AdminUser +
               u"; @Caja=1;"_s;
    }
};

TEST_F(FormsCommand, ListsTheDefaultPrintersMediaAndTheFormsBesideTheProgram)
{
    QFile forms(formsFile());
    ASSERT_TRUE(forms.open(QIODevice::WriteOnly));
    forms.write("Cheques\tCheque Galicia\t110000\t50000\nCheques\troto\n");
    forms.close();
    QString out;
    EXPECT_EQ(run({u"--formularios"_s, parametros()}, out), 0) << out.toStdString();
    EXPECT_EQ(
        out.split(u'\n', Qt::SkipEmptyParts),
        (QStringList{u"talonex: formularios de la impresora \"Cheques\":"_s,
                     u"Letter - 215,9 mm X 279,4 mm   (1)"_s, u"A4 - 210 mm X 297 mm   (2)"_s,
                     u"Legal - 215,9 mm X 355,6 mm   (3)"_s, u"Cheque Galicia - 110 mm X 50 mm   (4)"_s}))
        << out.toStdString();
}

TEST_F(FormsCommand, WithoutAPrintServerThereIsNoPrinterAndTheListIsEmpty)
{
    server().stop();
    QString out;
    EXPECT_EQ(run({u"--formularios"_s, parametros()}, out), 0) << out.toStdString();
    EXPECT_EQ(out.split(u'\n', Qt::SkipEmptyParts), QStringList{u"talonex: no hay ninguna impresora."_s})
        << out.toStdString();
}

} // namespace
