#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

/// The suite's window measures and colours: lengths in twips (1/1440 inch) become pixels at the
/// screen's logical DPI (15 twips per pixel at 96 DPI), colours are whole numbers in blue-green-red
/// order (0x00BBGGRR). Without a screen (no GUI application yet) 96 DPI is assumed.
class Twips
{
public:
    static constexpr int PorPulgada = 1440;

    /// Horizontal and vertical logical DPI of the primary screen.
    static qreal dpiX();
    static qreal dpiY();

    /// Twips to pixels, rounded to the nearest pixel.
    static int aPixelesX(int twips);
    static int aPixelesY(int twips);
    static QSize aPixeles(const QSize& twips);
    static QPoint aPixeles(const QPoint& twips);
    /// A rectangle given as left, top, width and height in twips.
    static QRect aPixeles(int left, int top, int width, int height);

    /// Pixels to twips, rounded to the nearest twip.
    static int desdePixelesX(int pixeles);
    static int desdePixelesY(int pixeles);

    /// A blue-green-red colour number as a colour; the high byte (system-colour flags) is ignored.
    static QColor aColor(qint64 bgr);
    /// The blue-green-red number of a colour.
    static qint64 desdeColor(const QColor& color);
};
