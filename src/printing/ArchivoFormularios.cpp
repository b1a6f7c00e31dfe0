#include "printing/ArchivoFormularios.h"

#include "zimbrel2/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// Ten metres: longer than any paper roll a cheque printer takes.
constexpr qint64 MayorTamano = 10'000'000;

const QString Cabecera =
    u"# Formularios de papel definidos por el programa, uno por línea: impresora, nombre, "
    u"ancho y alto en milésimas de milímetro, separados por tabuladores."_s;

bool mismo(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString ArchivoFormularios::rutaLectura()
{
    return ProgramInfo::readablePath(QString::fromUtf16(NombreArchivo));
}

QString ArchivoFormularios::rutaEscritura()
{
    return ProgramInfo::writablePath(QString::fromUtf16(NombreArchivo));
}

ArchivoFormularios ArchivoFormularios::lee()
{
    ArchivoFormularios archivo;
    QFile file(rutaLectura());
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        archivo.m_lineas = QString::fromUtf8(file.readAll()).split(u'\n');
        if (!archivo.m_lineas.isEmpty() && archivo.m_lineas.back().isEmpty())
            archivo.m_lineas.removeLast();
    }
    return archivo;
}

std::optional<ArchivoFormularios::Entrada> ArchivoFormularios::leeLinea(const QString& linea)
{
    QString texto = linea;
    if (texto.endsWith(u'\r'))
        texto.chop(1);
    if (texto.trimmed().isEmpty() || texto.trimmed().startsWith(u'#'))
        return std::nullopt;
    const QStringList campos = texto.split(u'\t');
    if (campos.size() != 4 || campos[0].trimmed().isEmpty() || campos[1].trimmed().isEmpty())
        return std::nullopt;
    bool anchoOk = false;
    bool altoOk = false;
    const qint64 ancho = campos[2].trimmed().toLongLong(&anchoOk);
    const qint64 alto = campos[3].trimmed().toLongLong(&altoOk);
    if (!anchoOk || !altoOk || ancho <= 0 || alto <= 0 || ancho > MayorTamano || alto > MayorTamano)
        return std::nullopt;
    return Entrada{campos[0], campos[1], Tamano{static_cast<qint32>(ancho), static_cast<qint32>(alto)}};
}

QList<FormularioImpresora> ArchivoFormularios::formulariosDe(const QString& impresora) const
{
    QList<FormularioImpresora> formas;
    for (const QString& linea : m_lineas) {
        const std::optional<Entrada> entrada = leeLinea(linea);
        if (entrada && mismo(entrada->impresora, impresora))
            formas << FormularioImpresora::definido(entrada->nombre, entrada->tamano);
    }
    return formas;
}

bool ArchivoFormularios::agrega(const QString& impresora, const QString& nombre, const Tamano& tamano)
{
    if (m_lineas.isEmpty())
        m_lineas << Cabecera;
    m_lineas << impresora + u'\t' + nombre + u'\t' + QString::number(tamano.cx) + u'\t' +
                    QString::number(tamano.cy);
    return guarda();
}

bool ArchivoFormularios::elimina(const QString& impresora, const QString& nombre)
{
    m_lineas.removeIf([&](const QString& linea) {
        const std::optional<Entrada> entrada = leeLinea(linea);
        return entrada && mismo(entrada->impresora, impresora) && mismo(entrada->nombre, nombre);
    });
    return guarda();
}

bool ArchivoFormularios::guarda() const
{
    const QString ruta = rutaEscritura();
    if (ruta.isEmpty() || !QDir().mkpath(QFileInfo(ruta).path()))
        return false;
    // Written whole to a work file that replaces the old one, so a failure leaves the old forms.
    QSaveFile file(ruta);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write((m_lineas.join(u'\n') + u'\n').toUtf8());
    return file.commit();
}
