#include "suite/AsientoContable.h"

#include "data/DB_Dll.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/RegionalSettings.h"

#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

Currency importe(const QVariant& v)
{
    if (v.isNull())
        return Currency();
    if (v.metaType().id() == QMetaType::QString)
        return Currency::parseInvariant(v.toString()).value_or(Currency());
    return Currency::fromDouble(v.toDouble()).value_or(Currency());
}

QString texto(const AdoRecordset& rs, QStringView campo)
{
    return ClsUtiles::ValorSeguro(rs.value(campo)).trimmed();
}

QString condicion(DB_Dll& db, const Comprobante& c)
{
    QString where = u" WHERE A.Sucursal = "_s + db.SQLValue(c.sucursal, u"'") + u" AND A.Numero = "_s +
                    db.SQLValue(c.numero, u"'") + u" AND A.Letra = "_s + db.SQLValue(c.letra, u"'");
    if (!c.tc.isEmpty())
        where += u" AND A.TC = "_s + db.SQLValue(c.tc, u"'");
    return where;
}

QString montoTexto(const Currency& monto)
{
    return monto.toDisplayText(RegionalSettings::current());
}

} // namespace

Currency AsientoContable::totalDebe() const
{
    Currency total;
    for (const LineaAsiento& l : lineas)
        total = Currency::fromUnits(total.units() + l.debe.units());
    return total;
}

Currency AsientoContable::totalHaber() const
{
    Currency total;
    for (const LineaAsiento& l : lineas)
        total = Currency::fromUnits(total.units() + l.haber.units());
    return total;
}

QString AsientoContable::titulo() const
{
    return u"Asiento del comprobante "_s + comprobante.texto();
}

QString AsientoContable::comoTexto() const
{
    QString out = titulo() + u'\n';
    for (const QString& a : asientos)
        out += u"Asiento "_s + a + u'\n';
    out += u"Cuenta\tDescripcion\tDetalle\tDebe\tHaber\tNro. Comprobante Bancario\n"_s;
    for (const LineaAsiento& l : lineas) {
        out += l.cuenta + u'\t' + l.descripcion + u'\t' + l.detalle + u'\t' +
               (l.debe.units() == 0 ? QString() : montoTexto(l.debe)) + u'\t' +
               (l.haber.units() == 0 ? QString() : montoTexto(l.haber)) + u'\t' + l.nroComprobanteBancario +
               u'\n';
    }
    out += u"Totales\t\t\t"_s + montoTexto(totalDebe()) + u'\t' + montoTexto(totalHaber()) + u"\t\n"_s;
    return out;
}

AsientoContable::Resultado AsientoContable::lee(DB_Dll& db, const Comprobante& comprobante,
                                                AsientoContable& asiento, QString& mensaje)
{
    asiento = AsientoContable();
    asiento.comprobante = comprobante;
    const QString where = condicion(db, comprobante);

    if (comprobante.tc.isEmpty()) {
        // The launcher cuts the parameter at its first blank, and a type padded with blanks goes
        // with it: branch, number and letter still name the voucher when one type alone has them.
        QString sentencia = u"SELECT DISTINCT A.TC FROM MV_ASIENTOS A with(nolock)"_s + where;
        AdoRecordset rs;
        db.AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true);
        QStringList tipos;
        while (!rs.eof()) {
            tipos << texto(rs, u"TC");
            rs.moveNext();
        }
        db.CierraRecordset(&rs);
        if (tipos.size() > 1) {
            mensaje = u"El comprobante "_s + comprobante.texto() + u" corresponde a varios tipos ("_s +
                      tipos.join(u", "_s) + u"); no se puede saber cual mostrar."_s;
            return Resultado::Ambiguo;
        }
        if (tipos.size() == 1)
            asiento.comprobante.tc = tipos.front();
    }

    QString sentencia =
        u"SELECT A.Periodo, A.Mes_Operativo, A.[Numero Asiento], A.Secuencia, A.Cuenta, C.Descripcion, "
        u"A.Detalle, A.DebeHaber, A.Importe, A.NroComprobanteBancario FROM MV_ASIENTOS A with(nolock) "
        u"LEFT JOIN MA_CUENTAS C with(nolock) ON C.Codigo = A.Cuenta"_s +
        condicion(db, asiento.comprobante) +
        u" ORDER BY A.Periodo, A.Mes_Operativo, A.[Numero Asiento], A.Secuencia, A.DebeHaber"_s;
    AdoRecordset rs;
    db.AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true);
    while (!rs.eof()) {
        const QString numeroAsiento =
            texto(rs, u"Periodo") + u'/' +
            ClsUtiles::AjustaDerecha(texto(rs, u"Mes_Operativo"), 2).replace(u' ', u'0') + u" N° "_s +
            texto(rs, u"Numero Asiento");
        if (!asiento.asientos.contains(numeroAsiento))
            asiento.asientos << numeroAsiento;
        LineaAsiento l;
        l.cuenta = texto(rs, u"Cuenta");
        l.descripcion = texto(rs, u"Descripcion");
        l.detalle = texto(rs, u"Detalle");
        const Currency monto = importe(rs.value(u"Importe"));
        if (texto(rs, u"DebeHaber").compare(u"D"_s, Qt::CaseInsensitive) == 0)
            l.debe = monto;
        else
            l.haber = monto;
        l.nroComprobanteBancario = texto(rs, u"NroComprobanteBancario");
        asiento.lineas.push_back(std::move(l));
        rs.moveNext();
    }
    db.CierraRecordset(&rs);
    if (asiento.lineas.empty()) {
        mensaje = u"No existe el asiento del comprobante "_s + comprobante.texto() + u"."_s;
        return Resultado::NoExiste;
    }
    return Resultado::Encontrado;
}
