#pragma once

#include "cheques/ChequeFila.h"

#include <QHash>
#include <QString>

#include <array>
#include <vector>

/// The 21 columns of the cheque list, as the load fills them.
const std::array<ColumnaLista, ColumnaCheque::Cantidad>& columnasLista();

class AdoRecordset;
class DB_Dll;

/// Reads the issued cheques of a load statement into list rows: the shown texts with the regional
/// formats, the hidden key columns, the payee, the key and the tag.
class CargaCheques
{
public:
    explicit CargaCheques(DB_Dll& db);

    /// Runs `sentencia` and turns every row into a list row, in the order the database returns them.
    /// Failures are raised as RuntimeError for the caller's reporter; a statement whose failure the
    /// data layer has already shown raises an error numbered 0, which the reporters do not show.
    std::vector<ChequeFila> carga(QString sentencia);

    /// The payee printed on a supplier's cheques: its payment data, or the account's description when
    /// it has none. Asked once per supplier and load.
    QString aLaOrden(const QString& cuentaDestino);

private:
    struct Campos;
    ChequeFila fila(const AdoRecordset& rs, const Campos& c, int n);
    static void seAbrio(const AdoRecordset& rs);

    DB_Dll& m_db;
    QHash<QString, QString> m_aLaOrden;
};
