#include "cheques/GeneracionCheques.h"

#include "app/ImporteLetras.h"
#include "cheques/NumeroCheque.h"
#include "cheques/SentenciasCheques.h"
#include "cheques/ValidacionFiltros.h"
#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/Currency.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"

using namespace Qt::StringLiterals;

namespace {

// The words spell at most twelve digits before the decimals.
constexpr qint64 ImporteMaximoEnLetras = 999'999'999'999LL;

QString descripcionCheque(const ChequeFila& fila)
{
    using namespace ColumnaCheque;
    return fila[Comprobante].simplified() + u" ("_s + fila[ALaOrden].trimmed() + u", "_s +
           fila[Importe].trimmed() + u")"_s;
}

} // namespace

GeneracionCheques::GeneracionCheques(DB_Dll& db, ProgresoGeneracion& progreso)
    : m_db(db), m_progreso(progreso)
{
}

long GeneracionCheques::ejecuta(QString sentencia)
{
    // The data layer leaves the count as it was when the statement fails, and clears some failures
    // (a truncation on the server) without a trace: only a count it wrote says the statement ran.
    long n = -1;
    m_db.EjecutaConsultaSQL(sentencia, n);
    const QList<AdoError>& errores = m_db.gCnn().errors();
    if (!errores.isEmpty())
        throw RuntimeError(errores.first().number, errores.first().description, u"ACTUALIZAR DATOS"_s);
    return n;
}

QStringList GeneracionCheques::sentenciasCheque(const ChequeFila& fila, const PedidoGeneracion& pedido,
                                                qint64 numero)
{
    const Currency importe = ClsUtiles::TextoANumero(fila[ColumnaCheque::Importe]);
    ChequeFila numerada = fila;
    if (!pedido.reimpresion)
        numerada[ColumnaCheque::Numero] =
            NumeroCheque::columnaNumero(NumeroCheque::compone(pedido.serie, numero));
    QStringList sentencias;
    if (!pedido.reimpresion)
        sentencias << SentenciasCheques::numeraCheque(fila, pedido.serie, numero);
    sentencias << SentenciasCheques::insertaImpresion(
        pedido.puestoUsuario, pedido.idBanco, numerada, fila[ColumnaCheque::Importe],
        ImporteEnLetras(importe.toRegionalText(), 0, u""_s, u"Centavos"_s), pedido.serie);
    return sentencias;
}

bool GeneracionCheques::importesEscribibles(const std::vector<ChequeFila*>& filas)
{
    for (const ChequeFila* fila : filas) {
        if (!fila->marcado)
            continue;
        const Currency importe = ClsUtiles::TextoANumero((*fila)[ColumnaCheque::Importe]);
        if (importe.units() / 10000 > ImporteMaximoEnLetras ||
            -importe.units() / 10000 > ImporteMaximoEnLetras) {
            operatorDialogs().messageBox(
                u"El importe del cheque "_s + descripcionCheque(*fila) +
                    u" tiene mas de doce cifras enteras y no puede escribirse en letras.\r\n"
                    u"No se genero ningun cheque."_s,
                MsgStyle::Exclamation, u"Aviso al Operador!"_s);
            return false;
        }
    }
    return true;
}

