#pragma once

#include "app/AppState.h"

#include <QString>
#include <QStringList>

/// Records the start of a program in Control_Acceso: workstation, user, program, the user's task
/// for it and the moment. "" stands for this program. Never stops the start.
void RegistraAcceso(QString& programa);

/// Adds a column and its value (as the SQL literal of `tipo`) to the pending field list; removes
/// apostrophes from `valor` (the caller's variable too). "NULL" in any case is the bare literal.
void AgregaCampo(const QString& campo, QString& valor, const QString& tipo, bool nuevaLista);

/// Appends to `script` the INSERT (or, with `actualiza`, the UPDATE with `condicion`) of the fields
/// in `campos`, then an empty statement; clears the fields unless `mantieneCampos`.
void ArmaSentencia(QList<CampoValor>& campos, QStringList& script, const QString& tabla, bool actualiza,
                   QString& condicion, bool mantieneCampos);

/// Runs the statements of `script` as one transaction: committed when the connection reports no
/// error, otherwise rolled back, recorded in AUX_ERR and, with `muestraMensaje`, shown.
void GActualizarDatoScript(const QStringList& script, bool& hayError, long& codigoError, bool ignoraDuplicado,
                           bool ignoraReferencia, QString& textoEjecutado, QString& mensajeError,
                           bool muestraMensaje);

/// "dd/mm/yy" and "hh:mm".
QString FormatoFecha();
QString FormatoHora();
