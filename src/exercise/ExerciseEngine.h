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

class ExerciseEngine : public QObject {
    Q_OBJECT
  public:
    explicit ExerciseEngine(EngineView& view, QObject* parent = nullptr);

    // Texts the window may replace from a language file.
    QStringList messages;
    QStringList praiseGood;
    QStringList praiseGreat;
    // The word before the file name in the window title of a free text.
    QString fileWord = ItalianText(QStringLiteral("9028"));
    EngineLayout layout;
    ExerciseSources sources;
    // Receives every finished sentence and free text for the learning
    // statistics; none = nothing is recorded.
    std::function<void(const SentenceRecord&)> recordSentence;

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
    void PauseExercise();
    void FlashBotton();
    void EndOfSentence();
    void ErrorRatioFace();
    // Menu item 7: types the expected character for the user.
    void TypeForMe();
    // Menu item 1: asks and starts again from the beginning.
    void Restart();
    // The game option of the source menu.
    void OpenGame();
    // The source menu's click (optMenu).
    void SelectSource(int index);
    // Start-up: the sources that have files, and the command-line exercise
    // ("/" + name, or a path); a file that cannot be read is reported, a
    // text file over the size limit ends the program after message 40.
    // Returns false when the program is to end.
    void EnableSources();
    bool InterpretCommandLine(const QString& arg);

    // --- Timers (public so tests can tick them)
    void Timer1_Timer();
    void Timer2_Timer();
    QTimer Timer1;  // sentence clock and speed bar, 200 ms
    QTimer Timer2;  // Enter blinker, 400 ms

    // --- State
    QString expectedChar;
    int expectedKeyIndex = 0;
    int textPos = 0;
    int sentenceNo = 0;
    int sentenceCorrect = 0;
    int sentenceErrors = 0;
    int levelScoreSum = 0;
    int speedBarWidth = 0;
    int bestBarWidth = 0;
    float progressPerChar = 0;
    bool sentenceDone = true;
    bool inSentenceEnd = false;
    bool exerciseRunning = false;
    bool restartPending = false;
    bool firstOfLevel = false;
    bool highlightOn = true;
    QDateTime sentenceStart;
    UsedSentences usedSentences{};
    QString inputText;
    // The keys of the sentence (or free text) being typed.
    KeystrokeTally tally;
    // Set once the main window has been asked to unload: nothing more runs.
    bool ended = false;

    bool clockRunning() const { return clockOn_; }
    // Text currently shown in the sentence area.
    const QString& displayText() const { return displayText_; }

  private:
    QString title(int level, int numberInLevel) const;
    void resetForNewExercise();
    void showCounters();
    void placeUnderline();
    void refreshDisplay();
    void endProgram();
    void playSound(int id);
    void dispatchEvents();
    QString message(int i) const;
    QChar typedChar(int keyAscii) const;
    // Hands the finished sentence or free text to recordSentence.
    void recordFinished(qint64 ms, double speed, std::optional<int> score);

    EngineView& view_;
    bool clockOn_ = false;
    int displayStart_ = 0;  // free text: first character shown
    QChar lastTyped_;       // character behind the key being judged
    QString displayText_;
};

}  // namespace tastolino
