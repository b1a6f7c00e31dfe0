#include "access/ArchivoBases.h"

#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

constexpr long PathFileAccessError = 75;
constexpr long DeviceIoError = 57;

// The ANSI code page of the suite's workstations is Windows-1252; Latin-1 covers the letters of
// server and database names (ñ, á, ...), as in the program's other text files.
QString Decode(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Latin1);
    return decoder.decode(bytes);
}

QByteArray Encode(const QString& text)
{
    QStringEncoder encoder(QStringEncoder::Latin1);
    return encoder.encode(text);
}

// The fields of a line as a comma-separated read takes them: a field that starts with a double
// quote runs to the next quote; any other runs to the next comma; blanks around either are dropped.
std::optional<QStringList> Fields(QStringView line)
{
    QStringList fields;
    qsizetype at = 0;
    for (;;) {
        while (at < line.size() && (line[at] == u' ' || line[at] == u'\t'))
            ++at;
        if (at < line.size() && line[at] == u'"') {
            const qsizetype close = line.indexOf(u'"', at + 1);
            if (close < 0)
                return std::nullopt;
            fields << line.mid(at + 1, close - at - 1).toString();
            at = close + 1;
            while (at < line.size() && line[at] != u',') {
                if (line[at] != u' ' && line[at] != u'\t')
                    return std::nullopt;
                ++at;
            }
        } else {
            qsizetype comma = line.indexOf(u',', at);
            if (comma < 0)
                comma = line.size();
            fields << line.mid(at, comma - at).trimmed().toString();
            at = comma;
        }
        if (at >= line.size())
            return fields;
        ++at; // the comma
    }
}

QString Field(const QString& text)
{
    return text.contains(u',') && !text.contains(u'"') ? u'"' + text + u'"' : text;
}

} // namespace

QString ArchivoBases::NombreArchivo()
{
    return u"BASES.TXT"_s;
}

QString ArchivoBases::RutaLectura()
{
    return ProgramInfo::readablePath(NombreArchivo());
}

QString ArchivoBases::RutaEscritura()
{
    const QString path = ProgramInfo::writablePath(NombreArchivo());
    const QString shipped = ProgramInfo::programFolder() + NombreArchivo();
    // The per-user file continues the program folder's: no registered connection is lost.
    if (path != shipped && !QFileInfo::exists(path) && QFileInfo::exists(shipped))
        QFile::copy(shipped, path);
    return path;
}

QList<QByteArray> ArchivoBases::Lineas(const QString& ruta)
{
    QFile file(ruta);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(PathFileAccessError, u"Path/File access error: "_s + ruta);
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(DeviceIoError, u"Device I/O error: "_s + ruta);
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<ConexionRegistrada> ArchivoBases::LeeLinea(const QByteArray& linea)
{
    const std::optional<QStringList> fields = Fields(Decode(linea));
    if (!fields || fields->size() < 5 || fields->front().trimmed().isEmpty())
        return std::nullopt;
    return ConexionRegistrada{fields->at(0), fields->at(1), fields->at(2),
                              ClsUtiles::Decodifica(fields->at(3)), fields->at(4)};
}

QByteArray ArchivoBases::Linea(const ConexionRegistrada& conexion)
{
    return Encode(Field(conexion.nombre) + u',' + Field(conexion.dbName) + u',' + Field(conexion.usuario) +
                  u',' + ClsUtiles::Codifica(conexion.password).trimmed() + u',' + Field(conexion.servidor) +
                  u"\r\n"_s);
}

QString ArchivoBases::NombreConexion(const QString& servidor, const QString& dbName)
{
    QString server = servidor.toUpper().trimmed();
    const qsizetype colon = server.indexOf(u':');
    if (colon >= 0)
        server.truncate(colon);
    return server + u" / "_s + dbName.toUpper().trimmed();
}

void ArchivoBases::Agrega(const ConexionRegistrada& conexion)
{
    const QString path = RutaEscritura();
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        throw RuntimeError(PathFileAccessError, u"Path/File access error: "_s + path);
    QByteArray line = Linea(conexion);
    // A last line written by hand without its line end must not swallow the new one.
    if (file.size() > 0 && file.seek(file.size() - 1) && file.read(1) != "\n")
        line.prepend("\r\n");
    if (file.write(line) != line.size() || !file.flush())
        throw RuntimeError(DeviceIoError, u"Device I/O error: "_s + path);
}
