// The main window: the sentence area, the input box, counters and gauges,
// the source menu and the level panel, the on-screen keyboard and the menu
// strip. It owns the interface texts and the state of the running exercise,
// guards the keyboard (Esc, Caps Lock, F1, right mouse button) and saves
// the settings when it unloads.
#pragma once

#include "app/modTastomat.h"
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

class ClsResize;
class DisplayPanel;
class GradientPanel;
class HoverFrame;
class ShapeBox;

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
    void FinishStartUp();
    bool IsUnloaded() const { return unloaded_; }

    // Operations other windows and the exercise use.
    void ShowModalForm(int kind);
    void EnableMenu(bool on);
    void StartSentence();
    void MenuCommand(int index);
    void ShowWelcome();
    void SetCategory(int index);
    void FlashBotton();
    void InterpretCommandLine(const QString& arg);
    void EnableSources();
    // The options as they stand now, as the settings file stores them.
    MainOptions CurrentOptions() const;
    // Closes the main window the orderly way: settings saved, layout given
    // back, every other window closed.
    void Unload();

    // Interface texts.
    QStringList messages;
    QStringList praiseGood;
    QStringList praiseGreat;
    QString warningTitle;

    // State of the exercise (16-bit values as in the stored data).
    QString commandLineArg;
    QString expectedChar;
    int16_t expectedKeyIndex = 0;
    bool sentenceDone = false;
    bool inSentenceEnd = false;
    QDateTime sentenceStart;
    int16_t textPos = 0;
    bool highlightOn = true;
    int16_t levelScoreSum = 0;
    bool exerciseRunning = false;
    bool firstOfLevel = false;
    bool fingerMapOn = true;
    bool ergonomicOn = false;
    bool flatKeyboardOn = false;
    bool restartPending = false;
    int16_t sentenceNo = 0;
    bool courseMode = false;
    QString bookmarkName;
    int32_t barFullWidth = 300;
    int32_t speedBarWidth = 0;
    QString counterSeparator = QStringLiteral("/");
    int16_t sentenceCorrect = 0;
    int16_t sentenceErrors = 0;
    int16_t freeTextFontSize = 18;
    int16_t sentenceFontSize = 12;
    bool textFileChosen = false;
    float progressPerChar = 0;
    bool hasFileSources = false;
    std::array<int16_t, 16> usedSentences{};  // [1..15]

    // Controls, named as their object names.
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
    QWidget* picMax = nullptr;
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
    std::array<QLabel*, 8> lblMenu{};
    std::array<ShapeBox*, 8> shpMenu{};
    HoverFrame* shpEV = nullptr;
    GradientPanel* picNotebook = nullptr;
    GradientPanel* picFondoNotebook = nullptr;
    GradientPanel* picBottomBar = nullptr;
    QWidget* picKeyword = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // The tooltip of each menu strip item.
    static const std::array<QString, 8>& MenuToolTips();

  signals:
    // The main window has unloaded: the program ends.
    void unloaded();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void Timer1_Timer();
    void Timer2_Timer();

  private:
    // Construction of the controls at design size (800 x 600).
    void CreateControls();
    void CreateNotebook();
    void CreateSourceMenu(QWidget* parent);
    void CreateLevelPanel(QWidget* parent);
    void CreateBottomBar();
    void CreateMenuStrip();
    void CreateKeyboard();
    // Centres the notebook and hangs the menu strip and the bottom bar on it.
    void PlaceMainPanels();

    void ApplyInterfaceTexts();
    void ApplySettings();
    void RefreshMenuMarkers();
    void ApplyKeyboardOptions();
    void SetKey25ToolTip();
    void Intro();
    void Restart();
    void ShowAbout();
    void ToggleSound();
    void ToggleFingerMap();
    void ToggleHighlight();
    void NextBackgroundTheme();
    void TypeExpectedChar();
    void OpenGame();
    void HideCoverWindow();
    void RedrawKeyboard();
    void PlaceKeyboardParts();
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

    std::unique_ptr<ClsResize> resizer_;
    QPixmap background_;
    int backgroundTheme_ = -1;
    bool unloaded_ = false;
    bool inStartUp_ = false;
};

// The window that is running, or null.
frmTastomat* MainWindow();

}  // namespace tastolino
