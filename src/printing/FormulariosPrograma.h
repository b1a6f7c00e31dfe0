#pragma once

#include <QString>

/// `talonex --formularios`: starts the program as the cheque window does (the connection the
/// parameter string names, for the report preview) and opens the paper forms tool on the current
/// printer until it is closed. Without a screen it writes the printer's form list to the standard
/// output and ends. Returns the process's exit code.
int ejecutaFormularios(const QString& parametros, bool sinPantalla);
