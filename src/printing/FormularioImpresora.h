#pragma once

#include <QPageSize>
#include <QString>

#include <optional>

/// A paper size in thousandths of a millimetre, as the printer forms keep it.
struct Tamano
{
    qint32 cx = 0;
    qint32 cy = 0;

    friend bool operator==(const Tamano&, const Tamano&) = default;

    /// The size of a Qt page size, exactly when it is defined in millimetres or inches.
    static Tamano de(const QPageSize& pagina);
};

/// A named paper form of a printer: one of its own media (from its driver) or one this program
/// defined for it.
struct FormularioImpresora
{
    QString nombre;
    Tamano tamano;
    /// The printer's own medium, which cannot be deleted.
    bool propio = false;
    /// The page size a print job asks the printer for: the driver's own medium, or a custom size
    /// under the form's name.
    QPageSize pagina;

    /// A form this program defines: a custom page size of exactly that size.
    static FormularioImpresora definido(const QString& nombre, const Tamano& tamano);
    /// One of the printer's own media.
    static FormularioImpresora propioDe(const QPageSize& pagina);
};

/// The error codes the printer forms report, with the numbers of the platform's spooler.
namespace ErrorFormulario {
/// The forms file cannot be written, or the form is one of the printer's own media.
constexpr int AccesoDenegado = 5;
/// The printer takes no paper size other than its own media.
constexpr int NoSoportado = 50;
/// The printer already has a form of that name.
constexpr int YaExiste = 80;
/// The printer is not (or no longer) known to the print server.
constexpr int ImpresoraInvalida = 1801;
/// No form of that name, or a name a form cannot have.
constexpr int NombreInvalido = 1902;
/// A size the printer cannot take.
constexpr int TamanoInvalido = 1903;
} // namespace ErrorFormulario