GeneracionCheques::Paso GeneracionCheques::generaCheque(ChequeFila& fila, const PedidoGeneracion& pedido,
                                                        const QString& numero, qint64 numeroParte)
{
    const QStringList sentencias = sentenciasCheque(fila, pedido, numeroParte);
    // Each statement must change exactly one row: a count of zero from the numbering means the guard
    // found the cheque numbered or the number given meanwhile; any other count, or a print row that
    // was not written, undoes the cheque like a failed write.
    const auto unaFila = [](long afectadas, const QString& que) {
        if (afectadas == 1)
            return;
        throw RuntimeError(AdoErrorNumber::Unspecified,
                           que + (afectadas < 0
                                      ? u": la base de datos no completo la sentencia."_s
                                      : u": la base de datos grabo "_s + QString::number(afectadas) +
                                            u" filas en lugar de una."_s),
                           u"ACTUALIZAR DATOS"_s);
    };
    for (;;) {
        QString fallo;
        bool ocupado = false;
        try {
            m_db.gCnn().beginTrans();
            try {
                if (!pedido.reimpresion) {
                    const long afectadas = ejecuta(sentencias[0]);
                    ocupado = afectadas == 0;
                    if (!ocupado)
                        unaFila(afectadas, u"El numero no se grabo en el asiento"_s);
                }
                if (!ocupado)
                    unaFila(ejecuta(sentencias.last()), u"La fila de impresion no se grabo"_s);
            } catch (const RuntimeError& error) {
                fallo = error.description();
            }
            if (fallo.isEmpty() && !ocupado)
                m_db.gCnn().commitTrans();
            else
                m_db.gCnn().rollbackTrans();
        } catch (const RuntimeError& error) {
            if (fallo.isEmpty())
                fallo = error.description();
        }

        if (ocupado && fallo.isEmpty()) {
            operatorDialogs().messageBox(u"El cheque "_s + descripcionCheque(fila) +
                                             u" no recibio el numero "_s + numero +
                                             u": otro puesto ya lo numero o ese numero ya esta usado en la "
                                             u"cuenta.\r\nSe imprimen los cheques ya generados."_s,
                                         MsgStyle::Exclamation, u"Aviso al Operador!"_s);
            return Paso::Detener;
        }
        if (fallo.isEmpty()) {
            fila.clave = numero;
            fila[ColumnaCheque::Cheque] = numero;
            fila[ColumnaCheque::Numero] = NumeroCheque::columnaNumero(numero);
            return Paso::Hecho;
        }
        // A file deleted or replaced under the program takes no more writes, and what this run wrote
        // before may be gone with it: retrying or skipping would only pretend.
        if (m_db.gCnn().databaseMoved()) {
            operatorDialogs().messageBox(
                u"El archivo de la base de datos fue borrado o reemplazado durante la corrida: el cheque "_s +
                    descripcionCheque(fila) + u" no recibio el numero "_s + numero +
                    u" y no se graba ningun cheque mas.\r\nLos cheques numerados antes en esta corrida "
                    u"pueden no estar en la base de datos: no se imprime ninguno. Revise la base de datos "
                    u"antes de volver a generar."_s,
                MsgStyle::Critical, u"ACTUALIZAR DATOS"_s);
            return Paso::BaseCambiada;
        }
        const int answer = operatorDialogs().messageBox(
            u"No se pudo generar el cheque "_s + descripcionCheque(fila) + u" con el numero "_s + numero +
                u".\r\n"_s + fallo,
            MsgStyle::AbortRetryIgnore + MsgStyle::Critical, u"ACTUALIZAR DATOS"_s);
        if (answer == MsgAnswer::Retry)
            continue;
        return answer == MsgAnswer::Ignore ? Paso::Saltado : Paso::Detener;
    }
}

std::optional<qint64> GeneracionCheques::siguienteLibre(DB_Dll& db, const QString& idBanco,
                                                        const QString& serie)
{
    struct Chequera
    {
        QString idBanco;
        qint64 desde = 0;
        qint64 hasta = 0;
    };
    std::vector<Chequera> chequeras;
    const auto abre = [&db](QString sql, AdoRecordset& rs) {
        db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, true);
        if (!rs.isOpen())
            throw RuntimeError(AdoErrorNumber::ObjectClosed, u"No se pudo leer: "_s + sql,
                               u"ACTUALIZAR DATOS"_s);
    };
    AdoRecordset rs;
    abre(SentenciasCheques::chequerasSerie(idBanco, serie), rs);
    for (; !rs.eof(); rs.moveNext())
        chequeras.push_back({ClsUtiles::ValorSeguro(rs.value(u"IDBANCO")),
                             ClsUtiles::TextoAEntero(ClsUtiles::ValorSeguro(rs.value(u"NUMERO_DESDE"))),
                             ClsUtiles::TextoAEntero(ClsUtiles::ValorSeguro(rs.value(u"NUMERO_HASTA")))});
    db.CierraRecordset(&rs);
    if (chequeras.empty())
        return std::nullopt;
    qint64 maximo = 0;
    abre(SentenciasCheques::maximoNumero(serie, chequeras.front().idBanco), rs);
    if (!rs.eof())
        maximo = ClsUtiles::TextoAEntero(ClsUtiles::ValorSeguro(rs.value(u"Maximo")));
    db.CierraRecordset(&rs);
    for (const Chequera& chequera : chequeras) {
        if (maximo < chequera.hasta)
            return std::max(maximo + 1, chequera.desde);
    }
    return std::nullopt;
}

