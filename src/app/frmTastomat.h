// The main window: the sentence area, the input box, counters and gauges,
// the source menu and the level panel, the on-screen keyboard and the menu
// strip. It owns the interface texts and the state of the running exercise,
// guards the keyboard (Esc, Caps Lock, F1, right mouse button) and saves
// the settings when it unloads.
#pragma once

#include "app/modTastomat.h"
#include "exercise/ExerciseEngine.h"
#include "settings/LanguageSupportMainTexts.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace tastolino {

class BlinkPicture;
class ClsResize;
class cTooltip;
class DisplayPanel;
class GradientPanel;
class HoverFrame;
class ShapeBox;
class MainWindowView;
class StatsRecorder;

class frmTastomat : public QWidget {
    Q_OBJECT
  public:
    // commandLine: the program's arguments joined by blanks (the exercise
    // file is given as "/" + name).
    explicit frmTastomat(const QString& commandLine = {}, QWidget* parent = nullptr);
    ~frmTastomat() override;

    // Start-up in two halves: Form_Load prepares everything and shows the
    // window; FinishStartUp plays the intro, asks for the user name and
    // greets. Either may end in an unload (see IsUnloaded).
    void Form_Load();
    // The folder where the lock against a second copy could not be taken;
    // Form_Load tells the learner.
    void SetLockProblem(const QString& folder) { lockProblem_ = folder; }
    void FinishStartUp();
    bool IsUnloaded() const { return unloaded_; }

    // Operations other windows and the exercise use.
    void ShowModalForm(DialogKind kind);
    void EnableMenu(bool on);
    void StartSentence();
    void MenuCommand(int index);
    void ShowWelcome();
    void SetCategory(int index, bool clicked = false);
    // The options as they stand now, as the settings file stores them.
    MainOptions CurrentOptions() const;
    // Closes the main window the orderly way: settings saved, layout given
    // back, every other window closed.
    void Unload();
    // What the keyboard does in the window now: "typing" (the input box
    // takes the keys of a sentence), "start" (Enter starts the next
    // sentence) or "busy" (keys are swallowed). Kept in the window's
    // "inputState" property and published on its X window as
    // _TASTOLINO_INPUT, so that a program driving it from outside (the
    // end-to-end tests) waits for the state instead of guessing a time.
    QString InputState() const;
    void PublishInputState();

    // The learning statistics of this run.
    StatsRecorder& stats() { return *stats_; }
    // The statistics window, over `parent` (this window or the results
    // window); a drill chosen there starts at once.
    void ShowStatistics(QWidget* parent);
    // Starts the exercise file `path` the way one named on the command line
    // starts, leaving whatever ran before.
    void StartCommandLineExercise(const QString& path);

  private:
    // Declared before the engine, which is built on it.
    std::unique_ptr<MainWindowView> view_;

  public:
    // The running exercise; it owns the state of sentences and keystrokes
    // and the two timers ("Timer1" sentence clock, "Timer2" Enter blinker).
    ExerciseEngine engine;

    // Interface texts.
    QStringList messages;
    QString warningTitle;

  private:
    // Options of the window, kept in the settings; CurrentOptions tells
    // them. Highlighting belongs to the engine (engine.highlightOn()),
    // which needs it on every keystroke.
    bool fingerMapOn = true;
    bool ergonomicOn = false;
    bool flatKeyboardOn = false;

