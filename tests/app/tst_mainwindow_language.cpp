// The main window with a language file: its captions, tooltips and messages
// come from the file at start-up, a text the file lacks stays Italian, and
// a language chosen while the program runs is applied at once.
#include "WindowControls.h"
#include "app/MainWindowParts.h"
#include "app/frmTastomat.h"
#include "keyboard/KeyboardLayout.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageSupport.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/QuietSeams.h"
#include "support/TestFiles.h"
#include "ui/cTooltip.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tastolino;

namespace {

using tastolino::testing::GermanLayout;

}  // namespace

class TestMainWindowLanguage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QList<seams::MessageRequest> asked_;
    QString welcomeCaption_;
    QString languageChosenInAbout_;

    QString app() const { return folder_->path() + QLatin1Char('/'); }
    void writeFile(const QString& name, const QByteArray& bytes) {
        tastolino::testing::writeFile(app() + name, bytes);
    }
    void shipEnglish() {
        QDir(app()).mkpath(QStringLiteral("Lang"));
        QVERIFY(QFile::copy(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/Lang/English.lng"),
                            app() + QStringLiteral("Lang/English.lng")));
    }
    void chooseInSettings(const QByteArray& language) {
        writeFile(QStringLiteral("Tastolino.ini"),
                  "[Language]\r\nCurrentLanguage=" + language + "\r\n");
    }

    std::unique_ptr<frmTastomat> start() {
        tastolino::testing::freshProgramState(app());
        largeScreenScale() = ScaleForScreen(QSize(800, 600));
        return tastolino::testing::startMainWindow();
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        asked_.clear();
        welcomeCaption_.clear();
        languageChosenInAbout_.clear();
        tastolino::testing::quietWindowSeams(&asked_);
        seams::setModalHook([this](QDialog* dialog) {
            if (dialog->objectName() == QLatin1String("frmInput")) {
                welcomeCaption_ =
                    dialog->findChild<QLabel*>(QStringLiteral("lblBenvenuto"))->text();
                dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente"))
                    ->setText(QStringLiteral("anna"));
            }
            if (dialog->objectName() == QLatin1String("frmAbout") &&
                !languageChosenInAbout_.isEmpty())
                setInterfaceLanguageName(languageChosenInAbout_);
            dialog->accept();
            return int(QDialog::Accepted);
        });
        setLayoutBackend(std::make_unique<GermanLayout>());
    }
    void cleanup() {
        seams::resetAll();
        folder_.reset();
    }

    void theWindowShowsTheTextsOfTheLanguageFile() {
        shipEnglish();
        chooseInSettings("English");
        auto w = start();
        QVERIFY(interfaceLanguage().fileActive);
        const QStringList sources = {"Internal sentences", "Typing course", "Exercises",
                                     "Text files", "Game && Training"};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(control<QRadioButton>(*w, "optMenu", i)->text(), sources[i]);
        QCOMPARE(control<QRadioButton>(*w, "optLevel", 0)->text(), QStringLiteral("Beginner"));
        QCOMPARE(control<QRadioButton>(*w, "optLevel", 1)->text(), QStringLiteral("Expert"));
        QCOMPARE(control<QLabel>(*w, "lblMenu", 0)->toolTip(),
                 QStringLiteral("Closes the program"));
        QCOMPARE(control<QLabel>(*w, "lblNumBatt", 1)->toolTip(),
                 QStringLiteral("wrong keystrokes  current / total"));
        QCOMPARE(control<QLabel>(*w, "lblSmile")->toolTip(),
                 QStringLiteral("Ratio of errors to keystrokes"));
        QCOMPARE(control<QLabel>(*w, "lblMediaLevel", 2)->toolTip(),
                 QStringLiteral("Average score, level 3"));

        // Messages, warning title and the loose texts.
        QCOMPARE(w->messages.size(), 43);
        QCOMPARE(w->messages[12],
                 QStringLiteral("To start the exercises choose the difficulty level and press "
                                "the button <Enter>"));
        QCOMPARE(w->messages[13],
                 QStringLiteral("\nChoose from the list the file to practise with"));
        QCOMPARE(w->warningTitle, QStringLiteral("Warning!"));
        QCOMPARE(w->engine.praiseGreat().value(0), QStringLiteral("Magnificent!"));
        QCOMPARE(appState().results.perMinuteText, QStringLiteral("per minute"));
        QCOMPARE(interfaceLanguage().helpMissingText, QStringLiteral("Cannot find the help file"));
        QCOMPARE(appState().results.categoryName, QStringLiteral("Beginner"));
        QVERIFY(
            control<QLabel>(*w, "lblFraseCorr")->text().startsWith(QStringLiteral("Hello ANNA\n")));
        if (qEnvironmentVariableIsSet("TASTOLINO_SCREENSHOTS"))
            w->grab().save(qEnvironmentVariable("TASTOLINO_SCREENSHOTS") +
                           QStringLiteral("/frmTastomat_English.png"));
        QCOMPARE(welcomeCaption_, QStringLiteral("Welcome to Tastolino!"));
        // The results window looks its texts up in the same file.
        QCOMPARE(GetLangString(QStringLiteral("0027")), QStringLiteral("Beginner"));

        // A warning box takes the translated title and text.
        asked_.clear();
        QTest::mouseClick(control<QLineEdit>(*w, "txtInput"), Qt::RightButton);
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].title, QStringLiteral("Warning!"));
        QCOMPARE(asked_[0].text, QStringLiteral("The right mouse button must not be pressed!"));
        w->Unload();
    }

    void textsTheFileLacksStayItalian() {
        QDir(app()).mkpath(QStringLiteral("Lang"));
        writeFile(QStringLiteral("Lang/Partial.lng"),
                  "[Strings]\r\n0027=Anf\xe4nger\r\n0137=Hallo\r\n");
        chooseInSettings("Partial");
        auto w = start();
        QCOMPARE(control<QRadioButton>(*w, "optLevel", 0)->text(), QString::fromUtf8("Anfänger"));
        QCOMPARE(control<QRadioButton>(*w, "optLevel", 1)->text(), QStringLiteral("Esperto"));
        QCOMPARE(control<QRadioButton>(*w, "optMenu", 0)->text(), QStringLiteral("Frasi interne"));
        QCOMPARE(w->warningTitle, QStringLiteral("Attenzione!"));
        QCOMPARE(w->messages[29], QString::fromUtf8("Anfänger"));
        QCOMPARE(control<QLabel>(*w, "lblMenu", 0)->toolTip(),
                 QStringLiteral("Chiude il programma"));
        QVERIFY(
            control<QLabel>(*w, "lblFraseCorr")->text().startsWith(QStringLiteral("Hallo ANNA\n")));
        w->Unload();
    }

    void aMissingOrUnsafeLanguageKeepsTheItalianTexts_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::newRow("no such file") << QByteArray("Klingon");
        QTest::newRow("outside the folder") << QByteArray("../Evil");
    }
    void aMissingOrUnsafeLanguageKeepsTheItalianTexts() {
        QFETCH(QByteArray, language);
        QDir(app()).mkpath(QStringLiteral("Lang"));
        writeFile(QStringLiteral("Evil.lng"), "[Strings]\r\n0027=EVIL\r\n0062=EVIL\r\n");
        chooseInSettings(language);
        auto w = start();
        QCOMPARE(control<QRadioButton>(*w, "optLevel", 0)->text(), QStringLiteral("Principiante"));
        QCOMPARE(w->warningTitle, QStringLiteral("Attenzione!"));
        QCOMPARE(w->messages[29], QStringLiteral("Principiante"));
        w->Unload();
    }

    // The balloon tips keep the language the program started with, both
    // ways; the name reaches the settings file when the window closes.
    void theBalloonTipsKeepTheLanguageOfTheStart() {
        shipEnglish();
        {
            auto w = start();  // Italian
            languageChosenInAbout_ = QStringLiteral("English");
            QTest::mouseClick(control<QLabel>(*w, "lblMenu", 2), Qt::LeftButton);
            QCOMPARE(control<QRadioButton>(*w, "optLevel", 0)->text(), QStringLiteral("Beginner"));
            QCOMPARE(w->levelTips->Title(), QString::fromUtf8("Livello di difficoltà"));
            QCOMPARE(w->sourceTips->ToolText(control<QRadioButton>(*w, "optMenu", 0)),
                     QStringLiteral("Consente di esercitarsi utilizzando le frasi interne"));
            QFile ini(app() + QStringLiteral("Tastolino.ini"));
            QVERIFY(!ini.open(QIODevice::ReadOnly) || !ini.readAll().contains("English"));
            ini.close();
            w->Unload();
        }
        {
            auto w = start();  // English, as kept when the window closed
            QVERIFY(interfaceLanguage().fileActive);
            const QString englishTitle = w->levelTips->Title();
            QVERIFY(!englishTitle.isEmpty());
            QVERIFY(englishTitle != QString::fromUtf8("Livello di difficoltà"));
            languageChosenInAbout_ = QStringLiteral("Italian [Default]");
            QTest::mouseClick(control<QLabel>(*w, "lblMenu", 2), Qt::LeftButton);
            QCOMPARE(control<QRadioButton>(*w, "optLevel", 0)->text(),
                     QStringLiteral("Principiante"));
            // A language file was found at the start: the tips are looked up
            // in the current file, and without one they are Italian.
            QCOMPARE(w->levelTips->Title(), QString::fromUtf8("Livello di difficoltà"));
            w->Unload();
        }
    }

    void aLanguageChosenWhileRunningIsAppliedAtOnce() {
        shipEnglish();
        auto w = start();
        QVERIFY(!interfaceLanguage().fileActive);
        QCOMPARE(control<QRadioButton>(*w, "optMenu", 1)->text(), QStringLiteral("Corso dattilo"));

        languageChosenInAbout_ = QStringLiteral("English");
        QTest::mouseClick(control<QLabel>(*w, "lblMenu", 2), Qt::LeftButton);
        QCOMPARE(control<QRadioButton>(*w, "optMenu", 1)->text(), QStringLiteral("Typing course"));
        QCOMPARE(w->warningTitle, QStringLiteral("Warning!"));
        QCOMPARE(control<QRadioButton>(*w, "optMenu", 0)->isChecked(), true);

        // Back to the built-in language: there is no file of that name.
        languageChosenInAbout_ = QStringLiteral("Italian [Default]");
        QTest::mouseClick(control<QLabel>(*w, "lblMenu", 2), Qt::LeftButton);
        QCOMPARE(control<QRadioButton>(*w, "optMenu", 1)->text(), QStringLiteral("Corso dattilo"));
        QCOMPARE(w->messages[11], QStringLiteral("Ciao"));
        auto* keyboard = qobject_cast<KeyboardPanel*>(control<QWidget>(*w, "picKeyword"));
        QVERIFY(keyboard && keyboard->keyMapPicture());
        QCOMPARE(keyboard->keyMapPicture()->toolTip(),
                 QStringLiteral("Doppio click per riposizionare la mappa sulla tastiera"));
        w->Unload();
        // The new name is kept for the next start.
        QFile ini(app() + QStringLiteral("Tastolino.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("CurrentLanguage=Italian [Default]"));
    }
};

QTEST_MAIN(TestMainWindowLanguage)
#include "tst_mainwindow_language.moc"
