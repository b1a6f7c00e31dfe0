#include "data/ConnectionString.h"
#include "data/OdbcEngine.h"
#include "data/SqlEngine.h"
#include "data/SqliteEngine.h"

#include <QSqlDatabase>
#include <QSqlError>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

TEST(ConnectionString, ReadsTheProgramsStrings)
{
    struct Case
    {
        QString text;
        QString provider, server, database, dataSource, user, password;
    };
    const Case cases[] = {
        {u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=P;"_s,
         u"SQLOLEDB"_s,
         u"SRV"_s,
         u"DB"_s,
         {},
         u"U"_s,
         u"P"_s},
        {u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=P;"_s,
         u"OraOLEDB.Oracle.1"_s,
         u"PROD"_s,
         {},
         u"PROD"_s,
         u"U"_s,
         u"P"_s},
        {u"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =C:\\x.mdb;User ID=U;Password=P;"_s,
         u"Microsoft.Jet.OLEDB.4.0"_s,
         u"C:\\x.mdb"_s,
         {},
         u"C:\\x.mdb"_s,
         u"U"_s,
         u"P"_s},
        // Keys without regard to case or blanks; the first occurrence wins; quoted values keep ";".
        {u" provider = SQLOLEDB ; SERVER= SRV\\INST ;server=OTHER;Initial Catalog=E1;uid=ana;pwd=\"a;b\"\"c\";"_s,
         u"SQLOLEDB"_s,
         u"SRV\\INST"_s,
         u"E1"_s,
         {},
         u"ana"_s,
         u"a;b\"c"_s},
        {u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=;Trusted"_s,
         u"SQLOLEDB"_s,
         u"SRV"_s,
         u"DB"_s,
         {},
         u"U"_s,
         {}},
    };
    for (const Case& c : cases) {
        const ConnectionString cs(c.text);
        EXPECT_EQ(cs.text(), c.text);
        EXPECT_EQ(cs.provider(), c.provider) << c.text.toStdString();
        EXPECT_EQ(cs.server(), c.server) << c.text.toStdString();
        EXPECT_EQ(cs.database(), c.database) << c.text.toStdString();
        EXPECT_EQ(cs.dataSource(), c.dataSource) << c.text.toStdString();
        EXPECT_EQ(cs.user(), c.user) << c.text.toStdString();
        EXPECT_EQ(cs.password(), c.password) << c.text.toStdString();
    }
    const ConnectionString flags(u"PROVIDER=SQLOLEDB;Trusted;Server=SRV"_s);
    EXPECT_TRUE(flags.has(u" trusted "));
    EXPECT_EQ(flags.value({u"Trusted"}), QString());
    EXPECT_FALSE(flags.has(u"Pwd"));
}

