#include "report/PagePainter.h"

#include "report/TextMetrics.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

using namespace Qt::StringLiterals;

void PagePainter::preparePage(QPagedPaintDevice& device, const QSizeF& sheetMm)
{
    const QPageSize size(sheetMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    // A sheet wider than tall stays as drawn: the size is given as it stands, in portrait.
    device.setPageLayout(
        QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

bool PagePainter::paintAll(QPagedPaintDevice& device, const PageModel& model, bool preview)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t i = 0; i < model.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paint(painter, model.pages[i], device.logicalDpiX(), device.logicalDpiY(), preview);
    }
    return painter.end();
}

void PagePainter::paint(QPainter& painter, const Page& page, double dpiX, double dpiY, bool preview)
{
    const double kx = dpiX / 25.4;
    const double ky = dpiY / 25.4;
    auto toDevice = [&](const QRectF& mm) {
        return QRectF(mm.x() * kx, mm.y() * ky, mm.width() * kx, mm.height() * ky);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(m_calibration.x * kx, m_calibration.y * ky);
    painter.rotate(m_calibration.rotation);
    for (const PageItem& item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Text: {
            painter.setFont(font(item.font));
            painter.setPen(Qt::black);
            const int align = item.align == LayoutItem::Align::Right    ? Qt::AlignRight
                              : item.align == LayoutItem::Align::Center ? Qt::AlignHCenter
                                                                        : Qt::AlignLeft;
            painter.drawText(toDevice(item.rect),
                             align | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, item.text);
            break;
        }
        case PageItem::Kind::Line:
        case PageItem::Kind::Box: {
            QPen pen(Qt::black);
            pen.setWidthF(item.pen * kx);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            if (item.kind == PageItem::Kind::Line)
                painter.drawLine(QLineF(item.line.x1() * kx, item.line.y1() * ky, item.line.x2() * kx,
                                        item.line.y2() * ky));
            else
                painter.drawRect(toDevice(item.rect));
            break;
        }
        case PageItem::Kind::Image:
            if (preview || !item.previewOnly) {
                const QImage& picture = image(item.image);
                if (!picture.isNull())
                    painter.drawImage(toDevice(item.rect), picture);
            }
            break;
        }
    }
    painter.restore();
}

const QFont& PagePainter::font(const LayoutFont& font)
{
    const QString key =
        font.family + QString::number(font.size) + (font.bold ? u'b' : u'-') + (font.italic ? u'i' : u'-');
    auto it = m_fonts.find(key);
    if (it == m_fonts.end())
        it = m_fonts.insert(key, TextMetrics::qtFont(font));
    return it.value();
}

const QImage& PagePainter::image(const QString& path)
{
    auto it = m_images.find(path);
    if (it == m_images.end())
        it = m_images.insert(path, QImage(path));
    return it.value();
}
