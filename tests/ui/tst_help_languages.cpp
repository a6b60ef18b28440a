// The guide in every interface language: each shipped guide has every page
// the program opens and whole links, the interface language picks its
// guide, and a language or page that is missing falls back to Italian.
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/TestFiles.h"
#include "ui/HelpViewer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace tastolino;

namespace {

const QString kShippedHelp = QStringLiteral(TASTOLINO_SOURCE_DIR "/data/help/");
const QString kShippedLang = QStringLiteral(TASTOLINO_SOURCE_DIR "/data/Lang/");

// The context numbers the program opens the guide at (0: its first page).
const QList<int> kTopics = {0, 1001};

// The guide's folders: the Italian one first, then one per language.
QStringList guideFolders() {
    QStringList folders{kShippedHelp};
    for (const QString& sub : QDir(kShippedHelp).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << kShippedHelp + sub + QLatin1Char('/');
    return folders;
}

QStringList pagesOf(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QString readUtf8(const QString& path) {
    return QString::fromUtf8(tastolino::testing::readFile(path));
}

bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target)) return false;
    }
    return true;
}

QString pageName(HelpViewer* viewer) {
    return viewer->currentPage().fileName();
}

// The guide folder of the page the viewer shows, e.g. "English" or "help".
QString pageFolder(HelpViewer* viewer) {
    return QFileInfo(viewer->currentPage().toLocalFile()).dir().dirName();
}

QString buttonText(HelpViewer* viewer, const char* name) {
    auto* button = viewer->findChild<QToolButton*>(QLatin1String(name));
    return button ? button->text() : QString();
}

}  // namespace

