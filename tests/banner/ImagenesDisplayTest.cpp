// The banner's twelve animation pictures.
#include "banner/ImagenesDisplay.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

int pixelesVisibles(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}

TEST(ImagenesDisplay, TwelveDifferentPicturesOfTheGivenSize)
{
    const QList<QPixmap> imagenes = ImagenesDisplay::crear(64);
    ASSERT_EQ(imagenes.size(), 12);
    QList<QImage> vistas;
    for (const QPixmap& imagen : imagenes) {
        EXPECT_EQ(imagen.size(), QSize(64, 64));
        const QImage vista = imagen.toImage();
        // Drawn, with a transparent background so the banner shows through the corners.
        EXPECT_GT(pixelesVisibles(vista), 64 * 64 / 8);
        EXPECT_EQ(qAlpha(vista.pixel(0, 0)), 0);
        vistas.append(vista);
    }
    for (int i = 0; i < vistas.size(); ++i)
        for (int j = i + 1; j < vistas.size(); ++j)
            EXPECT_NE(vistas.at(i), vistas.at(j)) << "pictures " << i + 1 << " and " << j + 1;
    EXPECT_EQ(ImagenesDisplay::dibujar(5, 64).toImage(), vistas.at(4));
}

TEST(ImagenesDisplay, EachPictureIsTheFirstTurnedOnByItsSpokes)
{
    // Picture N lights spoke N: turning picture 1 by (N-1) twelfths of a circle gives picture N, so
    // shown in order the pictures make one smooth turn. Compare at the top spoke's tip, where the
    // lit colour is unmistakable.
    const int lado = 96;
    const QImage primera = ImagenesDisplay::dibujar(1, lado).toImage();
    const QImage cuarta = ImagenesDisplay::dibujar(4, lado).toImage();
    const int d = lado * 35 / 100;
    // Pixel (x, y) covers [x, x+1) x [y, y+1): these two are the same square turned a quarter.
    const QPoint arriba(lado / 2, lado / 2 - d - 1);
    const QPoint derecha(lado / 2 + d, lado / 2);
    EXPECT_EQ(primera.pixelColor(arriba), cuarta.pixelColor(derecha));
    EXPECT_NE(primera.pixelColor(arriba), cuarta.pixelColor(arriba));
}

} // namespace
