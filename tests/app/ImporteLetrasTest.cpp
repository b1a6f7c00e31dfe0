#include "app/ImporteLetras.h"

#include "zimbrel2/RegionalSettings.h"

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

class RegionalScope
{
public:
    explicit RegionalScope(const RegionalSettings& settings) { RegionalSettings::setCurrent(settings); }
    ~RegionalScope() { RegionalSettings::reset(); }
};

struct WordsCase
{
    const char16_t* amount;
    const char16_t* words;
};

class AmountWithoutCurrency : public ::testing::TestWithParam<WordsCase>
{
};

TEST_P(AmountWithoutCurrency, SpellsTheAmountAsOnACheque)
{
    RegionalScope comma(RegionalSettings::argentina());
    const WordsCase& c = GetParam();
    EXPECT_EQ(ImporteEnLetras(QString::fromUtf16(c.amount)), QString::fromUtf16(c.words));
}

INSTANTIATE_TEST_SUITE_P(
    CommaDecimals, AmountWithoutCurrency,
    ::testing::Values(
        WordsCase{u"1", u"un con 00/100"}, WordsCase{u"16", u"dieciseis con 00/100"},
        WordsCase{u"21", u"veintiun con 00/100"}, WordsCase{u"22", u"veintidos con 00/100"},
        WordsCase{u"100", u"cien con 00/100"}, WordsCase{u"101", u"ciento un con 00/100"},
        WordsCase{u"115", u"ciento quince con 00/100"}, WordsCase{u"711", u"setecientos once con 00/100"},
        WordsCase{u"1000", u"un mil con 00/100"}, WordsCase{u"1001", u"un mil un con 00/100"},
        WordsCase{u"21000", u"veintiun mil con 00/100"}, WordsCase{u"110000", u"ciento diez mil con 00/100"},
        WordsCase{u"1000000", u"un millón con 00/100"},
        WordsCase{u"1500000", u"un millón quinientos mil con 00/100"},
        WordsCase{u"2000000", u"dos millones con 00/100"},
        WordsCase{u"2021000", u"dos millones veintiun mil con 00/100"},
        WordsCase{u"1000000000", u"un mil millones con 00/100"},
        WordsCase{u"999999999999", u"novecientos noventa y nueve mil novecientos noventa y nueve millones "
                                   u"novecientos noventa y nueve mil novecientos noventa y nueve con 00/100"},
        WordsCase{u"1234567,89",
                  u"un millón doscientos treinta y cuatro mil quinientos sesenta y siete con 89/100"},
        WordsCase{u"100,5", u"cien con 50/100"}, WordsCase{u"100,00", u"cien"},
        WordsCase{u"1234,567", u"un mil doscientos treinta y cuatro con 56/100"},
        WordsCase{u"0", u"cero con 00/100"}, WordsCase{u"0,50", u"cero con 50/100"},
        WordsCase{u"-5", u"menos cinco con 00/100"},
        // Beyond the table: the teens, tens and hundreds that have words of their own.
        WordsCase{u"10", u"diez con 00/100"}, WordsCase{u"15", u"quince con 00/100"},
        WordsCase{u"20", u"veinte con 00/100"}, WordsCase{u"31", u"treinta y un con 00/100"},
        WordsCase{u"500", u"quinientos con 00/100"}, WordsCase{u"1100", u"un mil cien con 00/100"},
        WordsCase{u"1999999",
                  u"un millón novecientos noventa y nueve mil novecientos noventa y nueve con 00/100"},
        WordsCase{u"1001000000", u"un mil un millones con 00/100"},
        WordsCase{u"5000000000", u"cinco mil millones con 00/100"},
        WordsCase{u"100000001", u"cien millones un con 00/100"},
        WordsCase{u"1 234,50", u"un mil doscientos treinta y cuatro con 50/100"},
        WordsCase{u"100,05", u"cien con 05/100"}));

TEST(AmountInWords, CurrencyTextStandsBeforeTheFraction)
{
    RegionalScope comma(RegionalSettings::argentina());
    const std::optional<QString> pesos = u"Pesos"_s;
    EXPECT_EQ(ImporteEnLetras(u"15256"_s, 0, pesos, u"Centavos"_s),
              u"quince mil doscientos cincuenta y seis Pesos con 00/100"_s);
    EXPECT_EQ(ImporteEnLetras(u"100,5"_s, 0, pesos), u"cien Pesos con 50/100"_s);
    EXPECT_EQ(ImporteEnLetras(u"100,00"_s, 0, pesos), u"cien Pesos"_s);

    // An empty currency text, as cheque generation passes it, leaves two blanks.
    const std::optional<QString> empty = QString();
    EXPECT_EQ(ImporteEnLetras(u"100,5"_s, 0, empty, u"Centavos"_s), u"cien  con 50/100"_s);
    EXPECT_EQ(ImporteEnLetras(u"100,00"_s, 0, empty), u"cien"_s);
    EXPECT_EQ(ImporteEnLetras(u"100"_s, 0, empty), u"cien con 00/100"_s);
}

TEST(AmountInWords, WidthPadsOrCutsTheWords)
{
    RegionalScope comma(RegionalSettings::argentina());
    const QString padded = ImporteEnLetras(u"100"_s, 10);
    EXPECT_EQ(padded, u"cien       con 00/100"_s);
    EXPECT_EQ(padded.size(), 21);
    EXPECT_EQ(ImporteEnLetras(u"1234,5"_s, 10), u"un mil dos"_s);
}

TEST(AmountInWords, PointDecimalSeparator)
{
    RegionalScope point(RegionalSettings::unitedStates());
    EXPECT_EQ(ImporteEnLetras(u"100.5"_s), u"cien con 50/100"_s);
    EXPECT_EQ(ImporteEnLetras(u"1234567.89"_s),
              u"un millón doscientos treinta y cuatro mil quinientos sesenta y siete con 89/100"_s);
    // A comma is no decimal separator there: the whole text is one number.
    EXPECT_EQ(ImporteEnLetras(u"1,000"_s), u"un mil con 00/100"_s);
}

TEST(AmountInWords, BadInputNeverCrashesAndCountsAsZero)
{
    RegionalScope comma(RegionalSettings::argentina());
    struct Case
    {
        QString amount;
        QString words;
    };
    const Case cases[] = {
        {QString(), u"cero con 00/100"_s},
        {u"abc"_s, u"cero con 00/100"_s},
        {u"-"_s, u"cero con 00/100"_s},
        {u","_s, u"cero"_s},
        {u"12abc,50"_s, u"cero con 50/100"_s},
        // Thirteen digits: the leading one is lost, as the words only hold twelve.
        {u"1000000000005"_s, u"cinco con 00/100"_s},
        {u"1000000000000"_s, u" con 00/100"_s},
        {u"12345678901234567890123"_s, u"doscientos treinta y cuatro mil quinientos sesenta y siete millones "
                                       u"ochocientos noventa mil ciento veintitres con 00/100"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImporteEnLetras(c.amount), c.words) << c.amount.toStdString();
    EXPECT_EQ(NumeroEnLetras(u"1,2,3"_s), u"cero"_s);
    EXPECT_EQ(NumeroEnLetras(u"-0,5"_s), u"cero"_s);
    EXPECT_EQ(NumeroEnLetras(u"1.234"_s), u"un mil doscientos treinta y cuatro"_s);
}

} // namespace
