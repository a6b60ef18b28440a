#include "platform/AppState.h"

namespace tastolino {

AppState& appState() {
    static AppState state;
    return state;
}

}  // namespace tastolino
