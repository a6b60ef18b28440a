// Every window in a language file. With a test file whose texts are "T" +
// identifier, each caption, tooltip and button of each window differs from
// its Italian text, and the message boxes name their buttons from the file.
// With each shipped language, no caption is blank and none is wider than
// its control. With TASTOLINO_SHOTS set, a picture of the screen with each
// window goes to that folder (run under a real display to see tooltips and
// message boxes too).
#include "WindowControls.h"
#include "app/WindowInputs.h"
#include "app/frmTastomat.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmInput.h"
#include "dialogs/frmLanguage.h"
#include "game/FrmPlay.h"
#include "keyboard/KeySet.h"
#include "keyboard/KeyboardLayout.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "results/frmClassifica.h"
#include "results/frmReportFreeTXT.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageSupport.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/TestLanguageFile.h"
#include "ui/frmTransparency.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include <functional>
#include <memory>

using namespace tastolino;
using tastolino::testing::TestLanguageFile;

namespace {

// What a window shows: "object/kind" -> text.
using Shown = QMap<QString, QString>;

bool isData(const QString& text) {
    // Numbers, times, the program's name and symbols are no words to translate.
    static const QRegularExpression noWord(QStringLiteral("^[^A-Za-z\\x{00C0}-\\x{024F}]*$"));
    static const QRegularExpression address(QStringLiteral("^\\S+(://|@)\\S+$"));
    return text.contains(noWord) || text.contains(address) || text == QLatin1String("Tastolino");
}

Shown shownTexts(QWidget* window) {
    Shown shown;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        const QString name = w->objectName().isEmpty()
                                 ? QString::fromLatin1(w->metaObject()->className())
                                 : w->objectName();
        if (!w->toolTip().isEmpty()) shown.insert(name + QStringLiteral("/tip"), w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            shown.insert(name + QStringLiteral("/text"), label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            shown.insert(name + QStringLiteral("/text"), button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w); group && !group->title().isEmpty())
            shown.insert(name + QStringLiteral("/title"), group->title());
    }
    return shown;
}

// Texts that are the same in every language: names, numbers, symbols.
QStringList changedProblems(const Shown& italian, const Shown& translated,
                            const QStringList& alike = {}) {
    QStringList problems;
    for (auto it = italian.cbegin(); it != italian.cend(); ++it) {
        if (isData(it.value()) || alike.contains(it.key())) continue;
        const QString now = translated.value(it.key());
        if (now.isEmpty() || now == it.value())
            problems << it.key() + QStringLiteral(" stays \"") + it.value() + QLatin1Char('"');
    }
    return problems;
}

// The training sets are named by their letters.
QStringList trainingSets() {
    QStringList names;
    for (int i = 3; i <= 6; ++i) names << QStringLiteral("optDifficulty%1/text").arg(i);
    return names;
}

// Lines of a caption as drawn: "&" marks a shortcut, "&&" one ampersand.
QString drawn(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// Captions blank or wider than their controls, among the visible ones.
QStringList fitProblems(QWidget* window) {
    QStringList problems;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->width() <= 0) continue;
        const QString name = w->objectName();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text())) continue;
            const QStringList lines = drawn(label->text()).split(QLatin1Char('\n'));
            const QFontMetrics fm(label->font());
            if (label->wordWrap()) {
                if (label->heightForWidth(label->contentsRect().width()) > label->height() + 2)
                    problems << name + QStringLiteral(" runs below its box: ") + label->text();
                continue;
            }
            int widest = 0;
            for (const QString& line : lines)
                widest = std::max(widest, fm.horizontalAdvance(line.trimmed()));
            if (widest > label->contentsRect().width() + 1)
                problems << name +
                                QStringLiteral(" is %1 px wide in %2: ")
                                    .arg(widest)
                                    .arg(label->contentsRect().width()) +
                                label->text();
            if (int(lines.size()) * fm.height() > label->contentsRect().height() + fm.height() / 2)
                problems << name + QStringLiteral(" is too tall: ") + label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->text().isEmpty()) {
                if (button->icon().isNull() && qobject_cast<QPushButton*>(button))
                    problems << name + QStringLiteral(" is blank");
                continue;
            }
            const QFontMetrics fm(button->font());
            int widest = 0;
            for (const QString& line : drawn(button->text()).split(QLatin1Char('\n')))
                widest = std::max(widest, fm.horizontalAdvance(line));
            const int room = qobject_cast<QPushButton*>(button) ? button->width() - 6
                                                                : button->width() - fm.height() - 6;
            if (widest > room)
                problems << name + QStringLiteral(" is %1 px wide in %2: ").arg(widest).arg(room) +
                                button->text();
        }
    }
    return problems;
}

