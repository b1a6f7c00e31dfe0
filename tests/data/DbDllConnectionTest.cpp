// Opening connections, statements and recordsets, and the data layer's failure reporter, on a real
// demo database.
#include "support/ProgramFixture.h"
#include "zimbrel2/MessageBoxStyle.h"

#include "data/ConnectionDialogRequest.h"
#include "data/ErrorLog.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DbDllConnection : public ProgramFixture
{
};

// A connection dialog that answers from what the test gave it and counts how often it was asked.
class AnsweringDialog : public ConnectionDialogRequest
{
public:
    explicit AnsweringDialog(std::optional<Values> answer) : m_answer(std::move(answer)) {}
    bool ask(Values& values) override
    {
        ++asked;
        shown = values;
        if (!m_answer)
            return false;
        values = *m_answer;
        return true;
    }
    int asked = 0;
    Values shown;

private:
    std::optional<Values> m_answer;
};

TEST_F(DbDllConnection, ConnectionStringsOfEachPlatform)
{
    DB_Dll db;
    db.gServidor = u"SRV"_s;
    db.gDBName = u"DB"_s;
    db.gUsuario = u"U"_s;
    db.gUserPassWord = QString();
    EXPECT_EQ(db.ArmaCadenaConexion(), u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=;"_s);
    db.gUserPassWord = u"p"_s;
    db.gExtended = u"Network Library=DBMSSOCN;"_s;
    EXPECT_EQ(db.ArmaCadenaConexion(),
              u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=p;Network Library=DBMSSOCN;"_s);

    db.gServidor = u"ORA1#"_s;
    db.gDBName = u"PROD"_s;
    EXPECT_EQ(db.ArmaCadenaConexion(),
              u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=p;"_s);
}

TEST_F(DbDllConnection, OpensTheDemoAndDecidesTheAdministrator)
{
    struct Case
    {
        QString user;
        bool validaAdmin;
        bool muestraError;
        bool admin;
    };
    const Case cases[] = {
        {u"TESSARO"_s, true, true, true}, // Administrador = 1
        {u"JPEREZ"_s, true, true, false}, // Administrador = 0
        {u"NADIE"_s, true, true, false},  // no row
        {u"JPEREZ"_s, true, false, true}, // the table exists: taken as administrator
        {u"JPEREZ"_s, false, true, true}, // not asked
    };
    for (const Case& c : cases) {
        DataGlobals::reset();
        DB_Dll& db = DataGlobals::gDB();
        db.gServidor = u"/"_s + folder();
        db.gDBName = u"TALONEX_DEMO"_s;
        db.gUsuario = c.user;
        db.OpenServerADODB(false, 3, QString(), c.validaAdmin, c.muestraError);
        ASSERT_TRUE(db.gOpenFlag) << c.user.toStdString();
        EXPECT_EQ(db.gEsAdmin, c.admin) << c.user.toStdString() << c.validaAdmin << c.muestraError;
        EXPECT_EQ(db.gProveedor, u"SQLOLEDB"_s);
        EXPECT_EQ(db.gCnn().cursorLocation(), 3);
    }
}

TEST_F(DbDllConnection, AGivenConnectionStringWinsUnlessTheDialogIsAsked)
{
    DB_Dll& db = DataGlobals::gDB();
    db.gServidor = u"NOWHERE"_s;
    db.gUsuario = u"TESSARO"_s;
    db.OpenServerADODB(false, 3, connectionString(), false, true);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gConnString, connectionString());

    // Opening again an open connection closes it and opens it once more.
    db.OpenServerADODB(false, 3, connectionString(), false, false);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_TRUE(db.gCnn().isOpen());
}

TEST_F(DbDllConnection, TheDialogFillsTheMembersAndPicksThePlatform)
{
    auto dialog = std::make_shared<AnsweringDialog>(
        ConnectionDialogRequest::Values{u"TALONEX_DEMO"_s, u"/"_s + folder(), u"TESSARO"_s, u"x"_s, 0});
    DataGlobals::setConnectionDialog(dialog);
    DB_Dll& db = DataGlobals::gDB();
    db.gServidor = u"VIEJO"_s;
    db.OpenServerADODB(true, 3, u"PROVIDER=SQLOLEDB;Server=IGNORADO;"_s, true, true);
    EXPECT_EQ(dialog->asked, 1);
    EXPECT_EQ(dialog->shown.servidor, u"VIEJO"_s);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gServidor, u"/"_s + folder());
    EXPECT_EQ(db.gConnString,
              u"PROVIDER=SQLOLEDB;Server=/"_s + folder() + u";Database =TALONEX_DEMO;UId=TESSARO;Pwd=x;"_s);

    // Platform 1 marks the server for Oracle: the Oracle string is built (and cannot open here).
    DataGlobals::reset();
    auto oracle = std::make_shared<AnsweringDialog>(
        ConnectionDialogRequest::Values{u"PROD"_s, u"SRV"_s, u"U"_s, u"p"_s, 1});
    DataGlobals::setConnectionDialog(oracle);
    op().answerMessage(MsgAnswer::No, u"Desea Intentarlo Nuevamente"_s);
    DB_Dll& second = DataGlobals::gDB();
    second.OpenServerADODB(true, 3, QString(), false, true);
    EXPECT_EQ(second.gServidor, u"SRV#"_s);
    EXPECT_EQ(second.gProveedor, u"OraOLEDB.Oracle.1"_s);
    EXPECT_EQ(second.gConnString, u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=p;"_s);
    EXPECT_FALSE(second.gOpenFlag);
}

TEST_F(DbDllConnection, CancellingOrMissingDialogLeavesTheConnectionClosed)
{
    DB_Dll& db = DataGlobals::gDB();
    db.OpenServerADODB(true, 3, QString(), true, true);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_FALSE(db.gCnn().isOpen());

    auto dialog = std::make_shared<AnsweringDialog>(std::nullopt);
    DataGlobals::setConnectionDialog(dialog);
    db.OpenServerADODB(true, 3, QString(), true, true);
    EXPECT_EQ(dialog->asked, 1);
    EXPECT_FALSE(db.gOpenFlag);
}

TEST_F(DbDllConnection, AFailedOpenAsksWhetherToTryAgainWithoutShowingThePassword)
{
    DB_Dll& db = DataGlobals::gDB();
    db.gServidor = u"/"_s + folder();
    db.gDBName = u"NO_EXISTE"_s;
    db.gUsuario = u"TESSARO"_s;
    db.gUserPassWord = u"clave-secreta"_s;
    // Yes brings the dialog back with the entered values; the corrected database then opens.
    auto dialog = std::make_shared<AnsweringDialog>(
        ConnectionDialogRequest::Values{u"TALONEX_DEMO"_s, u"/"_s + folder(), u"TESSARO"_s, u"x"_s, 0});
    DataGlobals::setConnectionDialog(dialog);
    op().answerMessage(MsgAnswer::Yes, u" - Desea Intentarlo Nuevamente??? "_s);
    db.OpenServerADODB(false, 3, QString(), false, true);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(dialog->asked, 1);
    ASSERT_EQ(op().shown().size(), 1);
    const ScriptedOperator::Shown& box = op().shown().front();
    EXPECT_EQ(box.title, u" Error de Conexion a Base de Datos"_s);
    EXPECT_EQ(box.style, MsgStyle::YesNo + MsgStyle::Critical);
    EXPECT_TRUE(box.text.startsWith(u" Estado de Sql: "_s));
    EXPECT_TRUE(box.text.contains(u"\rNumero de Error: "_s));
    EXPECT_TRUE(box.text.contains(u"Nombre de Proceso: talonex\r\r\n\r\n1. Verifique el Usuario"_s));
    EXPECT_TRUE(box.text.contains(u"por ejemplo : /"_s + folder() + u"\\ZIMBREL\r\n"_s));
    EXPECT_TRUE(
        box.text.contains(u"3. Verifique si el inicio de sesion para el usuario TESSARO existe\r\n"_s));
    EXPECT_FALSE(box.text.contains(u"clave-secreta"_s));

    // No ends it.
    DataGlobals::reset();
    DB_Dll& other = DataGlobals::gDB();
    other.gServidor = u"/"_s + folder();
    other.gDBName = u"NO_EXISTE"_s;
    other.gUsuario = u"TESSARO"_s;
    op().answerMessage(MsgAnswer::No);
    other.OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_FALSE(other.gOpenFlag);

    // Without showing errors nothing is asked.
    DataGlobals::reset();
    DB_Dll& quiet = DataGlobals::gDB();
    quiet.gServidor = u"/"_s + folder();
    quiet.gDBName = u"NO_EXISTE"_s;
    quiet.OpenServerADODB(false, 3, QString(), true, false);
    EXPECT_FALSE(quiet.gOpenFlag);
}

TEST_F(DbDllConnection, AbrirRecordsetRewritesAndReusesTheRecordset)
{
    DB_Dll& db = openMain(u"JPEREZ"_s);
    QStringList trace;
    db.gCnn().setTracer([&](const QString& statement) { trace << statement; });

    AdoRecordset rs;
    QString sql = u"SELECT * FROM @Admin_MV_ASIENTOS WHERE 1 = 0"_s;
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, u"SELECT * FROM MV_ASIENTOS WHERE 1 = 0"_s);
    EXPECT_TRUE(rs.isOpen());
    EXPECT_TRUE(rs.eof());

    // The same recordset takes the next query; a plain user reads the restricted view.
    sql = u"SELECT * FROM MA_CUENTAS WHERE Codigo = '1.1.02.02'"_s;
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, u"SELECT * FROM SS_MA_CUENTAS WHERE Codigo = '1.1.02.02'"_s);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(u"codigo").toString(), u"1.1.02.02"_s);
    EXPECT_EQ(trace.last(), sql);

    // Statements through EjecutaConsultaSQL keep the real tables.
    QString update = u"update MA_CUENTAS set Descripcion = Descripcion where Codigo = '1.1.02.02'"_s;
    long affected = -1;
    db.EjecutaConsultaSQL(update, affected);
    EXPECT_EQ(trace.last(), u"update MA_CUENTAS set Descripcion = Descripcion where Codigo = '1.1.02.02'"_s);
    EXPECT_EQ(affected, 1);
}

