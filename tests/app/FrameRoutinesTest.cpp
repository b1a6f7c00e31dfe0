// Configuration store, error reporter, access record, statement builder and account lookup on the
// demo database.
#include "app/Acceso.h"
#include "app/AppState.h"
#include "app/Configuracion.h"
#include "app/Cuentas.h"
#include "app/ErrorReporting.h"
#include "support/ProgramFixture.h"
#include "zimbrel2/ClsSistema.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FrameRoutines : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetAppState();
        openMain();
    }
    void TearDown() override
    {
        resetAppState();
        ProgramFixture::TearDown();
    }
};

TEST_F(FrameRoutines, CfgReadsKeysAndTheirAuxiliaryValues)
{
    QString aux = u"previo"_s;
    EXPECT_EQ(Cfg(u"no existe"_s, aux), u" "_s);
    EXPECT_EQ(aux, QString());
    EXPECT_EQ(Cfg(u"THEME"_s), u"1"_s);
    EXPECT_EQ(appState().gTablaCfg, u"TA_CONFIGURACION"_s);
    EXPECT_EQ(Cfg(u"  tituloclientes "_s), u"Clientes"_s);
    // A typed apostrophe stays inside the literal.
    EXPECT_EQ(Cfg(u"x' OR '1'='1"_s), u" "_s);

    DataGlobals::gDB().gCnn().close();
    aux = u"sin tocar"_s;
    EXPECT_EQ(Cfg(u"TITULOCLIENTES"_s, aux), QString());
    EXPECT_EQ(aux, u"sin tocar"_s);
}

TEST_F(FrameRoutines, GrabaCfgAddsOnceThenUpdatesAndKeepsTheAuxiliaryValue)
{
    appState().gTablaCfg = u"ta_configuracion"_s;
    GrabaCfg(u"rptfch_123 "_s, u" CHEQUE.rpt "_s, u" /informes/CHEQUE.rpt "_s, true, u"DATOS"_s, true);
    GrabaCfg(u"RPTFCH_123"_s, u"OTRO.rpt"_s, QString(), false, u"DATOS"_s, false);
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave LIKE 'RPTFCH_123%'"_s).toInt(), 1);
    EXPECT_EQ(scalar(u"SELECT Clave FROM ta_configuracion WHERE Clave = 'RPTFCH_123'"_s).toString(),
              u"RPTFCH_123"_s);
    EXPECT_EQ(scalar(u"SELECT Valor FROM ta_configuracion WHERE Clave = 'RPTFCH_123'"_s).toString(),
              u"OTRO.rpt"_s);
    EXPECT_EQ(scalar(u"SELECT ValorAux FROM ta_configuracion WHERE Clave = 'RPTFCH_123'"_s).toString(),
              u"/informes/CHEQUE.rpt"_s);
    EXPECT_EQ(scalar(u"SELECT PoliticaNegocio FROM ta_configuracion WHERE Clave = 'RPTFCH_123'"_s).toInt(),
              0);
    QString aux;
    EXPECT_EQ(Cfg(u"rptfch_123"_s, aux), u"OTRO.rpt"_s);
    EXPECT_EQ(aux, u"/informes/CHEQUE.rpt"_s);
}

TEST_F(FrameRoutines, TrataErrorShowsAsksAndLogsInTheTemporaryFolder)
{
    op().answerMessage(MsgAnswer::Ignore);
    EXPECT_EQ(TrataError(RuntimeError(3021, u"Either BOF or EOF is True."_s, u"ADODB.Recordset"_s),
                         std::nullopt, u"Cfg"_s),
              5);
    const ScriptedOperator::Shown& box = op().shown().back();
    EXPECT_EQ(box.title, u"ADODB.Recordset - Cfg Aviso al operador!!! - 2 "_s);
    EXPECT_EQ(box.text, u"Ha ocurrido el Siguiente Error (3021) Either BOF or EOF is True."_s);
    EXPECT_EQ(box.buttons, (QList<int>{3, 4, 5}));

    op().answerMessage(MsgAnswer::Ok);
    TrataError(RuntimeError(13, u"Type mismatch"_s), 0);
    EXPECT_EQ(
        QString::fromLatin1(readFile(tempFolder() + u"TSERR.LOG"_s)),
        u"12-10-2026 09:05:07 Rutina: - Cfg Mensaje Ha ocurrido el Siguiente Error (3021) Either BOF or EOF "
        u"is "
        u"True. Respondió : Ignorar\r\n"
        u"12-10-2026 09:05:07 Rutina:  Mensaje Ha ocurrido el Siguiente Error (13) Type mismatch Respondió : \r\n"_s);

    // Error 0: no box and no line, but the file is opened (and created).
    QFile::remove(tempFolder() + u"TSERR.LOG"_s);
    EXPECT_EQ(TrataError(RuntimeError(0, QString())), 0);
    EXPECT_TRUE(QFile::exists(tempFolder() + u"TSERR.LOG"_s));
    EXPECT_EQ(readFile(tempFolder() + u"TSERR.LOG"_s).size(), 0);
}

