// The connection dialog on real widgets offscreen, worked with the keyboard and the mouse: the
// registered connections, the hints, registering a connection, the desktop launcher.
#include "access/frmAcceso.h"
#include "access/AccesoDirecto.h"
#include "access/AccessFixture.h"
#include "access/ArchivoBases.h"
#include "zimbrel2/ClsUtiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const ConexionRegistrada Srv01{u"SRV01 / EMPRESA1"_s, u"Empresa1"_s, u"Empresa1"_s, u"Empresa1"_s,
                               u"srv01:1433"_s};

class Dialog : public AccessFixture
{
protected:
    /// BASES.TXT with the srv01 connection, lines that are no connection, and the test's folder.
    void writeBases()
    {
        ArchivoBases::Agrega(Srv01);
        QFile file(basesPath());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("SOLO / TRES,CAMPOS,X\r\n");
        file.write("\"ROTA / COMILLA,a,a,a,a\r\n");
        file.write(" ,a,a,a,a\r\n");
        file.write("\r\n");
        file.close();
        ArchivoBases::Agrega(folderConnection());
    }

    ConexionRegistrada folderConnection() const
    {
        return ConexionRegistrada{ArchivoBases::NombreConexion(folder(), u"TALONEX_DEMO"_s),
                                  u"TALONEX_DEMO"_s, u"TALONEX_DEMO"_s, u"TALONEX_DEMO"_s, folder()};
    }

    static QStringList entries(const frmAcceso& dialog)
    {
        QStringList names;
        for (int i = 0; i < dialog.lstBases()->count(); ++i)
            names << dialog.lstBases()->item(i)->text();
        return names;
    }

    static void clickEntry(frmAcceso& dialog, int row)
    {
        QListWidget* list = dialog.lstBases();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
};

TEST_F(Dialog, LoadsWithEveryControlInItsOrderAndNoFile)
{
    auto dialog = showDialog();
    EXPECT_EQ(dialog->windowTitle(), u"Control de Acceso"_s);
    EXPECT_TRUE(dialog->isModal());
    EXPECT_FALSE(dialog->Aceptar());
    EXPECT_EQ(dialog->lstBases()->count(), 0);
    EXPECT_FALSE(QFile::exists(basesPath()));

    struct Control
    {
        const char* name;
        QString caption;
        QString toolTip;
    };
    const Control buttons[] = {
        {"bcAceptar", u"Aceptar"_s, {}},
        {"bcCancelar", u"Cancelar"_s, {}},
        {"CmdRegistrar", u"Registrar"_s, {}},
        {"CmdLineaComando", u"Crear Acceso Directo"_s, {}},
    };
    for (const Control& c : buttons)
        EXPECT_EQ(button(dialog.get(), c.name)->text(), c.caption) << c.name;
    const Control boxes[] = {
        {"TxtServidor", {}, u"ingrese el nombre del servidor e instancia"_s},
        {"TxtDbName", {}, u"ingrese el nombre de la base de datos"_s},
        {"TxtUserId", {}, u"Ingrese el nombre de usuario"_s},
        {"TxtUserPassword", {}, u"Ingrese la contraseña"_s},
        {"TxtPuerto", {}, u"Ingrese el Puerto "_s},
    };
    for (const Control& c : boxes) {
        auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(c.name));
        ASSERT_NE(box, nullptr) << c.name;
        EXPECT_EQ(box->toolTip(), c.toolTip) << c.name;
    }
    EXPECT_EQ(dialog->TxtUserPassword()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog->TxtPuerto()->text(), u"1433"_s);
    EXPECT_TRUE(dialog->TxtPuerto()->isReadOnly());
    QStringList platforms;
    for (int i = 0; i < dialog->CboPlataformaDB()->count(); ++i)
        platforms << dialog->CboPlataformaDB()->itemText(i);
    EXPECT_EQ(platforms, (QStringList{u"SQL Server"_s, u"ORACLE"_s, u"SQLite"_s, u"PostgreSQL"_s}));
    EXPECT_EQ(dialog->CboPlataformaDB()->currentIndex(), 0);
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(u"Conexiones registradas"_s));
    EXPECT_TRUE(labels.contains(u"Complete los datos de conexion"_s));

    // The hints are in the boxes at load; the server box, the last one given its hint, has the focus.
    EXPECT_EQ(dialog->TxtServidor()->text(), u"ingrese el nombre del servidor e instancia"_s);
    EXPECT_EQ(dialog->TxtDbName()->text(), u"ingrese el nombre de la base de datos"_s);
    EXPECT_EQ(dialog->TxtUserId()->text(), u"Ingrese el usuario"_s);
    EXPECT_EQ(dialog->TxtUserPassword()->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), dialog->TxtServidor());
    EXPECT_EQ(dialog->TxtServidor()->selectedText(), dialog->TxtServidor()->text());

    // Tab walks the controls in their order, from the list round to the list again.
    dialog->lstBases()->setFocus();
    const char* order[] = {"TxtServidor",  "TxtDbName",       "TxtUserId", "TxtUserPassword",
                           "TxtPuerto",    "CboPlataformaDB", "bcAceptar", "bcCancelar",
                           "CmdRegistrar", "CmdLineaComando", "lstBases"};
    for (const char* name : order) {
        press(Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }

    click(dialog.get(), "bcCancelar");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Aceptar());
}

