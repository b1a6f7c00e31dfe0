// Every statement the program builds, for every branch of its builders, sent through the data layer
// to the demo database: none may fail on the engine. Each builder is checked apart, so a failure
// names the statement that broke; the statements are read from the connection's trace.
#include "app/Acceso.h"
#include "app/AppState.h"
#include "app/Configuracion.h"
#include "app/Cuentas.h"
#include "app/ErrorReporting.h"
#include "app/Inicio.h"
#include "support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

class StatementCorpus : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetAppState();
    }
    void TearDown() override
    {
        resetAppState();
        ProgramFixture::TearDown();
    }

    // Runs one builder with the trace on; the engine must take each statement it sends.
    void expectRuns(const char* what, const std::function<void()>& builder)
    {
        DB_Dll& db = DataGlobals::gDB();
        QStringList sent;
        db.gCnn().setTracer([&](const QString& statement) {
            sent << statement;
            m_corpus << statement;
        });
        builder();
        db.gCnn().setTracer({});
        EXPECT_FALSE(sent.isEmpty()) << what << ": no statement reached the connection";
        EXPECT_TRUE(db.gCnn().errors().isEmpty())
            << what << ": " << db.gCnn().errors().value(0).description.toStdString()
            << "\n  last statement: " << sent.value(sent.size() - 1).toStdString();
        EXPECT_TRUE(op().shown().isEmpty()) << what << ": a box appeared: " << op().problems().toStdString();
    }

    QStringList m_corpus;
};

