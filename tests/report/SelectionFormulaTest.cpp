#include "report/SelectionFormula.h"
#include "report/ReportErrors.h"
#include "zimbrel2/RuntimeError.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct GoodFormula
{
    const char16_t* formula;
    const char16_t* where;
    QVariantList values;
};

class SelectionFormulaReads : public ::testing::TestWithParam<GoodFormula>
{
};

TEST_P(SelectionFormulaReads, IntoConditionAndBoundValues)
{
    const GoodFormula& good = GetParam();
    const SelectionFormula formula = SelectionFormula::parse(QString::fromUtf16(good.formula));
    EXPECT_EQ(formula.where(), QString::fromUtf16(good.where));
    EXPECT_EQ(formula.values(), good.values);
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, SelectionFormulaReads,
    ::testing::Values(
        // The formula the cheque window builds.
        GoodFormula{u"{AUX_IMPRESION.USUARIO}='PC01|JUAN' AND {AUX_IMPRESION.CUENTA}= '1.1.01'",
                    u"((USUARIO = ?) AND (CUENTA = ?))",
                    {u"PC01|JUAN"_s, u"1.1.01"_s}},
        GoodFormula{u"", u"", {}}, GoodFormula{u"   ", u"", {}},
        GoodFormula{u"{aux_impresion.numero} >= 100 and {AUX_IMPRESION.NUMERO}<=-2",
                    u"((NUMERO >= ?) AND (NUMERO <= ?))",
                    {qlonglong(100), qlonglong(-2)}},
        GoodFormula{u"{AUX_IMPRESION.IMPORTE} > 1234.5", u"(IMPORTE > ?)", {1234.5}},
        GoodFormula{u"{AUX_IMPRESION.NOMBRE} <> \"O\"\"Brien\"", u"(NOMBRE <> ?)", {u"O\"Brien"_s}},
        GoodFormula{u"{AUX_IMPRESION.NOMBRE} = 'D''Angelo'", u"(NOMBRE = ?)", {u"D'Angelo"_s}},
        GoodFormula{u"NOT ({AUX_IMPRESION.SERIE} = 'A' OR {AUX_IMPRESION.SERIE} = 'B') AND "
                    u"{AUX_IMPRESION.NUMERO} < 5",
                    u"((NOT ((SERIE = ?) OR (SERIE = ?))) AND (NUMERO < ?))",
                    {u"A"_s, u"B"_s, qlonglong(5)}},
        GoodFormula{
            u"{AUX_IMPRESION.SERIE} = 'A' OR {AUX_IMPRESION.SERIE} = 'B' AND {AUX_IMPRESION.NUMERO} = 1",
            u"((SERIE = ?) OR ((SERIE = ?) AND (NUMERO = ?)))",
            {u"A"_s, u"B"_s, qlonglong(1)}},
        // A text that looks like SQL stays one value.
        GoodFormula{u"{AUX_IMPRESION.USUARIO}='x'' OR 1=1 --'", u"(USUARIO = ?)", {u"x' OR 1=1 --"_s}}));

struct BadFormula
{
    const char16_t* formula;
    const char16_t* reason;
};

class SelectionFormulaRefuses : public ::testing::TestWithParam<BadFormula>
{
};

TEST_P(SelectionFormulaRefuses, WithAMessage)
{
    const BadFormula& bad = GetParam();
    try {
        SelectionFormula::parse(QString::fromUtf16(bad.formula));
        FAIL() << "accepted";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ReportErrors::FormulaInvalida);
        EXPECT_TRUE(error.description().startsWith(u"La fórmula de selección no es válida: "_s))
            << error.what();
        EXPECT_TRUE(error.description().contains(QString::fromUtf16(bad.reason))) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, SelectionFormulaRefuses,
    ::testing::Values(BadFormula{u"{AUX_IMPRESION.USUARIO}='PC01", u"texto sin cerrar"},
                      BadFormula{u"{AUX_IMPRESION USUARIO}='x'", u"{TABLA.CAMPO}"},
                      BadFormula{u"{AUX_IMPRESION.USUARIO", u"falta \"}\""},
                      BadFormula{u"{MV_ASIENTOS.cuenta}='1'", u"tabla desconocida \"MV_ASIENTOS\""},
                      BadFormula{u"{AUX_IMPRESION.CLAVE}='1'", u"campo desconocido \"CLAVE\""},
                      BadFormula{u"{USUARIO}='1'", u"{TABLA.CAMPO}"},
                      BadFormula{u"USUARIO='1'", u"palabra no admitida \"USUARIO\""},
                      BadFormula{u"{AUX_IMPRESION.USUARIO}='a'; DELETE FROM AUX_IMPRESION",
                                 u"carácter no admitido \";\""},
                      BadFormula{u"{AUX_IMPRESION.USUARIO}", u"se esperaba una comparación"},
                      BadFormula{u"{AUX_IMPRESION.USUARIO} = ", u"se esperaba un campo"},
                      BadFormula{u"({AUX_IMPRESION.USUARIO} = 'a'", u"falta \")\""},
                      BadFormula{u"{AUX_IMPRESION.USUARIO} = 'a')", u"sobra \")\""},
                      BadFormula{u"{AUX_IMPRESION.USUARIO} = 'a' AND", u"se esperaba un campo"},
                      BadFormula{u"{AUX_IMPRESION.USUARIO} LIKE 'a%'", u"palabra no admitida \"LIKE\""},
                      BadFormula{u"{AUX_IMPRESION.NUMERO} = 12abc", u"número no válido"},
                      BadFormula{u"{AUX_IMPRESION.NUMERO} = 99999999999999999999", u"número fuera de rango"},
                      BadFormula{u"{AUX_IMPRESION.NUMERO} == 1", u"se esperaba un campo"}));

