#pragma once

/// Runtime error numbers the report engine raises (RuntimeError, source "ClsReporte").
namespace ReportErrors {

/// The report file does not exist or cannot be read.
constexpr long ArchivoNoEncontrado = 20507;
/// The report file holds a line the engine does not accept.
constexpr long ReporteInvalido = 20520;
/// The record selection formula or the formula assignment cannot be read.
constexpr long FormulaInvalida = 20515;
/// The database of the connection text cannot be opened or read.
constexpr long BaseDeDatos = 20599;
/// A printer or file destination cannot be used.
constexpr long Destino = 20545;
/// A cheque's data does not fit or cannot be shown as the report asks.
constexpr long DatoInvalido = 20530;

} // namespace ReportErrors
