#pragma once

#include <QString>

#include <optional>

/// Fills the word tables of the amount in words; cheap after the first call.
void CargaTablasLetras();

/// A whole number (text, regional conversion; not a number counts as 0) in Spanish words as they are
/// written on Argentine cheques: lower case, "un" for one, "millón" the only accent. Only the last
/// twelve digits of the whole part are spelled.
QString NumeroEnLetras(const QString& number);

/// An amount (text with the regional decimal separator, no thousands separator) in words with the
/// cents as a fraction of one hundred ("cien con 50/100"). `width` > 0 brings the words to that many
/// characters; `currency`, when given, stands between the words and the fraction. `centsWord` is
/// accepted for callers that pass it and does not change the result.
QString ImporteEnLetras(const QString& amount, int width = 0,
                        const std::optional<QString>& currency = std::nullopt,
                        const std::optional<QString>& centsWord = std::nullopt);
