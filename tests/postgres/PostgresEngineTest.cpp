// The PostgreSQL engine on a real throwaway server holding the demo, created by the talonex-demo
// tool itself: the translation of the program's statements, texts compared as on the suite's server,
// SQL Server's error numbers, ADO types and sizes, and the lock of the number guard's hint.
#include "data/PostgresEngine.h"
#include "PostgresDemoFixture.h"
#include "data/AdoConnection.h"
#include "data/AdoRecordset.h"
#include "data/TsqlToPostgres.h"
#include "demo/DemoDatabase.h"
#include "support/DemoStatementCorpus.h"
#include "support/PostgresServer.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/RuntimeError.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The statements the SQLite engine runs on its demo, through the engine as the data layer runs them.
// They change the schema at the end: they run on a copy of the demo database.
TEST_F(PostgresDemoTest, ProgramStatementsRunOnTheDemoDatabase)
{
    QString error;
    for (const QString& step : {u"DROP DATABASE IF EXISTS corpus WITH (FORCE)"_s,
                                u"CREATE DATABASE corpus TEMPLATE \"TALONEX_DEMO\""_s})
        ASSERT_TRUE(s_server->psql(u"postgres"_s, step, &error)) << qPrintable(error);
    const ConnectionString cs(u"PROVIDER=SQLOLEDB;Server="_s + s_server->serverUrl() +
                              u";Database =corpus;UId=TESSARO;Pwd=pampero;"_s);
    AdoError failure;
    const std::unique_ptr<SqlEngine> engine = SqlEngine::forConnectionString(cs, &failure);
    ASSERT_TRUE(engine);
    ASSERT_EQ(engine->name(), u"PostgreSQL"_s);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(engine->driverName(), u"pg_corpus"_s);
        ASSERT_TRUE(engine->configure(db, cs, &failure)) << qPrintable(failure.description);
        ASSERT_TRUE(db.open()) << qPrintable(db.lastError().text());
        engine->prepareOpened(db);
        EXPECT_TRUE(engine->tables(db).contains(u"v_chequesentregados"_s));
        QSqlQuery query(db);
        for (const QString& tsql : demoStatementCorpus()) {
            const QStringList statements = engine->translate(tsql);
            EXPECT_FALSE(statements.isEmpty()) << qPrintable(tsql);
            for (const QString& statement : statements) {
                EXPECT_TRUE(query.exec(statement))
                    << qPrintable(tsql) << "\n as " << qPrintable(statement)
                    << "\n: " << qPrintable(engine->mapError(query.lastError()).description);
                while (query.next()) {
                }
            }
        }
        EXPECT_TRUE(engine->columns(db, QString(), u"MV_ASIENTOS"_s).contains(u"serie"_s));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(u"pg_corpus"_s);
    EXPECT_TRUE(s_server->psql(u"postgres"_s, u"DROP DATABASE corpus WITH (FORCE)"_s, &error))
        << qPrintable(error);
}

TEST_F(PostgresDemoTest, TheDemoHoldsWhatTheSqliteDemoHolds)
{
    AdoConnection connection;
    connection.open(connectionString());
    EXPECT_EQ(connection.engine()->name(), u"PostgreSQL"_s);
    EXPECT_EQ(
        scalar(connection, u"SELECT count(*) FROM v_chequesentregados WHERE NroComprobanteBancario <> '*-'"_s)
            .toInt(),
        DemoDb::NumberedCheques);
    EXPECT_EQ(scalar(connection, u"SELECT count(*) FROM MV_ASIENTOS"_s).toLongLong(),
              DemoDb::DefaultAccountingLines);
    EXPECT_EQ(
        scalar(connection, u"SELECT max(Numero_Hasta) FROM TA_CHEQUERAS WHERE CuentaBancoDiferido = '"_s +
                               DemoDb::TestAccount + u"' AND Serie = '"_s + DemoDb::TestSeries + u"'"_s)
            .toInt(),
        DemoDb::TestLastChequebookNumber);
}

struct TranslationCase
{
    const char* what;
    QString tsql;
    QVariant expected;
};

