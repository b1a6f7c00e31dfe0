#pragma once

#include <QString>

/// The open-file and printer dialogs as the suite's windows drive them: set the properties, show the
/// dialog, read the result. Boxes go through the operator seam.
class ClsDialogo
{
public:
    /// The dialog's title.
    const QString& Titulo() const { return m_titulo; }
    void setTitulo(const QString& titulo) { m_titulo = titulo; }

    /// The file filter, "Description|pattern" (more pairs may follow, each "|"-separated).
    const QString& Filtro() const { return m_filtro; }
    void setFiltro(const QString& filtro) { m_filtro = filtro; }

    /// When set, cancelling a dialog throws RuntimeError 32755 ("cancel was selected").
    bool CancelaConError() const { return m_cancelaConError; }
    void setCancelaConError(bool cancela) { m_cancelaConError = cancela; }

    /// The chosen file, full path; before MuestraAbrir, its folder is where the dialog starts.
    const QString& NombreArchivo() const { return m_nombreArchivo; }
    void setNombreArchivo(const QString& nombre) { m_nombreArchivo = nombre; }

    /// True when the last dialog shown was cancelled.
    bool Cancelado() const { return m_cancelado; }

    /// Non-zero once the operator chose a printer in the last printer dialog.
    int ImpresoraElegida() const { return m_impresoraElegida; }
    /// The printer the printer dialog starts on, and afterwards the one chosen.
    const QString& NombreImpresora() const { return m_nombreImpresora; }
    void setNombreImpresora(const QString& nombre) { m_nombreImpresora = nombre; }

    /// Shows the open-file dialog. Chosen: NombreArchivo is the file. Cancelled: NombreArchivo is
    /// emptied (so a caller never takes a stale name), Cancelado is set and, with CancelaConError,
    /// RuntimeError 32755 is thrown.
    void MuestraAbrir();
    /// Shows the printer dialog. Chosen: ImpresoraElegida non-zero and NombreImpresora the printer.
    /// Cancelled: ImpresoraElegida 0, Cancelado set and, with CancelaConError, RuntimeError 32755.
    void MuestraImpresora();

private:
    [[noreturn]] static void throwCancel();

    QString m_titulo;
    QString m_filtro;
    bool m_cancelaConError = false;
    QString m_nombreArchivo;
    bool m_cancelado = false;
    int m_impresoraElegida = 0;
    QString m_nombreImpresora;
};
