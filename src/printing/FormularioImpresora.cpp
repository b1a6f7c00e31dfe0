#include "printing/FormularioImpresora.h"

#include <QSizeF>

#include <cmath>

namespace {

qint32 milesimas(double valor, double milesimasPorUnidad)
{
    return static_cast<qint32>(std::llround(valor * milesimasPorUnidad));
}

} // namespace

Tamano Tamano::de(const QPageSize& pagina)
{
    // The definition size is the one the standard or the driver gives (Letter in inches, A4 in
    // millimetres), so converting it once gives 215900 x 279400 for Letter, not a rounded point size.
    QSizeF size = pagina.definitionSize();
    double porUnidad = 1000.0;
    switch (pagina.definitionUnits()) {
    case QPageSize::Inch:
        porUnidad = 25400.0;
        break;
    case QPageSize::Point:
        porUnidad = 25400.0 / 72.0;
        break;
    case QPageSize::Millimeter:
        break;
    default:
        size = pagina.size(QPageSize::Millimeter);
        break;
    }
    return {milesimas(size.width(), porUnidad), milesimas(size.height(), porUnidad)};
}

FormularioImpresora FormularioImpresora::definido(const QString& nombre, const Tamano& tamano)
{
    FormularioImpresora forma;
    forma.nombre = nombre;
    forma.tamano = tamano;
    forma.pagina = QPageSize(QSizeF(tamano.cx / 1000.0, tamano.cy / 1000.0), QPageSize::Millimeter, nombre,
                             QPageSize::ExactMatch);
    return forma;
}

FormularioImpresora FormularioImpresora::propioDe(const QPageSize& pagina)
{
    FormularioImpresora forma;
    forma.nombre = pagina.name();
    forma.tamano = Tamano::de(pagina);
    forma.propio = true;
    forma.pagina = pagina;
    return forma;
}
