#include "zimbrel2/Clock.h"

namespace {

QDateTime& fixedMoment()
{
    static QDateTime moment;
    return moment;
}

} // namespace

QDateTime Clock::now()
{
    const QDateTime& fixed = fixedMoment();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

QDate Clock::today()
{
    return now().date();
}

void Clock::setFixed(const QDateTime& moment)
{
    fixedMoment() = moment;
}

void Clock::reset()
{
    fixedMoment() = QDateTime();
}
