#include "cheques/CargaCheques.h"

#include "cheques/NumeroCheque.h"
#include "cheques/SentenciasCheques.h"
#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/Currency.h"
#include "zimbrel2/RegionalSettings.h"
#include "zimbrel2/RuntimeError.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

QString valor(const AdoRecordset& rs, int index)
{
    // A column the view lacks raises the recordset's own error, as reading it by name would.
    return ClsUtiles::ValorSeguro(rs.value(index));
}

QString fecha(const AdoRecordset& rs, int index)
{
    const QVariant v = rs.value(index);
    if (v.isNull())
        return QString();
    QDate date = v.metaType().id() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
    if (!date.isValid())
        date = QDate::fromString(v.toString().left(10), u"yyyy-MM-dd"_s);
    return date.isValid() ? date.toString(u"dd/MM/yyyy"_s) : ClsUtiles::ValorSeguro(v);
}

QString importe(const AdoRecordset& rs, int index)
{
    const QVariant v = rs.value(index);
    if (v.isNull())
        return QString();
    std::optional<Currency> amount;
    if (v.metaType().id() == QMetaType::QString)
        amount = Currency::parseInvariant(v.toString());
    else
        amount = Currency::fromDouble(v.toDouble());
    return ClsUtiles::AjustaDerecha(
        amount ? amount->toDisplayText(RegionalSettings::current()) : v.toString(), 14);
}

} // namespace

const std::array<ColumnaLista, ColumnaCheque::Cantidad>& columnasLista()
{
    static const std::array<ColumnaLista, ColumnaCheque::Cantidad> columnas{{
        {u"Cheque"_s, u"XXXXXXXXXXXXXX"_s},
        {u"Fecha"_s, u"XXXXXXXXXXXXXX"_s},
        {u"Concepto"_s, u"XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"_s},
        {u"Importe"_s, u"XXXXXXXXXXXXXXX"_s},
        {u"Vencimiento"_s, u"XXXXXXXXXXX"_s},
        {u"Proveedor"_s, u"XXXXXXXXXXXXX"_s},
        {u"Comprobante"_s, u"XXXXXXXXXXXXXXXXXX"_s},
        {u"Cuenta"_s, u"XXXXXXXXXXX"_s},
        {u"Secuencia"_s, QString()},
        {u"Mes_Operativo"_s, QString()},
        {u"[Numero asiento]"_s, QString()},
        {u"Periodo"_s, QString()},
        {u"Tipo_Reg"_s, QString()},
        {u"Banco"_s, u"XXXXXXX"_s},
        {u"Moneda"_s, QString()},
        {u"Cotizacion"_s, QString()},
        {u"Clearing"_s, QString()},
        {u"Tc"_s, u"XXXXX"_s},
        {u"Cpte"_s, u"XXXXXXXXXXXXXX"_s},
        {u"A la Orden"_s, u"XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"_s},
        {u"Numero"_s, u"XXXXXXXXXXXXXXXXXXXXXX"_s},
    }};
    return columnas;
}

// Field positions looked up once per load instead of once per value.
struct CargaCheques::Campos
{
    explicit Campos(const AdoRecordset& rs)
    {
        const auto at = [&](QStringView name) { return rs.fieldIndex(name); };
        nro = at(u"NROCOMPROBANTEBANCARIO");
        fecha = at(u"Fecha");
        detalle = at(u"Detalle");
        importe = at(u"Importe");
        vencimiento = at(u"Vencimiento");
        cuentaDestino = at(u"CuentaDestino");
        tc = at(u"TC");
        sucursal = at(u"Sucursal");
        numero = at(u"Numero");
        letra = at(u"letra");
        cuenta = at(u"Cuenta");
        secuencia = at(u"Secuencia");
        mesOperativo = at(u"Mes_Operativo");
        numeroAsiento = at(u"numero asiento");
        periodo = at(u"Periodo");
        tipoReg = at(u"Tipo_Reg");
        idBanco = at(u"IdBanco");
        moneda = at(u"Moneda");
        cotizacion = at(u"Cotizacion");
        clearing = at(u"Clearing");
    }
    int nro, fecha, detalle, importe, vencimiento, cuentaDestino, tc, sucursal, numero, letra, cuenta,
        secuencia, mesOperativo, numeroAsiento, periodo, tipoReg, idBanco, moneda, cotizacion, clearing;
};

