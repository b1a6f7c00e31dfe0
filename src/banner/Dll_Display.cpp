#include "banner/Dll_Display.h"

#include "banner/Lbf_CtrlDisplay.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <memory>

Dll_Display::~Dll_Display()
{
    // The program's banner outlives the application object at exit; a window can only be destroyed
    // while there is one.
    if (m_ventana && QCoreApplication::instance())
        delete m_ventana.data();
}

Lbf_CtrlDisplay& Dll_Display::ventanaCreada()
{
    if (!m_ventana)
        m_ventana = new Lbf_CtrlDisplay();
    return *m_ventana;
}

void Dll_Display::CartelInicio(const QString& Titulo, bool PermiteCancelar)
{
    Lbf_CtrlDisplay& ventana = ventanaCreada();
    ventana.setWindowTitle(Titulo);
    ventana.CmdDisplayCancelar()->setVisible(PermiteCancelar);
    ventana.show();
}

void Dll_Display::CartelMostrar(bool& Cancelado, const LineaCartel& L1, const LineaCartel& l2,
                                const LineaCartel& l3)
{
    Lbf_CtrlDisplay& ventana = ventanaCreada();
    const LineaCartel* lineas[] = {&L1, &l2, &l3};
    for (int i = 0; i < 3; ++i) {
        if (lineas[i]->dada())
            ventana.LblCtrol(i)->setText(lineas[i]->texto());
    }
    if (ventana.isVisible())
        ventana.repaint();
    Cancelado = ventana.cancelado();
    QCoreApplication::processEvents();
}

void Dll_Display::CartelCerrar()
{
    if (!m_ventana)
        return;
    m_ventana->hide();
    delete m_ventana.data();
}

void Dll_Display::setSiempre_Visible(bool siempre)
{
    ventanaCreada().setSiempreVisible(siempre);
}

Dll_Display& gDisplay()
{
    static const auto display = std::make_unique<Dll_Display>();
    return *display;
}
