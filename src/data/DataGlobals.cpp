#include "data/DataGlobals.h"

#include "data/ConnectionDialogRequest.h"
#include "data/DB_Dll.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

struct Globals
{
    std::unique_ptr<DB_Dll> main;
    std::unique_ptr<DB_Dll> statistics;
    bool confidencialidad = false;
    std::shared_ptr<ConnectionDialogRequest> dialog;
    std::function<void()> terminate;
};

Globals& globals()
{
    static Globals g;
    return g;
}

// The connections are Qt SQL connections, and Qt SQL's registry of them is a global object that is
// gone by the time this file's static objects are destroyed: closing a connection then crashes the
// process, and SQLite, never closed, leaves its -wal and -shm files behind. So the objects are
// closed while the application object still exists, when it is destroyed. Only the connections:
// the connection dialog may hold widgets, which the application has already taken down by then.
void releaseAtApplicationEnd()
{
    static bool registered = false;
    if (registered || !QCoreApplication::instance())
        return;
    registered = true;
    qAddPostRoutine([] {
        Globals& g = globals();
        g.statistics.reset();
        g.main.reset();
    });
}

} // namespace

namespace DataGlobals {

DB_Dll& gDB()
{
    Globals& g = globals();
    if (!g.main) {
        releaseAtApplicationEnd();
        g.main = std::make_unique<DB_Dll>();
    }
    return *g.main;
}

DB_Dll& gDBEstadisticas()
{
    Globals& g = globals();
    if (!g.statistics) {
        releaseAtApplicationEnd();
        g.statistics = std::make_unique<DB_Dll>();
    }
    return *g.statistics;
}

bool gConfidencialidad()
{
    return globals().confidencialidad;
}

void setConfidencialidad(bool on)
{
    globals().confidencialidad = on;
}

ConnectionDialogRequest* connectionDialog()
{
    return globals().dialog.get();
}

void setConnectionDialog(std::shared_ptr<ConnectionDialogRequest> dialog)
{
    globals().dialog = std::move(dialog);
}

void terminateProcess()
{
    if (globals().terminate)
        globals().terminate();
    // The operator chose to close the application: no window is closed, no further code runs.
    std::_Exit(1);
}

void setTerminateProcess(std::function<void()> terminate)
{
    globals().terminate = std::move(terminate);
}

void reset()
{
    Globals& g = globals();
    g.statistics.reset();
    g.main.reset();
    g.confidencialidad = false;
    g.dialog.reset();
    g.terminate = {};
}

} // namespace DataGlobals
