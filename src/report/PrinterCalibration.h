#pragma once

#include <QString>

/// How a printer's sheet stands off the ideal one, kept apart from the report files so one layout
/// serves every printer: the whole page moves by (x, y) millimetres and turns by `rotation` degrees
/// (clockwise) about the sheet's top-left corner. Read from "impresoras.cal" in the reports folder,
/// one line per printer: impresora "name" x=1.5 y=-0.8 rotacion=0.2 (a printer named "*" stands for
/// every printer without a line of its own; the PDF file destination reads the printer "PDF").
struct PrinterCalibration
{
    static constexpr const char16_t* FileName = u"impresoras.cal";

    double x = 0;
    double y = 0;
    double rotation = 0;

    bool isNone() const { return x == 0 && y == 0 && rotation == 0; }

    /// The calibration of `printer` in the file of `folder`; none when the file or the line is
    /// missing. A line the file cannot hold raises ReportErrors::ReporteInvalido naming the line.
    static PrinterCalibration forPrinter(const QString& folder, const QString& printer);
    /// The same from the file's text.
    static PrinterCalibration fromText(const QString& text, const QString& printer,
                                       const QString& fileName = QString::fromUtf16(FileName));
};
