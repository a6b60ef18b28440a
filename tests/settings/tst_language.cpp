// Language files: reading interface texts by identifier (Windows-1252 or
// UTF-8, the Italian text where the file has none), the names that may
// reach a path or differ in case, the list of languages, the main window's
// table of identifiers, and the shipped files against the list of every
// identifier the program looks up.
#include "settings/InterfaceLanguage.h"
#include "settings/InterfaceTexts.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageSupport.h"
#include "settings/LanguageSupportMainTexts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tastolino;

namespace {

using tastolino::testing::writeFile;

}  // namespace

class TestLanguage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;

    QString app() const { return folder_->path() + QLatin1Char('/'); }
    void putLanguage(const QString& name, const QByteArray& bytes) {
        QDir(app()).mkpath(QStringLiteral("Lang"));
        writeFile(app() + QStringLiteral("Lang/") + name, bytes);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        resetInterfaceLanguage();
        setInterfaceFolder(app());
        setInterfaceLanguageName(QStringLiteral("Test"));
    }

    void textsAreReadByIdentifier_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[Strings]\r\n0031=Finger\r\n") << "0031"
                               << "Finger";
        QTest::newRow("blanks around removed")
            << QByteArray("[Strings]\r\n0031=  abc  \r\n") << "0031"
            << "abc";
        QTest::newRow("inner double blanks kept")
            << QByteArray("[Strings]\r\n0042=a  b\r\n") << "0042"
            << "a  b";
        QTest::newRow("Windows-1252 decoded")
            << QByteArray("[Strings]\r\n0062=Achtung \xe4\xf6\xfc \x80!\r\n") << "0062"
            << QString::fromUtf8("Achtung äöü €!");
        QTest::newRow("section and key ignore case")
            << QByteArray("[STRINGS]\r\ninfoauthor=Anna\r\n") << "InfoAuthor"
            << "Anna";
        QTest::newRow("missing key keeps the Italian text")
            << QByteArray("[Strings]\r\n0001=x\r\n") << "0027"
            << "Principiante";
        QTest::newRow("empty text keeps the Italian text")
            << QByteArray("[Strings]\r\n0027=  \r\n") << "0027"
            << "Principiante";
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xEF\xBB\xBF[Strings]\r\n0062=Achtung \xC3\xA4!\r\n") << "0062"
            << QString::fromUtf8("Achtung ä!");
        QTest::newRow("UTF-8 as Linux editors save it")
            << QByteArray(
                   "[Strings]\n0302=Vitesse \xC3\xA9"
                   "lev\xC3\xA9"
                   "e \xE2\x82\xAC\n")
            << "0302" << QString::fromUtf8("Vitesse élevée €");
        QTest::newRow("bytes that are not UTF-8 are Windows-1252")
            << QByteArray(
                   "[Strings]\r\n0302=Gr\xF6\xDF"
                   "e \xC3\r\n")
            << "0302" << QString::fromUtf8("Größe Ã");
        QTest::newRow("first key wins")
            << QByteArray("[Strings]\r\n0001=one\r\n0001=two\r\n") << "0001"
            << "one";
    }
    void textsAreReadByIdentifier() {
        QFETCH(QByteArray, file);
        QFETCH(QString, id);
        QFETCH(QString, expected);
        putLanguage(QStringLiteral("Test.lng"), file);
        QCOMPARE(GetLangString(id), expected);
    }

    void longValuesAreCutTo511Characters() {
        putLanguage(QStringLiteral("Test.lng"),
                    "[Strings]\r\n0001=" + QByteArray(600, '\xe8') + "\r\n");
        const QString text = GetLangString(QStringLiteral("0001"));
        QCOMPARE(text.size(), 511);
        QCOMPARE(text, QString(511, QChar(0xE8)));
    }

    void aMissingFileOrFolderGivesTheItalianTexts() {
        QCOMPARE(GetLangString(QStringLiteral("0001")), QStringLiteral("Frasi interne"));
        QVERIFY(!languageFileExists(app(), QStringLiteral("Test")));
        QCOMPARE(GetLangString(QStringLiteral("0001"), QStringLiteral("Frasi")),
                 QStringLiteral("Frasi"));
        setInterfaceFolder(QString());
        QCOMPARE(GetLangString(QStringLiteral("0001")), QStringLiteral("Frasi interne"));
        // Not a language at all: no text to fall back on.
        QCOMPARE(GetLangString(QStringLiteral("InfoAuthor")), QString());
        // An identifier the list lacks is reported: no file would be
        // checked for it.
        QTest::ignoreMessage(QtWarningMsg,
                             "interface text 0999 is not in the list of interface texts");
        QCOMPARE(GetLangString(QStringLiteral("0999")), QString());
    }

    // As on Windows, the name in the settings file finds its file whatever
    // the case of either; the file spelt exactly as asked wins.
    void theNameFindsItsFileIgnoringCase() {
        putLanguage(QStringLiteral("GERMAN.LNG"), "[Strings]\r\n0027=Anf\xE4nger\r\n");
        setInterfaceLanguageName(QStringLiteral("German"));
        QVERIFY(languageFileExists(app(), interfaceLanguage().name));
        QCOMPARE(GetLangString(QStringLiteral("0027")), QString::fromUtf8("Anfänger"));
        putLanguage(QStringLiteral("German.lng"), "[Strings]\r\n0027=exact\r\n");
        QCOMPARE(GetLangString(QStringLiteral("0027")), QStringLiteral("exact"));
    }

    // The file is read once and kept; saved again, it is read again.
    void aFileSavedAgainIsReadAgain() {
        putLanguage(QStringLiteral("Test.lng"), "[Strings]\r\n0027=one\r\n");
        QCOMPARE(GetLangString(QStringLiteral("0027")), QStringLiteral("one"));
        putLanguage(QStringLiteral("Test.lng"), "[Strings]\r\n0027=second\r\n");
        QCOMPARE(GetLangString(QStringLiteral("0027")), QStringLiteral("second"));
    }

    // The name comes from a hand-editable settings file and ends up in a
    // path: nothing outside Lang/ may be read through it.
    void namesThatLeaveTheFolderAreRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "English" << true;
        QTest::newRow("with blank and brackets") << "Italian [Default]" << true;
        QTest::newRow("accented") << QString::fromUtf8("Français") << true;
        QTest::newRow("parent") << "../Secret" << false;
        QTest::newRow("slash") << "sub/English" << false;
        QTest::newRow("absolute") << "/tmp/x" << false;
        QTest::newRow("backslash") << "..\\x" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("line break") << "a\nb" << false;
    }
    void namesThatLeaveTheFolderAreRefused() {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(isSafeLanguageName(name), safe);
        QCOMPARE(languageFilePath(app(), name).isEmpty(), !safe);
    }

    void aTraversingNameReadsNothing() {
        // A file that a traversing name would reach.
        writeFile(app() + QStringLiteral("Secret.lng"), "[Strings]\r\n0001=stolen\r\n");
        QDir(app()).mkpath(QStringLiteral("Lang"));
        setInterfaceLanguageName(QStringLiteral("../Secret"));
        QCOMPARE(GetLangString(QStringLiteral("0001")), QStringLiteral("Frasi interne"));
        QVERIFY(!languageFileExists(app(), interfaceLanguage().name));
    }

    void theListHoldsLanguageFilesOnly() {
        QCOMPARE(LanguageFileNames(app()), QStringList());  // no folder at all
        putLanguage(QStringLiteral("German.lng"), "[Strings]\r\n");
        putLanguage(QStringLiteral("English.lng"), "[Strings]\r\n");
        putLanguage(QStringLiteral("notes.txt"), "x");
        putLanguage(QStringLiteral(".lng"), "x");
        putLanguage(QStringLiteral("Old.lng.bak"), "x");
        QDir(app()).mkpath(QStringLiteral("Lang/Folder.lng"));
        QStringList names = LanguageFileNames(app());
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("English"), QStringLiteral("German")}));
    }

    void theMainWindowTableReplacesEverySlot() {
        // Every identifier of the table gets a distinct text: each slot must
        // come out with the text of its own identifier.
        QByteArray file = "[Strings]\r\n";
        for (int id = 1; id <= 320; ++id)
            file += QByteArray::number(id).rightJustified(4, '0') + "=T" + QByteArray::number(id) +
                    "\r\n";
        file += "1002=T1002\r\n1011=T1011\r\n";
        putLanguage(QStringLiteral("Test.lng"), file);

        const MainWindowTexts texts = LanguageFileMainWindowTexts();

        const int ids[43] = {1,  2,    3,   4,   5,   6,   7,   8,   9,   10,  11,  137, 13, 14, 19,
                             20, 1002, 21,  22,  23,  24,  25,  26,  29,  30,  15,  16,  17, 18, 27,
                             28, 1011, 117, 118, 119, 137, 120, 121, 122, 123, 124, 125, 126};
        for (int slot = 0; slot < 43; ++slot) {
            QString expected = QStringLiteral("T%1").arg(ids[slot]);
            if (slot == 12) expected += QStringLiteral(" <Enter>");
            if (slot == 23) expected += QLatin1Char(' ');  // the program's name follows
            if (slot == 13) expected.prepend(QLatin1Char('\n'));
            QCOMPARE(texts.messages[slot], expected);
        }
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(texts.praiseGreat[i], QStringLiteral("T%1").arg(48 + i));
            QCOMPARE(texts.praiseGood[i], QStringLiteral("T%1").arg(55 + i));
        }
        QCOMPARE(texts.perMinuteText, QStringLiteral("T116"));
        QCOMPARE(texts.warningTitle, QStringLiteral("T62"));
        QCOMPARE(texts.helpMissingText, QStringLiteral("T65"));
        const int sources[5] = {1, 64, 63, 126, 306};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(texts.sourceCaptions[size_t(i)], QStringLiteral("T%1").arg(sources[i]));
        QCOMPARE(texts.levelCaptions[0], QStringLiteral("T27"));
        QCOMPARE(texts.levelCaptions[1], QStringLiteral("T28"));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(texts.menuTips[size_t(i)], QStringLiteral("T%1").arg(35 + i));
        QCOMPARE(texts.menuTips[7], QStringLiteral("NUOVO"));
        QCOMPARE(texts.counterTips[1], QStringLiteral("T43"));
        QCOMPARE(texts.smileTip, QStringLiteral("T208"));
        QCOMPARE(texts.sentenceNumberTip, QStringLiteral("T44"));
        QCOMPARE(texts.averageTips[2], QStringLiteral("T47"));
        QCOMPARE(texts.fingerIconTip, QStringLiteral("T31"));
        QCOMPARE(texts.keyMapTip, QStringLiteral("T32"));
        QCOMPARE(texts.flatSwitchTip, QStringLiteral("T151"));
    }

    // A shipped language file: Windows-1252 with CR LF, a non-empty text for
    // every identifier of the program's list, and no key the program never
    // looks up.
    void theFourLanguagesAreShipped() {
        const QDir lang(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/Lang"));
        for (const char* name : {"English.lng", "German.lng", "French.lng", "Spanish.lng"})
            QVERIFY2(lang.exists(QLatin1String(name)), name);
    }
    void everyShippedFileHoldsEveryText_data() {
        QTest::addColumn<QString>("path");
        const QDir lang(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/Lang"));
        for (const QString& name : lang.entryList({QStringLiteral("*.lng")}, QDir::Files))
            QTest::newRow(qPrintable(name)) << lang.filePath(name);
    }
    void everyShippedFileHoldsEveryText() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));  // no UTF-8 byte order mark
        const QStringList problems = languageFileProblems(bytes);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // The check above finds a file that lacks one text, leaves one empty or
    // holds a key of its own.
    void theCompletenessCheckFindsWhatIsWrong() {
        QByteArray complete = "[Strings]\r\nInfoAuthor=A\r\n";
        for (const InterfaceText& text : InterfaceTexts())
            complete += QByteArray(text.id) + "=x\r\n";
        QCOMPARE(languageFileProblems(complete), QStringList());

        QByteArray lacking = complete;
        lacking.replace("\r\n0066=x\r\n", "\r\n");
        QCOMPARE(languageFileProblems(lacking), QStringList{QStringLiteral("missing 0066")});
        QByteArray empty = complete;
        empty.replace("\r\n9040=x\r\n", "\r\n9040=  \r\n");
        QCOMPARE(languageFileProblems(empty), QStringList{QStringLiteral("missing 9040")});
        QCOMPARE(languageFileProblems(complete + "0999=old\r\n"),
                 QStringList{QStringLiteral("not used 0999")});
    }

  private:
    static QStringList languageFileProblems(const QByteArray& bytes) {
        const LanguageFile file = LanguageFile::fromBytes(bytes);
        QStringList problems;
        for (const InterfaceText& text : InterfaceTexts())
            if (file.value(QString::fromLatin1(text.id)).isEmpty())
                problems << QStringLiteral("missing %1").arg(QLatin1String(text.id));
        if (file.value(QStringLiteral("InfoAuthor")).isEmpty())
            problems << QStringLiteral("missing InfoAuthor");
        QStringList known = TranslatorKeys();
        for (const InterfaceText& text : InterfaceTexts()) known << QString::fromLatin1(text.id);
        for (const QString& key : file.keys())
            if (!known.contains(key, Qt::CaseInsensitive))
                problems << QStringLiteral("not used %1").arg(key);
        return problems;
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