TEST_F(PostgresDemoTest, TheProgramsStatementsRunAndGiveWhatSqlServerGives)
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(10, 20, 30)));
    AdoConnection connection;
    connection.open(connectionString());
    const QString account = DemoDb::TestAccount;
    const QList<TranslationCase> cases = {
        {"TOP and a hint",
         u"SELECT TOP 1 Codigo FROM MA_CUENTAS WITH (NOLOCK) WHERE Codigo = '"_s + account + u"'"_s, account},
        {"TOP in a sub-select and (NOLOCK)",
         u"SELECT count(*) FROM (SELECT TOP 3 Codigo FROM MA_CUENTAS (NOLOCK) ORDER BY Codigo) X"_s, 3},
        {"isnull", u"SELECT isnull(NULL, 'x')"_s, u"x"_s},
        {"charindex without regard to case", u"SELECT charindex('b', 'aBc')"_s, 2},
        {"charindex from a start", u"SELECT charindex('a', 'abca', 2)"_s, 4},
        {"len ignores trailing blanks", u"SELECT len('ab  ')"_s, 2},
        {"getdate is the program clock", u"SELECT convert(varchar(10), getdate(), 103)"_s, u"05/03/2026"_s},
        {"convert with style 103 to a date",
         u"SELECT CASE WHEN convert(datetime, '05/03/2026', 103) = {d '2026-03-05'} THEN 1 ELSE 0 END"_s, 1},
        {"convert of a column with a style",
         u"SELECT convert(varchar(10), tsql_datetime('31/12/2025', 103), 112)"_s, u"20251231"_s},
        {"{ts ...}", u"SELECT CASE WHEN {ts '2026-03-05 10:20:30'} = getdate() THEN 1 ELSE 0 END"_s, 1},
        {"convert to int", u"SELECT convert(int, '42') + 1"_s, 43},
        {"convert to float keeps double precision", u"SELECT convert(float, '0.1') * 3"_s, 0.1 * 3},
        {"+ between texts", u"SELECT 'B' + '-' + convert(varchar(10), 100)"_s, u"B-100"_s},
        {"+ between two text columns",
         u"SELECT TOP 1 IdBanco + Serie FROM TA_CHEQUERAS WHERE CuentaBancoDiferido = '"_s + account +
             u"' AND Serie = 'B' ORDER BY Numero_Desde DESC"_s,
         QString(DemoDb::TestBankId + DemoDb::TestSeries)},
        {"brackets and the dbo owner",
         u"SELECT count(*) FROM dbo.[MV_ASIENTOS] WHERE [Numero Asiento] > 0 AND [Cuenta] = '"_s + account +
             u"'"_s,
         QVariant()},
        {"substring", u"SELECT substring('B-100', 1, 1)"_s, u"B"_s},
        {"left and right", u"SELECT left('abcd', 2) + right('abcd', 2)"_s, u"abcd"_s},
        {"text = without regard to case",
         u"SELECT count(*) FROM MA_CUENTAS WHERE Codigo = '"_s + DemoDb::LowerCaseChequeAccount +
             u"' AND MedioDePago = 'CH'"_s,
         1},
        {"LIKE without regard to case",
         u"SELECT count(*) FROM MA_CUENTAS WHERE Codigo = '"_s + account +
             u"' AND Descripcion LIKE '%GALICIA%'"_s,
         1},
    };
    for (const TranslationCase& c : cases) {
        SCOPED_TRACE(c.what);
        QVariant value;
        try {
            value = scalar(connection, c.tsql);
        } catch (const RuntimeError& e) {
            ADD_FAILURE() << qPrintable(c.tsql) << ": " << qPrintable(e.description());
            continue;
        }
        if (!c.expected.isValid())
            EXPECT_GT(value.toInt(), 0);
        else if (c.expected.metaType().id() == QMetaType::Double)
            EXPECT_DOUBLE_EQ(value.toDouble(), c.expected.toDouble());
        else
            EXPECT_EQ(value.toString(), c.expected.toString()) << qPrintable(c.tsql);
    }
    Clock::reset();
}

