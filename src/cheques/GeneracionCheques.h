#pragma once

#include "cheques/ChequeFila.h"

#include <QString>

#include <optional>
#include <vector>

class DB_Dll;

/// The progress banner as generation drives it, so that the numbering itself needs no window.
class ProgresoGeneracion
{
public:
    virtual ~ProgresoGeneracion() = default;
    virtual void inicio(const QString& titulo, bool permiteCancelar) = 0;
    /// Shows the lines, lets the window process its events; true when cancel was pressed.
    virtual bool mostrar(const QString& linea1, const QString& linea2) = 0;
    virtual void cerrar() = 0;
};

/// What one run numbers and where.
struct PedidoGeneracion
{
    QString idBanco;
    QString serie;
    QString numerarDesde;
    bool reimpresion = false;
    QString puestoUsuario;
};

/// How a run ended: what the cheque window tells the operator after it.
struct ResultadoGeneracion
{
    int marcados = 0;
    /// Cheques that got their number and their print row (reprint: their print row).
    int generados = 0;
    /// Cheques the report printed (set by the window once the report has printed them).
    int impresos = 0;
    /// First and last number given (reprint: printed) in this run; empty when none.
    QString primero;
    QString ultimo;
    /// Normal mode: the number the next run of the series starts with ("B-103"), read from the
    /// database after the run, so it counts the numbers other workstations gave meanwhile; empty
    /// in reprint mode or when it could not be read.
    QString siguienteLibre;
    /// The print table holds rows of this run to print.
    bool imprimir = false;
    /// Ended on a failure or a refusal: nothing more is printed and the window keeps its list.
    bool fallo = false;
};

/// Gives the ticked cheques their numbers and fills the print table. Each cheque's number and its
/// print row are written in one transaction, and the number only while the cheque is still without
/// one and the number is still free on the account, so two workstations can never give one number
/// twice nor number one cheque twice.
class GeneracionCheques
{
public:
    GeneracionCheques(DB_Dll& db, ProgresoGeneracion& progreso);

    /// `filas` in the order the list shows them; the numbered rows get their new key, text and
    /// number column.
    ResultadoGeneracion genera(std::vector<ChequeFila*>& filas, const PedidoGeneracion& pedido);

    /// The statements of one cheque, in the order they run (for the statement corpus): normal mode
    /// numbers it `numero` of the series; reprint keeps the row's own number.
    static QStringList sentenciasCheque(const ChequeFila& fila, const PedidoGeneracion& pedido,
                                        qint64 numero);

    /// The number a run of `serie` on the account starts with: one past the highest number the bank
    /// of the account's chequebook gave in the series, or the chequebook's first number when it
    /// gave none. Nullopt when the account has no chequebook of the series. Raises RuntimeError when
    /// a statement fails.
    static std::optional<qint64> siguienteLibre(DB_Dll& db, const QString& idBanco, const QString& serie);

private:
    enum class Paso
    {
        Hecho,
        Saltado,
        Detener,
        /// The database file was deleted or replaced: nothing more can be written, nothing printed.
        BaseCambiada
    };
    Paso generaCheque(ChequeFila& fila, const PedidoGeneracion& pedido, const QString& numero,
                      qint64 numeroParte);
    /// Runs a statement; a failure the data layer kept in the connection's errors raises it. The
    /// affected rows are -1 when the statement did not run to its end.
    long ejecuta(QString sentencia);
    bool importesEscribibles(const std::vector<ChequeFila*>& filas);

    DB_Dll& m_db;
    ProgresoGeneracion& m_progreso;
    bool m_bannerAbierto = false;
};
