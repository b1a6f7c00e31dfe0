#include "data/SqliteEngine.h"

#include "data/SqliteFunctions.h"

#include "zimbrel2/Clock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QStringList Schema = {
    u"CREATE TABLE BANCOS (IdBanco VARCHAR(3) COLLATE NOCASE PRIMARY KEY, "
    u"Descripcion VARCHAR(40) COLLATE NOCASE NOT NULL, CUIT VARCHAR(13) COLLATE NOCASE UNIQUE, "
    u"CONSTRAINT CK_BANCOS_Descripcion_length CHECK (length(Descripcion) <= 40))"_s,
    u"CREATE TABLE CHEQUES (Numero INTEGER PRIMARY KEY, "
    u"IdBanco VARCHAR(3) COLLATE NOCASE NOT NULL REFERENCES BANCOS (IdBanco), "
    u"NroComprobante VARCHAR(20) COLLATE NOCASE, Beneficiario VARCHAR(60) COLLATE NOCASE_RTRIM, "
    u"\"numero asiento\" INTEGER, Importe NUMERIC(18,2), Fecha DATE, Grabado DATETIME, "
    u"Entregado BOOLEAN NOT NULL DEFAULT 0, Estado VARCHAR(1) COLLATE NOCASE CHECK (Estado IN ('P', 'E')))"_s,
    u"CREATE VIEW V_CHEQUES AS SELECT Numero, IdBanco, NroComprobante, Beneficiario, Importe, Fecha "
    u"FROM CHEQUES"_s,
    u"CREATE TABLE FAMILIAS (IdFamilia VARCHAR(10) COLLATE NOCASE PRIMARY KEY, "
    u"Descripcion VARCHAR(60) COLLATE NOCASE)"_s,
    u"CREATE TABLE TIPOS (Serie CHAR(1), Texto TEXT, Nombre NVARCHAR(20), Monto MONEY, Tasa REAL, "
    u"Total BIGINT, Chico SMALLINT, Foto BLOB, Hora TIME)"_s,
    u"INSERT INTO BANCOS VALUES ('001', 'Banco Nacion', '30-50001091-2'), ('002', 'Banco Galicia', NULL)"_s,
    u"INSERT INTO CHEQUES (Numero, IdBanco, NroComprobante, Beneficiario, \"numero asiento\", Importe, "
    u"Fecha) "
    u"VALUES (1, '001', 'A-9', 'Ñandú S.A.', 10, 100.5, '2024-01-31'), "
    u"(2, '001', 'A-10', 'Perez Juan', 10, 20, '2024-02-01'), "
    u"(3, '001', 'A-2', 'perez juan  ', 11, 30, '2024-02-15'), "
    u"(4, '002', 'B-5', 'Lopez', 12, 40, '2024-03-01'), "
    u"(5, '001', 'A-11', NULL, 13, 50, '2024-03-02'), "
    u"(6, '001', '*-', 'Sin numero', 14, 60, '2024-03-03')"_s,
    u"INSERT INTO FAMILIAS VALUES ('1', 'Almacen'), ('11', 'Bebidas'), ('12', 'Limpieza'), ('2', "
    u"'Ferreteria'), "
    u"('21', 'Tornillos'), ('211', 'Autoperforantes')"_s,
};

class SqliteEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QFile file(databasePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        m_db = open();
        ASSERT_TRUE(m_db.isOpen());
        for (const QString& statement : Schema)
            ASSERT_EQ(run(statement).number, 0) << statement.toStdString();
    }

    void TearDown() override
    {
        m_db = QSqlDatabase();
        for (const QString& name : std::as_const(m_connections)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }

    QString databasePath() const { return m_folder.filePath(u"EMPRESA.db"_s); }

    ConnectionString connectionString() const
    {
        return ConnectionString(u"PROVIDER=SQLOLEDB;Server=/"_s + m_folder.path() +
                                u";Database =EMPRESA;UId=U;Pwd=P;"_s);
    }

    QSqlDatabase open(const QString& extraOptions = {})
    {
        const QString name = u"engine_test_"_s + QString::number(m_connections.size());
        m_connections.append(name);
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        AdoError error;
        EXPECT_TRUE(m_engine.configure(db, connectionString(), &error)) << error.description.toStdString();
        if (!extraOptions.isEmpty())
            db.setConnectOptions(db.connectOptions() + u';' + extraOptions);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        m_engine.prepareOpened(db);
        return db;
    }

    // Runs the statements `tsql` stands for, as the data layer does, up to the first failure.
    AdoError run(const QString& tsql, QSqlDatabase db = {})
    {
        QSqlQuery query(db.isValid() ? db : m_db);
        for (const QString& statement : m_engine.translate(tsql)) {
            if (!query.exec(statement))
                return m_engine.mapError(query.lastError());
        }
        return {};
    }

    // The rows of one query, each row's columns joined by "|".
    QStringList rows(const QString& tsql)
    {
        const QStringList statements = m_engine.translate(tsql);
        EXPECT_EQ(statements.size(), 1);
        QSqlQuery query(m_db);
        EXPECT_TRUE(query.exec(statements.value(0))) << query.lastError().text().toStdString();
        QStringList out;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values.append(query.isNull(i) ? u"NULL"_s : query.value(i).toString());
            out.append(values.join(u'|'));
        }
        return out;
    }

    QTemporaryDir m_folder;
    SqliteEngine m_engine;
    QSqlDatabase m_db;
    QStringList m_connections;
};

TEST_F(SqliteEngineTest, ConfigureFindsTheFileAndNeverCreatesOne)
{
    QSqlDatabase db = QSqlDatabase::database(m_connections.first(), false);
    EXPECT_EQ(SqliteEngine::databaseFile(db), databasePath());
    EXPECT_TRUE(db.connectOptions().contains(u"QSQLITE_BUSY_TIMEOUT=5000"_s));

    QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"engine_test_missing"_s);
    m_connections.append(other.connectionName());
    AdoError error;
    const ConnectionString missing(u"PROVIDER=SQLOLEDB;Server=/"_s + m_folder.path() +
                                   u";Database =OTRA;UId=U;Pwd=P;"_s);
    EXPECT_FALSE(m_engine.configure(other, missing, &error));
    EXPECT_EQ(error.number, AdoErrorNumber::LoginFailed);
    EXPECT_EQ(error.sqlState, u"42000"_s);
    EXPECT_EQ(error.nativeError, NativeError::CannotOpenDatabase);
    EXPECT_EQ(error.description,
              u"Cannot open database \"OTRA\" requested by the login. The login failed."_s);
    EXPECT_FALSE(QFileInfo::exists(m_folder.filePath(u"OTRA.db"_s)));

    // A file removed after configuring is not made again when the connection opens.
    const ConnectionString jet(u"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source ="_s +
                               m_folder.filePath(u"x.mdb"_s) + u";User ID=U;Password=P;"_s);
    QFile jetFile(m_folder.filePath(u"x.mdb"_s));
    ASSERT_TRUE(jetFile.open(QIODevice::WriteOnly));
    jetFile.close();
    ASSERT_TRUE(m_engine.configure(other, jet, &error));
    ASSERT_TRUE(QFile::remove(m_folder.filePath(u"x.mdb"_s)));
    EXPECT_FALSE(other.open());
    EXPECT_EQ(m_engine.mapError(other.lastError()).nativeError, NativeError::CannotOpenDatabase);
    EXPECT_FALSE(QFileInfo::exists(m_folder.filePath(u"x.mdb"_s)));
}

