#include "cheques/SentenciasCheques.h"

#include "data/SqlValue.h"
#include "zimbrel2/ClsUtiles.h"

using namespace Qt::StringLiterals;

namespace SentenciasCheques {

namespace {

QString texto(const QString& valor)
{
    return SQLValue(valor, u"'");
}

void agrega(QString& condicion, const QString& columna, const QString& operador, const QString& valor)
{
    condicion += (condicion.isEmpty() ? u" Where "_s : u" AND "_s) + columna + operador + valor;
}

QString numeroDe(const QString& columna)
{
    return u"convert(int,substring("_s + columna + u",3,100))"_s;
}

} // namespace

QString condicion(const FiltroCheques& filtro)
{
    QString w;
    if (!filtro.fechaD.isEmpty())
        agrega(w, u"Fecha"_s, u" >= "_s, ClsUtiles::FechaSQL(filtro.fechaD));
    if (!filtro.fechaH.isEmpty())
        agrega(w, u"Fecha"_s, u" <= "_s, ClsUtiles::FechaSQL(filtro.fechaH));
    if (!filtro.proveedorD.isEmpty())
        agrega(w, u"CuentaDestino"_s, u" >= "_s, texto(filtro.proveedorD));
    if (!filtro.proveedorH.isEmpty())
        agrega(w, u"CuentaDestino"_s, u" <= "_s, texto(filtro.proveedorH));
    if (!filtro.idBanco.isEmpty())
        agrega(w, u"CUENTA"_s, u" = "_s, texto(filtro.idBanco.trimmed()));
    return w;
}

QString chequesSinNumero(const FiltroCheques& filtro)
{
    return u"select * from v_chequesentregados "_s + condicion(filtro) +
           u" and nrocomprobantebancario='*-' "_s;
}

QString chequesNumerados(const FiltroCheques& filtro, qint64 desde, std::optional<qint64> hasta)
{
    const QString numero = numeroDe(u"nrocomprobantebancario"_s);
    QString rango = numero + u">="_s + QString::number(desde);
    if (hasta)
        rango += u" and "_s + numero + u"<="_s + QString::number(*hasta);
    return u"select * from v_chequesentregados "_s + condicion(filtro) +
           u" and substring(nrocomprobantebancario,1,1) = "_s + texto(filtro.serie) + u" and ("_s + rango +
           u") order by "_s + numero;
}

QString datosPago(const QString& cuentaDestino)
{
    return u"select * from ma_cuentasadic where codigo = "_s + texto(cuentaDestino);
}

QString rangoChequera(const QString& idBanco, const QString& serie, const QString& numero)
{
    return u"SELECT IDBANCO,NUMERO_DESDE, NUMERO_HASTA FROM  V_TA_CTRL_CHEQUERAS "_s +
           u" WHERE CUENTABANCODIFERIDO = "_s + texto(idBanco.trimmed()) + u" AND SERIE ="_s + texto(serie) +
           u" AND NUMERO_DESDE <="_s + SQLValue(numero, u"@") + u" AND NUMERO_HASTA >="_s +
           SQLValue(numero, u"@");
}

QString maximoNumero(const QString& serie, const QString& idBancoChequera)
{
    // Compared as numbers: as texts "99" sorts after "120", which would hide the numbers given above
    // 99 and let the next run give one of them again.
    return u"select isnull(max(convert(int,substring(nrocomprobantebancario,3,50))),0) as Maximo "_s
           u"from mv_asientos where substring(nrocomprobantebancario,1,1)= "_s +
           texto(serie) + u" and IDBANCO="_s + texto(idBancoChequera);
}

QString chequeConNumero(const QString& numeroLiteral)
{
    return u"select * from mv_asientos where nrocomprobantebancario="_s + numeroLiteral;
}

QString borraImpresion(const QString& puestoUsuario, const QString& cuenta)
{
    return u"DELETE AUX_IMPRESION WHERE USUARIO = "_s + texto(puestoUsuario.trimmed()) + u" AND CUENTA = "_s +
           texto(cuenta.trimmed());
}

QString numeraCheque(const ChequeFila& fila, const QString& numero)
{
    using namespace ColumnaCheque;
    const QString& cpte = fila[Cpte];
    return u"UPDATE MV_ASIENTOS SET NroComprobanteBancario="_s + texto(numero) + u" WHERE tc="_s +
           texto(fila[Tc]) + u" and sucursal= "_s + texto(cpte.left(4)) + u" and numero= "_s +
           texto(cpte.mid(4, 8)) + u" and letra= "_s + texto(cpte.right(1)) + u" and cuenta= "_s +
           texto(fila[Cuenta]) + u" and secuencia= "_s + texto(fila[Secuencia]) + u" and mes_operativo= "_s +
           texto(fila[MesOperativo]) + u" and [numero asiento]="_s + texto(fila[NumeroAsiento]) +
           u" and periodo="_s + texto(fila[Periodo]) + u" and tipo_reg="_s + texto(fila[TipoReg]) +
           u" and idbanco= "_s + texto(fila[Banco]) +
           // Another workstation may have numbered this cheque, or given this number, since the list
           // was loaded: then no line changes and the run stops there.
           u" and NroComprobanteBancario='*-' and not exists (select 1 from MV_ASIENTOS with(nolock) "_s
           u"where NroComprobanteBancario="_s +
           texto(numero) + u" and cuenta= "_s + texto(fila[Cuenta]) + u")"_s;
}

QString insertaImpresion(const QString& puestoUsuario, const QString& cuenta, const ChequeFila& fila,
                         const QString& importe, const QString& importeEnLetras, const QString& serie)
{
    using namespace ColumnaCheque;
    return u"INSERT INTO AUX_IMPRESION (USUARIO,CUENTA,FECHA,VENCIMIENTO,NOMBRE,IMPORTE,IMPORTEENLETRA,SERIE,"_s
           u"NUMERO) VALUES("_s +
           texto(puestoUsuario) + u","_s + texto(cuenta.trimmed()) + u","_s + texto(fila[Fecha]) + u","_s +
           texto(fila[Vencimiento]) + u","_s + texto(fila[ALaOrden]) + u","_s + SQLValue(importe, u"@") +
           u","_s + texto(importeEnLetras) + u","_s + texto(serie.trimmed()) + u","_s +
           SQLValue(fila[Numero], u"@") + u")"_s;
}

} // namespace SentenciasCheques
