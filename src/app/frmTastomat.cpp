// Start-up, welcome, modal windows and unload of the main window.
#include "app/frmTastomat.h"

#include "app/MainWindowParts.h"
#include "app/StatsRecorder.h"
#include "app/WindowInputs.h"
#include "app/frmTastomat_view.h"
#include "dialogs/frmInput.h"
#include "exercise/DesktopTexts.h"
#include "exercise/MessageTable.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/DataFolders.h"
#include "platform/FontEngines.h"
#include "platform/FreeMemory.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "platform/StatisticsEntry.h"
#include "platform/WindowProperty.h"
#include "results/frmClassifica.h"
#include "results/frmReportFreeTXT.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageSupport.h"
#include "settings/Settings.h"
#include "ui/ClsResize.h"
#include "ui/GradientPanel.h"
#include "ui/cTooltip.h"
#include "ui/frmShadow.h"
#include "ui/frmTransparency.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace tastolino {

namespace {

// From the end of the start-up to letting go of what the first paints used.
constexpr int kSettleMs = 2000;

QPointer<frmTastomat>& runningWindow() {
    static QPointer<frmTastomat> window;
    return window;
}

}  // namespace

frmTastomat* MainWindow() {
    return runningWindow().data();
}

frmTastomat::frmTastomat(const QString& commandLine, QWidget* parent)
    : QWidget(parent),
      view_(std::make_unique<MainWindowView>(*this)),
      engine(*view_, this),
      commandLine_(commandLine),
      stats_(std::make_unique<StatsRecorder>(statsDatabasePath(), this)) {
    setObjectName(QStringLiteral("frmTastomat"));
    engine.SetRecorder([this](const SentenceRecord& r) { stats_->record(r); });
    setStatisticsOpener([this](QWidget* owner) { ShowStatistics(owner); });
    setWindowTitle(QStringLiteral("Tastolino"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Controls are laid out at the design size; Form_Load sizes the window
    // to the screen afterwards.
    resize(800, 600);
    CreateControls();
    ConnectExerciseControls();
    ApplyInterfaceTexts();
    qApp->installEventFilter(this);
    runningWindow() = this;
}

frmTastomat::~frmTastomat() {
    qApp->removeEventFilter(this);
    if (runningWindow() == this) runningWindow() = nullptr;
    setStatisticsOpener({});
}

void frmTastomat::ApplyInterfaceTexts() {
    AppState& state = appState();
    // The language file found at start-up, or the one chosen since in the
    // language window; a name without a file keeps the Italian texts.
    const InterfaceLanguage& language = interfaceLanguage();
    const bool fromFile =
        !language.folder.isEmpty() && languageFileExists(language.folder, language.name);
    texts_ = fromFile ? LanguageFileMainWindowTexts() : BuiltInMainWindowTexts();
    const MainWindowTexts& texts = texts_;

    messages = texts.messages;
    warningTitle = texts.warningTitle;
    state.results.perMinuteText = texts.perMinuteText;
    setHelpMissingText(texts.helpMissingText);
    state.results.categoryName = messageText(
        messages, state.results.categoryIndex == 1 ? Message::Expert : Message::Beginner);
    engine.UseTexts(
        {messages, texts.praiseGood, texts.praiseGreat, texts.fileWord, texts.bookmarkFailed});
    seams::setButtonTexts({texts.buttons[0], texts.buttons[1], texts.buttons[2], texts.buttons[3]});

    for (size_t i = 0; i < optMenu.size(); ++i) optMenu[i]->setText(texts.sourceCaptions[i]);
    for (size_t i = 0; i < optLevel.size(); ++i) optLevel[i]->setText(texts.levelCaptions[i]);
    for (size_t i = 0; i < bottomCaptions.size(); ++i)
        bottomCaptions[i]->setText(texts.bottomCaptions[i]);
    cmdStart->setToolTip(texts.startTip);
    lblNumFrase->setToolTip(texts.sentenceNumberTip);
    lblNumBatt[0]->setToolTip(texts.counterTips[0]);
    lblNumBatt[1]->setToolTip(texts.counterTips[1]);
    lblSmile->setToolTip(texts.smileTip);
    for (size_t i = 0; i < 3; ++i) lblMediaLevel[i]->setToolTip(texts.averageTips[i]);
    for (size_t i = 0; i < lblMenu.size(); ++i) lblMenu[i]->setToolTip(texts.menuTips[i]);
    ApplyKeyboardTexts();
    // The balloon tips keep the language the program started with.
    SetupBalloonTips(language.fileActive);
}

void frmTastomat::Form_Load() {
    inStartUp_ = true;
    AppState& state = appState();

    // 1. The whole screen, the caption, the command line.
    QSize screen = seams::screenSize();
    if (screen.width() < 800 || screen.height() < 600) screen = screen.expandedTo(QSize(800, 600));
    setWindowTitle(QStringLiteral("Tastolino"));
    state.results.exerciseFile.clear();

    // 3. Sizes that depend on the screen. The keyboard is built after the
    // enlargement because it scales itself.
    EngineLayout layout = EngineLayout::forScreen(state.largeScreen);
    if (state.largeScreen && largeScreenScale().x < ScreenScale::kFullX) {
        // A screen with no room for the full enlargement keeps the bar
        // inside its shrunk track.
        layout.barFullWidth = static_cast<int32_t>(
            std::lround(layout.barFullWidth * largeScreenScale().x / ScreenScale::kFullX));
    }
    engine.UseLayout(layout);
    if (state.largeScreen) {
        resizer_ = std::make_unique<ClsResize>();
        resizer_->SourceForm(this);
        resizer_->SizeFormToScreen();
    } else {
        for (int i = 0; i < 4; ++i) {
            QFont font = optMenu[i]->font();
            font.setPointSizeF(7.5);
            optMenu[i]->setFont(font);
        }
        QFont font = optMenu[4]->font();
        font.setPointSizeF(8);
        optMenu[4]->setFont(font);
    }
    resize(screen);

    // 4. The sentence font and the program folder.
    QFont sentenceFont = lblFraseCorr->font();
    sentenceFont.setPointSize(engine.layout().sentenceFontSize);
    lblFraseCorr->setFont(sentenceFont);
    if (state.appFolder.isEmpty())
        state.appFolder = dataFolderFor(QCoreApplication::applicationDirPath());
    if (!state.appFolder.endsWith(QLatin1Char('/'))) state.appFolder += QLatin1Char('/');
    setInterfaceFolder(state.appFolder);

    // 5./6. Settings, texts, category, per-sentence speeds.
    ApplySettings();
    state.results.sentenceSpeeds.fill(0.0f);

    // 7./8. The keyboard layout and the keyboard picture.
    CheckKeyboardLayout();
    CreateKeyboard();
    CreateEnterPicture();
    ApplyKeyboardOptions();

    // 9. A fresh exercise.
    engine.ResetForFirstExercise();
    cmdStart->setEnabled(false);
    state.results.correctCount = 0;
    state.results.errorCount = 0;
    const int underlineHeight = QFontMetrics(lblFraseCorr->font()).height() + 2;
    shpIndex->setGeometry(lblFraseCorr->x(),
                          lblFraseCorr->geometry().bottom() + 1 - underlineHeight, 0,
                          underlineHeight);

    // 10. Caps Lock must be off.
    if (IsKeyToggledOrDown(kVkCapital)) SwitchCapsLockOff();

    // 11./12. Place the panels, show the window with the menu strip off.
    PlaceMainPanels();
    FitOptionTexts();
    PlaceKeyboardParts();
    EnableMenu(false);
    showFullScreen();
    update();
    RedrawKeyboard();

    WarnIfNothingCanBeSaved();
    if (!lockProblem_.isEmpty())
        seams::message(this, lockUnavailableText(lockProblem_), QStringLiteral("Tastolino"),
                       seams::MsgIcon::Warning);

    // 13. The exercise named on the command line, and the sources.
    if (!commandLine_.isEmpty() && !engine.InterpretCommandLine(commandLine_)) return;
    engine.EnableSources();
    inStartUp_ = false;
}

void frmTastomat::FinishStartUp() {
    if (unloaded_) return;
    inStartUp_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Intro();
    if (!unloaded_) WaitWithEvents(2);
    QApplication::restoreOverrideCursor();
    QCoreApplication::processEvents();
    if (unloaded_) return;
    ShowModalForm(DialogKind::UserName);
    if (unloaded_) return;
    ShowWelcome();
    if (unloaded_) return;
    // The free-text progress bar sits one pixel inside its reference frame.
    const QRect frame = lbliconeScreen[0]->geometry();
    shpProgressTime->setGeometry(frame.x() + 1, frame.y() + 1, shpProgressTime->width(),
                                 frame.height() - 2);
    EnableMenu(true);
    inStartUp_ = false;
    PublishInputState();
    // Once the welcome is on the screen, what only served the first paints
    // goes back to the system while the learner reads it.
    QTimer::singleShot(kSettleMs, this, [this] {
        ReleaseGradientSources();
        if (auto* keyboard = qobject_cast<KeyboardPanel*>(picKeyword)) keyboard->ReleaseFaces();
        ReleaseFontEngines();
        ReturnFreeMemory();
    });
}

QString frmTastomat::InputState() const {
    if (unloaded_ || inStartUp_ || engine.inSentenceEnd()) return QStringLiteral("busy");
    if (!txtInput->isReadOnly() && !engine.sentenceDone()) return QStringLiteral("typing");
    if (cmdStart->isEnabled()) return QStringLiteral("start");
    return QStringLiteral("busy");
}

void frmTastomat::PublishInputState() {
    const QString state = InputState();
    if (property("inputState").toString() == state) return;
    setProperty("inputState", state);
    PublishWindowProperty(this, "_TASTOLINO_INPUT", state.toLatin1());
}

void frmTastomat::Intro() {
    const QFont saved = picDisplay->font();
    QFont font(QStringLiteral("Liberation Mono"));
    font.setBold(true);
    font.setPointSize(appState().largeScreen ? 30 : 22);
    picDisplay->setFont(font);
    const QString title = QStringLiteral("Tastolino");
    picDisplay->SetCurrentPosition((picDisplay->width() - picDisplay->TextWidth(title)) / 2 - 3,
                                   15);
    for (const QChar letter : title) {
        if (unloaded_) break;
        picDisplay->Print(QString(letter));
        WaitWithEvents(180);
        QCoreApplication::processEvents();
        PlaySoundResource(Sound::RightKey);
    }
    if (!unloaded_) WaitWithEvents(300);
    QFont restored = saved;
    restored.setBold(false);
    picDisplay->setFont(restored);
}

void frmTastomat::ShowWelcome() {
    AppState& state = appState();
    lblFraseCorr->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblFraseCorr->setWordWrap(true);
    // Inside the display's frame. The greeting covers the intro title still
    // printed beneath it (the display is cleared once the greeting is over),
    // so the label is opaque for as long as it greets.
    lblFraseCorr->setGeometry(5, 1, picDisplay->width() - 10, picDisplay->height() - 2);
    {
        QPalette palette = lblFraseCorr->palette();
        palette.setColor(QPalette::Window, Qt::white);
        lblFraseCorr->setPalette(palette);
    }
    lblFraseCorr->setAutoFillBackground(true);

    QString text =
        messageText(messages, Message::Hello) + QLatin1Char(' ') + state.results.userName;
    PlaySoundResource(Sound::Welcome);
    lblFraseCorr->setText(text);
    QCoreApplication::processEvents();
    WaitWithEvents(125);
    if (unloaded_) return;

    text += QLatin1Char('\n') + KeepAngleWordsTogether(messageText(messages, Message::ChooseLevel));
    lblFraseCorr->setText(text);
    QCoreApplication::processEvents();
    WaitWithEvents(125);
    if (unloaded_) return;

    if (state.results.exerciseFile.isEmpty() && engine.sources().hasFileSources) {
        picMenu->show();
        text += messageText(messages, Message::ChooseFile);
    }
    picLevel->show();
    lblFraseCorr->setText(text);
    WaitSeconds(1, true);
    if (unloaded_) return;

    cmdStart->setEnabled(true);
    engine.FlashBotton();
    picDisplay->Cls();
    lblFraseCorr->setAutoFillBackground(false);
    RedrawKeyboard();
    ShowCoverWindow();
    if (unloaded_) return;
    // An Enter pressed while the invitation slid in has started a sentence
    // already: its input box keeps the focus.
    if (cmdStart->isEnabled()) picKeyword->setFocus();
}

void frmTastomat::ShowCoverWindow() {
    auto* keyboard = qobject_cast<KeyboardPanel*>(picKeyword);
    if (!keyboard || !isVisible()) return;
    // Over the upper left of the keyboard: the top of key 10, a little to
    // the right of its left edge.
    const QPoint target = keyboard->mapToGlobal(keyboard->keyRect(10).topLeft()) + QPoint(10, 0);
    frmTransparency::SetHint(
        KeepAngleWordsTogether(messageText(messages, Message::ChooseLevel).trimmed()));
    // Its tail points at the Enter button the words speak of.
    frmTransparency::SetOptions(coverOptions());
    frmTransparency::ShowCover(this, target, cmdStart->mapToGlobal(cmdStart->rect().center()));
}

void frmTastomat::UnloadCoverWindow() {
    frmTransparency::SetOptions(coverOptions());
    frmTransparency::UnloadCover();
}

void frmTastomat::ShowModalForm(DialogKind kind) {
    AppState& state = appState();
    state.pendingDialog = kind;
    const auto runDialog = [](DialogKind which, QWidget* owner) {
        switch (which) {
            case DialogKind::UserName: {
                frmInput dialog(userNameInput(), owner);
                seams::execModal(&dialog);
                if (dialog.userName()) appState().results.userName = *dialog.userName();
                break;
            }
            case DialogKind::Results: {
                frmClassifica dialog(resultsWindowInput(), owner);
                seams::execModal(&dialog);
                appState().results.resultsAnswer = dialog.answer();
                break;
            }
            case DialogKind::FreeTextReport: {
                frmReportFreeTXT dialog(resultsWindowInput(), owner);
                seams::execModal(&dialog);
                break;
            }
            case DialogKind::None:
                break;
        }
    };
    // With translucent windows the main window is dimmed behind the dialog.
    if (state.windows2000OrLater && isVisible()) {
        frmShadow::ShowOver(this, kind, runDialog);
    } else {
        runDialog(kind, this);
    }
}

void frmTastomat::EnableMenu(bool on) {
    for (QLabel* item : lblMenu) item->setEnabled(on);
    if (!on) shpEV->hide();
}

void frmTastomat::ApplySettings() {
    AppState& state = appState();
    const MainOptions options = LoadSettings(state.appFolder);
    setInterfaceLanguageName(options.languageName);
    setInterfaceLanguageFileActive(options.languageFileActive);
    ApplyInterfaceTexts();

    ergonomicOn = options.ergonomicOn;
    state.soundOn = options.soundOn;
    fingerMapOn = options.fingerMapOn;
    engine.SetHighlight(options.highlightOn);
    flatKeyboardOn = options.flatKeyboardOn;
    // A hand-edited file may name a theme that does not exist.
    state.backgroundTheme = (options.backgroundTheme >= 0 && options.backgroundTheme < kThemeCount)
                                ? options.backgroundTheme
                                : int16_t(0);
    RefreshMenuMarkers();
    SetCategory(options.category == 1 ? 1 : 0);
}

void frmTastomat::WarnIfNothingCanBeSaved() {
    const QString& folder = appState().appFolder;
    const UserFolders user = UserFolders::fromEnvironment();
    QStringList folders = unwritablePlaces(folder, WrittenKind::Settings, user);
    for (const QString& f : unwritablePlaces(folder, WrittenKind::UserData, user))
        if (!folders.contains(f)) folders << f;
    if (folders.isEmpty()) return;
    seams::message(this, cannotSaveText(folders), QStringLiteral("Tastolino"),
                   seams::MsgIcon::Warning);
}

MainOptions frmTastomat::CurrentOptions() const {
    const AppState& state = appState();
    MainOptions options;
    options.ergonomicOn = ergonomicOn;
    options.soundOn = state.soundOn;
    options.fingerMapOn = fingerMapOn;
    options.highlightOn = engine.highlightOn();
    options.flatKeyboardOn = flatKeyboardOn;
    options.backgroundTheme = state.backgroundTheme;
    options.category = state.results.categoryIndex;
    options.languageName = interfaceLanguage().name;
    options.languageFileActive = interfaceLanguage().fileActive;
    return options;
}

void frmTastomat::RefreshMenuMarkers() {
    const QColor on(0x2E, 0xB8, 0x4A);
    const QColor off(0xB4, 0xBC, 0xC8);
    shpMenu[3]->SetFillColor(appState().soundOn ? on : off);
    shpMenu[4]->SetFillColor(fingerMapOn ? on : off);
    shpMenu[5]->SetFillColor(engine.highlightOn() ? on : off);
}

void frmTastomat::Unload() {
    close();
}

void frmTastomat::closeEvent(QCloseEvent* event) {
    event->accept();
    if (unloaded_) return;
    unloaded_ = true;
    // Whatever the engine was waiting on must not carry on in a closed window.
    engine.Stop();
    const AppState& state = appState();
    SaveSettings(state.appFolder, CurrentOptions());
    RestoreKeyboard();
    resizer_.reset();

    // Every other window of the program goes too, so that nothing keeps the
    // program alive behind the closed main window.
    // Closing one window may delete another (a tooltip, a bubble): each is
    // held by a guard that notices.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) windows << window;
    for (const QPointer<QWidget>& window : windows) {
        if (!window || window == this || !window->isVisible()) continue;
        if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
        window->close();
        QCoreApplication::processEvents();
    }
    emit unloaded();
}

void frmTastomat::paintEvent(QPaintEvent* event) {
    const int theme = appState().backgroundTheme;
    QPainter p(this);
    PaintRows(p, event->region(), size(),
              [theme](QPainter& strip, const QSize& s) { PaintBackground(strip, s, theme); });
}

}  // namespace tastolino
