#pragma once

#include "cheques/ChequeFila.h"

#include <QString>

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

/// How a run ended.
struct ResultadoGeneracion
{
    int marcados = 0;
    /// Cheques that got their number and their print row (reprint: their print row).
    int generados = 0;
    /// The print table holds rows of this run to print.
    bool imprimir = false;
    /// Ended on an unexpected failure the operator neither retried nor skipped: nothing is printed
    /// and the window keeps its list.
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

    /// The statements of one cheque, in the order they run (for the statement corpus).
    static QStringList sentenciasCheque(const ChequeFila& fila, const PedidoGeneracion& pedido,
                                        const QString& numero);

private:
    enum class Paso
    {
        Hecho,
        Saltado,
        Detener
    };
    Paso generaCheque(ChequeFila& fila, const PedidoGeneracion& pedido, const QString& numero);
    void ejecuta(QString sentencia, long* afectadas = nullptr);
    bool importesEscribibles(const std::vector<ChequeFila*>& filas);

    DB_Dll& m_db;
    ProgresoGeneracion& m_progreso;
    bool m_bannerAbierto = false;
};
