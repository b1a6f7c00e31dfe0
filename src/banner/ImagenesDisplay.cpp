#include "banner/ImagenesDisplay.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace {

// The lit spoke and the fading trail behind it: full teal on the lit spoke, fading to a faint
// grey-blue five spokes back, so the wheel reads as turning clockwise.
QColor colorRayo(int distancia)
{
    const QColor encendido(0x1f, 0xb5, 0xa8);
    const QColor apagado(0x9a, 0xaa, 0xbb);
    if (distancia >= 6)
        return apagado;
    const qreal t = distancia / 6.0;
    return QColor::fromRgbF(encendido.redF() + (apagado.redF() - encendido.redF()) * t,
                            encendido.greenF() + (apagado.greenF() - encendido.greenF()) * t,
                            encendido.blueF() + (apagado.blueF() - encendido.blueF()) * t);
}

} // namespace

QPixmap ImagenesDisplay::dibujar(int numero, int lado)
{
    QPixmap pixmap(lado, lado);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(lado / 2.0, lado / 2.0);

    const qreal radio = lado / 2.0;
    // A soft disc behind the wheel so it stands out on any background.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawEllipse(QPointF(0, 0), radio * 0.98, radio * 0.98);

    const qreal interior = radio * 0.42;
    const qreal exterior = radio * 0.86;
    const qreal grosor = radio * 0.17;
    for (int rayo = 1; rayo <= Cantidad; ++rayo) {
        // Spoke 1 points up (twelve o'clock); the trail runs anticlockwise from the lit one.
        const int distancia = (numero - rayo + Cantidad) % Cantidad;
        painter.save();
        painter.rotate((rayo - 1) * 360.0 / Cantidad);
        QPen pen(colorRayo(distancia), distancia == 0 ? grosor * 1.25 : grosor);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(0, -interior), QPointF(0, -exterior));
        painter.restore();
    }

    // The hub: a small cheque-green dot.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x17, 0x6b, 0x5f));
    painter.drawEllipse(QPointF(0, 0), radio * 0.16, radio * 0.16);
    painter.end();
    return pixmap;
}

QList<QPixmap> ImagenesDisplay::crear(int lado)
{
    QList<QPixmap> imagenes;
    imagenes.reserve(Cantidad);
    for (int numero = 1; numero <= Cantidad; ++numero)
        imagenes.append(dibujar(numero, lado));
    return imagenes;
}
