#pragma once

#include "report/ReportLayout.h"

#include <QString>

/// Reads a report file of ours into a layout. Anything it does not accept (an unknown keyword or key,
/// a bad number, an item that does not fit inside the cheque, cheques that do not fit on the sheet)
/// raises RuntimeError ReportErrors::ReporteInvalido whose description names the file and the line.
class LayoutParser
{
public:
    /// Reads the file at `path`; a missing or unreadable file raises ReportErrors::ArchivoNoEncontrado.
    static ReportLayout parseFile(const QString& path);
    /// Reads `text`; `fileName` names it in messages and `folder` is where its images are found.
    static ReportLayout parse(const QString& text, const QString& fileName, const QString& folder = {});
};