CargaCheques::CargaCheques(DB_Dll& db) : m_db(db) {}

void CargaCheques::seAbrio(const AdoRecordset& rs)
{
    // The data layer has shown why the statement failed and the operator gave up: the load stops
    // here. An error numbered 0 leaves the caller's routine without a second box.
    if (!rs.isOpen())
        throw RuntimeError(0, u"La consulta de los cheques no se pudo abrir."_s, u"CargaCheques"_s);
}

std::vector<ChequeFila> CargaCheques::carga(QString sentencia)
{
    m_aLaOrden.clear();
    AdoRecordset rs;
    m_db.AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true);
    seAbrio(rs);
    std::vector<ChequeFila> filas;
    filas.reserve(static_cast<size_t>(std::max(0L, rs.recordCount())));
    const Campos campos(rs);
    int n = 0;
    while (!rs.eof()) {
        filas.push_back(fila(rs, campos, ++n));
        rs.moveNext();
    }
    m_db.CierraRecordset(&rs);
    return filas;
}

ChequeFila CargaCheques::fila(const AdoRecordset& rs, const Campos& c, int n)
{
    using namespace ColumnaCheque;
    ChequeFila f;
    f.clave = u"A"_s + QString::number(n);
    const QString tc = valor(rs, c.tc);
    const QString cpte = valor(rs, c.sucursal) + valor(rs, c.numero) + valor(rs, c.letra);
    const QString tc4 = ClsUtiles::AjustaIzquierda(tc, 4);
    f[Cheque] = valor(rs, c.nro);
    f[Fecha] = fecha(rs, c.fecha);
    f[Concepto] = valor(rs, c.detalle);
    f[Importe] = importe(rs, c.importe);
    f[Vencimiento] = fecha(rs, c.vencimiento);
    f[Proveedor] = valor(rs, c.cuentaDestino);
    f[Comprobante] = tc4 + u' ' + cpte;
    f[Cuenta] = valor(rs, c.cuenta);
    f[Secuencia] = valor(rs, c.secuencia);
    f[MesOperativo] = valor(rs, c.mesOperativo);
    f[NumeroAsiento] = valor(rs, c.numeroAsiento);
    f[Periodo] = valor(rs, c.periodo);
    f[TipoReg] = valor(rs, c.tipoReg);
    f[Banco] = valor(rs, c.idBanco);
    f[Moneda] = valor(rs, c.moneda);
    f[Cotizacion] = valor(rs, c.cotizacion);
    f[Clearing] = valor(rs, c.clearing);
    f[Tc] = tc;
    f[Cpte] = cpte;
    f[ALaOrden] = aLaOrden(f[Proveedor]);
    f[Numero] = f[Cheque] == NumeroCheque::SinNumero ? QString() : NumeroCheque::columnaNumero(f[Cheque]);
    f.tag = tc4 + cpte;
    return f;
}

QString CargaCheques::aLaOrden(const QString& cuentaDestino)
{
    const auto found = m_aLaOrden.constFind(cuentaDestino);
    if (found != m_aLaOrden.constEnd())
        return *found;
    QString sentencia = SentenciasCheques::datosPago(cuentaDestino);
    AdoRecordset rs;
    m_db.AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true);
    seAbrio(rs);
    QString payee;
    if (!rs.eof())
        payee = ClsUtiles::ValorSeguro(rs.value(u"datospago"));
    const bool sinFila = rs.eof();
    m_db.CierraRecordset(&rs);
    if (sinFila || payee.trimmed().isEmpty())
        payee = m_db.DatosTabla(u"ma_cuentas"_s, cuentaDestino, sinFila ? u"descripcion"_s : u"Descripcion"_s,
                                u"Codigo"_s, 8, QString(), true, false);
    m_aLaOrden.insert(cuentaDestino, payee);
    return payee;
}
