#pragma once

#include "printing/FormularioImpresora.h"

#include <QList>
#include <QString>

#include <optional>

/// The paper forms this program defined, per printer, in the file "formularios.txt" beside the
/// program (or, when the program folder cannot be written, in the user's data folder, which is then
/// read first). One form a line: printer, form name, width and height in thousandths of a millimetre,
/// separated by tabs; "#" starts a comment. A broken line is skipped and kept as it is when the file
/// is written again.
class ArchivoFormularios
{
public:
    static constexpr const char16_t* NombreArchivo = u"formularios.txt";

    /// The file as it is now; a missing file holds no forms.
    static ArchivoFormularios lee();

    /// The forms defined for `impresora`, in the order of the file.
    QList<FormularioImpresora> formulariosDe(const QString& impresora) const;

    /// Adds a form for `impresora` and writes the file; false when it cannot be written.
    bool agrega(const QString& impresora, const QString& nombre, const Tamano& tamano);
    /// Removes the form `nombre` of `impresora` and writes the file; false when it cannot be written.
    bool elimina(const QString& impresora, const QString& nombre);

    /// The file read, and the one written (they differ only when the program folder is read-only
    /// and the user's copy does not exist yet).
    static QString rutaLectura();
    static QString rutaEscritura();

    /// A line of the file read as a form; nullopt for a comment, a blank or a broken line.
    struct Entrada
    {
        QString impresora;
        QString nombre;
        Tamano tamano;
    };
    static std::optional<Entrada> leeLinea(const QString& linea);

private:
    bool guarda() const;

    QStringList m_lineas;
};