TEST_F(PostgresDemoTest, TextsCompareWithoutRegardToCaseAndWithRegardToAccents)
{
    AdoConnection connection;
    connection.open(connectionString());
    connection.execute(u"CREATE TEMPORARY TABLE textos (t VARCHAR(20) COLLATE tsql_ci)"_s);
    connection.execute(
        u"INSERT INTO textos (t) VALUES ('Peña'), ('PEÑA'), ('Pena'), ('pena'), ('Zamora'), ('Álvarez'), ('avila')"_s);
    struct Case
    {
        QString where;
        int count;
    };
    const QList<Case> cases = {
        {u"t = 'peña'"_s, 2},    {u"t = 'PENA'"_s, 2},           {u"t <> 'peña'"_s, 5},
        {u"t LIKE 'PEÑ%'"_s, 2}, {u"t LIKE 'pen_'"_s, 2},        {u"t NOT LIKE 'pe%'"_s, 3},
        {u"t LIKE '%ÑA'"_s, 2},  {u"t IN ('zamora', 'X')"_s, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scalar(connection, u"SELECT count(*) FROM textos WHERE "_s + c.where).toInt(), c.count)
            << qPrintable(c.where);
    // Spanish order: accented letters with their plain ones, case aside.
    AdoRecordsetPtr rows =
        connection.execute(u"SELECT DISTINCT t FROM textos WHERE t NOT LIKE 'p%' ORDER BY t"_s);
    QStringList order;
    for (; !rows->eof(); rows->moveNext())
        order.append(rows->value(0).toString());
    EXPECT_EQ(order, (QStringList{u"Álvarez"_s, u"avila"_s, u"Zamora"_s}));
}

TEST_F(PostgresDemoTest, FailuresCarrySqlServersNativeNumbers)
{
    AdoConnection connection;
    connection.open(connectionString());
    connection.execute(u"CREATE TEMPORARY TABLE claves (c VARCHAR(3) PRIMARY KEY, u INTEGER)"_s);
    connection.execute(u"CREATE UNIQUE INDEX ix_claves_u ON claves (u)"_s);
    connection.execute(u"INSERT INTO claves (c, u) VALUES ('a', 1)"_s);
    struct Case
    {
        QString statement;
        long native;
    };
    const QList<Case> cases = {
        {u"SELECT * FROM NO_EXISTE"_s, 208},
        {u"SELECT NoExiste FROM MA_CUENTAS"_s, 207},
        {u"INSERT INTO claves (c, u) VALUES ('A', 2)"_s, 2627}, // the key without regard to case
        {u"INSERT INTO claves (c, u) VALUES ('b', 1)"_s, 2601},
        {u"INSERT INTO claves (c, u) VALUES ('abcd', 3)"_s, 8152},
        {u"INSERT INTO claves (c, u) VALUES (NULL, 4)"_s, 515},
        {u"SELEC 1"_s, 102},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nativeErrorOf(connection, c.statement), c.native) << qPrintable(c.statement);
}

TEST_F(PostgresDemoTest, ALostConnectionFailsAsANetworkError)
{
    AdoConnection connection;
    connection.open(connectionString());
    const int pid = scalar(connection, u"SELECT pg_backend_pid()"_s).toInt();
    AdoConnection other;
    other.open(connectionString());
    other.execute(u"SELECT pg_terminate_backend("_s + QString::number(pid) + u")"_s);
    EXPECT_EQ(nativeErrorOf(connection, u"SELECT 1"_s), 11);
    EXPECT_EQ(connection.errors().value(0).sqlState, u"08S01"_s);
}

TEST_F(PostgresDemoTest, AWrongLoginOrDatabaseFailsAsOnSqlServer)
{
    struct Case
    {
        QString text;
        long native;
    };
    const QString base = u"PROVIDER=SQLOLEDB;Server="_s + s_server->serverUrl();
    const QList<Case> cases = {
        {base + u";Database =NO_EXISTE;UId=TESSARO;Pwd=x;"_s, NativeError::CannotOpenDatabase},
        {base + u";Database =TALONEX_DEMO;UId=NADIE;Pwd=x;"_s, NativeError::LoginFailed},
        {u"PROVIDER=SQLOLEDB;Server=pg://127.0.0.1:1;Database =TALONEX_DEMO;UId=TESSARO;Pwd=x;"_s, 17},
    };
    for (const Case& c : cases) {
        AdoConnection connection;
        try {
            connection.open(c.text);
            ADD_FAILURE() << "opened " << qPrintable(c.text);
        } catch (const RuntimeError&) {
            EXPECT_EQ(connection.errors().value(0).nativeError, c.native) << qPrintable(c.text);
        }
    }
}

TEST_F(PostgresDemoTest, ResultColumnsHaveAdoTypesAndSizes)
{
    AdoConnection connection;
    connection.open(connectionString());
    AdoRecordsetPtr rows = connection.execute(
        u"SELECT TOP 1 Codigo, IdCuenta, Confidencial, FECHAHORA_GRABACION FROM MA_CUENTAS ORDER BY Codigo"_s);
    ASSERT_EQ(rows->fieldCount(), 4);
    EXPECT_EQ(rows->field(0).type, 200);
    EXPECT_EQ(rows->field(0).definedSize, 15);
    EXPECT_EQ(rows->field(1).type, 3);
    EXPECT_EQ(rows->field(2).type, 2);
    EXPECT_EQ(rows->field(3).type, 135);
    AdoRecordsetPtr money = connection.execute(u"SELECT TOP 1 Importe, Fecha FROM MV_ASIENTOS"_s);
    EXPECT_EQ(money->field(0).type, 131);
    EXPECT_EQ(money->field(1).type, 135);
}

TEST_F(PostgresDemoTest, ABatchWithTransactionStatementsStandsOrFallsWhole)
{
    AdoConnection connection;
    connection.open(connectionString());
    connection.execute(u"CREATE TEMPORARY TABLE lote (n INTEGER PRIMARY KEY)"_s);
    connection.execute(
        u"BEGIN TRANSACTION\rINSERT INTO lote (n) VALUES (1)\rINSERT INTO lote (n) VALUES (2)\r"
        u"COMMIT TRANSACTION"_s);
    EXPECT_EQ(scalar(connection, u"SELECT count(*) FROM lote"_s).toInt(), 2);
    EXPECT_NE(nativeErrorOf(connection, u"BEGIN TRANSACTION\rINSERT INTO lote (n) VALUES (3)\r"
                                        u"INSERT INTO lote (n) VALUES (1)"_s),
              0);
    connection.execute(u"ROLLBACK TRANSACTION"_s);
    EXPECT_EQ(scalar(connection, u"SELECT count(*) FROM lote"_s).toInt(), 2);
}

// The number guard reads with UPDLOCK, HOLDLOCK inside its transaction: a second workstation's
// guard waits until the first commits and then sees its number.
TEST_F(PostgresDemoTest, TheGuardsLockHintMakesASecondTransactionWaitForTheFirst)
{
    AdoConnection setup;
    setup.open(connectionString());
    setup.execute(u"CREATE TABLE IF NOT EXISTS guardia (numero VARCHAR(10))"_s);
    setup.execute(u"DELETE guardia"_s);
    const QString guard = u"SELECT count(*) FROM guardia WITH (UPDLOCK, HOLDLOCK) WHERE numero = 'B-100'"_s;

    AdoConnection first;
    first.open(connectionString());
    first.beginTrans();
    EXPECT_EQ(scalar(first, guard).toInt(), 0);

    int secondSaw = -1;
    std::thread second([&] {
        AdoConnection connection;
        connection.open(connectionString());
        connection.beginTrans();
        secondSaw = scalar(connection, guard).toInt();
        connection.rollbackTrans();
        connection.close();
    });
    // Until the second transaction waits on the lock the first holds.
    bool waiting = false;
    for (int attempt = 0; attempt < 600 && !waiting; ++attempt) {
        waiting =
            scalar(setup, u"SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND NOT granted"_s)
                .toInt() > 0;
        if (!waiting)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(waiting);
    first.execute(u"INSERT INTO guardia (numero) VALUES ('B-100')"_s);
    first.commitTrans();
    second.join();
    EXPECT_EQ(secondSaw, 1);
    setup.execute(u"DROP TABLE guardia"_s);
}

TEST(TsqlToPostgres, TheGuardsHintTakesTheTablesLockFirst)
{
    const QStringList out = TsqlToPostgres::translate(
        u"SELECT count(*) FROM dbo.MV_ASIENTOS WITH (UPDLOCK, HOLDLOCK) WHERE NroComprobanteBancario = 'B-1'"_s,
        QDateTime());
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out[0], TsqlToPostgres::lockStatement(u"mv_asientos"_s));
    EXPECT_FALSE(out[1].contains(u"UPDLOCK"_s, Qt::CaseInsensitive));
}

} // namespace

