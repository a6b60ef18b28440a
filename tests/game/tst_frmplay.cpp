#include "game/FrmPlay.h"

#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <set>

using namespace tastolino;
namespace game = tastolino::game;

class TestFrmPlay : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<FrmPlay> w;
    tastolino::GameInput input;  // what the window is given
    std::vector<int> sounds;
    std::vector<seams::MessageRequest> messages;

    QString recordsPath() const { return dir.filePath("TastolinoWinner.ini"); }
    QByteArray recordsBytes() const {
        QFile f(recordsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QLabel* label(const QString& name) { return w->findChild<QLabel*>(name); }
    QLabel* letter(int i) { return label(QStringLiteral("lblLetter%1").arg(i)); }
    QWidget* play() { return w->findChild<QWidget*>("PicPlay"); }
    std::vector<int> visibleSlots() {
        std::vector<int> v;
        for (int i = 0; i < game::kSlotCount; ++i)
            if (!letter(i)->isHidden()) v.push_back(i);
        return v;
    }
    int redSlot() {
        int red = -1;
        for (int i : visibleSlots())
            if (letter(i)->property("colour").toUInt() == 0x0000FF) {
                if (red >= 0) return -2;  // more than one
                red = i;
            }
        return red;
    }
    void type(const QString& c) {
        QTest::sendKeyEvent(QTest::Click, play(), Qt::Key_unknown, c, Qt::NoModifier);
    }
    void open() {
        w = std::make_unique<FrmPlay>(input);
        w->show();
    }
    void start(int mode) {
        w->optDifficulty_Click(mode);
        w->cmdStart_Click();
    }
    // Every falling character caught at the top edge: 100 points each.
    void catchWholeTurn() {
        for (int i : visibleSlots()) letter(i)->move(letter(i)->x(), 0);
        for (int i : visibleSlots()) type(letter(i)->text());
        QVERIFY(w->scoreTimerOn());
        QVERIFY(!w->acceptingKeys());
        for (int n = 0; n < 30 && w->scoreTimerOn(); ++n) w->timerScore_Timer();
    }

  private slots:
    void init() {
        seams::resetAll();
        seams::setInstantWaits(true);
        seams::useFakeClock(QDateTime(QDate(2024, 5, 6), QTime(10, 0)));
        seams::seedRandom(7);
        seams::setScreenSizeHook([] { return QSize(800, 600); });
        sounds.clear();
        messages.clear();
        seams::setSoundHook([this](int id) { sounds.push_back(id); });
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            messages.push_back(r);
            return seams::MsgAnswer::Ok;
        });
        FrmPlay::setManualTimers(true);
        resetInterfaceLanguage();
        setInterfaceFolder(dir.path() + "/");
        input = tastolino::GameInput{};
        input.appFolder = dir.path() + "/";
        input.userName = "ANNA";
        input.translucent = false;
        QFile::remove(recordsPath());
    }
    void cleanup() {
        w.reset();
        seams::resetAll();
    }

    void catchScoreFavoursHighCatches_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("expected");
        QTest::newRow("top edge") << 0 << 100;
        QTest::newRow("upper 13 percent") << 60 << 100;
        QTest::newRow("just below") << 69 << 97;
        QTest::newRow("near bottom") << 455 << 1;
        QTest::newRow("bottom edge") << 460 << 0;
        QTest::newRow("above the area") << -10 << 100;
    }
    void catchScoreFavoursHighCatches() {
        QFETCH(int, y);
        QFETCH(int, expected);
        QCOMPARE(game::CatchScore(y, 460), expected);
    }

    void scoresAreGroupedAndZeroIsBlank_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "";
        QTest::newRow("small") << 75 << "75";
        QTest::newRow("negative") << -25 << "-25";
        QTest::newRow("thousands") << 3600 << "3.600";
        QTest::newRow("negative thousands") << -1234567 << "-1.234.567";
    }
    void scoresAreGroupedAndZeroIsBlank() {
        QFETCH(int, score);
        QFETCH(QString, text);
        QCOMPARE(game::formatScore(score), text);
    }

    void customSetIsFilteredAndTooShortRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("clean") << "qwer"
                               << "qwer";
        QTest::newRow("duplicates and blanks") << "a b a c dd e"
                                               << "abcde";
        QTest::newRow("case matters") << "aAbB"
                                      << "aAbB";
        QTest::newRow("three left") << "aaa bbb c"
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void customSetIsFilteredAndTooShortRefused() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        open();
        auto* box = w->findChild<QLineEdit*>("txtCustom");
        w->optDifficulty_Click(game::kCustomMode);
        QVERIFY(box->isEnabled());
        box->setText(typed);  // as if pasted: the key filter is bypassed
        w->cmdStart_Click();
        // Refused, the box keeps what was typed; accepted, it shows the set.
        QCOMPARE(box->text(), kept.isEmpty() ? typed : kept);
        if (kept.isEmpty()) {
            QCOMPARE(messages.size(), size_t(1));
            QCOMPARE(messages[0].text, QString("Inserire almeno quattro caratteri alfanumerici"));
            QCOMPARE(messages[0].title, QString("Tastolino"));
            QVERIFY(!w->findChild<QWidget*>("picLevel")->isHidden());
            QVERIFY(!w->lettersTimerOn());
        } else {
            QVERIFY(messages.empty());
            QCOMPARE(w->letterSet(), kept);
            QCOMPARE(int(visibleSlots().size()), int(kept.size()));
        }
    }

    // Too short: the warning, and the letters typed stay in the box to be
    // completed; the focus goes back there.
    void tooShortCustomSetIsKept() {
        open();
        w->optDifficulty_Click(game::kCustomMode);
        auto* box = w->findChild<QLineEdit*>("txtCustom");
        for (const char* c : {"q", "w", "e"})
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(box->text(), QString("qwe"));
        w->findChild<QPushButton*>("cmdStart")->click();
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, QString("Inserire almeno quattro caratteri alfanumerici"));
        QCOMPARE(box->text(), QString("qwe"));
        QVERIFY(!w->findChild<QWidget*>("picLevel")->isHidden());
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString("r"), Qt::NoModifier);
        w->findChild<QPushButton*>("cmdStart")->click();
        QCOMPARE(w->letterSet(), QString("qwer"));
    }

    // The speed bar has slow on the left and fast on the right: its right
    // arrow makes the letters faster, its left arrow slower, and at the
    // start (slowest) the left arrow does nothing.
    void speedArrowsGoTheWayTheyPoint() {
        open();
        w->optDifficulty_Click(3);
        auto* speed = w->findChild<QScrollBar*>("hsSpeed");
        QVERIFY(speed->isEnabled());
        const QPoint left(4, speed->height() / 2), right(speed->width() - 5, speed->height() / 2);
        QTest::mouseClick(speed, Qt::LeftButton, {}, left);
        QCOMPARE(speed->value(), 4);
        QTest::mouseClick(speed, Qt::LeftButton, {}, right);
        QCOMPARE(speed->value(), 3);
        QTest::mouseClick(speed, Qt::LeftButton, {}, right);
        QTest::mouseClick(speed, Qt::LeftButton, {}, right);
        QTest::mouseClick(speed, Qt::LeftButton, {}, right);
        QCOMPARE(speed->value(), 1);
        QTest::mouseClick(speed, Qt::LeftButton, {}, left);
        QCOMPARE(speed->value(), 2);
        w->cmdStart_Click();
        QCOMPARE(w->lettersInterval(), 50);
    }

    // Esc does what the Close button may do at that moment: nothing while
    // a turn is introduced (Close is disabled then), close afterwards. The
    // window runs modally, as the main window runs it.
    void escapeOnlyWhenCloseIsEnabled() {
        FrmPlay play(input);
        bool openAfterIntroEsc = false, acceptingAfterIntro = false;
        QTimer::singleShot(0, &play, [&] {
            QWidget* area = play.findChild<QWidget*>("PicPlay");
            // The Esc arrives while the introduction of turn 1 runs.
            QCoreApplication::postEvent(
                area, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            QCoreApplication::postEvent(
                area, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier));
            play.findChild<QPushButton*>("cmdStart")->click();
            openAfterIntroEsc = play.isVisible();
            acceptingAfterIntro = play.acceptingKeys();
            QTest::keyPress(area, Qt::Key_Escape);
            QTest::keyRelease(area, Qt::Key_Escape);
        });
        QTimer::singleShot(5000, &play, [&] { play.done(42); });  // safety net
        const int result = play.exec();
        QVERIFY(openAfterIntroEsc);
        QVERIFY(acceptingAfterIntro);
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!play.lettersTimerOn());
    }

    // Enter on the selection screen presses Start, in a game and in a
    // training (also from the custom letter box); the game itself runs as
    // from the button.
    void enterPressesStart_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("interval");
        QTest::newRow("Facile") << 0 << 100;
        QTest::newRow("training") << 4 << 100;
        QTest::newRow("custom") << game::kCustomMode << 100;
    }
    void enterPressesStart() {
        QFETCH(int, mode);
        QFETCH(int, interval);
        FrmPlay play(input);
        bool started = false;
        QTimer::singleShot(0, &play, [&] {
            play.optDifficulty_Click(mode);
            QWidget* target = play.findChild<QWidget*>("PicPlay");
            if (mode == game::kCustomMode) {
                auto* box = play.findChild<QLineEdit*>("txtCustom");
                box->setText("asdf");
                target = box;
            }
            QTest::keyPress(target, Qt::Key_Return);
            QTest::keyRelease(target, Qt::Key_Return);
            started = play.findChild<QWidget*>("picLevel")->isHidden() && play.acceptingKeys();
            play.findChild<QPushButton*>("cmdExit")->click();
        });
        QTimer::singleShot(5000, &play, [&] { play.done(42); });
        QCOMPARE(play.exec(), int(QDialog::Rejected));
        QVERIFY(started);
        QCOMPARE(play.lettersInterval(), interval);
        QCOMPARE(play.turnNumber(), 1);
        if (mode == game::kCustomMode) QCOMPARE(play.letterSet(), QString("asdf"));
        // Enter while the game runs starts nothing again.
        QCOMPARE(std::count(sounds.begin(), sounds.end(), 112), 1);
    }

    void customBoxDiscardsBlanksAndRepeats() {
        open();
        w->optDifficulty_Click(game::kCustomMode);
        auto* box = w->findChild<QLineEdit*>("txtCustom");
        for (const char* c : {"a", " ", "b", "a", "A"})
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(box->text(), QString("abA"));
        QCOMPARE(box->maxLength(), 17);
    }

    void aTurnDropsTheRightCharacters_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("allowed");
        const QString lower = "abcdefghijklmnopqrstuvwxyz";
        QTest::newRow("Facile") << 0 << 6 << lower;
        QTest::newRow("Medio") << 1 << 12 << lower + lower.toUpper();
        QTest::newRow("Difficile") << 2 << 18 << lower + lower.toUpper() + "0123456789";
    }
    void aTurnDropsTheRightCharacters() {
        QFETCH(int, mode);
        QFETCH(int, count);
        QFETCH(QString, allowed);
        for (quint32 seed : {1u, 2u, 3u}) {
            seams::seedRandom(seed);
            open();
            start(mode);
            QVERIFY(w->acceptingKeys());
            QVERIFY(w->lettersTimerOn());
            QCOMPARE(w->lettersInterval(), 100);
            QCOMPARE(label("lblMessage")->text(), QString("Gioco 1/6"));
            QVERIFY(label("lblMessage")->isHidden());
            const auto onScreen = visibleSlots();
            QCOMPARE(int(onScreen.size()), count);
            std::set<QString> seen;
            for (int i : onScreen) {
                const QString c = letter(i)->text();
                QVERIFY2(allowed.contains(c), qPrintable(c));
                seen.insert(c);
                QVERIFY(w->letterStep(i) >= 2 && w->letterStep(i) <= 3);
                QVERIFY(letter(i)->y() >= game::startDepthOf(mode) && letter(i)->y() <= 0);
                const uint colour = letter(i)->property("colour").toUInt();
                QCOMPARE(colour, c[0].isUpper()   ? 0x00FFFFu
                                 : c[0].isDigit() ? 0xFFFF80u
                                                  : 0xFFFFFFu);
            }
            QCOMPARE(int(seen.size()), count);
            QCOMPARE(sounds.front(), 111);  // the mode chosen at load
            QVERIFY(std::find(sounds.begin(), sounds.end(), 112) != sounds.end());
            QCOMPARE(sounds.back(), 104);
        }
    }

    void wrongKeysCostAtOnceAndLostCharactersWhenScored() {
        open();
        start(0);
        QString onScreen;
        for (int i : visibleSlots()) onScreen += letter(i)->text();
        QChar absent = 'a';
        while (onScreen.contains(absent)) absent = QChar(absent.unicode() + 1);
        sounds.clear();
        type(QString(absent));
        QCOMPARE(w->gameScore(), -25);
        QCOMPARE(label("lblTotal")->text(), QString("-25"));
        QCOMPARE(sounds, std::vector<int>{101});
        QVERIFY(w->acceptingKeys());
        QVERIFY(w->lettersTimerOn());
        type("\"");  // never matches, never costs
        QCOMPARE(w->gameScore(), -25);

        // Everything falls out at the next tick.
        for (int i : visibleSlots()) letter(i)->move(letter(i)->x(), w->playHeight() - 5);
        w->timerLetters_Timer();
        QVERIFY(visibleSlots().empty());
        QVERIFY(w->scoreTimerOn());
        QVERIFY(!w->acceptingKeys());
        sounds.clear();
        for (int n = 0; n < 6; ++n) w->timerScore_Timer();
        QCOMPARE(sounds, std::vector<int>(6, 111));
        QCOMPARE(label("lblScore0")->isHidden() && label("lblScore5")->isHidden(), false);
        w->timerScore_Timer();  // the sum, then the next turn begins
        QCOMPARE(w->gameScore(), -25 - 60);
        QCOMPARE(label("lblTotal")->text(), QString("-85"));
        QCOMPARE(w->turnNumber(), 2);
        QVERIFY(w->acceptingKeys());
    }

    void aFullGameKeepsTheBestScorePerUser_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("first record")
            << "ANNA" << QByteArray() << QByteArray("[ANNA]\r\nDifficulty2=7200\r\n");
        QTest::newRow("beaten record") << "ANNA" << QByteArray("[ANNA]\r\nDifficulty2=7199\r\n")
                                       << QByteArray("[ANNA]\r\nDifficulty2=7200\r\n");
        QTest::newRow("equal is no record")
            << "ANNA" << QByteArray("[ANNA]\r\nDifficulty2=7200\r\n")
            << QByteArray("[ANNA]\r\nDifficulty2=7200\r\n");
        QTest::newRow("garbage counts as zero")
            << "ANNA" << QByteArray("[ANNA]\r\nDifficulty2=lots\r\n")
            << QByteArray("[ANNA]\r\nDifficulty2=7200\r\n");
        QTest::newRow("other user untouched")
            << "ANNA" << QByteArray("[BEPPE]\r\nDifficulty2=9000\r\n")
            << QByteArray("[BEPPE]\r\nDifficulty2=9000\r\n[ANNA]\r\nDifficulty2=7200\r\n");
        QTest::newRow("no user no record") << "" << QByteArray() << QByteArray("<missing>");
        // A name that cannot be a section name as it is: its key can.
        QTest::newRow("name with a bracket")
            << "A]B" << QByteArray() << QByteArray("[A%5DB]\r\nDifficulty2=7200\r\n");
    }
    void aFullGameKeepsTheBestScorePerUser() {
        QFETCH(QString, user);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        if (!before.isEmpty()) {
            QFile f(recordsPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        input.userName = user;
        open();
        QCOMPARE(label("lblWinner")->isHidden(), user.isEmpty());
        start(1);
        for (int turn = 1; turn <= 6; ++turn) {
            QCOMPARE(w->turnNumber(), turn);
            catchWholeTurn();
        }
        QCOMPARE(w->gameScore(), 6 * 12 * 100);  // twelve per turn in this mode
        QCOMPARE(label("lblMessage")->text(), QString("Il gioco è finito"));
        QVERIFY(!label("lblMessage")->isHidden());
        QVERIFY(!w->lettersTimerOn() && !w->scoreTimerOn() && !w->acceptingKeys());
        QCOMPARE(recordsBytes(), after);
        const bool newRecord = before.isEmpty() ? !user.isEmpty() : after != before;
        QCOMPARE(std::count(sounds.begin(), sounds.end(), 103), newRecord ? 1 : 0);
        if (newRecord) {
            QCOMPARE(w->bestScores()[1], 7200);
            QCOMPARE(label("lblWinner")->text(), QString("7.200"));
        }
        type("a");  // keys do nothing once the game is over
        QCOMPARE(w->gameScore(), 7200);
        // The next game finds the record again.
        if (!user.isEmpty()) {
            w.reset();
            open();
            QCOMPARE(w->bestScores()[1], 7200);
        }
    }

    // A record that cannot be written is not celebrated as one: the stored
    // record stays on show and the user is told.
    void unsavedRecordIsNotCelebrated() {
        QFile f(recordsPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[ANNA]\r\nDifficulty2=100\r\n");
        f.close();
        QFile::setPermissions(recordsPath(), QFileDevice::ReadOwner);
        open();
        start(1);
        for (int turn = 1; turn <= 6; ++turn) catchWholeTurn();
        QFile::setPermissions(recordsPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(w->gameScore(), 7200);
        QCOMPARE(recordsBytes(), QByteArray("[ANNA]\r\nDifficulty2=100\r\n"));
        QCOMPARE(std::count(sounds.begin(), sounds.end(), 103), 0);
        QCOMPARE(w->bestScores()[1], 100);
        QCOMPARE(label("lblWinner")->text(), QString("100"));
        QCOMPARE(messages.size(), size_t(1));
        QVERIFY(messages[0].text.startsWith(QString("Impossibile salvare il record")));
        QVERIFY(messages[0].text.contains(recordsPath()));
    }

    // A program folder that cannot be written (an installed program): the
    // record goes into the user's data folder, made by the first record, and
    // is read back from there.
    void recordsOfAReadOnlyProgramFolderGoToTheUser() {
        QTemporaryDir user;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(user.path()));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        open();
        start(1);
        for (int turn = 1; turn <= 6; ++turn) catchWholeTurn();
        QFile records(user.filePath("tastolino/TastolinoWinner.ini"));
        QVERIFY(records.open(QIODevice::ReadOnly));
        QCOMPARE(records.readAll(), QByteArray("[ANNA]\r\nDifficulty2=7200\r\n"));
        QCOMPARE(recordsBytes(), QByteArray("<missing>"));
        open();
        QCOMPARE(w->bestScores()[1], 7200);
        QFile::setPermissions(
            dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_DATA_HOME", saved);
    }

    void trainingCatchesOnlyTheLowestLetter_data() {
        QTest::addColumn<int>("mode");
        for (int m = 3; m <= 6; ++m) QTest::newRow(qPrintable(game::trainingSet(m))) << m;
    }
    void trainingCatchesOnlyTheLowestLetter() {
        QFETCH(int, mode);
        open();
        w->optDifficulty_Click(mode);
        w->findChild<QScrollBar*>("hsSpeed")->setValue(2);
        w->cmdStart_Click();
        const QString set = game::trainingSet(mode);
        QCOMPARE(w->lettersInterval(), 50);
        QCOMPARE(label("lblWinner")->text(), QString("ND"));
        QString shown;
        for (int i : visibleSlots()) shown += letter(i)->text();
        QCOMPARE(int(shown.size()), int(set.size()));
        for (QChar c : set) QVERIFY(shown.contains(c));

        int red = redSlot();
        QVERIFY(red >= 0);
        for (int i : visibleSlots()) QVERIFY(letter(i)->y() <= letter(red)->y());
        // A visible letter that is not the target is a miss.
        const int other =
            visibleSlots().front() == red ? visibleSlots().back() : visibleSlots().front();
        type(letter(other)->text());
        QCOMPARE(w->trainingMisses(), 1);
        QCOMPARE(w->trainingHits(), 0);
        QCOMPARE(label("lblScoreTraining")->text(), QString("0 %"));

        red = redSlot();
        letter(red)->move(letter(red)->x(), 5);  // caught at the top: 100 points
        type(letter(red)->text());
        QCOMPARE(w->trainingHits(), 1);
        QCOMPARE(w->gameScore(), 100);
        QCOMPARE(label("lblScoreTraining")->text(), QString("50 %"));
        QCOMPARE(label("lblTotDigit")->text(), QString("2"));
        QCOMPARE(int(visibleSlots().size()), int(set.size()));  // a new letter replaced it
        QVERIFY(redSlot() >= 0);

        // A letter that falls out is a miss and comes back on top unchanged.
        red = redSlot();
        const QString c = letter(red)->text();
        letter(red)->move(letter(red)->x(), w->playHeight() - 5);
        w->timerLetters_Timer();
        QCOMPARE(w->trainingMisses(), 2);
        QCOMPARE(letter(red)->y(), -5);
        QCOMPARE(letter(red)->text(), c);
        QVERIFY(redSlot() != red);
    }

    void composedCharactersAreCaughtToo() {
        open();
        start(3);
        const QString oe = QString::fromUtf8("ö");  // always in this set
        for (int i : visibleSlots())
            if (letter(i)->text() == oe) letter(i)->move(letter(i)->x(), 200);
        int red = redSlot();
        if (letter(red)->text() != oe) type(letter(red)->text());  // the target moves on
        const int hits = w->trainingHits();
        red = redSlot();
        QCOMPARE(letter(red)->text(), oe);
        QInputMethodEvent compose;
        compose.setCommitString(oe);
        QCoreApplication::sendEvent(play(), &compose);
        QCOMPARE(w->trainingHits(), hits + 1);
        QCOMPARE(w->trainingMisses(), 0);
    }

    void trainingEndsWhenTheTimeIsUp() {
        open();
        w->optDifficulty_Click(4);
        w->cmdStart_Click();
        w->timerLetters_Timer();
        QVERIFY(w->acceptingKeys());
        seams::advanceClock(150 * 1000 + 1000);
        w->timerLetters_Timer();
        QVERIFY(!w->acceptingKeys());
        QVERIFY(!w->lettersTimerOn());
        QCOMPARE(label("lblMessage")->text(), QString(" Allenamento terminato"));
        QVERIFY(!label("lblMessage")->isHidden());
        const QImage clock = label("picProgressRound")->pixmap().toImage();
        bool inked = false;
        for (int y = 0; y < clock.height() && !inked; ++y)
            for (int x = 0; x < clock.width(); ++x)
                if (qGray(clock.pixel(x, y)) < 100) inked = true;
        QVERIFY(inked);
    }

    void restartDuringTheErrorPauseStaysStopped() {
        open();
        start(0);
        QMetaObject::invokeMethod(w.get(), &FrmPlay::cmdNuovo_Click, Qt::QueuedConnection);
        type("\"");
        type("9");  // wrong: the pause lets the restart run
        QVERIFY(!w->findChild<QWidget*>("picLevel")->isHidden());
        QVERIFY(!w->acceptingKeys());
        QVERIFY(!w->lettersTimerOn());
        QVERIFY(visibleSlots().empty());
        type("a");
        QCOMPARE(w->gameScore(), -25);
    }

    void capsLockIsSwitchedOffWithAWarning() {
        bool on = true;
        int offs = 0;
        seams::setCapsLockHooks([&] { return on; },
                                [&] {
                                    ++offs;
                                    on = false;
                                });
        open();
        QTest::sendKeyEvent(QTest::Release, play(), Qt::Key_CapsLock, QString(), Qt::NoModifier);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, QString("Il tasto Blocca Maiuscole non deve essere premuto."));
        QCOMPARE(messages[0].icon, seams::MsgIcon::Warning);
        QCOMPARE(offs, 1);
        QTest::sendKeyEvent(QTest::Release, play(), Qt::Key_CapsLock, QString(), Qt::NoModifier);
        QCOMPARE(messages.size(), size_t(1));
    }

    void aLanguageFileReplacesTheTexts() {
        QDir(dir.path()).mkpath("Lang");
        QFile f(dir.filePath("Lang/Deutsch.lng"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "[Strings]\r\n0301=Spiel\r\n0302=Tempo\r\n0309=Das Spiel ist aus\r\n"
            "0310= Leicht \r\n0313=eigene\r\n0203=Schlie\xdf"
            "en\r\n");
        f.close();
        setInterfaceLanguageFileActive(true);
        setInterfaceLanguageName("Deutsch");
        input.languageFileActive = true;
        open();
        QCOMPARE(w->playText(1), QString("Spiel"));
        QCOMPARE(w->playText(4), QString("Das Spiel ist aus"));
        // A text the file lacks stays Italian.
        QCOMPARE(w->playText(0), QString("Inserire almeno quattro caratteri alfanumerici"));
        QCOMPARE(label("lblGioco")->text(), QString("Spiel"));
        QCOMPARE(label("lblVelocita")->text(), QString("Tempo <min - max>"));
        QCOMPARE(w->findChild<QRadioButton*>("optDifficulty0")->text(), QString("Leicht"));
        QCOMPARE(w->findChild<QRadioButton*>("optDifficulty7")->text(), QString("eigene"));
        QVERIFY(
            w->findChild<QPushButton*>("cmdExit")->text().endsWith(QString::fromUtf8("Schließen")));
        // The fixed training sets keep their letters.
        QCOMPARE(w->findChild<QRadioButton*>("optDifficulty3")->text(),
                 QString::fromUtf8("asdfjklöru"));
    }

    void closingStopsEverything() {
        open();
        start(2);
        w->findChild<QWidget*>("cmdExit")->setEnabled(true);
        w->cmdExit_Click();
        QVERIFY(!w->isVisible());
        QVERIFY(!w->lettersTimerOn());
        QVERIFY(!w->acceptingKeys());
        QCOMPARE(w->result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestFrmPlay)
#include "tst_frmplay.moc"
