#pragma once

#include "printing/FormularioImpresora.h"

#include <QList>
#include <QPrinterInfo>
#include <QString>

#include <memory>

/// An open printer of the print server, as far as its paper forms go (what a spooler handle is to
/// the forms functions): the forms it knows are its own media, in the order its driver (or its IPP
/// attributes) lists them, followed by the forms this program defined for it.
class ImpresoraAbierta
{
public:
    /// Opens the printer `nombre`; null when the print server does not know it (or does not answer).
    static std::unique_ptr<ImpresoraAbierta> abre(const QString& nombre);

    const QString& nombre() const { return m_nombre; }

    /// The printer's forms: its own media, then this program's.
    QList<FormularioImpresora> formularios() const;
    /// The form `nombre` (letter case aside); nullopt when the printer has none of that name.
    std::optional<FormularioImpresora> formulario(const QString& nombre) const;

    /// Defines the form `nombre` of that size for the printer; 0 or an ErrorFormulario code.
    int agrega(const QString& nombre, const Tamano& tamano);
    /// Deletes the form `nombre` this program defined; 0 or an ErrorFormulario code.
    int elimina(const QString& nombre);

private:
    explicit ImpresoraAbierta(const QPrinterInfo& info);

    QString m_nombre;
    QPrinterInfo m_info;
    QList<FormularioImpresora> m_propios;
};
