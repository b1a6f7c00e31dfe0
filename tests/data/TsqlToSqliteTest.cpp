#include "data/TsqlToSqlite.h"

#include "data/AdoError.h"
#include "data/TsqlDates.h"
#include "zimbrel2/RuntimeError.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Case
{
    QString tsql;
    QStringList sqlite;
};

// The tables of the constructs leave out the collation compared texts carry; its own test shows it.
QStringList withoutTextCollation(QStringList statements)
{
    for (QString& statement : statements)
        statement.remove(u" COLLATE NOCASE_RTRIM"_s);
    return statements;
}

void expectTranslations(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        const QStringList got = withoutTextCollation(TsqlToSqlite::translate(c.tsql));
        EXPECT_EQ(got, c.sqlite) << "T-SQL: " << c.tsql.toStdString()
                                 << "\n got: " << got.join(u" ⏎ "_s).toStdString();
    }
}

TEST(TsqlToSqlite, ComparedTextsCompareAsTheServerDoes)
{
    const struct
    {
        QString tsql;
        QString sqlite;
    } cases[] = {
        {u"SELECT * FROM T WHERE LTRIM(RTRIM(C)) ='x'"_s,
         u"SELECT * FROM T WHERE LTRIM(RTRIM(C)) ='x' COLLATE NOCASE_RTRIM"_s},
        {u"SELECT * FROM T WHERE 'x' <> C AND D >= 'B-100'"_s,
         u"SELECT * FROM T WHERE 'x' COLLATE NOCASE_RTRIM <> C AND D >= 'B-100' COLLATE NOCASE_RTRIM"_s},
        // Texts that are not compared stay as they are.
        {u"SELECT 'a' + C FROM T WHERE C LIKE 'x%'"_s, u"SELECT 'a' || C FROM T WHERE C LIKE 'x%'"_s},
        {u"INSERT INTO T (C) VALUES ('x  ')"_s, u"INSERT INTO T (C) VALUES ('x  ')"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TsqlToSqlite::translate(c.tsql), QStringList{c.sqlite}) << c.tsql.toStdString();
}

TEST(TsqlToSqlite, TableHints)
{
    expectTranslations({
        {u"SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'X'"_s,
         {u"SELECT VALOR, valoraux FROM ta_configuracion  WHERE CLAVE = 'X'"_s}},
        {u"SELECT * FROM T WITH (NOLOCK) WHERE A = 1"_s, {u"SELECT * FROM T WHERE A = 1"_s}},
        {u"SELECT * FROM T with(nolock)WHERE A = 1"_s, {u"SELECT * FROM T WHERE A = 1"_s}},
        {u"SELECT * FROM T WITH (NOLOCK, INDEX(IX_T)) WHERE A = 1"_s, {u"SELECT * FROM T WHERE A = 1"_s}},
        {u"SELECT * FROM T (NOLOCK) WHERE A = 1"_s, {u"SELECT * FROM T WHERE A = 1"_s}},
        {u"SELECT * FROM A with(nolock) INNER JOIN B with(rowlock) ON A.X = B.X"_s,
         {u"SELECT * FROM A INNER JOIN B ON A.X = B.X"_s}},
        // Not hints: a common table expression, and a column list.
        {u"WITH C AS (SELECT 1 AS N) SELECT N FROM C"_s, {u"WITH C AS (SELECT 1 AS N) SELECT N FROM C"_s}},
        {u"INSERT INTO T (nolock) VALUES (1)"_s, {u"INSERT INTO T (nolock) VALUES (1)"_s}},
    });
}

TEST(TsqlToSqlite, RowLimits)
{
    expectTranslations({
        {u"SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(IdCuenta)) ='1101'"_s,
         {u"SELECT * FROM MA_CUENTAS  WHERE LTRIM(RTRIM(IdCuenta)) ='1101' LIMIT 1"_s}},
        {u"select  top 1 * from AUX_ERR  with(nolock) "_s, {u"select  * from AUX_ERR LIMIT 1"_s}},
        {u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE Dada_De_Baja = 0 "
         u"ORDER BY RAZON_SOCIAL"_s,
         {u"SELECT RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL "
          u"LIMIT 1000"_s}},
        {u"SELECT DISTINCT TOP 5 A FROM T ORDER BY A -- the first five"_s,
         {u"SELECT DISTINCT A FROM T ORDER BY A LIMIT 5 -- the first five"_s}},
        {u"SELECT TOP (10) A FROM T"_s, {u"SELECT A FROM T LIMIT (10)"_s}},
        {u"SELECT TOP 3 WITH TIES A FROM T ORDER BY A"_s, {u"SELECT A FROM T ORDER BY A LIMIT 3"_s}},
        // The family tree: TOP in a sub-select, and TOP 100 PERCENT, which limits nothing.
        {u"SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 idfamilia FROM "
         u"v_ta_familias a   Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
         u"Len(LTrim(RTrim(b.IdFamilia))))  ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b "
         u"Where IdFamilia<>'' ORDER BY IdFamilia"_s,
         {u"SELECT     IdFamilia, Descripcion, (SELECT     idfamilia FROM v_ta_familias a   Where "
          u"a.IdFamilia "
          u"< b.IdFamilia And (length(rtrim(LTrim(RTrim(a.IdFamilia)))) < "
          u"length(rtrim(LTrim(RTrim(b.IdFamilia)))"
          u"))  ORDER BY idfamilia DESC LIMIT 1) AS \"relative\" FROM V_TA_FAMILIAS b Where IdFamilia<>'' "
          u"ORDER BY IdFamilia"_s}},
        {u"SELECT A FROM T WHERE B IN (SELECT TOP 2 B FROM U ORDER BY B) AND C = 1"_s,
         {u"SELECT A FROM T WHERE B IN (SELECT B FROM U ORDER BY B LIMIT 2) AND C = 1"_s}},
        {u"INSERT INTO H (A) SELECT TOP 1 A FROM T"_s, {u"INSERT INTO H (A) SELECT A FROM T LIMIT 1"_s}},
        // Other percentages SQLite cannot express: left to fail where they are run.
        {u"SELECT TOP 10 PERCENT A FROM T"_s, {u"SELECT TOP 10 PERCENT A FROM T"_s}},
    });
}

TEST(TsqlToSqlite, Functions)
{
    expectTranslations({
        {u"select isnull(max(substring(nrocomprobantebancario,3,50)),0) as Maximo from mv_asientos where "
         u"substring(nrocomprobantebancario,1,1)= 'A' and IDBANCO='001'"_s,
         {u"select ifnull(max(substring(nrocomprobantebancario,3,50)),0) as Maximo from mv_asientos where "
          u"substring(nrocomprobantebancario,1,1)= 'A' and IDBANCO='001'"_s}},
        {u"SELECT ISNULL (A, '') FROM T"_s, {u"SELECT ifnull (A, '') FROM T"_s}},
        {u"SELECT Len(Codigo), LEN ( Descripcion ) FROM T"_s,
         {u"SELECT length(rtrim(Codigo)), length(rtrim(Descripcion)) FROM T"_s}},
        {u"order by convert(int,substring(nrocomprobantebancario,3,100))"_s,
         {u"order by CAST(substring(nrocomprobantebancario,3,100) AS INTEGER)"_s}},
        {u"SELECT CONVERT(INT, '12'), convert(bigint, A), convert(decimal(18,2), B), convert(float, C)"_s,
         {u"SELECT CAST('12' AS INTEGER), CAST(A AS INTEGER), CAST(B AS NUMERIC), CAST(C AS REAL)"_s}},
        {u"SELECT CONVERT(NVARCHAR, Fecha, 103), convert(varchar(10), Fecha, 112), convert(char(5), N)"_s,
         {u"SELECT strftime('%d/%m/%Y', Fecha), strftime('%Y%m%d', Fecha), CAST(N AS TEXT)"_s}},
        {u"WHERE F >= convert(datetime, '31/12/2020', 103) AND G < CONVERT(DATETIME, '20210115 08:30')"_s,
         {u"WHERE F >= '2020-12-31' AND G < '2021-01-15 08:30:00'"_s}},
        {u"WHERE F = convert(date, '2020-12-31 10:00:00') AND G = convert(datetime, H, 103)"_s,
         {u"WHERE F = '2020-12-31' AND G = (tsql_datetime(H, 103))"_s}},
        {u"WHERE F >= CAST('2020-12-31' AS datetime) AND N = CAST(X AS int)"_s,
         {u"WHERE F >= '2020-12-31' AND N = CAST(X AS int)"_s}},
        // Registered on the connection: kept as they are.
        {u"SELECT charindex('-', A), getdate() FROM T"_s, {u"SELECT charindex('-', A), getdate() FROM T"_s}},
        {u"SELECT LEFT(A, 2), right(A,3) FROM T LEFT JOIN U ON 1 = 1"_s,
         {u"SELECT substr(A, 1, 2), substr(A, -(3), 3) FROM T LEFT JOIN U ON 1 = 1"_s}},
        // Nested: the inner construct is translated inside the outer one.
        {u"SELECT convert(int, isnull((SELECT TOP 1 N FROM T), 0))"_s,
         {u"SELECT CAST(ifnull((SELECT N FROM T LIMIT 1), 0) AS INTEGER)"_s}},
        // A qualified column that happens to carry a function's name is no call.
        {u"SELECT t.len (1)"_s, {u"SELECT t.len (1)"_s}},
    });
}

TEST(TsqlToSqlite, NamesAndStatementForms)
{
    expectTranslations({
        {u"DELETE AUX_IMPRESION WHERE USUARIO = 'PC1|JUAN' AND CUENTA = '1101'"_s,
         {u"DELETE FROM AUX_IMPRESION WHERE USUARIO = 'PC1|JUAN' AND CUENTA = '1101'"_s}},
        {u"Delete ta_configuracion where clave like 'RptFCh_%'"_s,
         {u"Delete FROM ta_configuracion where clave like 'RptFCh_%'"_s}},
        {u"DELETE FROM dbo.T"_s, {u"DELETE FROM T"_s}},
        {u"DELETE dbo.T WHERE A = 1"_s, {u"DELETE FROM T WHERE A = 1"_s}},
        {u"UPDATE MV_ASIENTOS SET NroComprobanteBancario='A-00000012' WHERE tc='OP' and [numero asiento]='15'"_s,
         {u"UPDATE MV_ASIENTOS SET NroComprobanteBancario='A-00000012' WHERE tc='OP' and \"numero asiento\"='15'"_s}},
        {u"SELECT [a]]b], [dbo].[T].X, EMPRESA.dbo.T.Y, EMPRESA..T.Z FROM [dbo].[T]"_s,
         {u"SELECT \"a]b\", \"T\".X, EMPRESA.T.Y, EMPRESA.T.Z FROM \"T\""_s}},
        {u"INSERT INTO X (A) VALUES (N'Ñandú')"_s, {u"INSERT INTO X (A) VALUES ('Ñandú')"_s}},
        {u"ALTER TABLE dbo.MV_ASIENTOS ADD Serie char(1) Null  CONSTRAINT DF_MV_ASIENTOS_Serie DEFAULT ('A')"_s,
         {u"ALTER TABLE MV_ASIENTOS ADD COLUMN Serie char(1) NULL DEFAULT ('A')"_s}},
        {u"ALTER TABLE dbo.T ADD C int Not Null "_s, {u"ALTER TABLE T ADD COLUMN C int NULL"_s}},
        {u"ALTER TABLE dbo.T ADD C int Not Null  CONSTRAINT DF_T_C DEFAULT (0)"_s,
         {u"ALTER TABLE T ADD COLUMN C int NOT NULL DEFAULT (0)"_s}},
        {u"SELECT * FROM T WHERE F >= {d '2024-01-31'} AND G < {ts '2024-02-01 10:00:00.000'} AND "
         u"H = {fn UCASE(X)}"_s,
         {u"SELECT * FROM T WHERE F >= '2024-01-31' AND G < '2024-02-01 10:00:00' AND H = UCASE(X)"_s}},
    });
}

TEST(TsqlToSqlite, Concatenation)
{
    expectTranslations({
        {u"SELECT 'A' + Codigo FROM T"_s, {u"SELECT 'A' || Codigo FROM T"_s}},
        {u"SELECT Codigo + ' - ' + Descripcion, N + 1 FROM T"_s,
         {u"SELECT Codigo || ' - ' || Descripcion, N + 1 FROM T"_s}},
        {u"SELECT 'x' + ltrim(A) + rtrim(B) FROM T WHERE N = M + 1"_s,
         {u"SELECT 'x' || ltrim(A) || rtrim(B) FROM T WHERE N = M + 1"_s}},
        // Columns on both sides: their types are not known here, so "+" stays.
        {u"SELECT A + B FROM T"_s, {u"SELECT A + B FROM T"_s}},
    });
}

TEST(TsqlToSqlite, QuotedTextsNamesAndCommentsPassUnchanged)
{
    expectTranslations({
        {u"UPDATE T SET N = 'SELECT TOP 5 * FROM x with(nolock) [a] dbo.b isnull(c) Len(d) {d ''e''}'"_s,
         {u"UPDATE T SET N = 'SELECT TOP 5 * FROM x with(nolock) [a] dbo.b isnull(c) Len(d) {d ''e''}'"_s}},
        {u"SELECT \"with(nolock)\", 'it''s + more' FROM T /* TOP 1 with(nolock) */ -- DELETE T\rWHERE 1 = 1"_s,
         {u"SELECT \"with(nolock)\", 'it''s + more' FROM T /* TOP 1 with(nolock) */ -- DELETE T\rWHERE 1 = 1"_s}},
        {u"INSERT INTO T (A) VALUES ('line one\r\nSELECT line two; COMMIT TRANSACTION')"_s,
         {u"INSERT INTO T (A) VALUES ('line one\r\nSELECT line two; COMMIT TRANSACTION')"_s}},
    });
}

TEST(TsqlToSqlite, Batches)
{
    expectTranslations({
        {u"BEGIN TRANSACTION \r\rINSERT INTO A (X) VALUES ('1')\rUPDATE B SET Y = 2 WHERE Z = 'q'\r"_s,
         {u"BEGIN"_s, u"INSERT INTO A (X) VALUES ('1')"_s, u"UPDATE B SET Y = 2 WHERE Z = 'q'"_s}},
        {u"BEGIN TRANS\r\nDELETE T WHERE A = 1\r\nCOMMIT TRANS\r\n"_s,
         {u"BEGIN"_s, u"DELETE FROM T WHERE A = 1"_s, u"COMMIT"_s}},
        {u"BEGIN TRANSACTION INSERT INTO A VALUES (1) COMMIT TRANSACTION"_s,
         {u"BEGIN"_s, u"INSERT INTO A VALUES (1)"_s, u"COMMIT"_s}},
        {u"COMMIT TRANSACTION"_s, {u"COMMIT"_s}},
        {u"ROLLBACK TRANSACTION"_s, {u"ROLLBACK"_s}},
        {u"rollback trans"_s, {u"ROLLBACK"_s}},
        {u"SET NOCOUNT ON\rINSERT INTO A VALUES (1); INSERT INTO A VALUES (2);\rSET NOCOUNT OFF"_s,
         {u"INSERT INTO A VALUES (1)"_s, u"INSERT INTO A VALUES (2)"_s}},
        {u"UPDATE A\r\nSET X = 1\r\nWHERE Y = 2\r\nSELECT X FROM A"_s,
         {u"UPDATE A\r\nSET X = 1\r\nWHERE Y = 2"_s, u"SELECT X FROM A"_s}},
        {u"INSERT INTO A (X)\rSELECT X FROM B\rSELECT 1\rUNION\rSELECT 2"_s,
         {u"INSERT INTO A (X)\rSELECT X FROM B"_s, u"SELECT 1\rUNION\rSELECT 2"_s}},
        {u"SELECT A\rFROM T\rWHERE B IN (\rSELECT B FROM U)"_s,
         {u"SELECT A\rFROM T\rWHERE B IN (\rSELECT B FROM U)"_s}},
        {u"CREATE TABLE T (A INT REFERENCES U (A)\rON DELETE CASCADE\rON UPDATE CASCADE)\rDROP TABLE V"_s,
         {u"CREATE TABLE T (A INT REFERENCES U (A)\rON DELETE CASCADE\rON UPDATE CASCADE)"_s,
          u"DROP TABLE V"_s}},
        {u"CREATE TRIGGER TR INSTEAD OF INSERT ON V\nBEGIN\n  INSERT INTO T (A) VALUES (NEW.A);\n"
         u"  UPDATE T SET B = CASE WHEN A = 1 THEN 2 END;\nEND;\nSELECT 1"_s,
         {u"CREATE TRIGGER TR INSTEAD OF INSERT ON V\nBEGIN\n  INSERT INTO T (A) VALUES (NEW.A);\n"
          u"  UPDATE T SET B = CASE WHEN A = 1 THEN 2 END;\nEND"_s,
          u"SELECT 1"_s}},
        {u"INSERT INTO A VALUES (1)\r\nGO\r\nINSERT INTO A VALUES (2)"_s,
         {u"INSERT INTO A VALUES (1)"_s, u"INSERT INTO A VALUES (2)"_s}},
        {u"  \r\n "_s, {}},
        {u"BEGIN TRY SELECT 1 END TRY"_s, {u"BEGIN TRY SELECT 1 END TRY"_s}},
    });
}

TEST(TsqlToSqlite, IsoDates)
{
    struct DateCase
    {
        QString text;
        int style;
        QString iso;
    };
    const DateCase cases[] = {
        {u"31/12/2020"_s, 103, u"2020-12-31"_s},
        {u"31/12/2020"_s, -1, u"2020-12-31"_s},
        {u"1/2/2021 8:05"_s, 103, u"2021-02-01 08:05:00"_s},
        {u"12/31/2020"_s, 101, u"2020-12-31"_s},
        {u"31.12.20"_s, 104, u"2020-12-31"_s},
        {u"31-12-2020"_s, 105, u"2020-12-31"_s},
        {u"20201231"_s, 112, u"2020-12-31"_s},
        {u"2020-12-31T23:59:58.997"_s, 126, u"2020-12-31 23:59:58"_s},
        {u"2020-12-31"_s, 103, u"2020-12-31"_s},
        {u"31/02/2020"_s, 103, QString()},
        {u"12/31/2020"_s, 103, QString()},
        {u"mañana"_s, -1, QString()},
        {u"2020-12-31 25:00"_s, -1, QString()},
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(TsqlDates::isoDate(c.text, c.style), c.iso) << c.text.toStdString() << " style " << c.style;
}

} // namespace

namespace {

QString nested(const QString& open, int depth, const QString& inner)
{
    return open.repeated(depth) + inner + QString(u')').repeated(depth);
}

} // namespace

// Nesting far beyond any statement of the program is refused with the server's own words instead
// of running the translator, which works level by level, out of stack.
TEST(TsqlToSqlite, TooDeepANestingIsRefused)
{
    const int limit = TsqlToSqlite::MaxNesting;
    const QString deepest = u"SELECT "_s + nested(u"("_s, limit, u"1"_s);
    EXPECT_EQ(withoutTextCollation(TsqlToSqlite::translate(deepest)), QStringList{deepest});
    const QString tooDeep[] = {
        u"SELECT "_s + nested(u"("_s, limit + 1, u"1"_s),
        u"SELECT "_s + nested(u"convert(int, "_s, 8000, u"'1'"_s),
        u"SELECT 1 WHERE "_s + nested(u"("_s, 20000, u"1 = 1"_s),
    };
    for (const QString& tsql : tooDeep) {
        try {
            TsqlToSqlite::translate(tsql);
            ADD_FAILURE() << "translated " << tsql.left(40).toStdString();
        } catch (const RuntimeError& refused) {
            EXPECT_EQ(refused.number(), AdoErrorNumber::CommandText);
            EXPECT_EQ(refused.description(), TsqlToSqlite::tooDeepDescription());
        }
    }
}

// A long chain of terms is translated whole (its speed is measured by BM_TranslateOrChain).
TEST(TsqlToSqlite, ALongChainOfTermsIsTranslatedWhole)
{
    QString tsql = u"SELECT * FROM T with(nolock) WHERE C = 'B-0'"_s;
    QString sqlite = u"SELECT * FROM T WHERE C = 'B-0'"_s;
    for (int i = 1; i < 100000; ++i) {
        tsql += u" OR C = 'B-"_s + QString::number(i) + u"'"_s;
        sqlite += u" OR C = 'B-"_s + QString::number(i) + u"'"_s;
    }
    EXPECT_EQ(withoutTextCollation(TsqlToSqlite::translate(tsql)), QStringList{sqlite});
}
