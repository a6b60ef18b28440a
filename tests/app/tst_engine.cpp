// The exercise engine driven through a recording view: whole exercises with
// chosen timings on a fake clock, wrong keys, two-line sentences, dead-key
// commit strings, a free text, the pause and the results window requests.
#include "EngineProbe.h"
#include "EngineTestView.h"
#include "exercise/AppState.h"
#include "exercise/ExerciseEngine.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <deque>
#include <set>

using namespace tastolino;
using namespace tastolino::testing;

namespace {

// Lessons of known length: every sentence has 20 characters.
const char* const kLesson =
    "[Livello1]\r\n"
    "1=aaaaa bbbbb ccccc dd\r\n2=eeeee fffff ggggg hh\r\n3=iiiii jjjjj kkkkk ll\r\n"
    "4=mmmmm nnnnn ooooo pp\r\n5=qqqqq rrrrr sssss tt\r\n"
    "[Livello2]\r\n"
    "1=Aaaaa Bbbbb Cccccc.!\r\n2=Ddddd Eeeee Ffffff.!\r\n3=Ggggg Hhhhh Iiiiii.!\r\n"
    "4=Jjjjj Kkkkk Llllll.!\r\n5=Mmmmm Nnnnn Oooooo.!\r\n"
    "[Livello3]\r\n"
    "1=12345 678\xA6\xA6"
    "9 @{}[]\\|\r\n2=caf\xE9 cr\xE8me\xA6\xA6g\xE2teau 1\r\n"
    "3=a+b=c 10%\xA6\xA6\x80 5 $ #12\r\n4=(x); \"yy\"\xA6\xA6z: 'w' ok\r\n"
    "5=~123~ 456\xA6\xA6<> 789 **\r\n";

}  // namespace