// The platform is told by the connection's provider alone: "ORACLE" in a password or a user name
// leaves a SQL Server connection speaking T-SQL.
TEST_F(DbDllConnection, OracleInTheLoginDoesNotMakeTheConnectionOracle)
{
    const std::pair<QString, QString> logins[] = {
        {u"TESSARO"_s, u"Oracle1"_s},
        {u"oracle_ro"_s, u"secreto"_s},
        {u"TESSARO"_s, u"xORACLEx"_s},
    };
    for (const auto& [user, password] : logins) {
        DataGlobals::reset();
        DB_Dll& db = DataGlobals::gDB();
        db.gServidor = u"/"_s + folder();
        db.gDBName = u"TALONEX_DEMO"_s;
        db.gUsuario = user;
        db.gUserPassWord = password;
        db.OpenServerADODB(false, 3, QString(), true, true);
        ASSERT_TRUE(db.gOpenFlag) << user.toStdString();
        EXPECT_FALSE(db.isOracleConnection()) << db.gConnString.toStdString();
        AdoRecordset rs;
        QString sql = u"SELECT TOP 1 Codigo FROM MA_CUENTAS with(nolock) ORDER BY Codigo"_s;
        db.AbrirRecordset(sql, rs);
        ASSERT_TRUE(rs.isOpen()) << db.gConnString.toStdString();
        EXPECT_FALSE(rs.eof());
        QString script = u"BEGIN TRANSACTION\r\nUPDATE ta_configuracion SET Valor = 'x' WHERE Clave = "
                         u"'ORACLE_PRUEBA'\r\nCOMMIT TRANSACTION"_s;
        long affected = 0;
        db.EjecutaConsultaSQL(script, affected);
        EXPECT_TRUE(db.gCnn().errors().isEmpty()) << db.gConnString.toStdString();
        EXPECT_EQ(db.ORACLE_Dicc(sql), sql);
    }
    // The provider says Oracle, whatever the rest of the string holds.
    DB_Dll oracle;
    oracle.gConnString = u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=p;"_s;
    EXPECT_TRUE(oracle.isOracleConnection());
    oracle.gConnString = u"PROVIDER=SQLOLEDB;Server=ORACLE01;Database =ORACLE;UId=ORACLE;Pwd=ORACLE;"_s;
    EXPECT_FALSE(oracle.isOracleConnection());
}

