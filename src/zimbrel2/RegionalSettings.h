#pragma once

#include <QChar>
#include <QDateTime>
#include <QLocale>
#include <QString>

/// The regional settings every conversion of the program reads: decimal and thousands separators,
/// the order of day, month and year and the date and time separators. One instance for the process,
/// the workstation's by default; when the environment names no locale (C or POSIX, a fresh Debian's
/// default) they are those of Spanish (Argentina). Tests set their own.
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
    QChar dateSeparator = u'/';
    QChar timeSeparator = u':';

    static RegionalSettings fromLocale(const QLocale& locale);
    /// The settings of a workstation whose locale is `locale`: Spanish (Argentina) for the C locale
    /// (what C and POSIX give), the locale's own otherwise.
    static RegionalSettings forWorkstation(const QLocale& locale);
    /// Comma decimals, point thousands, day first: the settings of an Argentine workstation.
    static RegionalSettings argentina();
    /// Point decimals, comma thousands, month first.
    static RegionalSettings unitedStates();

    static const RegionalSettings& current();
    static void setCurrent(const RegionalSettings& settings);
    /// Back to the workstation's settings.
    static void reset();

    /// The short date pattern for QDate::toString / fromString, four-digit year.
    QString shortDatePattern() const;
    /// `moment` as "dd/mm/yy hh:mm" with these settings' date and time separators in place of "/"
    /// and ":" (`withTime` false: the date part alone).
    QString shortDateTime(const QDateTime& moment, bool withTime = true) const;
};
