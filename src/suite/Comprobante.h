#pragma once

#include <QString>

#include <optional>

/// The voucher of an accounting entry as the cheque list hands it to the ledger viewer: type (TC),
/// branch, number and letter.
struct Comprobante
{
    QString tc;
    QString sucursal;
    QString numero;
    QString letra;

    /// The voucher of the additional parameter "@TC=OP|@Sucursal=0001|@Numero=00001234|@Letra=A|".
    /// It also reads the parameter as start-up leaves it, every "=" removed ("@TCOP|@Sucursal0001|..."),
    /// with the type padded with blanks, and without the type when the launcher cut it away at its
    /// first blank. Values are trimmed. nullopt when branch, number or letter is missing or an item
    /// is not one of the four keys.
    static std::optional<Comprobante> desdeParametro(const QString& parametro);

    /// "OP 0001-00001234 A", or without the type when it is not known.
    QString texto() const;
};
