#include "zimbrel2/ClsUtilesGui.h"

#include "zimbrel2/MedidaTextos.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

void ClsUtilesGui::PreparaVentana(QWidget* ventana, int centrar)
{
    if (!ventana)
        return;
    if (ventana->objectName().isEmpty())
        ventana->setObjectName(QString::fromLatin1(ventana->metaObject()->className()));
    if (ventana->windowTitle().isEmpty())
        ventana->setWindowTitle(QCoreApplication::applicationName());
    // Never narrower than its title.
    MedidaTextos::reservaTitulo(ventana);
    if (centrar != 0) {
        if (const QScreen* screen = ventana->screen()) {
            QRect frame = ventana->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            ventana->move(frame.topLeft());
        }
    }
}
