#pragma once

#include "cheques/GeneracionCheques.h"

#include <QPointer>
#include <QWidget>

/// Generation's progress on the program's banner: the window's events run between cheques, so the
/// banner's cancel button is seen.
class ProgresoEnCartel : public ProgresoGeneracion
{
public:
    void inicio(const QString& titulo, bool permiteCancelar) override;
    bool mostrar(const QString& linea1, const QString& linea2) override;
    void cerrar() override;

private:
    /// The window that was active when the banner opened, to be active again when it closes.
    QPointer<QWidget> m_ventana;
};