namespace {

// The program itself, started on the server as a workstation starts it: its start-up reads the
// configuration, the user's access and the cheque window's lists through the engine.
TEST_F(PostgresDemoTest, TheProgramStartsOnTheServer)
{
    for (const QString& user : {DemoDb::AdminUser, DemoDb::PlainUser}) {
        QProcess program;
        program.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TALONEX_PROGRAM),
                      {u"@Server="_s + s_server->serverUrl() + u"; @DbName="_s + DemoDb::MainDatabaseName +
                       u"; @Usuario="_s + user + u"; @Password="_s + DemoDb::DefaultPassword +
                       u"; @UsuarioLogeado="_s + user + u"; @Caja=1;"_s});
        ASSERT_TRUE(program.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(program.readAll());
        EXPECT_TRUE(output.contains(u"en la base "_s + DemoDb::MainDatabaseName + u" como "_s + user))
            << qPrintable(output);
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << qPrintable(output);
    }
}

} // namespace

namespace {

// Workstations numbering one series at once, each in a transaction per number as the cheque run
// takes one: the guard reads the highest number with UPDLOCK, HOLDLOCK and writes the next. One
// workstation's connection is cut in the middle of a transaction, as when its process is killed.
// Every number exactly once, and without a gap.
TEST_F(PostgresDemoTest, WorkstationsNumberingOneSeriesAtOnceNeverTakeANumberTwice)
{
    AdoConnection setup;
    setup.open(connectionString());
    setup.execute(
        u"CREATE TABLE IF NOT EXISTS numeracion (serie VARCHAR(1), numero INTEGER, puesto INTEGER)"_s);
    constexpr int NumbersEach = 25;
    for (const int workstations : {2, 4, 8}) {
        for (int trial = 0; trial < 2; ++trial) {
            SCOPED_TRACE(workstations);
            setup.execute(u"DELETE numeracion"_s);
            std::atomic<int> cut{-1};
            std::vector<int> taken(workstations, 0);
            std::vector<std::thread> threads;
            for (int w = 0; w < workstations; ++w) {
                threads.emplace_back([&, w] {
                    AdoConnection connection;
                    connection.open(connectionString());
                    if (w == 0)
                        cut = scalar(connection, u"SELECT pg_backend_pid()"_s).toInt();
                    try {
                        for (int i = 0; i < NumbersEach; ++i) {
                            connection.beginTrans();
                            const int highest =
                                scalar(connection, u"SELECT isnull(max(numero), 0) FROM numeracion "
                                                   u"WITH (UPDLOCK, HOLDLOCK) WHERE serie = 'B'"_s)
                                    .toInt();
                            connection.execute(
                                u"INSERT INTO numeracion (serie, numero, puesto) VALUES ('B', "_s +
                                QString::number(highest + 1) + u", "_s + QString::number(w) + u")"_s);
                            connection.commitTrans();
                            ++taken[w];
                        }
                    } catch (const RuntimeError&) {
                        // Only the workstation whose link is cut stops.
                        EXPECT_EQ(w, 0);
                    }
                });
            }
            // Workstation 0 loses its link after its first numbers, in the middle of a transaction
            // or between two.
            while (cut < 0 || taken[0] < 3)
                std::this_thread::yield();
            setup.execute(u"SELECT pg_terminate_backend("_s + QString::number(cut.load()) + u")"_s);
            for (std::thread& t : threads)
                t.join();
            const int committed = std::accumulate(taken.begin(), taken.end(), 0);
            EXPECT_EQ(scalar(setup, u"SELECT count(*) FROM numeracion"_s).toInt(), committed);
            EXPECT_EQ(scalar(setup, u"SELECT count(DISTINCT numero) FROM numeracion"_s).toInt(), committed);
            EXPECT_EQ(scalar(setup, u"SELECT max(numero) FROM numeracion"_s).toInt(), committed);
            EXPECT_LT(taken[0], NumbersEach);
            EXPECT_EQ(committed - taken[0], (workstations - 1) * NumbersEach);
        }
    }
    setup.execute(u"DROP TABLE numeracion"_s);
}

} // namespace
