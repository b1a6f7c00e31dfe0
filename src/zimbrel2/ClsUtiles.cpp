#include "zimbrel2/ClsUtiles.h"

#include "zimbrel2/Clock.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/RegionalSettings.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringList>

#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

// The keystream of the password encoding: a fixed linear congruential sequence, so the encoded form
// carries no visible trace of the text (equal letters do not give equal digits).
class KeyStream
{
public:
    std::uint8_t next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return static_cast<std::uint8_t>(m_state >> 16);
    }

private:
    std::uint32_t m_state = 0x7A11E0u;
};

std::uint8_t checksum(const QByteArray& plain)
{
    std::uint32_t sum = 0xA5;
    for (qsizetype i = 0; i < plain.size(); ++i)
        sum += static_cast<std::uint8_t>(plain[i]) * static_cast<std::uint32_t>(i + 1);
    return static_cast<std::uint8_t>(sum);
}

std::optional<int> digitsValue(QStringView part, int minDigits, int maxDigits)
{
    if (part.size() < minDigits || part.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<int> yearValue(QStringView part)
{
    if (part.size() != 2 && part.size() != 4)
        return std::nullopt;
    const std::optional<int> year = digitsValue(part, 2, 4);
    if (!year || part.size() == 4)
        return year;
    // The two-digit year window of the platform the suite runs on.
    return *year <= 29 ? 2000 + *year : 1900 + *year;
}

} // namespace

int ClsUtiles::MostrarError(const RuntimeError& error, int estilo, const QString& rutina)
{
    if (error.number() == 0)
        return 0;
    QString text = u"Ha ocurrido el siguiente error ("_s + QString::number(error.number()) + u") "_s +
                   error.description().trimmed();
    if (!error.source().trimmed().isEmpty())
        text += u"\nOrigen: "_s + error.source().trimmed();
    if (!rutina.trimmed().isEmpty())
        text += u"\nRutina: "_s + rutina.trimmed();
    return operatorDialogs().messageBox(text, estilo, u"Aviso al operador"_s);
}

ErrorReporter ClsUtiles::reporterFor(const QString& rutina, int estilo)
{
    return [rutina, estilo](const RuntimeError& error) { return MostrarError(error, estilo, rutina); };
}

QString ClsUtiles::ValorSeguro(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    // Numbers and dates read as the workstation writes them, as the suite's runtime turns a value
    // into text: regional decimal separator, regional short date (with the time when it has one).
    const RegionalSettings& settings = RegionalSettings::current();
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QString text = QString::number(value.toDouble(), 'g', 15);
        if (settings.decimalSeparator != u'.')
            text.replace(u'.', settings.decimalSeparator);
        return text;
    }
    case QMetaType::QDate:
        return value.toDate().toString(settings.shortDatePattern());
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        const QString date = moment.date().toString(settings.shortDatePattern());
        return moment.time() == QTime(0, 0) ? date : date + u' ' + moment.time().toString(u"HH:mm:ss"_s);
    }
    default:
        break;
    }
    return value.toString();
}

Currency ClsUtiles::TextoANumero(const QString& text)
{
    return Currency::parse(text, RegionalSettings::current()).value_or(Currency());
}

qint64 ClsUtiles::TextoAEntero(const QString& text)
{
    const std::int64_t units = TextoANumero(text).units();
    std::int64_t whole = units / Currency::Scale;
    const std::int64_t rest = units % Currency::Scale;
    const std::int64_t half = Currency::Scale / 2;
    const std::int64_t magnitude = rest < 0 ? -rest : rest;
    if (magnitude > half || (magnitude == half && whole % 2 != 0))
        whole += rest < 0 ? -1 : 1;
    return whole;
}

QString ClsUtiles::AjustaIzquierda(const QString& text, int ancho)
{
    if (ancho <= 0)
        return QString();
    return text.left(ancho).leftJustified(ancho, u' ');
}

QString ClsUtiles::AjustaDerecha(const QString& text, int ancho)
{
    return text.rightJustified(ancho, u' ', false);
}

QString ClsUtiles::TextoVisible(const QString& text, int maximo)
{
    QString visible = text;
    for (QChar& c : visible) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    if (maximo > 0 && visible.size() > maximo) {
        qsizetype cut = maximo;
        // Never leave half of a character outside the basic plane.
        if (visible[cut - 1].isHighSurrogate())
            --cut;
        visible.truncate(cut);
    }
    return visible;
}

