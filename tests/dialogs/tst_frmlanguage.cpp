// The language window driven through its real controls: the list of
// language files, the choice and the question before it, the translation
// credits, and the captions of a language file in the user name entry.
#include "dialogs/frmInput.h"
#include "dialogs/frmLanguage.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tastolino;
using seams::MsgAnswer;

class TestFrmLanguage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QList<seams::MessageRequest> asked_;
    QList<MsgAnswer> answers_;

    QString app() const { return folder_->path() + QLatin1Char('/'); }
    // The window is given the language the texts come from.
    LanguageWindowInput input() const {
        return {app(), interfaceLanguage().name, interfaceLanguage().fileActive};
    }
    void putLanguage(const QString& name, const QByteArray& bytes) {
        QDir(app()).mkpath(QStringLiteral("Lang"));
        QFile file(app() + QStringLiteral("Lang/") + name + QStringLiteral(".lng"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray iniBytes() const {
        QFile file(app() + QStringLiteral("Tastolino.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QStringList entries(const frmLanguage& window) {
        auto* list = window.findChild<QComboBox*>(QStringLiteral("cboFileLanguage"));
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        return items;
    }
    static QComboBox* list(frmLanguage& window) {
        return window.findChild<QComboBox*>(QStringLiteral("cboFileLanguage"));
    }
    static void click(QWidget& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        resetInterfaceLanguage();
        setInterfaceFolder(app());
        asked_.clear();
        answers_.clear();
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            asked_ << r;
            return answers_.isEmpty() ? MsgAnswer::Ok : answers_.takeFirst();
        });
    }
    void cleanup() { seams::resetAll(); }

    void theListShowsTheLanguageFiles_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("expected");  // sorted
        QTest::addColumn<QString>("selected");
        QTest::newRow("current name in another case")
            << QStringList{"German", "English"} << "german" << QStringList{"English", "German"}
            << "German";
        QTest::newRow("no file at all") << QStringList{} << "Italian"
                                        << QStringList{"Italian [Default]"} << "Italian [Default]";
        QTest::newRow("current language has no file")
            << QStringList{"English"} << "Italian" << QStringList{"English", "Italian [Default]"}
            << "Italian [Default]";
    }
    void theListShowsTheLanguageFiles() {
        QFETCH(QStringList, files);
        QFETCH(QString, current);
        QFETCH(QStringList, expected);
        QFETCH(QString, selected);
        for (const QString& name : files) putLanguage(name, "[Strings]\r\n");
        setInterfaceLanguageName(current);
        frmLanguage window(input());
        QStringList shown = entries(window);
        shown.sort();
        QCOMPARE(shown, expected);
        QCOMPARE(list(window)->currentText(), selected);
        // Filling the list is not a choice.
        QCOMPARE(window.selection(), current);
    }

    // The main window writes the name to the settings file when it closes.
    void aConfirmedChoiceBecomesTheLanguage() {
        putLanguage(QStringLiteral("English"), "[Strings]\r\n");
        putLanguage(QStringLiteral("German"), "[Strings]\r\n");
        setInterfaceLanguageName(QStringLiteral("Italian"));
        seams::setModalHook([this](QDialog* dialog) {
            auto* window = static_cast<frmLanguage*>(dialog);
            window->show();
            list(*window)->setCurrentIndex(list(*window)->findText(QStringLiteral("German")));
            answers_ << MsgAnswer::Yes;
            click(*window, "cmdChiudi");
            return dialog->result();
        });
        QCOMPARE(frmLanguage::Choose(input()), QStringLiteral("German"));
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].text,
                 QStringLiteral("Confermi l'impostazione della lingua selezionata? ( German )"));
        QCOMPARE(asked_[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(asked_[0].icon, seams::MsgIcon::Question);
        QCOMPARE(asked_[0].buttons, seams::MsgButtons::YesNo);
        QCOMPARE(iniBytes(), QByteArray());
    }

    void aRefusedOrUnchangedChoiceChangesNothing() {
        putLanguage(QStringLiteral("English"), "[Strings]\r\n");
        putLanguage(QStringLiteral("German"), "[Strings]\r\n");
        setInterfaceLanguageName(QStringLiteral("English"));
        {
            frmLanguage window(input());
            list(window)->setCurrentIndex(list(window)->findText(QStringLiteral("German")));
            answers_ << MsgAnswer::No;
            window.CloseWindow();
            QCOMPARE(asked_.size(), 1);
            QCOMPARE(window.chosenLanguage(), QStringLiteral("English"));
        }
        {
            // Confirming the language already in use asks nothing.
            frmLanguage window(input());
            window.CloseWindow();
            QCOMPARE(asked_.size(), 1);
        }
        QCOMPARE(iniBytes(), QByteArray());
    }

    void closingTheWindowAnyWayAsksFirst() {
        putLanguage(QStringLiteral("English"), "[Strings]\r\n");
        setInterfaceLanguageName(QStringLiteral("Italian"));
        frmLanguage window(input());
        window.show();
        list(window)->setCurrentIndex(list(window)->findText(QStringLiteral("English")));
        answers_ << MsgAnswer::Yes;
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(window.chosenLanguage(), QStringLiteral("English"));
    }

    void theCreditsNameTheTranslator_data() {
        QTest::addColumn<bool>("active");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        const QByteArray texts = "[Strings]\r\n0206=Language:\r\n0207=Translated by\r\n";
        QTest::newRow("author and mail")
            << true << texts + "InfoAuthor=  Anna  \r\nMailAuthor=anna@example.org\r\n"
            << "Language: English\n\nTranslated by Anna\nanna@example.org";
        QTest::newRow("author only") << true << texts + "InfoAuthor=Anna\r\n"
                                     << "Language: English\n\nTranslated by Anna";
        QTest::newRow("no author: mail not shown")
            << true << texts + "MailAuthor=anna@example.org\r\n"
            << "Language: English\n\nTranslated by Unknown";
        QTest::newRow("built-in texts")
            << false << texts + "InfoAuthor=Anna\r\n"
            << "Lingua attuale: Italiano [Default]\n\nAutore: [Default]";
    }
    void theCreditsNameTheTranslator() {
        QFETCH(bool, active);
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        putLanguage(QStringLiteral("English"), file);
        setInterfaceLanguageName(QStringLiteral("English"));
        setInterfaceLanguageFileActive(active);
        frmLanguage window(input());
        click(window, "cmdInfoAuthor");
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].text, expected);
        QCOMPARE(asked_[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(asked_[0].icon, seams::MsgIcon::Information);
    }

    void theWindowTakesTheTextsOfTheLanguageFile() {
        putLanguage(QStringLiteral("English"),
                    "[Strings]\r\n0200=Choose the language\r\n0201=Sure?\r\n0202=Pick one\r\n"
                    "0203=&Close\r\n0204=Closes\r\n0205=Credits\r\n");
        setInterfaceLanguageName(QStringLiteral("English"));
        setInterfaceLanguageFileActive(true);
        frmLanguage window(input());
        QCOMPARE(window.windowTitle(), QStringLiteral("Choose the language"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblMess"))->text(),
                 QStringLiteral("Pick one"));
        auto* close = window.findChild<QPushButton*>(QStringLiteral("cmdChiudi"));
        QCOMPARE(close->text(), QStringLiteral("&Close"));
        QCOMPARE(close->toolTip(), QStringLiteral("Closes"));
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("cmdInfoAuthor"))->toolTip(),
                 QStringLiteral("Credits"));
        list(window)->setCurrentIndex(-1);
        list(window)->addItem(QStringLiteral("German"));
        list(window)->setCurrentIndex(list(window)->count() - 1);
        answers_ << MsgAnswer::No;
        window.CloseWindow();
        QCOMPARE(asked_.value(0).text, QStringLiteral("Sure? ( German )"));
    }

    void theWindowLooksRightAt800x600() {
        putLanguage(QStringLiteral("English"), "[Strings]\r\n");
        setInterfaceLanguageName(QStringLiteral("English"));
        frmLanguage window(input());
        window.show();
        QVERIFY(window.width() <= 800 && window.height() <= 600);
        const QImage image = window.grab().toImage();
        // The gradient: light at the top left, darker at the top right.
        const QColor topLeft = image.pixelColor(1, 1);
        const QColor topRight = image.pixelColor(image.width() - 2, 1);
        QVERIFY(topLeft.lightness() > topRight.lightness());
        QVERIFY(topRight.blue() > topRight.red() + 50);
        if (qEnvironmentVariableIsSet("TASTOLINO_SCREENSHOTS"))
            image.save(qEnvironmentVariable("TASTOLINO_SCREENSHOTS") + "/frmLanguage.png");
    }

    void theUserNameEntryTakesTheTextsOfTheLanguageFile() {
        putLanguage(QStringLiteral("English"),
                    "[Strings]\r\n0012=Welcome!\r\n0066=Confirm\r\n0096=Your name\r\n");
        setInterfaceLanguageName(QStringLiteral("English"));
        setInterfaceLanguageFileActive(true);
        frmInput dialog(UserNameInput{app(), true});
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblBenvenuto"))->text(),
                 QStringLiteral("Welcome!"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblDigitaNome"))->text(),
                 QStringLiteral("Your name"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cmdChiudi"))->toolTip(),
                 QStringLiteral("Confirm"));
        // "0138" is missing: the Italian caption stays rather than a blank one.
        QCOMPARE(dialog.findChild<QCheckBox*>(QStringLiteral("chkRemember"))->text(),
                 QStringLiteral("Ricorda il tuo nome al prossimo accesso"));
    }
};

QTEST_MAIN(TestFrmLanguage)
#include "tst_frmlanguage.moc"
