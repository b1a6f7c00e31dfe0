// The Oracle translation of the program's T-SQL and the splitting of scripts into statements.
#include "data/OracleDialect.h"
#include "data/DB_Dll.h"
#include "support/QStringPrinter.h"
#include "zimbrel2/RegionalSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using OracleDialect::ScriptAction;

namespace {

const QString OracleConnection = u"Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=p;"_s;
const QString SqlServerConnection = u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=p;"_s;

class RegionalScope
{
public:
    explicit RegionalScope(const RegionalSettings& settings) { RegionalSettings::setCurrent(settings); }
    ~RegionalScope() { RegionalSettings::reset(); }
};

QString onOracle(const QString& statement)
{
    DB_Dll db;
    db.gConnString = OracleConnection;
    return db.ORACLE_Dicc(statement);
}

TEST(OracleDicc, TranslatesTheConstructsTheProgramWrites)
{
    RegionalScope argentina(RegionalSettings::argentina());
    const std::pair<QString, QString> cases[] = {
        // A single word: only LEN has another name.
        {u"LEN"_s, u"LENGTH"_s},
        {u"len"_s, u"LENGTH"_s},
        {u"Codigo"_s, u"Codigo"_s},
        {u"[Codigo]"_s, u"[Codigo]"_s},
        {u""_s, u""_s},
        // Row limits, blanks exactly as they come out.
        {u"SELECT top 10 * FROM T WHERE A = 1 ORDER BY B"_s,
         u"SELECT  * FROM T WHERE A = 1    AND ROWNUM <= 10  ORDER BY B"_s},
        {u"SELECT TOP 1 * FROM T"_s, u"SELECT  * FROM T  WHERE ROWNUM <= 1  "_s},
        {u"select top 3 * from t"_s, u"select  * from t  WHERE ROWNUM <= 3  "_s},
        // GROUP BY takes the tail with it, ORDER BY included.
        {u"SELECT TOP 5 A, COUNT(*) FROM T GROUP BY A ORDER BY A"_s,
         u"SELECT  A, COUNT(*) FROM T    WHERE ROWNUM <= 5  GROUP BY A ORDER BY A "_s},
        // LEN with up to four blanks before its parenthesis, after a blank.
        {u"SELECT LEN(A), LEN (B), LEN  (C), LEN   (D), LEN    (E) FROM T"_s,
         u"SELECT LENGTH(A), LENGTH(B), LENGTH(C), LENGTH(D), LENGTH(E) FROM T"_s},
        {u"SELECT MAX(LEN(A)) FROM T"_s, u"SELECT MAX(LEN(A)) FROM T"_s},
        // Bracketed names become quoted identifiers.
        {u"SELECT [numero asiento] FROM [MV ASIENTOS]"_s,
         u"SELECT \"numero asiento\" FROM \"MV ASIENTOS\""_s},
        // Date literals, also when already inside TO_DATE, every occurrence.
        {u"WHERE F = '31/12/2020'"_s, u"WHERE F = TO_DATE('31/12/2020','DD/MM/YYYY')"_s},
        {u"WHERE F = TO_DATE('31/12/2020','DD/MM/YYYY')"_s,
         u"WHERE F = TO_DATE('31/12/2020','DD/MM/YYYY')"_s},
        {u"WHERE F = to_date('31/12/2020','dd/mm/yyyy')"_s,
         u"WHERE F = TO_DATE('31/12/2020','DD/MM/YYYY')"_s},
        {u"WHERE F >= '1/2/2024' AND G <= '1/2/2024' AND N = 'ABC'"_s,
         u"WHERE F >= TO_DATE('01/02/2024','DD/MM/YYYY') AND G <= TO_DATE('01/02/2024','DD/MM/YYYY') AND N = 'ABC'"_s},
        {u"WHERE F = '31/02/2020' AND N = 'B-100'"_s, u"WHERE F = '31/02/2020' AND N = 'B-100'"_s},
        // Function names.
        {u"SELECT CHARINDEX('-', A) FROM T"_s, u"SELECT InStr('-', A) FROM T"_s},
        {u"SELECT CONVERT(NVARCHAR, F, 103), CONVERT(INT, N) FROM T"_s,
         u"SELECT TO_CHAR( F, 'DD/MM/YYYY'), TO_NUMBER( N) FROM T"_s},
        {u"SELECT ISNULL(SUBSTRING(A,1,2),'X') FROM T"_s, u"SELECT NVL(SUBSTR(A,1,2),'X') FROM T"_s},
        // A 103 outside a conversion to text stays.
        {u"SELECT * FROM T WHERE A = 103"_s, u"SELECT * FROM T WHERE A = 103"_s},
        {u"SELECT * FROM T WHERE ABS(A) = 103"_s, u"SELECT * FROM T WHERE ABS(A) = 103"_s},
        // Empty texts are NULL in Oracle, but only from the first WHERE on.
        {u"WHERE X = ''"_s, u"WHERE X  IS NULL "_s},
        {u"UPDATE T SET A = '' WHERE B = '' OR C=''"_s,
         u"UPDATE T SET A = '' WHERE B  IS NULL  OR C IS NULL "_s},
        // Table hints pass as they are.
        {u"SELECT * FROM T with(nolock) WHERE A = 1"_s, u"SELECT * FROM T with(nolock) WHERE A = 1"_s},
    };
    for (const auto& [tsql, oracle] : cases)
        EXPECT_EQ(onOracle(tsql), oracle) << tsql.toStdString();
}

TEST(OracleDicc, DateLiteralsAreReadInTheRegionalOrder)
{
    {
        RegionalScope unitedStates(RegionalSettings::unitedStates());
        EXPECT_EQ(onOracle(u"WHERE F = '12/31/2020'"_s), u"WHERE F = TO_DATE('31/12/2020','DD/MM/YYYY')"_s);
        EXPECT_EQ(onOracle(u"WHERE F = '31/12/2020'"_s), u"WHERE F = '31/12/2020'"_s);
    }
    RegionalScope argentina(RegionalSettings::argentina());
    EXPECT_EQ(onOracle(u"WHERE F = '12/31/2020'"_s), u"WHERE F = '12/31/2020'"_s);
    EXPECT_EQ(onOracle(u"WHERE F = '05-03-24'"_s), u"WHERE F = TO_DATE('05/03/2024','DD/MM/YYYY')"_s);
}

TEST(OracleDicc, AStatementItCannotReadFails)
{
    const QString broken[] = {
        u"SELECT * FROM T WHERE A = 'X"_s,            // a quote without its closing one
        u"SELECT * FROM T WHERE A = 'X' OR B = 'Y"_s, // the third quote has no pair
        u"SELECT * FROM T WHERE A = 1 AND top "_s,    // TOP without a count
    };
    for (const QString& statement : broken) {
        try {
            onOracle(statement);
            ADD_FAILURE() << "no failure for " << statement.toStdString();
        } catch (const RuntimeError& failure) {
            EXPECT_EQ(failure.number(), RuntimeError::InvalidArgument) << statement.toStdString();
        }
    }
}

TEST(OracleDicc, OtherConnectionsGetTheTextUnchanged)
{
    const QString tsql = u"SELECT TOP 5 LEN (A), [numero asiento], ISNULL(B, '') FROM T with(nolock) "
                         u"WHERE F = '31/12/2020' AND X = '' AND 'unclosed"_s;
    // "ORACLE" in a server, database, user or password is no Oracle provider.
    for (const QString& connection :
         {SqlServerConnection, QString(), u"PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=Oracle1;"_s,
          u"PROVIDER=SQLOLEDB;Server=ORACLESRV;Database =ORACLE;UId=oracle_ro;Pwd=p;"_s}) {
        DB_Dll db;
        db.gConnString = connection;
        EXPECT_EQ(db.ORACLE_Dicc(tsql), tsql);
        EXPECT_EQ(db.ORACLE_Dicc(u"LEN"_s), u"LEN"_s);
    }
}

TEST(OracleScript, PreparationStripsWhatOracleDoesNotTake)
{
    const std::pair<QString, QString> cases[] = {
        {u"BEGIN TRANSACTION\r\nUPDATE T SET A = 1\r\nCOMMIT TRANSACTION"_s,
         u"SET TRANSACTION UPDATE T SET A = 1 COMMIT"_s},
        {u"begin trans\rDELETE FROM T\rrollback trans"_s, u"SET TRANSACTION DELETE FROM T ROLLBACK"_s},
        {u"BEGIN TRANSACTION DELETE FROM T ROLLBACK TRANSACTION"_s,
         u"SET TRANSACTION DELETE FROM T ROLLBACK"_s},
        {u"COMMIT TRANS"_s, u"COMMIT"_s},
        {u"SET NOCOUNT ON\r\nDELETE FROM T\r\nGO\r\nINSERT INTO T VALUES (1)\r\nGO\r\nSET NOCOUNT OFF"_s,
         u" DELETE FROM T INSERT INTO T VALUES (1) "_s},
        {u"DELETE FROM T GO INSERT INTO T VALUES (1)"_s, u"DELETE FROM T INSERT INTO T VALUES (1)"_s},
        {u"DELETE FROM T\r\nGO INSERT INTO T VALUES (1)"_s, u"DELETE FROM T INSERT INTO T VALUES (1)"_s},
    };
    for (const auto& [script, prepared] : cases)
        EXPECT_EQ(OracleDialect::prepareScript(script), prepared) << script.toStdString();
}

TEST(OracleScript, StatementsAreSplitAtEveryKeyword)
{
    const std::pair<QString, QStringList> cases[] = {
        {u"SET TRANSACTION UPDATE T SET A = 1 COMMIT"_s,
         {u"SET TRANSACTION"_s, u"UPDATE T SET A = 1"_s, u"COMMIT"_s}},
        // A keyword inside a quoted text or a name splits too.
        {u"UPDATE T SET N = 'DROP IT'"_s, {u"UPDATE T SET N = '"_s, u"DROP IT'"_s}},
        {u"DELETE FROM AUX_ROLLBACKS"_s, {u"DELETE FROM AUX_"_s, u"ROLLBACKS"_s}},
        // The trailing blank keeps longer words out.
        {u"UPDATE T SET UPDATED = 1, INSERTED = 2"_s, {u"UPDATE T SET UPDATED = 1, INSERTED = 2"_s}},
        {u"IF NOT EXISTS (SELECT * FROM T WHERE A = 1) INSERT INTO T VALUES (1)"_s,
         {u"IF NOT EXISTS (SELECT * FROM T WHERE A = 1)"_s, u"INSERT INTO T VALUES (1)"_s}},
        {u"IF EXISTS (SELECT 1 FROM X) DROP TABLE X CREATE TABLE X (A INT) GRANT SELECT ON X TO PUBLIC"_s,
         {u"IF EXISTS (SELECT 1 FROM X)"_s, u"DROP TABLE X"_s, u"CREATE TABLE X (A INT)"_s,
          u"GRANT SELECT ON X TO PUBLIC"_s}},
        {u"alter table T add C int delete from T"_s, {u"alter table T add C int"_s, u"delete from T"_s}},
        // Text before the first keyword is never sent; no keyword, no statement.
        {u"PRINT 1 DELETE FROM T"_s, {u"DELETE FROM T"_s}},
        {u"SELECT * FROM T"_s, {}},
        {u""_s, {}},
    };
    for (const auto& [script, statements] : cases)
        EXPECT_EQ(OracleDialect::splitScript(script), statements) << script.toStdString();

    const std::optional<OracleDialect::ScriptStatement> first =
        OracleDialect::nextStatement(u"PRINT 1 DELETE FROM T  COMMIT"_s);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->start, 8);
    EXPECT_EQ(first->next, 23);
    EXPECT_EQ(first->text, u"DELETE FROM T"_s);
}

