// The weak-key drill: the shipped word list and the exercise file, checked
// the way the shipped lessons are (Windows-1252, CR LF, every entry read
// back by the program exactly as written, fitting the sentence area), and
// made from a user's records into a file the command line accepts.
#include "StatsTestUtil.h"
#include "exercise/ExerciseSources.h"
#include "stats/StatsStore.h"
#include "stats/WeakKeyDrill.h"
#include "support/TestFiles.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tastolino;
using namespace stats_test;

namespace {

const QString kWords = QStringLiteral(TASTOLINO_SOURCE_DIR "/data/stats/words.txt");
const QString kSplit = QStringLiteral("\u00A6\u00A6");

// The sentence area on the smallest screen, as the main window measures it.
LineFitter sentenceArea() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(12);
    font.setBold(true);
    const QFontMetrics fm(font);
    return {[fm](const QString& t) { return fm.horizontalAdvance(t); }, 597 - 10};
}

using tastolino::testing::readFile;

// Every check a shipped lesson gets, and what a drill promises besides.
void checkDrillFile(const QString& path, const Drill& drill, const std::vector<char32_t>& weak) {
    const QByteArray bytes = readFile(path);
    // Windows-1252: one byte a character, read back to the same text.
    const std::string text = cp1252::toUtf8(std::string_view(bytes.data(), size_t(bytes.size())));
    QCOMPARE(QByteArray::fromStdString(cp1252::fromUtf8(text)), bytes);
    QVERIFY(!bytes.contains("\xC3"));  // no UTF-8 umlauts
    // CR LF everywhere.
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
    const LineFitter area = sentenceArea();
    for (int level = 1; level <= 3; ++level) {
        const QStringList& entries = drill.levels[size_t(level - 1)];
        QCOMPARE(entries.size(), level == 1 ? 5 : 15);
        QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
        for (int key = 1; key <= entries.size(); ++key) {
            QString expected = entries[key - 1];
            expected.replace(kSplit, QStringLiteral("\r\n"));
            // Read as the program reads it: kept whole, nothing dropped.
            const QString read = ReadCourseEntry(path, level, key, area);
            QVERIFY2(read == expected, qPrintable(QString::number(level) + ": " + expected));
            for (const QString& line : expected.split(QStringLiteral("\r\n"))) {
                QCOMPARE(FitToLine(line, area), line);
                QCOMPARE(KeepTypeable(line), line);
            }
            // Something weak in every entry.
            bool practised = false;
            for (char32_t c : weak)
                practised = practised || expected.contains(QString::fromUcs4(&c, 1));
            QVERIFY2(practised, qPrintable(expected));
        }
    }
}

}  // namespace

class TestDrill : public QObject {
    Q_OBJECT

  private slots:
    void wordList() {
        const QStringList words = loadDrillWords(kWords);
        QVERIFY(words.size() >= 2500);
        QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
        // Every word of the file was kept: all of them have keys.
        int lines = 0;
        for (const QByteArray& l : readFile(kWords).split('\n'))
            lines += !l.isEmpty() && !l.startsWith('#');
        QCOMPARE(words.size(), lines);
        for (const QString& w : words) QVERIFY(w.size() >= 4 && w.size() <= 10);
        QVERIFY(words.contains(QStringLiteral("Haus")));
        QVERIFY(words.contains(QStringLiteral("Wasser")));
    }

