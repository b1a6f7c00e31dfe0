// Start-up on the demo database: parameters, connections, masks, configuration and access record.
#include "app/AppState.h"
#include "app/Inicio.h"
#include "support/ProgramFixture.h"
#include "zimbrel2/ClsSistema.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QSqlError>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(StartupParameters, KeysAreReadAsTheSuiteWritesThem)
{
    const QString text =
        u"@server=SRV; @dbname=EMPRESA; @usuario=JUAN; @ParametroAdicional=Reimpresion; @Caja=2;@Password = cl=ave ;"_s;
    EXPECT_EQ(LeeParametro(text, u"@Server"_s), u"SRV"_s);
    EXPECT_EQ(LeeParametro(text, u"@DbName"_s), u"EMPRESA"_s);
    EXPECT_EQ(LeeParametro(text, u"@Usuario"_s), u"JUAN"_s);
    EXPECT_EQ(LeeParametro(text, u"@ParametroAdicional"_s), u"Reimpresion"_s);
    EXPECT_EQ(LeeParametro(text, u"@Caja"_s), u"2"_s);
    EXPECT_EQ(LeeParametro(text, u"@Password"_s), u"clave"_s);

    struct Case
    {
        QString text;
        QString key;
        QString value;
        bool found;
    };
    const Case cases[] = {
        {u"@DBNAME = EMPRESA ;"_s, u"@DbName"_s, u"EMPRESA"_s, true},
        {u"@DbName=a=b;"_s, u"@DbName"_s, u"ab"_s, true},
        {u"@Server=A; @Server=B;"_s, u"@Server"_s, u"A"_s, true},
        {u"x; @Caja=3"_s, u"@Caja"_s, QString(), true},
        {u"x; @ParametroAdicional=Reimpresion"_s, u"@ParametroAdicional"_s, u"Reimpresion"_s, true},
        {u"@ParametroAdicional=ReimpresionConTextoLargo"_s, u"@ParametroAdicional"_s, u"ReimpresionConText"_s,
         true},
        {u"@Server=A;"_s, u"@Caja"_s, QString(), false},
        // "@Usuario" also matches the start of "@UsuarioLogeado" when that comes first.
        {u"@UsuarioLogeado = ANA; @usuario=JUAN;"_s, u"@Usuario"_s, u"Logeado  ANA"_s, true},
        {u"zimb@ ; @Menu=M1;"_s, u"@Menu"_s, u"M1"_s, true},
        {u"@Server="_s + QString(5000, u'x') + u";"_s, u"@Server"_s, QString(5000, u'x'), true},
    };
    for (const Case& c : cases) {
        bool found = false;
        EXPECT_EQ(LeeParametro(c.text, c.key, &found), c.value) << c.text.left(60).toStdString();
        EXPECT_EQ(found, c.found) << c.text.left(60).toStdString();
    }
}

TEST(StartupParameters, NormalizaServidorDropsProtocolAndPort)
{
    EXPECT_EQ(NormalizaServidor(u"tcp/SRV01:1433"_s), u"SRV01"_s);
    EXPECT_EQ(NormalizaServidor(u"SRV01"_s), u"SRV01"_s);
    EXPECT_EQ(NormalizaServidor(u"SRV01\\ZIMBREL"_s), u"SRV01\\ZIMBREL"_s);
    // A folder of embedded databases survives: the form the start-up parameters use for it.
    EXPECT_EQ(NormalizaServidor(u"file:///var/lib/talonex"_s), u"//var/lib/talonex"_s);
}

class Startup : public ProgramFixture
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

    ResultadoInicio start(const QString& user, const QString& extra = {})
    {
        QString connection;
        return IniciarAplicacion(false,
                                 u"@Server="_s + serverParameter() + u"; @DbName=TALONEX_DEMO; @Usuario="_s +
                                     user + u"; @Password=secreto; @UsuarioLogeado= otro; "_s + extra,
                                 connection, 3);
    }
};