    // Controls, named as their object names (which is how tests find them).
    DisplayPanel* picDisplay = nullptr;
    QLabel* lblFraseCorr = nullptr;
    ShapeBox* shpIndex = nullptr;
    QLineEdit* txtInput = nullptr;
    QPushButton* cmdStart = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblNumFrase = nullptr;
    std::array<QLabel*, 2> lblNumBatt{};
    QLabel* lblSmile = nullptr;
    std::array<QLabel*, 6> lblMediaLevel{};
    GradientPanel* picMessaggio = nullptr;
    QLabel* lblMessaggio = nullptr;
    QLabel* imgIconaPunteggio = nullptr;
    QWidget* picProgress = nullptr;
    QLabel* picMax = nullptr;
    QLabel* imgGradiente = nullptr;
    std::array<QLabel*, 2> imgMedia{};
    ShapeBox* shpProgressTime = nullptr;
    std::array<QLabel*, 1> lbliconeScreen{};
    GradientPanel* picMenu = nullptr;
    std::array<QRadioButton*, 5> optMenu{};
    QComboBox* cboListFile = nullptr;
    QLabel* lblIconaEsercizio = nullptr;
    GradientPanel* picLevel = nullptr;
    std::array<QRadioButton*, 2> optLevel{};
    // Items 0..7 run MenuCommand(0..7); item 8 opens the statistics.
    std::array<QLabel*, 9> lblMenu{};
    std::array<ShapeBox*, 9> shpMenu{};
    HoverFrame* shpEV = nullptr;
    GradientPanel* picNotebook = nullptr;
    GradientPanel* picFondoNotebook = nullptr;
    GradientPanel* picBottomBar = nullptr;
    // The captions above the fields of the bottom bar and above the level
    // averages: time, sentence, correct, wrong, errors, level averages.
    std::array<QLabel*, 6> bottomCaptions{};
    QWidget* picKeyword = nullptr;
    BlinkPicture* imgPremi = nullptr;  // the blinking "press Enter" picture

  public:
    // Balloon tips of the source options and of the level options.
    std::unique_ptr<cTooltip> sourceTips;
    std::unique_ptr<cTooltip> levelTips;

  signals:
    // The main window has unloaded: the program ends.
    void unloaded();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class MainWindowView;
    // Construction of the controls at design size (800 x 600).
    void CreateControls();
    void CreateNotebook();
    void CreateSourceMenu(QWidget* parent);
    void CreateLevelPanel(QWidget* parent);
    void CreateBottomBar();
    void CreateMenuStrip();
    void CreateKeyboard();
    void CreateEnterPicture();
    // Clicks and keys that reach the exercise engine.
    void ConnectExerciseControls();
    bool HandleInputKey(QKeyEvent* event);
    // Centres the notebook and hangs the menu strip and the bottom bar on it.
    void PlaceMainPanels();
    // Option captions too long for their panel get a smaller font.
    void FitOptionTexts();

    void ApplyInterfaceTexts();
    void ApplySettings();
    // Tells the learner once when settings and records cannot be kept.
    void WarnIfNothingCanBeSaved();
    QString lockProblem_;
    void RefreshMenuMarkers();
    void ApplyKeyboardOptions();
    void SetKey25ToolTip();
    // The tooltips and captions of the keyboard panel and its key map.
    void ApplyKeyboardTexts();
    void Intro();
    void ShowAbout();
    void ToggleSound();
    void ToggleFingerMap();
    void ToggleHighlight();
    void NextBackgroundTheme();
    void OpenGame();
    void HideCoverWindow();
    // The sliding cover window over the keyboard: shown after the welcome,
    // unloaded when a sentence starts.
    void ShowCoverWindow();
    void UnloadCoverWindow();
    // fromFile: the texts of the language file, else the built-in ones.
    void SetupBalloonTips(bool fromFile);
    void RedrawKeyboard();
    void PlaceKeyboardParts();
    // Where the external key map hides no control (its top, in window
    // coordinates).
    int KeyMapTop() const;
    void CheckKeyboardLayout();
    void RestoreKeyboard();

    // Keyboard and mouse guards; true when the event is used up.
    bool HandleKeyPress(QKeyEvent* event);
    bool HandleKeyRelease(QKeyEvent* event);
    bool HandleInputMouse(QEvent* event);
    bool HandleMenuMouse(int index, QEvent* event);
    void CapsLockWarning();
    void ShowCapsLockMarker(bool visible);
    void PlaceCaretAtEnd();

    QString commandLine_;
    std::unique_ptr<StatsRecorder> stats_;
    MainWindowTexts texts_;
    std::unique_ptr<ClsResize> resizer_;
    bool unloaded_ = false;
    bool inStartUp_ = false;
    // The last Esc press went to this window (not to a box or list in
    // front of it): only then does its release ask to close.
    bool escapePressedHere_ = false;
};

// The window that is running, or null.
frmTastomat* MainWindow();

}  // namespace tastolino
