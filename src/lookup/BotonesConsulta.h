#pragma once

class QPushButton;
class QWidget;

/// The three buttons both lookup windows have: "&Aceptar" (the default), "&Cancelar" and
/// "&Nueva Busqueda", named CmdAceptar, CmdCancelar and CmdNueva.
struct BotonesConsulta
{
    QPushButton* aceptar = nullptr;
    QPushButton* cancelar = nullptr;
    QPushButton* nueva = nullptr;

    /// Creates them on `marco`, not yet placed.
    static BotonesConsulta crea(QWidget* marco);
};
