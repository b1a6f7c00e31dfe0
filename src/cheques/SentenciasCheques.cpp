#include "cheques/SentenciasCheques.h"

#include "cheques/NumeroCheque.h"
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
    // A field of blanks is an empty field, as the validation reads it: "Fecha >= NULL" or
    // "CuentaDestino <= '   '" would silently select nothing.
    const auto informado = [](const QString& texto) { return !texto.trimmed().isEmpty(); };
    QString w;
    if (informado(filtro.fechaD))
        agrega(w, u"Fecha"_s, u" >= "_s, ClsUtiles::FechaSQL(filtro.fechaD.trimmed()));
    if (informado(filtro.fechaH))
        agrega(w, u"Fecha"_s, u" <= "_s, ClsUtiles::FechaSQL(filtro.fechaH.trimmed()));
    if (informado(filtro.proveedorD))
        agrega(w, u"CuentaDestino"_s, u" >= "_s, texto(filtro.proveedorD));
    if (informado(filtro.proveedorH))
        agrega(w, u"CuentaDestino"_s, u" <= "_s, texto(filtro.proveedorH));
    if (informado(filtro.idBanco))
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

QString chequerasSerie(const QString& idBanco, const QString& serie)
{
    return u"SELECT IDBANCO,NUMERO_DESDE, NUMERO_HASTA FROM  V_TA_CTRL_CHEQUERAS "_s +
           u" WHERE CUENTABANCODIFERIDO = "_s + texto(idBanco.trimmed()) + u" AND SERIE ="_s +
           texto(serie.trimmed()) + u" ORDER BY NUMERO_DESDE"_s;
}

QString maximoNumero(const QString& serie, const QString& idBancoChequera)
{
    // Compared as numbers: as texts "99" sorts after "120", which would hide the numbers given above
    // 99 and let the next run give one of them again.
    return u"select isnull(max(convert(int,substring(nrocomprobantebancario,3,50))),0) as Maximo "_s
           u"from mv_asientos where substring(nrocomprobantebancario,1,1)= "_s +
           texto(serie) + u" and IDBANCO="_s + texto(idBancoChequera);
}

QString mismoNumero(const QString& columna, const QString& serie, qint64 numero)
{
    // The number part is compared as a number, so "B-0100" holds the number of "B-100". The program
    // writes numbers without leading zeros, which is one index search; the forms with zeros sort
    // between "B-0" and "B-1", a range the same index finds, and only those are converted.
    const QString prefijo = serie + u'-';
    return u"("_s + columna + u"="_s + texto(prefijo + QString::number(numero)) + u" or ("_s + columna +
           u">="_s + texto(prefijo + u'0') + u" and "_s + columna + u"<"_s + texto(prefijo + u'1') +
           u" and "_s + numeroDe(columna) + u"="_s + QString::number(numero) + u"))"_s;
}

QString chequeConNumero(const QString& serie, qint64 numero)
{
    return u"select * from mv_asientos where "_s + mismoNumero(u"nrocomprobantebancario"_s, serie, numero);
}

QString borraImpresion(const QString& puestoUsuario, const QString& cuenta)
{
    return u"DELETE AUX_IMPRESION WHERE USUARIO = "_s + texto(puestoUsuario.trimmed()) + u" AND CUENTA = "_s +
           texto(cuenta.trimmed());
}

QString numeraCheque(const ChequeFila& fila, const QString& serie, qint64 numeroParte)
{
    const QString numero = NumeroCheque::compone(serie, numeroParte);
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
           // was loaded: then no line changes and the run stops there. The check holds the lines it
           // read until the cheque's transaction ends (a server's range lock), so two workstations
           // testing the same number at the same moment cannot both find it free.
           u" and NroComprobanteBancario='*-' and not exists (select 1 from MV_ASIENTOS with (updlock, "_s
           u"holdlock) where cuenta= "_s +
           texto(fila[Cuenta]) + u" and "_s + mismoNumero(u"NroComprobanteBancario"_s, serie, numeroParte) +
           u")"_s;
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
