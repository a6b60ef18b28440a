// The learning statistics in the real main window: the rows finished
// sentences leave in the database (exercises typed with key presses and
// releases - dead-key letters as input-method text, AltGr symbols with the
// group switch - and a fake clock moved on by the test), and the statistics
// window opened from the menu strip and from the results window, with its
// drill and its export.
#include "../stats/StatsTestUtil.h"
#include "StatsFixture.h"
#include "WindowControls.h"
#include "app/StatisticsWindowModule.h"
#include "app/StatsRecorder.h"
#include "app/frmTastomat.h"
#include "platform/Seams.h"
#include "results/frmClassifica.h"
#include "settings/InterfaceLanguage.h"
#include "stats/StatsStore.h"
#include "statswindow/frmStatistiche.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/QuietSeams.h"
#include "support/TestFiles.h"

#include <QDialog>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tastolino;

namespace {

// Level 1: a dead-key letter, an AltGr symbol, a two-line entry and two
// plain ones; the first five entries are played in order.
const char kExercise[] =
    "[Livello1]\r\n"
    "1=Caf\xe9 au\r\n"
    "2=5 \x80 da\r\n"
    "3=abc\xa6\xa6"
    "def\r\n"
    "4=ok ok\r\n"
    "5=ja ja\r\n"
    "[Livello2]\r\n1=x\r\n2=x\r\n3=x\r\n4=x\r\n5=x\r\n"
    "[Livello3]\r\n1=x\r\n2=x\r\n3=x\r\n4=x\r\n5=x\r\n";

// Every row of `sql` in the database file `path`.
QStringList rows(const QString& path, const QString& sql) {
    StatsStore store(path);
    if (!store.open()) return {QStringLiteral("cannot open")};
    return stats_test::rows(store.database(), sql);
}

// A key pair as "expected|typed|count", characters written out.
const QString kPairs = QStringLiteral(
    "SELECT char(expected) || '|' || char(typed) || '|' || sum(count) FROM key_days"
    " GROUP BY expected, typed ORDER BY expected, typed");

}  // namespace

