// The lessons, exercises and texts shipped beside the program, read with the
// program's own functions on the sentence area of the real main window (at
// the smallest screen and at the smallest large screen), and the same checks
// shown to catch planted faults: a lesson that asks for a character before
// it is introduced, a line ending in LF only, an entry too long for the line,
// a character without a key, a UTF-8 file, a level of four entries, a
// repeated entry, a text too short or too long, a course that never
// introduces a key.
#include "DataCheck.h"

#include "app/frmTastomat.h"
#include "exercise/AppState.h"
#include "keyboard/KeyboardLayout.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/FixedLayout.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace tastolino;
using namespace tastolino::datacheck;
using tastolino::testing::GermanLayout;

namespace {

// The sentence area of the main window laid out for a screen of this size:
// the font of lblFraseCorr and the width an entry may take in it.
LineFitter windowFitter(const QSize& screen, const QString& folder) {
    seams::setScreenSizeHook([screen] { return screen; });
    appState() = AppState();
    resetInterfaceLanguage();
    appState().largeScreen = screen.width() > 1000 || screen.height() > 750;
    appState().appFolder = folder;
    setInterfaceFolder(appState().appFolder);
    frmTastomat w;
    w.Form_Load();
    const QFontMetrics fm(w.findChild<QLabel*>(QStringLiteral("lblFraseCorr"))->font());
    return {[fm](const QString& text) { return fm.horizontalAdvance(text); },
            w.findChild<QWidget*>(QStringLiteral("picDisplay"))->width() - 10};
}

QByteArray cp(const char* utf8) {
    // Test files are written as the program's files are: Windows-1252, CR LF.
    QByteArray out;
    for (QChar c : QString::fromUtf8(utf8)) {
        if (c == QLatin1Char('\n')) {
            out += "\r\n";
        } else {
            out += c == QChar(0x20AC) ? char(0x80) : char(c.unicode());
        }
    }
    return out;
}

// A small course that is sound except that it leaves most keys out.
const char kLesson1[] =
    "; Lektion 1\n; Neue Zeichen: a s d f j k l \xc3\xb6 Leertaste\n"
    "[Livello1]\n1=fff jjj\n2=ddd kkk\n3=sss lll\n4=aaa \xc3\xb6\xc3\xb6\xc3\xb6\n5=fj dk sl\n"
    "[Livello2]\n1=das\n2=lass\n3=als\n4=falls\n5=ja da\n"
    "[Livello3]\n1=lass das\n2=all das\n3=das da\n4=lass das da\n5=ja lass das\n";
const char kLesson2[] =
    "; Lektion 2\n; Neue Zeichen: e i Enter\n"
    "[Livello1]\n1=eee iii\n2=ded kik\n3=eie iei\n4=de ki\n5=die sie\n"
    "[Livello2]\n1=sei\n2=sie\n3=die\n4=lies\n5=fiel\n"
    "[Livello3]\n1=sie las es\n2=sei leise\n3=sie lief\xc2\xa6\xc2\xa6leise\n4=lies es\n5=es "
    "fiel\n";
const char kExercise[] =
    "; Eine Übung\n"
    "[Livello1]\n1=a\xc3\xa4"
    "a\n2=o\xc3\xb6o\n3=u\xc3\xbc"
    "u\n4=s\xc3\x9fs\n5=\xe2\x82\xac 5\n"
    "[Livello2]\n1=Bär\n2=Öle\n3=Tür\n4=Füße\n5=Maße\n"
    "[Livello3]\n1=Café und Crème\n2=Preis: 5 €\n3=a@b.de\xc2\xa6\xc2\xa6{x}\n4=Ja!\n5=Nein?\n";

QByteArray longText(int words) {
    QByteArray text = "Ein Text\n\n";
    for (int i = 0; i < words; ++i) text += i % 10 == 9 ? "Wort.\n" : "Wort ";
    return cp(text.constData());
}

}  // namespace

class TestShippedData : public QObject {
    Q_OBJECT

    QList<LineFitter> fitters_;
    std::unique_ptr<QTemporaryDir> dir_;

    void write(const QString& relative, const QByteArray& bytes) {
        tastolino::testing::writeFile(dir_->filePath(relative), bytes);
    }

    QStringList check() {
        DataCheck checker(fitters_);
        checker.checkFolder(dir_->path() + QLatin1Char('/'));
        return checker.problems;
    }

  private slots:
    void initTestCase() {
        seams::setInstantWaits(true);
        seams::setMessageHook([](const seams::MessageRequest&) { return seams::MsgAnswer::Ok; });
        seams::setModalHook([](QDialog*) { return 0; });
        seams::setCapsLockHooks([] { return false; }, [] {});
        setLayoutBackend(std::make_unique<GermanLayout>());
        QTemporaryDir empty;
        const QString folder = empty.path() + QLatin1Char('/');
        fitters_ << windowFitter(QSize(800, 600), folder) << windowFitter(QSize(1001, 751), folder);
        QVERIFY(fitters_[0].maxWidth > 500);
        QVERIFY(fitters_[1].maxWidth > fitters_[0].maxWidth);
        // The large screen's bigger font must leave less room per character.
        QVERIFY(fitters_[1].textWidth(QStringLiteral("Wm")) >
                fitters_[0].textWidth(QStringLiteral("Wm")));
    }