class TestHelpLanguages : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QList<seams::MessageRequest> messages_;

    QString app() const { return dir_->path() + QLatin1Char('/'); }
    // A program folder with the shipped guide and the given language files
    // (empty files will do: only their presence counts here).
    void install(const QStringList& languageFiles) {
        QVERIFY(copyTree(kShippedHelp, app() + QStringLiteral("help/")));
        QVERIFY(QDir(app()).mkpath(QStringLiteral("Lang")));
        for (const QString& name : languageFiles) {
            QFile file(app() + QStringLiteral("Lang/") + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    void useLanguage(const QString& name) { setInterfaceLanguageName(name); }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        resetInterfaceLanguage();
        setInterfaceFolder(app());
        messages_.clear();
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            messages_.append(r);
            return seams::MsgAnswer::Ok;
        });
        seams::setOpenUrlHook([](const QUrl&) { return true; });
    }
    void cleanup() {
        delete HelpViewer::instance();
        seams::resetAll();
        resetInterfaceLanguage();
        dir_.reset();
    }

    // Every guide has the pages of the Italian one, among them every topic
    // the program opens; every shipped language file has its guide.
    void everyGuideHasEveryPage() {
        const QStringList italian = pagesOf(kShippedHelp);
        for (int topic : kTopics) {
            const QString page = topic > 0 ? QString::number(topic) + QStringLiteral(".html")
                                           : QStringLiteral("index.html");
            QVERIFY2(italian.contains(page), qPrintable(page));
        }
        const QStringList folders = guideFolders();
        QVERIFY2(folders.size() >= 2, "no guide besides the Italian one");
        for (const QString& folder : folders) QCOMPARE(pagesOf(folder), italian);

        const QStringList languages =
            QDir(kShippedLang).entryList({QStringLiteral("*.lng")}, QDir::Files);
        QVERIFY(!languages.isEmpty());
        for (const QString& file : languages) {
            const QString language = QFileInfo(file).completeBaseName();
            setInterfaceFolder(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/"));
            setInterfaceLanguageName(language);
            QVERIFY2(HelpLanguageFolder() != HelpFolder(),
                     qPrintable(language + QStringLiteral(" has no guide")));
        }
    }

    // Pages link to pages and places that exist, in their own guide; each
    // names its language (one per guide), takes the shared look and has a
    // title.
    void everyLinkLeadsSomewhere() {
        const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        const QRegularExpression anchor(QStringLiteral("<a name=\"([^\"]+)\""));
        const QRegularExpression title(QStringLiteral("<title>[^<]+</title>"));
        const QRegularExpression langAttribute(QStringLiteral("<html lang=\"([a-z]+)\""));
        for (const QString& folder : guideFolders()) {
            const bool italian = folder == kShippedHelp;
            QString guideLang;
            QSet<QString> anchors;  // "page#name"
            QHash<QString, QString> texts;
            for (const QString& page : pagesOf(folder)) {
                texts[page] = readUtf8(folder + page);
                for (auto it = anchor.globalMatch(texts[page]); it.hasNext();)
                    anchors.insert(page + QLatin1Char('#') + it.next().captured(1));
            }
            for (auto page = texts.cbegin(); page != texts.cend(); ++page) {
                const QString where = folder + page.key();
                QVERIFY2(title.match(page.value()).hasMatch(), qPrintable(where));
                QVERIFY2(!page.value().contains(QChar::ReplacementCharacter), qPrintable(where));
                QVERIFY2(page.value().contains(italian ? QStringLiteral("href=\"style.css\"")
                                                       : QStringLiteral("href=\"../style.css\"")),
                         qPrintable(where));
                // A guide's pages speak its language, Italian only in help/.
                const QString lang = langAttribute.match(page.value()).captured(1);
                QVERIFY2(!lang.isEmpty(), qPrintable(where));
                if (guideLang.isEmpty()) guideLang = lang;
                QCOMPARE(lang, guideLang);
                QCOMPARE(lang == QLatin1String("it"), italian);
                for (auto it = href.globalMatch(page.value()); it.hasNext();) {
                    const QString target = it.next().captured(1);
                    if (target.contains(QLatin1String("://"))) continue;  // opened outside
                    if (target.endsWith(QLatin1String(".css"))) {
                        QVERIFY(QFile::exists(folder + target));
                        continue;
                    }
                    QVERIFY2(!target.contains(QLatin1Char('/')),
                             qPrintable(where + QStringLiteral(": ") + target));
                    const QString file = target.section(QLatin1Char('#'), 0, 0);
                    const QString place = target.section(QLatin1Char('#'), 1);
                    const QString targetPage = file.isEmpty() ? page.key() : file;
                    QVERIFY2(texts.contains(targetPage),
                             qPrintable(where + QStringLiteral(": ") + target));
                    if (!place.isEmpty())
                        QVERIFY2(anchors.contains(targetPage + QLatin1Char('#') + place),
                                 qPrintable(where + QStringLiteral(": ") + target));
                }
            }
        }
    }

    // The interface language picks its guide for every topic, its name
    // matched ignoring case, and the viewer speaks that language too.
    void theInterfaceLanguagePicksItsGuide() {
        install({QStringLiteral("English.lng"), QStringLiteral("german.LNG"),
                 QStringLiteral("French.lng"), QStringLiteral("Spanish.lng")});
        const QList<QPair<QString, QString>> cases = {
            {QStringLiteral("English"), QStringLiteral("Back")},
            {QStringLiteral("GERMAN"), QStringLiteral("Zurück")},
            {QStringLiteral("french"), QStringLiteral("Précédente")},
            {QStringLiteral("Spanish"), QStringLiteral("Atrás")},
        };
        QWidget owner;
        for (const auto& [language, back] : cases) {
            useLanguage(language);
            ShowHelp(&owner, 1001);
            HelpViewer* viewer = HelpViewer::instance();
            QVERIFY(viewer);
            QCOMPARE(pageFolder(viewer).toLower(), language.toLower());
            QCOMPARE(pageName(viewer), QStringLiteral("1001.html"));
            QCOMPARE(buttonText(viewer, "cmdBack"), back);
            QVERIFY(viewer->windowTitle().startsWith(QStringLiteral("Tastolino")));
            QVERIFY(viewer->windowTitle() != QStringLiteral("Tastolino - Guida"));

            ShowHelp(&owner, 0);
            QCOMPARE(pageFolder(viewer).toLower(), language.toLower());
            QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
            // A link of the page stays in the language's guide.
            auto* browser = viewer->findChild<QTextBrowser*>();
            emit browser->anchorClicked(QUrl(QStringLiteral("lessons.html")));
            QCOMPARE(pageFolder(viewer).toLower(), language.toLower());
            QCOMPARE(pageName(viewer), QStringLiteral("lessons.html"));
        }
        QVERIFY(messages_.isEmpty());

        // Back to Italian: the Italian pages and captions again.
        useLanguage(QStringLiteral("Italian"));
        ShowHelp(&owner, 1001);
        HelpViewer* viewer = HelpViewer::instance();
        QCOMPARE(pageFolder(viewer), QStringLiteral("help"));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Tastolino - Guida"));
        QCOMPARE(buttonText(viewer, "cmdBack"), QStringLiteral("Indietro"));
        QCOMPARE(buttonText(viewer, "cmdForward"), QStringLiteral("Avanti"));
        QCOMPARE(buttonText(viewer, "cmdHome"), QStringLiteral("Indice"));
    }

    // Italian stands in for a language without a guide, a language whose
    // file is missing (the interface is Italian then), an unusable name,
    // and a page the language's guide lacks.
    void missingLanguagesAndPagesFallBackToItalian() {
        install({QStringLiteral("English.lng"), QStringLiteral("Dutch.lng")});
        QWidget owner;
        const QStringList italianCases = {QStringLiteral("Dutch"), QStringLiteral("German"),
                                          QStringLiteral("../help/English"), QString()};
        for (const QString& language : italianCases) {
            useLanguage(language);
            QCOMPARE(HelpLanguageFolder(), HelpFolder());
            ShowHelp(&owner, 1001);
            QCOMPARE(pageFolder(HelpViewer::instance()), QStringLiteral("help"));
            QCOMPARE(pageName(HelpViewer::instance()), QStringLiteral("1001.html"));
            QCOMPARE(buttonText(HelpViewer::instance(), "cmdHome"), QStringLiteral("Indice"));
        }

        // English lacks its topic page: the Italian page, while Contents and
        // the captions stay English.
        useLanguage(QStringLiteral("English"));
        QVERIFY(QFile::remove(app() + QStringLiteral("help/English/1001.html")));
        ShowHelp(&owner, 1001);
        HelpViewer* viewer = HelpViewer::instance();
        QCOMPARE(pageFolder(viewer), QStringLiteral("help"));
        QCOMPARE(pageName(viewer), QStringLiteral("1001.html"));
        QCOMPARE(buttonText(viewer, "cmdHome"), QStringLiteral("Contents"));
        viewer->findChild<QToolButton*>(QStringLiteral("cmdHome"))->click();
        QCOMPARE(pageFolder(viewer), QStringLiteral("English"));
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
        // A topic no guide has: the language's first page.
        ShowHelp(&owner, 4242);
        QCOMPARE(pageFolder(viewer), QStringLiteral("English"));
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));

        // Without its first page the English guide gives way to the Italian one.
        QVERIFY(QFile::remove(app() + QStringLiteral("help/English/index.html")));
        ShowHelp(&owner, 0);
        QCOMPARE(pageFolder(viewer), QStringLiteral("help"));
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
        QCOMPARE(buttonText(viewer, "cmdHome"), QStringLiteral("Indice"));
        QVERIFY(messages_.isEmpty());

        // Only a guide in the language and none in Italian: still a guide.
        QVERIFY(QFile::copy(kShippedHelp + QStringLiteral("English/index.html"),
                            app() + QStringLiteral("help/English/index.html")));
        QVERIFY(QFile::remove(app() + QStringLiteral("help/index.html")));
        QVERIFY(HelpAvailable());
        ShowHelp(&owner, 0);
        QCOMPARE(pageFolder(viewer), QStringLiteral("English"));
        QCOMPARE(pageName(viewer), QStringLiteral("index.html"));
        useLanguage(QStringLiteral("Italian"));
        QVERIFY(!HelpAvailable());
        ShowHelp(&owner, 0);
        QCOMPARE(messages_.size(), 1);
    }

    // Captions come from the index page's head; what it lacks stays Italian.
    void captionsComeFromTheIndexPage() {
        QVERIFY(QDir(app()).mkpath(QStringLiteral("g")));
        QFile page(app() + QStringLiteral("g/index.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write(
            "<html><head><TITLE>Tastolino &ndash; Hj\xc3\xa4lp</TITLE>\n"
            "<meta name=\"help-forward\" content=\"Fram&aring;t\">\n"
            "<meta name=\"help-back\" content=\"  \">\n</head><body></body></html>");
        page.close();
        const HelpCaptions captions = HelpCaptionsOf(app() + QStringLiteral("g/"));
        QCOMPARE(captions.title, QString::fromUtf8("Tastolino \xe2\x80\x93 Hj\xc3\xa4lp"));
        QCOMPARE(captions.forward, QString::fromUtf8("Fram\xc3\xa5t"));
        QCOMPARE(captions.back, QStringLiteral("Indietro"));
        QCOMPARE(captions.contents, QStringLiteral("Indice"));
        const HelpCaptions none = HelpCaptionsOf(app() + QStringLiteral("nowhere/"));
        QCOMPARE(none.title, QStringLiteral("Tastolino - Guida"));
    }
};

QTEST_MAIN(TestHelpLanguages)
#include "tst_help_languages.moc"
