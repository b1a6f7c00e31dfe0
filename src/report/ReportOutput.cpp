#include "report/ReportOutput.h"

#include "report/PagePainter.h"
#include "report/PrintQueue.h"
#include "report/ReportErrors.h"
#include "zimbrel2/QtOperatorDialogs.h"
#include "zimbrel2/RuntimeError.h"

#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const QString& message)
{
    throw RuntimeError(ReportErrors::Destino, message, u"ClsReporte"_s);
}

/// The page of a printer destination: the paper form selected for the printer, else the sheet of the
/// report.
void preparePaper(QPrinter& device, const PageModel& model, const QPageSize& paper)
{
    if (paper.isValid())
        device.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    else
        PagePainter::preparePage(device, model.sheet);
}

} // namespace

void ReportOutput::toPdf(const PageModel& model, const QString& path, const PrinterCalibration& calibration,
                         const QString& title)
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(u"Talonex"_s);
    writer.setResolution(1200);
    PagePainter::preparePage(writer, model.sheet);
    if (!PagePainter(calibration).paintAll(writer, model))
        fail(u"No se puede escribir el archivo \"%1\"."_s.arg(path));
}

QString ReportOutput::printerName(const QString& printer)
{
    if (!printer.isEmpty()) {
        if (QPrinterInfo::printerInfo(printer).isNull()) {
            const QString why = PrintQueue::problem(printer);
            fail(why.isEmpty() ? u"La impresora \"%1\" no está disponible."_s.arg(printer) : why);
        }
        return printer;
    }
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (standard.isNull())
        fail(PrintQueue::serverAnswers()
                 ? u"No hay ninguna impresora instalada para imprimir los cheques."_s
                 : u"No se pueden imprimir los cheques: el servidor de impresión no responde."_s);
    return standard.printerName();
}

void ReportOutput::toPrinter(const PageModel& model, const QString& printer,
                             const PrinterCalibration& calibration, const QString& title,
                             const QPageSize& paper)
{
    QPrinter device(QPrinter::HighResolution);
    device.setPrinterName(printerName(printer));
    device.setDocName(title);
    device.setFullPage(true);
    preparePaper(device, model, paper);
    if (!device.isValid())
        fail(u"La impresora \"%1\" no está disponible."_s.arg(device.printerName()));
    // Asked last before painting: the job is then the only print-server request before refusal().
    if (const QString why = PrintQueue::problem(device.printerName()); !why.isEmpty())
        fail(why);
    if (!PagePainter(calibration).paintAll(device, model) || device.printerState() == QPrinter::Error)
        fail(u"La impresora \"%1\" no aceptó el trabajo."_s.arg(device.printerName()));
    if (const QString why = PrintQueue::refusal(device.printerName()); !why.isEmpty())
        fail(why);
}

void ReportOutput::toPreview(const PageModel& model, const QString& printer,
                             const PrinterCalibration& calibration, const QString& title,
                             const QPageSize& paper)
{
    QPrinter device(QPrinter::HighResolution);
    // Without any printer the preview still shows the cheques; its print button then writes a PDF.
    const QString name =
        printer.isEmpty() && QPrinterInfo::defaultPrinter().isNull() ? QString() : printerName(printer);
    if (name.isEmpty())
        device.setOutputFormat(QPrinter::PdfFormat);
    else
        device.setPrinterName(name);
    device.setDocName(title);
    device.setFullPage(true);
    preparePaper(device, model, paper);
    PagePainter painter(calibration);
    QtOperatorDialogs::showPrintPreview(device, title, [&](QPrinter* target) {
        // The preview draws into a picture engine; the print button draws into the printer itself,
        // which must not get the preview-only background.
        QPainter probe(target);
        const bool onScreen = probe.paintEngine() && probe.paintEngine()->type() == QPaintEngine::Picture;
        for (std::size_t i = 0; i < model.pages.size(); ++i) {
            if (i > 0)
                target->newPage();
            painter.paint(probe, model.pages[i], target->logicalDpiX(), target->logicalDpiY(), onScreen);
        }
    });
}
