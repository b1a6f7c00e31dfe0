#pragma once

#include "data/ConnectionDialogRequest.h"

/// The connection dialog behind the data layer's request: each request loads a fresh frmAcceso,
/// fills its boxes, shows it modally and reads it back.
class DialogoConexion : public ConnectionDialogRequest
{
public:
    bool ask(Values& values) override;

private:
    bool m_mostrando = false;
};

/// The request where nobody can answer a window (the offscreen platform): it says on the error
/// output which start-up parameters are missing and answers as a cancelled dialog, so the start
/// ends. The password is never written.
class ConexionSinPantalla : public ConnectionDialogRequest
{
public:
    bool ask(Values& values) override;

    /// What ask writes for `values`, without the line end.
    static QString Mensaje(const Values& values);
};
