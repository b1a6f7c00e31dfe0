#pragma once

#include <QString>
#include <QStringView>

/// Dates as SQL Server's CONVERT styles write them, for the translator, the SQL functions the SQLite
/// engine registers and the engine's binding of date values.
class TsqlDates
{
public:
    /// The ISO text ('YYYY-MM-DD', or 'YYYY-MM-DD HH:MM:SS' when a time is given) of a date written
    /// in CONVERT style `style` (103 day/month/year, 101, 104, 105, 112, 120, 121, 23, 126; -1 for
    /// none: ISO, 'YYYYMMDD' or day/month/year); empty when the text is no such date.
    static QString isoDate(QStringView text, int style = -1);

    /// The strftime() format that writes a date in CONVERT style `style`; empty for a style that
    /// is no date style.
    static QString strftimeFormat(int style);
};
