#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "ui/HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace tastolino;

namespace {

// A program folder with the shipped guide copied into it.
bool copyGuide(const QString& appFolder) {
    const QDir source(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/help"));
    if (!QDir(appFolder).mkpath(QStringLiteral("help"))) return false;
    const QStringList pages = source.entryList({QStringLiteral("*.html")}, QDir::Files);
    for (const QString& page : pages)
        if (!QFile::copy(source.filePath(page), appFolder + QStringLiteral("help/") + page))
            return false;
    return pages.contains(QStringLiteral("index.html"));
}

QString pageName(HelpViewer* viewer) {
    return viewer->currentPage().fileName();
}

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QList<seams::MessageRequest> messages_;
    QList<QUrl> opened_;

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        setInterfaceFolder(dir_->path() + QLatin1Char('/'));
        messages_.clear();
        opened_.clear();
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            messages_.append(r);
            return seams::MsgAnswer::Ok;
        });
        seams::setOpenUrlHook([this](const QUrl& url) {
            opened_.append(url);
            return true;
        });
    }
    void cleanup() {
        delete HelpViewer::instance();
        seams::resetAll();
        dir_.reset();
    }

    void missingGuideIsReported() {
        QWidget owner;
        ShowHelp(&owner, 1001);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0].text,
                 QStringLiteral("Impossibile trovare il file della guida help/index.html"));
        QCOMPARE(messages_[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(messages_[0].icon, seams::MsgIcon::Information);
        QVERIFY(!HelpViewer::instance());

        // A topic page alone is not a guide.
        QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("help")));
        QFile page(dir_->path() + QStringLiteral("/help/1001.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        ShowHelp(&owner, 1001);
        QCOMPARE(messages_.size(), 2);
        QVERIFY(!HelpViewer::instance());
    }

    void topicsOpenTheirPages() {
        QVERIFY(copyGuide(interfaceLanguage().folder));
        QWidget owner;
        ShowHelp(&owner, 1001);
        QVERIFY(messages_.isEmpty());
        HelpViewer* viewer = HelpViewer::instance();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Tastolino - Guida"));
        QCOMPARE(pageName(viewer), QStringLiteral("1001.html"));
        QVERIFY(
            viewer->findChild<QTextBrowser*>()->toPlainText().contains(QLatin1String("setxkbmap")));

        // One viewer, reused for every topic.
        ShowHelp(&owner, 0);
        QCOMPARE(HelpViewer::instance(), viewer);
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
        ShowHelp(&owner, 4242);  // no such page: the index
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
        ShowHelp(&owner, -1);
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
    }

    void linksStayInsideOrGoToTheOpener() {
        QVERIFY(copyGuide(interfaceLanguage().folder));
        ShowHelp(nullptr, 0);
        HelpViewer* viewer = HelpViewer::instance();
        auto* browser = viewer->findChild<QTextBrowser*>();
        auto* back = viewer->findChild<QToolButton*>(QStringLiteral("cmdBack"));
        auto* home = viewer->findChild<QToolButton*>(QStringLiteral("cmdHome"));
        QVERIFY(browser && back && home);
        QVERIFY(!back->isEnabled());

        emit browser->anchorClicked(QUrl(QStringLiteral("1001.html")));
        QCOMPARE(pageName(viewer), QStringLiteral("1001.html"));
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));

        emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/tastiera")));
        QCOMPARE(opened_, QList<QUrl>{QUrl(QStringLiteral("https://example.org/tastiera"))});
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));

        emit browser->anchorClicked(QUrl(QStringLiteral("missing.html")));  // ignored
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));

        emit browser->anchorClicked(QUrl(QStringLiteral("1001.html")));
        home->click();
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
    }

    // The viewer belongs to its owner's window and goes away with it.
    void viewerFollowsItsOwner() {
        QVERIFY(copyGuide(interfaceLanguage().folder));
        auto owner = std::make_unique<QWidget>();
        auto* child = new QWidget(owner.get());
        ShowHelp(child, 0);
        QCOMPARE(HelpViewer::instance()->parentWidget(), owner.get());
        QVERIFY(HelpViewer::instance()->isWindow());

        QWidget other;
        ShowHelp(&other, 1001);
        QCOMPARE(HelpViewer::instance()->parentWidget(), &other);
        QVERIFY(HelpViewer::instance()->isWindow());
        QCOMPARE(pageName(HelpViewer::instance()), QStringLiteral("1001.html"));

        owner.reset();
        QVERIFY(HelpViewer::instance());
        ShowHelp(owner.get(), 0);  // no owner at all
        QVERIFY(HelpViewer::instance());
        QVERIFY(HelpViewer::instance()->isVisible());

        auto last = std::make_unique<QWidget>();
        ShowHelp(last.get(), 0);
        last.reset();
        QVERIFY(!HelpViewer::instance());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