    void cleanupTestCase() { seams::resetAll(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        write(QStringLiteral("CorsoDattilo/01 Erste.lez"), cp(kLesson1));
        write(QStringLiteral("CorsoDattilo/02 Zweite.lez"), cp(kLesson2));
        write(QStringLiteral("Esercizi/Übung.lez"), cp(kExercise));
        write(QStringLiteral("Esercizi/Text.txt"), longText(300));
    }

    void shippedData() {
        DataCheck checker(fitters_);
        checker.checkFolder(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/"));
        QVERIFY2(checker.problems.isEmpty(), qPrintable(checker.problems.join(QLatin1Char('\n'))));
        QVERIFY(checker.totals.lessons >= 40);
        QVERIFY(checker.totals.exercises >= 12);
        QVERIFY(checker.totals.texts >= 15);
        qInfo("%d lessons, %d exercises, %d texts, %d entries, %d characters",
              checker.totals.lessons, checker.totals.exercises, checker.totals.texts,
              checker.totals.entries, checker.totals.characters);
    }

    // The small folder is sound but for the keys its course never teaches.
    void soundFolder() {
        const QStringList problems = check();
        QVERIFY2(problems.size() == 1, qPrintable(problems.join(QLatin1Char('\n'))));
        QVERIFY(problems[0].startsWith(QStringLiteral("course: never introduced: ")));
        QVERIFY(!problems[0].contains(QLatin1Char('a')));
    }

    void plantedFaults_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QByteArray lesson2 = cp(kLesson2);
        QTest::newRow("character before its lesson")
            << "CorsoDattilo/01 Erste.lez" << cp(kLesson1).replace("5=ja lass das", "5=ja lass die")
            << "01 Erste.lez: asks for characters not yet introduced: \"ie\"";
        QTest::newRow("two lines before Enter")
            << "CorsoDattilo/01 Erste.lez"
            << cp(kLesson1).replace("5=ja lass das", "5=ja\xa6\xa6lass das")
            << "01 Erste.lez: asks for characters not yet introduced: \"\r\"";
        QTest::newRow("line break LF only")
            << "CorsoDattilo/02 Zweite.lez"
            << QByteArray(lesson2).replace("[Livello2]\r\n", "[Livello2]\n")
            << "02 Zweite.lez: line break without CR LF";
        QTest::newRow("entry too long for the line")
            << "Esercizi/Übung.lez"
            << cp(kExercise).replace("4=Ja!", "4=Ja! " + QByteArray(70, 'W'))
            << "Übung.lez: level 3 entry 4 \"Ja! WWW";
        QTest::newRow("second line too long")
            << "Esercizi/Übung.lez" << cp(kExercise).replace("{x}", "{x} " + QByteArray(60, 'm'))
            << "Übung.lez: level 3 entry 3 \"a@b.de | {x} mmm";
        QTest::newRow("entry of one character")
            << "Esercizi/Übung.lez" << cp(kExercise).replace("5=Nein?", "5=N")
            << "Übung.lez: level 3 entry 5 \"N\": cut to \"NNNN\"";
        QTest::newRow("character without a key")
            << "Esercizi/Übung.lez" << cp(kExercise).replace("4=Ja!", "4=Ja\tnein")
            << "Übung.lez: level 3 entry 4 \"Ja\tnein\": a character has no key";
        QTest::newRow("file in UTF-8")
            << "Esercizi/Übung.lez" << QString::fromLatin1(cp(kExercise)).toUtf8()
            << "Übung.lez: not Windows-1252";
        QTest::newRow("four entries") << "Esercizi/Übung.lez"
                                      << cp(kExercise).replace(
                                             "5=Ma\xdf"
                                             "e\r\n",
                                             "")
                                      << "Übung.lez: level 2 has 4 entries, not 5 or 15";
        QTest::newRow("entry twice") << "Esercizi/Übung.lez"
                                     << cp(kExercise).replace(
                                            "4=F\xfc\xdf"
                                            "e",
                                            "4=T\xfcr")
                                     << "Übung.lez: level 2 entry 4 \"Tür\" appears twice";
        QTest::newRow("two lines in level 1")
            << "Esercizi/Übung.lez" << cp(kExercise).replace("2=o\xf6o", "2=o\xa6\xa6\xf6o")
            << "Übung.lez: level 1 entry 2 \"o | öo\": two lines outside level 3";
        QTest::newRow("text too short")
            << "Esercizi/Text.txt" << longText(100) << "characters to type, not 1500 to 6000";
        QTest::newRow("text too long")
            << "Esercizi/Text.txt" << longText(5200) << "bytes, the limit is below 26000";
        QTest::newRow("typographic quotes in a text")
            << "Esercizi/Text.txt" << QByteArray(longText(300)).replace("Wort.", "\x84Wort\x93.")
            << "Text.txt: characters without a key: \u201E\u201C";
        QTest::newRow("lesson name with a dot")
            << "CorsoDattilo/02 Zweite.v2.lez" << lesson2
            << "02 Zweite.v2.lez: the list shows only the name up to its first \".\"";
        QTest::newRow("a key introduced twice")
            << "CorsoDattilo/02 Zweite.lez"
            << QByteArray(lesson2).replace("e i Enter", "e i a Enter")
            << "02 Zweite.lez: introduces \"a\" again";
    }
    void plantedFaults() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        write(file, bytes);
        const QStringList problems = check();
        bool found = false;
        for (const QString& p : problems) found = found || p.contains(expected);
        QVERIFY2(found, qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestShippedData)
#include "tst_shipped_data.moc"
