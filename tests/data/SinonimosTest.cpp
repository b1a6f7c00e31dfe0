// The restricted-view rewriting of statements for users who are not administrators.
#include "data/Sinonimos.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "support/QStringPrinter.h"
#include "zimbrel2/ProgramInfo.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString ThisProgram = u"talonex"_s;

class SinonimosTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DataGlobals::reset();
        ProgramInfo::setExecutableName(ThisProgram);
    }
    void TearDown() override
    {
        DataGlobals::reset();
        ProgramInfo::reset();
    }

    QString rewritten(const QString& sql, bool esAdmin, bool confidencialidad)
    {
        DataGlobals::setConfidencialidad(confidencialidad);
        DB_Dll db;
        db.gEsAdmin = esAdmin;
        return db.SS_TSinonimos(sql);
    }
};

struct Row
{
    QString table;
    QString restricted;
};
const Row Rows[] = {
    {u"MA_CUENTAS"_s, u"SS_MA_CUENTAS"_s},
    {u"V_TA_DEPOSITO"_s, u"SS_V_TA_DEPOSITO"_s},
    {u"MV_ASIENTOS"_s, u"SS_MV_ASIENTOS"_s},
    {u"V_TA_FAMILIAS"_s, u"SS_V_TA_FAMILIAS"_s},
    {u"V_TA_CAJAS"_s, u"SS_V_TA_CAJAS"_s},
    {u"AC_CUENTASDIARIO"_s, u"SS_AC_CUENTASDIARIO"_s},
    {u"AC_CUENTASDIARIO_CCOSTO"_s, u"SS_AC_CUENTAS_DIARIO_CCOSTO"_s},
};

TEST_F(SinonimosTest, EveryTableIsRedirectedInEachOfItsFiveContexts)
{
    const std::pair<QString, QString> contexts[] = {
        {u"SELECT * FROM "_s, u" T"_s},             // between blanks
        {u"SELECT * FROM ("_s, u" T)"_s},           // after "(" and before a blank
        {u"SELECT "_s, u".Codigo FROM X"_s},        // after a blank and before "."
        {u"SELECT COUNT("_s, u".Codigo) FROM X"_s}, // after "(" and before "."
        {u"SELECT A,"_s, u".Codigo FROM X"_s},      // after "," and before "."
    };
    for (const Row& row : Rows) {
        for (const auto& [before, after] : contexts) {
            EXPECT_EQ(rewritten(before + row.table + after, false, true), before + row.restricted + after)
                << QString(before + row.table + after).toStdString();
        }
    }
}

TEST_F(SinonimosTest, OtherNeighbourhoodsLeaveTheNameAlone)
{
    const QString unchanged[] = {
        u"SELECT * FROM MA_CUENTAS"_s,                 // at the end of the text
        u"MA_CUENTAS WHERE Codigo = '1'"_s,            // at the start
        u"FROM X,MA_CUENTAS WHERE A = 1"_s,            // after a comma, followed by a blank
        u"SELECT * FROM\r\nMA_CUENTAS WHERE A = 1"_s,  // after a line break
        u"SELECT * FROM MA_CUENTAS\r\nWHERE A = 1"_s,  // followed by a line break
        u"SELECT * FROM X, MA_CUENTAS, Y"_s,           // followed by ","
        u"SELECT * FROM (SELECT * FROM MA_CUENTAS)"_s, // followed by ")"
        u"SELECT * FROM XMA_CUENTAS WHERE A = 1"_s,    // glued to a longer word before
        u"SELECT * FROM MA_CUENTASX WHERE A = 1"_s,    // and after
        u"SELECT * FROM SS_MA_CUENTAS WHERE A = 1"_s,  // already restricted
        u"SELECT * FROM dbo.MA_CUENTAS WHERE A = 1"_s, // after an owner
    };
    for (const QString& sql : unchanged)
        EXPECT_EQ(rewritten(sql, false, true), sql) << sql.toStdString();
}

TEST_F(SinonimosTest, WhoIsRedirectedAndWhen)
{
    struct Case
    {
        QString sql;
        bool esAdmin;
        bool confidencialidad;
        QString sent;
    };
    const QString accounts = u"SELECT * FROM MA_CUENTAS WHERE IdCuenta = 1"_s;
    const QString lines = u"SELECT A.Fecha FROM MV_ASIENTOS A"_s;
    const QString join =
        u"SELECT A.Fecha FROM MV_ASIENTOS A INNER JOIN MA_CUENTAS C ON C.Codigo = A.Cuenta"_s;
    const Case cases[] = {
        // Any other table: redirected whatever the confidentiality setting.
        {accounts, false, false, u"SELECT * FROM SS_MA_CUENTAS WHERE IdCuenta = 1"_s},
        {accounts, false, true, u"SELECT * FROM SS_MA_CUENTAS WHERE IdCuenta = 1"_s},
        {accounts, true, true, accounts},
        // The accounting lines only with the setting on; with it off nothing in the statement moves.
        {lines, false, true, u"SELECT A.Fecha FROM SS_MV_ASIENTOS A"_s},
        {lines, false, false, lines},
        {join, false, false, join},
        {join, false, true,
         u"SELECT A.Fecha FROM SS_MV_ASIENTOS A INNER JOIN SS_MA_CUENTAS C ON C.Codigo = A.Cuenta"_s},
        {join, true, true, join},
        // "MV_ASIENTOS" counts anywhere, even marked or inside a longer name.
        {u"SELECT * FROM MA_CUENTAS C, @Admin_MV_ASIENTOS A WHERE 1 = 1"_s, false, false,
         u"SELECT * FROM MA_CUENTAS C, MV_ASIENTOS A WHERE 1 = 1"_s},
        {u"SELECT * FROM MA_CUENTAS C, @Admin_MV_ASIENTOS A WHERE 1 = 1"_s, false, true,
         u"SELECT * FROM SS_MA_CUENTAS C, MV_ASIENTOS A WHERE 1 = 1"_s},
        {u"SELECT * FROM V_TA_CAJAS X JOIN XMV_ASIENTOSY Z ON 1 = 1"_s, false, false,
         u"SELECT * FROM V_TA_CAJAS X JOIN XMV_ASIENTOSY Z ON 1 = 1"_s},
        // The marker keeps the real table for everyone and never reaches the server.
        {u"SELECT * FROM @Admin_MA_CUENTAS C"_s, false, false, u"SELECT * FROM MA_CUENTAS C"_s},
        {u"SELECT * FROM @Admin_MA_CUENTAS C"_s, false, true, u"SELECT * FROM MA_CUENTAS C"_s},
        {u"SELECT * FROM @Admin_MA_CUENTAS C"_s, true, false, u"SELECT * FROM MA_CUENTAS C"_s},
        {u"SELECT * FROM @admin_V_TA_FAMILIAS F WHERE 1 = 1"_s, false, true,
         u"SELECT * FROM V_TA_FAMILIAS F WHERE 1 = 1"_s},
        {u"SELECT * FROM @ADMIN_V_TA_CAJAS C"_s, true, true, u"SELECT * FROM V_TA_CAJAS C"_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rewritten(c.sql, c.esAdmin, c.confidencialidad), c.sent)
            << c.sql.toStdString() << " admin=" << c.esAdmin << " conf=" << c.confidencialidad;
    }
}