QString shotFolder() {
    return qEnvironmentVariable("TASTOLINO_SHOTS");
}

// A picture of the whole screen (or, without one, of the window).
void takeShot(QWidget* window, const QString& name) {
    if (shotFolder().isEmpty()) return;
    QApplication::processEvents();
    QTest::qWait(150);
    QPixmap picture;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        picture = QGuiApplication::primaryScreen()->grabWindow(0);
    else
        picture = window->grab();
    picture.save(shotFolder() + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// A picture of the screen with the message box that `open` shows.
void shotOfMessageBox(QWidget* window, const QString& name, const std::function<void()>& open) {
    seams::setMessageHook({});
    QTimer::singleShot(300, [&] {
        takeShot(window, name);
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->reject();
    });
    open();
}

// The tooltip shown for a point of a widget that draws its own tooltips.
QString tooltipAt(QWidget* widget, const QPoint& point) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, point, widget->mapToGlobal(point));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

}  // namespace

class TestWindowTexts : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QString language_;  // "" for the built-in Italian texts

    QString app() const { return folder_->path() + QLatin1Char('/'); }

    // A fresh program folder with the language file (shipped or "Test").
    void useLanguage(const QString& language) {
        folder_ = std::make_unique<QTemporaryDir>();
        language_ = language;
        QDir(app()).mkpath(QStringLiteral("Lang"));
        QFile ini(app() + QStringLiteral("Tastolino.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Language]\r\nCurrentLanguage=" +
                  (language.isEmpty() ? QByteArray("Italian [Default]") : language.toUtf8()) +
                  "\r\n");
        ini.close();
        if (language == QLatin1String("Test")) {
            const TestLanguageFile test;
            QVERIFY(QFile::copy(test.folder() + QStringLiteral("Lang/Test.lng"),
                                app() + QStringLiteral("Lang/Test.lng")));
        } else if (!language.isEmpty()) {
            QVERIFY(
                QFile::copy(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/Lang/") + language +
                                QStringLiteral(".lng"),
                            app() + QStringLiteral("Lang/") + language + QStringLiteral(".lng")));
        }
        appState() = AppState();
        resetInterfaceLanguage();
        appState().appFolder = app();
        setInterfaceFolder(appState().appFolder);
        setInterfaceLanguageName(language.isEmpty() ? QStringLiteral("Italian [Default]")
                                                    : language);
        setInterfaceLanguageFileActive(!language.isEmpty());
        seams::setButtonTexts(
            {GetLangString(QStringLiteral("9003")), GetLangString(QStringLiteral("9004")),
             GetLangString(QStringLiteral("9005")), GetLangString(QStringLiteral("9006"))});
        if (language.isEmpty()) seams::setButtonTexts({});
    }

    QString shotName(const char* window) const {
        return QString::fromLatin1(window) + QLatin1Char('-') +
               (language_.isEmpty() ? QStringLiteral("Italian") : language_);
    }

    static void finishedExercise() {
        ExerciseResults& r = appState().results;
        r.userName = QStringLiteral("ANNA");
        r.categoryName = GetLangString(QStringLiteral("0027"));
        r.currentLevel = 3;
        r.resultsReason = ResultsReason::ExerciseEnded;
        for (int n = 1; n <= 15; ++n) r.sentenceSpeeds[size_t(n)] = 120.0f + float(n);
        r.correctCount = 1000;
        r.errorCount = 8;
        r.spaceCount = 150;
        r.freeTextElapsedDays = 300 / 86400.0;
        r.exerciseFile = QStringLiteral("/prog/Esercizi/lauf.txt");
        r.exerciseText = QString::fromUtf8("Ab 1,é\r\n");
    }

    template <class Window, class Input>
    static void showOne(const char* name, const std::function<void(const char*, QWidget*)>& look,
                        const Input& input) {
        Window w(input);
        w.show();
        look(name, &w);
    }

    // Each window as the program opens it, shown; `look` gets it.
    void eachWindow(const std::function<void(const char*, QWidget*)>& look) {
        finishedExercise();
        showOne<frmInput>("user-name", look, userNameInput());
        showOne<frmAbout>("about", look, aboutInput());
        showOne<frmLanguage>("language", look, languageWindowInput());
        showOne<frmClassifica>("results", look, resultsWindowInput());
        showOne<frmReportFreeTXT>("free-text-report", look, resultsWindowInput());
        {
            FrmPlay w(gameInput());
            w.show();
            look("game", &w);
            w.optDifficulty_Click(4);  // a training set
            look("training", &w);
        }
    }

    std::unique_ptr<frmTastomat> startMainWindow(QSize screen = QSize(1024, 768)) {
        seams::setScreenSizeHook([screen] { return screen; });
        largeScreenScale() = ScaleForScreen(screen);
        return tastolino::testing::startMainWindow();
    }

    // Pictures of what appears only for a moment: the keyboard's tooltips,
    // the external key map, the message boxes, a game under way.
    void moreShots(frmTastomat* w) {
        auto* keyboard = qobject_cast<KeyboardPanel*>(control<QWidget>(*w, "picKeyword"));
        tooltipAt(keyboard, keyboard->keyRect(KeyMenu).center());
        takeShot(w, shotName("tooltip-key37"));
        tooltipAt(keyboard, keyboard->fingerIconRect(0).center());
        takeShot(w, shotName("tooltip-finger"));
        QToolTip::hideText();
        QTest::mouseDClick(keyboard, Qt::LeftButton, {}, keyboard->fingerIconRect(0).center());
        if (QWidget* map = keyboard->keyMapPicture()) {
            tooltipAt(map, map->rect().center());
            takeShot(w, shotName("keymap"));
            QToolTip::hideText();
        }
        tooltipAt(control<QLabel>(*w, "lblMenu", 6),
                  control<QLabel>(*w, "lblMenu", 6)->rect().center());
        takeShot(w, shotName("tooltip-menu"));
        QToolTip::hideText();

        const auto boxShot = [&](const char* name, const QString& text, seams::MsgButtons buttons) {
            shotOfMessageBox(w, shotName(name), [&] {
                seams::message(w, text, QStringLiteral("Tastolino"), seams::MsgIcon::Question,
                               buttons);
            });
        };
        boxShot("print-question", GetLangString(QStringLiteral("0098")), seams::MsgButtons::YesNo);
        QString bookmark = w->messages.value(17);
        for (int i = 18; i <= 22; ++i) bookmark += QLatin1Char('\n') + w->messages.value(i);
        boxShot("bookmark-question", bookmark, seams::MsgButtons::YesNoCancel);
        boxShot("message-ok",
                GetLangString(QStringLiteral("0124")) + QLatin1Char('\n') +
                    GetLangString(QStringLiteral("0122")),
                seams::MsgButtons::Ok);

        FrmPlay play(gameInput());
        play.show();
        play.optDifficulty_Click(1);
        play.cmdStart_Click();
        takeShot(&play, shotName("game-running"));
    }

  private slots:
    void init() {
        // Each text the windows look up is one of the list.
        QTest::failOnWarning(
            QRegularExpression(QStringLiteral("not in the list of interface texts")));
        seams::resetAll();
        seams::setInstantWaits(true);
        seams::setSoundHook([](int) {});
        seams::setPrinterAvailableHook([] { return true; });
        seams::setScreenSizeHook([] { return QSize(1024, 768); });
        seams::setCapsLockHooks([] { return false; }, [] {});
        seams::setModalHook([](QDialog* dialog) {
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente")))
                name->setText(QStringLiteral("anna"));
            dialog->accept();
            return int(QDialog::Accepted);
        });
        FrmPlay::setManualTimers(true);
        setLayoutBackend(std::make_unique<tastolino::testing::GermanLayout>());
    }
    void cleanup() {
        seams::resetAll();
        folder_.reset();
    }

    void everyTextOfTheDialogsComesFromTheFile() {
        QMap<QString, Shown> italian;
        useLanguage({});
        eachWindow(
            [&](const char* name, QWidget* w) { italian[QLatin1String(name)] = shownTexts(w); });
        useLanguage(QStringLiteral("Test"));
        eachWindow([&](const char* name, QWidget* w) {
            const Shown now = shownTexts(w);
            // The results window shows the user's name, the language
            // window the files by name, the game its letter sets.
            const QStringList problems = changedProblems(
                italian.value(QLatin1String(name)), now,
                QStringList{QStringLiteral("lblNome/text"), QStringLiteral("cboLanguage/text"),
                            QStringLiteral("cmdPDF/text")} +
                    trainingSets());
            QVERIFY2(problems.isEmpty(), qPrintable(QLatin1String(name) + QStringLiteral(": ") +
                                                    problems.join(QStringLiteral("; "))));
        });
    }

    void everyTextOfTheMainWindowComesFromTheFile() {
        useLanguage({});
        auto italianWindow = startMainWindow();
        const Shown italian = shownTexts(italianWindow.get());
        italianWindow->Unload();
        italianWindow.reset();

        useLanguage(QStringLiteral("Test"));
        auto w = startMainWindow();
        const QStringList problems =
            changedProblems(italian, shownTexts(w.get()), {QStringLiteral("cmdStart/text")});
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));

        // The cover bubble repeats the invitation to start.
        QVERIFY2(frmTransparency::Hint().contains(QStringLiteral("T0013")),
                 qPrintable(frmTransparency::Hint()));

        // The keyboard draws its own tooltips: key 37, the finger icons, and
        // the external key map with its captions.
        auto* keyboard = qobject_cast<KeyboardPanel*>(control<QWidget>(*w, "picKeyword"));
        QVERIFY(keyboard);
        w->show();
        QCOMPARE(tooltipAt(keyboard, keyboard->keyRect(KeyMenu).center()), QStringLiteral("T0151"));
        QCOMPARE(tooltipAt(keyboard, keyboard->fingerIconRect(0).center()),
                 QStringLiteral("T0031"));
        QTest::mouseDClick(keyboard, Qt::LeftButton, {}, keyboard->fingerIconRect(0).center());
        QVERIFY(keyboard->keyMapPicture());
        QCOMPARE(keyboard->keyMapPicture()->toolTip(), QStringLiteral("T0032"));
        QCOMPARE(keyboard->keyMapPicture()->captions()[0], QStringLiteral("T9030"));
        QCOMPARE(keyboard->keyMapPicture()->captions()[6], QStringLiteral("T9036"));
        w->Unload();
    }

    // A real message box names its buttons in the interface language.
    void messageBoxButtonsSpeakTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("Italian") << QString() << QStringList{"&Sì", "&No", "&Annulla"};
        QTest::newRow("Test") << "Test" << QStringList{"&T9003", "&T9004", "&T9005"};
    }
    void messageBoxButtonsSpeakTheLanguage() {
        QFETCH(QString, language);
        QFETCH(QStringList, captions);
        useLanguage(language);
        auto w = startMainWindow();  // sets the words of the buttons
        seams::setMessageHook({});
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                if (box->button(b)) seen << box->button(b)->text();
            box->button(QMessageBox::Cancel)->click();
        });
        QCOMPARE(seams::message(w.get(), QStringLiteral("?"), QStringLiteral("Tastolino"),
                                seams::MsgIcon::Question, seams::MsgButtons::YesNoCancel),
                 seams::MsgAnswer::Cancel);
        QCOMPARE(seen, captions);
        w->Unload();
    }

    // The check below finds a caption wider than its button or label, a
    // blank button and a wrapped label taller than its box.
    void theFitCheckFindsWhatOverflows() {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("Schnittmengenberechnung"), &window);
        button->setObjectName(QStringLiteral("cmdWide"));
        button->setGeometry(0, 0, 60, 24);
        auto* blank = new QPushButton(&window);
        blank->setObjectName(QStringLiteral("cmdBlank"));
        auto* label = new QLabel(QStringLiteral("Geschwindigkeit"), &window);
        label->setObjectName(QStringLiteral("lblNarrow"));
        label->setGeometry(0, 30, 40, 20);
        auto* wrapped = new QLabel(QStringLiteral("wo ").repeated(40), &window);
        wrapped->setObjectName(QStringLiteral("lblWrapped"));
        wrapped->setWordWrap(true);
        wrapped->setGeometry(0, 60, 80, 16);
        auto* fits = new QRadioButton(QStringLiteral("Ok"), &window);
        fits->setObjectName(QStringLiteral("optFits"));
        fits->setGeometry(0, 90, 120, 20);
        window.resize(200, 200);
        window.show();
        QStringList names;
        for (const QString& p : fitProblems(&window)) names << p.section(QLatin1Char(' '), 0, 0);
        QCOMPARE(names, (QStringList{"cmdWide", "cmdBlank", "lblNarrow", "lblWrapped"}));
    }

    // With each shipped language every window shows all its captions, each
    // within its control.
    void shippedLanguagesFitTheWindows_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("Italian") << QString();
        for (const char* name : {"English", "German", "French", "Spanish"})
            if (QFile::exists(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/Lang/") +
                              QLatin1String(name) + QStringLiteral(".lng")))
                QTest::newRow(name) << QString::fromLatin1(name);
    }
    void shippedLanguagesFitTheWindows() {
        QFETCH(QString, language);
        useLanguage(language);
        QStringList problems;
        eachWindow([&](const char* name, QWidget* w) {
            for (const QString& p : fitProblems(w))
                problems << QLatin1String(name) + QStringLiteral(": ") + p;
            takeShot(w, shotName(name));
            // Identifier 0066 is the tooltip of the close button of both.
            auto* close = w->findChild<QPushButton*>(QStringLiteral("cmdChiudi"));
            if (!shotFolder().isEmpty() && close && qstrcmp(name, "language") != 0) {
                tooltipAt(close, close->rect().center());
                takeShot(w, shotName(name) + QStringLiteral("-close-tooltip"));
                QToolTip::hideText();
            }
            if (auto* info = w->findChild<QPushButton*>(QStringLiteral("cmdInfoAuthor"));
                info && !shotFolder().isEmpty())
                shotOfMessageBox(w, shotName("translation-info"), [info] { info->click(); });
        });
        auto w = startMainWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        for (const QString& p : fitProblems(w.get())) problems << QStringLiteral("main: ") + p;
        takeShot(w.get(), shotName("main"));
        if (!shotFolder().isEmpty()) moreShots(w.get());
        w->Unload();
        w.reset();
        // The smallest screen has the smallest layout.
        auto small = startMainWindow(QSize(800, 600));
        small->show();
        QVERIFY(QTest::qWaitForWindowExposed(small.get()));
        for (const QString& p : fitProblems(small.get()))
            problems << QStringLiteral("main 800x600: ") + p;
        small->Unload();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestWindowTexts)
#include "tst_window_texts.moc"