TEST_F(FrameRoutines, TheLogFolderTakesTmpOnlyWhenTempIsSet)
{
    const QString other = folder() + u"/otra/"_s;
    QDir().mkpath(other);
    qputenv("TMP", other.toUtf8());
    EXPECT_EQ(CarpetaLogErrores(), other);
    // TEMP set and TMP unset: the shared library's writable folder.
    qunsetenv("TMP");
    EXPECT_EQ(CarpetaLogErrores(), ClsSistema::CarpetaAuxiliar());
    EXPECT_EQ(CarpetaLogErrores(), tempFolder());
}

TEST_F(FrameRoutines, GrabaErrorAuxRecordsTheFailureCutToItsColumn)
{
    QString proceso = u"OTRO"_s;
    GrabaErrorAux(u"UPDATE X SET A = 1"_s, proceso, 2627, QString(300, u'd') + u" Pwd=clave;"_s);
    EXPECT_EQ(proceso, u"OTRO"_s);
    QSqlDatabase main = openMainDatabase();
    QSqlQuery row(u"SELECT Proceso, Fecha, Error, Descripcion, sql, Usuario FROM AUX_ERR"_s, main);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), u"talonex"_s);
    EXPECT_EQ(row.value(1).toString(), u"10/12/26 09:05"_s);
    EXPECT_EQ(row.value(2).toInt(), 2627);
    EXPECT_EQ(row.value(3).toString(), QString(250, u'd'));
    EXPECT_EQ(row.value(4).toString(), u"UPDATE X SET A = 1"_s);
    EXPECT_EQ(row.value(5).toString(), u"TESSARO"_s);
    EXPECT_FALSE(row.next());

    // Without the table nothing is recorded and nothing is shown.
    QSqlQuery(u"DROP TABLE AUX_ERR"_s, main);
    QString empty;
    GrabaErrorAux(u"x"_s, empty, 1, u"y"_s);
    EXPECT_EQ(empty, u"talonex"_s);
}

// On Oracle the error record is opened in Oracle's dialect, which has no TOP.
TEST_F(FrameRoutines, TheErrorRecordIsOpenedInThePlatformsDialect)
{
    DB_Dll oracle;
    oracle.gConnString = u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=p;"_s;
    const QString onOracle = SentenciaAuxErr(oracle);
    EXPECT_FALSE(onOracle.contains(u"top"_s, Qt::CaseInsensitive)) << onOracle.toStdString();
    EXPECT_TRUE(onOracle.contains(u"ROWNUM <= 1"_s)) << onOracle.toStdString();
    EXPECT_EQ(SentenciaAuxErr(DataGlobals::gDB()), u"select  top 1 * from AUX_ERR  with(nolock) "_s);
}

// The error record's date and the access record's "Ingreso" are written with the workstation's
// date and time separators.
TEST_F(FrameRoutines, RecordedMomentsUseTheRegionalSeparators)
{
    const struct
    {
        QChar date;
        QChar time;
        QString written;
    } cases[] = {
        {u'/', u':', u"10/12/26 09:05"_s},
        {u'-', u'.', u"10-12-26 09.05"_s},
        {u'.', u':', u"10.12.26 09:05"_s},
    };
    QSqlDatabase main = openMainDatabase();
    for (const auto& c : cases) {
        RegionalSettings settings = RegionalSettings::argentina();
        settings.dateSeparator = c.date;
        settings.timeSeparator = c.time;
        RegionalSettings::setCurrent(settings);
        QSqlQuery(u"DELETE FROM AUX_ERR"_s, main);
        QSqlQuery(u"DELETE FROM Control_Acceso"_s, main);
        QString proceso;
        GrabaErrorAux(u"UPDATE X SET A = 1"_s, proceso, 547, u"referencia"_s);
        QString programa;
        RegistraAcceso(programa);
        QSqlQuery error(u"SELECT Fecha FROM AUX_ERR"_s, main);
        ASSERT_TRUE(error.next());
        EXPECT_EQ(error.value(0).toString(), c.written);
        QSqlQuery access(u"SELECT Ingreso FROM Control_Acceso"_s, main);
        ASSERT_TRUE(access.next()) << c.written.toStdString();
        EXPECT_EQ(access.value(0).toString(), c.written);
    }
}

