// What the windows below the main module are given from the run's state
// when they open. They hand their answers back; the main module keeps them.
#pragma once

#include "dialogs/frmAbout.h"
#include "dialogs/frmInput.h"
#include "dialogs/frmLanguage.h"
#include "game/FrmPlay.h"
#include "results/ResultsWindowInput.h"
#include "ui/frmTransparency.h"

namespace tastolino {

ResultsWindowInput resultsWindowInput();
UserNameInput userNameInput();
frmTransparency::Options coverOptions();
AboutInput aboutInput();
GameInput gameInput();
LanguageWindowInput languageWindowInput();

// Runs the language window over `owner` and takes the language chosen as
// the current one; true when it changed.
bool ChooseLanguage(QWidget* owner);

}  // namespace tastolino
