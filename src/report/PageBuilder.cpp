#include "report/PageBuilder.h"

#include "report/ReportErrors.h"
#include "report/TextMetrics.h"
#include "zimbrel2/Currency.h"
#include "zimbrel2/RuntimeError.h"

#include <QDate>

#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A text may shrink to this share of its font size before it is refused.
constexpr double SmallestShare = 0.6;
constexpr double ShrinkStep = 0.25;

const QStringList& monthNames()
{
    static const QStringList names{u"enero"_s,      u"febrero"_s, u"marzo"_s,     u"abril"_s,
                                   u"mayo"_s,       u"junio"_s,   u"julio"_s,     u"agosto"_s,
                                   u"septiembre"_s, u"octubre"_s, u"noviembre"_s, u"diciembre"_s};
    return names;
}

int column(const QString& name)
{
    return ReportColumns::indexOf(name);
}

std::optional<QDate> dateOf(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDate || value.metaType().id() == QMetaType::QDateTime)
        return value.toDate();
    const QString text = value.toString().trimmed();
    for (const QString& pattern : {u"dd/MM/yyyy"_s, u"d/M/yyyy"_s, u"yyyy-MM-dd"_s}) {
        const QDate date = QDate::fromString(text, pattern);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

// The words of `text` spread over the item's lines in `font`; nullopt when they need more lines
// (or a single word is wider than its line).
std::optional<QStringList> wrap(const LayoutItem& item, const LayoutFont& font, const QString& text)
{
    if (item.lines == 1) {
        if (TextMetrics::widthMm(font, text) <= item.lineWidth(0))
            return QStringList{text};
        return std::nullopt;
    }
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    QStringList lines;
    QString current;
    for (const QString& word : words) {
        const QString candidate = current.isEmpty() ? word : current + u' ' + word;
        if (TextMetrics::widthMm(font, candidate) <= item.lineWidth(static_cast<int>(lines.size()))) {
            current = candidate;
            continue;
        }
        if (current.isEmpty())
            return std::nullopt;
        lines.append(current);
        if (lines.size() >= item.lines)
            return std::nullopt;
        current = word;
        if (TextMetrics::widthMm(font, current) > item.lineWidth(static_cast<int>(lines.size())))
            return std::nullopt;
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

// The line with fill characters over its free width, on the side(s) away from its alignment.
QString filled(const QString& line, const LayoutItem& item, const LayoutFont& font, double width)
{
    if (item.fill.isEmpty())
        return line;
    const double fillWidth = TextMetrics::widthMm(font, item.fill);
    if (fillWidth <= 0)
        return line;
    int count = static_cast<int>(std::floor((width - TextMetrics::widthMm(font, line)) / fillWidth));
    while (count > 0) {
        const int before = item.align == LayoutItem::Align::Right    ? count
                           : item.align == LayoutItem::Align::Center ? count / 2
                                                                     : 0;
        const QString result = item.fill.repeated(before) + line + item.fill.repeated(count - before);
        if (TextMetrics::widthMm(font, result) <= width)
            return result;
        --count;
    }
    return line;
}

} // namespace

PageBuilder::PageBuilder(const ReportLayout& layout, const RegionalSettings& settings)
    : m_layout(layout), m_settings(settings)
{
}

PageModel PageBuilder::build(const std::vector<ReportRow>& rows, int firstPosition) const
{
    PageModel model;
    model.sheet = m_layout.sheet;
    int position = (firstPosition > 0 ? firstPosition : m_layout.firstPosition) - 1;
    if (position >= m_layout.perSheet)
        throw RuntimeError(
            ReportErrors::DatoInvalido,
            u"La posición de inicio %1 pasa de los %2 cheques por hoja del reporte %3."_s.arg(
                QString::number(position + 1), QString::number(m_layout.perSheet), m_layout.file),
            u"ClsReporte"_s);
    for (const ReportRow& row : rows) {
        if (model.pages.empty() || position >= m_layout.perSheet) {
            model.pages.emplace_back();
            if (model.pages.size() > 1)
                position = 0;
        }
        addCheque(model.pages.back(), m_layout.origin(position), row);
        ++position;
        ++model.cheques;
    }
    return model;
}

void PageBuilder::addCheque(Page& page, QPointF origin, const ReportRow& row) const
{
    for (const LayoutItem& item : m_layout.items) {
        PageItem out;
        out.sourceLine = item.line;
        out.pen = item.pen;
        switch (item.kind) {
        case LayoutItem::Kind::Line:
            out.kind = PageItem::Kind::Line;
            out.line = QLineF(origin + QPointF(item.x, item.y), origin + QPointF(item.x2, item.y2));
            page.items.push_back(std::move(out));
            break;
        case LayoutItem::Kind::Box:
        case LayoutItem::Kind::Image:
            out.kind = item.kind == LayoutItem::Kind::Box ? PageItem::Kind::Box : PageItem::Kind::Image;
            out.rect = QRectF(origin + QPointF(item.x, item.y), QSizeF(item.width, item.height));
            out.image = item.name;
            out.previewOnly = item.previewOnly;
            page.items.push_back(std::move(out));
            break;
        default:
            addText(page, origin, item, resolve(item, row), row);
        }
    }
}

QString PageBuilder::resolve(const LayoutItem& item, const ReportRow& row) const
{
    QString text;
    if (item.kind == LayoutItem::Kind::Text) {
        text = item.name;
    } else if (item.kind == LayoutItem::Kind::Formula) {
        text = m_layout.formulas.value(m_layout.formulaName(item.name));
    } else {
        const QVariant value = row.value(column(item.name));
        if (value.isNull())
            return {};
        if (item.name == u"IMPORTE"_s) {
            const std::optional<Currency> amount = value.metaType().id() == QMetaType::Double
                                                       ? Currency::fromDouble(value.toDouble())
                                                       : Currency::parseInvariant(value.toString());
            if (!amount)
                throw RuntimeError(ReportErrors::DatoInvalido,
                                   u"El importe \"%1\" del cheque %2 no es un número."_s.arg(
                                       value.toString(), row.value(column(u"NUMERO"_s)).toString()),
                                   u"ClsReporte"_s);
            text = amount->toDisplayText(m_settings);
        } else if (item.name == u"NUMERO"_s) {
            bool ok = false;
            const qlonglong number = value.toLongLong(&ok);
            text = ok ? QString::number(number) : value.toString().trimmed();
            if (item.digits > 0)
                text = text.rightJustified(item.digits, u'0');
        } else if (item.part != LayoutItem::DatePart::Whole) {
            if (value.toString().trimmed().isEmpty())
                return {};
            const std::optional<QDate> date = dateOf(value);
            if (!date)
                throw RuntimeError(
                    ReportErrors::DatoInvalido,
                    u"La fecha \"%1\" del cheque %2 no es válida (se espera dd/mm/aaaa)."_s.arg(
                        value.toString(), row.value(column(u"NUMERO"_s)).toString()),
                    u"ClsReporte"_s);
            switch (item.part) {
            case LayoutItem::DatePart::Day:
                text = QString::number(date->day());
                break;
            case LayoutItem::DatePart::MonthName:
                text = monthNames().at(date->month() - 1);
                break;
            case LayoutItem::DatePart::MonthNumber:
                text = QString::number(date->month()).rightJustified(2, u'0');
                break;
            default:
                text = QString::number(date->year());
            }
        } else {
            text = value.toString();
        }
    }
    // Line breaks or tabs in stored texts would escape the item's lines.
    text = text.simplified();
    return item.upperCase ? text.toUpper() : text;
}

void PageBuilder::addText(Page& page, QPointF origin, const LayoutItem& item, const QString& text,
                          const ReportRow& row) const
{
    if (text.isEmpty())
        return;
    LayoutFont font = item.font;
    std::optional<QStringList> lines;
    const double smallest = item.font.size * SmallestShare;
    while (!(lines = wrap(item, font, text)) && font.size - ShrinkStep >= smallest - 1e-9)
        font.size -= ShrinkStep;
    if (!lines)
        throw RuntimeError(
            ReportErrors::DatoInvalido,
            u"El texto \"%1\" del cheque %2 no cabe en su lugar (línea %3 del reporte %4)."_s.arg(
                text, row.value(column(u"NUMERO"_s)).toString(), QString::number(item.line), m_layout.file),
            u"ClsReporte"_s);
    for (int i = 0; i < lines->size(); ++i) {
        PageItem out;
        out.kind = PageItem::Kind::Text;
        out.sourceLine = item.line;
        out.font = font;
        out.align = item.align;
        out.rect = QRectF(origin + QPointF(item.lineX(i), item.lineY(i)),
                          QSizeF(item.lineWidth(i), font.lineHeightMm()));
        out.text = filled(lines->at(i), item, font, item.lineWidth(i));
        page.items.push_back(std::move(out));
    }
}
