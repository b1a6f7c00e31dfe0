#pragma once

#include "report/PageModel.h"
#include "report/PrinterCalibration.h"

#include <QFont>
#include <QHash>
#include <QImage>

class QPainter;
class QPagedPaintDevice;

/// Paints sheets of a page model with QPainter on any device, millimetres turned into the device's
/// dots, the printer's calibration applied to the whole sheet. Preview-only images are painted only
/// when the painter works for the screen preview.
class PagePainter
{
public:
    explicit PagePainter(PrinterCalibration calibration = {}) : m_calibration(calibration) {}

    /// Every sheet of `model` on `device`, from a new painter; false when the device cannot be
    /// painted on (a file that cannot be written, a printer that refuses the job).
    bool paintAll(QPagedPaintDevice& device, const PageModel& model, bool preview = false);
    /// One sheet on an active painter whose device has `dpiX` × `dpiY` dots per inch.
    void paint(QPainter& painter, const Page& page, double dpiX, double dpiY, bool preview);

    /// Sets the page size of `device` to the sheet, without margins.
    static void preparePage(QPagedPaintDevice& device, const QSizeF& sheetMm);

private:
    const QFont& font(const LayoutFont& font);
    const QImage& image(const QString& path);

    PrinterCalibration m_calibration;
    QHash<QString, QFont> m_fonts;
    QHash<QString, QImage> m_images;
};
