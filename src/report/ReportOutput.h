#pragma once

#include "report/PageModel.h"
#include "report/PrinterCalibration.h"

#include <QPageSize>
#include <QString>

/// The three destinations of a report run, all painting the same page model: a PDF file, a printer
/// and the screen preview (modal; its print button prints what it shows). Failures raise
/// RuntimeError ReportErrors::Destino.
class ReportOutput
{
public:
    static void toPdf(const PageModel& model, const QString& path, const PrinterCalibration& calibration,
                      const QString& title);
    /// `printer` empty: the system's default printer. A valid `paper` (a paper form selected for the
    /// printer) is the page instead of the report's sheet.
    static void toPrinter(const PageModel& model, const QString& printer,
                          const PrinterCalibration& calibration, const QString& title,
                          const QPageSize& paper = QPageSize());
    static void toPreview(const PageModel& model, const QString& printer,
                          const PrinterCalibration& calibration, const QString& title,
                          const QPageSize& paper = QPageSize());

    /// The printer a destination uses: `printer` when it exists, the default printer when empty;
    /// raises when the named printer does not exist or there is no printer at all.
    static QString printerName(const QString& printer);
};
