#pragma once

#include <QString>

class AdoRecordset;

/// Finds an account of the chart of accounts by its code or its optional code. Found through the
/// optional code, `codigo` becomes the account's code and `porCodigoOpcional` true. A given
/// `recordset` is used for the queries and afterwards holds the account's row; it is left closed
/// when a statement failed (the operator has seen the failure), open and empty when none was found.
bool ExisteCuenta(QString& codigo, AdoRecordset* recordset, bool soloLectura, bool& porCodigoOpcional);

/// True when the file can be opened for reading (double quotes around the path are ignored).
bool ExisteArchivo(const QString& ruta);