TEST_F(SqliteEngineTest, TranslatedStatementsGiveWhatTheServerGives)
{
    struct QueryCase
    {
        QString tsql;
        QStringList rows;
    };
    const QueryCase cases[] = {
        {u"SELECT TOP 1  * FROM BANCOS with(nolock)  WHERE LTRIM(RTRIM(IdBanco)) ='001'"_s,
         {u"001|Banco Nacion|30-50001091-2"_s}},
        // Reprint: numbers compared and ordered as numbers, not as texts.
        {u"select NroComprobante from v_cheques  where IdBanco = '001' and substring(NroComprobante,1,1) = "
         u"'A' "
         u"and (convert(int,substring(NroComprobante,3,100))>=2 and "
         u"convert(int,substring(NroComprobante,3,100))<=10) order by convert(int,substring(NroComprobante,3,100))"_s,
         {u"A-2"_s, u"A-9"_s, u"A-10"_s}},
        {u"select isnull(max(substring(NroComprobante,3,50)),0) as Maximo from cheques where "
         u"substring(NroComprobante,1,1)= 'B' and IDBANCO='002'"_s,
         {u"5"_s}},
        {u"select isnull(max(substring(NroComprobante,3,50)),0) as Maximo from cheques where "
         u"substring(NroComprobante,1,1)= 'C'"_s,
         {u"0"_s}},
        // Each family with its parent: the longest shorter code below it.
        {u"SELECT     TOP 100 PERCENT IdFamilia, (SELECT     TOP 1 idfamilia FROM FAMILIAS a   Where "
         u"a.IdFamilia < "
         u"b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < Len(LTrim(RTrim(b.IdFamilia))))  ORDER BY "
         u"idfamilia "
         u"DESC) AS [relative] FROM dbo.FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia"_s,
         {u"1|NULL"_s, u"11|1"_s, u"12|1"_s, u"2|NULL"_s, u"21|2"_s, u"211|21"_s}},
        {u"SELECT [numero asiento], 'N-' + NroComprobante, Len('ab  '), charindex('-', NroComprobante), "
         u"charindex('z', NroComprobante) FROM dbo.CHEQUES WHERE Numero = 4"_s,
         {u"12|N-B-5|2|2|0"_s}},
        {u"SELECT convert(varchar(10), Fecha, 103), Numero FROM CHEQUES WHERE Fecha >= {d '2024-03-01'} AND "
         u"Fecha < convert(datetime, '03/03/2024', 103) ORDER BY Numero"_s,
         {u"01/03/2024|4"_s, u"02/03/2024|5"_s}},
        // Texts compare without regard to case; with the text collation also beyond ASCII and
        // ignoring trailing blanks.
        {u"SELECT count(*) FROM BANCOS WHERE Descripcion = 'BANCO nacion'"_s, {u"1"_s}},
        {u"SELECT Numero FROM CHEQUES WHERE Beneficiario = 'PEREZ JUAN' ORDER BY Numero"_s, {u"2"_s, u"3"_s}},
        {u"SELECT Numero FROM CHEQUES WHERE Beneficiario = 'ñANDÚ s.a.   '"_s, {u"1"_s}},
        {u"SELECT count(DISTINCT Beneficiario) FROM CHEQUES"_s, {u"4"_s}},
        {u"SELECT count(*) FROM CHEQUES WHERE NroComprobante='*-' "_s, {u"1"_s}},
    };
    for (const QueryCase& c : cases)
        EXPECT_EQ(rows(c.tsql), c.rows) << c.tsql.toStdString();
}