class TestEngine : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    RecordingView* view_ = nullptr;
    ExerciseEngine* engine_ = nullptr;
    std::vector<int> sounds_;
    QStringList boxes_;
    seams::MsgAnswer boxAnswer_ = seams::MsgAnswer::Yes;
    qint64 boxClockAdvance_ = 0;
    qint64 firstKeyTick_ = 0;

    void writeFile(const QString& name, const QByteArray& bytes) {
        tastolino::testing::writeFile(appState().appFolder + name, bytes);
    }

    // Types the expected text of the sentence: the first key at the current
    // time, the last one `seconds` later with a clock tick just before it.
    void typeSentence(int seconds, const std::function<void(int)>& beforeKey = {}) {
        const QString text = appState().results.exerciseText;
        QStringList keys;
        for (QChar c : text)
            if (c != QLatin1Char('\n')) keys << QString(c);
        for (int i = 0; i < keys.size(); ++i) {
            if (beforeKey) beforeKey(i);
            if (i == keys.size() - 1) {
                seams::advanceClock(firstKeyTick_ + seconds * 1000 - seams::tickMs());
                engine_->Timer1_Timer();
            }
            if (i == 0) firstKeyTick_ = seams::tickMs();
            engine_->OnInputText(keys[i]);
        }
    }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        seams::resetAll();
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        seams::setInstantWaits(true);
        seams::seedRandom(7);
        sounds_.clear();
        boxes_.clear();
        boxClockAdvance_ = 0;
        seams::setSoundHook([this](int id) { sounds_.push_back(id); });
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            boxes_ << r.text;
            seams::advanceClock(boxClockAdvance_);
            return boxAnswer_;
        });
        seams::setCapsLockHooks([] { return false; }, [] {});
        AppState& st = appState();
        st = AppState{};
        st.appFolder = dir_.path() + QLatin1Char('/');
        setInterfaceFolder(st.appFolder);
        QDir(dir_.path()).mkpath(QStringLiteral("Esercizi"));
        QDir(dir_.path()).mkpath(QStringLiteral("CorsoDattilo"));
        st.results.categoryName = QStringLiteral("Principiante");
        view_ = new RecordingView;
        engine_ = new ExerciseEngine(*view_);
        view_->engine = engine_;
    }
    void cleanup() {
        delete engine_;
        delete view_;
        QDir(dir_.path() + QStringLiteral("/Esercizi")).removeRecursively();
        seams::resetAll();
    }

    // Fifteen sentences of a beginner with chosen timings, checked against
    // figures worked out by hand (every sentence has 20 characters).
    void wholeExerciseFromFile() {
        writeFile(QStringLiteral("Esercizi/known.lez"), kLesson);
        engine_->sources().EnableSources();
        engine_->SelectSource(SourceExercises);
        view_->answers = {0, 0, 0};

        // Level 1: 10 s (2.0 k/s, 80), 8 s (2.5, 100), 20 s (1.0, 40),
        // 5 s (4.0, 100), 40 s (0.5, 20). Speed bar after 19 keys:
        // round(75 * s / 19) = 39, 32, 79, 20, 158.
        struct Step {
            int seconds, score, bar, icon;
            bool newBest;
            const char* average;
            const char* clock;
        };
        const Step level1[5] = {
            {10, 80, 39, 423, false, "80", "00:10"},
            {8, 100, 32, 424, true, "90", "00:08"},
            {20, 40, 79, 421, false, "73", "00:20"},
            {5, 100, 20, 424, true, "80", "00:05"},
            // Fifth: 0.4 x (2 + 2.5 + 1 + 2.5 capped + 0.5) / 5 x 100 = 68.
            {40, 20, 158, 420, false, "68", "00:40"},
        };
        for (int s = 0; s < 5; ++s) {
            engine_->StartSentence();
            QCOMPARE(engine_->sentenceNumber(), s + 1);
            QCOMPARE(view_->lamps, 1);
            QCOMPARE(view_->sentenceNumber, QString::number(s + 1));
            QCOMPARE(
                view_->title,
                QStringLiteral("Tastolino  - known.lez -  Primo livello: frase %1").arg(s + 1));
            if (s == 0) QCOMPARE(view_->resetBestBarLevel, 1);
            sounds_.clear();
            // One wrong key before the first correct one (not counted) and
            // one after it (counted) in the first sentence.
            typeSentence(level1[s].seconds, [&](int i) {
                if (s == 0 && (i == 0 || i == 1)) engine_->OnInputText(QStringLiteral("x"));
            });
            const Step& st = level1[s];
            QCOMPARE(view_->clock, QString::fromLatin1(st.clock));
            QCOMPARE(engine_->speedBarWidth(), st.bar);
            QCOMPARE(view_->messageIcon, st.icon);
            QCOMPARE(view_->averages[0], QString::fromLatin1(st.average));
            QVERIFY(sounds_.back() == 102 || sounds_.back() == 103);
            QCOMPARE(std::count(sounds_.begin(), sounds_.end(), 103), st.newBest ? 1 : 0);
            QCOMPARE(view_->messageText.contains(QStringLiteral("hai anche superato")), st.newBest);
            // From 41 points on a praise word leads: a great one for a new best.
            const QStringList& praise = st.newBest ? engine_->praiseGreat() : engine_->praiseGood();
            const bool praised = std::any_of(praise.begin(), praise.end(), [&](const QString& p) {
                return view_->messageText.startsWith(p + QStringLiteral(" Hai totalizzato"));
            });
            QCOMPARE(praised, st.score >= 41);
            if (st.score < 41)
                QVERIFY(view_->messageText.startsWith(QStringLiteral("Hai totalizzato")));
            QVERIFY(view_->startEnabled);
            QVERIFY(view_->invitation);
        }
        QCOMPARE(view_->correct, QStringLiteral("20/100"));
        QCOMPARE(view_->wrong, QStringLiteral("0/1"));
        QCOMPARE(view_->face, (Face{0xFFFF00, QLatin1Char('B')}));  // 1 %
        QCOMPARE(view_->bestBar, 20);
        QCOMPARE(view_->messageText,
                 QStringLiteral("Hai totalizzato  20 punti, digitando alla media di 30 battute al "
                                "minuto\n Premi il tasto Enter per continuare."));

        // Results window before sentence 6 is drawn.
        engine_->StartSentence();
        QCOMPARE(view_->modals.size(), size_t(1));
        QCOMPARE(view_->modals[0].kind, DialogKind::Results);
        QCOMPARE(view_->modals[0].sentenceNo, 6);
        QCOMPARE(view_->modals[0].reason, ResultsReason::LevelEnded);
        QCOMPARE(view_->lamps, 2);
        QCOMPARE(view_->resetBestBarLevel, 2);
        QCOMPARE(view_->bestBar, 300);
        QCOMPARE(appState().results.exerciseText, QStringLiteral("Aaaaa Bbbbb Cccccc.!"));
        // A capital typed in lower case is a wrong key; for a beginner with
        // highlighting the marker is hidden and the box does not flash.
        const int flashes = view_->flashes;
        engine_->OnInputText(QStringLiteral("a"));
        QCOMPARE(view_->markerHidden, 1);
        QCOMPARE(view_->flashes, flashes);
        QCOMPARE(view_->wrong, QStringLiteral("0/1"));  // clock not running yet: not counted
        typeSentence(75);
        QCOMPARE(view_->clock, QStringLiteral("01:15"));
        // 20 / 75 s = 0.2667 k/s -> score 10, 16 keystrokes a minute.
        QVERIFY(view_->messageText.startsWith(QStringLiteral("Hai totalizzato  10 punti, ")));
        QVERIFY(view_->messageText.contains(QStringLiteral(" 16 battute ")));
        for (int s = 7; s <= 10; ++s) {
            engine_->StartSentence();
            typeSentence(4);  // 5 k/s
        }
        // 0.4 x (0.2667 + 4 x 2.5 capped) / 5 x 100 = 82.
        QCOMPARE(view_->averages[1], QStringLiteral("82"));

        // Level 3: two-line sentences typed with Enter, dead-key characters
        // arriving as commit strings.
        engine_->StartSentence();
        QCOMPARE(view_->modals.back().sentenceNo, 11);
        QCOMPARE(appState().results.exerciseText, QStringLiteral("12345 678\r\n9 @{}[]\\|"));
        QCOMPARE(view_->sentenceText, QStringLiteral("12345 678\n9 @{}[]\\|"));
        // Enter before the clock runs: no sound, no flash.
        sounds_.clear();
        engine_->OnInputText(QStringLiteral("\r"));
        QVERIFY(sounds_.empty());
        typeSentence(10, [&](int i) {
            if (i == 9) {
                QCOMPARE(engine_->expectedChar(), QStringLiteral("\r"));
                QCOMPARE(view_->underlineLine, 0);
            }
            if (i == 10) QCOMPARE(view_->underlineLine, 1);
        });
        QCOMPARE(view_->correct, QStringLiteral("19/219"));
        engine_->StartSentence();
        QCOMPARE(appState().results.exerciseText, QString::fromUtf8("café crème\r\ngâteau 1"));
        typeSentence(10);
        QCOMPARE(view_->correct, QStringLiteral("19/238"));
        for (int s = 13; s <= 15; ++s) {
            engine_->StartSentence();
            typeSentence(5);
        }
        QCOMPARE(view_->wrong, QStringLiteral("0/1"));

        // After sentence 15: "Continua" starts over; with a file list the
        // next Start resets the window and welcomes again.
        engine_->StartSentence();
        QCOMPARE(view_->modals.back().reason, ResultsReason::ExerciseEnded);
        QCOMPARE(view_->modals.back().sentenceNo, 16);
        QCOMPARE(engine_->sentenceNumber(), 0);
        QCOMPARE(view_->welcomes, 1);
        QCOMPARE(view_->correct, QStringLiteral("0/0"));
        QCOMPARE(view_->averages[0], QString());
        QCOMPARE(appState().results.correctCount, int16_t(0));
        QCOMPARE(appState().results.sentenceSpeeds[1], 0.f);
        QVERIFY(!view_->unloaded);
    }

    void terminaEndsTheProgram() {
        view_->answers = {1};
        for (int s = 1; s <= 5; ++s) {
            engine_->StartSentence();
            typeSentence(10);
        }
        engine_->StartSentence();
        QVERIFY(view_->unloaded);
        QVERIFY(engine_->ended());
        QCOMPARE(engine_->sentenceNumber(), 6);
        engine_->StartSentence();  // nothing runs any more
        QCOMPARE(view_->modals.size(), size_t(1));
    }

    void continuaWithInternalSentencesGoesOnAtOnce() {
        view_->answers = {0, 0, 0};
        for (int s = 1; s <= 15; ++s) {
            engine_->StartSentence();
            const int level = (s - 1) / 5 + 1;
            QVERIFY(engine_->usedSentences()[size_t(s)] > 15 * (level - 1));
            QVERIFY(engine_->usedSentences()[size_t(s)] <= 15 * level);
            typeSentence(10);
        }
        std::set<int> drawn(engine_->usedSentences().begin() + 1, engine_->usedSentences().end());
        QCOMPARE(drawn.size(), size_t(15));
        engine_->StartSentence();
        QCOMPARE(engine_->sentenceNumber(), 1);
        QCOMPARE(view_->welcomes, 0);
        QCOMPARE(view_->correct, QStringLiteral("0/0"));
        QVERIFY(!engine_->sentenceDone());
    }

    // A pause of a minute does not count; Esc and keys after the end do
    // nothing; the speed bar never exceeds its full width.
    void pauseAndGuards() {
        engine_->StartSentence();
        const QString text = appState().results.exerciseText;
        engine_->OnInputText(text.left(1));
        boxClockAdvance_ = 60000;
        seams::advanceClock(1000);
        engine_->PauseExercise();
        QCOMPARE(boxes_.size(), 1);
        QCOMPARE(boxes_[0], QStringLiteral("Premi OK per proseguire."));
        engine_->Timer1_Timer();
        QCOMPARE(view_->clock, QStringLiteral("00:01"));
        QCOMPARE(view_->speedBar, 75);  // 1 s for 1 key: 75 x 1
        boxClockAdvance_ = 0;
        seams::advanceClock(100000);
        engine_->Timer1_Timer();
        QCOMPARE(view_->speedBar, 300);
        engine_->OnInputText(QStringLiteral("\x1b"));
        QCOMPARE(view_->wrong, QStringLiteral("0/0"));
    }

    // A key held down for a quarter of an hour: the 16-bit counters stop at
    // their largest value instead of turning negative, so the face stays
    // the worst one and both counters keep showing that many errors.
    void errorCountersSaturate() {
        engine_->StartSentence();
        engine_->OnInputText(appState().results.exerciseText.left(1));
        QVERIFY(engine_->clockRunning());
        appState().results.errorCount = 32765;
        EngineProbe::setErrorsInSentence(*engine_, 32765);
        for (int i = 0; i < 5; ++i) engine_->OnInputText(QStringLiteral("\u00B0"));
        QCOMPARE(appState().results.errorCount, int16_t(32767));
        QCOMPARE(engine_->errorsInSentence(), 32767);
        QCOMPARE(view_->wrong, QStringLiteral("32767/32767"));
        QCOMPARE(view_->face.symbol, QLatin1Char('D'));

        // Free text counts every wrong key in the exercise total alone.
        appState().freeTextMode = true;
        for (int i = 0; i < 3; ++i) engine_->OnInputText(QStringLiteral("\u00B0"));
        QCOMPARE(appState().results.errorCount, int16_t(32767));
        QCOMPARE(view_->wrong, QStringLiteral("32767"));
    }

    // Menu item 7 types a character that has no key (the bank never has
    // one, so the text is set directly).
    void typeForMeFeedsTheExpectedCharacter() {
        engine_->StartSentence();
        appState().results.exerciseText = QStringLiteral("a\tb");
        engine_->AdvanceCursor(true);
        engine_->OnInputText(QStringLiteral("a"));
        QVERIFY(view_->typeForMe);
        engine_->TypeForMe();
        QCOMPARE(engine_->correctInSentence(), 2);
        QCOMPARE(view_->inputText, QStringLiteral("a"));
        engine_->OnInputText(QStringLiteral("b"));
        QVERIFY(engine_->sentenceDone());
        QCOMPARE(view_->inputText, QStringLiteral("ab"));
    }

    void freeText() {
        // Typographic apostrophe and quotes, LF-only and CR LF breaks.
        writeFile(QStringLiteral("Esercizi/t.txt"), "It\x92s \x93ok\x94\r\nnext\nline  ");
        engine_->sources().EnableSources();
        engine_->SelectSource(SourceTextFiles);
        QCOMPARE(engine_->sources().listEntries, QStringList{QStringLiteral("t.txt    (1 min)")});
        boxAnswer_ = seams::MsgAnswer::No;  // restart question at the end
        engine_->StartSentence();
        QVERIFY(appState().freeTextMode);
        QCOMPARE(appState().results.exerciseText, QStringLiteral("It's \"ok\" next line"));
        QCOMPARE(view_->title, QStringLiteral("Tastolino  - File: t.txt"));
        engine_->OnInputText(QStringLiteral("I"));
        engine_->OnInputText(QStringLiteral("\b"));  // ignored
        engine_->OnInputText(QStringLiteral("\r"));  // ignored
        engine_->OnInputText(QStringLiteral("x"));   // wrong but accepted
        QCOMPARE(view_->wrong, QStringLiteral("1"));
        QCOMPARE(view_->correct, QStringLiteral("2"));
        for (QChar c : QStringLiteral("'s \"ok\" next line")) engine_->OnInputText(QString(c));
        QCOMPARE(appState().results.spaceCount, 3);
        QCOMPARE(view_->modals.back().kind, DialogKind::FreeTextReport);
        QCOMPARE(boxes_.last(), QStringLiteral("Vuoi iniziare da capo le esercitazioni?"));
        QVERIFY(view_->unloaded);  // "No" to the restart in a free text ends
    }

    // Quotes, dashes, the ellipsis and no-break blanks of a text written by
    // people are typed with the keys that stand for them: typing the text
    // as the keyboard has it makes no error.
    void freeTextTypographicPunctuation() {
        writeFile(QStringLiteral("Esercizi/p.txt"),
                  "\x84Ja\x93, \x82so\x91 \x96 oder \x97 nicht\x85\xA0gut \xAB"
                  "da\xBB");
        engine_->sources().EnableSources();
        engine_->SelectSource(SourceTextFiles);
        boxAnswer_ = seams::MsgAnswer::No;
        engine_->StartSentence();
        const QString plain = QStringLiteral("\"Ja\", 'so' - oder - nicht... gut \"da\"");
        QCOMPARE(appState().results.exerciseText, plain);
        for (QChar c : plain) engine_->OnInputText(QString(c));
        QCOMPARE(appState().results.errorCount, int16_t(0));
        QCOMPARE(appState().results.correctCount, int16_t(plain.size()));
        QCOMPARE(appState().results.spaceCount, 7);
    }

    void freeTextScrollsAndStaysShort() {
        QByteArray text;
        for (int i = 0; i < 200; ++i) text += char('a' + i % 26);
        writeFile(QStringLiteral("Esercizi/long.txt"), text);
        engine_->sources().EnableSources();
        engine_->SelectSource(SourceTextFiles);
        engine_->StartSentence();
        QCOMPARE(view_->sentenceText.size(), 35);
        for (int i = 0; i < 60; ++i) engine_->OnInputText(QString(QChar(text[i])));
        QCOMPARE(view_->inputText.size(), 28);
        // 59 keys before the last one: the line starts at character 32.
        QCOMPARE(view_->sentenceText, QString::fromLatin1(text.mid(31, 100)));
        QCOMPARE(view_->underlineLength, 30);
    }

    // A command-line text file is typed at once and closes the program at
    // its end; one over the size limit ends the program straight away.
    void commandLineTextFile() {
        writeFile(QStringLiteral("Esercizi/cl.txt"), "ab");
        QVERIFY(engine_->InterpretCommandLine(QStringLiteral("tastolino /cl.txt")));
        engine_->EnableSources();
        engine_->StartSentence();
        QVERIFY(appState().freeTextMode);
        engine_->OnInputText(QStringLiteral("ab"));
        QVERIFY(view_->unloaded);
        QVERIFY(boxes_.isEmpty());  // no restart question

        writeFile(QStringLiteral("Esercizi/big.txt"), QByteArray(26000, 'a'));
        ExerciseEngine other(*view_);
        view_->unloaded = false;
        QVERIFY(!other.InterpretCommandLine(QStringLiteral("/big.txt")));
        QCOMPARE(boxes_, QStringList{QStringLiteral("File di testo troppo lungo, scegliere un file "
                                                    "di minori dimensioni e riprovare.")});
        QVERIFY(view_->unloaded);
    }

    // A lesson given by its path is played like one from the exercises
    // folder; a path that is not there is reported (with the path), and the
    // program then starts as without a file, the restart allowed.
    void commandLineLessonByPath() {
        QTemporaryDir other;
        const QString lesson = other.path() + QString::fromUtf8("/Übung für Jürgen.lez");
        QFile f(lesson);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kLesson);
        f.close();
        QVERIFY(engine_->InterpretCommandLine(lesson));
        engine_->EnableSources();
        engine_->StartSentence();
        QCOMPARE(appState().results.exerciseFile, lesson);
        QCOMPARE(appState().results.exerciseText, QStringLiteral("aaaaa bbbbb ccccc dd"));
        QVERIFY(boxes_.isEmpty());

        ExerciseEngine other2(*view_);
        appState().results.exerciseFile.clear();
        const QString gone = other.path() + QStringLiteral("/weg.lez");
        QVERIFY(other2.InterpretCommandLine(gone));
        QCOMPARE(boxes_, QStringList{QStringLiteral("Impossibile aprire l'esercizio: il file non "
                                                    "esiste o non può essere letto:\n") +
                                     gone});
        QVERIFY(!view_->unloaded);
        QVERIFY(other2.sources().commandLineArg.isEmpty());
        other2.EnableSources();
        other2.StartSentence();
        QVERIFY(appState().results.exerciseFile.isEmpty());
        QVERIFY(!appState().results.exerciseText.isEmpty());  // an internal sentence
    }

    void unreadableTextFileFallsBack() {
        writeFile(QStringLiteral("Esercizi/empty.txt"), "   \r\n  ");
        engine_->sources().EnableSources();
        engine_->SelectSource(SourceTextFiles);
        engine_->StartSentence();
        QCOMPARE(boxes_.size(), 1);
        QVERIFY(boxes_[0].startsWith(QStringLiteral("Errore nell'apertura del file:\n")));
        QVERIFY(!appState().freeTextMode);
        QCOMPARE(view_->welcomes, 1);
        QVERIFY(!engine_->restartPending());
    }
};

QTEST_MAIN(TestEngine)
#include "tst_engine.moc"
