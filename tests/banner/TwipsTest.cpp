// Window measures in twips and blue-green-red colours, at the screen's logical DPI.
#include "zimbrel2/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

TEST(Twips, LengthsFollowTheScreensLogicalDpi)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_DOUBLE_EQ(Twips::dpiX(), screen->logicalDotsPerInchX());
    EXPECT_DOUBLE_EQ(Twips::dpiY(), screen->logicalDotsPerInchY());
    // One inch is the DPI in pixels; half an inch half of it, rounded.
    EXPECT_EQ(Twips::aPixelesX(1440), qRound(Twips::dpiX()));
    EXPECT_EQ(Twips::aPixelesY(720), qRound(Twips::dpiY() / 2));
    EXPECT_EQ(Twips::aPixeles(QSize(2880, 1440)), QSize(qRound(2 * Twips::dpiX()), qRound(Twips::dpiY())));
    EXPECT_EQ(Twips::aPixeles(100, 200, 1440, 1440), QRect(Twips::aPixelesX(100), Twips::aPixelesY(200),
                                                           qRound(Twips::dpiX()), qRound(Twips::dpiY())));
    for (int pixeles : {0, 1, 7, 96, 523, 1920})
        EXPECT_EQ(Twips::aPixelesX(Twips::desdePixelesX(pixeles)), pixeles) << pixeles;
    EXPECT_EQ(Twips::aPixelesX(-1440), -qRound(Twips::dpiX()));
}

TEST(Twips, AtNinetySixDpiFifteenTwipsMakeAPixel)
{
    if (Twips::dpiX() != 96.0 || Twips::dpiY() != 96.0)
        GTEST_SKIP() << "the screen is not at 96 DPI";
    EXPECT_EQ(Twips::aPixeles(QSize(7845, 2970)), QSize(523, 198));
    EXPECT_EQ(Twips::desdePixelesY(198), 2970);
    EXPECT_EQ(Twips::aPixelesX(7), 0);
    EXPECT_EQ(Twips::aPixelesX(8), 1);
}

TEST(Twips, ColoursAreBlueGreenRedNumbers)
{
    struct Case
    {
        qint64 bgr;
        QColor color;
    };
    const Case cases[] = {
        {0x0000FF, QColor(255, 0, 0)},        {0x00FF00, QColor(0, 255, 0)},
        {0xFF0000, QColor(0, 0, 255)},        {0xC0FFFF, QColor(255, 255, 192)},
        {0x000000, QColor(0, 0, 0)},          {0xFFFFFF, QColor(255, 255, 255)},
        {0x804020, QColor(0x20, 0x40, 0x80)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Twips::aColor(c.bgr), c.color) << std::hex << c.bgr;
        EXPECT_EQ(Twips::desdeColor(c.color), c.bgr) << std::hex << c.bgr;
    }
    // The high byte marks system colours in the suite's numbers; it is not part of the colour.
    EXPECT_EQ(Twips::aColor(0x80000000 | 0x00FF80), QColor(0x80, 0xFF, 0x00));
    EXPECT_EQ(Twips::desdeColor(QColor::fromHsv(120, 255, 255)), 0x00FF00);
}

} // namespace
