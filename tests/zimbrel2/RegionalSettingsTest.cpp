#include "zimbrel2/RegionalSettings.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What a workstation's locale gives: an environment that names no locale (C, POSIX, C.UTF-8, all
// read by Qt as the C locale) is an Argentine workstation; a named locale is taken as it is.
TEST(RegionalSettings, FollowTheWorkstationAndAreArgentineWithoutALocale)
{
    using Order = RegionalSettings::DateOrder;
    const struct
    {
        QLocale locale;
        QChar decimal;
        QChar group;
        Order order;
        QChar dateSeparator;
        QChar timeSeparator;
    } cases[] = {
        {QLocale::c(), u',', u'.', Order::DayMonthYear, u'/', u':'},
        {QLocale(u"es_AR"_s), u',', u'.', Order::DayMonthYear, u'/', u':'},
        {QLocale(u"en_US"_s), u'.', u',', Order::MonthDayYear, u'/', u':'},
        {QLocale(u"de_DE"_s), u',', u'.', Order::DayMonthYear, u'.', u':'},
        {QLocale(u"sv_SE"_s), u',', u'\u00a0', Order::YearMonthDay, u'-', u':'},
    };
    for (const auto& c : cases) {
        const RegionalSettings s = RegionalSettings::forWorkstation(c.locale);
        const std::string name = c.locale.name().toStdString();
        EXPECT_EQ(s.decimalSeparator, c.decimal) << name;
        EXPECT_EQ(s.groupSeparator, c.group) << name;
        EXPECT_EQ(s.dateOrder, c.order) << name;
        EXPECT_EQ(s.dateSeparator, c.dateSeparator) << name;
        EXPECT_EQ(s.timeSeparator, c.timeSeparator) << name;
    }
}

TEST(RegionalSettings, ShortDateTimeUsesTheRegionalSeparators)
{
    const QDateTime moment(QDate(2026, 3, 4), QTime(9, 5, 7));
    RegionalSettings dots = RegionalSettings::argentina();
    dots.dateSeparator = u'.';
    dots.timeSeparator = u'.';
    EXPECT_EQ(RegionalSettings::argentina().shortDateTime(moment), u"04/03/26 09:05"_s);
    EXPECT_EQ(dots.shortDateTime(moment), u"04.03.26 09.05"_s);
    EXPECT_EQ(dots.shortDateTime(moment, false), u"04.03.26"_s);
}

} // namespace