class TestStatsRecording : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QList<seams::MessageRequest> asked_;
    std::unique_ptr<frmTastomat> w_;
    // Drives the statistics window when it opens.
    std::function<void(frmStatistiche*)> onStatistics_;
    bool statsFromResults_ = false;

    // Weeks of made-up history of the user the name window gives.
    void recordHistory() {
        StatsStore store(database());
        HistoryPlan plan;
        plan.user = QStringLiteral("ANNA MARIA");
        plan.lastDay = QDate(2026, 12, 8);
        plan.days = 14;
        plan.sentences = 300;
        QVERIFY(makeHistory(store, plan));
    }

    void clickMenuItem(int index) {
        QLabel* item = control<QLabel>(*w_, "lblMenu", size_t(index));
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    }

    void writeFile(const QString& name, const QByteArray& bytes) {
        tastolino::testing::writeFile(folder_->filePath(name), bytes);
    }

    void start(const QString& commandLine) {
        tastolino::testing::freshProgramState(folder_->path() + QLatin1Char('/'));
        w_ = tastolino::testing::startMainWindow(commandLine);
    }

    void typeChar(QChar c) {
        QLineEdit* box = control<QLineEdit>(*w_, "txtInput");
        if (c == QLatin1Char('\r')) {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Return, QStringLiteral("\r"),
                                Qt::NoModifier);
            return;
        }
        if (c == QChar(0xE9)) {
            QInputMethodEvent event;
            event.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &event);
            return;
        }
        const bool altGr = c == QChar(0x20AC);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c),
                            altGr ? Qt::GroupSwitchModifier : Qt::NoModifier);
    }

    // Types `keys` (LF skipped, as the program skips it), the clock moved
    // on by `seconds` after the first.
    void type(const QString& keys, int seconds) {
        bool first = true;
        for (QChar c : keys) {
            if (c == QLatin1Char('\n')) continue;
            typeChar(c);
            if (first && w_->engine.clockRunning()) {
                seams::advanceClock(qint64(seconds) * 1000);
                first = false;
            }
        }
    }

    void pressEnter() {
        QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(*w_, "txtInput"), Qt::Key_Return,
                            QStringLiteral("\r"), Qt::NoModifier);
    }

    QString database() const { return w_->stats().path(); }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        asked_.clear();
        tastolino::testing::quietWindowSeams(&asked_);
        seams::useFakeClock(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
        seams::seedRandom(7);
        seams::setPrinterAvailableHook([] { return false; });
        setStatisticsWindowRunner(&runStatisticsWindow);
        onStatistics_ = {};
        statsFromResults_ = false;
        seams::setModalHook([this](QDialog* dialog) {
            if (auto* stats = qobject_cast<frmStatistiche*>(dialog)) {
                if (onStatistics_) onStatistics_(stats);
                return stats->result();
            }
            if (dialog->objectName() == QLatin1String("frmInput")) {
                dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente"))
                    ->setText(QStringLiteral("Anna Maria"));
                dialog->accept();
                return int(QDialog::Accepted);
            }
            if (auto* res = qobject_cast<frmClassifica*>(dialog)) {
                if (statsFromResults_)
                    res->findChild<QPushButton*>(QStringLiteral("cmdStats"))->click();
                // "Termina": the exercise ends after its first level.
                res->findChild<QPushButton*>(QStringLiteral("cmdRisp1"))->click();
                return res->result();
            }
            dialog->accept();
            return int(QDialog::Accepted);
        });
        setLayoutBackend(std::make_unique<tastolino::testing::GermanLayout>());
        writeFile(QStringLiteral("Esercizi/test.lez"), QByteArray(kExercise));
    }

    void cleanup() {
        w_.reset();
        seams::resetAll();
        folder_.reset();
    }

    // One level typed with known wrong keys: one row per sentence with the
    // figures the window showed, and exactly the key pairs typed - the
    // composed dead-key letter, the AltGr symbol and Enter among them. A
    // wrong key before the first right one starts nothing and is not
    // counted, as the window's counters do not count it.
    void typedLevelGivesExactRows() {
        start(QStringLiteral("/test.lez"));
        QVERIFY(control<QPushButton>(*w_, "cmdStart")->isEnabled());
        pressEnter();
        type(QString::fromUtf8("Cxafeé au"), 7);  // x for a, e for é
        pressEnter();
        type(QString::fromUtf8("35 e€ da"), 3);  // 3 before the clock; e for €
        pressEnter();
        type(QStringLiteral("abc \r\ndef"), 8);  // a blank for Enter
        pressEnter();
        type(QStringLiteral("ok ok"), 5);
        pressEnter();
        type(QStringLiteral("ja ja"), 5);
        QVERIFY(w_->engine.sentenceDone());
        QCOMPARE(w_->engine.sentenceNumber(), 5);
        pressEnter();  // the results of the level, answered "Termina"
        QVERIFY(w_->IsUnloaded());

        const QString file = QDir(folder_->path()).filePath(QStringLiteral("Esercizi/test.lez"));
        QCOMPARE(rows(database(), QStringLiteral("SELECT name FROM users")),
                 QStringList{QStringLiteral("ANNA MARIA")});  // as the name window gives it
        // source 2 = exercise; speed = characters / whole seconds x 60,
        // score = 0.4 x keys per second x 100; the time has the 20 ms the
        // input box flashes for each wrong key counted after the first.
        QCOMPARE(rows(database(),
                      QStringLiteral("SELECT file = '%1', source, level, category, characters,"
                                     " duration_ms, keystrokes, errors, speed, score"
                                     " FROM sentences ORDER BY id")
                          .arg(file)),
                 (QStringList{"1|2|1|0|7|7040|9|2|60|40", "1|2|1|0|6|3020|7|1|120|80",
                              "1|2|1|0|8|8020|8|1|60|40", "1|2|1|0|5|5000|5|0|60|40",
                              "1|2|1|0|5|5000|5|0|60|40"}));
        QCOMPARE(rows(database(), kPairs), (QStringList{"\r|\r|1",
                                                        "\r| |1",
                                                        " | |5",
                                                        "5|5|1",
                                                        "C|C|1",
                                                        "a|a|6",
                                                        "a|x|1",
                                                        "b|b|1",
                                                        "c|c|1",
                                                        "d|d|2",
                                                        "e|e|1",
                                                        "f|f|2",
                                                        "j|j|2",
                                                        "k|k|2",
                                                        "o|o|2",
                                                        "u|u|1",
                                                        QString::fromUtf8("é|e|1"),
                                                        QString::fromUtf8("é|é|1"),
                                                        QString::fromUtf8("€|e|1"),
                                                        QString::fromUtf8("€|€|1")}));
        QVERIFY(asked_.isEmpty());
    }

    // A free text: wrong keys move on like right ones; the row has the
    // report's speed, level 3 and no score.
    void freeTextIsRecorded() {
        writeFile(QStringLiteral("Esercizi/kurz.txt"), QByteArray("\xd6l ist gut.\r\n"));
        start(QString());
        control<QRadioButton>(*w_, "optMenu", 3)->click();
        pressEnter();
        QVERIFY(appState().freeTextMode);
        type(QString::fromUtf8("Öl ixt gut."), 10);  // x for s
        QVERIFY(w_->IsUnloaded());
        // 11 keystrokes in 10 seconds: 66 a minute.
        QCOMPARE(rows(database(), QStringLiteral("SELECT source, level, characters, duration_ms,"
                                                 " keystrokes, errors, speed, score IS NULL"
                                                 " FROM sentences")),
                 QStringList{"3|3|11|10000|11|1|66|1"});
        QCOMPARE(rows(database(), kPairs),
                 (QStringList{" | |2", ".|.|1", "g|g|1", "i|i|1", "l|l|1", "s|x|1", "t|t|2",
                              "u|u|1", QString::fromUtf8("Ö|Ö|1")}));
    }

    // A database that cannot be made (its name taken by a folder): the
    // user is told once, and the exercise goes on as ever.
    void unusableDatabaseIsReportedOnceAndTypingGoesOn() {
        QDir(folder_->path()).mkpath(QStringLiteral("TastolinoStats.sqlite"));
        start(QStringLiteral("/test.lez"));
        QVERIFY(QFileInfo(database()).isDir());
        pressEnter();
        type(QString::fromUtf8("Café au"), 7);
        QCOMPARE(asked_.size(), 1);
        QVERIFY(asked_[0].text.contains(database()));
        pressEnter();
        type(QString::fromUtf8("5 € da"), 3);
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(w_->engine.sentenceNumber(), 2);
        QVERIFY(w_->engine.sentenceDone());
    }
    // The last item of the menu strip opens the window on the user's
    // records; its drill is written into the user's exercises and played
    // at once like an exercise named on the command line, and what is typed
    // there is recorded as a drill.
    void menuItemOpensTheWindowAndTheDrillStarts() {
        start(QString());
        recordHistory();
        QVERIFY(!control<QLabel>(*w_, "lblMenu", 8)->toolTip().isEmpty());
        QString drill;
        onStatistics_ = [&drill](frmStatistiche* window) {
            QCOMPARE(window->weakestTable()->rowCount(), 10);
            QVERIFY(window->width() <= 800 && window->height() <= 600);
            window->findChild<QPushButton*>(QStringLiteral("cmdDrill"))->click();
            drill = window->drillFile();
        };
        clickMenuItem(8);
        QCOMPARE(
            drill,
            QDir(folder_->path()).filePath(QStringLiteral("Esercizi/TastiDeboli_ANNA_MARIA.lez")));
        QVERIFY(QFileInfo(drill).isFile());
        QCOMPARE(appState().results.exerciseFile, drill);
        QCOMPARE(w_->engine.sentenceNumber(), 1);
        QVERIFY(!w_->engine.sentenceDone());
        QVERIFY(w_->windowTitle().contains(QStringLiteral("TastiDeboli_ANNA_MARIA.lez")));

        const QString text = appState().results.exerciseText;
        type(text, 10);
        QVERIFY(w_->engine.sentenceDone());
        QCOMPARE(rows(database(), QStringLiteral("SELECT source, file FROM sentences"
                                                 " ORDER BY id DESC LIMIT 1")),
                 QStringList{QStringLiteral("4|") + drill});
        QVERIFY(asked_.isEmpty());
    }

    // The program's window comes from its module: without one beside the
    // program or where an install puts it, the menu item says so.
    void missingModuleIsSaid() {
        start(QString());
        setStatisticsWindowRunner({});
        QString problem;
        QVERIFY(!statisticsWindowRunner(&problem));
        QVERIFY(problem.contains(QStringLiteral("tastolino-statistics.so")));
        bool opened = false;
        onStatistics_ = [&opened](frmStatistiche*) { opened = true; };
        clickMenuItem(8);
        QVERIFY(!opened);
        QCOMPARE(asked_.size(), 1);
        QVERIFY(asked_[0].text.startsWith(
            QStringLiteral("La finestra delle statistiche non si può aprire")));
        QVERIFY(asked_[0].text.contains(problem));
    }

    // The export buttons write the user's CSV files where the user chose;
    // a file that cannot be written is said so.
    void exportFromTheWindow() {
        start(QString());
        recordHistory();
        QString target = folder_->filePath(QStringLiteral("sitzungen.csv"));
        seams::setSaveFileHook([&target](const QString& suggested) {
            return suggested.endsWith(QLatin1String(".csv")) ? target : QString();
        });
        onStatistics_ = [](frmStatistiche* window) {
            window->findChild<QPushButton*>(QStringLiteral("cmdExportSessions"))->click();
            window->reject();
        };
        clickMenuItem(8);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray("user,timestamp,source,level,characters,seconds,"
                                             "keystrokes,errors,speed,score\r\n"));
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].text, QStringLiteral("300 righe scritte nel file ") + target);

        target = folder_->filePath(QStringLiteral("no/such/folder/tasten.csv"));
        onStatistics_ = [](frmStatistiche* window) {
            window->findChild<QPushButton*>(QStringLiteral("cmdExportKeys"))->click();
            window->reject();
        };
        clickMenuItem(8);
        QCOMPARE(asked_.size(), 2);
        QCOMPARE(asked_[1].text, QStringLiteral("Impossibile scrivere il file ") + target);
    }

    // From the results window the statistics open without a drill (the
    // exercise goes on where it is), and the clock of a running sentence
    // stands still while the window is open from the menu strip.
    void fromTheResultsWindowAndDuringASentence() {
        start(QStringLiteral("/test.lez"));
        pressEnter();
        typeChar(QLatin1Char('C'));
        QVERIFY(w_->engine.clockRunning());
        const QDateTime started = w_->engine.sentenceStart();
        onStatistics_ = [](frmStatistiche*) { seams::advanceClock(60000); };
        clickMenuItem(8);
        QVERIFY(w_->engine.clockRunning());
        QCOMPARE(w_->engine.sentenceStart(), started.addMSecs(60000));

        bool withoutDrill = false;
        onStatistics_ = [&withoutDrill](frmStatistiche* window) {
            withoutDrill = !window->findChild<QPushButton*>(QStringLiteral("cmdDrill")) &&
                           qobject_cast<frmClassifica*>(window->parentWidget());
        };
        statsFromResults_ = true;
        type(QString::fromUtf8("af\u00E9 au"), 7);
        for (const char* sentence : {"5 \u20AC da", "abc\r\ndef", "ok ok", "ja ja"}) {
            pressEnter();
            type(QString::fromUtf8(sentence), 5);
        }
        pressEnter();
        QVERIFY(withoutDrill);
        QVERIFY(w_->IsUnloaded());
    }
    // A drill chosen at the end of a level starts at its first sentence:
    // leaving the exercise passes no results window.
    void drillAfterAFinishedLevel() {
        start(QString());
        recordHistory();
        for (int i = 0; i < 5; ++i) {
            pressEnter();
            type(appState().results.exerciseText, 5);
        }
        QCOMPARE(w_->engine.sentenceNumber(), 5);
        onStatistics_ = [](frmStatistiche* window) {
            window->findChild<QPushButton*>(QStringLiteral("cmdDrill"))->click();
        };
        clickMenuItem(8);
        QVERIFY(!w_->IsUnloaded());
        QCOMPARE(w_->engine.sentenceNumber(), 1);
        QVERIFY(
            appState().results.exerciseFile.endsWith(QStringLiteral("TastiDeboli_ANNA_MARIA.lez")));
        QVERIFY(!w_->engine.sentenceDone());
    }
};

QTEST_MAIN(TestStatsRecording)
#include "tst_stats_recording.moc"
