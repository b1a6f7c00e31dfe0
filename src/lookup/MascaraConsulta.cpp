#include "lookup/MascaraConsulta.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The fields of a record as the record type lays them out.
constexpr qsizetype TituloLen = 100;
constexpr qsizetype TablaLen = 100;
constexpr qsizetype CamposLen = 500;
constexpr qsizetype CondicionLen = 500;

QString field(const QByteArray& record, qsizetype offset, qsizetype length)
{
    // The system's ANSI code page of the suite's workstations is Windows-1252; Latin-1 covers its
    // letters (ñ, á, ...), and the names held here are plain.
    QStringDecoder decoder(QStringDecoder::Latin1);
    return decoder.decode(record.mid(offset, length));
}

} // namespace

QString MascaraConsulta::Limpia(const QString& campo)
{
    QString text = campo;
    text.remove(QChar(0));
    text.remove(QChar(0xFF));
    return text.trimmed();
}

std::optional<MascaraConsulta> MascaraConsulta::Busca(const QString& ruta, const QString& tabla)
{
    QFile file(ruta);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString sought = tabla.trimmed();
    for (;;) {
        const QByteArray record = file.read(LongitudRegistro);
        if (record.isEmpty())
            return std::nullopt;
        MascaraConsulta mascara;
        mascara.Tabla = field(record, TituloLen, TablaLen);
        if (Limpia(mascara.Tabla).compare(sought, Qt::CaseInsensitive) != 0)
            continue;
        mascara.Titulo = field(record, 0, TituloLen);
        mascara.Campos = field(record, TituloLen + TablaLen, CamposLen);
        mascara.Condicion = field(record, TituloLen + TablaLen + CamposLen, CondicionLen);
        return mascara;
    }
}
