#include "report/LayoutParser.h"

#include "report/LayoutLine.h"
#include "report/ReportErrors.h"
#include "zimbrel2/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Sizes are compared with a margin well below any printer's step, so 180 = 30 + 150 fits.
constexpr double Tolerance = 1e-6;

// Optional font settings of an item, applied over the report's font once the whole file is read.
struct FontOverride
{
    std::optional<QString> family;
    std::optional<double> size;
    std::optional<bool> bold;
    std::optional<bool> italic;
};

class Reader
{
public:
    Reader(QString fileName, QString folder) : m_fileName(std::move(fileName))
    {
        m_layout.file = m_fileName;
        m_layout.folder = std::move(folder);
    }

    ReportLayout read(const QString& text)
    {
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            m_line = i + 1;
            QString error;
            QString source = lines.at(i);
            if (source.endsWith(u'\r'))
                source.chop(1);
            const std::optional<LayoutLine> line = LayoutLine::split(source, &error);
            if (!line)
                fail(error);
            if (!line->isEmpty())
                statement(*line);
        }
        finish();
        return std::move(m_layout);
    }

private:
    [[noreturn]] void fail(const QString& message) const { failAt(m_line, message); }
    [[noreturn]] void failAt(int line, const QString& message) const
    {
        const QString where = line > 0 ? QString(m_fileName + u", línea "_s + QString::number(line) + u": "_s)
                                       : QString(m_fileName + u": "_s);
        throw RuntimeError(ReportErrors::ReporteInvalido, where + message, u"ClsReporte"_s);
    }

    // The options of the current line, checked against the keys its keyword accepts.
    void takeOptions(const LayoutLine& line, const QStringList& allowed)
    {
        m_options.clear();
        for (const auto& [key, value] : line.options()) {
            if (!allowed.contains(key))
                fail(u"clave desconocida '%1' en \"%2\""_s.arg(key, line.keyword()));
            if (m_options.contains(key))
                fail(u"clave repetida '%1'"_s.arg(key));
            m_options.insert(key, value);
        }
    }

    bool has(const QString& key) const { return m_options.contains(key); }

    double number(const QString& key, double fallback, bool required = false, bool positive = false) const
    {
        if (!has(key)) {
            if (required)
                fail(u"falta la clave '%1'"_s.arg(key));
            return fallback;
        }
        static const QRegularExpression pattern(u"^-?[0-9]+(\\.[0-9]+)?$"_s);
        const QString value = m_options.value(key);
        if (!pattern.match(value).hasMatch())
            fail(
                u"'%1' no es un número válido para '%2' (use el punto para los decimales)"_s.arg(value, key));
        const double result = value.toDouble();
        if (positive && result <= 0)
            fail(u"'%1' debe ser mayor que cero"_s.arg(key));
        return result;
    }

    int whole(const QString& key, int fallback, int minimum) const
    {
        if (!has(key))
            return fallback;
        static const QRegularExpression pattern(u"^[0-9]+$"_s);
        const QString value = m_options.value(key);
        if (!pattern.match(value).hasMatch() || value.size() > 6)
            fail(u"'%1' no es un número entero válido para '%2'"_s.arg(value, key));
        const int result = value.toInt();
        if (result < minimum)
            fail(u"'%1' debe ser al menos %2"_s.arg(key, QString::number(minimum)));
        return result;
    }

    std::optional<bool> flag(const QString& key) const
    {
        if (!has(key))
            return std::nullopt;
        const QString value = m_options.value(key).toLower();
        if (value == u"si"_s || value == u"sí"_s)
            return true;
        if (value == u"no"_s)
            return false;
        fail(u"'%1' debe ser \"si\" o \"no\""_s.arg(key));
    }

    void noPositional(const LayoutLine& line) const
    {
        if (!line.positional().isEmpty())
            fail(u"valor de más '%1' en \"%2\""_s.arg(line.positional().first(), line.keyword()));
    }

    QString onePositional(const LayoutLine& line, const QString& what) const
    {
        if (line.positional().isEmpty())
            fail(u"falta %1 en \"%2\""_s.arg(what, line.keyword()));
        if (line.positional().size() > 1)
            fail(u"valor de más '%1' en \"%2\""_s.arg(line.positional().at(1), line.keyword()));
        return line.positional().first();
    }

    void statement(const LayoutLine& line)
    {
        const QString& keyword = line.keyword();
        if (keyword == u"hoja"_s || keyword == u"cheque"_s) {
            noPositional(line);
            takeOptions(line, {u"ancho"_s, u"alto"_s});
            const QSizeF size(number(u"ancho"_s, 0, true, true), number(u"alto"_s, 0, true, true));
            if (keyword == u"hoja"_s) {
                m_layout.sheet = size;
                m_sheetLine = m_line;
            } else {
                m_layout.cheque = size;
                m_chequeLine = m_line;
            }
        } else if (keyword == u"posiciones"_s) {
            noPositional(line);
            takeOptions(line, {u"cantidad"_s, u"x"_s, u"y"_s, u"paso"_s, u"primera"_s});
            m_layout.perSheet = whole(u"cantidad"_s, 1, 1);
            m_layout.firstOrigin = QPointF(number(u"x"_s, 0), number(u"y"_s, 0));
            m_pitch = has(u"paso"_s) ? std::optional<double>(number(u"paso"_s, 0, true, true)) : std::nullopt;
            m_layout.firstPosition = whole(u"primera"_s, 1, 1);
            m_positionsLine = m_line;
        } else if (keyword == u"fuente"_s) {
            noPositional(line);
            takeOptions(line, {u"nombre"_s, u"tamano"_s, u"negrita"_s, u"cursiva"_s});
            FontOverride font;
            readFont(font);
            m_layout.font.family = font.family.value_or(m_layout.font.family);
            m_layout.font.size = font.size.value_or(m_layout.font.size);
            m_layout.font.bold = font.bold.value_or(m_layout.font.bold);
            m_layout.font.italic = font.italic.value_or(m_layout.font.italic);
        } else if (keyword == u"formula"_s) {
            noPositional(line);
            if (line.options().size() != 1)
                fail(u"\"formula\" lleva un nombre y su texto: formula Nombre=\"texto\""_s);
            const auto& [name, value] = line.options().first();
            static const QRegularExpression identifier(u"^[a-z_][a-z0-9_]*$"_s);
            if (!identifier.match(name).hasMatch())
                fail(u"nombre de fórmula no válido '%1'"_s.arg(name));
            if (!m_layout.formulaName(name).isEmpty())
                fail(u"fórmula repetida '%1'"_s.arg(name));
            m_layout.formulas.insert(name, value);
        } else if (keyword == u"campo"_s) {
            textItem(line, onePositional(line, u"el nombre del campo"_s), true);
        } else if (keyword == u"texto"_s) {
            textItem(line, onePositional(line, u"el texto entre comillas"_s), false);
        } else if (keyword == u"linea"_s) {
            noPositional(line);
            takeOptions(line, {u"x1"_s, u"y1"_s, u"x2"_s, u"y2"_s, u"grosor"_s});
            LayoutItem item = newItem(LayoutItem::Kind::Line);
            item.x = number(u"x1"_s, 0, true);
            item.y = number(u"y1"_s, 0, true);
            item.x2 = number(u"x2"_s, 0, true);
            item.y2 = number(u"y2"_s, 0, true);
            item.pen = number(u"grosor"_s, item.pen, false, true);
            add(std::move(item));
        } else if (keyword == u"recuadro"_s) {
            noPositional(line);
            takeOptions(line, {u"x"_s, u"y"_s, u"ancho"_s, u"alto"_s, u"grosor"_s});
            LayoutItem item = newItem(LayoutItem::Kind::Box);
            readRect(item);
            item.pen = number(u"grosor"_s, item.pen, false, true);
            add(std::move(item));
        } else if (keyword == u"imagen"_s) {
            const QString file = onePositional(line, u"el archivo de la imagen"_s);
            takeOptions(line, {u"x"_s, u"y"_s, u"ancho"_s, u"alto"_s, u"solo_vista"_s});
            LayoutItem item = newItem(LayoutItem::Kind::Image);
            item.name = QFileInfo(file).isAbsolute() || m_layout.folder.isEmpty()
                            ? file
                            : m_layout.folder + u'/' + file;
            if (!QFileInfo(item.name).isFile())
                fail(u"no se encuentra la imagen \"%1\""_s.arg(item.name));
            readRect(item);
            item.previewOnly = flag(u"solo_vista"_s).value_or(false);
            add(std::move(item));
        } else {
            fail(u"palabra clave desconocida '%1'"_s.arg(keyword));
        }
    }

    LayoutItem newItem(LayoutItem::Kind kind) const
    {
        LayoutItem item;
        item.kind = kind;
        item.line = m_line;
        return item;
    }

    void add(LayoutItem item)
    {
        m_layout.items.push_back(std::move(item));
        m_fonts.emplace_back();
    }

    void readRect(LayoutItem& item)
    {
        item.x = number(u"x"_s, 0, true);
        item.y = number(u"y"_s, 0, true);
        item.width = number(u"ancho"_s, 0, true, true);
        item.height = number(u"alto"_s, 0, true, true);
    }

    void readFont(FontOverride& font)
    {
        if (has(u"nombre"_s)) {
            font.family = m_options.value(u"nombre"_s);
            if (font.family->trimmed().isEmpty())
                fail(u"falta el nombre de la fuente"_s);
        }
        if (has(u"tamano"_s))
            font.size = number(u"tamano"_s, 0, true, true);
        font.bold = flag(u"negrita"_s);
        font.italic = flag(u"cursiva"_s);
    }

    void textItem(const LayoutLine& line, const QString& what, bool field)
    {
        QStringList allowed{u"x"_s,          u"y"_s,      u"ancho"_s,  u"alineacion"_s, u"relleno"_s,
                            u"mayusculas"_s, u"nombre"_s, u"tamano"_s, u"negrita"_s,    u"cursiva"_s,
                            u"lineas"_s,     u"x2"_s,     u"y2"_s,     u"ancho2"_s,     u"interlineado"_s};
        LayoutItem item = newItem(LayoutItem::Kind::Text);
        item.name = what;
        if (field && what.startsWith(u'@')) {
            item.kind = LayoutItem::Kind::Formula;
            item.name = what.mid(1).toLower();
        } else if (field) {
            const int column = ReportColumns::indexOf(what);
            if (column < 0)
                fail(u"campo desconocido '%1' (campos de %2: %3)"_s.arg(
                    what, ReportColumns::Table, ReportColumns::names().join(u", "_s)));
            item.kind = LayoutItem::Kind::Field;
            item.name = ReportColumns::names().at(column);
            if (item.name == u"FECHA"_s || item.name == u"VENCIMIENTO"_s)
                allowed << u"parte"_s;
            if (item.name == u"NUMERO"_s)
                allowed << u"digitos"_s;
        }
        takeOptions(line, allowed);
        item.x = number(u"x"_s, 0, true);
        item.y = number(u"y"_s, 0, true);
        item.width = number(u"ancho"_s, -1, false, true);
        if (has(u"alineacion"_s)) {
            const QString align = m_options.value(u"alineacion"_s).toLower();
            if (align == u"izquierda"_s)
                item.align = LayoutItem::Align::Left;
            else if (align == u"derecha"_s)
                item.align = LayoutItem::Align::Right;
            else if (align == u"centro"_s)
                item.align = LayoutItem::Align::Center;
            else
                fail(u"alineación desconocida '%1' (izquierda, derecha o centro)"_s.arg(align));
        }
        item.fill = m_options.value(u"relleno"_s);
        if (has(u"relleno"_s) && item.fill.isEmpty())
            fail(u"'relleno' necesita al menos un carácter"_s);
        item.upperCase = flag(u"mayusculas"_s).value_or(false);
        if (has(u"parte"_s)) {
            const QString part = m_options.value(u"parte"_s).toLower();
            if (part == u"dia"_s || part == u"día"_s)
                item.part = LayoutItem::DatePart::Day;
            else if (part == u"mes"_s)
                item.part = LayoutItem::DatePart::MonthName;
            else if (part == u"mes_numero"_s)
                item.part = LayoutItem::DatePart::MonthNumber;
            else if (part == u"anio"_s || part == u"año"_s)
                item.part = LayoutItem::DatePart::Year;
            else if (part == u"completa"_s)
                item.part = LayoutItem::DatePart::Whole;
            else
                fail(u"parte de fecha desconocida '%1' (dia, mes, mes_numero, anio o completa)"_s.arg(part));
        }
        item.digits = whole(u"digitos"_s, 0, 1);
        item.lines = whole(u"lineas"_s, 1, 1);
        const bool wraps = item.lines > 1;
        for (const QString& key : {u"x2"_s, u"y2"_s, u"ancho2"_s, u"interlineado"_s}) {
            if (has(key) && !wraps)
                fail(u"'%1' sólo vale con lineas=2 o más"_s.arg(key));
        }
        m_secondLine.push_back({number(u"x2"_s, -1), number(u"y2"_s, -1),
                                number(u"ancho2"_s, -1, false, true),
                                number(u"interlineado"_s, -1, false, true)});
        FontOverride font;
        readFont(font);
        m_layout.items.push_back(std::move(item));
        m_fonts.push_back(font);
    }

    // Settings that depend on the whole file (the report's font, the cheque size) and the checks
    // that every item fits inside the cheque and every cheque on the sheet.
    void finish()
    {
        if (m_chequeLine == 0)
            failAt(0, u"falta la línea \"cheque ancho=... alto=...\""_s);
        if (m_sheetLine == 0)
            m_layout.sheet = m_layout.cheque;
        m_layout.pitch = m_pitch.value_or(m_layout.cheque.height());
        checkSheet();
        std::size_t text = 0;
        for (std::size_t i = 0; i < m_layout.items.size(); ++i) {
            LayoutItem& item = m_layout.items[i];
            const FontOverride& font = m_fonts[i];
            item.font = m_layout.font;
            item.font.family = font.family.value_or(item.font.family);
            item.font.size = font.size.value_or(item.font.size);
            item.font.bold = font.bold.value_or(item.font.bold);
            item.font.italic = font.italic.value_or(item.font.italic);
            if (item.isText())
                completeText(item, m_secondLine[text++]);
            if (item.kind == LayoutItem::Kind::Formula && m_layout.formulaName(item.name).isEmpty())
                failAt(item.line,
                       u"la fórmula '@%1' no está declarada (formula %1=\"texto\")"_s.arg(item.name));
            checkFits(item);
        }
    }

    void completeText(LayoutItem& item, const std::array<double, 4>& second) const
    {
        if (item.width < 0)
            item.width = m_layout.cheque.width() - item.x;
        item.lineSpacing = second[3] > 0 ? second[3] : item.font.lineHeightMm();
        item.nextX = second[0] >= 0 ? second[0] : item.x;
        item.nextY = second[1] >= 0 ? second[1] : item.y + item.lineSpacing;
        item.nextWidth = second[2] > 0 ? second[2] : m_layout.cheque.width() - item.nextX;
        if (second[2] <= 0 && second[0] < 0)
            item.nextWidth = item.width;
        item.height = item.font.lineHeightMm();
    }

    void checkFits(const LayoutItem& item) const
    {
        const double w = m_layout.cheque.width();
        const double h = m_layout.cheque.height();
        auto inside = [&](double x, double y) {
            return x >= -Tolerance && y >= -Tolerance && x <= w + Tolerance && y <= h + Tolerance;
        };
        auto outside = [&](const QString& what) {
            failAt(item.line, u"%1 queda fuera del cheque (%2 × %3 mm)"_s.arg(what, QString::number(w),
                                                                              QString::number(h)));
        };
        if (item.isText()) {
            if (item.width <= Tolerance)
                outside(u"el texto"_s);
            for (int i = 0; i < item.lines; ++i) {
                if (!inside(item.lineX(i), item.lineY(i)) ||
                    !inside(item.lineX(i) + item.lineWidth(i), item.lineY(i) + item.height))
                    outside(i == 0 ? u"el texto"_s : u"la línea %1 del texto"_s.arg(i + 1));
            }
        } else if (item.kind == LayoutItem::Kind::Line) {
            if (!inside(item.x, item.y) || !inside(item.x2, item.y2))
                outside(u"la línea"_s);
        } else if (!inside(item.x, item.y) || !inside(item.x + item.width, item.y + item.height)) {
            outside(item.kind == LayoutItem::Kind::Box ? u"el recuadro"_s : u"la imagen"_s);
        }
    }

    void checkSheet() const
    {
        const int line = m_positionsLine > 0 ? m_positionsLine : m_chequeLine;
        if (m_layout.firstPosition > m_layout.perSheet)
            failAt(line, u"'primera' (%1) pasa de la cantidad de cheques por hoja (%2)"_s.arg(
                             QString::number(m_layout.firstPosition), QString::number(m_layout.perSheet)));
        if (m_layout.perSheet > 1 && m_layout.pitch < m_layout.cheque.height() - Tolerance)
            failAt(line, u"'paso' es menor que el alto del cheque: los cheques se superponen"_s);
        const QPointF first = m_layout.origin(0);
        const QPointF last = m_layout.origin(m_layout.perSheet - 1);
        if (first.x() < -Tolerance || first.y() < -Tolerance ||
            first.x() + m_layout.cheque.width() > m_layout.sheet.width() + Tolerance ||
            last.y() + m_layout.cheque.height() > m_layout.sheet.height() + Tolerance)
            failAt(line,
                   u"los cheques no caben en la hoja (%1 × %2 mm)"_s.arg(
                       QString::number(m_layout.sheet.width()), QString::number(m_layout.sheet.height())));
    }

    QString m_fileName;
    ReportLayout m_layout;
    int m_line = 0;
    int m_sheetLine = 0;
    int m_chequeLine = 0;
    int m_positionsLine = 0;
    std::optional<double> m_pitch;
    QMap<QString, QString> m_options;
    std::vector<FontOverride> m_fonts;
    std::vector<std::array<double, 4>> m_secondLine;
};

} // namespace

ReportLayout LayoutParser::parseFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ReportErrors::ArchivoNoEncontrado,
                           u"No se encuentra el reporte \"%1\"."_s.arg(path), u"ClsReporte"_s);
    const QFileInfo info(path);
    return parse(QString::fromUtf8(file.readAll()), info.fileName(), info.absolutePath());
}

ReportLayout LayoutParser::parse(const QString& text, const QString& fileName, const QString& folder)
{
    return Reader(fileName, folder).read(text);
}
