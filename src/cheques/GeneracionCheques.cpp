#include "cheques/GeneracionCheques.h"

#include "app/ImporteLetras.h"
#include "cheques/NumeroCheque.h"
#include "cheques/SentenciasCheques.h"
#include "cheques/ValidacionFiltros.h"
#include "data/DB_Dll.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/Currency.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Si = 6;
constexpr int Reintentar = 4;
constexpr int Ignorar = 5;
constexpr int SiNo = 4;
constexpr int AnularReintentarIgnorarCritico = 2 + 16;
constexpr int Informacion = 64;
constexpr int Exclamacion = 48;

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

void GeneracionCheques::ejecuta(QString sentencia, long* afectadas)
{
    long n = 0;
    m_db.EjecutaConsultaSQL(sentencia, n);
    const QList<AdoError>& errores = m_db.gCnn().errors();
    if (!errores.isEmpty())
        throw RuntimeError(errores.first().number, errores.first().description, u"ACTUALIZAR DATOS"_s);
    if (afectadas)
        *afectadas = n;
}

QStringList GeneracionCheques::sentenciasCheque(const ChequeFila& fila, const PedidoGeneracion& pedido,
                                                const QString& numero)
{
    const Currency importe = ClsUtiles::TextoANumero(fila[ColumnaCheque::Importe]);
    ChequeFila numerada = fila;
    numerada[ColumnaCheque::Numero] = NumeroCheque::columnaNumero(numero);
    QStringList sentencias;
    if (!pedido.reimpresion)
        sentencias << SentenciasCheques::numeraCheque(fila, numero);
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
                Exclamacion, u"Aviso al Operador!"_s);
            return false;
        }
    }
    return true;
}

GeneracionCheques::Paso GeneracionCheques::generaCheque(ChequeFila& fila, const PedidoGeneracion& pedido,
                                                        const QString& numero)
{
    const QStringList sentencias = sentenciasCheque(fila, pedido, numero);
    for (;;) {
        QString fallo;
        bool ocupado = false;
        try {
            m_db.gCnn().beginTrans();
            try {
                if (!pedido.reimpresion) {
                    long afectadas = 0;
                    ejecuta(sentencias[0], &afectadas);
                    ocupado = afectadas != 1;
                }
                if (!ocupado)
                    ejecuta(sentencias.last());
            } catch (const RuntimeError& error) {
                fallo = error.description();
            }
            if (fallo.isEmpty() && !ocupado)
                m_db.gCnn().commitTrans();
            else
                m_db.gCnn().rollbackTrans();
        } catch (const RuntimeError& error) {
            fallo = error.description();
        }

        if (ocupado) {
            operatorDialogs().messageBox(u"El cheque "_s + descripcionCheque(fila) +
                                             u" no recibio el numero "_s + numero +
                                             u": otro puesto ya lo numero o ese numero ya esta usado en la "
                                             u"cuenta.\r\nSe imprimen los cheques ya generados."_s,
                                         Exclamacion, u"Aviso al Operador!"_s);
            return Paso::Detener;
        }
        if (fallo.isEmpty()) {
            fila.clave = numero;
            fila[ColumnaCheque::Cheque] = numero;
            fila[ColumnaCheque::Numero] = NumeroCheque::columnaNumero(numero);
            return Paso::Hecho;
        }
        const int answer =
            operatorDialogs().messageBox(u"No se pudo generar el cheque "_s + descripcionCheque(fila) +
                                             u" con el numero "_s + numero + u".\r\n"_s + fallo,
                                         AnularReintentarIgnorarCritico, u"ACTUALIZAR DATOS"_s);
        if (answer == Reintentar)
            continue;
        return answer == Ignorar ? Paso::Saltado : Paso::Detener;
    }
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
    if (resultado.marcados > 0 && !importesEscribibles(filas))
        return resultado;

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
        routine.step([&] { paso = generaCheque(*fila, pedido, numero); });
        if (routine.left())
            return terminaConFallo();
        if (paso == Paso::Hecho) {
            ++resultado.generados;
            ++siguiente;
            ultimo = numero;
        } else if (paso == Paso::Saltado) {
            ++saltados;
        } else {
            detenidoPorFallo = true;
            break;
        }
        bool cancelado = false;
        routine.step([&] { cancelado = m_progreso.mostrar(u"Imprimiendo..."_s, numero); });
        if (routine.left())
            return terminaConFallo();
        if (cancelado) {
            if (operatorDialogs().messageBox(u"Desdea Cancelar el proceso?"_s, SiNo, u"Atención!"_s) == Si) {
                operatorDialogs().messageBox(u"Ultimo cheque generado: "_s + ultimo, Informacion,
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
                                     Informacion, u"Aviso al Operador!"_s);
    }
    resultado.imprimir = resultado.generados > 0;
    return resultado;
}