// Transactions are begun, committed and rolled back through the engine, as ADO does through the
// provider; the trace shows each step under its T-SQL name.
TEST_F(DbDllConnection, TransactionsGoThroughTheDriver)
{
    DB_Dll& db = openMain();
    AdoConnection& cnn = db.gCnn();
    QStringList trace;
    cnn.setTracer([&](const QString& statement) { trace << statement; });
    const auto count = [&] {
        return scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave = 'TRANSACCION'"_s).toInt();
    };
    const QString insert = u"INSERT INTO ta_configuracion (Clave, Valor) VALUES ('TRANSACCION', '1')"_s;

    cnn.beginTrans();
    cnn.execute(insert);
    cnn.rollbackTrans();
    EXPECT_EQ(count(), 0);
    cnn.beginTrans();
    cnn.execute(insert);
    cnn.commitTrans();
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(trace, (QStringList{u"BEGIN TRANSACTION"_s, insert, u"ROLLBACK TRANSACTION"_s,
                                  u"BEGIN TRANSACTION"_s, insert, u"COMMIT TRANSACTION"_s}));

    // Ending a transaction that is not there fails as the server reports it.
    try {
        cnn.commitTrans();
        ADD_FAILURE() << "a commit without a transaction succeeded";
    } catch (const RuntimeError&) {
        ASSERT_FALSE(cnn.errors().isEmpty());
        EXPECT_EQ(cnn.errors().front().nativeError, 3902);
    }
}

