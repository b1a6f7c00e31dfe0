#include "cheques/ProgresoEnCartel.h"

#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"

#include <QCoreApplication>

void ProgresoEnCartel::inicio(const QString& titulo, bool permiteCancelar)
{
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
}
