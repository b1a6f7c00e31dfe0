#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <cstdint>
#include <optional>

class RegionalSettings;

/// A money amount held exactly as a whole number of ten-thousandths, the currency type of the
/// accounting suite (four decimals, about ±922 billion million). Binary floating point never
/// touches an amount on its way from the database to the cheque.
class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t tenThousandths)
    {
        Currency value;
        value.m_units = tenThousandths;
        return value;
    }
    /// Rounds half away from zero to four decimals; nullopt when out of range or not finite.
    static std::optional<Currency> fromDouble(double value);

    /// Reads an amount written with the given settings: blanks anywhere, an optional leading sign,
    /// thousands separators in the whole part, one decimal separator. Digits past the fourth decimal
    /// round half to even, as the suite's currency conversion does. nullopt for anything else,
    /// including an amount out of range.
    static std::optional<Currency> parse(QStringView text, const RegionalSettings& settings);
    /// The same with a point as decimal separator and no thousands separators (database texts).
    static std::optional<Currency> parseInvariant(QStringView text);

    constexpr std::int64_t units() const { return m_units; }
    double toDouble() const { return static_cast<double>(m_units) / Scale; }

    /// Text with the given decimal separator, no thousands separators and no trailing zeros in the
    /// decimals ("1234,5", "-0,25", "100").
    QString toText(QChar decimalSeparator) const;
    /// The same with the current regional separator.
    QString toRegionalText() const;
    /// Text with exactly two decimals and thousands separators ("1.234,50"), for display.
    QString toDisplayText(const RegionalSettings& settings) const;

    friend constexpr auto operator<=>(Currency, Currency) = default;
    friend constexpr bool operator==(Currency, Currency) = default;

private:
    std::int64_t m_units = 0;
};