// A database file deleted or replaced during a run: the commit is refused and rolled back, so the
// run learns of it and nothing more is written; the file now at the path is left whole.
TEST_F(DbDllConnection, ACommitIsRefusedWhenTheDatabaseFileWasDeletedOrReplaced)
{
    for (const bool replaced : {false, true}) {
        DataGlobals::reset();
        const QString path = mainDatabasePath();
        const QString copy = folder() + u"/copia.db"_s;
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(path, copy));
        DB_Dll& db = openMain();
        AdoConnection& cnn = db.gCnn();
        cnn.execute(u"UPDATE ta_configuracion SET Valor = 'antes' WHERE Clave = 'SS_CONFIDENCIALIDAD'"_s);
        EXPECT_FALSE(cnn.databaseMoved());
        cnn.beginTrans();
        cnn.execute(u"INSERT INTO ta_configuracion (Clave, Valor) VALUES ('MOVIDO', '1')"_s);
        ASSERT_TRUE(QFile::remove(path));
        if (replaced) {
            ASSERT_TRUE(QFile::copy(copy, path));
        }
        EXPECT_TRUE(cnn.databaseMoved());
        try {
            cnn.commitTrans();
            ADD_FAILURE() << "the commit went into a file that is gone";
        } catch (const RuntimeError& failure) {
            EXPECT_TRUE(failure.description().contains(u"deleted or replaced"_s))
                << failure.description().toStdString();
            ASSERT_FALSE(cnn.errors().isEmpty());
            EXPECT_EQ(cnn.errors().front().description, failure.description());
        }
        DataGlobals::reset();
        if (!replaced) {
            EXPECT_FALSE(QFile::exists(path));
            ASSERT_TRUE(QFile::copy(copy, path));
            continue;
        }
        EXPECT_EQ(scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave = 'MOVIDO'"_s).toInt(), 0);
    }
}

// When the disk fills up in a transaction, SQLite rolls the transaction back itself; the rollback
// that follows must not put its own complaint in place of the real cause.
TEST_F(DbDllConnection, ADiskFullIsWhatTheOperatorReads)
{
    DB_Dll& db = openMain();
    AdoConnection& cnn = db.gCnn();
    const AdoRecordsetPtr pages = cnn.execute(u"PRAGMA page_count"_s);
    ASSERT_FALSE(pages->eof());
    cnn.execute(u"PRAGMA max_page_count = "_s + QString::number(pages->value(0).toLongLong() + 2));
    cnn.beginTrans();
    bool full = false;
    for (int i = 0; i < 200 && !full; ++i) {
        try {
            cnn.execute(u"INSERT INTO ta_configuracion (Clave, Valor) VALUES ('LLENO"_s + QString::number(i) +
                        u"', '"_s + QString(3000, u'x') + u"')"_s);
        } catch (const RuntimeError&) {
            full = true;
        }
    }
    ASSERT_TRUE(full);
    EXPECT_NO_THROW(cnn.rollbackTrans());
    ASSERT_FALSE(cnn.errors().isEmpty());
    EXPECT_TRUE(cnn.errors().front().description.contains(u"database or disk is full"_s))
        << cnn.errors().front().description.toStdString();
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave LIKE 'LLENO%'"_s).toInt(), 0);
}

