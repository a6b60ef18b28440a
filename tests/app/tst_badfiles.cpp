// Files a user can put beside the program, however broken: exercise files,
// text files, things that only look like files, the course bookmark and
// command-line names. Each must give a clear message or a fallback, leave
// the engine ready for the next Start, and leave the files as they were.
#include "EngineTestView.h"
#include "exercise/AppState.h"
#include "exercise/ExerciseEngine.h"
#include "exercise/ExerciseKeys.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace tastolino;
using namespace tastolino::testing;

namespace {

const QString kOpenError = QStringLiteral("Errore nell'apertura del file:\n");

QByteArray garbage(int size) {
    QByteArray b;
    quint32 x = 12345;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        b += char(x >> 24);
    }
    return b;
}

// Every character of a sentence has a key, or is the CR LF between lines.
bool allTypeable(const QString& text) {
    for (QChar c : text)
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n') && !isTypeableCode(charCode(c)))
            return false;
    return true;
}

}  // namespace

class TestBadFiles : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    RecordingView* view_ = nullptr;
    ExerciseEngine* engine_ = nullptr;
    QStringList boxes_;
    seams::MsgAnswer boxAnswer_ = seams::MsgAnswer::Yes;

    QString path(const QString& name) const { return appState().appFolder + name; }
    void writeFile(const QString& name, const QByteArray& bytes) {
        tastolino::testing::writeFile(path(name), bytes);
    }
    QByteArray readFile(const QString& name) { return tastolino::testing::readFile(path(name)); }
    // Types the sentence as shown; a character without a key is typed as
    // "x" (free text accepts any key).
    void typeText() {
        const QString text = appState().results.exerciseText;
        for (QChar c : text) {
            if (c == QLatin1Char('\n') || engine_->sentenceDone()) continue;
            const bool typeable = c == QLatin1Char('\r') || isTypeableCode(charCode(c));
            engine_->OnInputText(typeable ? QString(c) : QStringLiteral("x"));
        }
    }
    // The engine is back at a reset: nothing runs, Start leads to a fresh
    // exercise on the internal sentences.
    void verifyReset() {
        QVERIFY(!engine_->restartPending());
        QVERIFY(!appState().freeTextMode);
        QVERIFY(appState().results.exerciseFile.isEmpty());
        QCOMPARE(view_->welcomes, 1);
        QVERIFY(view_->inputLocked);
        QVERIFY(!view_->unloaded);
    }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        seams::resetAll();
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        seams::setInstantWaits(true);
        seams::seedRandom(3);
        boxes_.clear();
        boxAnswer_ = seams::MsgAnswer::Yes;
        seams::setSoundHook([](int) {});
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            boxes_ << r.text;
            return boxAnswer_;
        });
        seams::setCapsLockHooks([] { return false; }, [] {});
        AppState& st = appState();
        st = AppState{};
        st.appFolder = dir_.path() + QLatin1Char('/');
        setInterfaceFolder(st.appFolder);
        QDir(dir_.path()).mkpath(QStringLiteral("Esercizi"));
        QDir(dir_.path()).mkpath(QStringLiteral("CorsoDattilo"));
        view_ = new RecordingView;
        engine_ = new ExerciseEngine(*view_);
        view_->engine = engine_;
    }
    void cleanup() {
        delete engine_;
        delete view_;
        for (const char* sub : {"Esercizi", "CorsoDattilo"}) {
            QDir d(dir_.path() + QLatin1Char('/') + QLatin1String(sub));
            for (const QFileInfo& f : d.entryInfoList(QDir::AllEntries | QDir::System |
                                                      QDir::Hidden | QDir::NoDotAndDotDot))
                QFile::setPermissions(f.filePath(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            d.removeRecursively();
        }
        seams::resetAll();
    }

    // --- Exercise files: one entry ------------------------------------------

    void lezEntry_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        const auto u = [](const char* s) { return QString::fromUtf8(s); };
        QTest::newRow("binary garbage") << garbage(4000) << 1 << 1 << QString();
        QTest::newRow("no sections") << QByteArray("1=abc\r\n2=def\r\n") << 1 << 1 << QString();
        QTest::newRow("empty section")
            << QByteArray("[Livello1]\r\n[Livello2]\r\n") << 1 << 1 << QString();
        QTest::newRow("only Livello1, level 2")
            << QByteArray("[Livello1]\r\n1=abc\r\n") << 2 << 1 << QString();
        QTest::newRow("key in a gap")
            << QByteArray("[Livello1]\r\n1=a\r\n2=b\r\n5=e\r\n") << 1 << 3 << QString();
        QTest::newRow("100000 characters")
            << QByteArray("[Livello1]\r\n1=") + QByteArray(100000, 'w') + "\r\n"
            << 1 << 1 << QString(100, QLatin1Char('w'));  // 100 fit the test line
        QTest::newRow("Chinese in UTF-8")
            << QByteArray("[Livello1]\r\n1=\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87\r\n")
            << 1 << 1 << QString();
        QTest::newRow("tabs and controls")
            << QByteArray("[Livello1]\r\n1=\t\x01\x02\t\x7F\t\r\n") << 1 << 1 << QString();
        QTest::newRow("controls around a blank")
            << QByteArray("[Livello1]\r\n1=\x01 \x02\r\n") << 1 << 1 << QString();
        QTest::newRow("split at the start")
            << QByteArray("[Livello1]\r\n1=\xA6\xA6 abc\r\n") << 1 << 1 << QStringLiteral("abc");
        QTest::newRow("split at the end")
            << QByteArray("[Livello1]\r\n1=abc \xA6\xA6\r\n") << 1 << 1 << QStringLiteral("abc");
        QTest::newRow("split alone")
            << QByteArray("[Livello1]\r\n1=\xA6\xA6\r\n") << 1 << 1 << QString();
        QTest::newRow("split doubled")
            << QByteArray(
                   "[Livello1]\r\n1=ab\xA6\xA6\xA6\xA6"
                   "cd\r\n")
            << 1 << 1 << (isTypeableCode(0xA6) ? u("abab\r\n¦¦cd") : QStringLiteral("abab\r\ncd"));
        QTest::newRow("split, nothing typeable after")
            << QByteArray("[Livello1]\r\n1=ab\xA6\xA6\t\x01\r\n") << 1 << 1
            << QStringLiteral("abab");
        QTest::newRow("Windows-1252 as designed")
            << QByteArray("[Livello1]\r\n1=caf\xE9 \xFC\xA6\xA6g\xE2teau\r\n") << 1 << 1
            << u("café ü\r\ngâteau");
        // The last letter is the only one outside ASCII: still Windows-1252.
        QTest::newRow("Windows-1252 ending in its one special letter")
            << QByteArray("[Livello1]\r\n1=Ma\xDF\r\n") << 1 << 1 << QStringLiteral("Ma\u00DF");
        QTest::newRow("Windows-1252 ending in an accent")
            << QByteArray("[Livello1]\r\n1=Caf\xE9\r\n") << 1 << 1 << QStringLiteral("Caf\u00E9");
        QTest::newRow("UTF-8 umlauts") << QByteArray(
                                              "[Livello1]\r\n1=Gr\xC3\xBC\xC3\x9F"
                                              "e \xC3\xA4\r\n")
                                       << 1 << 1 << u("Grüße ä");
        QTest::newRow("UTF-8 split")
            << QByteArray("[Livello1]\r\n1=\xC3\xBC\xC2\xA6\xC2\xA6\xC3\xB6\r\n") << 1 << 1
            << u("üüüü\r\nöööö");
        QTest::newRow("UTF-8 with BOM") << QByteArray(
                                               "\xEF\xBB\xBF[Livello1]\r\n1=Gr\xC3\xBC\xC3\x9F"
                                               "e\r\n")
                                        << 1 << 1 << u("Grüße");
        // A lone CR (old Mac or mixed line ends) is no line break to type:
        // only the split makes one.
        QTest::newRow("lone CR") << QByteArray("[Livello1]\r\n1=abc\rdef\r\n") << 1 << 1
                                 << QStringLiteral("abcdef");
        QTest::newRow("CR before CR LF")
            << QByteArray("[Livello1]\r\n1=abc\r\r\n") << 1 << 1 << QStringLiteral("abc");
        QTest::newRow("lone CR beside the split")
            << QByteArray("[Livello1]\r\n1=ab\r\xA6\xA6\rcd\r\n") << 1 << 1
            << QStringLiteral("abab\r\ncdcd");
        // Typographic punctuation becomes what the German keyboard types.
        QTest::newRow("typographic punctuation, Windows-1252")
            << QByteArray("[Livello1]\r\n1=\x84Ja\x93 \x82nein\x91 \x96 \x97 ok\x85\xA0x \x92s\r\n")
            << 1 << 1 << QStringLiteral("\"Ja\" 'nein' - - ok... x 's");
        QTest::newRow("typographic punctuation, UTF-8")
            << QByteArray(
                   "[Livello1]\r\n1=\xE2\x80\x9EJa\xE2\x80\x9C \xC2\xAB"
                   "da\xC2\xBB"
                   "\xE2\x80\xAF\xE2\x80\x94\xE2\x80\xA6\r\n")
            << 1 << 1 << QStringLiteral("\"Ja\" \"da\" -...");
        QTest::newRow("UTF-8 cut at the read limit")
            << QByteArray("[Livello1]\r\n1=") + QByteArray(253, 'a') + "\xC3\xBC\r\n"
            << 1 << 1 << QString(100, QLatin1Char('a'));
    }
    void lezEntry() {
        QFETCH(QByteArray, file);
        QFETCH(int, level);
        QFETCH(int, key);
        QFETCH(QString, expected);
        writeFile(QStringLiteral("Esercizi/e.lez"), file);
        const LineFitter fitter{[](const QString& s) { return int(s.size()) * 10; }, 1000};
        const QString entry =
            ReadCourseEntry(path(QStringLiteral("Esercizi/e.lez")), level, key, fitter);
        QCOMPARE(entry, expected);
        QVERIFY(allTypeable(entry));
        QCOMPARE(readFile(QStringLiteral("Esercizi/e.lez")), file);
    }

    // --- Exercise files: a whole exercise is always finishable --------------

    void lezExercise_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("binary garbage") << garbage(3000);
        QTest::newRow("garbage with a section") << QByteArray("[Livello2]\r\n") + garbage(500);
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("only Livello1") << QByteArray("[Livello1]\r\n1=ab\r\n2=cd\r\n");
        QTest::newRow("keys 1, 2, 5")
            << QByteArray("[Livello1]\r\n1=ab\r\n2=cd\r\n5=ef\r\n[Livello3]\r\n1=\xA6\xA6\r\n");
        QTest::newRow("15 entries with holes")
            << QByteArray("[Livello1]\r\n6=x\r\n15=\t\r\n[Livello2]\r\n6=\xA6\xA6\r\n");
        QTest::newRow("all untypeable")
            << QByteArray("[Livello1]\r\n1=\t\r\n2=\x01\r\n3=\xE4\xB8\xAD\r\n4=\x81\x8D\r\n");
    }
    void lezExercise() {
        QFETCH(QByteArray, file);
        writeFile(QStringLiteral("Esercizi/e.lez"), file);
        engine_->EnableSources();
        engine_->SelectSource(SourceExercises);
        QCOMPARE(engine_->sources().listEntries, QStringList{QStringLiteral("e.lez")});
        view_->answers = {0, 0, 1};
        for (int n = 1; n <= 15; ++n) {
            engine_->StartSentence();
            QCOMPARE(engine_->sentenceNumber(), n);
            const QString text = appState().results.exerciseText;
            QVERIFY2(!text.isEmpty() && allTypeable(text), qPrintable(text));
            QVERIFY(!text.startsWith(QLatin1Char('\r')) && !text.endsWith(QLatin1Char('\n')));
            typeText();
            QVERIFY(engine_->sentenceDone());
            QVERIFY(view_->startEnabled);
        }
        engine_->StartSentence();  // "Termina" after the last level
        QVERIFY(view_->unloaded);
        QVERIFY(boxes_.isEmpty());
        QCOMPARE(readFile(QStringLiteral("Esercizi/e.lez")), file);
    }

    // --- Text files ----------------------------------------------------------

    void textFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");  // empty: refused with message 37
        const auto u = [](const char* s) { return QString::fromUtf8(s); };
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("only blanks") << QByteArray("    \t  ") << QString();
        QTest::newRow("only line breaks") << QByteArray("\r\n\n\r\r\n") << QString();
        QTest::newRow("binary with NUL") << QByteArray("abc\0def", 7) + garbage(300) << QString();
        QTest::newRow("only control characters") << QByteArray("\x01\x02\x1B\x7F") << QString();
        QTest::newRow("CR only") << QByteArray("one\rtwo\r\rthree\r") << u("one two three");
        QTest::newRow("LF only") << QByteArray("one\ntwo \nthree\n") << u("one two three");
        QTest::newRow("tabs") << QByteArray("\tone\ttwo\t") << u("one two");
        QTest::newRow("characters without a key")
            << QByteArray("a\x80\x81\x85\x8D\x8F\x90\x9D\x89\x96z") << u("a€...‰-z");
        QTest::newRow("UTF-8") << QByteArray(
                                      "Gr\xC3\xBC\xC3\x9F"
                                      "e")
                               << u("Grüße");
        QTest::newRow("UTF-8 with BOM") << QByteArray(
                                               "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                                               "e")
                                        << u("Grüße");
        QTest::newRow("Chinese in UTF-8") << QByteArray("\xE4\xB8\xAD\xE6\x96\x87")
                                          << QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87");
        QTest::newRow("25000 without blanks")
            << QByteArray(25000, 'k') << QString(25000, QLatin1Char('k'));
        QTest::newRow("25999 bytes") << QByteArray(25999, 'j') << QString(25999, QLatin1Char('j'));
    }
    void textFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        writeFile(QStringLiteral("Esercizi/t.txt"), file);
        engine_->EnableSources();
        engine_->SelectSource(SourceTextFiles);
        QCOMPARE(engine_->sources().listEntries.size(), 1);
        engine_->StartSentence();
        if (expected.isEmpty()) {
            QCOMPARE(boxes_, QStringList{kOpenError + path(QStringLiteral("Esercizi/t.txt"))});
            verifyReset();
        } else {
            QVERIFY(boxes_.isEmpty());
            QVERIFY(appState().freeTextMode);
            QCOMPARE(appState().results.exerciseText, expected);
            boxAnswer_ = seams::MsgAnswer::No;  // no restart: the counts stay
            typeText();
            QVERIFY(engine_->sentenceDone());
            QCOMPARE(int(appState().results.correctCount), expected.size());
            QCOMPARE(view_->modals.back().kind, DialogKind::FreeTextReport);
        }
        QCOMPARE(readFile(QStringLiteral("Esercizi/t.txt")), file);
    }

    // A text at the size limit is not listed; one that reached it after
    // being listed is refused with message 40, not miscounted.
    void textFileAtTheLimit() {
        writeFile(QStringLiteral("Esercizi/a.txt"), QByteArray(26000, 'a'));
        writeFile(QStringLiteral("Esercizi/b.txt"), QByteArray(100, 'b'));
        engine_->EnableSources();
        engine_->SelectSource(SourceTextFiles);
        QCOMPARE(engine_->sources().listEntries, QStringList{QStringLiteral("b.txt    (1 min)")});
        writeFile(QStringLiteral("Esercizi/b.txt"), QByteArray(40000, 'b'));
        engine_->StartSentence();
        QCOMPARE(boxes_, QStringList{QStringLiteral("File di testo troppo lungo, scegliere un file "
                                                    "di minori dimensioni e riprovare.")});
        verifyReset();
    }

    // --- Things that are not readable files ----------------------------------

    void notAFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("directory x.lez") << QStringLiteral("dir:x.lez");
        QTest::newRow("directory x.txt") << QStringLiteral("dir:x.txt");
        QTest::newRow("link loop x.lez") << QStringLiteral("loop:x.lez");
        QTest::newRow("link loop x.txt") << QStringLiteral("loop:x.txt");
        QTest::newRow("dangling link x.txt") << QStringLiteral("dangling:x.txt");
        QTest::newRow("unreadable x.lez") << QStringLiteral("mode000:x.lez");
        QTest::newRow("unreadable x.txt") << QStringLiteral("mode000:x.txt");
    }
    void notAFile() {
        QFETCH(QString, kind);
        const QString how = kind.section(QLatin1Char(':'), 0, 0);
        const QString name = kind.section(QLatin1Char(':'), 1);
        const QString full = path(QStringLiteral("Esercizi/") + name);
        if (how == QStringLiteral("dir")) {
            QVERIFY(QDir().mkpath(full));
        } else if (how == QStringLiteral("loop")) {
            QVERIFY(QFile::link(full + QStringLiteral(".2"), full));
            QVERIFY(QFile::link(full, full + QStringLiteral(".2")));
        } else if (how == QStringLiteral("dangling")) {
            QVERIFY(QFile::link(full + QStringLiteral(".gone"), full));
        } else {
            if (::geteuid() == 0) QSKIP("permissions do not apply to root");
            writeFile(QStringLiteral("Esercizi/") + name, "[Livello1]\r\n1=abc\r\nabc");
            QVERIFY(QFile::setPermissions(full, QFileDevice::Permissions{}));
        }
        engine_->EnableSources();
        QVERIFY(!engine_->sources().optionEnabled[SourceExercises]);
        QVERIFY(!engine_->sources().optionEnabled[SourceTextFiles]);

        // Named on the command line, exactly or in another case.
        for (const QString& arg :
             {QStringLiteral("/") + name, QStringLiteral("/") + name.toUpper()}) {
            ExerciseSources s;
            QCOMPARE(s.InterpretCommandLine(arg), ExerciseSources::CommandLine::NotFound);
            QVERIFY(appState().results.exerciseFile.isEmpty());
            QVERIFY(!appState().freeTextMode);
        }
        // Reading it directly: no entry, no hang.
        const LineFitter fitter{[](const QString& s) { return int(s.size()); }, 100};
        QCOMPARE(ReadCourseEntry(full, 1, 1, fitter), QString());
    }

    // --- A listed file that is gone by Start ---------------------------------

    void fileGoneBeforeStart_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("name");
        QTest::newRow("exercise") << int(SourceExercises) << QStringLiteral("Esercizi/g.lez");
        QTest::newRow("text") << int(SourceTextFiles) << QStringLiteral("Esercizi/g.txt");
        QTest::newRow("course") << int(SourceCourse) << QStringLiteral("CorsoDattilo/g.lez");
    }
    void fileGoneBeforeStart() {
        QFETCH(int, source);
        QFETCH(QString, name);
        writeFile(name, "[Livello1]\r\n1=abc\r\n");
        engine_->EnableSources();
        engine_->SelectSource(source);
        QCOMPARE(engine_->sources().listEntries.size(), 1);
        QVERIFY(QFile::remove(path(name)));
        engine_->StartSentence();
        QVERIFY(boxes_.isEmpty());
        QVERIFY(!appState().freeTextMode);
        QVERIFY(appState().results.exerciseFile.isEmpty());
        QCOMPARE(engine_->sentenceNumber(), 1);
        QVERIFY(!appState().results.exerciseText.isEmpty());  // an internal sentence
        typeText();
        QVERIFY(engine_->sentenceDone());
    }

    // --- Course bookmark ------------------------------------------------------

    void bookmark_data() {
        QTest::addColumn<QByteArray>("bookmark");  // "<dir>": a directory
        QTest::addColumn<int>("selected");
        QTest::newRow("names a missing lesson") << QByteArray("[Anna]\r\nBookmark=ZZZ\r\n") << 0;
        QTest::newRow("garbage") << garbage(2000) << 0;
        QTest::newRow("NUL ends the name") << QByteArray("[Anna]\r\nBookmark=A\0B\r\n", 23) << 1;
        QTest::newRow("a directory") << QByteArray("<dir>") << 0;
        QTest::newRow("last lesson wraps") << QByteArray("[anna]\r\nbookmark = c\r\n") << 0;
        QTest::newRow("good") << QByteArray("[Anna]\r\nBookmark=A\r\n") << 1;
    }
    void bookmark() {
        QFETCH(QByteArray, bookmark);
        QFETCH(int, selected);
        for (const char* n : {"a", "b", "c"})
            writeFile(QStringLiteral("CorsoDattilo/%1.lez").arg(QLatin1String(n)),
                      "[Livello1]\r\n1=abc\r\n");
        const QString bmk = ExerciseSources::bookmarkFile();
        if (bookmark == "<dir>")
            QVERIFY(QDir().mkpath(bmk));
        else
            writeFile(QStringLiteral("CorsoDattilo/Tastolino.bmk"), bookmark);
        appState().results.userName = QStringLiteral("Anna");
        engine_->EnableSources();
        engine_->SelectSource(SourceCourse);
        QCOMPARE(engine_->sources().listIndex, selected);
        engine_->StartSentence();
        QCOMPARE(appState().results.exerciseFile,
                 path(QStringLiteral("CorsoDattilo/%1.lez")
                          .arg(QChar(QLatin1Char('a').unicode() + selected))));

        // Keeping the lesson writes the bookmark (a directory is left alone,
        // and the user is told the bookmark was not kept; no lesson is
        // touched).
        engine_->sources().SaveBookmark(nullptr, engine_->messages());
        QCOMPARE(boxes_.size(), bookmark == "<dir>" ? 2 : 1);
        QCOMPARE(readFile(QStringLiteral("CorsoDattilo/a.lez")),
                 QByteArray("[Livello1]\r\n1=abc\r\n"));
        if (bookmark == "<dir>") {
            QVERIFY(QFileInfo(bmk).isDir());
            QVERIFY(boxes_[1].startsWith(QStringLiteral("Impossibile salvare")));
        } else {
            engine_->sources().ReadBookmark();
            QCOMPARE(engine_->sources().bookmarkName,
                     QString(QChar(QLatin1Char('A').unicode() + selected)));
        }
    }

    // --- Command-line names ----------------------------------------------------

    void commandLine_data() {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<int>("result");
        const int ignored = int(ExerciseSources::CommandLine::Ignored);
        const int notFound = int(ExerciseSources::CommandLine::NotFound);
        // Names that leave the exercises folder are paths of their own.
        QTest::newRow("parent folder") << QStringLiteral("/../out.lez") << notFound;
        QTest::newRow("parent, backslash") << QStringLiteral("/..\\out.txt") << notFound;
        QTest::newRow("dot dot") << QStringLiteral("/..") << ignored;
        // Made before init() sets the program folder: the row must not
        // depend on what an earlier test left in it.
        QTest::newRow("absolute, missing")
            << QStringLiteral("/") + dir_.path() + QStringLiteral("/no.txt") << notFound;
        QTest::newRow("subfolder") << QStringLiteral("/sub/in.lez") << notFound;
        QTest::newRow("very long")
            << QStringLiteral("/") + QString(5000, QLatin1Char('n')) + QStringLiteral(".lez")
            << notFound;
        QTest::newRow("missing") << QStringLiteral("/missing.txt") << notFound;
        QTest::newRow("only the extension") << QStringLiteral("/.lez") << notFound;
        QTest::newRow("no slash") << QStringLiteral("out.lez") << notFound;
        QTest::newRow("other extension") << QStringLiteral("/e.ini") << ignored;
        // The system would end the name at the NUL: out.txt is no ".lez".
        QTest::newRow("NUL inside")
            << dir_.path() + QStringLiteral("/out.txt") + QChar(0) + QStringLiteral("/x.lez")
            << notFound;
    }
    void commandLine() {
        QFETCH(QString, arg);
        QFETCH(int, result);
        writeFile(QStringLiteral("out.lez"), "[Livello1]\r\n1=abc\r\n");
        writeFile(QStringLiteral("out.txt"), "abc");
        QVERIFY(QDir().mkpath(path(QStringLiteral("Esercizi/sub"))));
        writeFile(QStringLiteral("Esercizi/sub/in.lez"), "[Livello1]\r\n1=abc\r\n");
        QVERIFY(engine_->InterpretCommandLine(arg));  // never ends the program
        QCOMPARE(int(engine_->sources().InterpretCommandLine(arg)), result);
        QVERIFY(appState().results.exerciseFile.isEmpty());
        QVERIFY(!appState().freeTextMode);
        // A file that was asked for and is not there is reported once.
        QCOMPARE(boxes_.size(), result == int(ExerciseSources::CommandLine::NotFound) ? 1 : 0);
        engine_->EnableSources();
        engine_->StartSentence();
        QVERIFY(!appState().results.exerciseText.isEmpty());  // an internal sentence
        QVERIFY(!view_->unloaded);
    }
};

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