TEST_F(StatementCorpus, EveryBuilderOfTheFrameAndTheDataLayerRunsOnTheDemo)
{
    for (const QString& user : {u"TESSARO"_s, u"JPEREZ"_s}) {
        SCOPED_TRACE(user.toStdString());
        DataGlobals::reset();
        resetAppState();
        DB_Dll& db = openMain(user);

        expectRuns("Cfg", [] { Cfg(u"TituloClientes"_s); });
        expectRuns("Cfg of the date keys", [] { Cfg(u"[Fecha Desde]"_s); });
        expectRuns("GrabaCfg", [] {
            appState().gTablaCfg = u"ta_configuracion"_s;
            GrabaCfg(u"RptFCh_1.1.02.02"_s, u"CHEQUE.rpt"_s, u"/informes"_s, false, u"DATOS"_s, true);
            GrabaCfg(u"RptFCh_1.1.02.02"_s, u"CHEQUE2.rpt"_s, QString(), false, u"DATOS"_s, true);
        });
        expectRuns("CargaConfiguracion", [] { CargaConfiguracion(ProgramInfo::programFolder()); });
        expectRuns("RegistraAcceso", [] {
            QString program;
            RegistraAcceso(program);
        });
        expectRuns("GrabaErrorAux", [] {
            QString proceso;
            GrabaErrorAux(u"SELECT 1"_s, proceso, 1, u"prueba"_s);
        });
        expectRuns("ExisteCuenta by code, by optional code, missing", [] {
            bool optional = false;
            QString code = u"1.1.02.02"_s;
            ExisteCuenta(code, nullptr, true, optional);
            code = u"GAL"_s;
            ExisteCuenta(code, nullptr, false, optional);
            code = u"9.9"_s;
            optional = false;
            ExisteCuenta(code, nullptr, true, optional);
        });
        expectRuns("ExisteEnTabla of each type", [&db] {
            db.ExisteEnTabla(u"MA_CUENTAS"_s, u" 1.1.02.02 "_s, u"Codigo"_s);
            db.ExisteEnTabla(u"MV_ASIENTOS"_s, u"{d '2024-11-04'}"_s, u"Fecha"_s, nullptr, 7);
            db.ExisteEnTabla(u"TA_USUARIOS"_s, u"1"_s, u"Administrador"_s, nullptr, 3);
            db.ExisteEnTabla(u"TA_USUARIOS"_s, u"1"_s, u"Administrador"_s, nullptr, 11);
            db.ExisteEnTabla(u"MA_CUENTAS"_s, QString(), QString(), nullptr, 8, u"TIPOVISTA = 'BC'"_s);
            db.ExisteEnTabla(u"MA_CUENTAS"_s, QString(), QString(), nullptr, 8, u" WHERE TIPOVISTA = 'BC'"_s);
            db.ExisteEnTablaST(u"MA_CUENTAS"_s, u"1.1.02.02"_s, u"Codigo"_s);
            db.ExisteEnTablaST(u"TA_USUARIOS"_s, u"1"_s, u"Administrador"_s, nullptr, 3);
        });
        expectRuns("DatosTabla", [&db] {
            db.DatosTabla(u"ta_usuarios"_s, u"TESSARO"_s, u"Administrador"_s, u"nombre"_s);
            db.DatosTabla(u"ta_usuarios"_s, u"TESSARO"_s, u"Administrador"_s, u"nombre"_s, 8,
                          u"Dada_De_Baja = 0"_s, false);
            db.DatosTabla(u"MA_CUENTAS"_s, u"1"_s, u"Codigo"_s, u"Confidencial"_s, 3);
        });
        expectRuns("BuscaMaximo, BuscaMinimo, BuscaUltimoCodigo", [&db] {
            db.BuscaMaximo(u"V_MA_ARTICULOS"_s, u"IdArticulo"_s, 8);
            db.BuscaMaximo(u"MV_ASIENTOS"_s, u"Fecha"_s, 7, u"Cuenta = '1.1.02.02'"_s);
            db.BuscaMinimo(u"MV_ASIENTOS"_s, u"Secuencia"_s);
            db.BuscaUltimoCodigo(u"TA_USUARIOS"_s, u"Administrador"_s, std::nullopt, u"Dada_De_Baja = 0"_s);
        });
        expectRuns("ExisteTablaDB, ExisteCampoDB, VerCampoDB", [&db, &user] {
            db.ExisteTablaDB(u"ta_usuarios"_s);
            db.ExisteCampoDB(u"MV_ASIENTOS"_s, u"NroComprobanteBancario"_s);
            db.VerCampoDB(u"TA_BANCOS"_s, u"Observacion"_s + user, true, u"varchar(50)"_s, true, u"''"_s);
            db.VerCampoDB(u"TA_BANCOS"_s, u"Orden"_s + user, true, u"int"_s, false);
        });
        expectRuns("GActualizarDatoScript", [&user] {
            QString value = u"PRUEBA"_s + user;
            AgregaCampo(u"Clave"_s, value, u"'"_s, true);
            QString number = u"12,5"_s;
            AgregaCampo(u"Valor"_s, number, u"@"_s, false);
            QStringList script{QString()};
            QString condition;
            ArmaSentencia(appState().gCamposValores, script, u"ta_configuracion"_s, false, condition, true);
            condition = u"Clave = 'PRUEBA"_s + user + u"'"_s;
            ArmaSentencia(appState().gCamposValores, script, u"ta_configuracion"_s, true, condition, false);
            bool failed = false;
            long code = 0;
            QString executed;
            QString message;
            GActualizarDatoScript(script, failed, code, false, false, executed, message, true);
        });
    }
    EXPECT_GT(m_corpus.size(), 40);
}

TEST_F(StatementCorpus, StartUpRunsOnTheDemo)
{
    QStringList sent;
    QString connection;
    ASSERT_EQ(IniciarAplicacion(false,
                                u"@Server="_s + serverParameter() +
                                    u"; @DbName=TALONEX_DEMO; @Usuario=JPEREZ; @Password=x; @Caja=1;"_s,
                                connection, 3),
              ResultadoInicio::Completo);
    EXPECT_TRUE(DataGlobals::gDB().gCnn().errors().isEmpty());
    EXPECT_TRUE(DataGlobals::gDBEstadisticas().gCnn().errors().isEmpty());
    EXPECT_TRUE(op().shown().isEmpty());
}

} // namespace