// A statement nested past the translator's limit fails as the server fails it, through the error
// collection, not with a crash.
TEST_F(DbDllConnection, AStatementNestedTooDeeplyFailsAsTheServerFailsIt)
{
    DB_Dll& db = openMain();
    QString sql = u"UPDATE ta_configuracion SET Valor = "_s + QString(u'(').repeated(5000) + u"'1'"_s +
                  QString(u')').repeated(5000) + u" WHERE Clave = 'X'"_s;
    long affected = 7;
    db.EjecutaConsultaSQL(sql, affected);
    EXPECT_EQ(affected, 7);
    ASSERT_EQ(db.gCnn().errors().size(), 1);
    EXPECT_EQ(db.gCnn().errors().front().nativeError, 191);
}

TEST_F(DbDllConnection, AFailingStatementIsSilentAndKeepsTheCount)
{
    DB_Dll& db = openMain();
    QString insert = u"INSERT INTO ta_configuracion (Clave, Valor) VALUES ('DUPLICADA', '1')"_s;
    long affected = 0;
    db.EjecutaConsultaSQL(insert, affected);
    EXPECT_EQ(affected, 1);
    affected = 42;
    db.EjecutaConsultaSQL(insert, affected);
    EXPECT_EQ(affected, 42);
    ASSERT_FALSE(db.gCnn().errors().isEmpty());
    EXPECT_EQ(db.gCnn().errors().front().nativeError, NativeError::DuplicateKey);
}

