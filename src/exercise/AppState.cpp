#include "exercise/AppState.h"

#include "platform/SeamReset.h"

namespace tastolino {

AppState& appState() {
    static AppState state;
    return state;
}

namespace {
[[maybe_unused]] const bool stateResetRegistered =
    seams::registerReset([] { appState() = AppState{}; });
}  // namespace

}  // namespace tastolino
