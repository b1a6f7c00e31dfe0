#pragma once

#include "report/ReportLayout.h"

#include <QFont>
#include <QString>

/// Text widths in millimetres as the painter draws them: fonts without hinting or shaping (so a
/// PDF keeps each letter, "fi" included), measured at 1200 dots per inch.
class TextMetrics
{
public:
    /// The Qt font the painter uses for `font`.
    static QFont qtFont(const LayoutFont& font);
    /// The width of `text` in `font`, in millimetres.
    static double widthMm(const LayoutFont& font, const QString& text);
};
