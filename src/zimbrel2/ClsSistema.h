#pragma once

#include <QString>

/// Facts about the workstation the program runs on.
class ClsSistema
{
public:
    /// The workstation's name: the host name up to its first ".", as a computer name has no domain.
    static QString NombrePC();
    /// The operating-system user: USER, else LOGNAME, else USERNAME; "" when none is set.
    static QString UsuarioWindows();
    /// A writable folder for work files, ending with "/": TEMP, else TMP, else the system's
    /// temporary folder; a variable naming a folder that is missing or not writable is passed over.
    static QString CarpetaAuxiliar();
};
