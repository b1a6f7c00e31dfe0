#pragma once

#include "zimbrel2/RuntimeError.h"

#include <QString>

#include <optional>

class DB_Dll;

/// Shows an unexpected failure of a shared routine with the answers of `botones` (default 18:
/// abort, retry, ignore), appends a line to TSERR.LOG in the temporary folder and returns the
/// answer; 0 for an error numbered 0.
int TrataError(const RuntimeError& error, std::optional<int> botones = std::nullopt,
               const QString& rutina = {});

/// The statement GrabaErrorAux opens AUX_ERR with, in the dialect of `db`'s platform (on Oracle
/// without TOP, which it would refuse).
QString SentenciaAuxErr(const DB_Dll& db);

/// Records a failed statement in AUX_ERR through the main connection; silent on every failure.
/// An empty `proceso` becomes the executable name.
void GrabaErrorAux(const QString& sentencia, QString& proceso, long error, const QString& descripcion);

/// "dd/mm/yy hh:mm".
QString FormatoFechaHora();
/// The folder TrataError writes TSERR.LOG into, ending with the separator.
QString CarpetaLogErrores();
