// The about window driven through its real controls: what it shows at load,
// the texts of a language file, and where each command leads (guide,
// language window and back, keyboard printout, links).
#include "dialogs/frmAbout.h"
#include "dialogs/frmLanguage.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "ui/HelpViewer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace tastolino;

namespace {

template <typename T = QWidget>
T* child(QWidget* window, const char* name) {
    auto* w = window->findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

void click(QWidget* window, const char* name) {
    QTest::mouseClick(child(window, name), Qt::LeftButton);
}

}  // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QList<int> sounds_;
    QList<QUrl> opened_;
    QList<seams::MessageRequest> asked_;
    QStringList modals_;  // object names, in the order shown
    // What each modal window does when it comes up, in turn.
    QList<std::function<void(QDialog*)>> actions_;
    bool printer_ = true;
    seams::MsgAnswer reply_ = seams::MsgAnswer::Ok;  // to every question

    QString app() const { return folder_->path() + QLatin1Char('/'); }
    void putFile(const QString& name, const QByteArray& bytes) {
        QDir(app()).mkpath(QFileInfo(app() + name).path());
        QFile file(app() + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        resetInterfaceLanguage();
        setInterfaceFolder(app());
        sounds_.clear();
        opened_.clear();
        asked_.clear();
        modals_.clear();
        actions_.clear();
        printer_ = true;
        reply_ = seams::MsgAnswer::Ok;
        seams::setInstantWaits(true);
        seams::setSoundHook([this](int id) { sounds_ << id; });
        seams::setPrinterAvailableHook([this] { return printer_; });
        seams::setOpenUrlHook([this](const QUrl& url) {
            opened_ << url;
            return false;  // no browser here: the window closes all the same
        });
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            asked_ << r;
            return reply_;
        });
        seams::setModalHook([this](QDialog* dialog) {
            modals_ << dialog->objectName();
            if (modals_.size() > 10) return int(QDialog::Rejected);  // a loop would hang
            dialog->setResult(QDialog::Rejected);
            if (!actions_.isEmpty()) actions_.takeFirst()(dialog);
            return dialog->result();
        });
    }
    void cleanup() {
        seams::resetAll();
        if (HelpViewer::instance()) delete HelpViewer::instance();
    }

    void loadShowsNameVersionAndSound_data() {
        QTest::addColumn<bool>("soundOn");
        QTest::addColumn<bool>("printer");
        QTest::newRow("sound, printer") << true << true;
        QTest::newRow("silent, no printer") << false << false;
    }
    void loadShowsNameVersionAndSound() {
        QFETCH(bool, soundOn);
        QFETCH(bool, printer);
        printer_ = printer;
        frmAbout window(AboutInput{false, soundOn, false});
        QCOMPARE(child<QLabel>(&window, "lblTitolo")->text(), QStringLiteral("Tastolino"));
        QCOMPARE(child<QLabel>(&window, "lblVersione")->text(), QStringLiteral("Versione 7.1.0"));
        QCOMPARE(sounds_, soundOn ? QList<int>{105} : QList<int>{});
        QCOMPARE(child(&window, "lblPrintKey")->isEnabled(), printer);
        QCOMPARE(child(&window, "imgPrintKey")->isEnabled(), printer);
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(child<QLabel>(&window, "lblVideoSetting")->text(),
                 QStringLiteral("Impostazione video raccomandate  1024x768 o  800x600 pixel  "));
        QCOMPARE(child<QPushButton>(&window, "cmdChiudi")->text(), QStringLiteral("&Chiudi"));
        // Fits a small screen.
        QVERIFY(window.width() <= 640 && window.height() <= 560);
    }

    void aLanguageFileGivesTheTexts() {
        putFile(QStringLiteral("Lang/English.lng"),
                "[Strings]\r\n0066=Close window\r\n0069=Print the keyboard!\r\n"
                "0071=Recommended screen\r\n0072=1024x768 or 800x600\r\n0073=Edition for\r\n"
                "1003=German keyboard\r\n0075=&Close\r\n0115=Language\r\n0143=Recommended by:\r\n");
        setInterfaceLanguageName(QStringLiteral("English"));
        setInterfaceLanguageFileActive(true);
        frmAbout window(AboutInput{false, true, true});
        QCOMPARE(child<QLabel>(&window, "lblPrintKey")->text(),
                 QStringLiteral("Print the keyboard!"));
        QCOMPARE(child<QLabel>(&window, "lblVideoSetting")->text(),
                 QStringLiteral("Recommended screen\n1024x768 or 800x600"));
        QCOMPARE(child<QLabel>(&window, "lblLayoutKeyb")->text(),
                 QStringLiteral("Edition for German keyboard"));
        QCOMPARE(child<QLabel>(&window, "lblRezudizuz")->text(), QStringLiteral("Recommended by:"));
        QCOMPARE(child<QPushButton>(&window, "cmdChiudi")->text(), QStringLiteral("&Close"));
        QCOMPARE(child(&window, "cmdChiudi")->toolTip(), QStringLiteral("Close window"));
        QCOMPARE(child(&window, "cmdLingua")->toolTip(), QStringLiteral("Language"));
        // Texts the file lacks stay Italian; the version is not translated.
        QVERIFY(child<QLabel>(&window, "lblWebSite")->text().startsWith(QStringLiteral("Per ")));
        QCOMPARE(child<QLabel>(&window, "lblVersione")->text(), QStringLiteral("Versione 7.1.0"));
    }

    // Each command closes the window and leads to its own place.
    void commandsLeadWhereTheySay_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("prints");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("close") << QByteArray("cmdChiudi") << 0 << QString() << false;
        QTest::newRow("print label") << QByteArray("lblPrintKey") << 1 << QString() << false;
        QTest::newRow("print picture") << QByteArray("imgPrintKey") << 1 << QString() << false;
        QTest::newRow("home page")
            << QByteArray("lblHomePage") << 0 << frmAbout::HomePageUrl() << true;
        QTest::newRow("home page picture")
            << QByteArray("imgUrl0") << 0 << frmAbout::HomePageUrl() << true;
        QTest::newRow("recommended site")
            << QByteArray("lblRezudizuzLink") << 0 << frmAbout::RecommendedSiteUrl() << true;
        QTest::newRow("e-mail") << QByteArray("lblEmail") << 0
                                << "mailto:info@tastolino.example.org?Subject=Tastolino (IT) - "
                                   "Versione 7.1.0"
                                << true;
    }
    void commandsLeadWhereTheySay() {
        QFETCH(QByteArray, control);
        QFETCH(int, prints);
        QFETCH(QString, url);
        QFETCH(bool, minimised);
        QWidget main;
        main.resize(300, 200);
        main.show();
        actions_ << [&](QDialog* d) { click(d, control.constData()); };
        int printed = 0;
        bool aboutGoneWhenPrinting = false;
        AboutCommands commands;
        commands.printKeyboard = [&] {
            ++printed;
            aboutGoneWhenPrinting = true;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("frmAbout") && w->isVisible())
                    aboutGoneWhenPrinting = false;
        };
        frmAbout::Show(&main, {}, commands);
        QCOMPARE(modals_, QStringList{"frmAbout"});
        QCOMPARE(printed, prints);
        if (prints) QVERIFY(aboutGoneWhenPrinting);
        QCOMPARE(opened_.size(), url.isEmpty() ? 0 : 1);
        if (!url.isEmpty()) QCOMPARE(opened_[0].toString(), url);
        QCOMPARE(main.isMinimized(), minimised);
        QVERIFY(asked_.isEmpty());
    }

    void withoutPrinterThePrintCommandDoesNothing() {
        printer_ = false;
        actions_ << [](QDialog* d) {
            click(d, "lblPrintKey");
            click(d, "imgPrintKey");
            QCOMPARE(d->result(), int(QDialog::Rejected));  // still open
        };
        int printed = 0;
        AboutCommands commands;
        commands.printKeyboard = [&] { ++printed; };
        frmAbout::Show(nullptr, {}, commands);
        QCOMPARE(printed, 0);
    }

    // The language window comes up in place of this one; the about window
    // returns only when the language stayed the same.
    void theLanguageWindowAndBack_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("same language")
            << QString() << QStringList{"frmAbout", "frmLanguage", "frmAbout"};
        QTest::newRow("another language")
            << QStringLiteral("English") << QStringList{"frmAbout", "frmLanguage"};
    }
    void theLanguageWindowAndBack() {
        QFETCH(QString, chosen);
        QFETCH(QStringList, shown);
        bool aboutHiddenMeanwhile = false;
        QPointer<QDialog> about;
        actions_ << [&](QDialog* d) {
            about = d;
            click(d, "cmdLingua");
        };
        actions_ << [&](QDialog* d) {
            aboutHiddenMeanwhile = about && !about->isVisible();
            if (chosen.isEmpty()) return;
            // The language window's own way: picked in the list, confirmed.
            auto* list = d->findChild<QComboBox*>(QStringLiteral("cboFileLanguage"));
            list->addItem(chosen);
            list->setCurrentIndex(list->count() - 1);
            reply_ = seams::MsgAnswer::Yes;
            click(d, "cmdChiudi");
        };
        actions_ << [](QDialog* d) { click(d, "cmdChiudi"); };
        AboutCommands commands;
        commands.chooseLanguage = [this](QWidget* owner) {
            const LanguageWindowInput current{app(), QStringLiteral("Italian"), false};
            return frmLanguage::Choose(current, owner) != current.languageName;
        };
        frmAbout::Show(nullptr, {}, commands);
        QCOMPARE(modals_, shown);
        QVERIFY(aboutHiddenMeanwhile);
        // Shown again, not loaded again: the opening sound played once.
        QCOMPARE(sounds_, QList<int>{105});
    }

    // The guide opens owned by the main window, so it outlives the about
    // window that asked for it.
    void theGuideOutlivesTheAboutWindow() {
        putFile(QStringLiteral("help/index.html"), "<html><body>Guida</body></html>");
        QWidget main;
        actions_ << [](QDialog* d) { click(d, "cmdHelp"); };
        frmAbout::Show(&main, {}, {});
        QVERIFY(HelpViewer::instance());
        QCOMPARE(HelpViewer::instance()->parentWidget(), &main);
        QVERIFY(HelpViewer::instance()->isVisible());
        QVERIFY(asked_.isEmpty());
    }

    void aMissingGuideIsReported() {
        actions_ << [](QDialog* d) { click(d, "cmdHelp"); };
        frmAbout::Show(nullptr, {}, {});
        QCOMPARE(asked_.size(), 1);
        QVERIFY(
            asked_[0].text.startsWith(QStringLiteral("Impossibile trovare il file della guida")));
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