TEST(ConnectionString, MaskedHidesThePassword)
{
    const std::pair<QString, QString> cases[] = {
        {u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=secreto;"_s,
         u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=****;"_s},
        {u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=x;"_s,
         u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=****;"_s},
        {u"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =C:\\x.mdb;Jet OLEDB:Database Password=j;Pwd=\"a;b\""_s,
         u"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =C:\\x.mdb;Jet OLEDB:Database Password=****;Pwd=****"_s},
    };
    for (const auto& [text, masked] : cases)
        EXPECT_EQ(ConnectionString(text).masked(), masked);
}

TEST(SqlEngine, ChosenByTheConnectionString)
{
    struct Case
    {
        QString text;
        QString engine; // empty: none
        QString file;   // the SQLite file
    };
    const Case cases[] = {
        {u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=P;"_s, u"SQL Server"_s, {}},
        {u"PROVIDER=SQLOLEDB;Server=SRV01\\ZIMBREL;Database =DB;UId=U;Pwd=P;"_s, u"SQL Server"_s, {}},
        {u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=P;"_s, u"Oracle"_s, {}},
        {u"Provider=MSDAORA;Data Source=ORACLE_PROD;User Id=U;Password=P;"_s, u"Oracle"_s, {}},
        // Only the provider makes a connection Oracle.
        {u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=oracle_ro;Pwd=Oracle1;"_s, u"SQL Server"_s, {}},
        {u"PROVIDER=SQLOLEDB;Server=ORACLE01;Database =DB;UId=U;Pwd=P;"_s, u"SQL Server"_s, {}},
        {u"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =/srv/datos/x.mdb;User ID=U;Password=P;"_s,
         u"SQLite"_s, u"/srv/datos/x.mdb"_s},
        {u"PROVIDER=SQLOLEDB;Server=//var/lib/talonex;Database =TALONEX_DEMO;UId=U;Pwd=P;"_s, u"SQLite"_s,
         u"/var/lib/talonex/TALONEX_DEMO.db"_s},
        {u"PROVIDER=SQLOLEDB;Server=/var/lib/talonex/;Database =TS_ESTADISTICAS;UId=U;Pwd=P;"_s, u"SQLite"_s,
         u"/var/lib/talonex/TS_ESTADISTICAS.db"_s},
        // A folder whose name speaks of Oracle is still a folder.
        {u"PROVIDER=SQLOLEDB;Server=/datos/oracle;Database =DB;UId=U;Pwd=P;"_s, u"SQLite"_s,
         u"/datos/oracle/DB.db"_s},
        {u"   "_s, {}, {}},
    };
    for (const Case& c : cases) {
        AdoError error;
        const ConnectionString cs(c.text);
        const std::unique_ptr<SqlEngine> engine = SqlEngine::forConnectionString(cs, &error);
        if (c.engine.isEmpty()) {
            EXPECT_FALSE(engine) << c.text.toStdString();
            EXPECT_NE(error.number, 0);
            continue;
        }
        ASSERT_TRUE(engine) << c.text.toStdString();
        EXPECT_EQ(engine->name(), c.engine) << c.text.toStdString();
        EXPECT_EQ(engine->driverName(), c.engine == u"SQLite" ? u"QSQLITE"_s : u"QODBC"_s);
        if (!c.file.isEmpty()) {
            EXPECT_EQ(SqliteEngine::databaseFile(cs), c.file);
        }
    }
}

class OdbcEngineTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        qunsetenv("TALONEX_ODBC_DRIVER");
        QSqlDatabase::removeDatabase(u"odbc_test"_s);
    }

    // The connection text the engine gives Qt's ODBC driver; nothing is opened.
    static std::optional<QString> configured(const OdbcEngine& engine, const QString& text)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QODBC"_s, u"odbc_test"_s);
        AdoError error;
        const bool ok = engine.configure(db, ConnectionString(text), &error);
        EXPECT_TRUE(db.userName().isEmpty() && db.password().isEmpty());
        if (ok) {
            EXPECT_EQ(db.connectOptions(), u"SQL_ATTR_LOGIN_TIMEOUT=15"_s);
        }
        return ok ? std::optional<QString>(db.databaseName()) : std::nullopt;
    }
};

TEST_F(OdbcEngineTest, SqlServerThroughFreeTds)
{
    const OdbcEngine engine(OdbcEngine::Server::SqlServer);
    const std::pair<QString, QString> cases[] = {
        {u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=P;"_s,
         u"DRIVER={FreeTDS};SERVER=SRV;PORT=1433;DATABASE=DB;UID=U;PWD=P;TDS_Version=7.4;ClientCharset=UTF-8"_s},
        {u"PROVIDER=SQLOLEDB;Server=SRV01\\ZIMBREL;Database =DB;UId=U;Pwd=P;"_s,
         u"DRIVER={FreeTDS};SERVER=SRV01\\ZIMBREL;DATABASE=DB;UID=U;PWD=P;TDS_Version=7.4;ClientCharset=UTF-8"_s},
        {u"PROVIDER=SQLOLEDB;Server=SRV,1500;Database =DB;UId=U;Pwd=P;"_s,
         u"DRIVER={FreeTDS};SERVER=SRV;PORT=1500;DATABASE=DB;UID=U;PWD=P;TDS_Version=7.4;ClientCharset=UTF-8"_s},
        {u"PROVIDER=SQLOLEDB;Server=srv01:1434;Database =DB;UId=U;Pwd=P;"_s,
         u"DRIVER={FreeTDS};SERVER=srv01;PORT=1434;DATABASE=DB;UID=U;PWD=P;TDS_Version=7.4;ClientCharset=UTF-8"_s},
        {u"PROVIDER=SQLOLEDB;Server=(local);Database =DB;UId=U;Pwd=\"a;b}\";"_s,
         u"DRIVER={FreeTDS};SERVER=localhost;PORT=1433;DATABASE=DB;UID=U;PWD={a;b}}};TDS_Version=7.4;"
         u"ClientCharset=UTF-8"_s},
    };
    for (const auto& [text, odbc] : cases) {
        EXPECT_EQ(configured(engine, text), odbc);
        QSqlDatabase::removeDatabase(u"odbc_test"_s);
    }
    qputenv("TALONEX_ODBC_DRIVER", "ODBC Driver 18 for SQL Server");
    EXPECT_EQ(configured(engine, u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=P;"_s),
              u"DRIVER={ODBC Driver 18 for SQL Server};SERVER=SRV;PORT=1433;DATABASE=DB;UID=U;PWD=P;"
              u"TDS_Version=7.4;ClientCharset=UTF-8"_s);
    EXPECT_EQ(engine.translate(u"SELECT TOP 1 * FROM T with(nolock)"_s),
              QStringList{u"SELECT TOP 1 * FROM T with(nolock)"_s});
}

TEST_F(OdbcEngineTest, OracleThroughADataSourceName)
{
    const OdbcEngine engine(OdbcEngine::Server::Oracle);
    EXPECT_EQ(configured(engine, u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=P;"_s),
              u"DSN=PROD;UID=U;PWD=P"_s);
    QSqlDatabase::removeDatabase(u"odbc_test"_s);
    EXPECT_EQ(configured(engine, u"Provider=OraOLEDB.Oracle.1;User Id=U;Password=P;"_s), std::nullopt);
}

TEST_F(OdbcEngineTest, DiagnosticsAsTheProviderGivesThem)
{
    struct Case
    {
        OdbcEngine::Server server;
        QString databaseText;
        QString nativeCode;
        QSqlError::ErrorType type;
        long number;
        QString state;
        long native;
        QString description;
    };
    const QString pk =
        u"Violation of PRIMARY KEY constraint 'PK_BANCOS'. Cannot insert duplicate key in object "
        u"'dbo.BANCOS'. The duplicate key value is (001)."_s;
    const Case cases[] = {
        // The driver reports the code of its last record, "The statement has been terminated."
        {OdbcEngine::Server::SqlServer,
         u"[FreeTDS][SQL Server]"_s + pk + u" [FreeTDS][SQL Server]The statement has been terminated."_s,
         u"3621"_s, QSqlError::StatementError, AdoErrorNumber::Integrity, u"23000"_s, 2627, pk},
        {OdbcEngine::Server::SqlServer, u"[FreeTDS][SQL Server]Invalid object name 'X'."_s, u"208"_s,
         QSqlError::StatementError, AdoErrorNumber::NoSuchTable, u"42S02"_s, 208,
         u"Invalid object name 'X'."_s},
        {OdbcEngine::Server::SqlServer, u"[FreeTDS][SQL Server]Invalid column name 'Y'."_s, u"42S22 207"_s,
         QSqlError::StatementError, AdoErrorNumber::CommandText, u"42S22"_s, 207,
         u"Invalid column name 'Y'."_s},
        {OdbcEngine::Server::SqlServer,
         u"[FreeTDS][SQL Server]The INSERT statement conflicted with the FOREIGN KEY constraint \"FK_X\"."_s,
         u"547"_s, QSqlError::StatementError, AdoErrorNumber::Integrity, u"23000"_s, 547,
         u"The INSERT statement conflicted with the FOREIGN KEY constraint \"FK_X\"."_s},
        {OdbcEngine::Server::SqlServer, u"[FreeTDS][SQL Server]String or binary data would be truncated."_s,
         u"8152"_s, QSqlError::StatementError, AdoErrorNumber::DataOverflow, u"22001"_s, 8152,
         u"String or binary data would be truncated."_s},
        {OdbcEngine::Server::SqlServer, u"[FreeTDS][SQL Server]Incorrect syntax near the keyword 'WHERE'."_s,
         u"156"_s, QSqlError::StatementError, AdoErrorNumber::CommandText, u"42000"_s, 156,
         u"Incorrect syntax near the keyword 'WHERE'."_s},
        {OdbcEngine::Server::SqlServer, u"[FreeTDS][SQL Server]Login failed for user 'U'."_s, u"18456"_s,
         QSqlError::ConnectionError, AdoErrorNumber::LoginFailed, u"28000"_s, 18456,
         u"Login failed for user 'U'."_s},
        {OdbcEngine::Server::SqlServer, u"[FreeTDS][SQL Server]Unable to connect to data source"_s, u"0"_s,
         QSqlError::ConnectionError, AdoErrorNumber::Unspecified, u"08001"_s, 0,
         u"Unable to connect to data source"_s},
        {OdbcEngine::Server::SqlServer,
         u"[FreeTDS][SQL Server]Conversion failed when converting the varchar."_s, u"245"_s,
         QSqlError::StatementError, AdoErrorNumber::CommandText, u"42000"_s, 245,
         u"Conversion failed when converting the varchar."_s},
        {OdbcEngine::Server::Oracle, u"[Oracle][ODBC][Ora]ORA-00001: unique constraint (U.PK_T) violated"_s,
         u"1"_s, QSqlError::StatementError, AdoErrorNumber::Integrity, u"23000"_s, 2627,
         u"ORA-00001: unique constraint (U.PK_T) violated"_s},
        {OdbcEngine::Server::Oracle, u"[Oracle][ODBC][Ora]ORA-00942: table or view does not exist"_s,
         u"942"_s, QSqlError::StatementError, AdoErrorNumber::NoSuchTable, u"42S02"_s, 208,
         u"ORA-00942: table or view does not exist"_s},
    };
    for (const Case& c : cases) {
        const OdbcEngine engine(c.server);
        const AdoError e = engine.mapError(
            QSqlError(u"QODBC: Unable to execute statement"_s, c.databaseText, c.type, c.nativeCode));
        EXPECT_EQ(e.number, c.number) << c.databaseText.toStdString();
        EXPECT_EQ(e.sqlState, c.state) << c.databaseText.toStdString();
        EXPECT_EQ(e.nativeError, c.native) << c.databaseText.toStdString();
        EXPECT_EQ(e.description, c.description);
        EXPECT_EQ(e.source, c.server == OdbcEngine::Server::Oracle
                                ? u"OraOLEDB"_s
                                : u"Microsoft OLE DB Provider for SQL Server"_s);
    }
}

} // namespace
