#pragma once

#include <QMap>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

/// A font as a report file names it; sizes in points.
struct LayoutFont
{
    QString family = QStringLiteral("DejaVu Sans");
    double size = 10.0;
    bool bold = false;
    bool italic = false;

    /// The height of one text line in millimetres: 1.2 times the size.
    double lineHeightMm() const { return size * 1.2 * 25.4 / 72.0; }
};

/// One positioned item of a cheque. Positions and sizes in millimetres from the cheque's top-left
/// corner.
struct LayoutItem
{
    enum class Kind
    {
        Field,   // a column of the report's table
        Formula, // a formula field, set by the report or a formula assignment
        Text,    // literal text
        Line,
        Box,
        Image
    };
    enum class Align
    {
        Left,
        Right,
        Center
    };
    /// The part of a date column shown (dates are stored as "dd/mm/yyyy").
    enum class DatePart
    {
        Whole,
        Day,
        MonthName,
        MonthNumber,
        Year
    };

    Kind kind = Kind::Text;
    /// The line of the report file, for messages.
    int line = 0;
    /// Column or formula name (Field, Formula), literal text (Text), image file (Image).
    QString name;

    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    /// End point of a line.
    double x2 = 0;
    double y2 = 0;
    /// Pen width of lines and boxes.
    double pen = 0.3;

    LayoutFont font;
    Align align = Align::Left;
    /// Characters that fill the free width against alteration ("*" gives "***1.234,50***").
    QString fill;
    DatePart part = DatePart::Whole;
    /// Zero-padded width of a number (0: as it stands).
    int digits = 0;
    bool upperCase = false;

    /// Text lines the item may wrap onto, and where the second and later lines start.
    int lines = 1;
    double nextX = 0;
    double nextY = 0;
    double nextWidth = 0;
    double lineSpacing = 0;

    /// An image shown in the screen preview only (a scanned cheque background).
    bool previewOnly = false;

    bool isText() const { return kind == Kind::Field || kind == Kind::Formula || kind == Kind::Text; }
    /// The left edge, top and width of text line `index` (0 first).
    double lineX(int index) const { return index == 0 ? x : nextX; }
    double lineY(int index) const { return index == 0 ? y : nextY + (index - 1) * lineSpacing; }
    double lineWidth(int index) const { return index == 0 ? width : nextWidth; }
};

/// A report file read: the sheet, the cheque and where cheques stand on a sheet, the formula fields
/// with their values, and the items of one cheque.
struct ReportLayout
{
    /// The file it was read from and its folder (images are found there).
    QString file;
    QString folder;

    QSizeF sheet;
    QSizeF cheque;
    /// Cheques per sheet, the top-left corner of the first one and the step down to the next.
    int perSheet = 1;
    QPointF firstOrigin;
    double pitch = 0;
    /// The position (1 = first) where printing starts on the first sheet.
    int firstPosition = 1;

    LayoutFont font;
    /// Formula fields and their texts; names are kept in lower case, lookups ignore case.
    QMap<QString, QString> formulas;
    std::vector<LayoutItem> items;

    /// The formula's name as the report spells it, or empty when it has none of that name.
    QString formulaName(const QString& name) const;
    /// True when some item shows a column of the table; a layout without any (a calibration grid)
    /// prints one sheet without reading the database.
    bool readsTable() const;
    /// The top-left corner of the cheque at `position` (0 first) of a sheet.
    QPointF origin(int position) const { return firstOrigin + QPointF(0, position * pitch); }
};

/// The columns of the print table, in the order the engine reads them.
namespace ReportColumns {
const QString Table = QStringLiteral("AUX_IMPRESION");
QStringList names();
/// The column's index in names(), or -1; case is ignored.
int indexOf(const QString& name);
} // namespace ReportColumns
