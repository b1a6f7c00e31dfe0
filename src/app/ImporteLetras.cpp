#include "app/ImporteLetras.h"

#include "zimbrel2/Currency.h"
#include "zimbrel2/RegionalSettings.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

// Index 0 is always the empty text.
struct WordTables
{
    std::array<QString, 10> unidades;
    std::array<QString, 10> decenas;
    std::array<QString, 10> prefijos;
    std::array<QString, 11> centenas;
    std::array<QString, 16> especiales;
    bool loaded = false;
};

WordTables& tables()
{
    static WordTables words;
    return words;
}

// The whole part of a number written with the regional separators, as decimal digits without
// leading zeros (empty for zero), and its sign. Digits are kept as text, so a number of any length
// is read; false when the text is not a number.
struct WholeNumber
{
    QString digits;
    bool negative = false;
    bool belowOne = true;
};

bool readWholeNumber(const QString& text, const RegionalSettings& settings, WholeNumber& out)
{
    bool signSeen = false;
    bool digitSeen = false;
    bool inDecimals = false;
    bool fractionNonZero = false;
    bool negative = false;
    QString digits;
    for (QChar c : text) {
        if (c.isSpace())
            continue;
        if ((c == u'-' || c == u'+') && !signSeen && !digitSeen && !inDecimals) {
            signSeen = true;
            negative = c == u'-';
            continue;
        }
        if (c == settings.decimalSeparator) {
            if (inDecimals)
                return false;
            inDecimals = true;
            continue;
        }
        if (c == settings.groupSeparator && !inDecimals)
            continue;
        if (c < u'0' || c > u'9')
            return false;
        digitSeen = true;
        if (inDecimals) {
            fractionNonZero = fractionNonZero || c != u'0';
        } else if (!digits.isEmpty() || c != u'0') {
            digits += c;
        }
    }
    if (!digitSeen)
        return false;
    out.digits = digits;
    // The number differs from its absolute value only when it is not zero.
    out.negative = negative && (!digits.isEmpty() || fractionNonZero);
    out.belowOne = digits.isEmpty();
    return true;
}

int digitAt(const QString& twelve, qsizetype index)
{
    return twelve[index].unicode() - u'0';
}

// Collects the words left to right and collapses the blanks between them in one pass.
class WordWriter
{
public:
    WordWriter() { m_text.reserve(160); }
    void add(QStringView piece)
    {
        for (QChar c : piece) {
            if (c == u' ') {
                m_pendingBlank = !m_text.isEmpty();
                continue;
            }
            if (m_pendingBlank)
                m_text += u' ';
            m_pendingBlank = false;
            m_text += c;
        }
        // A word boundary: the pieces of a group are separated by a blank.
    }
    void blank() { m_pendingBlank = !m_text.isEmpty(); }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
    bool m_pendingBlank = false;
};

// Words of one group of three digits: hundreds, a blank, then tens and units run together.
void addGroupWords(WordWriter& out, const WordTables& w, int h, int d, int u)
{
    const int t = 10 * d + u;
    const QString& hundreds = (h == 1 && d == 0 && u == 0) ? w.centenas[10] : w.centenas[h];
    out.add(hundreds);
    out.blank();
    if (u == 0) {
        out.add(w.decenas[d]);
    } else if (t >= 11 && t <= 15) {
        out.add(w.especiales[t]);
    } else {
        out.add(w.prefijos[d]);
        out.add(w.unidades[u]);
    }
    out.blank();
}

QString trimRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

QString removeBlanks(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != QChar(0xA0))
            result += c;
    }
    return result;
}

} // namespace

