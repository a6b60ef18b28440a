// A recording stand-in for the main window, shared by the engine tests: it
// keeps what the engine last showed and answers the results window from a
// script.
#pragma once

#include "exercise/AppState.h"
#include "exercise/EngineView.h"
#include "exercise/ExerciseEngine.h"

#include <array>
#include <deque>
#include <vector>

namespace tastolino::testing {

using namespace tastolino;

struct ModalCall {
    DialogKind kind;
    int sentenceNo;
    ResultsReason reason;
};

class RecordingView : public EngineView {
  public:
    ExerciseEngine* engine = nullptr;
    QString sentenceText, inputText, correct, wrong, sentenceNumber, clock, title;
    QString messageText;
    int messageIcon = 0, speedBar = 0, bestBar = -1, resetBestBarLevel = 0, lamps = -1;
    int flashes = 0, wrongMarks = 0, markerHidden = 0, welcomes = 0;
    bool startEnabled = false, inputLocked = true, typeForMe = false, unloaded = false;
    bool invitation = false;
    std::array<QString, 3> averages;
    Face face;
    std::deque<int> answers;  // scripted results window answers
    std::vector<ModalCall> modals;
    int underlineLine = -1, underlineLength = -1;

    void setSentenceText(const QString& t) override { sentenceText = t; }
    void setDisplayLayout(bool, int) override {}
    void setUnderline(int line, int length) override {
        underlineLine = line;
        underlineLength = length;
    }
    void setInputText(const QString& t) override { inputText = t; }
    void setInputLocked(bool l) override { inputLocked = l; }
    void focusInput() override {}
    void setInputFlash(bool on) override { flashes += on ? 1 : 0; }
    void setCorrectCounter(const QString& t) override { correct = t; }
    void setWrongCounter(const QString& t) override { wrong = t; }
    void setSentenceNumber(const QString& t) override { sentenceNumber = t; }
    void setClockText(const QString& t) override { clock = t; }
    void setClockOpaque(bool) override {}
    void setSpeedBarWidth(int w) override { speedBar = w; }
    void setSpeedBarPicture(int) override {}
    void setScoreGaugesVisible(bool) override {}
    void ResetBestBar(int width, int level) override {
        bestBar = width;
        resetBestBarLevel = level;
    }
    void setBestBarWidth(int w) override { bestBar = w; }
    void showMessage(const QString& t, int icon) override {
        messageText = t;
        messageIcon = icon;
    }
    void hideMessage() override {}
    void setLevelAverage(int i, const QString& t) override { averages[size_t(i)] = t; }
    void setLamps(int level) override { lamps = level; }
    void setFace(const Face& f) override { face = f; }
    void clearFace() override { face = {}; }
    void setProgressVisible(bool) override {}
    void setProgressWidth(int) override {}
    int progressFullWidth() override { return 600; }
    void setWindowTitle(const QString& t) override { title = t; }
    void setStartEnabled(bool e) override { startEnabled = e; }
    void setAboutEnabled(bool) override {}
    void setTypeForMeVisible(bool v) override { typeForMe = v; }
    void setSourceMenuVisible(bool) override {}
    void setLevelPanelVisible(bool) override {}
    void setGameOptionEnabled(bool) override {}
    void sourcesChanged(const ExerciseSources&) override {}
    void prepareForSentence() override {}
    void hideCoverWindow() override {}
    bool programWindowActive() override { return true; }
    void focusKeyboard() override {}
    void focusDisplay() override {}
    LineFitter lineFitter() override {
        return {[](const QString& s) { return int(s.size()) * 10; }, 1000};
    }
    QWidget* dialogParent() override { return nullptr; }
    void RedrawKeyboard() override {}
    void setKey37Enabled(bool) override {}
    void HighlightNextKey(QChar, int) override {}
    void clearExpectedChar() override {}
    void HideHighlights() override {}
    void MarkWrongKey(int) override { ++wrongMarks; }
    void hideWrongKeyMarker() override { ++markerHidden; }
    void setEnterInvitation(bool on) override { invitation = on; }
    void toggleEnterPicture() override {}
    void showModalForm(DialogKind kind) override {
        modals.push_back({kind, engine->sentenceNumber(), appState().results.resultsReason});
        if (kind == DialogKind::Results) {
            appState().results.resultsAnswer = ResultsAnswer::Open;
            if (!answers.empty()) {
                appState().results.resultsAnswer = ResultsAnswer(answers.front());
                answers.pop_front();
            }
        }
    }
    void showWelcome() override { ++welcomes; }
    void openGame() override {}
    void unloadMainWindow() override { unloaded = true; }
    void inputStateChanged() override {}
};

}  // namespace tastolino::testing
