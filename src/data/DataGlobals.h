#pragma once

#include <functional>
#include <memory>

class DB_Dll;
class ConnectionDialogRequest;

/// The program-wide objects of the data layer: the main connection, the statistics connection, the
/// confidentiality setting the synonym rewriting reads, the connection dialog and the way the
/// process ends when the operator gives up a lost connection. Created on first use; tests reset them.
namespace DataGlobals {

DB_Dll& gDB();
DB_Dll& gDBEstadisticas();

/// "SS_CONFIDENCIALIDAD" is "SI": restricted views also for the accounting lines.
bool gConfidencialidad();
void setConfidencialidad(bool on);

/// The connection dialog the data layer shows; null when none is installed.
ConnectionDialogRequest* connectionDialog();
void setConnectionDialog(std::shared_ptr<ConnectionDialogRequest> dialog);

/// Ends the process at once (the operator chose to close the application); tests replace it.
void terminateProcess();
void setTerminateProcess(std::function<void()> terminate);

/// Fresh objects and settings, as at the start of a run.
void reset();

} // namespace DataGlobals
