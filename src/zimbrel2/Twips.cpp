#include "zimbrel2/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

constexpr qreal DpiSinPantalla = 96.0;

QScreen* pantalla()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}

int redondea(qreal value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

qreal Twips::dpiX()
{
    const QScreen* screen = pantalla();
    return screen && screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX() : DpiSinPantalla;
}

qreal Twips::dpiY()
{
    const QScreen* screen = pantalla();
    return screen && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : DpiSinPantalla;
}

int Twips::aPixelesX(int twips)
{
    return redondea(twips * dpiX() / PorPulgada);
}

int Twips::aPixelesY(int twips)
{
    return redondea(twips * dpiY() / PorPulgada);
}

QSize Twips::aPixeles(const QSize& twips)
{
    return QSize(aPixelesX(twips.width()), aPixelesY(twips.height()));
}

QPoint Twips::aPixeles(const QPoint& twips)
{
    return QPoint(aPixelesX(twips.x()), aPixelesY(twips.y()));
}

QRect Twips::aPixeles(int left, int top, int width, int height)
{
    return QRect(aPixelesX(left), aPixelesY(top), aPixelesX(width), aPixelesY(height));
}

int Twips::desdePixelesX(int pixeles)
{
    return redondea(pixeles * PorPulgada / dpiX());
}

int Twips::desdePixelesY(int pixeles)
{
    return redondea(pixeles * PorPulgada / dpiY());
}

QColor Twips::aColor(qint64 bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

qint64 Twips::desdeColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<qint64>(rgb.red()) | (static_cast<qint64>(rgb.green()) << 8) |
           (static_cast<qint64>(rgb.blue()) << 16);
}
