// The connection dialog as the start-up and the data layer ask for it: values in and out, cancel,
// and a start without parameters that connects through the dialog.
#include "access/DialogoConexion.h"
#include "access/AccessFixture.h"
#include "app/Inicio.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Values = ConnectionDialogRequest::Values;

class Request : public AccessFixture
{
protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        if (HasFatalFailure())
            return;
        m_dialog = std::make_shared<DialogoConexion>();
        DataGlobals::setConnectionDialog(m_dialog);
    }

    /// Types the test's demo connection into the dialog's boxes.
    void fill(frmAcceso* dialog, const QString& database)
    {
        type(dialog->TxtServidor(), folder());
        type(dialog->TxtDbName(), database);
        type(dialog->TxtUserId(), u"TESSARO"_s);
        type(dialog->TxtUserPassword(), u"secreto"_s);
    }

    std::shared_ptr<DialogoConexion> m_dialog;
};

TEST_F(Request, TheBoxesShowTheValuesAndGiveBackWhatTheOperatorLeft)
{
    struct Case
    {
        const char* what;
        std::function<void(frmAcceso*)> act;
        bool accepted;
        Values out;
    };
    const Case cases[] = {
        {"click Cancelar", [](frmAcceso* d) { click(d, "bcCancelar"); }, false, {}},
        {"Escape", [](frmAcceso*) { press(Qt::Key_Escape); }, false, {}},
        {"click Aceptar",
         [](frmAcceso* d) { click(d, "bcAceptar"); },
         true,
         {u"EMPRESA"_s, u"SRV"_s, u"JUAN"_s, u"clave"_s, 0}},
        {"Enter in the password",
         [](frmAcceso* d) {
             type(d->TxtUserPassword(), u"otra"_s);
             press(Qt::Key_Return);
         },
         true,
         {u"EMPRESA"_s, u"SRV"_s, u"JUAN"_s, u"otra"_s, 0}},
        {"Oracle",
         [](frmAcceso* d) {
             d->CboPlataformaDB()->setFocus();
             press(Qt::Key_Down);
             click(d, "bcAceptar");
         },
         true,
         {u"EMPRESA"_s, u"SRV"_s, u"JUAN"_s, u"clave"_s, 1}},
        {"file:// server and hints",
         [](frmAcceso* d) {
             type(d->TxtServidor(), u"file:///var/lib/talonex"_s);
             type(d->TxtDbName(), QString());
             click(d, "bcAceptar");
         },
         true,
         {QString(), u"/var/lib/talonex"_s, u"JUAN"_s, u"clave"_s, 0}},
    };
    for (const Case& c : cases) {
        Values shown;
        int platform = -1;
        whenModal([&](QDialog* modal) {
            auto* dialog = qobject_cast<frmAcceso*>(modal);
            ASSERT_NE(dialog, nullptr) << c.what;
            shown = Values{dialog->TxtDbName()->text(), dialog->TxtServidor()->text(),
                           dialog->TxtUserId()->text(), dialog->TxtUserPassword()->text(), 0};
            platform = dialog->CboPlataformaDB()->currentIndex();
            c.act(dialog);
        });
        Values values{u"EMPRESA"_s, u"SRV"_s, u"JUAN"_s, u"clave"_s, 1};
        EXPECT_EQ(m_dialog->ask(values), c.accepted) << c.what;
        EXPECT_EQ(shown.dbName, u"EMPRESA"_s) << c.what;
        EXPECT_EQ(shown.servidor, u"SRV"_s) << c.what;
        EXPECT_EQ(shown.usuario, u"JUAN"_s) << c.what;
        EXPECT_EQ(shown.password, u"clave"_s) << c.what;
        EXPECT_EQ(platform, 0) << c.what;
        if (c.accepted) {
            EXPECT_EQ(values.dbName, c.out.dbName) << c.what;
            EXPECT_EQ(values.servidor, c.out.servidor) << c.what;
            EXPECT_EQ(values.usuario, c.out.usuario) << c.what;
            EXPECT_EQ(values.password, c.out.password) << c.what;
            EXPECT_EQ(values.plataforma, c.out.plataforma) << c.what;
        }
    }
}

