#pragma once

#include <QList>
#include <QPixmap>

/// The banner's animation pictures: a ring of twelve spokes, picture N (1 to 12) lighting spoke N
/// with a fading trail behind it, so the pictures shown in turn make a turning wheel.
class ImagenesDisplay
{
public:
    static constexpr int Cantidad = 12;

    /// The twelve pictures, `lado` pixels square, in order (index 0 is picture 1).
    static QList<QPixmap> crear(int lado);
    /// Picture `numero` (1 to 12).
    static QPixmap dibujar(int numero, int lado);
};