TEST(SelectionFormula, StatementReadsEveryColumnInChequeOrder)
{
    EXPECT_EQ(SelectionFormula::parse(u"{AUX_IMPRESION.SERIE}='B'"_s).selectStatement(),
              u"SELECT USUARIO, CUENTA, FECHA, VENCIMIENTO, NOMBRE, IMPORTE, IMPORTEENLETRA, SERIE, NUMERO "
              u"FROM AUX_IMPRESION WHERE (SERIE = ?) ORDER BY SERIE, NUMERO"_s);
    EXPECT_EQ(SelectionFormula::parse({}).selectStatement(),
              u"SELECT USUARIO, CUENTA, FECHA, VENCIMIENTO, NOMBRE, IMPORTE, IMPORTEENLETRA, SERIE, NUMERO "
              u"FROM AUX_IMPRESION ORDER BY SERIE, NUMERO"_s);
}

TEST(SelectionFormula, NestingPastTheLimitIsRefusedAndLongChainsAreRead)
{
    const QString term = u"{AUX_IMPRESION.NUMERO} = 1"_s;
    const auto nested = [&](int depth, const QString& open, const QString& close) -> QString {
        return open.repeated(depth) + term + close.repeated(depth);
    };
    // At the limit a formula is read; past it, and far past it (where the stack would not hold),
    // refused with a message.
    const struct
    {
        const char* what;
        QString formula;
        bool accepted;
    } cases[] = {
        {"parentheses at the limit", nested(SelectionFormula::MaxDepth, u"("_s, u")"_s), true},
        {"NOT at the limit", nested(SelectionFormula::MaxDepth, u"NOT "_s, QString()), true},
        {"parentheses past it", nested(SelectionFormula::MaxDepth + 1, u"("_s, u")"_s), false},
        {"12,000 parentheses", nested(12000, u"("_s, u")"_s), false},
        {"40,000 NOT", nested(40000, u"NOT "_s, QString()), false},
        {"NOT and parentheses", nested(SelectionFormula::MaxDepth / 2 + 1, u"NOT ("_s, u")"_s), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            const SelectionFormula formula = SelectionFormula::parse(c.formula);
            EXPECT_TRUE(c.accepted);
            EXPECT_EQ(formula.values().size(), 1);
        } catch (const RuntimeError& error) {
            EXPECT_FALSE(c.accepted);
            EXPECT_EQ(error.number(), ReportErrors::FormulaInvalida);
            EXPECT_TRUE(error.description().contains(u"anida más de 200 niveles"_s)) << error.what();
        }
    }

    // A long chain is one list: every term once, in order.
    QStringList terms;
    for (int i = 0; i < 100000; ++i)
        terms << u"{AUX_IMPRESION.NUMERO} = "_s + QString::number(i);
    const SelectionFormula chain = SelectionFormula::parse(terms.join(u" OR "_s));
    ASSERT_EQ(chain.values().size(), 100000);
    EXPECT_EQ(chain.values().last(), QVariant(qlonglong(99999)));
    EXPECT_TRUE(chain.where().startsWith(u"((NUMERO = ?) OR (NUMERO = ?) OR "_s));
    EXPECT_EQ(chain.where().count(u" OR "_s), 99999);
}

TEST(SelectionFormula, APercentSignInTheFormulaIsQuotedAsWritten)
{
    const QString text = u"{AUX_IMPRESION.NOMBRE} = 'x' 'a%2 %1'"_s;
    try {
        SelectionFormula::parse(text);
        FAIL() << "accepted";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(error.description().contains(u"sobra \"a%2 %1\" (posición 30): "_s + text))
            << error.what();
    }
}

} // namespace
