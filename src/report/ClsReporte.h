#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

struct ReportLayout;

/// The shared library's report object: prints the rows of the print table that a record selection
/// formula selects, through a report file of ours (".rpt", a text layout), to the screen preview, a
/// printer or a PDF file. One instance for the process, created on first use; failures raise
/// RuntimeError with a Spanish description.
class ClsReporte
{
public:
    /// Destination values, as DestinoPantalla, DestinoImpresora and DestinoArchivo return them.
    static constexpr int Pantalla = 0;
    static constexpr int Impresora = 1;
    static constexpr int Archivo = 2;

    static ClsReporte& instance();
    /// A fresh object on the next instance() (tests).
    static void reset();

    ClsReporte();
    ~ClsReporte();
    ClsReporte(const ClsReporte&) = delete;
    ClsReporte& operator=(const ClsReporte&) = delete;

    /// The folder where report files named without a folder are found (and the printers'
    /// calibration file "impresoras.cal", see carpetaCalibracion).
    void CarpetaReportes(const QString& carpeta);
    const QString& carpetaReportes() const { return m_carpeta; }

    /// Start of a generation: forgets the pages of the last run. The number is not read.
    void Prepara(int valor);
    /// The value of the screen preview destination.
    int DestinoPantalla() const { return Pantalla; }
    /// The value of the printer destination.
    int DestinoImpresora() const { return Impresora; }
    /// The value of the PDF file destination, which from now on writes to `ruta`.
    int DestinoArchivo(const QString& ruta);
    /// Sets the destination of the next reports; kept until set again. An unknown value raises.
    void Destino(int valor);
    int destino() const { return m_destino; }
    const QString& archivoDestino() const { return m_archivo; }

    /// The printer of the printer destination and the preview (the one the printer dialog
    /// returned); empty for the system's default printer.
    /// Another printer than the current one forgets the paper form selected for it.
    void setImpresora(const QString& nombre);
    const QString& impresora() const { return m_impresora; }

    /// The paper form selected for the printer (the page of the printer destination and the preview
    /// instead of the report's sheet); invalid for none.
    void setPapel(const QPageSize& papel) { m_papel = papel; }
    const QPageSize& papel() const { return m_papel; }

    /// The position on the sheet (1 = first) where the next report starts, for a partly used sheet
    /// of several cheques; 0 goes back to the report file's own "primera" value. Applies to the next
    /// ImprimeReporte only.
    void setPrimeraPosicion(int posicion) { m_primeraPosicion = posicion; }

    /// Prints, before it returns, the rows of the report's table that `formulaSeleccion` selects,
    /// through `reporte` (with or without folder and ".rpt"), reading them through the database that
    /// `cadenaConexion` names ("DSN=db; UID=user; PWD=password", resolved against the program's main
    /// connection). `asignacionFormula` is empty or "name='text'" and sets the report's formula of that
    /// name. `parametros`, the four optional values and the three texts are accepted and not read.
    void ImprimeReporte(const QString& reporte, const QStringList& parametros,
                        const QString& formulaSeleccion, const QString& cadenaConexion,
                        const QString& asignacionFormula, const QVariant& opcional1 = {},
                        const QVariant& opcional2 = {}, const QVariant& opcional3 = {},
                        const QVariant& opcional4 = {}, const QString& texto1 = {},
                        const QString& texto2 = {}, const QString& texto3 = {});

    /// Checks that `reporte` (as ImprimeReporte takes it) is a report file that exists and is a valid
    /// layout; raises the RuntimeError that printing through it would raise. A run checks this before
    /// it numbers anything.
    void verificaReporte(const QString& reporte) const;

    /// End of printing. The number is not read.
    void Finaliza(int valor);

    /// Pages and cheques of the last ImprimeReporte (0 before any).
    int paginasImpresas() const { return m_paginas; }
    int chequesImpresos() const { return m_cheques; }

    /// The full path of a report name: a name without a folder is taken in CarpetaReportes, ".rpt" is
    /// added when it has no extension.
    QString rutaReporte(const QString& reporte) const;

private:
    /// The folder of "impresoras.cal" for a report: the reports folder's, or, when that is the
    /// program folder, where the program keeps its files; the report's own folder without one.
    QString carpetaCalibracion(const ReportLayout& layout) const;

    QString m_carpeta;
    int m_destino = Impresora;
    QString m_archivo;
    QString m_impresora;
    QPageSize m_papel;
    int m_primeraPosicion = 0;
    int m_paginas = 0;
    int m_cheques = 0;
};
