#pragma once

#include <QString>

/// The quantity cells of the list lookup window: read with a point as decimal mark up to the first
/// character that is not part of the number, written with a point and a fixed number of decimals.
class CantidadCelda
{
public:
    static double Valor(const QString& celda);
    /// "########0.00" (two decimals) or "########0.0" (one).
    static QString Formato(double valor, int decimales);
};
