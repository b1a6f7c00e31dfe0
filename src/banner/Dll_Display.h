#pragma once

#include "banner/LineaCartel.h"

#include <QPointer>
#include <QString>

class Lbf_CtrlDisplay;

/// The progress banner as long operations drive it: open it, update it between steps (which also
/// says whether the operator pressed cancel and lets the window process its events once), close it.
/// The window is created the first time a call needs it and dropped by CartelCerrar, so the next
/// CartelInicio starts with a fresh window (no cancel mark, empty lines).
class Dll_Display
{
public:
    Dll_Display() = default;
    ~Dll_Display();
    Dll_Display(const Dll_Display&) = delete;
    Dll_Display& operator=(const Dll_Display&) = delete;

    /// Sets the caption to `Titulo`, shows the cancel button only when `PermiteCancelar`, and shows
    /// the window (not modal).
    void CartelInicio(const QString& Titulo, bool PermiteCancelar);

    /// Each line given replaces the text of label 0, 1 or 2 (a null line empties it); lines not given
    /// keep their text. Then the window is repainted, `Cancelado` tells whether the cancel button was
    /// pressed (and stays true until CartelCerrar), and pending events are processed once.
    void CartelMostrar(bool& Cancelado, const LineaCartel& L1 = {}, const LineaCartel& l2 = {},
                       const LineaCartel& l3 = {});

    /// Hides and unloads the window.
    void CartelCerrar();

    /// Above all other windows (true) or back among ordinary windows (false).
    void setSiempre_Visible(bool siempre);

    /// The window while there is one; null after CartelCerrar (for the tests and the caller's own
    /// checks; calls never need it).
    Lbf_CtrlDisplay* ventana() const { return m_ventana.data(); }

private:
    Lbf_CtrlDisplay& ventanaCreada();

    QPointer<Lbf_CtrlDisplay> m_ventana;
};

/// The program's one banner, created on first use and kept for the whole run.
Dll_Display& gDisplay();
