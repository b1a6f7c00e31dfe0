#include "lookup/AnchosConsulta.h"

#include "zimbrel2/ClsUtiles.h"

#include <QFile>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Linea
{
    QString tabla;
    QString anchos;
};

// One quoted text from `at` on; `at` moves past it and past the comma that follows.
std::optional<QString> quoted(QStringView line, qsizetype& at)
{
    while (at < line.size() && line[at] == u' ')
        ++at;
    if (at >= line.size() || line[at] != u'"')
        return std::nullopt;
    const qsizetype close = line.indexOf(u'"', at + 1);
    if (close < 0)
        return std::nullopt;
    const QString text = line.mid(at + 1, close - at - 1).toString();
    at = close + 1;
    while (at < line.size() && line[at] == u' ')
        ++at;
    if (at < line.size() && line[at] == u',')
        ++at;
    return text;
}

std::optional<Linea> parse(QStringView line)
{
    qsizetype at = 0;
    const std::optional<QString> tabla = quoted(line, at);
    if (!tabla)
        return std::nullopt;
    const std::optional<QString> anchos = quoted(line, at);
    if (!anchos)
        return std::nullopt;
    return Linea{*tabla, *anchos};
}

QStringList lines(const QString& archivo)
{
    QFile file(archivo);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList result;
    while (!file.atEnd()) {
        QString line = QString::fromLatin1(file.readLine());
        while (line.endsWith(u'\n') || line.endsWith(u'\r'))
            line.chop(1);
        result << line;
    }
    return result;
}

} // namespace

QString AnchosConsulta::NombreArchivo()
{
    return u"CONSULTASLEN.TSO"_s;
}

QString AnchosConsulta::NombreTrabajo()
{
    return u"CONSULTASLEN.AUX"_s;
}

QString AnchosConsulta::Tabla(const QString& tablaConsulta)
{
    const QString tabla = tablaConsulta.trimmed();
    if (tabla.compare(u"Stk_ma_articulos", Qt::CaseInsensitive) == 0)
        return u"VT_MA_ARTICULOS"_s;
    return tabla;
}

QList<int> AnchosConsulta::Lee(const QString& archivo, const QString& tabla, int columnas)
{
    QList<int> anchos;
    for (const QString& text : lines(archivo)) {
        const std::optional<Linea> line = parse(text);
        if (!line || line->tabla.trimmed().compare(tabla.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        QString lista = line->anchos;
        for (int i = 0; i < columnas; ++i) {
            const qsizetype bar = lista.indexOf(u'|');
            // Too few widths: the columns that got one keep it, the rest keep theirs.
            if (bar < 0)
                break;
            const int w = static_cast<int>(ClsUtiles::TextoAEntero(lista.left(bar)));
            if (i < anchos.size())
                anchos[i] = w;
            else
                anchos << w;
            lista.remove(0, bar + 1);
        }
    }
    return anchos;
}

bool AnchosConsulta::Graba(const QString& archivo, const QString& trabajo, const QString& tabla,
                           const QList<int>& anchos)
{
    QByteArray text;
    for (const QString& line : lines(archivo)) {
        const std::optional<Linea> parsed = parse(line);
        if (parsed && parsed->tabla.trimmed().compare(tabla.trimmed(), Qt::CaseInsensitive) == 0)
            continue;
        if (line.isEmpty())
            continue;
        text += line.toLatin1() + "\r\n";
    }
    QString lista;
    for (int w : anchos)
        lista += QString::number(w) + u"|"_s;
    text += "\"" + tabla.toLatin1() + "\",\"" + lista.toLatin1() + "\"\r\n";

    QFile work(trabajo);
    if (!work.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = work.write(text) == text.size() && work.flush();
    work.close();
    if (!written) {
        work.remove();
        return false;
    }
    // rename() replaces the old file in one step, so a reader never meets half a file.
    return std::rename(QFile::encodeName(trabajo).constData(), QFile::encodeName(archivo).constData()) == 0;
}
