#pragma once

#include <QString>

/// The bank number of a cheque as the accounting lines hold it: "*-" while it has none, else the
/// series letter, "-" and the number without leading zeros ("B-1234").
namespace NumeroCheque {

inline const QString SinNumero = QStringLiteral("*-");

/// Series + "-" + number as decimal text.
QString compone(const QString& serie, qint64 numero);
/// The text from the third character on, as fifteen digits with leading zeros ("000000000001234");
/// empty for a cheque without number or a number part that is not a whole number.
QString columnaNumero(const QString& nroComprobante);

} // namespace NumeroCheque