TEST_F(Dialog, RegisteredConnectionsFillTheBoxesAndADoubleClickAccepts)
{
    writeBases();
    // Byte for byte as the suite writes it.
    const QByteArray line = "SRV01 / EMPRESA1,Empresa1,Empresa1," +
                            ClsUtiles::Codifica(u"Empresa1"_s).toLatin1() + ",srv01:1433\r\n";
    EXPECT_TRUE(ProgramFixture::readFile(basesPath()).startsWith(line));

    auto dialog = showDialog();
    EXPECT_EQ(entries(*dialog), (QStringList{u"SRV01 / EMPRESA1"_s, folderConnection().nombre}));
    EXPECT_EQ(dialog->lstBases()->currentRow(), 0);

    // Login and password typed first are emptied by the choice: the operator always types them.
    type(dialog->TxtUserId(), u"JUAN"_s);
    type(dialog->TxtUserPassword(), u"clave"_s);
    clickEntry(*dialog, 0);
    EXPECT_EQ(dialog->TxtServidor()->text(), u"SRV01"_s);
    EXPECT_EQ(dialog->TxtPuerto()->text(), u"1433"_s);
    EXPECT_EQ(dialog->TxtDbName()->text(), u"Empresa1"_s);
    EXPECT_EQ(dialog->TxtUserId()->text(), QString());
    EXPECT_EQ(dialog->TxtUserPassword()->text(), QString());
    EXPECT_EQ(dialog->CboPlataformaDB()->currentIndex(), frmAcceso::SqlServer);

    // Tabbing into the list leaves what was typed; a key in the list takes the entry it moves to: a
    // folder of database files.
    type(dialog->TxtServidor(), u"OTRO"_s);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), dialog->lstBases());
    EXPECT_EQ(dialog->TxtServidor()->text(), u"OTRO"_s);
    press(Qt::Key_Down);
    EXPECT_EQ(dialog->TxtServidor()->text(), folder());
    EXPECT_EQ(dialog->TxtDbName()->text(), u"TALONEX_DEMO"_s);
    EXPECT_EQ(dialog->CboPlataformaDB()->currentIndex(), frmAcceso::SQLite);
    EXPECT_FALSE(dialog->Aceptar());

    QListWidget* list = dialog->lstBases();
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first);
    EXPECT_TRUE(dialog->Aceptar());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->TxtServidor()->text(), u"SRV01"_s);
}