TEST_F(DbDllConnection, AFailedQueryGoesToTheReporterAndItsLog)
{
    DB_Dll& db = openMain();
    AdoRecordset rs;
    QString sql = u"SELECT * FROM NO_EXISTE"_s;
    op().answerMessage(MsgAnswer::Abort, u"Ha ocurrido el Siguiente Error ("_s);
    db.AbrirRecordset(sql, rs);
    EXPECT_FALSE(rs.isOpen());
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_EQ(op().shown().front().style, MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
    EXPECT_TRUE(op().shown().front().title.endsWith(u" - AbrirRecordset Aviso al operador!!! - 5 "_s));

    const QString log = QString::fromLatin1(readFile(programFolder() + u"TSERR.LOG"_s));
    EXPECT_TRUE(log.startsWith(
        u"12-10-2026 09:05:07 Rutina: - AbrirRecordset Mensaje Ha ocurrido el Siguiente Error ("_s))
        << log.toStdString();
    EXPECT_TRUE(log.endsWith(u" Respondió : Abortar\r\n"_s)) << log.toStdString();
    EXPECT_EQ(readFile(programFolder() + u"TSERR.LOG"_s).count("\xf3"), 1) << "ANSI, not UTF-8";

    // Ignore goes on: the recordset stays closed, nothing is left open.
    op().answerMessage(MsgAnswer::Ignore);
    db.AbrirRecordset(sql, rs);
    EXPECT_FALSE(rs.isOpen());
}

TEST_F(DbDllConnection, AnInstalledProgramLogsInTheOperatorsFolder)
{
    ProgramInfo::setProgramFolderWritable(false);
    DB_Dll& db = openMain();
    AdoRecordset rs;
    QString sql = u"SELECT * FROM NO_EXISTE"_s;
    op().answerMessage(MsgAnswer::Abort, u"Ha ocurrido el Siguiente Error ("_s);
    db.AbrirRecordset(sql, rs);
    EXPECT_TRUE(QString::fromLatin1(readFile(userFolder() + u"TSERR.LOG"_s))
                    .startsWith(u"12-10-2026 09:05:07 Rutina: - AbrirRecordset Mensaje "_s));
    EXPECT_FALSE(QFile::exists(programFolder() + u"TSERR.LOG"_s));
}

TEST_F(DbDllConnection, TratamientoErroresTitleLogAndErrorZero)
{
    DB_Dll& db = DataGlobals::gDB();
    const QString customLog = folder() + u"/propio.log"_s;

    op().answerMessage(MsgAnswer::Retry);
    EXPECT_EQ(db.TratamientoErrores(RuntimeError(3021, u"Either BOF or EOF is True."_s, u"S"_s), std::nullopt,
                                    u"CierraRecordset"_s),
              4);
    EXPECT_EQ(op().shown().back().title, u"S - CierraRecordset Aviso al operador!!! - 5 "_s);
    EXPECT_EQ(op().shown().back().text,
              u"Ha ocurrido el Siguiente Error (3021) Either BOF or EOF is True."_s);

    op().answerMessage(MsgAnswer::Cancel);
    db.TratamientoErrores(RuntimeError(7, u"x"_s, u"S"_s), 1);
    EXPECT_EQ(op().shown().back().title, u"S Aviso al operador!!! - 5 "_s);
    EXPECT_EQ(op().shown().back().style, MsgStyle::OkCancel);

    db.setArchivoErrores(customLog);
    op().answerMessage(MsgAnswer::Ignore);
    db.TratamientoErrores(RuntimeError(9, u"Subscript out of range"_s, u"S"_s), std::nullopt, u"X"_s);
    EXPECT_EQ(
        QString::fromLatin1(readFile(customLog)),
        u"12-10-2026 09:05:07 Rutina: - X Mensaje Ha ocurrido el Siguiente Error (9) Subscript out of range "
        u"Respondió : Ignorar\r\n"_s);
    const QByteArray programLog = readFile(programFolder() + u"TSERR.LOG"_s);
    EXPECT_EQ(programLog.count("\r\n"), 2);

    // Error 0: no box, no file.
    db.setArchivoErrores(QString(folder() + u"/cero.log"_s));
    EXPECT_EQ(db.TratamientoErrores(RuntimeError(0, QString())), 0);
    EXPECT_FALSE(QFile::exists(folder() + u"/cero.log"_s));
}

TEST_F(DbDllConnection, ALostConnectionComesBackAtTheFirstReconnection)
{
    DB_Dll& db = openMain();
    db.gCnn().dropLink();
    AdoRecordset rs;
    QString sql = u"SELECT Codigo FROM MA_CUENTAS WHERE Codigo = '1.1.02.02'"_s;
    // The failure that started it is reported; retry runs the open on the restored connection.
    op().answerMessage(MsgAnswer::Retry, u"General network error"_s);
    db.AbrirRecordset(sql, rs);
    EXPECT_TRUE(db.gOpenFlag);
    ASSERT_TRUE(rs.isOpen());
    EXPECT_FALSE(rs.eof());
}

TEST_F(DbDllConnection, ALostConnectionThatStaysLostAsksUntilTheOperatorGivesUp)
{
    // The server is a folder of its own, which then goes out of reach.
    const QString server = folder() + u"/servidor"_s;
    ASSERT_TRUE(QDir().mkpath(server));
    ASSERT_TRUE(QFile::copy(mainDatabasePath(), server + u"/TALONEX_DEMO.db"_s));
    DB_Dll& db = DataGlobals::gDB();
    db.gServidor = server;
    db.gDBName = u"TALONEX_DEMO"_s;
    db.gUsuario = u"TESSARO"_s;
    db.OpenServerADODB(false, 3, QString(), true, true);
    ASSERT_TRUE(db.gOpenFlag);
    db.gCnn().dropLink();
    ASSERT_TRUE(QDir().rename(server, server + u".lejos"_s));

    struct Terminated
    {
    };
    DataGlobals::setTerminateProcess([] { throw Terminated{}; });
    op().answerMessage(MsgAnswer::Yes, u"Elija SI para reintentar conectarse"_s);
    op().answerMessage(MsgAnswer::No, u"Se perdio la conexion con la base de datos TALONEX_DEMO"_s);
    AdoRecordset rs;
    QString sql = u"SELECT * FROM MA_CUENTAS"_s;
    EXPECT_THROW(db.AbrirRecordset(sql, rs), Terminated);
    ASSERT_EQ(op().shown().size(), 2);
    for (const ScriptedOperator::Shown& box : op().shown()) {
        EXPECT_EQ(box.title, u"AVISO AL OPERADOR"_s);
        EXPECT_EQ(box.style, MsgStyle::YesNo + MsgStyle::Critical);
        EXPECT_EQ(box.text,
                  u"\r\n\r\n\r\nSe perdio la conexion con la base de datos TALONEX_DEMO\r\n Servidor "_s +
                      server +
                      u"\r\n\r\nElija SI para reintentar conectarse\r\nElija NO para cerrar la "
                      u"aplicacion\r\n\r\n\r\n"_s);
    }
}

TEST_F(DbDllConnection, CierraRecordsetClosesOpenOnesAndReportsMissingOnes)
{
    DB_Dll& db = openMain();
    AdoRecordset rs;
    db.CierraRecordset(&rs); // closed: nothing happens
    QString sql = u"SELECT * FROM ta_configuracion"_s;
    db.AbrirRecordset(sql, rs, nullptr, 2, 3);
    rs.addNew();
    rs.setValue(u"Clave", u"PENDIENTE"_s);
    db.CierraRecordset(&rs); // a pending edit is cancelled, then closed
    EXPECT_FALSE(rs.isOpen());
    EXPECT_FALSE(scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave = 'PENDIENTE'"_s).toBool());

    op().answerMessage(MsgAnswer::Abort, u"(91)"_s);
    db.CierraRecordset(nullptr);
}

TEST_F(DbDllConnection, UpdatableRecordsetsAddAndChangeRows)
{
    DB_Dll& db = openMain();
    AdoRecordset rs;
    QString sql = u"SELECT * FROM ta_configuracion with(nolock)  WHERE CLAVE = 'NUEVA'"_s;
    db.AbrirRecordset(sql, rs, nullptr, 2, 3);
    ASSERT_TRUE(rs.eof());
    rs.addNew();
    rs.setValue(u"Clave", u"NUEVA"_s);
    rs.setValue(u"Valor", u"O'Brien"_s);
    rs.update();
    db.CierraRecordset(&rs);
    EXPECT_EQ(scalar(u"SELECT Valor FROM ta_configuracion WHERE Clave = 'NUEVA'"_s).toString(), u"O'Brien"_s);

    db.AbrirRecordset(sql, rs, nullptr, 2, 3);
    ASSERT_FALSE(rs.eof());
    rs.setValue(u"Valor", u"2"_s);
    rs.update();
    db.CierraRecordset(&rs);
    EXPECT_EQ(scalar(u"SELECT Valor FROM ta_configuracion WHERE Clave = 'NUEVA'"_s).toString(), u"2"_s);
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM ta_configuracion WHERE Clave = 'NUEVA'"_s).toInt(), 1);
}

TEST_F(DbDllConnection, OpenLocalADODBAsksForTheFileUntilItOpensOrIsCancelled)
{
    DB_Dll db;
    db.gProveedor = DB_Dll::pJETOLEDB40();
    db.gUsuario = u"Admin"_s;
    // No file named: the operator picks one; a file that does not exist is asked for again.
    op().answerOpenFile(folder() + u"/no-existe.db"_s, u"Buscar Base de Datos"_s);
    op().answerOpenFile(mainDatabasePath(), u"Buscar Base de Datos"_s);
    db.OpenLocalADODB(QString(), u"User ID"_s, u"Password"_s);
    ASSERT_TRUE(db.gCnn().isOpen());
    EXPECT_EQ(db.gDBName, mainDatabasePath());
    EXPECT_EQ(db.gConnString, u"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source ="_s + mainDatabasePath() +
                                  u";User ID=Admin;Password=;"_s);
    EXPECT_EQ(op().shown().front().detail.section(u'|', 0, 1), u"Base de Datos de Microsoft Access |*.MDB"_s);

    // Cancelling ends without opening.
    DB_Dll cancelled;
    cancelled.gProveedor = DB_Dll::pJETOLEDB40();
    op().answerOpenFile(std::nullopt);
    cancelled.OpenLocalADODB(QString(), u"User ID"_s, u"Password"_s);
    EXPECT_FALSE(cancelled.gCnn().isOpen());

    // Any other failure is shown with its number and description.
    DB_Dll broken;
    broken.gDBName = u"cualquiera"_s;
    op().answerMessage(MsgAnswer::Ok);
    broken.OpenLocalADODB(u" "_s, QString(), QString());
    EXPECT_FALSE(broken.gCnn().isOpen());
    EXPECT_EQ(op().shown().back().style, MsgStyle::Critical);
}

TEST(ErrorLogText, PasswordsNeverReachATextThatIsLoggedOrShown)
{
    EXPECT_EQ(ErrorLog::withoutPasswords(u"Login failed: UId=U;Pwd=abc;Database =X"_s),
              u"Login failed: UId=U;Pwd=****;Database =X"_s);
    EXPECT_EQ(ErrorLog::withoutPasswords(u"User Id=U;Password = s3cr;"_s), u"User Id=U;Password =****;"_s);
    EXPECT_EQ(ErrorLog::withoutPasswords(u"Password Access"_s), u"Password Access"_s);
}

} // namespace