void CargaTablasLetras()
{
    WordTables& w = tables();
    if (w.loaded)
        return;
    w.unidades = {QString(),  u"un"_s,   u"dos"_s,   u"tres"_s, u"cuatro"_s,
                  u"cinco"_s, u"seis"_s, u"siete"_s, u"ocho"_s, u"nueve"_s};
    w.decenas = {QString(),      u"diez"_s,    u"veinte"_s,  u"treinta"_s, u"cuarenta"_s,
                 u"cincuenta"_s, u"sesenta"_s, u"setenta"_s, u"ochenta"_s, u"noventa"_s};
    w.prefijos = {QString(),         u"dieci"_s,      u"veinti"_s,     u"treinta y "_s, u"cuarenta y "_s,
                  u"cincuenta y "_s, u"sesenta y "_s, u"setenta y "_s, u"ochenta y "_s, u"noventa y "_s};
    w.centenas = {QString(),          u"ciento"_s,      u"doscientos"_s,  u"trescientos"_s,
                  u"cuatrocientos"_s, u"quinientos"_s,  u"seiscientos"_s, u"setecientos"_s,
                  u"ochocientos"_s,   u"novecientos"_s, u"cien"_s};
    w.especiales = {};
    w.especiales[11] = u"once"_s;
    w.especiales[12] = u"doce"_s;
    w.especiales[13] = u"trece"_s;
    w.especiales[14] = u"catorce"_s;
    w.especiales[15] = u"quince"_s;
    w.loaded = true;
}

QString NumeroEnLetras(const QString& number)
{
    CargaTablasLetras();
    const WordTables& w = tables();

    WholeNumber value;
    if (!readWholeNumber(number, RegionalSettings::current(), value) || value.belowOne)
        return u"cero"_s;

    // Only the last twelve digits are spelled: four groups of three, numbered from the right.
    const QString twelve =
        value.digits.size() >= 12 ? value.digits.right(12) : value.digits.rightJustified(12, u'0');
    const auto groupIsZero = [&](int group) {
        const qsizetype start = (4 - group) * 3;
        return twelve[start] == u'0' && twelve[start + 1] == u'0' && twelve[start + 2] == u'0';
    };
    // v > 999999 and v > 1999999, judged on the whole value, not only its last twelve digits.
    const qsizetype length = value.digits.size();
    const bool overMillion = length >= 7;
    const bool overTwoMillion = length > 7 || (length == 7 && value.digits.compare(u"1999999") > 0);
    const bool oneMillionRange = overMillion && !overTwoMillion;

    int highest = 4;
    while (highest > 0 && groupIsZero(highest))
        --highest;

    // Left to right: each group is preceded by the word that joins it to the group above.
    WordWriter out;
    for (int group = highest; group >= 1; --group) {
        const qsizetype start = (4 - group) * 3;
        if (group == 2 && overMillion)
            out.add(overTwoMillion ? u" millones " : u"un millón ");
        if ((group == 1 || group == 3) && !groupIsZero(group + 1))
            out.add(u" mil ");
        if (!(group == 3 && oneMillionRange))
            addGroupWords(out, w, digitAt(twelve, start), digitAt(twelve, start + 1),
                          digitAt(twelve, start + 2));
    }
    QString text = out.take();
    if (value.negative)
        text = QString(u"menos "_s + text).trimmed();
    return text;
}

QString ImporteEnLetras(const QString& amount, int width, const std::optional<QString>& currency,
                        const std::optional<QString>& /*centsWord*/)
{
    const QString currencyPart = currency ? u' ' + currency->trimmed() + u' ' : u" "_s;
    const RegionalSettings& settings = RegionalSettings::current();
    const QChar separator = settings.decimalSeparator == u',' ? QChar(u',') : QChar(u'.');
    const int w = width > 0 ? width : 0;

    const QString plain = removeBlanks(amount);
    const qsizetype at = plain.indexOf(separator);
    QString text;
    if (at >= 0) {
        const QString wholePart = plain.left(at);
        const QString cents = QString(plain.mid(at + 1) + u"000"_s).left(2);
        const Currency centsValue = Currency::parse(cents, settings).value_or(Currency());
        if (centsValue >= Currency::fromUnits(Currency::Scale))
            text = NumeroEnLetras(wholePart) % currencyPart % u"con " % cents % u"/100";
        else
            text = NumeroEnLetras(wholePart) + currencyPart;
    } else {
        text = NumeroEnLetras(plain) + currencyPart;
    }
    text = trimRight(text);
    QString output = w > 0 ? text.leftJustified(w, u' ', true) : text;
    if (at < 0)
        output += u" con 00/100"_s;
    return output;
}