    // The script makes the same list again from the dictionaries.
    void wordListIsReproducible() {
        if (!QFileInfo::exists(QStringLiteral("/usr/share/dict/ngerman")) ||
            !QFileInfo::exists(QStringLiteral("/usr/share/hunspell/de_DE.dic")))
            QSKIP("wngerman or hunspell-de-de is not installed");
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("words.txt"));
        QProcess p;
        p.start(QStringLiteral("python3"),
                {QStringLiteral(TASTOLINO_SOURCE_DIR "/tools/make_drill_words.py"), out});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(readFile(out), readFile(kWords));
    }

    void drills_data() {
        QTest::addColumn<QString>("weak");
        QTest::newRow("two letters") << QStringLiteral("öx");
        QTest::newRow("one letter") << QStringLiteral("q");
        QTest::newRow("capital and sharp s") << QStringLiteral("Qß");
        QTest::newRow("symbols, AltGr and digits") << QStringLiteral("€@7,");
        QTest::newRow("dead-key letters") << QStringLiteral("éè");
        QTest::newRow("Enter and a letter") << QStringLiteral("\rä");
        QTest::newRow("Enter alone") << QStringLiteral("\r");
        QTest::newRow("blank and keyless") << QStringLiteral(" \t\u0151y");
        QTest::newRow("ten weak characters") << QStringLiteral("yxcvbnmöäü");
    }
    void drills() {
        QFETCH(QString, weak);
        std::vector<char32_t> chars;
        for (uint c : weak.toUcs4()) chars.push_back(char32_t(c));
        const LineFitter area = sentenceArea();
        const LineFits fits = [&area](const QString& l) {
            return area.textWidth(l) <= area.maxWidth;
        };
        const QStringList words = loadDrillWords(kWords);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("d.lez"));
        for (const LineFits& measure : {fitsCharacterCount(), fits}) {
            const Drill drill = buildDrill(chars, words, measure);
            QVERIFY(!drill.empty());
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(drillFileBytes(drill));
            f.close();
            checkDrillFile(path, drill, drill.characters);
        }
        // Level 1 is the weak characters themselves.
        const Drill drill = buildDrill(chars, words);
        if (weak == QStringLiteral("öx"))
            for (const QString& e : drill.levels[0])
                for (QChar c : e) QVERIFY(QStringLiteral("öx ").contains(c));
    }

    void nothingToPractise() {
        const QStringList words = loadDrillWords(kWords);
        QVERIFY(buildDrill({}, words).empty());
        QVERIFY(buildDrill({U'\t', U'\u0151'}, words).empty());
        QCOMPARE(drillFileName(QString()), QStringLiteral("TastiDeboli.lez"));
        QCOMPARE(drillFileName(QStringLiteral("../Anna B.")),
                 QStringLiteral("TastiDeboli____Anna_B_.lez"));
    }

    // From the records to a file in the exercise folder that the command
    // line accepts.
    void fromTheRecords() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        const QString folder = dir.filePath(QStringLiteral("Esercizi"));
        QVERIFY(QDir().mkpath(folder));
        DrillResult none =
            makeWeakKeyDrill(store, QStringLiteral("Anna"), baseTime().date(), kWords, folder);
        QVERIFY(none.path.isEmpty());
        QCOMPARE(none.message, statsText(StatsText::DrillNotEnoughData));

        SentenceRecord r = sentence(QStringLiteral("Anna"), baseTime());
        r.keys = {{U'ü', U'ü', 20}, {U'ü', U'u', 5}, {U'k', U'k', 40}, {U'k', U'l', 1}};
        QVERIFY(store.record(r));
        const DrillResult made =
            makeWeakKeyDrill(store, QStringLiteral("Anna"), baseTime().date(), kWords, folder);
        QCOMPARE(made.path, folder + QStringLiteral("/TastiDeboli_Anna.lez"));
        QVERIFY(made.message.isEmpty());
        const QByteArray bytes = readFile(made.path);
        QVERIFY(bytes.startsWith("; Esercizio sui tasti deboli: \xFC k\r\n[Livello1]\r\n1="));
        ExerciseSources sources;
        QCOMPARE(sources.InterpretCommandLine(made.path), ExerciseSources::CommandLine::Accepted);

        const DrillResult failed = makeWeakKeyDrill(
            store, QStringLiteral("Anna"), baseTime().date(), kWords, dir.filePath("no/folder"));
        QVERIFY(failed.path.isEmpty());
        QVERIFY(failed.message.contains(QStringLiteral("no/folder")));
    }
};

QTEST_MAIN(TestDrill)
#include "tst_drill.moc"
