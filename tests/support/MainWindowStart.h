// The main window as the program starts it, for the window tests: a fresh
// program state over a program folder, then the window built, loaded and
// its start-up (greeting, name, layout check) finished. Header-only: only
// the tests of the whole program link the window.
#pragma once

#include "app/frmTastomat.h"
#include "exercise/AppState.h"
#include "settings/InterfaceLanguage.h"

#include <QString>

#include <memory>

namespace tastolino::testing {

// Forgets everything of the last test's program and works in `appFolder`
// (with its closing slash).
inline void freshProgramState(const QString& appFolder) {
    appState() = AppState();
    resetInterfaceLanguage();
    appState().appFolder = appFolder;
    setInterfaceFolder(appFolder);
}

inline std::unique_ptr<frmTastomat> startMainWindow(const QString& commandLine = {}) {
    auto window = std::make_unique<frmTastomat>(commandLine);
    window->Form_Load();
    window->FinishStartUp();
    return window;
}

}  // namespace tastolino::testing