ResultadoGeneracion GeneracionCheques::genera(std::vector<ChequeFila*>& filas, const PedidoGeneracion& pedido)
{
    ResultadoGeneracion resultado;
    const ErrorReporter mostrar = ClsUtiles::reporterFor(u"ACTUALIZAR DATOS"_s);
    TrappedRoutine routine([&](const RuntimeError& error) {
        // The banner would cover the box.
        if (m_bannerAbierto) {
            m_progreso.cerrar();
            m_bannerAbierto = false;
        }
        return mostrar(error);
    });
    const auto terminaConFallo = [&] {
        resultado.fallo = true;
        resultado.imprimir = false;
        return resultado;
    };

    for (const ChequeFila* fila : filas)
        resultado.marcados += fila->marcado ? 1 : 0;
    // Refused before anything changed: the operator unticks the cheque and tries again.
    if (resultado.marcados > 0 && !importesEscribibles(filas))
        return terminaConFallo();

    routine.step([&] { ejecuta(SentenciasCheques::borraImpresion(pedido.puestoUsuario, pedido.idBanco)); });
    if (routine.left())
        return terminaConFallo();
    if (resultado.marcados == 0)
        return resultado;

    routine.step([&] {
        m_progreso.inicio(u"Generando Cheques"_s, true);
        m_bannerAbierto = true;
    });
    if (routine.left())
        return terminaConFallo();

    const qint64 desde = ValidacionFiltros::numeroEntero(pedido.numerarDesde).value_or(0);
    qint64 siguiente = desde;
    QString ultimo;
    int saltados = 0;
    bool detenidoPorFallo = false;
    for (ChequeFila* fila : filas) {
        if (!fila->marcado)
            continue;
        // A cheque that could not be generated does not use up its number: the chequebook's forms are
        // consecutive, so the next cheque takes it.
        const QString numero = pedido.reimpresion ? (*fila)[ColumnaCheque::Cheque]
                                                  : NumeroCheque::compone(pedido.serie, siguiente);
        Paso paso = Paso::Detener;
        routine.step([&] { paso = generaCheque(*fila, pedido, numero, siguiente); });
        if (routine.left())
            return terminaConFallo();
        if (paso == Paso::Hecho) {
            ++resultado.generados;
            ++siguiente;
            ultimo = numero;
            if (resultado.primero.isEmpty())
                resultado.primero = numero;
            resultado.ultimo = numero;
        } else if (paso == Paso::Saltado) {
            ++saltados;
        } else if (paso == Paso::BaseCambiada) {
            if (m_bannerAbierto) {
                routine.step([&] { m_progreso.cerrar(); });
                m_bannerAbierto = false;
            }
            resultado.fallo = true;
            resultado.imprimir = false;
            return resultado;
        } else {
            detenidoPorFallo = true;
            break;
        }
        bool cancelado = false;
        routine.step([&] { cancelado = m_progreso.mostrar(u"Imprimiendo..."_s, numero); });
        if (routine.left())
            return terminaConFallo();
        if (cancelado) {
            if (operatorDialogs().messageBox(u"Desdea Cancelar el proceso?"_s, MsgStyle::YesNo,
                                             u"Atención!"_s) == MsgAnswer::Yes) {
                operatorDialogs().messageBox(u"Ultimo cheque generado: "_s + ultimo, MsgStyle::Information,
                                             u"Aviso al Operador!"_s);
                break;
            }
        }
    }
    if (m_bannerAbierto) {
        routine.step([&] { m_progreso.cerrar(); });
        m_bannerAbierto = false;
        if (routine.left())
            return terminaConFallo();
    }
    if (saltados > 0 || detenidoPorFallo) {
        operatorDialogs().messageBox(u"Se generaron "_s + QString::number(resultado.generados) + u" de "_s +
                                         QString::number(resultado.marcados) +
                                         u" cheques marcados; se imprimen los "_s +
                                         QString::number(resultado.generados) + u" generados."_s,
                                     MsgStyle::Information, u"Aviso al Operador!"_s);
    }
    if (!pedido.reimpresion) {
        // Only a hint for the next run: a failure to read it changes nothing of this one.
        try {
            if (const std::optional<qint64> libre = siguienteLibre(m_db, pedido.idBanco, pedido.serie))
                resultado.siguienteLibre = NumeroCheque::compone(pedido.serie, *libre);
        } catch (const RuntimeError&) {
        }
    }
    resultado.imprimir = resultado.generados > 0;
    return resultado;
}
