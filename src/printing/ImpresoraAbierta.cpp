#include "printing/ImpresoraAbierta.h"

#include "printing/ArchivoFormularios.h"

using namespace Qt::StringLiterals;

ImpresoraAbierta::ImpresoraAbierta(const QPrinterInfo& info) : m_nombre(info.printerName()), m_info(info)
{
    for (const QPageSize& pagina : info.supportedPageSizes())
        m_propios << FormularioImpresora::propioDe(pagina);
}

std::unique_ptr<ImpresoraAbierta> ImpresoraAbierta::abre(const QString& nombre)
{
    if (nombre.isEmpty())
        return nullptr;
    const QPrinterInfo info = QPrinterInfo::printerInfo(nombre);
    if (info.isNull())
        return nullptr;
    return std::unique_ptr<ImpresoraAbierta>(new ImpresoraAbierta(info));
}

QList<FormularioImpresora> ImpresoraAbierta::formularios() const
{
    return m_propios + ArchivoFormularios::lee().formulariosDe(m_nombre);
}

std::optional<FormularioImpresora> ImpresoraAbierta::formulario(const QString& nombre) const
{
    for (const FormularioImpresora& forma : formularios()) {
        if (forma.nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return forma;
    }
    return std::nullopt;
}

int ImpresoraAbierta::agrega(const QString& nombre, const Tamano& tamano)
{
    // The forms file is one form a line with tab-separated fields.
    if (nombre.trimmed().isEmpty() || nombre.contains(u'\t') || nombre.contains(u'\n') ||
        nombre.contains(u'\r'))
        return ErrorFormulario::NombreInvalido;
    if (tamano.cx <= 0 || tamano.cy <= 0)
        return ErrorFormulario::TamanoInvalido;
    if (QPrinterInfo::printerInfo(m_nombre).isNull())
        return ErrorFormulario::ImpresoraInvalida;
    if (formulario(nombre))
        return ErrorFormulario::YaExiste;
    // Only a driver that takes custom sizes prints on a form of this program's.
    if (!m_info.supportsCustomPageSizes())
        return ErrorFormulario::NoSoportado;
    const Tamano menor = Tamano::de(m_info.minimumPhysicalPageSize());
    const Tamano mayor = Tamano::de(m_info.maximumPhysicalPageSize());
    const auto dentro = [](qint32 valor, qint32 minimo, qint32 maximo) {
        return (minimo <= 0 || valor >= minimo) && (maximo <= 0 || valor <= maximo);
    };
    if (!dentro(tamano.cx, menor.cx, mayor.cx) || !dentro(tamano.cy, menor.cy, mayor.cy))
        return ErrorFormulario::TamanoInvalido;
    ArchivoFormularios archivo = ArchivoFormularios::lee();
    return archivo.agrega(m_nombre, nombre, tamano) ? 0 : ErrorFormulario::AccesoDenegado;
}

int ImpresoraAbierta::elimina(const QString& nombre)
{
    for (const FormularioImpresora& propio : m_propios) {
        if (propio.nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return ErrorFormulario::AccesoDenegado;
    }
    ArchivoFormularios archivo = ArchivoFormularios::lee();
    bool definido = false;
    for (const FormularioImpresora& forma : archivo.formulariosDe(m_nombre))
        definido |= forma.nombre.compare(nombre, Qt::CaseInsensitive) == 0;
    if (!definido)
        return ErrorFormulario::NombreInvalido;
    return archivo.elimina(m_nombre, nombre) ? 0 : ErrorFormulario::AccesoDenegado;
}
