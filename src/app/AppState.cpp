#include "app/AppState.h"

#include "data/DataGlobals.h"

#include <memory>

namespace {

std::unique_ptr<AppState>& slot()
{
    static std::unique_ptr<AppState> state;
    return state;
}

} // namespace

AppState& appState()
{
    std::unique_ptr<AppState>& state = slot();
    if (!state)
        state = std::make_unique<AppState>();
    return *state;
}

void resetAppState()
{
    slot().reset();
    DataGlobals::reset();
}
