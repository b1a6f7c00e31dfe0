#include "report/TextMetrics.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

#include <memory>

namespace {

constexpr double Dpi = 1200.0;

const QImage& referenceDevice()
{
    static const QImage image = [] {
        QImage device(1, 1, QImage::Format_Mono);
        device.setDotsPerMeterX(qRound(Dpi / 0.0254));
        device.setDotsPerMeterY(qRound(Dpi / 0.0254));
        return device;
    }();
    return image;
}

} // namespace

QFont TextMetrics::qtFont(const LayoutFont& font)
{
    QFont result(font.family);
    result.setPointSizeF(font.size);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setStyleStrategy(QFont::StyleStrategy(QFont::PreferNoShaping | QFont::PreferOutline));
    result.setKerning(false);
    return result;
}

double TextMetrics::widthMm(const LayoutFont& font, const QString& text)
{
    // One metrics object per font: building it is far dearer than measuring.
    static QHash<QString, std::shared_ptr<QFontMetricsF>> cache;
    const QString key =
        font.family + QString::number(font.size) + (font.bold ? u'b' : u'-') + (font.italic ? u'i' : u'-');
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, std::make_shared<QFontMetricsF>(qtFont(font), &referenceDevice()));
    return it.value()->horizontalAdvance(text) / Dpi * 25.4;
}
