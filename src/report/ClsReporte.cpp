#include "report/ClsReporte.h"

#include "data/DataGlobals.h"
#include "report/FormulaAssignment.h"
#include "report/LayoutParser.h"
#include "report/PageBuilder.h"
#include "report/PrinterCalibration.h"
#include "report/ReportDatabase.h"
#include "report/ReportErrors.h"
#include "report/ReportOutput.h"
#include "report/SelectionFormula.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RegionalSettings.h"
#include "zimbrel2/RuntimeError.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<ClsReporte>& instanceSlot()
{
    static std::unique_ptr<ClsReporte> slot;
    return slot;
}

} // namespace

ClsReporte& ClsReporte::instance()
{
    std::unique_ptr<ClsReporte>& slot = instanceSlot();
    if (!slot)
        slot = std::make_unique<ClsReporte>();
    return *slot;
}

void ClsReporte::reset()
{
    instanceSlot().reset();
}

ClsReporte::ClsReporte() = default;
ClsReporte::~ClsReporte() = default;

void ClsReporte::CarpetaReportes(const QString& carpeta)
{
    m_carpeta = carpeta;
}

void ClsReporte::setImpresora(const QString& nombre)
{
    if (nombre.compare(m_impresora, Qt::CaseInsensitive) != 0)
        m_papel = QPageSize();
    m_impresora = nombre;
}

void ClsReporte::Prepara(int)
{
    m_paginas = 0;
    m_cheques = 0;
}

int ClsReporte::DestinoArchivo(const QString& ruta)
{
    m_archivo = ruta;
    return Archivo;
}

void ClsReporte::Destino(int valor)
{
    if (valor != Pantalla && valor != Impresora && valor != Archivo)
        throw RuntimeError(ReportErrors::Destino, u"Destino de impresión desconocido: %1."_s.arg(valor),
                           u"ClsReporte"_s);
    m_destino = valor;
}

void ClsReporte::Finaliza(int) {}

QString ClsReporte::carpetaCalibracion(const ReportLayout& layout) const
{
    if (m_carpeta.isEmpty())
        return layout.folder;
    // The calibration belongs to the workstation's printers: an installed program keeps it in the
    // operator's own folder, read before the program folder.
    if (QDir(QString(m_carpeta).replace(u'\\', u'/')) == QDir(ProgramInfo::programFolder()))
        return QFileInfo(ProgramInfo::readablePath(QString::fromUtf16(PrinterCalibration::FileName))).path();
    return m_carpeta;
}

QString ClsReporte::rutaReporte(const QString& reporte) const
{
    QString path = reporte.trimmed();
    // Report names come from Windows-era configuration rows too.
    path.replace(u'\\', u'/');
    if (QFileInfo(path).suffix().isEmpty())
        path += u".rpt"_s;
    if (QFileInfo(path).isRelative() && !path.contains(u'/') && !m_carpeta.isEmpty())
        path = QDir(QString(m_carpeta).replace(u'\\', u'/')).filePath(path);
    return path;
}

void ClsReporte::verificaReporte(const QString& reporte) const
{
    const QString path = rutaReporte(reporte);
    if (!QFileInfo(path).isFile())
        throw RuntimeError(ReportErrors::ArchivoNoEncontrado,
                           u"No se encuentra el reporte \"%1\"."_s.arg(path), u"ClsReporte"_s);
    LayoutParser::parseFile(path);
}

void ClsReporte::ImprimeReporte(const QString& reporte, const QStringList&, const QString& formulaSeleccion,
                                const QString& cadenaConexion, const QString& asignacionFormula,
                                const QVariant&, const QVariant&, const QVariant&, const QVariant&,
                                const QString&, const QString&, const QString&)
{
    // A start position serves one run only, whatever becomes of it.
    const int primera = m_primeraPosicion;
    m_primeraPosicion = 0;

    const QString path = rutaReporte(reporte);
    if (!QFileInfo(path).isFile())
        throw RuntimeError(ReportErrors::ArchivoNoEncontrado,
                           u"No se encuentra el reporte \"%1\"."_s.arg(path), u"ClsReporte"_s);
    ReportLayout layout = LayoutParser::parseFile(path);
    FormulaAssignment::apply(asignacionFormula, layout);
    const SelectionFormula selection = SelectionFormula::parse(formulaSeleccion);
    if (m_destino == Archivo && m_archivo.isEmpty())
        throw RuntimeError(ReportErrors::Destino, u"No se indicó el archivo PDF de destino del reporte."_s,
                           u"ClsReporte"_s);

    std::vector<ReportRow> rows;
    if (!layout.readsTable()) {
        // Nothing to read: every position of one sheet from the start position.
        const int first = primera > 0 ? primera : layout.firstPosition;
        rows.resize(static_cast<std::size_t>(std::max(0, layout.perSheet - first + 1)));
    } else {
        ReportDatabase database(cadenaConexion, DataGlobals::gDB());
        rows = database.select(selection);
    }
    const PageModel model = PageBuilder(layout, RegionalSettings::current()).build(rows, primera);
    m_paginas = static_cast<int>(model.pages.size());
    m_cheques = model.cheques;
    if (model.pages.empty())
        return;

    const QString title = QFileInfo(path).completeBaseName();
    const QString calibrationFolder = carpetaCalibracion(layout);
    switch (m_destino) {
    case Archivo:
        ReportOutput::toPdf(model, m_archivo, PrinterCalibration::forPrinter(calibrationFolder, u"PDF"_s),
                            title);
        break;
    case Pantalla: {
        const QString printer = m_impresora;
        ReportOutput::toPreview(model, printer, PrinterCalibration::forPrinter(calibrationFolder, printer),
                                title, m_papel);
        break;
    }
    default: {
        const QString printer = ReportOutput::printerName(m_impresora);
        ReportOutput::toPrinter(model, printer, PrinterCalibration::forPrinter(calibrationFolder, printer),
                                title, m_papel);
    }
    }
}
