#pragma once

#include <QString>

/// The program's launcher on the operator's desktop: a freedesktop ".desktop" entry named
/// "Zidur Iduvid" that starts the program's executable with its icon.
class AccesoDirecto
{
public:
    static QString NombreAcceso();
    /// "Zidur Iduvid.desktop".
    static QString NombreArchivo();

    /// The entry's text for `ejecutable` and `icono` (full paths), with the quoting and escapes the
    /// desktop entry format asks for.
    static QString Contenido(const QString& ejecutable, const QString& icono);

    /// The Exec value that starts `ejecutable` alone: the path quoted when it holds a blank or a
    /// reserved character, '%' doubled.
    static QString ArgumentoExec(const QString& ejecutable);
};
