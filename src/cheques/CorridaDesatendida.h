#pragma once

#include <QString>

class FrmTalonex;
class QTextStream;

/// Cheque runs worked without anyone at the window, for scripts and unattended trials. A script is
/// a ";"-separated list of "name=value" items (names without regard to case):
///
///     banco=1.1.02.02; serie=B; desde=siguiente; marcar=todos; corridas=3
///
/// - banco, serie, desde, hasta, fechad, fechah, proveedord, proveedorh: the filter fields' texts;
///   desde=siguiente takes, before each run, the next free number of the series on the account;
/// - marcar: "todos" (the default) or how many rows to tick, from the top of the list;
/// - corridas: how many runs, one after the other (default 1); the runs stop early when the list
///   comes back empty or a run changed nothing;
/// - pantalla: "SI" ticks "Vista previa por pantalla".
///
/// Each run is what a clerk does: fill the fields, press "&Cargar Cheques >>>", tick, press
/// "GRABAR". Message boxes go to the program's operator dialogs as in any run. One line per run goes
/// to `salida`.
namespace CorridaDesatendida {

/// Works the script on the loaded window; 0 when the script could be read, 2 when it could not.
int ejecuta(FrmTalonex& ventana, const QString& guion, QTextStream& salida);

} // namespace CorridaDesatendida