TEST_F(SinonimosTest, SearchesIgnoreCaseAndReplaceEveryOccurrence)
{
    EXPECT_EQ(
        rewritten(u"select * from ma_cuentas where codigo in (select codigo from Ma_Cuentas where x = 1)"_s,
                  false, false),
        u"select * from SS_MA_CUENTAS where codigo in (select codigo from SS_MA_CUENTAS where x = 1)"_s);
    EXPECT_EQ(
        rewritten(u"SELECT V_TA_CAJAS.IdCaja, V_TA_CAJAS.Nombre FROM V_TA_CAJAS WHERE 1 = 1"_s, false, false),
        u"SELECT SS_V_TA_CAJAS.IdCaja, SS_V_TA_CAJAS.Nombre FROM SS_V_TA_CAJAS WHERE 1 = 1"_s);
    // Report formulas name the accounts table inside braces.
    EXPECT_EQ(rewritten(u"{MA_CUENTAS.Codigo} = 'X' AND {ma_cuentas.Nivel} = 1"_s, false, false),
              u"{SS_MA_CUENTAS.Codigo} = 'X' AND {SS_MA_CUENTAS.Nivel} = 1"_s);
}

TEST_F(SinonimosTest, TheCostCentreJournalHasItsOwnRestrictedName)
{
    EXPECT_EQ(rewritten(u"SELECT * FROM AC_CUENTASDIARIO_CCOSTO WHERE 1 = 1"_s, false, false),
              u"SELECT * FROM SS_AC_CUENTAS_DIARIO_CCOSTO WHERE 1 = 1"_s);
    EXPECT_EQ(
        rewritten(u"SELECT * FROM AC_CUENTASDIARIO D, AC_CUENTASDIARIO_CCOSTO C WHERE 1 = 1"_s, false, false),
        u"SELECT * FROM SS_AC_CUENTASDIARIO D, SS_AC_CUENTAS_DIARIO_CCOSTO C WHERE 1 = 1"_s);
}

TEST_F(SinonimosTest, TheExceptionListsKeepTheirViewsAndLeaveThisProgramOut)
{
    const QString deposito = u"SELECT * FROM V_TA_DEPOSITO D WHERE 1 = 1"_s;
    const QString familias = u"SELECT * FROM V_TA_FAMILIAS F WHERE 1 = 1"_s;
    const QString cajas = u"SELECT * FROM V_TA_CAJAS C WHERE 1 = 1"_s;
    ASSERT_FALSE(Sinonimos::depositoExceptions().isEmpty());
    ASSERT_FALSE(Sinonimos::familiasExceptions().isEmpty());
    EXPECT_FALSE(Sinonimos::depositoExceptions().contains(ThisProgram, Qt::CaseInsensitive));
    EXPECT_FALSE(Sinonimos::familiasExceptions().contains(ThisProgram, Qt::CaseInsensitive));

    for (const QString& program : Sinonimos::depositoExceptions()) {
        EXPECT_EQ(Sinonimos::rewrite(deposito, false, false, program.toLower()), deposito);
        EXPECT_EQ(Sinonimos::rewrite(familias, false, false, program),
                  u"SELECT * FROM SS_V_TA_FAMILIAS F WHERE 1 = 1"_s);
        EXPECT_EQ(Sinonimos::rewrite(cajas, false, false, program),
                  u"SELECT * FROM SS_V_TA_CAJAS C WHERE 1 = 1"_s);
    }
    for (const QString& program : Sinonimos::familiasExceptions()) {
        EXPECT_EQ(Sinonimos::rewrite(familias, false, false, program.toLower()), familias);
        EXPECT_EQ(Sinonimos::rewrite(deposito, false, false, program),
                  u"SELECT * FROM SS_V_TA_DEPOSITO D WHERE 1 = 1"_s);
    }
    // The running program is this one: every row applies.
    EXPECT_EQ(rewritten(deposito, false, false), u"SELECT * FROM SS_V_TA_DEPOSITO D WHERE 1 = 1"_s);
    EXPECT_EQ(rewritten(familias, false, false), u"SELECT * FROM SS_V_TA_FAMILIAS F WHERE 1 = 1"_s);
}

} // namespace