// Texts sort and match as the suite's Spanish server collation does: accented letters beside their
// base letter, Ñ after N, case ignored for every letter by = and LIKE, accents counted.
TEST_F(SqliteEngineTest, SpanishTextsSortAndMatchAsOnTheServer)
{
    ASSERT_EQ(run(u"CREATE TABLE NOMBRES (Id INTEGER PRIMARY KEY, Nombre VARCHAR(60) COLLATE NOCASE_RTRIM)"_s)
                  .number,
              0);
    ASSERT_EQ(run(u"CREATE INDEX IX_NOMBRES ON NOMBRES (Nombre)"_s).number, 0);
    ASSERT_EQ(run(u"INSERT INTO NOMBRES (Nombre) VALUES ('Zárate'), ('Álamo'), ('Nutria'), ('Ñandú'), "
                  u"('Química Industrial'), ('Logística Ñandubay'), ('alamo'), ('Oca'), ('Ábaco')"_s)
                  .number,
              0);
    const struct
    {
        QString tsql;
        QStringList rows;
    } cases[] = {
        {u"SELECT Nombre FROM NOMBRES ORDER BY Nombre, Id"_s,
         {u"Ábaco"_s, u"alamo"_s, u"Álamo"_s, u"Logística Ñandubay"_s, u"Nutria"_s, u"Ñandú"_s, u"Oca"_s,
          u"Química Industrial"_s, u"Zárate"_s}},
        {u"SELECT Nombre FROM NOMBRES WHERE Nombre LIKE 'QUÍMICA%'"_s, {u"Química Industrial"_s}},
        {u"SELECT Nombre FROM NOMBRES WHERE Nombre LIKE '%ñandubay%'"_s, {u"Logística Ñandubay"_s}},
        {u"SELECT Nombre FROM NOMBRES WHERE Nombre LIKE 'ñ_ndÚ'"_s, {u"Ñandú"_s}},
        // Accents count for LIKE and for equality; case and trailing blanks do not.
        {u"SELECT Nombre FROM NOMBRES WHERE Nombre LIKE 'quimica%'"_s, {}},
        {u"SELECT Nombre FROM NOMBRES WHERE Nombre = 'ALAMO  '"_s, {u"alamo"_s}},
        {u"SELECT Nombre FROM NOMBRES WHERE Nombre = 'ÁLAMO'"_s, {u"Álamo"_s}},
        {u"SELECT Nombre FROM NOMBRES WHERE Nombre > 'Nutria' AND Nombre < 'Oca'"_s, {u"Ñandú"_s}},
        {u"SELECT count(*) FROM NOMBRES WHERE Nombre LIKE '%' ESCAPE '!'"_s, {u"9"_s}},
        {u"SELECT count(*) FROM NOMBRES WHERE Nombre LIKE '%!%%' ESCAPE '!'"_s, {u"0"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(c.tsql), c.rows) << c.tsql.toStdString();
    EXPECT_EQ(rows(u"PRAGMA integrity_check"_s), QStringList{u"ok"_s});
}

// Plain ASCII texts take a short way through the collation; it must order them exactly as the full
// Spanish comparison does, which texts behind a common accented letter go through.
TEST_F(SqliteEngineTest, PlainTextsSortAsTheFullComparisonSortsThem)
{
    QRandomGenerator random(20261211);
    const QString alphabet = u" !\"#$%&'()*+,-./0123456789:;<=>?@ABCXYZ[\\]^_`abcxyz{|}~"_s;
    QSqlQuery query(m_db);
    ASSERT_TRUE(query.prepare(
        u"SELECT (? COLLATE NOCASE_RTRIM > ?) - (? COLLATE NOCASE_RTRIM < ?), "
        u"('é' || ? COLLATE NOCASE_RTRIM > 'é' || ?) - ('é' || ? COLLATE NOCASE_RTRIM < 'é' || ?)"_s));
    const auto text = [&] {
        QString t;
        for (int n = int(random.bounded(5)); n > 0; --n)
            t += alphabet[random.bounded(int(alphabet.size()))];
        return t;
    };
    for (int k = 0; k < 3000; ++k) {
        const QString a = text();
        const QString b = k % 3 == 0 ? a.toUpper() + text() : text();
        for (int i = 0; i < 8; ++i)
            query.bindValue(i, i % 2 == 0 ? a : b);
        ASSERT_TRUE(query.exec() && query.next()) << query.lastError().text().toStdString();
        ASSERT_EQ(query.value(0).toInt(), query.value(1).toInt())
            << "'" << a.toStdString() << "' against '" << b.toStdString() << "'";
    }
}

// A file whose indexes were built in an older text order is reindexed once when it is opened, and
// marked so that the next open leaves it alone.
TEST_F(SqliteEngineTest, AFileIndexedInAnOlderTextOrderIsReindexedOnce)
{
    m_db = QSqlDatabase();
    const QString path = m_folder.filePath(u"VIEJO.db"_s);
    {
        // The older order: plain code points (case folded for ASCII only), as files were built.
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        const auto codePoints = [](void*, int n1, const void* a, int n2, const void* b) {
            const int c = std::memcmp(a, b, std::size_t(std::min(n1, n2)));
            return c != 0 ? c : n1 - n2;
        };
        ASSERT_EQ(sqlite3_create_collation(raw, "NOCASE_RTRIM", SQLITE_UTF8, nullptr, codePoints), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(raw,
                               "CREATE TABLE N (Nombre VARCHAR(60) COLLATE NOCASE_RTRIM);"
                               "CREATE INDEX IX_N ON N (Nombre);"
                               "INSERT INTO N VALUES ('Zárate'), ('Álamo'), ('Ñandú'), ('Nutria'), ('Oca');",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
    }
    const auto openOld = [&] {
        const QString name = u"engine_test_old_"_s + QString::number(m_connections.size());
        m_connections.append(name);
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        m_engine.prepareOpened(db);
        return db;
    };
    const auto one = [](QSqlDatabase db, const QString& sql) {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
        return q.next() ? q.value(0).toString() : QString();
    };
    QSqlDatabase db = openOld();
    EXPECT_EQ(one(db, u"PRAGMA integrity_check"_s), u"ok"_s);
    EXPECT_EQ(one(db, u"PRAGMA user_version"_s), QString::number(SqliteFunctions::TextOrderVersion));
    // The index is searched in the new order and finds what is there.
    EXPECT_EQ(one(db, u"SELECT Nombre FROM N INDEXED BY IX_N WHERE Nombre = 'ñandú'"_s), u"Ñandú"_s);
    EXPECT_EQ(one(db, u"SELECT group_concat(Nombre, ',') FROM (SELECT Nombre FROM N INDEXED BY IX_N WHERE "
                      u"Nombre > 'A' ORDER BY Nombre)"_s),
              u"Álamo,Nutria,Ñandú,Oca,Zárate"_s);
    db.close();

    // A file already in the current order is not reindexed again: its first page stays as it is.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QSqlDatabase again = openOld();
    EXPECT_EQ(one(again, u"PRAGMA user_version"_s), QString::number(SqliteFunctions::TextOrderVersion));
    again.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(SqliteEngineTest, GetdateReadsTheProgramClock)
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 1), QTime(10, 15, 30)));
    EXPECT_EQ(rows(u"SELECT getdate()"_s), QStringList{u"2026-03-01 10:15:30"_s});
    Clock::reset();
}

TEST_F(SqliteEngineTest, StatementsThatChangeData)
{
    EXPECT_EQ(run(u"DELETE CHEQUES WHERE IdBanco = '002'"_s).number, 0);
    EXPECT_EQ(run(u"Delete cheques where NroComprobante like 'A-1%'"_s).number, 0);
    EXPECT_EQ(rows(u"SELECT Numero FROM CHEQUES ORDER BY Numero"_s), (QStringList{u"1"_s, u"3"_s, u"6"_s}));
    EXPECT_EQ(
        run(u"UPDATE CHEQUES SET NroComprobante='A-00000012' WHERE Numero='6' and [numero asiento]='14'"_s)
            .number,
        0);
    EXPECT_EQ(rows(u"SELECT NroComprobante FROM CHEQUES WHERE Numero = 6"_s), QStringList{u"A-00000012"_s});

    // Columns added as the schema maintenance adds them.
    EXPECT_EQ(
        run(u"ALTER TABLE dbo.CHEQUES ADD Serie char(1) Null  CONSTRAINT DF_CHEQUES_Serie DEFAULT ('A')"_s)
            .number,
        0);
    EXPECT_EQ(run(u"ALTER TABLE dbo.CHEQUES ADD Lote int Not Null "_s).number, 0);
    const QStringList columns = m_engine.columns(m_db, QString(), u"dbo.CHEQUES"_s);
    EXPECT_TRUE(columns.contains(u"Serie"_s) && columns.contains(u"Lote"_s))
        << columns.join(u',').toStdString();
    EXPECT_EQ(rows(u"SELECT Serie, isnull(Lote, -1) FROM CHEQUES WHERE Numero = 1"_s),
              QStringList{u"A|-1"_s});
    EXPECT_EQ(run(u"DELETE FROM dbo.CHEQUES"_s).number, 0);
    EXPECT_EQ(rows(u"SELECT count(*) FROM CHEQUES"_s), QStringList{u"0"_s});
}

TEST_F(SqliteEngineTest, TransactionBatches)
{
    // A batch as the script routine builds it: committed by a statement of its own.
    EXPECT_EQ(
        run(u"BEGIN TRANSACTION \r\rINSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('005', 'Banco Cinco')\r"
            u"INSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('006', 'Banco Seis')\r"_s)
            .number,
        0);
    EXPECT_EQ(run(u"COMMIT TRANSACTION"_s).number, 0);
    QSqlDatabase second = open();
    QSqlQuery seen(second);
    ASSERT_TRUE(seen.exec(u"SELECT count(*) FROM BANCOS WHERE IdBanco IN ('005', '006')"_s));
    ASSERT_TRUE(seen.next());
    EXPECT_EQ(seen.value(0).toInt(), 2);
    seen.finish();

    // A failing statement: the duplicate key comes back as the server's 2627, and the rollback
    // takes back what the batch did before it.
    const AdoError failure = run(
        u"BEGIN TRANSACTION \r\rINSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('007', 'Banco Siete')\r\n"
        u"INSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('001', 'Repetido')\r\n"_s);
    EXPECT_EQ(failure.nativeError, NativeError::DuplicateKey);
    EXPECT_EQ(failure.number, AdoErrorNumber::Integrity);
    EXPECT_EQ(
        failure.description,
        u"Violation of PRIMARY KEY constraint 'PK_BANCOS'. Cannot insert duplicate key in object 'dbo.BANCOS'."_s);
    EXPECT_EQ(run(u"ROLLBACK TRANSACTION"_s).number, 0);
    EXPECT_EQ(rows(u"SELECT count(*) FROM BANCOS WHERE IdBanco = '007'"_s), QStringList{u"0"_s});
}

TEST_F(SqliteEngineTest, FailuresCarryTheServersNumbers)
{
    struct ErrorCase
    {
        QString tsql;
        long number;
        QString state;
        long native;
    };
    const QString tooLong(41, u'x');
    const ErrorCase cases[] = {
        {u"INSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('001', 'Otro')"_s, AdoErrorNumber::Integrity,
         u"23000"_s, 2627},
        {u"INSERT INTO BANCOS VALUES ('003', 'Otro', '30-50001091-2')"_s, AdoErrorNumber::Integrity,
         u"23000"_s, 2627},
        {u"INSERT INTO CHEQUES (Numero, IdBanco) VALUES (1, '001')"_s, AdoErrorNumber::Integrity, u"23000"_s,
         2627},
        {u"INSERT INTO CHEQUES (Numero, IdBanco) VALUES (20, 'ZZZ')"_s, AdoErrorNumber::Integrity, u"23000"_s,
         547},
        {u"DELETE BANCOS WHERE IdBanco = '001'"_s, AdoErrorNumber::Integrity, u"23000"_s, 547},
        {u"INSERT INTO BANCOS (IdBanco) VALUES ('009')"_s, AdoErrorNumber::Integrity, u"23000"_s, 515},
        {u"UPDATE BANCOS SET Descripcion = '"_s + tooLong + u"' WHERE IdBanco = '002'"_s,
         AdoErrorNumber::DataOverflow, u"22001"_s, 8152},
        {u"UPDATE CHEQUES SET Estado = 'X'"_s, AdoErrorNumber::Integrity, u"23000"_s, 547},
        {u"SELECT * FROM NO_EXISTE with(nolock)"_s, AdoErrorNumber::NoSuchTable, u"42S02"_s, 208},
        {u"SELECT NoExiste FROM BANCOS"_s, AdoErrorNumber::CommandText, u"42S22"_s, 207},
        {u"INSERT INTO BANCOS (NoExiste) VALUES (1)"_s, AdoErrorNumber::CommandText, u"42S22"_s, 207},
        {u"SELECT * FROM WHERE"_s, AdoErrorNumber::CommandText, u"42000"_s, 102},
        {u"ROLLBACK TRANSACTION"_s, AdoErrorNumber::CommandText, u"25000"_s, 3903},
        {u"SELECT nofunction(1)"_s, AdoErrorNumber::CommandText, u"42000"_s, 195},
    };
    for (const ErrorCase& c : cases) {
        const AdoError e = run(c.tsql);
        EXPECT_EQ(e.number, c.number) << c.tsql.toStdString() << ": " << e.description.toStdString();
        EXPECT_EQ(e.sqlState, c.state) << c.tsql.toStdString();
        EXPECT_EQ(e.nativeError, c.native) << c.tsql.toStdString();
        EXPECT_EQ(e.source, u"Microsoft OLE DB Provider for SQL Server"_s);
    }
    EXPECT_EQ(run(u"SELECT * FROM NO_EXISTE"_s).description, u"Invalid object name 'NO_EXISTE'."_s);
    EXPECT_EQ(
        run(u"INSERT INTO BANCOS (IdBanco) VALUES ('009')"_s).description,
        u"Cannot insert the value NULL into column 'Descripcion', table 'dbo.BANCOS'; column does not allow "
        u"nulls."_s);
}

// Two workstations share the file: a writer waits for the other's transaction instead of failing,
// and fails with the server's lock time-out only when the wait runs out.
TEST_F(SqliteEngineTest, WritersWaitForEachOther)
{
    const QString path = databasePath();
    std::atomic<bool> locked{false};
    std::atomic<bool> release{false};
    std::thread holder([&] {
        const QString name = u"engine_test_holder"_s;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
            db.setDatabaseName(path);
            if (db.open()) {
                QSqlQuery q(db);
                q.exec(u"BEGIN IMMEDIATE"_s);
                q.exec(u"INSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('050', 'Del otro puesto')"_s);
                locked = true;
                while (!release)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                q.exec(u"COMMIT"_s);
            }
            locked = true;
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    while (!locked)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));

    QSqlDatabase impatient = open(u"QSQLITE_BUSY_TIMEOUT=50"_s);
    const AdoError timeout =
        run(u"INSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('051', 'Apurado')"_s, impatient);
    EXPECT_EQ(timeout.nativeError, 1222);
    EXPECT_EQ(timeout.sqlState, u"HYT00"_s);
    EXPECT_EQ(timeout.number, AdoErrorNumber::Unspecified);

    release = true;
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(run(u"INSERT INTO BANCOS (IdBanco, Descripcion) VALUES ('052', 'Paciente')"_s).number, 0);
    EXPECT_GE(waited.elapsed(), 200);
    holder.join();
    EXPECT_EQ(rows(u"SELECT count(*) FROM BANCOS WHERE IdBanco IN ('050', '052')"_s), QStringList{u"2"_s});
}

TEST_F(SqliteEngineTest, AdoTypesFromDeclaredTypes)
{
    QSqlQuery query(m_db);
    ASSERT_TRUE(
        query.exec(u"SELECT c.IdBanco, c.Numero, c.Importe, c.Fecha, c.Grabado, c.Entregado, t.Serie, "
                   u"t.Texto, t.Nombre, t.Monto, t.Tasa, t.Total, t.Chico, t.Foto, t.Hora, count(*), "
                   u"max(c.Beneficiario), v.Fecha FROM CHEQUES c LEFT JOIN TIPOS t ON 1 = 1 "
                   u"JOIN V_CHEQUES v ON v.Numero = c.Numero GROUP BY c.Numero"_s))
        << query.lastError().text().toStdString();
    ASSERT_TRUE(query.next());
    // count(*) has no declared type: an integer, as the server's int.
    const int expected[] = {200, 3, 131, 135, 135, 11, 129, 202, 202, 6, 5, 20, 2, 205, 134, 3, 202, 135};
    for (int column = 0; column < int(std::size(expected)); ++column)
        EXPECT_EQ(m_engine.adoType(query, column), expected[column]) << "column " << column;
}

TEST_F(SqliteEngineTest, DefinedSizesOfTextColumnsFromTheirDeclarations)
{
    struct Case
    {
        QString column;
        int size; // 0: the engine knows none
    };
    const Case cases[] = {
        {u"c.IdBanco"_s, 3},
        {u"c.Beneficiario"_s, 60},
        {u"t.Serie"_s, 1},
        {u"t.Nombre"_s, 20},
        // A view's column has the size of the table column it shows, also under another name.
        {u"v.NroComprobante"_s, 20},
        {u"v.Beneficiario AS Nombre"_s, 60},
        {u"(SELECT Descripcion FROM BANCOS)"_s, 40},
        {u"t.Texto"_s, 0},
        {u"c.Importe"_s, 0},
        {u"c.Numero"_s, 0},
        {u"c.Fecha"_s, 0},
        {u"c.IdBanco || 'x'"_s, 0},
        {u"upper(c.Beneficiario)"_s, 0},
        {u"max(c.Beneficiario)"_s, 0},
        {u"'abc'"_s, 0},
    };
    for (const Case& c : cases) {
        QSqlQuery query(m_db);
        ASSERT_TRUE(query.exec(u"SELECT "_s + c.column +
                               u" FROM CHEQUES c JOIN V_CHEQUES v ON v.Numero = c.Numero LEFT JOIN TIPOS t "
                               u"ON 1 = 1"_s))
            << query.lastError().text().toStdString();
        EXPECT_EQ(std::max(m_engine.definedSize(query, 0, query.record().field(0)), 0), c.size)
            << c.column.toStdString();
    }
    const QPair<QString, int> declarations[] = {
        {u"VARCHAR(15)"_s, 15},  {u"varchar ( 8 )"_s, 8}, {u"NVARCHAR(40)"_s, 40}, {u"CHAR(1)"_s, 1},
        {u"NCHAR(2)"_s, 2},      {u"VARCHAR"_s, 0},       {u"NVARCHAR(max)"_s, 0}, {u"TEXT"_s, 0},
        {u"NUMERIC(18,2)"_s, 0}, {u"DECIMAL(10)"_s, 0},   {u"INT(11)"_s, 0},       {u"DATETIME"_s, 0},
    };
    for (const auto& [declared, size] : declarations)
        EXPECT_EQ(SqliteEngine::textSizeOfDeclaration(declared), size) << declared.toStdString();
}

TEST_F(SqliteEngineTest, ValuesBoundAsTheDatabaseStoresThem)
{
    struct ValueCase
    {
        QVariant value;
        int adoType;
        QVariant bound;
    };
    const ValueCase cases[] = {
        {QDate(2024, 1, 31), 135, u"2024-01-31"_s},
        {QDateTime(QDate(2024, 1, 31), QTime(8, 5, 9)), 135, u"2024-01-31 08:05:09"_s},
        {u"31/01/2024"_s, 135, u"2024-01-31"_s},
        {u"31/01/2024"_s, 202, u"31/01/2024"_s},
        {u"no es fecha"_s, 135, u"no es fecha"_s},
        {true, 11, 1},
        {12.5, 131, 12.5},
        {QVariant(), 135, QVariant()},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(m_engine.toEngineValue(c.value, c.adoType), c.bound) << c.value.toString().toStdString();

    // A date bound that way compares with the literals of the statements.
    QSqlQuery insert(m_db);
    insert.prepare(u"INSERT INTO CHEQUES (Numero, IdBanco, Fecha) VALUES (30, '002', ?)"_s);
    insert.addBindValue(m_engine.toEngineValue(QDate(2024, 4, 1), 135));
    ASSERT_TRUE(insert.exec()) << insert.lastError().text().toStdString();
    EXPECT_EQ(rows(u"SELECT Numero FROM CHEQUES WHERE Fecha = {d '2024-04-01'}"_s), QStringList{u"30"_s});
}

TEST_F(SqliteEngineTest, CatalogAndDefaultDatabase)
{
    EXPECT_EQ(m_engine.tables(m_db),
              (QStringList{u"BANCOS"_s, u"CHEQUES"_s, u"FAMILIAS"_s, u"TIPOS"_s, u"V_CHEQUES"_s}));
    EXPECT_EQ(m_engine.columns(m_db, u"empresa"_s, u"V_CHEQUES"_s),
              (QStringList{u"Numero"_s, u"IdBanco"_s, u"NroComprobante"_s, u"Beneficiario"_s, u"Importe"_s,
                           u"Fecha"_s}));
    EXPECT_TRUE(m_engine.columns(m_db, QString(), u"NO_EXISTE"_s).isEmpty());

    AdoError error;
    EXPECT_TRUE(m_engine.useDatabase(m_db, u"empresa"_s, &error));
    EXPECT_TRUE(m_engine.useDatabase(m_db, QString(), &error));
    EXPECT_FALSE(m_engine.useDatabase(m_db, u"TS_ESTADISTICAS"_s, &error));
    EXPECT_EQ(error.nativeError, 911);
    EXPECT_EQ(error.description,
              u"Database 'TS_ESTADISTICAS' does not exist. Make sure that the name is entered correctly."_s);
}

} // namespace
