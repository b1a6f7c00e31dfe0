#include "zimbrel2/Currency.h"
#include "support/QStringPrinter.h"
#include "zimbrel2/RegionalSettings.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();

struct ParseCase
{
    const char16_t* text;
    std::optional<std::int64_t> units; // nullopt: not an amount
};

void expectParses(const RegionalSettings& settings, std::initializer_list<ParseCase> cases)
{
    for (const ParseCase& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const std::optional<Currency> parsed = Currency::parse(text, settings);
        if (c.units) {
            ASSERT_TRUE(parsed.has_value()) << "\"" << text.toStdString() << "\"";
            EXPECT_EQ(parsed->units(), *c.units) << "\"" << text.toStdString() << "\"";
        } else {
            EXPECT_FALSE(parsed.has_value())
                << "\"" << text.toStdString() << "\" read as " << parsed->units();
        }
    }
}

} // namespace

TEST(CurrencyParse, ArgentineSeparators)
{
    expectParses(RegionalSettings::argentina(),
                 {
                     {u"1.234,50", 12345000},
                     {u"  1 234,5 ", 12345000},
                     {u"1.234.567", 12345670000},
                     {u"12.34", 12340000}, // a point is a thousands separator here
                     {u"-0,25", -2500},
                     {u"- 5", -50000},
                     {u"+7", 70000},
                     {u",5", 5000},
                     {u"5,", 50000},
                     {u"0", 0},
                     {u"1,23456", 12346}, // fifth decimal rounds
                     {u"0,00005", 0},     // half to even: stays even
                     {u"0,00015", 2},     // half to even: odd goes up
                     {u"0,000051", 1},    // more than half
                     {u"922337203685477,5807", Max},
                     {u"-922337203685477,5807", -Max},
                     {u"922337203685477,5808", std::nullopt},
                     {u"99999999999999999999", std::nullopt},
                     {u"1,2,3", std::nullopt},
                     {u"1,2.3", std::nullopt}, // thousands separator among the decimals
                     {u"-", std::nullopt},
                     {u",", std::nullopt},
                     {u"", std::nullopt},
                     {u"   ", std::nullopt},
                     {u"abc", std::nullopt},
                     {u"12a", std::nullopt},
                     {u"1-", std::nullopt},
                     {u"--1", std::nullopt},
                     {u"1e5", std::nullopt},
                 });
}

TEST(CurrencyParse, UnitedStatesSeparators)
{
    expectParses(RegionalSettings::unitedStates(), {
                                                       {u"1,234.50", 12345000},
                                                       {u"-0.25", -2500},
                                                       {u"1.234,50", std::nullopt},
                                                       {u"1.2.3", std::nullopt},
                                                       {u".", std::nullopt},
                                                       {u"-", std::nullopt},
                                                   });
}

TEST(CurrencyParse, InvariantTakesOnlyAPoint)
{
    EXPECT_EQ(Currency::parseInvariant(u"1234.5")->units(), 12345000);
    EXPECT_FALSE(Currency::parseInvariant(u"1,234.5").has_value());
    EXPECT_FALSE(Currency::parseInvariant(u"1234,5").has_value());
}

TEST(CurrencyFormat, PlainAndDisplayTexts)
{
    struct Case
    {
        std::int64_t units;
        const char16_t* plainComma;
        const char16_t* displayArgentina;
        const char16_t* displayUnitedStates;
    };
    const Case cases[] = {
        {12345000, u"1234,5", u"1.234,50", u"1,234.50"},
        {-2500, u"-0,25", u"-0,25", u"-0.25"},
        {1000000, u"100", u"100,00", u"100.00"},
        {0, u"0", u"0,00", u"0.00"},
        {-50, u"-0,005", u"-0,01", u"-0.01"}, // display rounds half away from zero
        {-49, u"-0,0049", u"0,00", u"0.00"},  // no "-0,00"
        {1234567890000, u"123456789", u"123.456.789,00", u"123,456,789.00"},
        {Min, u"-922337203685477,5808", u"-922.337.203.685.477,58", u"-922,337,203,685,477.58"},
    };
    for (const Case& c : cases) {
        const Currency value = Currency::fromUnits(c.units);
        EXPECT_EQ(value.toText(u','), QString::fromUtf16(c.plainComma)) << c.units;
        EXPECT_EQ(value.toDisplayText(RegionalSettings::argentina()), QString::fromUtf16(c.displayArgentina))
            << c.units;
        EXPECT_EQ(value.toDisplayText(RegionalSettings::unitedStates()),
                  QString::fromUtf16(c.displayUnitedStates))
            << c.units;
    }
}

TEST(CurrencyFormat, TextReadsBackToTheSameAmount)
{
    for (std::int64_t units : {std::int64_t{1}, std::int64_t{-1}, std::int64_t{12345678}, Max, -Max}) {
        const Currency value = Currency::fromUnits(units);
        EXPECT_EQ(Currency::parse(value.toText(u','), RegionalSettings::argentina()), value) << units;
        EXPECT_EQ(Currency::parseInvariant(value.toText(u'.')), value) << units;
    }
}

TEST(CurrencyFromDouble, RoundsAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(Currency::fromDouble(0.1 + 0.2)->units(), 3000);
    EXPECT_EQ(Currency::fromDouble(-1234.56789)->units(), -12345679);
    EXPECT_FALSE(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(Currency::fromDouble(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(Currency::fromDouble(1e20).has_value());
}