TEST_F(Startup, ConnectsWritesTheMasksAndRecordsTheAccess)
{
    {
        QSqlDatabase stats = openStatisticsDatabase();
        QSqlQuery(u"DELETE FROM TA_CONFIGURACION WHERE Clave = 'TIMEOUT'"_s, stats);
    }
    ASSERT_EQ(start(u"TESSARO"_s, u"@Caja=2; @ParametroAdicional=Reimpresion;"_s), ResultadoInicio::Completo);
    DB_Dll& db = DataGlobals::gDB();
    const AppState& state = appState();
    EXPECT_TRUE(db.gCnn().isOpen());
    EXPECT_TRUE(db.gEsAdmin);
    EXPECT_EQ(db.gServidor, u"/"_s + folder());
    EXPECT_EQ(state.gCaja, u"2"_s);
    EXPECT_EQ(state.gParametroAdicional, u"Reimpresion"_s);
    EXPECT_EQ(state.gUsuarioLogeado, u"TESSARO"_s);
    EXPECT_EQ(state.gCadenaDSN, u"DSN=TALONEX_DEMO; UID=TESSARO; PWD=secreto"_s);
    EXPECT_EQ(db.gCnn().isolationLevel(), 256);
    EXPECT_EQ(
        state.gPuestoUsuario,
        QString(ClsSistema::NombrePC().toUpper() + u"|"_s + ClsSistema::UsuarioWindows().toUpper()).left(50));

    // The statistics database beside the main one: no TimeOut key yet, so 360 s and the key written.
    EXPECT_TRUE(DataGlobals::gDBEstadisticas().gCnn().isOpen());
    EXPECT_EQ(state.gTimeOut, 360);
    EXPECT_EQ(db.gCnn().commandTimeout(), 360);
    QSqlDatabase stats = openStatisticsDatabase();
    QSqlQuery timeOut(u"SELECT Valor, Grupo FROM TA_CONFIGURACION WHERE Clave = 'TIMEOUT'"_s, stats);
    ASSERT_TRUE(timeOut.next());
    EXPECT_EQ(timeOut.value(0).toString(), u"0"_s);
    EXPECT_EQ(timeOut.value(1).toString(), u"BaseDeDatos"_s);

    // Eleven records of 1202 bytes, blank-padded, ending in CR LF.
    const QByteArray masks = readFile(programFolder() + u"consultas.tso"_s);
    ASSERT_EQ(masks.size(), 11 * 1202);
    EXPECT_EQ(masks.left(9), "ARTICULOS");
    EXPECT_EQ(masks.mid(100, 14), "V_MA_ARTICULOS");
    EXPECT_EQ(masks.mid(200, 24), "|DESCRIPCION|IDARTICULO|");
    EXPECT_EQ(masks.mid(224, 976), QByteArray(976, ' '));
    EXPECT_EQ(masks.mid(1200, 2), "\r\n");
    EXPECT_EQ(masks.mid(10 * 1202, 8), "DEPOSITO");
    EXPECT_EQ(state.gRutaMascaraConsultas, programFolder() + u"consultas.tso"_s);
    EXPECT_TRUE(state.gUsarMascarasConsultas);

    EXPECT_EQ(state.gTablaCfg, u"ta_configuracion"_s);
    EXPECT_EQ(
        scalar(
            u"SELECT COUNT(*) FROM Control_Acceso WHERE Usuario = 'TESSARO' AND Formulario = 'TALONEX' "
            u"AND Tarea = 'IMPRESIÓN DE CHEQUES' AND Ingreso = '10/12/26 09:05' AND NombreUsuario = 'TESSARO'"_s)
            .toInt(),
        1);
}

