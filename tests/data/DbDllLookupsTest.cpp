// Existence checks, single-value lookups, schema checks and the statement-by-statement script
// runner on a real SQLite demo database, with the statements read back from the connection's trace.
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "demo/DemoDatabase.h"
#include "support/DemoDbFixture.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedOperatorGuard.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RegionalSettings.h"

#include <QDateTime>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class LookupsTest : public DemoDbFixture
{
protected:
    void SetUp() override
    {
        DemoDbFixture::SetUp();
        DataGlobals::reset();
        RegionalSettings::setCurrent(RegionalSettings::argentina());
        ProgramInfo::setExecutableName(u"talonex"_s);
        ProgramInfo::setProgramFolder(folder() + u'/');
    }
    void TearDown() override
    {
        DataGlobals::reset();
        ProgramInfo::reset();
        RegionalSettings::reset();
        DemoDbFixture::TearDown();
    }

    /// Opens the program's main connection on the test's demo as `user`, the way start-up does.
    void open(const QString& user, bool validaAdmin = true, const QString& extended = {})
    {
        DB_Dll& db = DataGlobals::gDB();
        db.gServidor = folder();
        db.gDBName = DemoDb::MainDatabaseName;
        db.gUsuario = user;
        db.gUserPassWord = DemoDb::DefaultPassword;
        db.gExtended = extended;
        db.gCnn().setTracer([this](const QString& statement) { m_trace << statement; });
        db.OpenServerADODB(false, 3, QString(), validaAdmin, true);
        ASSERT_TRUE(db.gOpenFlag);
    }

    DB_Dll& db() { return DataGlobals::gDB(); }

    /// The statements sent since the last call.
    QStringList sent()
    {
        QStringList statements = m_trace;
        m_trace.clear();
        return statements;
    }

    /// A value read straight from the test's database file.
    QVariant scalar(const QString& statement)
    {
        QSqlQuery query(openMainDatabase());
        if (!query.exec(statement) || !query.next()) {
            ADD_FAILURE() << statement.toStdString() << ": " << query.lastError().text().toStdString();
            return {};
        }
        return query.value(0);
    }

    void exec(const QString& statement)
    {
        QSqlQuery query(openMainDatabase());
        EXPECT_TRUE(query.exec(statement))
            << statement.toStdString() << ": " << query.lastError().text().toStdString();
    }

    ScriptedOperatorGuard m_operator;
    QStringList m_trace;
};

TEST_F(LookupsTest, OpeningReadsTheAdministratorFlagThroughTheLookups)
{
    struct Case
    {
        QString user;
        bool admin;
    };
    const Case cases[] = {
        {DemoDb::AdminUser, true},
        {u"SUPERVISOR TESSARO MC"_s, true},
        {DemoDb::PlainUser, false},
        {u"NADIE"_s, false},
        // A typed apostrophe stays inside the literal: this must not find the administrator's row.
        {u"x' OR Administrador = 1 OR nombre = 'y"_s, false},
    };
    for (const Case& c : cases) {
        DataGlobals::reset();
        open(c.user);
        EXPECT_EQ(db().gEsAdmin, c.admin) << c.user.toStdString();
        const QStringList statements = sent();
        ASSERT_FALSE(statements.isEmpty());
        const QString quoted = QString(c.user).replace(u"'"_s, u"''"_s);
        EXPECT_EQ(statements.back(),
                  QString(u"SELECT TOP 1 * FROM ta_usuarios with(nolock)  WHERE LTRIM(RTRIM(nombre)) ='"_s +
                          quoted + u"' "_s));
    }
}

// The server compares texts without regard to case, also once the column is trimmed: what the
// operator types in lower case finds the row.
TEST_F(LookupsTest, TrimmedTextSearchesIgnoreCase)
{
    open(u"tessaro"_s);
    EXPECT_TRUE(db().gEsAdmin);
    EXPECT_TRUE(
        db().ExisteEnTabla(u"MA_CUENTAS"_s, DemoDb::TestAccountOptionalCode.toLower(), u"CodigoOpcional"_s));
    EXPECT_FALSE(db().DatosTabla(u"MA_CUENTAS"_s, DemoDb::TestAccountOptionalCode.toLower(), u"Codigo"_s,
                                 u"CodigoOpcional"_s)
                     .isEmpty());
}

