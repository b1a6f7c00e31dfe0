#pragma once

#include <QString>

#include <array>

/// The columns of the cheque list, in their order on the list.
namespace ColumnaCheque {
enum : int
{
    Cheque = 0,
    Fecha = 1,
    Concepto = 2,
    Importe = 3,
    Vencimiento = 4,
    Proveedor = 5,
    Comprobante = 6,
    Cuenta = 7,
    Secuencia = 8,
    MesOperativo = 9,
    NumeroAsiento = 10,
    Periodo = 11,
    TipoReg = 12,
    Banco = 13,
    Moneda = 14,
    Cotizacion = 15,
    Clearing = 16,
    Tc = 17,
    Cpte = 18,
    ALaOrden = 19,
    Numero = 20,
    Cantidad = 21
};
} // namespace ColumnaCheque

/// One issued cheque as the list shows it: the texts of its 21 columns, its key ("A1", "A2", ...)
/// and its tag (TC in four characters, then branch, number and letter of the voucher), which the
/// ledger viewer reads back at fixed positions.
struct ChequeFila
{
    std::array<QString, ColumnaCheque::Cantidad> columnas;
    QString clave;
    QString tag;
    bool marcado = false;

    const QString& operator[](int columna) const { return columnas[static_cast<size_t>(columna)]; }
    QString& operator[](int columna) { return columnas[static_cast<size_t>(columna)]; }
};

/// The list's header and the template whose width in the window's font gives the column's width
/// (an empty template hides the column: the program reads it, the operator does not see it).
struct ColumnaLista
{
    QString titulo;
    QString plantilla;
};
