// The training and game window: single characters fall down the play area
// and the user catches them by typing them. Three game difficulties of six
// turns each, scored in points with a record per user, and a letter
// training on a fixed or a custom set, run for a chosen time and speed and
// scored as a percentage.
//
// Opened modally by the main window. The two timers call the public slots
// timerLetters_Timer and timerScore_Timer; tests call them directly after
// setManualTimers(true), so nothing moves in real time.
#pragma once

#include "game/PlayRules.h"
#include "platform/Sounds.h"

#include <QDateTime>
#include <QDialog>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace tastolino {

class GradientPanel;

// What the game window reads.
struct GameInput {
    QString appFolder;  // program folder, holding the records file
    QString userName;   // records are kept for a named user only
    bool largeScreen = false;
    bool languageFileActive = false;  // texts from the language file
    bool soundOn = true;
    bool translucent = true;  // translucent windows available: it fades out
    int backgroundTheme = 0;  // the main window's background, 0..10
};

class FrmPlay : public QDialog {
    Q_OBJECT
  public:
    explicit FrmPlay(const GameInput& input, QWidget* parent = nullptr);
    ~FrmPlay() override;

    // Tests: timers keep their on/off state but never fire on their own.
    static void setManualTimers(bool manual);

    // What the window is doing, for the main window and the tests.
    int playMode() const { return playMode_; }
    bool acceptingKeys() const { return acceptingKeys_; }
    int turnNumber() const { return turnNumber_; }
    int32_t gameScore() const { return gameScore_; }
    int trainingHits() const { return trainingHits_; }
    int trainingMisses() const { return trainingMisses_; }
    int playHeight() const { return playHeight_; }
    int letterStep(int slot) const { return letterStep_[size_t(slot)]; }
    const QString& letterSet() const { return letterSet_; }
    std::array<int32_t, 3> bestScores() const { return bestScores_; }
    bool lettersTimerOn() const { return timerLetters_.on; }
    bool scoreTimerOn() const { return timerScore_.on; }
    int lettersInterval() const { return timerLetters_.interval; }

    // The texts of the window's messages (language file or Italian).
    const QString& playText(int index) const { return PlayTexts[size_t(index)]; }

  public slots:
    void optDifficulty_Click(int index);
    void cmdStart_Click();
    void cmdNuovo_Click();
    void cmdExit_Click();
    void timerLetters_Timer();
    void timerScore_Timer();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  public:
    void reject() override;

  private:
    const GameInput input_;
    // A timer that keeps its state even when tests drive it by hand.
    struct PlayTimer {
        QTimer timer;
        bool on = false;
        int interval = 100;
        void setInterval(int ms);
        void start();
        void stop();
    };

    void buildControls();
    void buildSelectionPanel();
    void buildFigurePanels();
    void layoutWindow();
    void applyTexts();
    void drawBand(QWidget* groupLabel);
    // Plays the sound when the game was opened with sounds on.
    void playSound(Sound sound) const;

    void Form_KeyPress(const QString& text);
    bool txtCustom_KeyPress(const QString& text);
    void startRun();
    bool introduction();
    void resetSlots();
    void chooseTurnCharacters();
    void placeTrainingLetters();
    void markTarget();
    void gameKey(QChar c);
    void trainingKey(QChar c);
    bool errorPause();
    void updateTrainingFigures();
    void drawClock();
    void clearClock();
    void nextTurn();
    void endGame();
    void celebrate();
    int drawEmptySlot(bool wantHidden) const;
    void unload();

    // Labels of one slot.
    QLabel* letter(int i) const { return lblLetter[size_t(i)]; }
    void setLetterColour(int i, uint32_t bgr);
    bool isTarget(int i) const { return targetSlot_ == i; }

    // State.
    int playMode_ = 0;
    bool acceptingKeys_ = false;
    int turnNumber_ = 1;
    int32_t gameScore_ = 0;
    int trainingHits_ = 0;
    int trainingMisses_ = 0;
    std::array<int32_t, 3> bestScores_{};
    int32_t scoreToBeat_ = 0;
    std::array<int, game::kSlotCount> letterStep_{};
    int startDepth_ = -50;
    QString letterSet_;
    QDateTime trainingEndTime_;
    double degreesPerSecond_ = 0;
    int playHeight_ = 0;
    int targetSlot_ = -1;
    // Moves on at every start, restart and close, so that a wait that
    // returns into a run that has since been abandoned does not revive it.
    int runSerial_ = 0;
    bool unloaded_ = false;
    std::array<QString, 6> PlayTexts;
    QString noRecordText_;      // the record shown in training: "ND"
    QString recordFailedText_;  // a record that cannot be written; the file follows
    QString numberGroup_ = QStringLiteral(".");
    QString decimalPoint_ = QStringLiteral(",");

    PlayTimer timerLetters_;
    PlayTimer timerScore_;

    // Controls.
    GradientPanel* titlePanel = nullptr;
    QWidget* PicPlay = nullptr;
    GradientPanel* picBottom = nullptr;
    GradientPanel* picLevel = nullptr;
    QWidget* picDisplayPlay = nullptr;
    QWidget* picDisplayTraining = nullptr;
    std::array<QRadioButton*, game::kModeCount> optDifficulty{};
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdNuovo = nullptr;
    QPushButton* cmdExit = nullptr;
    QScrollBar* hsTime = nullptr;
    QScrollBar* hsSpeed = nullptr;
    QLineEdit* txtCustom = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblTimeLbl = nullptr;
    QLabel* lblVelocita = nullptr;
    QLabel* lblAllenamento = nullptr;
    QLabel* lblGioco = nullptr;
    QLabel* lblMessage = nullptr;
    QLabel* imgErrore = nullptr;
    QLabel* lblTotal = nullptr;
    QLabel* lblPunti = nullptr;
    QLabel* lblWinner = nullptr;
    QLabel* lblImgWinner = nullptr;
    QLabel* lblDigOK = nullptr;
    QLabel* lblDigKO = nullptr;
    QLabel* lblTotDigit = nullptr;
    QLabel* lblScoreTraining = nullptr;
    QLabel* picProgressRound = nullptr;
    QLabel* bandLabel_ = nullptr;  // the group label the band is drawn behind
    std::array<QLabel*, game::kSlotCount> lblLetter{};
    std::array<QLabel*, game::kSlotCount> lblSmileOK{};
    std::array<QLabel*, game::kSlotCount> lblSmileNOT{};
    std::array<QLabel*, game::kSlotCount> lblScore{};
};

}  // namespace tastolino