TEST_F(LookupsTest, ExisteEnTablaBuildsItsStatementsAndFindsTheRows)
{
    open(DemoDb::PlainUser);
    sent();
    const QString firstDate = scalar(u"SELECT MIN(Fecha) FROM MV_ASIENTOS"_s).toString();
    const QString id =
        scalar(u"SELECT MIN(IdCuenta) FROM MA_CUENTAS WHERE Confidencial = 0 AND IdCuenta > 10"_s).toString();
    struct Case
    {
        QString table;
        QString value;
        QString column;
        int type;
        QString condition;
        QString statement;
        bool found;
    };
    const Case cases[] = {
        {u"MA_CUENTAS"_s, u" 1.1.02.02 "_s, u"Codigo"_s, 8, QString(),
         u"SELECT TOP 1  * FROM SS_MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='1.1.02.02'"_s, true},
        // The confidential account is hidden from a user who is not an administrator.
        {u"MA_CUENTAS"_s, DemoDb::ConfidentialAccount, u"Codigo"_s, 8, QString(),
         u"SELECT TOP 1  * FROM SS_MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='1.1.02.08'"_s,
         false},
        {u"vt_proveedores"_s, u"x' OR '1'='1"_s, u"Codigo"_s, 8, QString(),
         u"SELECT TOP 1  * FROM vt_proveedores with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='x'' OR ''1''=''1'"_s,
         false},
        {u"MA_CUENTAS"_s, u"ignored"_s, u"Ignored"_s, 8, u" WHERE Codigo = '1.1.02.02'"_s,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)   WHERE Codigo = '1.1.02.02'"_s, true},
        {u"MA_CUENTAS"_s, QString(), QString(), 8, u"Codigo = 'NO-EXISTE'"_s,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE Codigo = 'NO-EXISTE'"_s, false},
        {u"MA_CUENTAS"_s, u" "_s + id + u" "_s, u"IdCuenta"_s, 3, QString(),
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE IdCuenta = "_s + id, true},
        {u"MA_CUENTAS"_s, id, u"IdCuenta"_s, 2, QString(),
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE IdCuenta = "_s + id, true},
        {u"MV_ASIENTOS"_s, u" '"_s + firstDate + u"' "_s, u"Fecha"_s, 7, QString(),
         u"SELECT TOP 1 * FROM MV_ASIENTOS with(nolock)  WHERE Fecha = '"_s + firstDate + u"' "_s, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(db().ExisteEnTabla(c.table, c.value, c.column, nullptr, c.type, c.condition), c.found)
            << c.statement.toStdString();
        EXPECT_EQ(sent(), QStringList{c.statement});
    }
}

TEST_F(LookupsTest, ExisteEnTablaLeavesTheCallersRecordsetOnTheRow)
{
    open(DemoDb::AdminUser);
    const QString description = scalar(u"SELECT Descripcion FROM MA_CUENTAS WHERE Codigo = '"_s +
                                       DemoDb::ConfidentialAccount + u"'"_s)
                                    .toString();

    AdoRecordset recordset;
    QString previous = u"SELECT * FROM TA_BANCOS"_s;
    db().AbrirRecordset(previous, recordset);
    ASSERT_TRUE(recordset.isOpen());
    sent();
    // An administrator reads the real table: the confidential account is there.
    ASSERT_TRUE(db().ExisteEnTabla(u"MA_CUENTAS"_s, DemoDb::ConfidentialAccount, u"Codigo"_s, &recordset));
    EXPECT_EQ(sent(),
              QStringList{u"SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='"_s +
                          DemoDb::ConfidentialAccount + u"'"_s});
    ASSERT_TRUE(recordset.isOpen());
    EXPECT_EQ(recordset.value(u"Descripcion").toString(), description);
    EXPECT_EQ(recordset.cursorType(), 0);
    EXPECT_EQ(recordset.lockType(), 1);

    // Not read-only: the recordset keeps the cursor and lock it carries.
    recordset.setCursorType(2);
    recordset.setLockType(3);
    EXPECT_FALSE(
        db().ExisteEnTabla(u"MA_CUENTAS"_s, u"NO-EXISTE"_s, u"Codigo"_s, &recordset, 8, QString(), false));
    ASSERT_TRUE(recordset.isOpen());
    EXPECT_TRUE(recordset.eof());
    EXPECT_EQ(recordset.cursorType(), 2);
    EXPECT_EQ(recordset.lockType(), 3);
}

TEST_F(LookupsTest, ExisteEnTablaFindsValuesThatHoldApostrophes)
{
    exec(u"INSERT INTO MA_CUENTAS (Codigo, Descripcion, Nivel, TIPOVISTA) "
         u"VALUES ('2.1.09.O''H', 'Bernardo O''Higgins', 4, 'PR')"_s);
    open(DemoDb::PlainUser);
    EXPECT_TRUE(db().ExisteEnTabla(u"MA_CUENTAS"_s, u"2.1.09.O'H"_s, u"Codigo"_s));
    EXPECT_TRUE(db().ExisteEnTablaST(u"MA_CUENTAS"_s, u"2.1.09.O'H"_s, u"Codigo"_s));
    EXPECT_EQ(db().DatosTabla(u"MA_CUENTAS"_s, u"2.1.09.O'H"_s, u"Descripcion"_s, u"Codigo"_s),
              u"Bernardo O'Higgins"_s);
    EXPECT_EQ(
        db().DatosTabla(u"MA_CUENTAS"_s, u"2.1.09.O'H"_s, u"Descripcion"_s, u"Codigo"_s, 8, QString(), false),
        u"Bernardo O'Higgins"_s);
}

TEST_F(LookupsTest, NumericSearchValuesAreWrittenInTheRegionalFormat)
{
    open(DemoDb::PlainUser);
    sent();
    // With a decimal comma the number reaches the statement as "12,5", which no server reads as one
    // number: the operator is told and the check answers no.
    m_operator->answerMessage(MsgAnswer::Abort);
    EXPECT_FALSE(db().ExisteEnTabla(u"MA_CUENTAS"_s, u"12.50"_s, u"IdCuenta"_s, nullptr, 5));
    EXPECT_EQ(sent(),
              QStringList{u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE IdCuenta = 12,5"_s});
    ASSERT_EQ(m_operator->shown().size(), 1);
    EXPECT_EQ(m_operator->shown().front().title, u"Aviso al Operador"_s);
    EXPECT_EQ(m_operator->shown().front().style, MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
    m_operator.verify();

    RegionalSettings::setCurrent(RegionalSettings::unitedStates());
    EXPECT_FALSE(db().ExisteEnTabla(u"MA_CUENTAS"_s, u"12.50"_s, u"IdCuenta"_s, nullptr, 4));
    EXPECT_FALSE(db().ExisteEnTablaST(u"MA_CUENTAS"_s, u"-1e2x"_s, u"IdCuenta"_s, nullptr, 5));
    EXPECT_TRUE(
        db().ExisteEnTablaST(u"MA_CUENTAS"_s, u"abc"_s, u"IdCuenta"_s, nullptr, 3, u"IdCuenta > 0"_s));
    EXPECT_EQ(sent(), (QStringList{u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE IdCuenta = 12.5"_s,
                                   u"SELECT * FROM MA_CUENTAS with(nolock)   WHERE IdCuenta = -100"_s,
                                   u"SELECT * FROM MA_CUENTAS with(nolock)   WHERE IdCuenta > 0"_s}));
}

TEST_F(LookupsTest, FailuresAskTheOperatorAndActOnTheAnswer)
{
    open(DemoDb::PlainUser);
    sent();
    const QString statement =
        u"SELECT TOP 1  * FROM NO_EXISTE with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='1'"_s;
    struct Case
    {
        QList<int> answers;
        int sends;
    };
    const Case cases[] = {
        {{MsgAnswer::Abort}, 1},
        {{MsgAnswer::Retry, MsgAnswer::Abort}, 2},
        {{MsgAnswer::Retry, MsgAnswer::Retry, MsgAnswer::Ignore}, 3},
    };
    for (const Case& c : cases) {
        for (int answer : c.answers)
            m_operator->answerMessage(answer, u"NO_EXISTE"_s);
        EXPECT_FALSE(db().ExisteEnTabla(u"NO_EXISTE"_s, u"1"_s, u"Codigo"_s));
        EXPECT_EQ(sent(), QStringList(c.sends, statement));
        for (const ScriptedOperator::Shown& box : m_operator->shown()) {
            EXPECT_EQ(box.title, u"Aviso al Operador"_s);
            EXPECT_EQ(box.style, MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
            EXPECT_EQ(box.text, u"Invalid object name 'NO_EXISTE'."_s);
        }
        m_operator.verify();
    }

    // The same for a caller's recordset, which stays closed.
    AdoRecordset recordset;
    m_operator->answerMessage(MsgAnswer::Ignore, u"NO_EXISTE"_s);
    EXPECT_FALSE(db().ExisteEnTablaST(u"NO_EXISTE"_s, u"1"_s, u"Codigo"_s, &recordset));
    EXPECT_FALSE(recordset.isOpen());
    EXPECT_EQ(sent(), QStringList{u"SELECT * FROM NO_EXISTE with(nolock)   WHERE Codigo ='1'"_s});
}

TEST_F(LookupsTest, ExisteEnTablaSTReadsTheMainConnectionAsItStands)
{
    open(DemoDb::PlainUser);
    sent();
    // Another object, never opened: the check still goes through the main connection, unrewritten.
    DB_Dll other;
    EXPECT_TRUE(other.ExisteEnTablaST(u"MA_CUENTAS"_s, DemoDb::ConfidentialAccount, u"Codigo"_s));
    EXPECT_FALSE(other.ExisteEnTablaST(u"MA_CUENTAS"_s, u" "_s + DemoDb::ConfidentialAccount, u"Codigo"_s));
    EXPECT_TRUE(other.ExisteEnTablaST(u"MA_CUENTAS"_s, QString(), QString(), nullptr, 8,
                                      u"Codigo = '"_s + DemoDb::ConfidentialAccount + u"'"_s));
    EXPECT_EQ(sent(), (QStringList{
                          u"SELECT * FROM MA_CUENTAS with(nolock)   WHERE Codigo ='1.1.02.08'"_s,
                          u"SELECT * FROM MA_CUENTAS with(nolock)   WHERE Codigo =' 1.1.02.08'"_s,
                          u"SELECT * FROM MA_CUENTAS with(nolock)   WHERE Codigo = '1.1.02.08'"_s,
                      }));
}

TEST_F(LookupsTest, DatosTablaReturnsOneColumnOfTheFirstRow)
{
    open(DemoDb::PlainUser);
    sent();
    const QString description =
        scalar(u"SELECT Descripcion FROM MA_CUENTAS WHERE Codigo = '"_s + DemoDb::TestAccount + u"'"_s)
            .toString();
    const QString id =
        scalar(u"SELECT MIN(IdCuenta) FROM MA_CUENTAS WHERE Confidencial = 0 AND IdCuenta > 10"_s).toString();
    const QString code = scalar(u"SELECT Codigo FROM MA_CUENTAS WHERE IdCuenta = "_s + id).toString();
    struct Case
    {
        QString value;
        QString column;
        int type;
        QString condition;
        bool trim;
        QString statement;
        QString result;
    };
    const Case cases[] = {
        {u" 1.1.02.02 "_s, u"Codigo"_s, 8, QString(), true,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='1.1.02.02' "_s,
         description},
        {u"1.1.02.02"_s, u"Codigo"_s, 8, u"Nivel = 4"_s, true,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='1.1.02.02'  AND Nivel = 4"_s,
         description},
        {u"1.1.02.02"_s, u"Codigo"_s, 8, u"Nivel = 1"_s, true,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='1.1.02.02'  AND Nivel = 1"_s,
         QString()},
        {u"1.1.02.02"_s, u"Codigo"_s, 8, u"  "_s, false,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE Codigo ='1.1.02.02' "_s, description},
        {u" 1.1.02.02"_s, u"Codigo"_s, 8, QString(), false,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE Codigo =' 1.1.02.02' "_s, QString()},
        {u"NO-EXISTE"_s, u"Codigo"_s, 8, QString(), true,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='NO-EXISTE' "_s,
         QString()},
        {id, u"IdCuenta"_s, 3, QString(), true,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE IdCuenta = "_s + id, code},
        {id, u"IdCuenta"_s, 0, u"Nivel > 0"_s, true,
         u"SELECT TOP 1 * FROM SS_MA_CUENTAS with(nolock)  WHERE IdCuenta = "_s + id + u" AND Nivel > 0"_s,
         code},
    };
    for (const Case& c : cases) {
        const QString returned = c.type == 8 ? u"Descripcion"_s : u"Codigo"_s;
        EXPECT_EQ(db().DatosTabla(u"ma_cuentas"_s, c.value, returned, c.column, c.type, c.condition, c.trim),
                  c.result)
            << c.statement.toStdString();
        EXPECT_EQ(sent(), QStringList{c.statement});
    }
}

TEST_F(LookupsTest, DatosTablaFailuresAndALostConnection)
{
    open(DemoDb::PlainUser);
    sent();
    // A column that is not there: the operator is told, unless the caller ignores errors.
    m_operator->answerMessage(MsgAnswer::Abort, u"Item cannot be found in the collection"_s);
    EXPECT_EQ(db().DatosTabla(u"MA_CUENTAS"_s, DemoDb::TestAccount, u"NoHay"_s, u"Codigo"_s), QString());
    ASSERT_EQ(m_operator->shown().size(), 1);
    EXPECT_EQ(m_operator->shown().front().title, u"Aviso al Operador"_s);
    EXPECT_EQ(m_operator->shown().front().style, MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
    m_operator.verify();
    EXPECT_EQ(db().DatosTabla(u"MA_CUENTAS"_s, DemoDb::TestAccount, u"NoHay"_s, u"Codigo"_s, 8, QString(),
                              true, true),
              QString());

    // The Access date form fails in the open, whose own reporter asks; the lookup gives "".
    m_operator->answerMessage(MsgAnswer::Abort, u"Ha ocurrido el Siguiente Error"_s);
    EXPECT_EQ(
        db().DatosTabla(u"MV_ASIENTOS"_s, u"2024-01-15"_s, u"Cuenta"_s, u"Fecha"_s, 7, QString(), true, true),
        QString());
    ASSERT_EQ(m_operator->shown().size(), 1);
    EXPECT_TRUE(m_operator->shown().front().title.contains(u" - AbrirRecordset Aviso al operador!!! - 5 "_s));
    m_operator.verify();
    sent();

    // With the connection lost and not restored the lookup answers nothing, even for a row that exists.
    db().gOpenFlag = false;
    EXPECT_EQ(db().DatosTabla(u"MA_CUENTAS"_s, DemoDb::TestAccount, u"Descripcion"_s, u"Codigo"_s),
              QString());
    EXPECT_EQ(sent().size(), 1);
}

TEST_F(LookupsTest, AggregateLookups)
{
    open(DemoDb::PlainUser);
    sent();
    const double highest = scalar(u"SELECT MAX(IdCuenta) FROM MA_CUENTAS"_s).toDouble();
    const double highestBank =
        scalar(u"SELECT MAX(IdCuenta) FROM MA_CUENTAS WHERE TIPOVISTA = 'BC'"_s).toDouble();
    const double lowestBank =
        scalar(u"SELECT MIN(IdCuenta) FROM MA_CUENTAS WHERE TIPOVISTA = 'BC'"_s).toDouble();
    const double lowest = scalar(u"SELECT MIN(IdCuenta) FROM MA_CUENTAS"_s).toDouble();
    const QVariant lastDate = scalar(u"SELECT MAX(Fecha) FROM MV_ASIENTOS"_s);

    EXPECT_EQ(db().BuscaMaximo(u"MA_CUENTAS"_s, u"IdCuenta"_s), highest);
    EXPECT_EQ(db().BuscaMaximo(u"MA_CUENTAS"_s, u"IdCuenta"_s, 5, u" TIPOVISTA = 'BC' "_s), highestBank);
    EXPECT_EQ(db().BuscaMaximo(u"MA_CUENTAS"_s, u"IdCuenta"_s, 5, u"1 = 0"_s), 0.0);
    EXPECT_EQ(db().BuscaMaximo(u"MV_ASIENTOS"_s, u"Fecha"_s, 7).toDate(), lastDate.toDate());
    EXPECT_EQ(db().BuscaMinimo(u"MA_CUENTAS"_s, u"IdCuenta"_s, {}, u"TIPOVISTA = 'BC'"_s), lowestBank);
    EXPECT_EQ(db().BuscaMinimo(u"MA_CUENTAS"_s, u"IdCuenta"_s), lowest);
    EXPECT_EQ(db().BuscaUltimoCodigo(u"MA_CUENTAS"_s, u"IdCuenta"_s, {}, u"TIPOVISTA = 'BC'"_s), highestBank);
    EXPECT_EQ(db().BuscaUltimoCodigo(u"MA_CUENTAS"_s, u"IdCuenta"_s, {}, u" "_s), highest);
    // No restricted views and no table hint where the statements do not carry one.
    EXPECT_EQ(sent(),
              (QStringList{
                  u"SELECT MAX(IdCuenta) AS MAYOR FROM MA_CUENTAS"_s,
                  u"SELECT MAX(IdCuenta) AS MAYOR FROM MA_CUENTAS WHERE TIPOVISTA = 'BC'"_s,
                  u"SELECT MAX(IdCuenta) AS MAYOR FROM MA_CUENTAS WHERE 1 = 0"_s,
                  u"SELECT MAX(Fecha) AS MAYOR FROM MV_ASIENTOS"_s,
                  u"SELECT MIN(IdCuenta) AS MENOR FROM MA_CUENTAS  with(nolock)  WHERE TIPOVISTA = 'BC'"_s,
                  u"SELECT MIN(IdCuenta) AS MENOR FROM MA_CUENTAS  with(nolock) "_s,
                  u"SELECT MAX(IdCuenta) AS MAYOR FROM MA_CUENTAS WHERE TIPOVISTA = 'BC'"_s,
                  u"SELECT MAX(IdCuenta) AS MAYOR FROM MA_CUENTAS"_s,
              }));

    // Their failures reach the caller, without a message.
    EXPECT_THROW(db().BuscaMaximo(u"NO_EXISTE"_s, u"X"_s), RuntimeError);
    EXPECT_THROW(db().BuscaMinimo(u"NO_EXISTE"_s, u"X"_s), RuntimeError);
    EXPECT_THROW(db().BuscaUltimoCodigo(u"NO_EXISTE"_s, u"X"_s), RuntimeError);
}

TEST_F(LookupsTest, TheHighestArticleCodeSkipsCodesThatStartWithZero)
{
    // Codes right-aligned with blanks sort below "0999": only the article rule finds " 500".
    exec(u"INSERT INTO MA_ARTICULOS (IdArticulo, Descripcion) VALUES (' 500', 'Yerba mate 500 g')"_s);
    open(DemoDb::PlainUser);
    sent();
    EXPECT_EQ(db().BuscaMaximo(u"V_MA_ARTICULOS"_s, u"IdArticulo"_s, {}, u"IdArticulo < '1'"_s), 500.0);
    EXPECT_EQ(sent(), (QStringList{
                          u"SELECT MAX(IdArticulo) AS MAYOR FROM V_MA_ARTICULOS WHERE IdArticulo < '1'"_s,
                          u"SELECT MAX(IdArticulo) AS MAYOR FROM V_MA_ARTICULOS WHERE IdArticulo < '1' and "
                          u"substring(ltrim(idarticulo),1,1)<>'0'"_s,
                      }));

    // Without a condition of the caller's the rule is the whole condition; other tables have no rule.
    exec(u"DELETE FROM STK_STOCK"_s);
    exec(u"DELETE FROM MA_ARTICULOS WHERE IdArticulo >= '1'"_s);
    EXPECT_EQ(db().BuscaMaximo(u"V_MA_ARTICULOS"_s, u"IdArticulo"_s), 500.0);
    EXPECT_EQ(db().BuscaMaximo(u"MA_ARTICULOS"_s, u"IdArticulo"_s), 999.0);
    EXPECT_EQ(sent(), (QStringList{
                          u"SELECT MAX(IdArticulo) AS MAYOR FROM V_MA_ARTICULOS"_s,
                          u"SELECT MAX(IdArticulo) AS MAYOR FROM V_MA_ARTICULOS WHERE "
                          u"substring(ltrim(idarticulo),1,1)<>'0'"_s,
                          u"SELECT MAX(IdArticulo) AS MAYOR FROM MA_ARTICULOS"_s,
                      }));
}

TEST_F(LookupsTest, TablesAndColumnsOfTheCatalogue)
{
    open(DemoDb::PlainUser);
    const std::pair<QString, bool> tables[] = {
        {u"TA_USUARIOS"_s, true},   {u"ta_usuarios"_s, true},
        {u" Ta_Usuarios "_s, true}, {u"v_chequesentregados"_s, true},
        {u"SS_MA_CUENTAS"_s, true}, {u"NO_EXISTE"_s, false},
        {QString(), false},
    };
    for (const auto& [table, exists] : tables)
        EXPECT_EQ(db().ExisteTablaDB(table), exists) << table.toStdString();

    struct Column
    {
        QString table;
        QString column;
        bool exists;
    };
    const Column columns[] = {
        {u"MA_CUENTAS"_s, u"Codigo"_s, true},
        {u"ma_cuentas"_s, u" CONFIDENCIAL "_s, true},
        {u"v_chequesentregados"_s, u"NroComprobanteBancario"_s, true},
        {u"MA_CUENTAS"_s, u"NoHay"_s, false},
        {u"NO_EXISTE"_s, u"Codigo"_s, false},
    };
    for (const Column& c : columns)
        EXPECT_EQ(db().ExisteCampoDB(c.table, c.column), c.exists)
            << c.table.toStdString() << "." << c.column.toStdString();
}

TEST_F(LookupsTest, CatalogueFailuresAreReportedByTheMainObject)
{
    open(DemoDb::PlainUser);
    DB_Dll closed;
    m_operator->answerMessage(MsgAnswer::Retry, u"closed"_s);
    m_operator->answerMessage(MsgAnswer::Abort, u"closed"_s);
    EXPECT_FALSE(closed.ExisteTablaDB(u"TA_USUARIOS"_s));
    m_operator->answerMessage(MsgAnswer::Ignore, u"closed"_s);
    EXPECT_FALSE(closed.ExisteCampoDB(u"MA_CUENTAS"_s, u"Codigo"_s));
    ASSERT_EQ(m_operator->shown().size(), 3);
    for (const ScriptedOperator::Shown& box : m_operator->shown()) {
        EXPECT_TRUE(box.title.endsWith(u" - VerificaCampos Aviso al operador!!! - 5 "_s))
            << box.title.toStdString();
        EXPECT_EQ(box.style, MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
    }
    // The main object's log: the program folder.
    QFile log(folder() + u"/TSERR.LOG"_s);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll().count("Rutina: - VerificaCampos"), 3);
}

TEST_F(LookupsTest, AddFieldAndVerCampoDB)
{
    open(DemoDb::PlainUser);
    sent();
    db().AddField(u"MV_ASIENTOS"_s, u"Serie"_s, u"char(1)"_s, true, u"'A'"_s);
    EXPECT_EQ(sent(), QStringList{u"ALTER TABLE dbo.MV_ASIENTOS ADD Serie char(1) Null  CONSTRAINT "
                                  u"DF_MV_ASIENTOS_Serie DEFAULT ('A')"_s});
    EXPECT_TRUE(db().ExisteCampoDB(u"MV_ASIENTOS"_s, u"Serie"_s));
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM MV_ASIENTOS WHERE Serie <> 'A' OR Serie IS NULL"_s).toInt(), 0);

    db().AddField(u"TA_BANCOS"_s, u"Orden"_s, u"int"_s, false);
    EXPECT_EQ(sent(), QStringList{u"ALTER TABLE dbo.TA_BANCOS ADD Orden int Not Null "_s});

    // Added only when the table exists, the column does not, and the caller asks for it.
    const std::pair<QString, QString> added{u"TA_BANCOS"_s, u"Sucursal"_s};
    EXPECT_TRUE(db().VerCampoDB(added.first, added.second, false, u"varchar(20)"_s, true));
    EXPECT_TRUE(db().VerCampoDB(u"NO_EXISTE"_s, u"Sucursal"_s, true, u"varchar(20)"_s, true));
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_TRUE(db().VerCampoDB(added.first, added.second, true, u"varchar(20)"_s, true, u"''"_s));
    EXPECT_EQ(sent(), QStringList{u"ALTER TABLE dbo.TA_BANCOS ADD Sucursal varchar(20) Null  CONSTRAINT "
                                  u"DF_TA_BANCOS_Sucursal DEFAULT ('')"_s});
    EXPECT_TRUE(db().ExisteCampoDB(added.first, added.second));
    EXPECT_TRUE(db().VerCampoDB(added.first, added.second, true, u"varchar(20)"_s, true, u"''"_s));
    EXPECT_TRUE(sent().isEmpty());
}

// The runner is chosen by the connection string alone: a demo connection that carries the Oracle
// mark runs scripts statement by statement through the Oracle translation.
class OracleScriptTest : public LookupsTest
{
protected:
    void SetUp() override
    {
        LookupsTest::SetUp();
        // The Oracle provider on a data source that names the demo file: Oracle's dialect and script
        // road on a real database.
        DB_Dll& db = DataGlobals::gDB();
        db.gCnn().setTracer([this](const QString& statement) { m_trace << statement; });
        db.OpenServerADODB(false, 3,
                           u"Provider=OraOLEDB.Oracle.1;Data Source="_s +
                               DemoDb::databaseFilePath(folder(), DemoDb::MainDatabaseName) + u";User Id="_s +
                               DemoDb::AdminUser + u";Password="_s + DemoDb::DefaultPassword + u";"_s,
                           false, true);
        ASSERT_TRUE(db.gOpenFlag);
        ASSERT_TRUE(db.isOracleConnection());
        sent();
    }

    QString bank(const QString& id)
    {
        return scalar(u"SELECT Descripcion FROM TA_BANCOS WHERE IdBanco = '"_s + id + u"'"_s).toString();
    }
};

TEST_F(OracleScriptTest, TransactionsAndStatementsOfAScript)
{
    QString script =
        u"SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nUPDATE TA_BANCOS SET Descripcion = 'Galicia' "
        u"WHERE IdBanco = '007'\r\nUPDATE TA_BANCOS SET Descripcion = SUBSTRING(Descripcion,1,8) "
        u"WHERE IdBanco IN ('011', '014')\r\nGO\r\nCOMMIT TRANSACTION"_s;
    long affected = 5;
    db().EjecutaConsultaSQL(script, affected);
    EXPECT_EQ(affected, 8);
    EXPECT_TRUE(script.isEmpty());
    EXPECT_EQ(
        sent(),
        (QStringList{
            u"BEGIN TRANSACTION"_s,
            u"UPDATE TA_BANCOS SET Descripcion = 'Galicia' WHERE IdBanco = '007'"_s,
            u"UPDATE TA_BANCOS SET Descripcion = SUBSTR(Descripcion,1,8) WHERE IdBanco IN ('011', '014')"_s,
            u"COMMIT TRANSACTION"_s,
        }));
    EXPECT_EQ(bank(u"007"_s), u"Galicia"_s);
    EXPECT_EQ(bank(u"011"_s), u"Banco de"_s);

    const QString credicoop = bank(u"191"_s);
    script =
        u"BEGIN TRANS\rUPDATE TA_BANCOS SET Descripcion = 'Otro' WHERE IdBanco = '191'\rROLLBACK TRANSACTION"_s;
    affected = 0;
    db().EjecutaConsultaSQL(script, affected);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(sent(), (QStringList{u"BEGIN TRANSACTION"_s,
                                   u"UPDATE TA_BANCOS SET Descripcion = 'Otro' WHERE IdBanco = '191'"_s,
                                   u"ROLLBACK TRANSACTION"_s}));
    EXPECT_EQ(bank(u"191"_s), credicoop);
}

// On an Oracle connection the catalogue is not asked for columns.
TEST_F(OracleScriptTest, TheCatalogueIsNotAskedForColumns)
{
    EXPECT_TRUE(db().ExisteCampoDB(u"MA_CUENTAS"_s, u"NoHay"_s));
    EXPECT_TRUE(db().VerCampoDB(u"MA_CUENTAS"_s, u"NoHay"_s, true, u"int"_s, true));
    EXPECT_FALSE(db().ExisteTablaDB(u"NO_EXISTE"_s));
}

TEST_F(OracleScriptTest, TheTestOfAnIfNotExistsIsDroppedAndTheStatementRuns)
{
    QString script = u"IF NOT EXISTS (SELECT * FROM TA_BANCOS WHERE IdBanco = '999') "
                     u"INSERT INTO TA_BANCOS (IdBanco, Descripcion) VALUES ('999', 'Banco de Prueba')"_s;
    long affected = 0;
    db().EjecutaConsultaSQL(script, affected);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(
        sent(),
        QStringList{u"INSERT INTO TA_BANCOS (IdBanco, Descripcion) VALUES ('999', 'Banco de Prueba')"_s});
    EXPECT_EQ(bank(u"999"_s), u"Banco de Prueba"_s);
}

TEST_F(OracleScriptTest, TheFirstFailureEndsTheRunAndKeepsTheRest)
{
    const QString rest =
        u"UPDATE NO_EXISTE SET X = 1 UPDATE TA_BANCOS SET Descripcion = 'C' WHERE IdBanco = '011'"_s;
    QString script = u"UPDATE TA_BANCOS SET Descripcion = 'A' WHERE IdBanco = '007' "_s + rest;
    long affected = 0;
    db().EjecutaConsultaSQL(script, affected);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(script, rest);
    EXPECT_EQ(sent(), (QStringList{u"UPDATE TA_BANCOS SET Descripcion = 'A' WHERE IdBanco = '007'"_s,
                                   u"UPDATE NO_EXISTE SET X = 1"_s}));
    EXPECT_EQ(bank(u"007"_s), u"A"_s);
    EXPECT_NE(bank(u"011"_s), u"C"_s);
}

TEST_F(OracleScriptTest, OnlyThePrivateRecordsetOfAnExistenceCheckIsTranslated)
{
    // ROWNUM is Oracle's: the demo refuses it, which shows the translation was made.
    m_operator->answerMessage(MsgAnswer::Abort, u"ROWNUM"_s);
    EXPECT_FALSE(db().ExisteEnTabla(u"TA_BANCOS"_s, u"007"_s, u"IdBanco"_s));
    AdoRecordset recordset;
    EXPECT_TRUE(db().ExisteEnTabla(u"TA_BANCOS"_s, u"007"_s, u"IdBanco"_s, &recordset));
    EXPECT_TRUE(db().ExisteEnTablaST(u"TA_BANCOS"_s, u"007"_s, u"IdBanco"_s));
    EXPECT_EQ(
        sent(),
        (QStringList{
            u"SELECT   * FROM TA_BANCOS with(nolock)  WHERE LTRIM(RTRIM(IdBanco)) ='007'  AND ROWNUM <= 1  "_s,
            u"SELECT TOP 1  * FROM TA_BANCOS with(nolock)  WHERE LTRIM(RTRIM(IdBanco)) ='007'"_s,
            u"SELECT * FROM TA_BANCOS with(nolock)   WHERE IdBanco ='007'"_s,
        }));
}

} // namespace
