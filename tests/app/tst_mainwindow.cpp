// The main window driven offscreen through its real controls: the menu
// strip, the keyboard and mouse guards, restart, the user name and the
// settings kept across runs.
#include "EngineProbe.h"
#include "WindowControls.h"
#include "app/MainWindowParts.h"
#include "app/StartupChecks.h"
#include "app/frmTastomat.h"
#include "keyboard/KeyboardLayout.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/TestFiles.h"
#include "ui/GradientPanel.h"
#include "ui/HelpViewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tastolino;
using seams::MsgAnswer;

namespace {

using tastolino::testing::GermanLayout;

using tastolino::testing::readFile;
using tastolino::testing::writeFile;

// Watches the windows that come up while a test runs them for real (no
// message or modal hook): records every message box and answers each
// window that `answer` names with an Esc key press, the way a user's Esc
// reaches the window in front. The release of that Esc is left to the test:
// it goes to whatever window is in front once the box has closed.
class EscapeAnswerer : public QObject {
  public:
    QStringList boxes;
    QStringList windows;
    std::function<void(QWidget*)> onShow;

    EscapeAnswerer() { qApp->installEventFilter(this); }
    ~EscapeAnswerer() override { qApp->removeEventFilter(this); }

    static void pressEscape(QWidget* window) {
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_Escape, QString(), Qt::NoModifier);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow()) return false;
        if (auto* box = qobject_cast<QMessageBox*>(widget)) boxes << box->text();
        windows << widget->objectName();
        QPointer<QWidget> guard(widget);
        QTimer::singleShot(0, this, [this, guard] {
            if (!guard) return;
            if (onShow)
                onShow(guard);
            else
                pressEscape(guard);
        });
        return false;
    }
};

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QList<seams::MessageRequest> asked_;
    QList<MsgAnswer> answers_;
    QList<int> sounds_;
    int nameDialogs_ = 0;
    QString nameToType_ = QStringLiteral("mario");
    bool rememberName_ = false;
    bool capsOn_ = false;
    int capsSwitchedOff_ = 0;
    QSize screen_{800, 600};

    QString iniPath() const { return folder_->filePath(QStringLiteral("Tastolino.ini")); }

    std::unique_ptr<frmTastomat> start(const QString& commandLine = {}) {
        tastolino::testing::freshProgramState(folder_->path() + QLatin1Char('/'));
        appState().largeScreen = IsLargeScreen(screen_);
        largeScreenScale() = ScaleForScreen(screen_);
        return tastolino::testing::startMainWindow(commandLine);
    }

    void press(QWidget* item) {
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        asked_.clear();
        answers_.clear();
        sounds_.clear();
        nameDialogs_ = 0;
        nameToType_ = QStringLiteral("mario");
        rememberName_ = false;
        capsOn_ = false;
        capsSwitchedOff_ = 0;
        screen_ = QSize(800, 600);
        seams::setInstantWaits(true);
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            asked_ << r;
            return answers_.isEmpty() ? MsgAnswer::Ok : answers_.takeFirst();
        });
        seams::setSoundHook([this](int id) { sounds_ << id; });
        seams::setScreenSizeHook([this] { return screen_; });
        seams::setCapsLockHooks([this] { return capsOn_; },
                                [this] {
                                    ++capsSwitchedOff_;
                                    capsOn_ = false;
                                });
        seams::setModalHook([this](QDialog* dialog) {
            if (dialog->objectName() == QLatin1String("frmInput")) {
                ++nameDialogs_;
                dialog->show();
                auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente"));
                box->setText(nameToType_);
                if (auto* remember = dialog->findChild<QCheckBox*>(QStringLiteral("chkRemember")))
                    remember->setChecked(rememberName_);
            }
            dialog->accept();
            return int(QDialog::Accepted);
        });
        setLayoutBackend(std::make_unique<GermanLayout>());
    }

    void cleanup() {
        seams::resetAll();
        folder_.reset();
    }

    void startUpShowsTheWindowAndGreets() {
        nameToType_ = QStringLiteral("  anna Bianchi ");
        auto w = start();
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Tastolino"));
        QCOMPARE(nameDialogs_, 1);
        QCOMPARE(appState().results.userName, QStringLiteral("ANNA BIANCHI"));
        QVERIFY(control<QLabel>(*w, "lblFraseCorr")
                    ->text()
                    .startsWith(QStringLiteral("Ciao ANNA BIANCHI\n")));
        QVERIFY(control<QPushButton>(*w, "cmdStart")->isEnabled());
        QVERIFY(control<QWidget>(*w, "picLevel")->isVisible());
        for (QLabel* item : controls<QLabel>(*w, "lblMenu")) QVERIFY(item->isEnabled());
        // Every letter of the title clicks, the greeting has its own sound.
        QCOMPARE(sounds_.count(107), 9);
        QCOMPARE(sounds_.count(110), 1);
        QVERIFY(asked_.isEmpty());
        for (const char* name : {"picDisplay",       "lblFraseCorr",    "shpIndex",
                                 "txtInput",         "cmdStart",        "lblTime",
                                 "lblNumFrase",      "lblNumBatt1",     "lblSmile",
                                 "lblMediaLevel5",   "picMessaggio",    "picProgress",
                                 "picMax",           "imgGradiente",    "imgMedia1",
                                 "shpProgressTime",  "lbliconeScreen0", "picMenu",
                                 "optMenu4",         "cboListFile",     "lblIconaEsercizio",
                                 "picLevel",         "optLevel1",       "lblMenu7",
                                 "shpMenu7",         "shpEV",           "picNotebook",
                                 "picFondoNotebook", "picBottomBar",    "picKeyword",
                                 "Timer1",           "Timer2"})
            QVERIFY2(w->findChild<QObject*>(QString::fromLatin1(name)), name);
        const QRect keyboard = control<QWidget>(*w, "picKeyword")->geometry();
        QCOMPARE(keyboard.topLeft(), QPoint(12, 243));
        QCOMPARE(keyboard.size(), QSize(597, 215));
    }

    void blankNameStaysEmpty() {
        nameToType_ = QStringLiteral("     ");
        auto w = start();
        QCOMPARE(appState().results.userName, QString());
        w->ShowModalForm(DialogKind::UserName);
        QCOMPARE(appState().pendingDialog, DialogKind::UserName);
        QCOMPARE(nameDialogs_, 2);
    }

    void menuStripTooltipsAndMarkers() {
        auto w = start();
        const QStringList tips = {"Chiude il programma",
                                  "Ricomincia da capo",
                                  "Informazioni e guida",
                                  "Abilita o disabilita i suoni",
                                  "Visualizza o nasconde la mappa \"tasto/dito\"",
                                  "Evidenzia o nasconde i tasti da premere",
                                  "Cambia il colore dello sfondo",
                                  ""};
        for (int i = 0; i < 8; ++i) QCOMPARE(control<QLabel>(*w, "lblMenu", i)->toolTip(), tips[i]);
        QVERIFY(!control<QLabel>(*w, "lblMenu", 7)->isVisible());
        QVERIFY(!control<ShapeBox>(*w, "shpMenu", 7)->isVisible());

        // Sounds: heard when switched off and when switched on again.
        sounds_.clear();
        const QColor soundOnColour = control<ShapeBox>(*w, "shpMenu", 3)->FillColor();
        press(control<QLabel>(*w, "lblMenu", 3));
        QVERIFY(!appState().soundOn);
        QVERIFY(control<ShapeBox>(*w, "shpMenu", 3)->FillColor() != soundOnColour);
        press(control<QLabel>(*w, "lblMenu", 3));
        QVERIFY(appState().soundOn);
        QCOMPARE(control<ShapeBox>(*w, "shpMenu", 3)->FillColor(), soundOnColour);
        QCOMPARE(sounds_, QList<int>({111, 111}));

        // With sounds on, the highlight and the background click; the finger
        // map switches without a sound.
        sounds_.clear();
        press(control<QLabel>(*w, "lblMenu", 4));
        QVERIFY(!w->CurrentOptions().fingerMapOn);
        QVERIFY(sounds_.isEmpty());
        press(control<QLabel>(*w, "lblMenu", 4));
        QVERIFY(w->CurrentOptions().fingerMapOn);
        press(control<QLabel>(*w, "lblMenu", 5));
        press(control<QLabel>(*w, "lblMenu", 5));
        press(control<QLabel>(*w, "lblMenu", 6));
        QCOMPARE(sounds_, QList<int>({111, 111, 111}));

        // Finger map and highlight toggle with their markers; silent while
        // sounds are off.
        press(control<QLabel>(*w, "lblMenu", 3));
        sounds_.clear();
        press(control<QLabel>(*w, "lblMenu", 4));
        press(control<QLabel>(*w, "lblMenu", 5));
        press(control<QLabel>(*w, "lblMenu", 6));
        QVERIFY(!w->CurrentOptions().fingerMapOn);
        QVERIFY(!w->engine.highlightOn());
        QVERIFY(control<ShapeBox>(*w, "shpMenu", 4)->FillColor() != soundOnColour);
        QVERIFY(control<ShapeBox>(*w, "shpMenu", 5)->FillColor() != soundOnColour);
        QVERIFY(sounds_.isEmpty());
    }

    void hoverFrameFollowsTheMouse() {
        auto w = start();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(control<QLabel>(*w, "lblMenu", 2), &enter);
        QVERIFY(control<HoverFrame>(*w, "shpEV")->isVisible());
        QCOMPARE(control<HoverFrame>(*w, "shpEV")->geometry(),
                 control<QLabel>(*w, "lblMenu", 2)->geometry().adjusted(1, 1, -1, -1));
        QTest::mousePress(control<QLabel>(*w, "lblMenu", 2), Qt::LeftButton);
        QVERIFY(control<HoverFrame>(*w, "shpEV")->Inverted());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(control<QLabel>(*w, "lblMenu", 2), &leave);
        QVERIFY(!control<HoverFrame>(*w, "shpEV")->isVisible());
    }

    void themeCyclesThroughElevenAndBack() {
        auto w = start();
        appState().backgroundTheme = 4;
        sounds_.clear();
        QList<int> seen;
        for (int i = 0; i < 11; ++i) {
            press(control<QLabel>(*w, "lblMenu", 6));
            seen << appState().backgroundTheme;
        }
        QCOMPARE(seen, QList<int>({5, 6, 7, 8, 9, 10, 0, 1, 2, 3, 4}));
        QCOMPARE(sounds_, QList<int>(11, 111));
    }

    // A program folder that cannot be written keeps the options in the
    // user's configuration folder; when that cannot be made either, the
    // learner is told once at the start, before anything is lost.
    void readOnlyProgramFolder() {
        const QString app = folder_->path();
        const QString cfg = app + QStringLiteral("/home/cfg");
        const QString data = app + QStringLiteral("/home/data");
        QVERIFY(QDir().mkpath(app + QStringLiteral("/home")));
        const QByteArray saved[] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_DATA_HOME")};
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(cfg));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        QVERIFY(QFile::setPermissions(app, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

        auto w = start();
        QVERIFY(asked_.isEmpty());
        press(control<QLabel>(*w, "lblMenu", 6));
        w->Unload();
        QVERIFY(
            readFile(cfg + QStringLiteral("/tastolino/Tastolino.ini")).contains("BackColor=1\r\n"));
        QVERIFY(!QFileInfo::exists(iniPath()));
        w.reset();
        QCOMPARE(start()->windowTitle(), QStringLiteral("Tastolino"));
        QCOMPARE(appState().backgroundTheme, int16_t(1));
        QVERIFY(asked_.isEmpty());

        QVERIFY(QFile::setPermissions(app + QStringLiteral("/home"),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(app + QStringLiteral("/home/other")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(app + QStringLiteral("/home/other")));
        w = start();
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(asked_[0].icon, seams::MsgIcon::Warning);
        QCOMPARE(asked_[0].text,
                 QStringLiteral("Le impostazioni, il nome, il punto raggiunto nel corso e i record "
                                "non potranno essere salvati: non è possibile scrivere in nessuna "
                                "di queste cartelle:\n") +
                     app + QStringLiteral("/\n") + app + QStringLiteral("/home/other/tastolino/"));
        w->Unload();
        QCOMPARE(asked_.size(), 1);

        const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        QFile::setPermissions(app + QStringLiteral("/home"), all);
        QFile::setPermissions(app, all);
        qputenv("XDG_CONFIG_HOME", saved[0]);
        qputenv("XDG_DATA_HOME", saved[1]);
    }

    // Where the lock against a second copy could not be taken the program
    // still starts, and says so once, with the folder; a language file may
    // word it.
    void lockThatCannotBeTakenIsTold() {
        appState() = AppState();
        resetInterfaceLanguage();
        appState().appFolder = folder_->path() + QLatin1Char('/');
        setInterfaceFolder(appState().appFolder);
        const QString lockFolder = QStringLiteral("/run/somewhere");
        {
            frmTastomat w;
            w.SetLockProblem(lockFolder);
            w.Form_Load();
            QVERIFY(!w.IsUnloaded());
        }
        const auto told = [&] {
            QStringList texts;
            for (const seams::MessageRequest& r : asked_)
                if (r.text.endsWith(QLatin1Char('\n') + lockFolder)) texts << r.text;
            return texts;
        };
        QCOMPARE(told().size(), 1);
        QVERIFY(told()[0].startsWith(QStringLiteral("Non è possibile impedire che Tastolino")));
        QCOMPARE(asked_.last().icon, seams::MsgIcon::Warning);

        asked_.clear();
        QDir(folder_->path()).mkpath(QStringLiteral("Lang"));
        writeFile(folder_->filePath(QStringLiteral("Lang/English.lng")),
                  "[Strings]\r\n9010=Tastolino cannot make sure it runs only once:\r\n");
        writeFile(iniPath(), "[Language]\r\nCurrentLanguage=English\r\n");
        {
            frmTastomat w;
            w.SetLockProblem(lockFolder);
            w.Form_Load();
        }
        QCOMPARE(told(),
                 QStringList{QStringLiteral("Tastolino cannot make sure it runs only once:\n") +
                             lockFolder});
    }

    void menuIsOffUntilStartUpEnds() {
        appState() = AppState();
        resetInterfaceLanguage();
        appState().appFolder = folder_->path() + QLatin1Char('/');
        setInterfaceFolder(appState().appFolder);
        frmTastomat w;
        w.Form_Load();
        for (QLabel* item : controls<QLabel>(w, "lblMenu")) QVERIFY(!item->isEnabled());
        press(control<QLabel>(w, "lblMenu", 6));
        QCOMPARE(appState().backgroundTheme, int16_t(0));
    }

    void escapeAsksAndNoLeavesEverythingAsItWas() {
        auto w = start();
        w->findChild<QTimer*>(QStringLiteral("Timer1"))->start();
        EngineProbe::setCursor(w->engine, 7);
        EngineProbe::setSentenceNumber(w->engine, 3);
        control<QLineEdit>(*w, "txtInput")->setReadOnly(false);
        control<QLineEdit>(*w, "txtInput")->setText(QStringLiteral("die wie"));
        answers_ << MsgAnswer::No;
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_Escape);
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(asked_[0].buttons, seams::MsgButtons::YesNo);
        QCOMPARE(asked_[0].icon, seams::MsgIcon::Question);
        QCOMPARE(asked_[0].text, QStringLiteral("Vuoi chiudere il programma?\n(Se chiudi il "
                                                "programma adesso, tutti i dati verranno persi)"));
        QVERIFY(w->isVisible());
        QVERIFY(!w->IsUnloaded());
        QVERIFY(w->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        QCOMPARE(w->engine.cursorPosition(), 7);
        QCOMPARE(w->engine.sentenceNumber(), 3);
        QCOMPARE(control<QLineEdit>(*w, "txtInput")->text(), QStringLiteral("die wie"));
        QCOMPARE(control<QLineEdit>(*w, "txtInput")->cursorPosition(), 7);

        answers_ << MsgAnswer::Yes;
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_Escape);
        QVERIFY(w->IsUnloaded());
        QVERIFY(!w->isVisible());
        QVERIFY(QFile::exists(iniPath()));
    }

    // Esc belongs to the window that took its press. Each case runs the
    // real windows modally: the Esc press closes the window in front, its
    // release then reaches the main window, which must not ask to close.
    void escapeReleaseOfAnotherWindowIsNotOurs_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("close question") << "close";
        QTest::newRow("about window") << "about";
        QTest::newRow("print question") << "print";
        QTest::newRow("restart question during a sentence") << "restart";
        QTest::newRow("open file list") << "list";
    }
    void escapeReleaseOfAnotherWindowIsNotOurs() {
        QFETCH(QString, what);
        QDir(folder_->path()).mkpath(QStringLiteral("Esercizi"));
        writeFile(folder_->filePath(QStringLiteral("Esercizi/prova.lez")),
                  "[Livello1]\r\n1=prova\r\n");
        auto w = start();
        seams::setMessageHook({});
        seams::setModalHook({});
        seams::setPrinterAvailableHook([] { return true; });
        EscapeAnswerer answerer;
        const auto releaseEscapeOnMain = [&] {
            QTest::sendKeyEvent(QTest::Release, control<QLineEdit>(*w, "txtInput"), Qt::Key_Escape,
                                QString(), Qt::NoModifier);
        };

        if (what == QLatin1String("close")) {
            QTest::sendKeyEvent(QTest::Press, control<QLineEdit>(*w, "txtInput"), Qt::Key_Escape,
                                QString(), Qt::NoModifier);
            releaseEscapeOnMain();  // the close question, answered with Esc
            QCOMPARE(answerer.boxes.size(), 1);
        } else if (what == QLatin1String("about")) {
            press(control<QLabel>(*w, "lblMenu", 2));
            QCOMPARE(answerer.windows, QStringList{QStringLiteral("frmAbout")});
        } else if (what == QLatin1String("print")) {
            answerer.onShow = [](QWidget* window) {
                if (window->objectName() == QLatin1String("frmAbout")) {
                    QWidget* print = window->findChild<QWidget*>(QStringLiteral("lblPrintKey"));
                    QTest::mouseClick(print, Qt::LeftButton, {}, print->rect().center());
                } else {
                    EscapeAnswerer::pressEscape(window);
                }
            };
            press(control<QLabel>(*w, "lblMenu", 2));
            QCOMPARE(answerer.boxes.size(), 1);
            QVERIFY(answerer.boxes[0].startsWith(QStringLiteral("Vuoi stampare la tastiera")));
        } else if (what == QLatin1String("restart")) {
            QTest::keyClick(control<QWidget>(*w, "picKeyword"), Qt::Key_Return);
            QVERIFY(w->engine.exerciseRunning());
            const QString text = appState().results.exerciseText;
            QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(*w, "txtInput"), Qt::Key_unknown,
                                text.left(1), Qt::NoModifier);
            QVERIFY(w->engine.clockRunning());
            press(control<QLabel>(*w, "lblMenu", 1));  // "start again?" - Esc answers No
            QCOMPARE(answerer.boxes,
                     QStringList{QStringLiteral("Vuoi iniziare da capo le esercitazioni?")});
            QVERIFY(w->engine.clockRunning());
            QCOMPARE(w->engine.cursorPosition(), 2);
        } else if (what == QLatin1String("list")) {
            control<QRadioButton>(*w, "optMenu", 2)->click();
            QVERIFY(control<QComboBox>(*w, "cboListFile")->isEnabled());
            control<QComboBox>(*w, "cboListFile")->showPopup();
            QWidget* popup = control<QComboBox>(*w, "cboListFile")->view()->window();
            QVERIFY(popup->isVisible());
            QTest::sendKeyEvent(QTest::Press, control<QComboBox>(*w, "cboListFile")->view(),
                                Qt::Key_Escape, QString(), Qt::NoModifier);
            QVERIFY(!popup->isVisible());
        }
        const int boxesBefore = int(answerer.boxes.size());
        releaseEscapeOnMain();
        QCOMPARE(int(answerer.boxes.size()), boxesBefore);  // no close question
        QVERIFY(!w->IsUnloaded());
        QVERIFY(w->isVisible());
        if (what == QLatin1String("restart")) QVERIFY(w->engine.clockRunning());

        // An Esc pressed and released on the main window still asks.
        QTest::sendKeyEvent(QTest::Press, control<QLineEdit>(*w, "txtInput"), Qt::Key_Escape,
                            QString(), Qt::NoModifier);
        releaseEscapeOnMain();
        QCOMPARE(int(answerer.boxes.size()), boxesBefore + 1);
        QVERIFY(answerer.boxes.last().startsWith(QStringLiteral("Vuoi chiudere il programma?")));
        QVERIFY(!w->IsUnloaded());
    }

    void capsLockWarnsOnlyWhenSwitchedOn() {
        auto w = start();
        capsOn_ = false;
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_CapsLock);
        QVERIFY(asked_.isEmpty());
        QCOMPARE(capsSwitchedOff_, 0);

        capsOn_ = true;
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_CapsLock);
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].text,
                 QStringLiteral("Il tasto Blocca Maiuscole non deve essere premuto."));
        QCOMPARE(asked_[0].title, QStringLiteral("Attenzione!"));
        QCOMPARE(capsSwitchedOff_, 1);
        QVERIFY(!capsOn_);
    }

    void capsLockOnAtStartIsSwitchedOff() {
        capsOn_ = true;
        auto w = start();
        QCOMPARE(capsSwitchedOff_, 1);
        QVERIFY(asked_.isEmpty());
    }

    void f1OpensTheGuide() {
        auto w = start();
        // Without the guide's pages the user is told so.
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_F1);
        QCOMPARE(asked_.size(), 1);
        QVERIFY(
            asked_[0].text.startsWith(QStringLiteral("Impossibile trovare il file della guida ")));
        QCOMPARE(asked_[0].title, QStringLiteral("Tastolino"));

        // With the guide beside the program its first page opens.
        const QString help = folder_->filePath(QStringLiteral("help"));
        QDir().mkpath(help);
        const QString source = QStringLiteral(TASTOLINO_SOURCE_DIR "/data/help/index.html");
        QVERIFY(QFile::copy(source, help + QStringLiteral("/index.html")));
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_F1);
        QCOMPARE(asked_.size(), 1);
        QVERIFY(HelpViewer::instance());
        QVERIFY(HelpViewer::instance()->currentPage().toString().endsWith(
            QStringLiteral("index.html")));
        HelpViewer::instance()->close();
    }

    void rightMouseInInputWarns() {
        auto w = start();
        control<QLineEdit>(*w, "txtInput")->setReadOnly(false);
        control<QLineEdit>(*w, "txtInput")->setText(QStringLiteral("abc"));
        control<QLineEdit>(*w, "txtInput")->setCursorPosition(1);
        QTest::mousePress(control<QLineEdit>(*w, "txtInput"), Qt::RightButton);
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].text,
                 QStringLiteral("Il pulsante destro del mouse non deve essere premuto!"));
        QCOMPARE(asked_[0].title, QStringLiteral("Attenzione!"));
        QCOMPARE(control<QLineEdit>(*w, "txtInput")->cursorPosition(), 3);
        QVERIFY(control<QLineEdit>(*w, "txtInput")->isEnabled());
        control<QLineEdit>(*w, "txtInput")->setCursorPosition(0);
        QTest::mouseRelease(control<QLineEdit>(*w, "txtInput"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(*w, "txtInput")->cursorPosition(), 3);
    }

    void enterStartsWhileStartIsEnabled() {
        auto w = start();
        QVERIFY(control<QPushButton>(*w, "cmdStart")->isEnabled());
        QTest::keyClick(control<QWidget>(*w, "picKeyword"), Qt::Key_Return);
        QVERIFY(!control<QPushButton>(*w, "cmdStart")->isEnabled());
        QVERIFY(w->engine.exerciseRunning());
    }

    void restartRefusedForCommandLineExercise() {
        QDir(folder_->path()).mkpath(QStringLiteral("Esercizi"));
        writeFile(folder_->filePath(QStringLiteral("Esercizi/prova.lez")),
                  "[Livello1]\r\n1=prova\r\n");
        auto w = start(QStringLiteral("/prova.lez"));
        QVERIFY(!w->engine.sources().commandLineArg.isEmpty());
        asked_.clear();
        press(control<QLabel>(*w, "lblMenu", 1));
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].text,
                 QStringLiteral("Con questo esercizio questo pulsante non è disponibile."));
        QCOMPARE(asked_[0].icon, seams::MsgIcon::Information);
        QCOMPARE(nameDialogs_, 1);
    }

    void restartNoKeepsTheClockYesAsksTheNameAgain() {
        auto w = start();
        w->findChild<QTimer*>(QStringLiteral("Timer1"))->start();
        answers_ << MsgAnswer::No;
        press(control<QLabel>(*w, "lblMenu", 1));
        QCOMPARE(asked_.last().text, QStringLiteral("Vuoi iniziare da capo le esercitazioni?"));
        QCOMPARE(asked_.last().buttons, seams::MsgButtons::YesNo);
        QVERIFY(w->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        QCOMPARE(nameDialogs_, 1);

        w->engine.sources().courseMode = true;
        control<QRadioButton>(*w, "optMenu", 2)->setChecked(true);
        control<QLabel>(*w, "lblMenu", 2)->setEnabled(false);
        answers_ << MsgAnswer::Yes;
        press(control<QLabel>(*w, "lblMenu", 1));
        QVERIFY(!w->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        QCOMPARE(nameDialogs_, 2);
        QVERIFY(control<QRadioButton>(*w, "optMenu", 0)->isChecked());
        QVERIFY(!w->engine.sources().courseMode);
        QVERIFY(control<QLabel>(*w, "lblMenu", 2)->isEnabled());
        QVERIFY(!w->IsUnloaded());
    }

    void restartNoInFreeTextEnds() {
        auto w = start();
        appState().freeTextMode = true;
        answers_ << MsgAnswer::No;
        press(control<QLabel>(*w, "lblMenu", 1));
        QVERIFY(w->IsUnloaded());
    }

    void aboutOpensAndPlaysItsSound() {
        auto w = start();
        sounds_.clear();
        // The window comes up on the screen, modal over the main window,
        // with its caption; closing it returns to the menu.
        QStringList opened;
        bool shown = false;
        QString caption;
        QWidget* owner = nullptr;
        seams::setModalHook([&](QDialog* dialog) {
            opened << dialog->objectName();
            dialog->show();
            shown = dialog->isVisible() && dialog->isModal();
            caption = dialog->windowTitle();
            owner = dialog->parentWidget();
            dialog->accept();
            return int(QDialog::Accepted);
        });
        press(control<QLabel>(*w, "lblMenu", 2));
        QCOMPARE(opened, QStringList({QStringLiteral("frmAbout")}));
        QVERIFY(shown);
        QCOMPARE(caption, QStringLiteral("Tastolino"));
        QCOMPARE(owner, static_cast<QWidget*>(w.get()));
        QCOMPARE(sounds_, QList<int>({105}));
        QVERIFY(!control<HoverFrame>(*w, "shpEV")->isVisible());
    }

    void absentSettingsGiveDefaults() {
        auto w = start();
        QVERIFY(appState().soundOn);
        QVERIFY(w->CurrentOptions().fingerMapOn);
        QVERIFY(w->engine.highlightOn());
        QVERIFY(!w->CurrentOptions().ergonomicOn);
        QVERIFY(!w->CurrentOptions().flatKeyboardOn);
        QCOMPARE(appState().backgroundTheme, int16_t(0));
        QVERIFY(control<QRadioButton>(*w, "optLevel", 0)->isChecked());
        QCOMPARE(interfaceLanguage().name, QStringLiteral("Italian"));
    }

    void storedSettingsAreAppliedAndWrittenBack() {
        writeFile(iniPath(),
                  "[Options]\r\nErgonomic=1\r\nSong=0\r\nKeyMap=0\r\nHighlight=0\r\n"
                  "SimpleKeyb=1\r\nBackColor=7\r\nCategory=1\r\n"
                  "[Language]\r\nCurrentLanguage=Italian\r\n");
        auto w = start();
        QVERIFY(w->CurrentOptions().ergonomicOn);
        QVERIFY(!appState().soundOn);
        QVERIFY(!w->CurrentOptions().fingerMapOn);
        QVERIFY(!w->engine.highlightOn());
        QVERIFY(w->CurrentOptions().flatKeyboardOn);
        QCOMPARE(appState().backgroundTheme, int16_t(7));
        QVERIFY(control<QRadioButton>(*w, "optLevel", 1)->isChecked());
        QCOMPARE(appState().results.categoryName, QStringLiteral("Esperto"));
        QVERIFY(control<ShapeBox>(*w, "shpMenu", 3)->FillColor() ==
                control<ShapeBox>(*w, "shpMenu", 4)->FillColor());
        QVERIFY(!sounds_.contains(107));  // the intro is silent with sounds off

        // Change every option the menu strip reaches, then close.
        press(control<QLabel>(*w, "lblMenu", 3));
        press(control<QLabel>(*w, "lblMenu", 4));
        press(control<QLabel>(*w, "lblMenu", 5));
        press(control<QLabel>(*w, "lblMenu", 6));
        press(control<QLabel>(*w, "lblMenu", 0));
        QVERIFY(w->IsUnloaded());

        const QByteArray ini = readFile(iniPath());
        QVERIFY2(ini.contains("[Options]\r\nErgonomic=1\r\nSong=1\r\nKeyMap=1\r\nHighlight=1\r\n"
                              "SimpleKeyb=1\r\nBackColor=8\r\nCategory=1\r\n"),
                 ini.constData());
        QVERIFY(ini.contains("[Language]\r\nCurrentLanguage=Italian\r\n"));
        QStringList sections;
        for (const QByteArray& line : ini.split('\n'))
            if (line.startsWith('[')) sections << QString::fromLatin1(line.trimmed());
        sections.sort();
        QCOMPARE(sections, QStringList({"[AccessName]", "[Language]", "[Options]"}));

        // The next start finds them again.
        auto again = start();
        QVERIFY(appState().soundOn);
        // The stored expert category turns the finger colours off again at
        // start; the menu item is enabled with the rest of the strip.
        QVERIFY(!again->CurrentOptions().fingerMapOn);
        QVERIFY(control<QLabel>(*again, "lblMenu", 4)->isEnabled());
        QVERIFY(again->engine.highlightOn());
        QCOMPARE(appState().backgroundTheme, int16_t(8));
    }

    void rememberedNameIsKept() {
        rememberName_ = true;
        nameToType_ = QStringLiteral(" luca ");
        auto w = start();
        w->Unload();
        const QByteArray ini = readFile(iniPath());
        QVERIFY(ini.contains("Remember=1\r\n"));
        QVERIFY(ini.contains("Name=LUCA\r\n"));
    }

    void themeOutOfRangeFallsBackToTheFirst() {
        writeFile(iniPath(), "[Options]\r\nBackColor=42\r\n");
        auto w = start();
        QCOMPARE(appState().backgroundTheme, int16_t(0));
        w->grab();  // painting must not read outside the theme table
    }

    void badSettingsFilesNeverStopTheProgram_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i) garbage.append(char((i * 37 + 11) & 0xFF));
        QTest::newRow("garbage") << garbage;
        QTest::newRow("no sections") << QByteArray("Song=0\nKeyMap=0\n");
        QTest::newRow("long line") << (QByteArray("[Options]\r\nSong=") + QByteArray(100000, 'x'));
        QTest::newRow("bom and lf") << QByteArray("\xEF\xBB\xBF[Options]\nBackColor=3\n");
        QByteArray many("[Options]\r\n");
        for (int i = 0; i < 10000; ++i) many += "Key" + QByteArray::number(i) + "=1\r\n";
        QTest::newRow("10000 lines") << many;
    }
    void badSettingsFilesNeverStopTheProgram() {
        QFETCH(QByteArray, bytes);
        writeFile(iniPath(), bytes);
        auto w = start();
        QVERIFY(w->isVisible());
        QVERIFY(appState().backgroundTheme >= 0 && appState().backgroundTheme <= 10);
        w->Unload();
        QVERIFY(asked_.isEmpty());
        QVERIFY(readFile(iniPath()).contains("CurrentLanguage="));
    }

    void readOnlySettingsAreNotReported() {
        writeFile(iniPath(), "[Options]\r\nBackColor=2\r\n");
        QFile::setPermissions(iniPath(), QFileDevice::ReadOwner);
        auto w = start();
        QCOMPARE(appState().backgroundTheme, int16_t(2));
        press(control<QLabel>(*w, "lblMenu", 6));
        w->Unload();
        QVERIFY(asked_.isEmpty());
        QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (geteuid() != 0)
            QCOMPARE(readFile(iniPath()), QByteArray("[Options]\r\nBackColor=2\r\n"));
    }

    void largeScreenEnlargesTheWindow() {
        screen_ = QSize(1280, 1024);
        auto w = start();
        QVERIFY(appState().largeScreen);
        QCOMPARE(w->engine.layout().barFullWidth, 390);
        QCOMPARE(w->engine.layout().counterSeparator, QStringLiteral(" / "));
        QCOMPARE(w->engine.layout().sentenceFontSize, 16);
        QCOMPARE(control<QWidget>(*w, "picNotebook")->width(), qRound(760 * 1.41));
        // The notebook is centred across and lies 20 pixels above the middle.
        QCOMPARE(control<QWidget>(*w, "picNotebook")->x(),
                 (1280 - control<QWidget>(*w, "picNotebook")->width()) / 2);
        QCOMPARE(control<QWidget>(*w, "picNotebook")->y(),
                 (1024 - control<QWidget>(*w, "picNotebook")->height()) / 2 - 20);
        QVERIFY(control<QWidget>(*w, "picKeyword")->geometry().right() <
                control<QWidget>(*w, "picNotebook")->width());
        QVERIFY(control<QWidget>(*w, "picBottomBar")->geometry().bottom() < 1024);
    }

    // Just past the large-screen threshold the full enlargement would not
    // fit: every control still lies on the screen.
    void smallLargeScreenKeepsEveryControlOnScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1001x750") << QSize(1001, 750);
        QTest::newRow("1280x800") << QSize(1280, 800);
    }
    void smallLargeScreenKeepsEveryControlOnScreen() {
        QFETCH(QSize, screen);
        screen_ = screen;
        auto w = start();
        QVERIFY(appState().largeScreen);
        const QRect onScreen(QPoint(0, 0), screen);
        for (QWidget* child : w->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(w.get()) || child->isWindow()) continue;
            const QRect r(child->mapTo(w.get(), QPoint(0, 0)), child->size());
            QVERIFY2(onScreen.contains(r),
                     qPrintable(child->objectName() + QStringLiteral(" off screen")));
        }
        QVERIFY(w->engine.layout().barFullWidth <= 390);
    }

    void unloadClosesOtherWindows() {
        auto w = start();
        QWidget other;
        other.show();
        w->Unload();
        QVERIFY(!other.isVisible());
        QVERIFY(QFile::exists(iniPath()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
