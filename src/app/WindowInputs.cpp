#include "app/WindowInputs.h"

#include "platform/AppState.h"

namespace tastolino {

ResultsWindowInput resultsWindowInput() {
    const AppState& state = appState();
    ResultsWindowInput in;
    in.results = state.results;
    in.soundOn = state.soundOn;
    in.languageFileActive = state.languageFileActive;
    in.largeScreen = state.largeScreen;
    return in;
}

frmTransparency::Options coverOptions() {
    const AppState& state = appState();
    return {state.largeScreen, state.windows2000OrLater};
}

AboutInput aboutInput() {
    const AppState& state = appState();
    return {state.largeScreen, state.soundOn, state.languageFileActive};
}

GameInput gameInput() {
    const AppState& state = appState();
    GameInput in;
    in.appFolder = state.appFolder;
    in.userName = state.results.userName;
    in.largeScreen = state.largeScreen;
    in.languageFileActive = state.languageFileActive;
    in.soundOn = state.soundOn;
    in.translucent = state.windows2000OrLater;
    in.backgroundTheme = state.backgroundTheme;
    return in;
}

LanguageWindowInput languageWindowInput() {
    const AppState& state = appState();
    return {state.appFolder, state.languageName, state.languageFileActive};
}

bool ChooseLanguage(QWidget* owner) {
    const QString chosen = frmLanguage::Choose(languageWindowInput(), owner);
    if (chosen == appState().languageName) return false;
    appState().languageName = chosen;
    return true;
}

UserNameInput userNameInput() {
    const AppState& state = appState();
    return {state.appFolder, state.languageFileActive};
}

}  // namespace tastolino
