#include "zimbrel2/Currency.h"

#include "zimbrel2/RegionalSettings.h"

#include <cmath>
#include <limits>

namespace {

constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();

// Accumulates ten-thousandths; false on overflow.
bool appendDigit(std::int64_t& value, int digit)
{
    if (value > (Max - digit) / 10)
        return false;
    value = value * 10 + digit;
    return true;
}

std::optional<Currency> parseWith(QStringView text, QChar decimal, std::optional<QChar> group)
{
    bool negative = false;
    bool signSeen = false;
    bool digitSeen = false;
    bool inDecimals = false;
    std::int64_t whole = 0;
    int decimals = 0; // decimal digits kept (at most 4)
    std::int64_t fraction = 0;
    int roundDigit = -1; // the fifth decimal, for rounding
    bool stickyBeyond = false;

    for (QChar c : text) {
        if (c.isSpace())
            continue;
        if ((c == u'-' || c == u'+') && !signSeen && !digitSeen && !inDecimals) {
            signSeen = true;
            negative = c == u'-';
            continue;
        }
        if (c == decimal) {
            if (inDecimals)
                return std::nullopt;
            inDecimals = true;
            continue;
        }
        if (group && c == *group && !inDecimals) {
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c.unicode() - u'0';
        digitSeen = true;
        if (!inDecimals) {
            if (!appendDigit(whole, digit))
                return std::nullopt;
        } else if (decimals < 4) {
            fraction = fraction * 10 + digit;
            ++decimals;
        } else if (roundDigit < 0) {
            roundDigit = digit;
        } else if (digit != 0) {
            stickyBeyond = true;
        }
    }
    if (!digitSeen)
        return std::nullopt;
    while (decimals < 4) {
        fraction *= 10;
        ++decimals;
    }
    if (whole > (Max - fraction) / Currency::Scale)
        return std::nullopt;
    std::int64_t units = whole * Currency::Scale + fraction;
    // Round half to even on the fifth decimal.
    if (roundDigit > 5 || (roundDigit == 5 && (stickyBeyond || (units % 2) != 0))) {
        if (units == Max)
            return std::nullopt;
        ++units;
    }
    return Currency::fromUnits(negative ? -units : units);
}

} // namespace

std::optional<Currency> Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double scaled = std::round(value * Scale);
    if (scaled >= 9.2e18 || scaled <= -9.2e18)
        return std::nullopt;
    return fromUnits(static_cast<std::int64_t>(scaled));
}

std::optional<Currency> Currency::parse(QStringView text, const RegionalSettings& settings)
{
    return parseWith(text, settings.decimalSeparator, settings.groupSeparator);
}

std::optional<Currency> Currency::parseInvariant(QStringView text)
{
    return parseWith(text, u'.', std::nullopt);
}

QString Currency::toText(QChar decimalSeparator) const
{
    const bool negative = m_units < 0;
    // Work on the magnitude as unsigned so the most negative value is safe too.
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(m_units + 1)) + 1 : static_cast<std::uint64_t>(m_units);
    QString text = QString::number(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += decimalSeparator + QString::number(fraction).rightJustified(digits, u'0');
    }
    if (negative)
        text.prepend(u'-');
    return text;
}

QString Currency::toRegionalText() const
{
    return toText(RegionalSettings::current().decimalSeparator);
}

QString Currency::toDisplayText(const RegionalSettings& settings) const
{
    const bool negative = m_units < 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(m_units + 1)) + 1 : static_cast<std::uint64_t>(m_units);
    // Two decimals, rounded half away from zero.
    const std::uint64_t cents = (magnitude + 50) / 100;
    const QString whole = QString::number(cents / 100);
    QString grouped;
    grouped.reserve(whole.size() + whole.size() / 3 + 4);
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += settings.groupSeparator;
        grouped += whole[i];
    }
    grouped += settings.decimalSeparator + QString::number(cents % 100).rightJustified(2, u'0');
    if (negative && cents != 0)
        grouped.prepend(u'-');
    return grouped;
}
