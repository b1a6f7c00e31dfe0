#include "cheques/ProgresoEnCartel.h"

#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"

#include <QApplication>
#include <QWidget>

void ProgresoEnCartel::inicio(const QString& titulo, bool permiteCancelar)
{
    m_ventana = QApplication::activeWindow();
    gDisplay().CartelInicio(titulo, permiteCancelar);
}

bool ProgresoEnCartel::mostrar(const QString& linea1, const QString& linea2)
{
    QCoreApplication::processEvents();
    bool cancelado = false;
    gDisplay().CartelMostrar(cancelado, linea1, linea2);
    return cancelado;
}

void ProgresoEnCartel::cerrar()
{
    gDisplay().CartelCerrar();
    // The banner took the activation when it opened; closing it does not give it back everywhere
    // (it depends on the window manager), and the window's keys (F10, Esc) need it.
    if (m_ventana && m_ventana->isVisible()) {
        m_ventana->activateWindow();
        QApplication::setActiveWindow(m_ventana);
    }
}
