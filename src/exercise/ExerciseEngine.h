// The running exercise: prepares each sentence (or a whole free text),
// judges every keystroke against the expected character, runs the sentence
// clock and the Enter blinker, scores finished sentences and opens the
// results window after each level. It drives the main window through an
// EngineView and keeps no widgets of its own.
#pragma once

#include "settings/InterfaceTexts.h"

#include "exercise/EngineView.h"
#include "exercise/ExerciseSources.h"
#include "exercise/Frasi.h"
#include "exercise/MessageTable.h"
#include "stats/KeystrokeTally.h"
#include "stats/SentenceRecord.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

namespace tastolino {

// Sizes that depend on the screen (large screens get the larger values).
struct EngineLayout {
    QString counterSeparator = QStringLiteral("/");
    int barFullWidth = 300;
    int freeTextFontSize = 18;
    int sentenceFontSize = 12;
    static EngineLayout forScreen(bool largeScreen);
};

// The texts of the engine that a language file may replace.
struct EngineTexts {
    QStringList messages;
    QStringList praiseGood;
    QStringList praiseGreat;
    // The word before the file name in the window title of a free text.
    QString fileWord;
    // The warning when a course bookmark cannot be kept.
    QString bookmarkFailed;
};

class ExerciseEngine : public QObject {
    Q_OBJECT
  public:
    explicit ExerciseEngine(EngineView& view, QObject* parent = nullptr);

    // --- Set-up by the window
    void UseTexts(const EngineTexts& texts);
    // The sizes of the screen; the best-speed bar starts full.
    void UseLayout(const EngineLayout& layout);
    // Receives every finished sentence and free text for the learning
    // statistics; none = nothing is recorded.
    void SetRecorder(std::function<void(const SentenceRecord&)> record);
    // Start-up: no exercise has run yet, nothing is to restart.
    void ResetForFirstExercise();

    // --- Operations
    void StartSentence();
    void PrepareNextSentence();
    void LoadFreeText();
    void AdvanceCursor(bool reset = false);
    // Judges one character typed in the input box (Windows-1252 code, or -1
    // for a character the code page lacks; 8 Backspace, 13 Enter, 27 Esc).
    // `fromInputBox` is false for menu item 7, which types for the user.
    void OnInputKey(int keyAscii, bool fromInputBox = true);
    // The text of a key event or an input-method commit string: each
    // character is judged in turn.
    void OnInputText(const QString& text);
    void WrongKey(int keyAscii);
    void SetClock(bool on);
    // Starts the clock again after a stop at `stoppedAt`: the time
    // between does not count.
    void ResumeClock(const QDateTime& stoppedAt);
    void PauseExercise();
    void FlashBotton();
    // The Enter invitation stops blinking at its next step (a copy of the
    // keyboard is about to be taken).
    void HoldEnterInvitation();
    void EndOfSentence();
    void ErrorRatioFace();
    // Menu item 7: types the expected character for the user.
    void TypeForMe();
    // Menu item 1: asks and starts again from the beginning.
    void Restart();
    // The next StartSentence begins a new exercise instead of a sentence.
    void RequestFreshStart();
    // Leaves whatever runs and begins afresh with the internal sentences,
    // counted from nothing (so that no end of a level is passed).
    void StartAfresh();
    // The game option of the source menu.
    void OpenGame();
    // The source menu's click (optMenu).
    void SelectSource(int index);
    // The entry chosen in the list of files.
    void ChooseListEntry(int index);
    // Start-up: the sources that have files, and the command-line exercise
    // ("/" + name, or a path); a file that cannot be read is reported, a
    // text file over the size limit ends the program after message 40.
    // Returns false when the program is to end.
    void EnableSources();
    bool InterpretCommandLine(const QString& arg);
    // The highlighting of the next key (a menu option).
    void SetHighlight(bool on);
    // The main window unloads: nothing more runs.
    void Stop();

    // --- Timers, children named "Timer1" and "Timer2" (public so tests can
    // tick them)
    void Timer1_Timer();
    void Timer2_Timer();

    // --- What the exercise stands at
    const QString& expectedChar() const { return expectedChar_; }
    int cursorPosition() const { return textPos_; }
    int sentenceNumber() const { return sentenceNo_; }
    int correctInSentence() const { return sentenceCorrect_; }
    int errorsInSentence() const { return sentenceErrors_; }
    int speedBarWidth() const { return speedBarWidth_; }
    // All of the text has been typed.
    bool sentenceDone() const { return sentenceDone_; }
    // Between the last key of a sentence and the invitation to go on.
    bool inSentenceEnd() const { return inSentenceEnd_; }
    // A sentence is under way (false while Enter is invited).
    bool exerciseRunning() const { return exerciseRunning_; }
    bool restartPending() const { return restartPending_; }
    bool highlightOn() const { return highlightOn_; }
    bool ended() const { return ended_; }
    const QDateTime& sentenceStart() const { return sentenceStart_; }
    const UsedSentences& usedSentences() const { return usedSentences_; }
    const EngineLayout& layout() const { return layout_; }
    const QStringList& messages() const { return texts_.messages; }
    const QStringList& praiseGood() const { return texts_.praiseGood; }
    const QStringList& praiseGreat() const { return texts_.praiseGreat; }
    bool clockRunning() const { return clockOn_; }
    // Text currently shown in the sentence area.
    const QString& displayText() const { return displayText_; }
    // The exercise sources (the source menu and the list of files).
    ExerciseSources& sources() { return sources_; }
    const ExerciseSources& sources() const { return sources_; }

  private:
    // Tests set up positions and counters through it.
    friend struct EngineProbe;

    QString title(int level, int numberInLevel) const;
    void resetForNewExercise();
    void showCounters();
    void placeUnderline();
    void refreshDisplay();
    void endProgram();
    void dispatchEvents();
    QString message(Message slot) const;
    QChar typedChar(int keyAscii) const;
    // Hands the finished sentence or free text to recordSentence_.
    void recordFinished(qint64 ms, double speed, std::optional<int> score);

    EngineView& view_;
    EngineTexts texts_;
    EngineLayout layout_;
    ExerciseSources sources_;
    std::function<void(const SentenceRecord&)> recordSentence_;
    QTimer Timer1;  // sentence clock and speed bar, 200 ms
    QTimer Timer2;  // Enter blinker, 400 ms

    QString expectedChar_;
    int expectedKeyIndex_ = 0;
    int textPos_ = 0;
    int sentenceNo_ = 0;
    int sentenceCorrect_ = 0;
    int sentenceErrors_ = 0;
    int levelScoreSum_ = 0;
    int speedBarWidth_ = 0;
    int bestBarWidth_ = 0;
    float progressPerChar_ = 0;
    bool sentenceDone_ = true;
    bool inSentenceEnd_ = false;
    bool exerciseRunning_ = false;
    bool restartPending_ = false;
    bool firstOfLevel_ = false;
    bool highlightOn_ = true;
    QDateTime sentenceStart_;
    UsedSentences usedSentences_{};
    QString inputText_;
    // The keys of the sentence (or free text) being typed.
    KeystrokeTally tally_;
    // Set once the main window has been asked to unload: nothing more runs.
    bool ended_ = false;
    bool clockOn_ = false;
    int displayStart_ = 0;  // free text: first character shown
    QChar lastTyped_;       // character behind the key being judged
    QString displayText_;
};

}  // namespace tastolino
