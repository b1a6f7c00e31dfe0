#include "zimbrel2/RegionalSettings.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

std::optional<RegionalSettings>& overrideSlot()
{
    static std::optional<RegionalSettings> slot;
    return slot;
}

// The first character of `pattern` that is no letter of a field and no blank: the separator the
// locale writes between the fields; `fallback` when there is none.
QChar separatorOf(const QString& pattern, QChar fallback)
{
    for (QChar c : pattern) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return c;
    }
    return fallback;
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
    settings.dateSeparator = separatorOf(locale.dateFormat(QLocale::ShortFormat), u'/');
    settings.timeSeparator = separatorOf(locale.timeFormat(QLocale::ShortFormat), u':');
    return settings;
}

RegionalSettings RegionalSettings::forWorkstation(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return argentina();
    return fromLocale(locale);
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
        slot = forWorkstation(QLocale::system());
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

QString RegionalSettings::shortDateTime(const QDateTime& moment, bool withTime) const
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    const auto two = [](int value) { return QString::number(value).rightJustified(2, u'0'); };
    QString text =
        two(date.day()) + dateSeparator + two(date.month()) + dateSeparator + two(date.year() % 100);
    if (withTime)
        text += u' ' + two(time.hour()) + timeSeparator + two(time.minute());
    return text;
}