TEST_F(Dialog, AnEmptiedBoxGetsItsHintBackSelected)
{
    auto dialog = showDialog();
    type(dialog->TxtDbName(), u"EMPRESA"_s);
    EXPECT_EQ(dialog->TxtDbName()->text(), u"EMPRESA"_s);
    QTest::keyClick(dialog->TxtDbName(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(dialog->TxtDbName(), Qt::Key_Delete);
    EXPECT_EQ(dialog->TxtDbName()->text(), u"ingrese el nombre de la base de datos"_s);
    EXPECT_EQ(dialog->TxtDbName()->selectedText(), dialog->TxtDbName()->text());
    EXPECT_EQ(QApplication::focusWidget(), dialog->TxtDbName());
    // Blanks only are as good as empty; typing replaces the selected hint.
    QTest::keyClick(dialog->TxtDbName(), Qt::Key_Space);
    EXPECT_EQ(dialog->TxtDbName()->text(), u"ingrese el nombre de la base de datos"_s);
    QTest::keyClicks(dialog->TxtDbName(), u"OTRA"_s);
    EXPECT_EQ(dialog->TxtDbName()->text(), u"OTRA"_s);
    // A box that shows its hint holds no value.
    EXPECT_EQ(dialog->Valor(dialog->TxtServidor()), QString());

    // The login box gets its hint when it gets the focus.
    type(dialog->TxtUserId(), QString());
    QTest::mouseClick(dialog->TxtServidor(), Qt::LeftButton);
    EXPECT_EQ(dialog->TxtUserId()->text(), QString());
    QTest::mouseClick(dialog->TxtUserId(), Qt::LeftButton);
    EXPECT_EQ(dialog->TxtUserId()->text(), u"Ingrese el usuario"_s);
    QApplication::processEvents();
    QTest::keyClicks(dialog->TxtUserId(), u"JUAN"_s);
    EXPECT_EQ(dialog->TxtUserId()->text(), u"JUAN"_s);
    click(dialog.get(), "bcCancelar");
}

TEST_F(Dialog, ADuplicateInAnotherLetterCaseIsRefused)
{
    writeBases();
    const QByteArray before = ProgramFixture::readFile(basesPath());
    auto dialog = showDialog();
    type(dialog->TxtServidor(), u"Srv01:1433"_s);
    type(dialog->TxtDbName(), u"eMPRESA1"_s);
    op().answerMessage(MsgAnswer::Ok, u"La conexion que intenta registrar ya existe "_s);
    click(dialog.get(), "CmdRegistrar");
    verifyOperator();
    EXPECT_EQ(ProgramFixture::readFile(basesPath()), before);
    EXPECT_EQ(entries(*dialog).size(), 2);
    click(dialog.get(), "bcCancelar");
}

TEST_F(Dialog, RegisteringAFolderThatAnswersAppendsItAndStartsTheOdbcProgram)
{
    // The suite's ODBC program, when present beside the program, is told of the new connection.
    const QString odbc = programFolder() + u"ODBC"_s;
    const QString odbcSaw = folder() + u"/odbc.txt"_s;
    {
        QFile script(odbc);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(u"#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '"_s.toUtf8() + odbcSaw.toUtf8() + "'\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    ArchivoBases::Agrega(Srv01);
    auto dialog = showDialog();

    // The SQLite platform asks for the folder of database files.
    op().answerFolder(folder(), u"Carpeta de las bases de datos"_s);
    dialog->CboPlataformaDB()->setFocus();
    press(Qt::Key_End); // PostgreSQL, the last entry: no folder to choose
    press(Qt::Key_Up);
    verifyOperator();
    EXPECT_EQ(dialog->CboPlataformaDB()->currentIndex(), frmAcceso::SQLite);
    EXPECT_EQ(dialog->TxtServidor()->text(), folder());
    type(dialog->TxtDbName(), u"TALONEX_DEMO"_s);
    type(dialog->TxtUserId(), u"TESSARO"_s);
    type(dialog->TxtUserPassword(), u"secreto"_s);
    click(dialog.get(), "CmdRegistrar");

    const ConexionRegistrada expected = folderConnection();
    EXPECT_EQ(ProgramFixture::readFile(basesPath()),
              ArchivoBases::Linea(Srv01) + ArchivoBases::Linea(expected));
    EXPECT_EQ(entries(*dialog), (QStringList{Srv01.nombre, expected.nombre}));
    EXPECT_FALSE(DataGlobals::gDB().gCnn().isOpen());
    EXPECT_EQ(dialog->TxtPuerto()->text(), u"1433"_s);
    for (int i = 0; i < 2000 && !QFileInfo(odbcSaw).size(); ++i)
        QTest::qWait(5);
    EXPECT_EQ(ProgramFixture::readFile(odbcSaw),
              (u"1|Server="_s + folder() + u";DB=TALONEX_DEMO;"_s).toUtf8());

    // The same folder again is a duplicate.
    op().answerMessage(MsgAnswer::Ok, u"ya existe"_s);
    click(dialog.get(), "CmdRegistrar");
    verifyOperator();
    click(dialog.get(), "bcCancelar");
}

TEST_F(Dialog, APostgresServerIsHandedOnInItsServerForm)
{
    auto dialog = showDialog();
    dialog->CboPlataformaDB()->setFocus();
    press(Qt::Key_End);
    EXPECT_EQ(dialog->CboPlataformaDB()->currentIndex(), frmAcceso::PostgreSQL);
    type(dialog->TxtServidor(), u"localhost:5433"_s);
    EXPECT_EQ(dialog->ServidorElegido(), u"pg://localhost:5433"_s);
    type(dialog->TxtServidor(), u"pg://db.empresa.local"_s);
    EXPECT_EQ(dialog->ServidorElegido(), u"pg://db.empresa.local"_s);
}

TEST_F(Dialog, AFolderThatDoesNotAnswerIsNotRegistered)
{
    ArchivoBases::Agrega(Srv01);
    const QByteArray before = ProgramFixture::readFile(basesPath());
    auto dialog = showDialog();
    const QString missing = folder() + u"/no/existe"_s;
    type(dialog->TxtServidor(), u"file://"_s + missing);
    type(dialog->TxtDbName(), u"TALONEX_DEMO"_s);
    type(dialog->TxtUserId(), u"TESSARO"_s);
    type(dialog->TxtUserPassword(), u"secreto"_s);
    // The probe fails in silence; the open that follows asks whether to try again, then gives up.
    op().answerMessage(MsgAnswer::No, u"Desea Intentarlo Nuevamente"_s);
    op().answerMessage(MsgAnswer::Ok, u"NO SE PUDO CONECTAR AL SERVIDOR "_s + missing +
                                          u" VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"_s);
    click(dialog.get(), "CmdRegistrar");
    ASSERT_EQ(op().shown().size(), 2);
    EXPECT_EQ(op().shown()[1].title, u"AVISO AL OPERADOR"_s);
    EXPECT_EQ(op().shown()[1].icon, MessageBoxStyle::Icon::Information);
    for (const ScriptedOperator::Shown& box : op().shown())
        EXPECT_FALSE(box.text.contains(u"secreto"_s)) << box.text.toStdString();
    verifyOperator();
    EXPECT_EQ(ProgramFixture::readFile(basesPath()), before);
    EXPECT_EQ(entries(*dialog), QStringList{Srv01.nombre});
    click(dialog.get(), "bcCancelar");
}

TEST_F(Dialog, AListThatCannotBeReadIsReportedAsFormLoad)
{
    ASSERT_TRUE(QDir().mkpath(basesPath())); // a folder where the file should be
    op().answerMessage(MsgAnswer::Abort, u"(75)"_s);
    auto dialog = showDialog();
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_TRUE(op().shown()[0].title.contains(u"FormLoad"_s)) << op().shown()[0].title.toStdString();
    verifyOperator();
    EXPECT_EQ(dialog->lstBases()->count(), 0);
    EXPECT_TRUE(ProgramFixture::readFile(tempFolder() + u"TSERR.LOG"_s).contains("Rutina: - FormLoad"));
    click(dialog.get(), "bcCancelar");
}

TEST_F(Dialog, AFailureWhileRegisteringIsShownAndTheRestOfTheRegistrationRuns)
{
    // A folder where the file should be: the list cannot be read and the line cannot be appended.
    ASSERT_TRUE(QDir().mkpath(basesPath()));
    op().answerMessage(MsgAnswer::Abort, u"(75)"_s);
    auto dialog = showDialog();
    verifyOperator();
    type(dialog->TxtServidor(), folder());
    type(dialog->TxtDbName(), u"TALONEX_DEMO"_s);

    // The duplicate check cannot read the file either; the lookup ends and registration goes on.
    op().answerMessage(MsgAnswer::Ignore, u"(75)"_s);
    // The append fails: the box names the error as the runtime writes its number, with a blank.
    op().answerMessage(MsgAnswer::Ok,
                       u"SQL Server start failed.  \rSQL-DMO error:   75 Path/File access error"_s);
    // The list is read again at the end.
    op().answerMessage(MsgAnswer::Abort, u"(75)"_s);
    click(dialog.get(), "CmdRegistrar");
    ASSERT_EQ(op().shown().size(), 3);
    EXPECT_EQ(op().shown()[1].buttons, QList<int>{MsgAnswer::Ok});
    EXPECT_EQ(op().shown()[1].icon, MessageBoxStyle::Icon::None);
    verifyOperator();
    EXPECT_FALSE(DataGlobals::gDB().gCnn().isOpen());
    click(dialog.get(), "bcCancelar");
}

TEST_F(Dialog, TheDesktopLauncherStartsTheProgramWithItsIcon)
{
    auto dialog = showDialog();
    click(dialog.get(), "CmdLineaComando");
    const QString entry = homeFolder() + u"/Desktop/Zidur Iduvid.desktop"_s;
    ASSERT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(QFileInfo(entry).isExecutable());
    const QString text = QString::fromUtf8(ProgramFixture::readFile(entry));
    EXPECT_TRUE(text.contains(u"\nExec="_s +
                              AccesoDirecto::ArgumentoExec(QCoreApplication::applicationFilePath()) + u'\n'))
        << text.toStdString();
    const QString icon = programFolder() + u"talonex.png"_s;
    EXPECT_TRUE(text.contains(u"\nIcon="_s + icon + u'\n')) << text.toStdString();
    EXPECT_TRUE(ProgramFixture::readFile(icon).startsWith("\x89PNG"));
    QProcess validate;
    validate.start(u"desktop-file-validate"_s, {entry});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();

    // A desktop folder that cannot be made is reported; abort leaves it there.
    ASSERT_TRUE(QFile::remove(entry));
    ASSERT_TRUE(QDir(homeFolder()).rmdir(u"Desktop"_s));
    {
        QFile blocker(homeFolder() + u"/Desktop"_s);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    op().answerMessage(MsgAnswer::Abort, u"Path/File access error"_s);
    click(dialog.get(), "CmdLineaComando");
    verifyOperator();
    click(dialog.get(), "bcCancelar");
}

} // namespace
