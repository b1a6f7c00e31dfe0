// The progress banner as a long operation drives it: opening, progress lines, the animation, the
// cancel button seen through the event loop, closing and opening afresh.
#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"
#include "support/QStringPrinter.h"
#include "zimbrel2/Twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

int bannersAbiertos()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<Lbf_CtrlDisplay*>(widget) ? 1 : 0;
    return count;
}

QString linea(const Dll_Display& display, int i)
{
    return display.ventana()->LblCtrol(i)->text();
}

// A click as the operator makes it: press and release queued for the event loop, seen only when
// the operation lets events run.
void encolaClick(QWidget* boton)
{
    const QPointF centro = QRectF(boton->rect()).center();
    const QPointF global = boton->mapToGlobal(centro);
    QCoreApplication::postEvent(boton, new QMouseEvent(QEvent::MouseButtonPress, centro, global,
                                                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(boton, new QMouseEvent(QEvent::MouseButtonRelease, centro, global,
                                                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

class Banner : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_display.CartelCerrar();
        gDisplay().CartelCerrar();
        EXPECT_EQ(bannersAbiertos(), 0);
    }

    Dll_Display m_display;
};

TEST_F(Banner, TheWindowIsCreatedOnFirstUseLoadedAndHidden)
{
    EXPECT_EQ(m_display.ventana(), nullptr);
    bool cancelado = true;
    m_display.CartelMostrar(cancelado);
    Lbf_CtrlDisplay* ventana = m_display.ventana();
    ASSERT_NE(ventana, nullptr);
    EXPECT_FALSE(cancelado);
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_EQ(ventana->windowTitle(), u"Procesando Datos"_s);
    EXPECT_EQ(ventana->CmdDisplayCancelar()->text(), u"&Cancelar"_s);
    EXPECT_EQ(ventana->imagenMostrada(), 1);
    EXPECT_EQ(ventana->contador(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(linea(m_display, i), QString());

    // Its client area is 7845 x 2970 twips, centred on the screen, frameless and translucent.
    EXPECT_EQ(ventana->size(), Twips::aPixeles(QSize(7845, 2970)));
    const QRect pantalla = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(ventana->pos(), QPoint(pantalla.left() + (pantalla.width() - ventana->width()) / 2,
                                     pantalla.top() + (pantalla.height() - ventana->height()) / 2));
    EXPECT_TRUE(ventana->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(ventana->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_DOUBLE_EQ(ventana->windowOpacity(), 200 / 255.0);
    EXPECT_EQ(ventana->Timer1()->interval(), 100);
    EXPECT_TRUE(ventana->Timer1()->isActive());
    // Every control lies inside the window.
    for (QWidget* control :
         {static_cast<QWidget*>(ventana->LblTitulo()), static_cast<QWidget*>(ventana->Image1()),
          static_cast<QWidget*>(ventana->CmdDisplayCancelar()), static_cast<QWidget*>(ventana->LblCtrol(0)),
          static_cast<QWidget*>(ventana->LblCtrol(2))})
        EXPECT_TRUE(ventana->rect().contains(control->geometry())) << control->objectName().toStdString();
    EXPECT_EQ(ventana->findChild<QPushButton*>(u"CmdDisplayCancelar"_s), ventana->CmdDisplayCancelar());
    EXPECT_EQ(ventana->findChild<QLabel*>(u"LblCtrol1"_s), ventana->LblCtrol(1));
}

TEST_F(Banner, CartelInicioShowsTheTitleAndTheCancelButtonOnlyWhenAllowed)
{
    for (const bool permite : {true, false}) {
        SCOPED_TRACE(permite);
        m_display.CartelInicio(u"Generando Cheques"_s, permite);
        Lbf_CtrlDisplay* ventana = m_display.ventana();
        ASSERT_NE(ventana, nullptr);
        EXPECT_TRUE(ventana->isVisible());
        EXPECT_FALSE(ventana->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(ventana->windowTitle(), u"Generando Cheques"_s);
        EXPECT_EQ(ventana->LblTitulo()->text(), u"Generando Cheques"_s);
        EXPECT_EQ(ventana->CmdDisplayCancelar()->isVisible(), permite);
        bool cancelado = true;
        m_display.CartelMostrar(cancelado, u"Imprimiendo..."_s, u"B-100"_s);
        EXPECT_FALSE(cancelado);
        m_display.CartelCerrar();
        EXPECT_EQ(m_display.ventana(), nullptr);
        EXPECT_EQ(bannersAbiertos(), 0);
    }
}

TEST_F(Banner, LinesGivenReplaceTheirLabelsAndTheOthersKeepTheirText)
{
    m_display.CartelInicio(u"Generando Cheques"_s, true);
    bool cancelado = false;
    m_display.CartelMostrar(cancelado, u"uno"_s, u"dos"_s, u"tres"_s);

    struct Paso
    {
        LineaCartel l1, l2, l3;
        QString esperado[3];
    };
    const Paso pasos[] = {
        {u"Imprimiendo..."_s, {}, {}, {u"Imprimiendo..."_s, u"dos"_s, u"tres"_s}},
        {{}, u"B-101"_s, {}, {u"Imprimiendo..."_s, u"B-101"_s, u"tres"_s}},
        {{}, {}, QVariant(), {u"Imprimiendo..."_s, u"B-101"_s, QString()}},
        {QVariant(42), QVariant(QString()), u"fin"_s, {u"42"_s, QString(), u"fin"_s}},
        {{}, {}, {}, {u"42"_s, QString(), u"fin"_s}},
    };
    for (const Paso& paso : pasos) {
        m_display.CartelMostrar(cancelado, paso.l1, paso.l2, paso.l3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(linea(m_display, i), paso.esperado[i]) << "label " << i;
    }
    EXPECT_FALSE(cancelado);
}

TEST_F(Banner, ACancelClickIsSeenThroughTheEventLoopAndStaysUntilClosed)
{
    m_display.CartelInicio(u"Generando Cheques"_s, true);
    QPushButton* boton = m_display.ventana()->CmdDisplayCancelar();
    bool cancelado = true;
    m_display.CartelMostrar(cancelado, u"Imprimiendo..."_s, u"B-100"_s);
    EXPECT_FALSE(cancelado);

    // The operator clicks while the operation runs; the operation lets events run before updating.
    encolaClick(boton);
    EXPECT_EQ(boton->text(), u"&Cancelar"_s) << "nothing is seen while the operation holds the thread";
    QCoreApplication::processEvents();
    m_display.CartelMostrar(cancelado, u"Imprimiendo..."_s, u"B-101"_s);
    EXPECT_TRUE(cancelado);
    EXPECT_EQ(boton->text(), u"Abortado"_s);
    EXPECT_TRUE(boton->isVisible());
    EXPECT_TRUE(boton->isEnabled());

    // Once set, every later update reports it, whatever the lines.
    for (int i = 0; i < 3; ++i) {
        cancelado = false;
        m_display.CartelMostrar(cancelado, u"Imprimiendo..."_s);
        EXPECT_TRUE(cancelado);
    }

    // Closed and opened again: a fresh window, no mark, empty lines.
    m_display.CartelCerrar();
    EXPECT_EQ(m_display.ventana(), nullptr);
    m_display.CartelInicio(u"Generando Cheques"_s, true);
    m_display.CartelMostrar(cancelado);
    EXPECT_FALSE(cancelado);
    EXPECT_EQ(m_display.ventana()->CmdDisplayCancelar()->text(), u"&Cancelar"_s);
    EXPECT_EQ(linea(m_display, 0), QString());
    EXPECT_EQ(linea(m_display, 1), QString());
}

TEST_F(Banner, AClickSeenOnlyByTheUpdatesOwnEventsIsReportedByTheNextUpdate)
{
    m_display.CartelInicio(u"Generando Cheques"_s, true);
    bool cancelado = true;
    encolaClick(m_display.ventana()->CmdDisplayCancelar());
    // The update reports the mark as it stands, then runs the pending click.
    m_display.CartelMostrar(cancelado, u"Imprimiendo..."_s, u"B-100"_s);
    EXPECT_FALSE(cancelado);
    m_display.CartelMostrar(cancelado, u"Imprimiendo..."_s, u"B-101"_s);
    EXPECT_TRUE(cancelado);
}

TEST_F(Banner, WithoutTheCancelButtonTheOperationIsNeverCancelled)
{
    m_display.CartelInicio(u"Cargando"_s, false);
    QPushButton* boton = m_display.ventana()->CmdDisplayCancelar();
    EXPECT_FALSE(boton->isVisible());
    // A click aimed where the button would be lands on the banner itself.
    QTest::mouseClick(m_display.ventana(), Qt::LeftButton, Qt::NoModifier, boton->geometry().center());
    for (int i = 0; i < 3; ++i) {
        bool cancelado = true;
        m_display.CartelMostrar(cancelado, QString::number(i));
        EXPECT_FALSE(cancelado);
    }
}

TEST_F(Banner, TheClockTurnsThePicturesOneToTwelveAndRound)
{
    m_display.CartelInicio(u"Generando Cheques"_s, true);
    Lbf_CtrlDisplay* ventana = m_display.ventana();
    // The real clock drives the animation while events run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return ventana->imagenMostrada() >= 3; }, 5000));

    ventana->Timer1()->stop();
    while (ventana->contador() != 0)
        ventana->Timer1_Timer();
    QList<int> mostradas;
    for (int tick = 0; tick < 14; ++tick) {
        ventana->Timer1_Timer();
        mostradas.append(ventana->imagenMostrada());
        // The label shows exactly that picture of the list.
        EXPECT_EQ(ventana->Image1()->pixmap().cacheKey(),
                  ventana->ImageList1().at(ventana->imagenMostrada() - 1).cacheKey());
    }
    EXPECT_EQ(mostradas, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
    EXPECT_EQ(ventana->contador(), 2);
}

TEST_F(Banner, SiempreVisibleRaisesTheWindowAboveOthersWithoutMovingIt)
{
    m_display.CartelInicio(u"Generando Cheques"_s, true);
    Lbf_CtrlDisplay* ventana = m_display.ventana();
    const QRect antes = ventana->geometry();
    m_display.setSiempre_Visible(true);
    EXPECT_TRUE(ventana->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(ventana->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_EQ(ventana->geometry(), antes);
    m_display.setSiempre_Visible(false);
    EXPECT_FALSE(ventana->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_EQ(ventana->geometry(), antes);

    // On a closed banner it creates the window, which stays hidden until CartelInicio.
    m_display.CartelCerrar();
    m_display.setSiempre_Visible(true);
    ASSERT_NE(m_display.ventana(), nullptr);
    EXPECT_FALSE(m_display.ventana()->isVisible());
    EXPECT_TRUE(m_display.ventana()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(Banner, TheProgramKeepsOneBannerAndClosingAnAbsentOneDoesNothing)
{
    EXPECT_EQ(&gDisplay(), &gDisplay());
    gDisplay().CartelCerrar();
    EXPECT_EQ(gDisplay().ventana(), nullptr);
    EXPECT_EQ(bannersAbiertos(), 0);
    gDisplay().CartelInicio(u"Generando Cheques"_s, true);
    EXPECT_EQ(bannersAbiertos(), 1);
}

} // namespace
