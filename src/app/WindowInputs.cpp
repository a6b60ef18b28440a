#include "app/WindowInputs.h"

#include "exercise/AppState.h"
#include "settings/InterfaceLanguage.h"

namespace tastolino {

ResultsWindowInput resultsWindowInput() {
    const AppState& state = appState();
    ResultsWindowInput in;
    in.results = state.results;
    in.soundOn = state.soundOn;
    in.languageFileActive = interfaceLanguage().fileActive;
    in.largeScreen = state.largeScreen;
    return in;
}

frmTransparency::Options coverOptions() {
    const AppState& state = appState();
    return {state.largeScreen, state.windows2000OrLater};
}

AboutInput aboutInput() {
    const AppState& state = appState();
    return {state.largeScreen, state.soundOn, interfaceLanguage().fileActive};
}

GameInput gameInput() {
    const AppState& state = appState();
    GameInput in;
    in.appFolder = state.appFolder;
    in.userName = state.results.userName;
    in.largeScreen = state.largeScreen;
    in.languageFileActive = interfaceLanguage().fileActive;
    in.soundOn = state.soundOn;
    in.translucent = state.windows2000OrLater;
    in.backgroundTheme = state.backgroundTheme;
    return in;
}

LanguageWindowInput languageWindowInput() {
    const InterfaceLanguage& language = interfaceLanguage();
    return {appState().appFolder, language.name, language.fileActive};
}

bool ChooseLanguage(QWidget* owner) {
    const QString chosen = frmLanguage::Choose(languageWindowInput(), owner);
    if (chosen == interfaceLanguage().name) return false;
    setInterfaceLanguageName(chosen);
    return true;
}

UserNameInput userNameInput() {
    return {appState().appFolder, interfaceLanguage().fileActive};
}

}  // namespace tastolino