namespace {

// A date written as three numbers in `order`, separated by "/", "-" or ".".
std::optional<QDate> readDate(const QString& text, RegionalSettings::DateOrder order)
{
    const QString typed = text.trimmed();
    QChar separator;
    for (QChar candidate : {QChar(u'/'), QChar(u'-'), QChar(u'.')}) {
        if (typed.contains(candidate)) {
            separator = candidate;
            break;
        }
    }
    if (separator.isNull())
        return std::nullopt;
    const QStringList parts = typed.split(separator);
    if (parts.size() != 3)
        return std::nullopt;
    const QString first = parts[0].trimmed();
    const QString second = parts[1].trimmed();
    const QString third = parts[2].trimmed();

    std::optional<int> day;
    std::optional<int> month;
    std::optional<int> year;
    switch (order) {
    case RegionalSettings::DateOrder::DayMonthYear:
        day = digitsValue(first, 1, 2);
        month = digitsValue(second, 1, 2);
        year = yearValue(third);
        break;
    case RegionalSettings::DateOrder::MonthDayYear:
        month = digitsValue(first, 1, 2);
        day = digitsValue(second, 1, 2);
        year = yearValue(third);
        break;
    case RegionalSettings::DateOrder::YearMonthDay:
        year = yearValue(first);
        month = digitsValue(second, 1, 2);
        day = digitsValue(third, 1, 2);
        break;
    }
    if (!day || !month || !year)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDate> ClsUtiles::TextoAFecha(const QString& text)
{
    // Typed dates are day, month and year whatever the workstation's order: the suite's clerks type
    // them so, and the default "Hasta" is written so.
    return readDate(text, RegionalSettings::DateOrder::DayMonthYear);
}

std::optional<QDate> ClsUtiles::TextoAFechaRegional(const QString& text)
{
    return readDate(text, RegionalSettings::current().dateOrder);
}

QString ClsUtiles::FechaSQL(const QString& text)
{
    const std::optional<QDate> date = TextoAFecha(text);
    if (!date)
        return u"NULL"_s;
    return u"{d '"_s + date->toString(u"yyyy-MM-dd"_s) + u"'}"_s;
}

QString ClsUtiles::QuitaCaracteres(const QString& text, const QString& c1, const QString& c2,
                                   const QString& c3)
{
    QString result = text;
    for (const QString& removed : {c1, c2, c3}) {
        if (!removed.isEmpty())
            result.remove(removed);
    }
    return result;
}

QString ClsUtiles::ReemplazaCaracter(const QString& text, const QString& sought, const QString& replacement)
{
    return ReemplazaTexto(text, sought, replacement);
}

QString ClsUtiles::ReemplazaTexto(const QString& text, const QString& sought, const QString& replacement,
                                  Qt::CaseSensitivity cs)
{
    if (sought.isEmpty())
        return text;
    QString result = text;
    result.replace(sought, replacement, cs);
    return result;
}

int ClsUtiles::CuentaPalabras(const QString& text)
{
    int words = 0;
    bool inWord = false;
    for (QChar c : text) {
        const bool blank = c.isSpace();
        if (!blank && !inWord)
            ++words;
        inWord = !blank;
    }
    return words;
}

QString ClsUtiles::Codifica(const QString& text)
{
    if (text.isEmpty())
        return QString();
    // Each byte is mixed with the keystream and the previous encoded byte; a checksum byte at the end
    // lets Decodifica tell an encoded form from a text written by hand.
    const QByteArray plain = text.toUtf8();
    QByteArray encoded;
    encoded.reserve(plain.size() + 1);
    KeyStream keys;
    std::uint8_t previous = 0;
    for (char byte : plain) {
        previous = static_cast<std::uint8_t>(static_cast<std::uint8_t>(byte) ^ keys.next() ^ previous);
        encoded.append(static_cast<char>(previous));
    }
    encoded.append(static_cast<char>(checksum(plain) ^ keys.next()));
    return QString::fromLatin1(encoded.toHex().toUpper());
}

QString ClsUtiles::Decodifica(const QString& text)
{
    if (text.size() < 4 || text.size() % 2 != 0)
        return text;
    for (QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return text;
    }
    const QByteArray encoded = QByteArray::fromHex(text.toLatin1());
    QByteArray plain;
    plain.reserve(encoded.size() - 1);
    KeyStream keys;
    std::uint8_t previous = 0;
    for (qsizetype i = 0; i + 1 < encoded.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(encoded[i]);
        plain.append(static_cast<char>(byte ^ keys.next() ^ previous));
        previous = byte;
    }
    if (static_cast<std::uint8_t>(encoded.back()) != (checksum(plain) ^ keys.next()))
        return text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(plain);
    return utf8.hasError() ? text : decoded;
}

QString ClsUtiles::CarpetaConBarra(const QString& folder)
{
    if (folder.isEmpty())
        return QString();
    const QString path = QDir::fromNativeSeparators(folder);
    return path.endsWith(u'/') ? path : path + u'/';
}

QString ClsUtiles::ElegirFecha(const QString& inicial)
{
    const QDate start = TextoAFecha(inicial).value_or(Clock::today());
    const std::optional<QDate> chosen = operatorDialogs().chooseDate(start);
    if (!chosen || !chosen->isValid())
        return QString();
    return chosen->toString(u"dd/MM/yyyy"_s);
}