TEST_F(FrameRoutines, ScriptsCommitOrRollBackAsOneTransaction)
{
    QString condition;
    QString value = u"O'HARA"_s;
    AgregaCampo(u"Clave"_s, value, u"'"_s, true);
    EXPECT_EQ(value, u"OHARA"_s);
    QString nothing = u"null"_s;
    AgregaCampo(u"Valor"_s, nothing, u"'"_s, false);
    QStringList script{QString()};
    ArmaSentencia(appState().gCamposValores, script, u"ta_configuracion"_s, false, condition, false);
    EXPECT_EQ(script,
              (QStringList{QString(), u"INSERT INTO ta_configuracion (Clave,Valor) VALUES ('OHARA',Null)"_s,
                           QString()}));

    bool failed = true;
    long code = -1;
    QString executed;
    QString message;
    GActualizarDatoScript(script, failed, code, false, false, executed, message, true);
    EXPECT_FALSE(failed);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(
        executed,
        u"BEGIN TRANSACTION \r\r\rINSERT INTO ta_configuracion (Clave,Valor) VALUES ('OHARA',Null)\r"_s);
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave = 'OHARA'"_s).toInt(), 1);

    // The second statement fails: everything is rolled back, recorded and shown.
    const QStringList failing{u"INSERT INTO ta_configuracion (Clave) VALUES ('PRIMERA')"_s,
                              u"INSERT INTO ta_configuracion (Clave) VALUES ('OHARA')"_s,
                              u"INSERT INTO ta_configuracion (Clave) VALUES ('TERCERA')"_s};
    op().answerMessage(MsgAnswer::Ok, u"2627 : "_s);
    GActualizarDatoScript(failing, failed, code, false, false, executed, message, true);
    EXPECT_TRUE(failed);
    EXPECT_EQ(code, 2627);
    EXPECT_EQ(op().shown().back().title, u"Aviso al Operador!"_s);
    EXPECT_EQ(op().shown().back().style, MsgStyle::Critical);
    EXPECT_EQ(
        scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave IN ('PRIMERA', 'TERCERA')"_s).toInt(), 0);
    EXPECT_EQ(scalar(u"SELECT sql FROM AUX_ERR"_s).toString(), executed);
    EXPECT_TRUE(DataGlobals::gDB().gCnn().errors().isEmpty());

    // Ignoring duplicates: still rolled back and recorded, but not shown.
    GActualizarDatoScript(failing, failed, code, true, false, executed, message, true);
    EXPECT_TRUE(failed);
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM AUX_ERR"_s).toInt(), 2);
    EXPECT_FALSE(message.isEmpty());

    // A script of empty statements runs nothing and leaves the code as it was.
    code = 77;
    GActualizarDatoScript(QStringList{QString(), u"  "_s}, failed, code, false, false, executed, message,
                          true);
    EXPECT_EQ(code, 77);
}

TEST_F(FrameRoutines, ArmaSentenciaUpdatesWithACondition)
{
    QList<CampoValor> fields{{u"A"_s, u"1"_s}, {u"B"_s, u"'x'"_s}};
    QStringList script;
    QString condition = u"Id = 5"_s;
    ArmaSentencia(fields, script, u"T"_s, true, condition, true);
    EXPECT_EQ(script.front(), u"UPDATE T SET A = 1,B = 'x'  WHERE Id = 5"_s);
    EXPECT_EQ(condition, u" WHERE Id = 5"_s);
    EXPECT_EQ(fields.size(), 2);
}

TEST_F(FrameRoutines, ExisteCuentaByCodeOrOptionalCode)
{
    QStringList trace;
    DataGlobals::gDB().gCnn().setTracer([&](const QString& s) { trace << s; });
    QString code = u"1.1.02.02"_s;
    bool optional = false;
    EXPECT_TRUE(ExisteCuenta(code, nullptr, true, optional));
    EXPECT_EQ(code, u"1.1.02.02"_s);
    EXPECT_FALSE(optional);
    EXPECT_EQ(trace.last(), u"SELECT * FROM MA_CUENTAS  with(nolock)  WHERE Codigo =  '1.1.02.02'"_s);

    code = u"GAL"_s;
    AdoRecordset rs;
    EXPECT_TRUE(ExisteCuenta(code, &rs, true, optional));
    EXPECT_EQ(code, u"1.1.02.02"_s);
    EXPECT_TRUE(optional);
    EXPECT_EQ(rs.value(u"Codigo").toString(), u"1.1.02.02"_s);

    trace.clear();
    code = u"9.9.99"_s;
    optional = false;
    EXPECT_FALSE(ExisteCuenta(code, nullptr, true, optional));
    EXPECT_EQ(trace.size(), 2);
    EXPECT_EQ(code, u"9.9.99"_s);
}

TEST_F(FrameRoutines, ExisteArchivoOpensForReading)
{
    const QString file = folder() + u"/informe.rpt"_s;
    QFile created(file);
    ASSERT_TRUE(created.open(QIODevice::WriteOnly));
    created.close();
    EXPECT_TRUE(ExisteArchivo(file));
    EXPECT_TRUE(ExisteArchivo(u"\""_s + file + u"\""_s));
    EXPECT_FALSE(ExisteArchivo(folder()));
    EXPECT_FALSE(ExisteArchivo(folder() + u"/no.rpt"_s));
}

} // namespace
