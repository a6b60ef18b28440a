// Whole exercises typed into the real main window offscreen: a command-line
// exercise file of known sentences, a fake clock moved on by the test, the
// results window answered through the modal hook. Counters, clock, speed
// and best-speed bars, messages, level averages, lamps and the error face
// are checked against figures worked out by hand for the chosen timings.
#include "EngineProbe.h"
#include "WindowControls.h"
#include "app/MainWindowParts.h"
#include "app/frmTastomat.h"
#include "keyboard/KeyboardLayout.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/Seams.h"
#include "results/frmClassifica.h"
#include "settings/InterfaceLanguage.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/QuietSeams.h"
#include "support/TestFiles.h"
#include "ui/GradientPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <memory>

using namespace tastolino;

namespace {

using tastolino::testing::GermanLayout;

// Every sentence is 20 characters long (two-line ones with their CR LF), so
// the speeds follow from the seconds alone: 20 / seconds keys per second.
const char kExercise[] =
    "[Livello1]\r\n"
    "1=gr\xfc\xdf"
    "e aus der k\xfc"
    "chen\r\n"
    "2=\xf6l und \xe4pfel kaufen!\r\n"
    "3=sch\xf6n, s\xfc\xdf und hei\xdf"
    "e\r\n"
    "4=die stra\xdf"
    "e ist breit\r\n"
    "5=m\xe4\xdfig gut, sehr gut.\r\n"
    "[Livello2]\r\n"
    "1=Der Fu\xdf ist so gro\xdf.\r\n"
    "2=\xd6"
    "fter \xdc"
    "bungen, bitte\r\n"
    "3=\xc4rger ist so unn\xf6tig\r\n"
    "4=Gr\xfc\xdf"
    "e an J\xfcrgen: ja.\r\n"
    "5=Das Ma\xdf ist nun voll\r\n"
    "[Livello3]\r\n"
    "1=Mail: a@b.de\xa6\xa6"
    "20 \x80!!\r\n"
    "2=Caf\xe9\xa6\xa6"
    "Cr\xe8me ch\xe2teau!\r\n"
    "3={x} [y] \\ |z|\xa6\xa6~ 123\r\n"
    "4=(5) + 3 = 8\xa6\xa6"
    "50 % #1\r\n"
    "5=\"Ja\" & $2?\xa6\xa6ok; 1-23\r\n";

const QString kTitle = QStringLiteral("Tastolino  - test.lez ");

struct ResultsSeen {
    int sentenceNo;
    ResultsReason reason;
    QList<int> averageScores;
    QList<bool> headingsShown;
    QString closing;
};

}  // namespace

class TestExerciseWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QList<seams::MessageRequest> asked_;
    QList<int> sounds_;
    std::deque<int> resultsAnswers_;
    QList<ResultsSeen> results_;
    std::unique_ptr<frmTastomat> w_;
    QString faceAfterWrong_;

    void writeFile(const QString& name, const QByteArray& bytes) {
        tastolino::testing::writeFile(folder_->filePath(name), bytes);
    }

    void start(const QString& commandLine) {
        tastolino::testing::freshProgramState(folder_->path() + QLatin1Char('/'));
        w_ = tastolino::testing::startMainWindow(commandLine);
    }

    // One keystroke into the input box, the way the platform delivers it:
    // dead-key letters as input-method text, AltGr characters with the
    // group-switch modifier, the rest as key presses with their text.
    void typeChar(QChar c) {
        QLineEdit* box = control<QLineEdit>(*w_, "txtInput");
        if (c == QLatin1Char('\n')) return;  // the LF after CR is skipped by the program
        if (c == QLatin1Char('\r')) {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Return, QStringLiteral("\r"),
                                Qt::NoModifier);
            return;
        }
        if (QStringLiteral("\u00E9\u00E8\u00E2").contains(c)) {
            QInputMethodEvent event;
            event.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &event);
            return;
        }
        const bool altGr = QStringLiteral("@\u20AC{}[]\\|~").contains(c);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c),
                            altGr ? Qt::GroupSwitchModifier : Qt::NoModifier);
    }

    void pressEnter() {
        QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(*w_, "txtInput"), Qt::Key_Return,
                            QStringLiteral("\r"), Qt::NoModifier);
    }

    // Types the sentence shown: the first key starts the clock, the clock
    // ticks once before the last key, `seconds` after the first.
    void typeSentence(int seconds, int wrongAfter = -1) {
        const QString text = appState().results.exerciseText;
        QCOMPARE(text.size(), 20);
        typeChar(text[0]);
        seams::advanceClock(qint64(seconds) * 1000);
        for (int i = 1; i < text.size() - 1; ++i) {
            if (i == wrongAfter) {
                typeChar(QLatin1Char('#'));  // refused and counted
                faceAfterWrong_ = face();
            }
            typeChar(text[i]);
        }
        w_->engine.Timer1_Timer();
        typeChar(text.back());
        QVERIFY(w_->engine.sentenceDone());
    }

    QColor back(QWidget* widget) const { return widget->palette().color(QPalette::Window); }

    void checkLamps(int level) {
        static const QColor dim[3] = {QColor(0, 0xC0, 0), QColor(0xC0, 0xC0, 0),
                                      QColor(0xC0, 0x40, 0)};
        static const QColor lit[3] = {QColor(0, 0xFF, 0), QColor(0xFF, 0xFF, 0),
                                      QColor(0xFF, 0, 0)};
        for (int l = 1; l <= 3; ++l)
            QCOMPARE(back(control<QLabel>(*w_, "lblMediaLevel", size_t(l + 2))),
                     l == level ? lit[l - 1] : dim[l - 1]);
    }

    QString face() const { return control<QLabel>(*w_, "lblSmile")->property("symbol").toString(); }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        asked_.clear();
        sounds_.clear();
        results_.clear();
        resultsAnswers_.clear();
        tastolino::testing::quietWindowSeams(&asked_);
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        seams::seedRandom(7);
        seams::setSoundHook([this](int id) { sounds_ << id; });
        seams::setPrinterAvailableHook([] { return false; });
        seams::setModalHook([this](QDialog* dialog) {
            if (dialog->objectName() == QLatin1String("frmInput")) {
                dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente"))
                    ->setText(QStringLiteral("anna"));
                dialog->accept();
                return int(QDialog::Accepted);
            }
            if (auto* res = qobject_cast<frmClassifica*>(dialog)) {
                ResultsSeen seen{w_->engine.sentenceNumber(),
                                 appState().results.resultsReason,
                                 {},
                                 {},
                                 res->findChild<QLabel*>(QStringLiteral("lblShowMess"))->text()};
                for (const LevelFigures& f : res->levels()) seen.averageScores << f.averageScore;
                for (int i = 0; i < 3; ++i)
                    seen.headingsShown
                        << !res->findChild<QLabel*>(QStringLiteral("lbllivelli%1").arg(i))
                                ->isHidden();
                results_ << seen;
                const int answer = resultsAnswers_.empty() ? 1 : resultsAnswers_.front();
                if (!resultsAnswers_.empty()) resultsAnswers_.pop_front();
                res->findChild<QPushButton*>(QStringLiteral("cmdRisp%1").arg(answer))->click();
                return res->result();
            }
            dialog->accept();
            return int(QDialog::Accepted);
        });
        setLayoutBackend(std::make_unique<GermanLayout>());
        writeFile(QStringLiteral("Esercizi/test.lez"), QByteArray(kExercise));
    }

    void cleanup() {
        w_.reset();
        seams::resetAll();
        folder_.reset();
    }

    void wholeExerciseWithChosenTimings() {
        start(QStringLiteral("/test.lez"));
        QVERIFY(control<QPushButton>(*w_, "cmdStart")->isEnabled());
        const QImage noFace = control<QLabel>(*w_, "lblSmile")->grab().toImage();
        resultsAnswers_ = {0, 0, 0};

        // Level 1, beginner (factor 0.4): speed = 20 / seconds, score =
        // Int(0.4 x speed x 100) within 1..100; speed bar unit = 300 / 4 =
        // 75 pixels per second per key, measured with 19 keys typed.
        struct Step {
            int seconds, score, bar, best;
            QString average, clock;
        };
        const Step level1[5] = {
            {10, 80, 39, 39, "80", "00:10"},   // first of the level: never a new best
            {8, 100, 32, 32, "90", "00:08"},   // new best
            {20, 40, 79, 32, "73", "00:20"},   // slower: the best bar stays
            {16, 50, 63, 32, "67", "00:16"},   // (80 + 100 + 40 + 50) / 4
            {40, 20, 158, 32, "58", "00:40"},  // capped speeds 2, 2.5, 1, 1.25, 0.5
        };
        for (int i = 0; i < 5; ++i) {
            sounds_.clear();
            pressEnter();
            QVERIFY(!control<QPushButton>(*w_, "cmdStart")->isEnabled());
            QCOMPARE(w_->windowTitle(),
                     kTitle + QStringLiteral("-  Primo livello: frase %1").arg(i + 1));
            QCOMPARE(control<QLabel>(*w_, "lblNumFrase")->text(), QString::number(i + 1));
            checkLamps(1);
            QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 0)->text(),
                     QStringLiteral("0/%1").arg(20 * i));
            // Sentence 2 has a wrong key in the middle: refused, counted.
            typeSentence(level1[i].seconds, i == 1 ? 5 : -1);
            const Step& s = level1[i];
            QCOMPARE(control<QLabel>(*w_, "lblTime")->text(), s.clock);
            QCOMPARE(control<QLabel>(*w_, "imgGradiente")->width(), s.bar);
            QCOMPARE(control<QLabel>(*w_, "picMax")->width(), s.best);
            QCOMPARE(control<QLabel>(*w_, "lblMediaLevel", 0)->text(), s.average);
            QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 0)->text(),
                     QStringLiteral("20/%1").arg(20 * (i + 1)));
            QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 1)->text(),
                     i >= 1 ? QStringLiteral("%1/1").arg(i == 1 ? 1 : 0) : QStringLiteral("0/0"));
            QVERIFY(control<QWidget>(*w_, "picMessaggio")->isVisible());
            QVERIFY(control<QPushButton>(*w_, "cmdStart")->isEnabled());
            QCOMPARE(sounds_.contains(103), i == 1);
            QCOMPARE(control<QLabel>(*w_, "imgIconaPunteggio")->property("iconId").toInt(),
                     420 + (s.score <= 20   ? 0
                            : s.score <= 40 ? 1
                            : s.score <= 60 ? 2
                            : s.score <= 80 ? 3
                                            : 4));
            if (i == 1) {
                // The wrong key came after 25 correct ones: 1/25 = 4 %; the
                // box holds only what was accepted.
                QCOMPARE(faceAfterWrong_, QStringLiteral("C"));
                QCOMPARE(control<QLineEdit>(*w_, "txtInput")->text(),
                         appState().results.exerciseText);
            }
            if (i == 1) QCOMPARE(face(), QStringLiteral("A"));  // 1/40 = 2.5 %
            if (i == 2) QCOMPARE(face(), QStringLiteral("B"));  // 1/60 = 1.7 %
            const QString message = control<QLabel>(*w_, "lblMessaggio")->text();
            if (i == 2) {
                QCOMPARE(message, QStringLiteral("Hai totalizzato  40 punti, digitando alla media "
                                                 "di 60 battute al minuto\n Premi il tasto Enter "
                                                 "per continuare."));
            } else if (i == 1) {
                const QString tail = QStringLiteral(
                    " Hai totalizzato  100 punti e, digitando alla media di 150 battute al "
                    "minuto\nhai anche superato il tuo record precedente. Premi il tasto Enter "
                    "per continuare.");
                QVERIFY2(message.endsWith(tail), qPrintable(message));
                QVERIFY(w_->engine.praiseGreat().contains(message.chopped(tail.size())));
            } else if (i == 0) {
                const QString tail = QStringLiteral(
                    " Hai totalizzato  80 punti, digitando alla media di 120 battute al "
                    "minuto\n Premi il tasto Enter per continuare.");
                QVERIFY2(message.endsWith(tail), qPrintable(message));
                QVERIFY(w_->engine.praiseGood().contains(message.chopped(tail.size())));
            }
        }
        QCOMPARE(appState().results.errorCount, int16_t(1));

        // Before sentence 6: the results window with the level 1 table.
        pressEnter();
        QCOMPARE(results_.size(), 1);
        QCOMPARE(results_[0].sentenceNo, 6);
        QCOMPARE(results_[0].reason, ResultsReason::LevelEnded);
        QCOMPARE(results_[0].averageScores, QList<int>({58}));
        QCOMPARE(results_[0].headingsShown, QList<bool>({true, false, false}));
        QVERIFY(results_[0].closing.startsWith(
            QStringLiteral("Molto bene! Hai terminato l'esercizio di livello  1.")));

        // Level 2: the first sentence at 4 keys per second scores 100 (160
        // clamped) and resets the best bar; the others at 2 per second.
        for (int i = 0; i < 5; ++i) {
            if (i > 0) pressEnter();
            QCOMPARE(w_->windowTitle(),
                     kTitle + QStringLiteral("-  Secondo livello: frase  %1").arg(i + 1));
            checkLamps(2);
            typeSentence(i == 0 ? 5 : 10);
        }
        QCOMPARE(control<QLabel>(*w_, "lblMediaLevel", 1)->text(),
                 QStringLiteral("84"));  // (2.5 + 4 x 2) / 5
        QCOMPARE(control<QLabel>(*w_, "lblMediaLevel", 0)->text(), QStringLiteral("58"));

        pressEnter();
        QCOMPARE(results_.size(), 2);
        QCOMPARE(results_[1].sentenceNo, 11);
        QCOMPARE(results_[1].averageScores, QList<int>({58, 84}));
        QCOMPARE(results_[1].headingsShown, QList<bool>({true, true, false}));

        // Level 3: two lines with Enter between them, AltGr symbols and
        // dead-key letters, at 1 key per second (score 40).
        for (int i = 0; i < 5; ++i) {
            if (i > 0) pressEnter();
            QCOMPARE(w_->windowTitle(),
                     kTitle + QStringLiteral("-  Terzo livello: frase  %1").arg(i + 1));
            checkLamps(3);
            QVERIFY(control<QLabel>(*w_, "lblFraseCorr")->text().contains(QLatin1Char('\n')));
            typeSentence(20);
        }
        QCOMPARE(control<QLabel>(*w_, "lblMediaLevel", 2)->text(), QStringLiteral("40"));
        // The LF after each CR is never typed: 19 keystrokes per sentence.
        QCOMPARE(appState().results.correctCount, int16_t(295));
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 0)->text(), QStringLiteral("19/295"));
        QCOMPARE(face(), QStringLiteral("B"));

        // After sentence 15 the whole table; "Continua" starts again at once
        // (a command-line exercise) with cleared totals and averages.
        pressEnter();
        QCOMPARE(results_.size(), 3);
        QCOMPARE(results_[2].sentenceNo, 16);
        QCOMPARE(results_[2].reason, ResultsReason::ExerciseEnded);
        QCOMPARE(results_[2].averageScores, QList<int>({58, 84, 40}));
        QCOMPARE(results_[2].headingsShown, QList<bool>({true, true, true}));
        QVERIFY(!w_->IsUnloaded());
        QCOMPARE(w_->windowTitle(), kTitle + QStringLiteral("-  Primo livello: frase 1"));
        QCOMPARE(w_->engine.sentenceNumber(), 1);
        QCOMPARE(appState().results.correctCount, int16_t(0));
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 0)->text(), QStringLiteral("0/0"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(control<QLabel>(*w_, "lblMediaLevel", size_t(i))->text(), QString());
        QCOMPARE(appState().results.exerciseText, QString::fromUtf8("grüße aus der küchen"));
        QVERIFY(asked_.isEmpty());
        // The totals start from nothing: so does the face, frame included.
        QCOMPARE(face(), QString());
        QVERIFY(control<QLabel>(*w_, "lblSmile")->grab().toImage() == noFace);
    }

    // A restart clears the error face: no symbol, and the label looks as it
    // did before the first keystroke (its frame keeps no colour).
    void restartClearsTheErrorFace() {
        start(QString());
        const QImage noFace = control<QLabel>(*w_, "lblSmile")->grab().toImage();
        pressEnter();
        typeChar(appState().results.exerciseText[0]);
        seams::advanceClock(1000);
        typeChar(QLatin1Char('#'));
        QCOMPARE(face(), QStringLiteral("D"));
        QVERIFY(control<QLabel>(*w_, "lblSmile")->grab().toImage() != noFace);
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            asked_ << r;
            return seams::MsgAnswer::Yes;
        });
        w_->MenuCommand(1);
        QCOMPARE(asked_.last().text, QStringLiteral("Vuoi iniziare da capo le esercitazioni?"));
        QCOMPARE(face(), QString());
        QVERIFY(control<QLabel>(*w_, "lblSmile")->grab().toImage() == noFace);
    }

    // What the keyboard does, as the window publishes it for programs that
    // drive it from outside: Enter starts, the box takes the sentence's
    // keys, the end of a sentence swallows keys, then Enter again.
    void inputStateFollowsTheSentence() {
        start(QStringLiteral("/test.lez"));
        const auto state = [this] { return w_->property("inputState").toString(); };
        QCOMPARE(state(), QStringLiteral("start"));
        QStringList duringEnd;
        seams::setSoundHook([&](int id) {
            if (id == 102 || id == 103) duringEnd << state();
        });
        QString whileResultsOpen;
        for (int i = 0; i < 5; ++i) {
            pressEnter();
            QCOMPARE(state(), QStringLiteral("typing"));
            QVERIFY(!control<QLineEdit>(*w_, "txtInput")->isReadOnly());
            typeSentence(4);
            QCOMPARE(state(), QStringLiteral("start"));
        }
        QCOMPARE(duringEnd, QStringList(5, QStringLiteral("busy")));
        seams::setModalHook([&](QDialog* dialog) {
            whileResultsOpen = state();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdRisp0"))->click();
            return dialog->result();
        });
        pressEnter();
        QCOMPARE(whileResultsOpen, QStringLiteral("busy"));
        QCOMPARE(state(), QStringLiteral("typing"));
    }

    // A learner who presses Enter as soon as Start lights up, while the
    // invitation is still sliding in, types into the sentence that starts.
    void enterWhileTheInvitationSlidesInStartsTheSentence() {
        struct EnterWhenEnabled : QObject {
            QWidget* target = nullptr;
            bool sent = false;
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (!sent && event->type() == QEvent::EnabledChange &&
                    static_cast<QWidget*>(watched)->isEnabled()) {
                    sent = true;
                    QCoreApplication::postEvent(
                        target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                              QStringLiteral("\r")));
                    QCoreApplication::postEvent(
                        target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier,
                                              QStringLiteral("\r")));
                }
                return false;
            }
        } enter;
        tastolino::testing::freshProgramState(folder_->path() + QLatin1Char('/'));
        w_ = std::make_unique<frmTastomat>(QStringLiteral("/test.lez"));
        w_->Form_Load();
        enter.target = w_.get();
        control<QPushButton>(*w_, "cmdStart")->installEventFilter(&enter);
        w_->FinishStartUp();
        QVERIFY(enter.sent);
        QCOMPARE(w_->property("inputState").toString(), QStringLiteral("typing"));
        QCOMPARE(w_->focusWidget(), control<QLineEdit>(*w_, "txtInput"));
        const QString text = appState().results.exerciseText;
        typeChar(text[0]);
        typeChar(text[1]);
        QCOMPARE(w_->engine.errorsInSentence(), 0);
        QCOMPARE(w_->engine.correctInSentence(), 2);
    }

    void terminaEndsTheProgram() {
        start(QStringLiteral("/test.lez"));
        for (int i = 0; i < 5; ++i) {
            pressEnter();
            typeSentence(2);
        }
        resultsAnswers_ = {1};
        pressEnter();
        QCOMPARE(results_.size(), 1);
        QVERIFY(w_->IsUnloaded());
        // Nothing more runs in the closed window.
        QVERIFY(!w_->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        QVERIFY(!w_->findChild<QTimer*>(QStringLiteral("Timer2"))->isActive());
    }

    // Between sentences the Enter keys stay pressed as an invitation, also
    // when the finger colours are switched; the flat / 3D key rests from the
    // first sentence on.
    void enterInvitationSurvivesRedrawsBetweenSentences() {
        start(QStringLiteral("/test.lez"));
        auto* keyboard = w_->findChild<KeyboardPanel*>(QStringLiteral("picKeyword"));
        QVERIFY(keyboard);
        pressEnter();
        QVERIFY(!keyboard->key37Enabled());
        typeSentence(2);
        QVERIFY(keyboard->isKeyPressed(48) && keyboard->isKeyPressed(62));
        w_->MenuCommand(4);
        w_->MenuCommand(4);
        QVERIFY(keyboard->isKeyPressed(48) && keyboard->isKeyPressed(62));
        QVERIFY(!keyboard->key37Enabled());
        pressEnter();
        w_->engine.Timer2_Timer();
        QVERIFY(!keyboard->isKeyPressed(48) && !keyboard->isKeyPressed(62));
    }

    // Menu items 4 and 5 during a sentence: the next key (and its Shift)
    // stays drawn pressed whatever is switched; the highlight shape comes
    // and goes with item 5.
    void keyboardOptionsDuringASentenceKeepTheNextKeyPressed() {
        start(QStringLiteral("/test.lez"));
        auto* keyboard = w_->findChild<KeyboardPanel*>(QStringLiteral("picKeyword"));
        pressEnter();
        typeChar(appState().results.exerciseText[0]);
        const int next = keyboard->expectedKeyIndex();
        QCOMPARE(w_->engine.expectedChar(), QStringLiteral("r"));
        QVERIFY(keyboard->isKeyPressed(next));
        const auto check = [&](const char* step, bool shape) {
            QVERIFY2(keyboard->isKeyPressed(next), step);
            QVERIFY2(keyboard->highlightShown(0) == shape, step);
            for (int k = 0; k < 63; ++k)
                if (k != next) QVERIFY2(!keyboard->isKeyPressed(k), step);
        };
        w_->MenuCommand(5);
        check("highlight off", false);
        w_->MenuCommand(5);
        check("highlight on", true);
        w_->MenuCommand(4);
        check("finger map off", true);
        w_->MenuCommand(4);
        check("finger map on", true);

        // A capital: the Shift of the other hand goes with it.
        appState().results.exerciseText = QStringLiteral("gR");
        EngineProbe::setCursor(w_->engine, 1);
        w_->engine.AdvanceCursor();
        QVERIFY(keyboard->isKeyPressed(36));
        w_->MenuCommand(5);
        w_->MenuCommand(4);
        QVERIFY(keyboard->isKeyPressed(3) && keyboard->isKeyPressed(36));
        w_->MenuCommand(4);
        w_->MenuCommand(5);
        QVERIFY(keyboard->isKeyPressed(3) && keyboard->isKeyPressed(36));
        QVERIFY(keyboard->highlightShown(0) && keyboard->highlightShown(1));
    }

    // After a reset no text is shown and nothing is expected: choosing the
    // expert category presses no key of the text before.
    void expertAfterAResetHighlightsNothing() {
        start(QString());
        auto* keyboard = w_->findChild<KeyboardPanel*>(QStringLiteral("picKeyword"));
        pressEnter();
        typeChar(appState().results.exerciseText[0]);
        seams::setMessageHook([](const seams::MessageRequest&) { return seams::MsgAnswer::Yes; });
        w_->MenuCommand(1);
        QVERIFY(control<QWidget>(*w_, "picLevel")->isVisible());
        QVERIFY(w_->engine.expectedChar().isEmpty());
        control<QRadioButton>(*w_, "optLevel", 1)->click();
        QVERIFY(!w_->CurrentOptions().fingerMapOn);
        QVERIFY(keyboard->expectedChar().isEmpty());
        QVERIFY(!keyboard->highlightShown(0));
        for (int k = 0; k < 63; ++k)
            if (k != 48 && k != 62)
                QVERIFY2(!keyboard->isKeyPressed(k), qPrintable(QString::number(k)));
    }

    void keysTheInputBoxMustNotTakeItself() {
        start(QStringLiteral("/test.lez"));
        pressEnter();
        QLineEdit* box = control<QLineEdit>(*w_, "txtInput");
        // Arrows and shortcuts neither move nor change anything; a wrong key
        // before the first correct one is refused but not counted.
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        typeChar(QLatin1Char('x'));
        QCOMPARE(box->text(), QString());
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 1)->text(), QStringLiteral("0/0"));
        QCOMPARE(face(), QString());
        // Once the clock runs a wrong key is counted and shown.
        typeChar(QLatin1Char('g'));
        seams::advanceClock(1000);
        typeChar(QLatin1Char('x'));
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 1)->text(), QStringLiteral("1/1"));
        QCOMPARE(box->text(), QStringLiteral("g"));
        // A dead-key text on the wrong character is a wrong key too.
        QInputMethodEvent event;
        event.setCommitString(QStringLiteral("\u00E9"));
        QCoreApplication::sendEvent(box, &event);
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 1)->text(), QStringLiteral("2/2"));
        typeChar(QLatin1Char('r'));
        typeChar(QChar(0x00FC));
        QCOMPARE(box->text(), QString::fromUtf8("grü"));
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 0)->text(), QStringLiteral("3/3"));
    }

    // The level buttons: the expert category turns the finger colours off
    // and locks their menu item; back to beginner unlocks it.
    void categoryButtons() {
        start(QString());
        QVERIFY(w_->CurrentOptions().fingerMapOn);
        sounds_.clear();
        control<QRadioButton>(*w_, "optLevel", 1)->click();
        QCOMPARE(appState().results.categoryName, QStringLiteral("Esperto"));
        QCOMPARE(appState().results.scoreFactor, 0.2f);
        QVERIFY(!w_->CurrentOptions().fingerMapOn);
        QVERIFY(!control<QLabel>(*w_, "lblMenu", 4)->isEnabled());
        QVERIFY(sounds_.contains(111));
        control<QRadioButton>(*w_, "optLevel", 0)->click();
        QCOMPARE(appState().results.categoryName, QStringLiteral("Principiante"));
        QVERIFY(control<QLabel>(*w_, "lblMenu", 4)->isEnabled());
        QVERIFY(!w_->CurrentOptions().fingerMapOn);  // stays as the expert left it
    }

    void freeTextFromTheSourceMenu() {
        QByteArray text;
        for (int i = 0; i < 20; ++i) text += "Der Hund l\xe4uft schnell.\r\n";
        writeFile(QStringLiteral("Esercizi/lauf.txt"), text);
        start(QString());
        QVERIFY(control<QWidget>(*w_, "picMenu")->isVisible());
        QVERIFY(control<QRadioButton>(*w_, "optMenu", 3)->isEnabled());
        control<QRadioButton>(*w_, "optMenu", 3)->click();
        QCOMPARE(control<QComboBox>(*w_, "cboListFile")->currentText(),
                 QStringLiteral("lauf.txt    (2 min)"));
        QCOMPARE(control<QLabel>(*w_, "lblIconaEsercizio")->property("symbol").toString(),
                 QStringLiteral("4"));
        pressEnter();
        QVERIFY(appState().freeTextMode);
        QCOMPARE(w_->windowTitle(), QStringLiteral("Tastolino  - File: lauf.txt"));
        QCOMPARE(control<QLabel>(*w_, "lblFraseCorr")->text(),
                 QString::fromUtf8("Der Hund läuft schnell. Der Hund lä"));
        // Wrong keys are counted and accepted (they move on like correct
        // ones); counters show totals only.
        const QString typed = QString::fromUtf8("Der Hund läuft schnell. Der Hund x");
        for (QChar c : typed) typeChar(c);
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 0)->text(), QStringLiteral("34"));
        QCOMPARE(control<QLabel>(*w_, "lblNumBatt", 1)->text(), QStringLiteral("1"));
        // The line scrolls: the box keeps the last 28 characters typed.
        QCOMPARE(control<QLineEdit>(*w_, "txtInput")->text(), typed.right(28));
        // The display scrolls with it, one character ahead of the box.
        QCOMPARE(control<QLabel>(*w_, "lblFraseCorr")->text().left(28), typed.right(29).left(28));
        QVERIFY(control<QWidget>(*w_, "shpProgressTime")->isVisible());
    }
};

QTEST_MAIN(TestExerciseWindow)
#include "tst_exercise_window.moc"
