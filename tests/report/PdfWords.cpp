#include "PdfWords.h"

#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

QString runPdfToText(const QStringList& arguments)
{
    QProcess process;
    process.start(u"pdftotext"_s, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString unescape(QString text)
{
    text.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&quot;"_s, u"\""_s);
    text.replace(u"&apos;"_s, u"'"_s).replace(u"&#39;"_s, u"'"_s).replace(u"&amp;"_s, u"&"_s);
    return text.normalized(QString::NormalizationForm_KC);
}

} // namespace

std::vector<PdfWord> readPdfWords(const QString& path)
{
    const QString html = runPdfToText({u"-bbox"_s, path, u"-"_s});
    static const QRegularExpression token(
        u"<page width=\"[0-9.]+\" height=\"[0-9.]+\">|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
        u"xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"_s);
    constexpr double mm = 25.4 / 72.0;
    std::vector<PdfWord> words;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(u"<page"_s)) {
            ++page;
            continue;
        }
        const double x0 = m.captured(1).toDouble() * mm;
        const double y0 = m.captured(2).toDouble() * mm;
        const double x1 = m.captured(3).toDouble() * mm;
        const double y1 = m.captured(4).toDouble() * mm;
        words.push_back({page, unescape(m.captured(5)), QRectF(QPointF(x0, y0), QPointF(x1, y1))});
    }
    return words;
}

std::vector<PdfWord> wordsNamed(const std::vector<PdfWord>& words, const QString& text, int page)
{
    std::vector<PdfWord> found;
    for (const PdfWord& word : words) {
        if (word.text == text && (page == 0 || word.page == page))
            found.push_back(word);
    }
    return found;
}

int pdfPageCount(const QString& path)
{
    const QString html = runPdfToText({u"-bbox"_s, path, u"-"_s});
    return static_cast<int>(html.count(u"<page "_s));
}

QSizeF pdfPageSize(const QString& path)
{
    static const QRegularExpression page(u"<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"_s);
    const QRegularExpressionMatch m = page.match(runPdfToText({u"-bbox"_s, path, u"-"_s}));
    if (!m.hasMatch())
        return {};
    return QSizeF(m.captured(1).toDouble() * 25.4 / 72.0, m.captured(2).toDouble() * 25.4 / 72.0);
}
