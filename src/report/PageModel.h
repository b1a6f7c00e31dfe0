#pragma once

#include "report/ReportLayout.h"

#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

/// One thing to draw on a sheet, its texts resolved; positions in millimetres from the sheet's
/// top-left corner.
struct PageItem
{
    enum class Kind
    {
        Text,
        Line,
        Box,
        Image
    };
    Kind kind = Kind::Text;
    /// Text: the box of one text line (the text starts at its top); box and image: their rectangle.
    QRectF rect;
    QLineF line;
    double pen = 0.3;
    QString text;
    LayoutFont font;
    LayoutItem::Align align = LayoutItem::Align::Left;
    /// Image file.
    QString image;
    bool previewOnly = false;
    /// The report file's line the item comes from.
    int sourceLine = 0;
};

struct Page
{
    std::vector<PageItem> items;
};

/// The sheets of a report run, ready to paint on any device.
struct PageModel
{
    QSizeF sheet;
    std::vector<Page> pages;
    int cheques = 0;
};
