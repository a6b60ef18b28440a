// The exercise side of the main window, kept to what start-up, restart and
// the menu strip need until the exercise engine is wired in; the engine
// replaces this file.
#include "app/frmTastomat.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/MainWindowParts.h"
#include "ui/modGradient.h"

namespace tastolino {

void frmTastomat::StartSentence() {
    restartPending = false;
    exerciseRunning = true;
    cmdStart->setEnabled(false);
}

void frmTastomat::FlashBotton() {
    exerciseRunning = false;
    Timer2->start();
}

void frmTastomat::Timer1_Timer() {}

void frmTastomat::Timer2_Timer() {
    if (exerciseRunning) Timer2->stop();
}

void frmTastomat::SetCategory(int index) {
    ExerciseResults& results = appState().results;
    const bool expert = index == 1;
    results.categoryIndex = expert ? 1 : 0;
    results.expertMode = expert;
    results.categoryName = messages.value(expert ? 30 : 29);
    results.scoreFactor = expert ? 0.2f : 0.4f;
    shpIndex->SetFillColor(ColorFromBgr(expert ? 0x0000FF : 0xFF0000));
    optLevel[expert ? 1 : 0]->setChecked(true);
}

void frmTastomat::InterpretCommandLine(const QString& arg) {
    // Only "/" + the name of a file counts as an exercise.
    if (!arg.contains(QLatin1Char('/'))) commandLineArg.clear();
}

void frmTastomat::EnableSources() {
    hasFileSources = false;
}

void frmTastomat::TypeExpectedChar() {
    lblMenu[7]->hide();
    shpMenu[7]->hide();
}

void frmTastomat::OpenGame() {
    exerciseRunning = false;
    Timer2->stop();
    optMenu[0]->setChecked(true);
    HideCoverWindow();
    restartPending = true;
    StartSentence();
}

}  // namespace tastolino
