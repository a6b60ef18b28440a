// The guide opened from the main window follows the interface language:
// F1, the information window's help button and the warning about the
// keyboard layout open the pages of the language in use, a language
// chosen while the program runs included, and Italian where the language
// has no guide.
#include "WindowControls.h"
#include "app/frmTastomat.h"
#include "dialogs/frmAbout.h"
#include "keyboard/KeyboardLayout.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/QuietSeams.h"
#include "ui/HelpViewer.h"

#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace tastolino;
// The layout the system keeps: German, or one that cannot be changed.
using tastolino::testing::FixedLayout;

namespace {

// "English/index.html" for a page of the English guide, "help/1001.html"
// for an Italian one.
QString shownPage() {
    HelpViewer* viewer = HelpViewer::instance();
    if (!viewer) return {};
    const QFileInfo page(viewer->currentPage().toLocalFile());
    return page.dir().dirName() + QLatin1Char('/') + page.fileName();
}

}  // namespace

class TestHelpInLanguage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QList<seams::MessageRequest> asked_;
    int aboutAnswer_ = QDialog::Accepted;

    QString app() const { return folder_->path() + QLatin1Char('/'); }
    void ship() {
        const QString source = QStringLiteral(TASTOLINO_SOURCE_DIR "/data/");
        for (const char* sub : {"help", "Lang"}) {
            QDirIterator it(source + QLatin1String(sub), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                const QString target = app() + file.mid(source.size());
                QVERIFY(QDir().mkpath(QFileInfo(target).path()));
                QVERIFY(QFile::copy(file, target));
            }
        }
    }
    void chooseInSettings(const QByteArray& language) {
        QFile file(app() + QStringLiteral("Tastolino.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Language]\r\nCurrentLanguage=" + language + "\r\n");
    }
    std::unique_ptr<frmTastomat> start(const QString& layout = kGermanLayoutId) {
        setLayoutBackend(std::make_unique<FixedLayout>(layout));
        tastolino::testing::freshProgramState(app());
        largeScreenScale() = ScaleForScreen(QSize(800, 600));
        return tastolino::testing::startMainWindow();
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        asked_.clear();
        aboutAnswer_ = QDialog::Accepted;
        tastolino::testing::quietWindowSeams(&asked_);
        seams::setModalHook([this](QDialog* dialog) {
            if (dialog->objectName() == QLatin1String("frmInput"))
                dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente"))
                    ->setText(QStringLiteral("anna"));
            if (dialog->objectName() == QLatin1String("frmAbout")) return aboutAnswer_;
            dialog->accept();
            return int(QDialog::Accepted);
        });
    }
    void cleanup() {
        delete HelpViewer::instance();
        seams::resetAll();
        folder_.reset();
    }

    void f1OpensTheGuideOfTheLanguageInUse() {
        ship();
        chooseInSettings("english");  // the name as a user may have typed it
        auto w = start();
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_F1);
        QVERIFY(asked_.isEmpty());
        QCOMPARE(shownPage(), QStringLiteral("English/index.html"));
        QCOMPARE(HelpViewer::instance()->windowTitle(), QStringLiteral("Tastolino - Help"));
        QCOMPARE(HelpViewer::instance()->findChild<QToolButton*>(QStringLiteral("cmdHome"))->text(),
                 QStringLiteral("Contents"));

        // The language window has just switched back to Italian.
        setInterfaceLanguageName(QStringLiteral("Italian"));
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_F1);
        QCOMPARE(shownPage(), QStringLiteral("help/index.html"));
        QCOMPARE(HelpViewer::instance()->windowTitle(), QStringLiteral("Tastolino - Guida"));
    }

    void theInformationWindowOpensTheSameGuide() {
        ship();
        chooseInSettings("English");
        auto w = start();
        aboutAnswer_ = frmAbout::HelpRequested;  // its "?" button
        QLabel* info = control<QLabel>(*w, "lblMenu", 2);
        QTest::mouseClick(info, Qt::LeftButton, {}, info->rect().center());
        QCOMPARE(shownPage(), QStringLiteral("English/index.html"));
    }

    void theLayoutWarningOpensItsTopicInTheLanguage() {
        ship();
        chooseInSettings("English");
        auto w = start(QStringLiteral("us"));
        QCOMPARE(asked_.size(), 1);  // the warning about the layout
        QCOMPARE(shownPage(), QStringLiteral("English/1001.html"));
    }

    void aLanguageWithoutGuideGetsTheItalianOne() {
        ship();
        // A language file of the user's own, with no guide beside it.
        QVERIFY(QFile::copy(app() + QStringLiteral("Lang/English.lng"),
                            app() + QStringLiteral("Lang/Piemontese.lng")));
        chooseInSettings("Piemontese");
        auto w = start(QStringLiteral("us"));
        QCOMPARE(shownPage(), QStringLiteral("help/1001.html"));
        QTest::keyClick(control<QLineEdit>(*w, "txtInput"), Qt::Key_F1);
        QCOMPARE(shownPage(), QStringLiteral("help/index.html"));
    }
};

QTEST_MAIN(TestHelpInLanguage)
#include "tst_help_in_language.moc"
