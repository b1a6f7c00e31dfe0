#pragma once

#include "cheques/ChequeFila.h"

#include <QString>

/// The filter fields' texts as the operator left them.
struct FiltroCheques
{
    QString fechaD;
    QString fechaH;
    QString proveedorD;
    QString proveedorH;
    QString idBanco;
    QString serie;
    QString numerarDesde;
    QString numerarHasta;
};

/// The statements of the cheque window, in the suite's dialect; every value between apostrophes goes
/// through SQLValue.
namespace SentenciasCheques {

/// " Where " + the filters present, joined with " AND ": dates, suppliers, then the bank account.
QString condicion(const FiltroCheques& filtro);
/// The cheques without number of the filters (normal mode).
QString chequesSinNumero(const FiltroCheques& filtro);
/// The numbered cheques of one series from `desde` (to `hasta` when given), ordered by number
/// (reprint mode). The numbers are whole numbers already checked by the validation.
QString chequesNumerados(const FiltroCheques& filtro, qint64 desde, std::optional<qint64> hasta);
/// The payment data of a supplier account.
QString datosPago(const QString& cuentaDestino);

/// The chequebook of the account and series that holds `numero`.
QString rangoChequera(const QString& idBanco, const QString& serie, const QString& numero);
/// The chequebooks of the account and series, by first number.
QString chequerasSerie(const QString& idBanco, const QString& serie);
/// The highest number given in a series on a bank, as a number ("Maximo"; 0 when none).
QString maximoNumero(const QString& serie, const QString& idBancoChequera);
/// The accounting lines that carry the cheque number of `serie` and `numero`, however its number part
/// is written ("B-100", "B-0100").
QString chequeConNumero(const QString& serie, qint64 numero);

/// Empties the print rows of a workstation-and-user key and an account.
QString borraImpresion(const QString& puestoUsuario, const QString& cuenta);
/// Writes the number `serie`-`numero` into the cheque's accounting line, only while the line is still
/// without number and no line of the account holds that number yet (in whatever writing).
QString numeraCheque(const ChequeFila& fila, const QString& serie, qint64 numero);
/// One print row.
QString insertaImpresion(const QString& puestoUsuario, const QString& cuenta, const ChequeFila& fila,
                         const QString& importe, const QString& importeEnLetras, const QString& serie);

} // namespace SentenciasCheques
