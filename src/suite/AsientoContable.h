#pragma once

#include "suite/Comprobante.h"
#include "zimbrel2/Currency.h"

#include <QString>
#include <QStringList>

#include <vector>

class DB_Dll;

/// One line of an accounting entry as the ledger viewer shows it.
struct LineaAsiento
{
    QString cuenta;
    /// The account's name in the chart of accounts ("" when the account is not there).
    QString descripcion;
    /// The line's own text.
    QString detalle;
    Currency debe;
    Currency haber;
    QString nroComprobanteBancario;
};

/// The accounting entry of a voucher: its lines from MV_ASIENTOS, in the order of the entry.
struct AsientoContable
{
    /// The voucher as found (its type filled in when the parameter lacked it).
    Comprobante comprobante;
    /// Period, month and number of the entry, "2024/05 N° 1234"; several when the voucher holds
    /// more than one entry.
    QStringList asientos;
    std::vector<LineaAsiento> lineas;

    Currency totalDebe() const;
    Currency totalHaber() const;

    /// Window title: "Asiento del comprobante OP 0001-00001234 A".
    QString titulo() const;
    /// Everything the viewer shows, as plain text lines (title, entry, one line per accounting line
    /// with debit and credit in the regional format, the totals).
    QString comoTexto() const;

    enum class Resultado
    {
        Encontrado,
        /// No line of the voucher in the database.
        NoExiste,
        /// The voucher came without its type and several types share branch, number and letter.
        Ambiguo
    };
    /// Reads the entry of `comprobante` through `db`; on NoExiste and Ambiguo `mensaje` says why, in
    /// the operator's words.
    static Resultado lee(DB_Dll& db, const Comprobante& comprobante, AsientoContable& asiento,
                         QString& mensaje);
};