// A stored time-out that a 16-bit count of seconds cannot hold, or a negative one, leaves 360 and
// the shared key as it was; a valid one is taken.
TEST_F(Startup, ATimeOutOutOfRangeStays360AndTheKeyIsNotWritten)
{
    const std::pair<QString, int> cases[] = {
        {u"-5"_s, 360}, {u"40000"_s, 360}, {u"99999999999"_s, 360}, {u"32767"_s, 32767}, {u"45"_s, 45},
    };
    for (const auto& [stored, expected] : cases) {
        resetAppState();
        DataGlobals::reset();
        {
            QSqlDatabase stats = openStatisticsDatabase();
            QSqlQuery(u"DELETE FROM TA_CONFIGURACION WHERE Clave = 'TIMEOUT'"_s, stats);
            QSqlQuery insert(stats);
            insert.prepare(
                u"INSERT INTO TA_CONFIGURACION (Clave, Valor, Grupo) VALUES ('TimeOut', ?, 'BaseDeDatos')"_s);
            insert.addBindValue(stored);
            ASSERT_TRUE(insert.exec()) << insert.lastError().text().toStdString();
        }
        ASSERT_EQ(start(u"TESSARO"_s), ResultadoInicio::Completo);
        EXPECT_EQ(appState().gTimeOut, expected) << stored.toStdString();
        EXPECT_EQ(DataGlobals::gDB().gCnn().commandTimeout(), expected) << stored.toStdString();
        QSqlDatabase stats = openStatisticsDatabase();
        QSqlQuery key(u"SELECT Valor FROM TA_CONFIGURACION WHERE Clave = 'TIMEOUT'"_s, stats);
        ASSERT_TRUE(key.next());
        EXPECT_EQ(key.value(0).toString(), stored);
        EXPECT_FALSE(key.next());
    }
}

TEST_F(Startup, APlainUserIsNoAdministratorAndTheConfidentialitySettingIsRead)
{
    // The demo's statistics database sets a time-out of its own.
    QSqlDatabase main = openMainDatabase();
    QSqlQuery(u"UPDATE ta_configuracion SET Valor = 'si' WHERE Clave = 'SS_CONFIDENCIALIDAD'"_s, main);
    QSqlQuery(u"INSERT OR IGNORE INTO ta_configuracion (Clave, Valor) VALUES ('SS_CONFIDENCIALIDAD', 'si')"_s,
              main);
    ASSERT_EQ(start(u"JPEREZ"_s), ResultadoInicio::Completo);
    EXPECT_FALSE(DataGlobals::gDB().gEsAdmin);
    EXPECT_EQ(appState().gTimeOut, 300);
    EXPECT_TRUE(DataGlobals::gConfidencialidad());
    EXPECT_EQ(appState().gCaja, u"1"_s);
    EXPECT_EQ(scalar(u"SELECT Tarea FROM Control_Acceso WHERE Usuario = 'JPEREZ'"_s).toString(),
              u"IMPRESIÓN DE CHEQUES"_s);
}

TEST_F(Startup, AnExistingMaskFileIsLeftAndAnUnwritableFolderDoesNotStopTheStart)
{
    QFile existing(programFolder() + u"consultas.tso"_s);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ASSERT_EQ(start(u"TESSARO"_s), ResultadoInicio::Completo);
    EXPECT_EQ(readFile(programFolder() + u"consultas.tso"_s).size(), 0);

    // A program folder where the mask file cannot be written: no masks, but the configuration and
    // the access record still follow.
    DataGlobals::reset();
    resetAppState();
    QSqlDatabase main = openMainDatabase();
    QSqlQuery(
        u"INSERT OR REPLACE INTO ta_configuracion (Clave, Valor) VALUES ('SS_CONFIDENCIALIDAD', 'SI')"_s,
        main);
    ProgramInfo::setProgramFolder(folder() + u"/no/existe/"_s);
    ASSERT_EQ(start(u"JPEREZ"_s), ResultadoInicio::Completo);
    EXPECT_TRUE(DataGlobals::gConfidencialidad());
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM Control_Acceso WHERE Usuario = 'JPEREZ'"_s).toInt(), 1);
}