TEST_F(Request, AStartWithoutParametersConnectsThroughTheDialogAndRecordsTheAccess)
{
    // A wrong database first: the connection fails, the operator tries again and corrects it.
    whenModal([&](QDialog* modal) {
        auto* dialog = qobject_cast<frmAcceso*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->TxtServidor()->text(), u"ingrese el nombre del servidor e instancia"_s);
        fill(dialog, u"NO_EXISTE"_s);
        click(dialog, "bcAceptar");
        whenModal([&](QDialog* again) {
            auto* second = qobject_cast<frmAcceso*>(again);
            ASSERT_NE(second, nullptr);
            // The values that failed are back in the boxes, but for the password.
            EXPECT_EQ(second->TxtDbName()->text(), u"NO_EXISTE"_s);
            EXPECT_EQ(second->TxtServidor()->text(), folder());
            fill(second, u"TALONEX_DEMO"_s);
            press(Qt::Key_Return);
        });
    });
    op().answerMessage(MsgAnswer::Yes, u"Desea Intentarlo Nuevamente"_s);
    QString connection;
    ASSERT_EQ(IniciarAplicacion(false, u" "_s, connection, 3), ResultadoInicio::Completo);
    for (const ScriptedOperator::Shown& box : op().shown())
        EXPECT_FALSE(box.text.contains(u"secreto"_s)) << box.text.toStdString();
    verifyOperator();
    for (const QString& log : QStringList{programFolder() + u"TSERR.LOG"_s, tempFolder() + u"TSERR.LOG"_s})
        EXPECT_FALSE(readFile(log).contains("secreto")) << log.toStdString();

    const DB_Dll& db = DataGlobals::gDB();
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gServidor, folder());
    EXPECT_EQ(db.gDBName, u"TALONEX_DEMO"_s);
    EXPECT_EQ(db.gUsuario, u"TESSARO"_s);
    EXPECT_EQ(db.gProveedor, u"SQLOLEDB"_s);
    EXPECT_EQ(appState().gUsuarioLogeado, u"TESSARO"_s);
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM Control_Acceso WHERE Usuario = 'TESSARO' AND "
                     u"Formulario = 'TALONEX' AND Ingreso = '10/12/26 09:05'"_s)
                  .toInt(),
              1);
}

TEST_F(Request, CancellingAtTheStartLeavesTheProgramWithoutConnection)
{
    whenModal([](QDialog* modal) { click(modal, "bcCancelar"); });
    QString connection;
    EXPECT_EQ(IniciarAplicacion(false, u"@DbName=TALONEX_DEMO; @Password=secreto;"_s, connection, 3),
              ResultadoInicio::SinConexion);
    EXPECT_FALSE(DataGlobals::gDB().gOpenFlag);
    EXPECT_FALSE(DataGlobals::gDB().gCnn().isOpen());
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM Control_Acceso WHERE Ingreso = '10/12/26 09:05'"_s).toInt(), 0);
}

TEST(Headless, SaysWhichParametersAreMissingAndNeverThePassword)
{
    struct Case
    {
        Values values;
        QString says;
    };
    const Case cases[] = {
        {{}, u"faltan los parametros @Server y @Usuario."_s},
        {{u"DB"_s, u" "_s, u"JUAN"_s, u"clave99"_s, 0}, u"falta el parametro @Server."_s},
        {{u"DB"_s, u"SRV"_s, QString(), u"clave99"_s, 0}, u"falta el parametro @Usuario."_s},
        {{u"DB"_s, u"SRV"_s, u"JUAN"_s, u"clave99"_s, 0},
         u"corrija los datos de conexion del servidor SRV"_s},
    };
    for (const Case& c : cases) {
        Values values = c.values;
        const QString text = ConexionSinPantalla::Mensaje(values);
        EXPECT_TRUE(text.contains(c.says)) << text.toStdString();
        EXPECT_FALSE(text.contains(u"clave99"_s)) << text.toStdString();
        EXPECT_FALSE(ConexionSinPantalla().ask(values));
    }
}

} // namespace
