#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

/// The regional settings every conversion of the program reads: decimal and thousands separators
/// and the order of day, month and year. One instance for the process, the system's by default;
/// tests set their own.
class RegionalSettings
{
public:
    enum class DateOrder
    {
        DayMonthYear,
        MonthDayYear,
        YearMonthDay
    };

    QChar decimalSeparator = u',';
    QChar groupSeparator = u'.';
    DateOrder dateOrder = DateOrder::DayMonthYear;

    static RegionalSettings fromLocale(const QLocale& locale);
    /// Comma decimals, point thousands, day first: the settings of an Argentine workstation.
    static RegionalSettings argentina();
    /// Point decimals, comma thousands, month first.
    static RegionalSettings unitedStates();

    static const RegionalSettings& current();
    static void setCurrent(const RegionalSettings& settings);
    /// Back to the system's settings.
    static void reset();

    /// The short date pattern for QDate::toString / fromString, four-digit year.
    QString shortDatePattern() const;
};
