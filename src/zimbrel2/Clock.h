#pragma once

#include <QDate>
#include <QDateTime>

/// The one clock of the program: today's date and the time appear in fields, print rows and logs,
/// so tests fix it.
class Clock
{
public:
    static QDateTime now();
    static QDate today();
    /// From now on now() answers this moment (tests).
    static void setFixed(const QDateTime& moment);
    /// Back to the system clock.
    static void reset();
};