TEST_F(Startup, AnInstalledProgramKeepsItsMasksInTheOperatorsFolderAndReadsThemThere)
{
    // The program folder of an installed program: its shipped files can be read, nothing written.
    ProgramInfo::setProgramFolderWritable(false);
    ASSERT_EQ(start(u"TESSARO"_s), ResultadoInicio::Completo);
    const QString own = userFolder() + u"consultas.tso"_s;
    EXPECT_EQ(appState().gRutaMascaraConsultas, own);
    EXPECT_EQ(readFile(own).size(), 11 * 1202);
    EXPECT_FALSE(QFile::exists(programFolder() + u"consultas.tso"_s));

    // The next start finds them there and leaves them as they are, as a portable copy does with its own.
    QFile mark(own);
    ASSERT_TRUE(mark.open(QIODevice::WriteOnly | QIODevice::Truncate));
    mark.write("propias");
    mark.close();
    DataGlobals::reset();
    resetAppState();
    ASSERT_EQ(start(u"TESSARO"_s), ResultadoInicio::Completo);
    EXPECT_EQ(appState().gRutaMascaraConsultas, own);
    EXPECT_EQ(readFile(own), "propias");
    EXPECT_FALSE(QFile::exists(programFolder() + u"consultas.tso"_s));
}

TEST_F(Startup, WithoutServerOrUserTheDialogIsAskedAndWithoutConnectionTheProgramEnds)
{
    QString connection;
    EXPECT_EQ(IniciarAplicacion(false, u"@DbName=TALONEX_DEMO; @Usuario=TESSARO;"_s, connection, 3),
              ResultadoInicio::SinConexion);
    EXPECT_FALSE(DataGlobals::gDB().gOpenFlag);

    // An Oracle server: the "#" goes, and the Oracle connection string is formed.
    DataGlobals::reset();
    op().answerMessage(MsgAnswer::No, u"Desea Intentarlo Nuevamente"_s);
    connection.clear();
    EXPECT_EQ(
        IniciarAplicacion(false, u"@Server=#ORCL; @DbName=PROD; @Usuario=U; @Password=P;"_s, connection, 3),
        ResultadoInicio::SinConexion);
    EXPECT_EQ(connection, u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=P;"_s);
    EXPECT_EQ(DataGlobals::gDB().gServidor, u"ORCL"_s);
}

TEST_F(Startup, TheIniFileGivesTheConnectionWhenThereAreNoParameters)
{
    const QString section =
        ClsSistema::NombrePC().toUpper() + u"|"_s + ClsSistema::UsuarioWindows().toUpper();
    QFile ini(iniFolder() + u"PX500wk.INI"_s);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QString(u"[" + section + u"]\r\nFlatToolbars=0\r\n[" + section + u"BaseDeDatos]\r\nServidor=" +
                      serverParameter() + u"\r\nDbName=TALONEX_DEMO\r\nUsuario=" +
                      ClsUtiles::Codifica(u"JPEREZ"_s) + u"\r\nroto sin igual\r\n")
                  .toUtf8());
    ini.close();
    QString connection;
    ASSERT_EQ(IniciarAplicacion(true, u"  "_s, connection, 3), ResultadoInicio::Completo);
    EXPECT_EQ(DataGlobals::gDB().gUsuario, u"JPEREZ"_s);
    EXPECT_EQ(DataGlobals::gDB().gUserPassWord, u"pampero"_s);
    EXPECT_EQ(appState().gFlatToolbars, 0);
}

TEST_F(Startup, ALongWorkstationKeyIsCut)
{
    const QByteArray user = qgetenv("USER");
    qputenv("USER", QByteArray(60, 'u'));
    start(u"TESSARO"_s);
    qputenv("USER", user);
    EXPECT_EQ(appState().gPuestoUsuario.size(), 50);
    EXPECT_TRUE(appState().gPuestoUsuario.startsWith(ClsSistema::NombrePC().toUpper() + u"|UUU"_s));
}

} // namespace
