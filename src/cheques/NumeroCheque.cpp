#include "cheques/NumeroCheque.h"

namespace NumeroCheque {

QString compone(const QString& serie, qint64 numero)
{
    return serie + QLatin1Char('-') + QString::number(numero);
}

QString columnaNumero(const QString& nroComprobante)
{
    const QString parte = nroComprobante.mid(2).trimmed();
    bool ok = false;
    const qint64 numero = parte.toLongLong(&ok);
    if (!ok || numero < 0)
        return QString();
    return QStringLiteral("%1").arg(numero, 15, 10, QLatin1Char('0'));
}

} // namespace NumeroCheque