TEST(OracleScript, TransactionStatementsAndFilteredStatements)
{
    const std::pair<QString, ScriptAction> actions[] = {
        {u"SET TRANSACTION"_s, ScriptAction::BeginTransaction},
        {u"set transaction"_s, ScriptAction::BeginTransaction},
        {u"COMMIT"_s, ScriptAction::Commit},
        {u"Rollback"_s, ScriptAction::Rollback},
        {u"COMMIT WORK"_s, ScriptAction::Execute},
        {u"SET TRANSACTION READ ONLY"_s, ScriptAction::Execute},
        {u"UPDATE T SET A = 1"_s, ScriptAction::Execute},
    };
    for (const auto& [statement, action] : actions)
        EXPECT_EQ(OracleDialect::scriptAction(statement), action) << statement.toStdString();

    EXPECT_TRUE(OracleDialect::isFilteredOut(u"IF NOT EXISTS (SELECT * FROM T)"_s));
    EXPECT_TRUE(OracleDialect::isFilteredOut(u"if not exist(SELECT 1)"_s));
    EXPECT_TRUE(OracleDialect::isFilteredOut(u"UPDATE T SET A = 1 SET NOCOUNT"_s));
    EXPECT_FALSE(OracleDialect::isFilteredOut(u"IF EXISTS (SELECT * FROM T)"_s));
    EXPECT_FALSE(OracleDialect::isFilteredOut(u"UPDATE T SET A = 1"_s));
}

} // namespace
