#include "zimbrel2/RegionalSettings.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

std::optional<RegionalSettings>& overrideSlot()
{
    static std::optional<RegionalSettings> slot;
    return slot;
}

} // namespace

RegionalSettings RegionalSettings::fromLocale(const QLocale& locale)
{
    RegionalSettings settings;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    settings.decimalSeparator = decimal.isEmpty() ? QChar(u'.') : decimal.front();
    settings.groupSeparator = group.isEmpty() ? QChar(u',') : group.front();
    if (settings.groupSeparator == settings.decimalSeparator)
        settings.groupSeparator = settings.decimalSeparator == u',' ? QChar(u'.') : QChar(u',');

    const QString pattern = locale.dateFormat(QLocale::ShortFormat).toLower();
    const qsizetype day = pattern.indexOf(u'd');
    const qsizetype month = pattern.indexOf(u'm');
    const qsizetype year = pattern.indexOf(u'y');
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month))
        settings.dateOrder = DateOrder::YearMonthDay;
    else if (month >= 0 && day >= 0 && month < day)
        settings.dateOrder = DateOrder::MonthDayYear;
    else
        settings.dateOrder = DateOrder::DayMonthYear;
    return settings;
}

RegionalSettings RegionalSettings::argentina()
{
    return RegionalSettings{};
}

RegionalSettings RegionalSettings::unitedStates()
{
    RegionalSettings settings;
    settings.decimalSeparator = u'.';
    settings.groupSeparator = u',';
    settings.dateOrder = DateOrder::MonthDayYear;
    return settings;
}

const RegionalSettings& RegionalSettings::current()
{
    std::optional<RegionalSettings>& slot = overrideSlot();
    if (!slot)
        slot = fromLocale(QLocale::system());
    return *slot;
}

void RegionalSettings::setCurrent(const RegionalSettings& settings)
{
    overrideSlot() = settings;
}

void RegionalSettings::reset()
{
    overrideSlot().reset();
}

QString RegionalSettings::shortDatePattern() const
{
    switch (dateOrder) {
    case DateOrder::MonthDayYear:
        return u"MM/dd/yyyy"_s;
    case DateOrder::YearMonthDay:
        return u"yyyy/MM/dd"_s;
    case DateOrder::DayMonthYear:
        break;
    }
    return u"dd/MM/yyyy"_s;
}
