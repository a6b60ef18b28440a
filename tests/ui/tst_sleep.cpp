#include "platform/Seams.h"
#include "platform/Wait.h"
#include "ui/basSleep.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <ctime>

using namespace tastolino;

class TestSleep : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { seams::resetAll(); }

    void instantWaitAdvancesTheFakeClockAndServesEvents() {
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
        seams::setInstantWaits(true);
        bool fired = false;
        QTimer::singleShot(0, this, [&fired] { fired = true; });
        QCOMPARE(WaitWithEvents(200), 258);
        QCOMPARE(seams::tickMs(), 200);
        QVERIFY(fired);
        QCOMPARE(WaitWithEvents(0), 258);
        QCOMPARE(seams::tickMs(), 200);
        // Times below zero have already run out; "no limit" must not move
        // the clock backwards or block a test.
        QCOMPARE(WaitWithEvents(-5), 258);
        QCOMPARE(WaitWithEvents(kWaitForever), 258);
        QCOMPARE(seams::tickMs(), 200);
    }

    // The wait with a survivor check: it waits as the plain wait does and
    // tells apart an object deleted meanwhile from one that lives on.
    void waitAliveReportsWhetherTheOwnerSurvived() {
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
        seams::setInstantWaits(true);
        QObject kept;
        QVERIFY(waitAlive(&kept, 120));
        QCOMPARE(seams::tickMs(), 120);
        auto* doomed = new QObject;
        // A window closed by an event dispatched during the wait.
        QTimer::singleShot(0, doomed, [doomed] { delete doomed; });
        QVERIFY(!waitAlive(doomed, 30));
        QCOMPARE(seams::tickMs(), 150);
        QVERIFY(!waitAlive(nullptr, 0));
        // A real wait is as long as the plain one.
        seams::resetAll();
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(waitAlive(&kept, 25));
        QVERIFY(elapsed.elapsed() >= 25);
    }

    // A real wait lasts its time and sleeps instead of spinning.
    void realWaitSleeps() {
        QElapsedTimer elapsed;
        elapsed.start();
        const std::clock_t cpuStart = std::clock();
        QCOMPARE(WaitWithEvents(25), 258);
        const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        QVERIFY(elapsed.elapsed() >= 25);
        QVERIFY2(cpuMs < 15, qPrintable(QString::number(cpuMs)));
    }

    void waitWithoutLimitEndsWhenTheApplicationQuits() {
        QTimer::singleShot(5, qApp, [] { QCoreApplication::exit(0); });
        QElapsedTimer elapsed;
        elapsed.start();
        QCOMPARE(WaitWithEvents(kWaitForever), 258);
        QVERIFY(elapsed.elapsed() < 2000);
        // exit() leaves every later event loop ending at once, and with it
        // every real wait of the tests that follow; an application loop
        // that runs and quits clears that again.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    // Whole seconds are counted as boundaries of the clock's seconds.
    void waitSecondsCountsSecondBoundaries() {
        seams::setInstantWaits(true);
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0, 700)));
        WaitSeconds(1, true);
        QCOMPARE(seams::now().time(), QTime(12, 0, 1));

        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59)));
        WaitSeconds(2, true);
        QCOMPARE(seams::now(), QDateTime(QDate(2024, 3, 2), QTime(0, 0, 1)));

        const QDateTime before = seams::now();
        WaitSeconds(0, true);
        WaitSeconds(-3, true);
        QCOMPARE(seams::now(), before);
    }

    void waitSecondsServesEventsOnlyWhenAsked() {
        seams::setInstantWaits(true);
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
        int fired = 0;
        QTimer::singleShot(0, this, [&fired] { ++fired; });
        WaitSeconds(1, false);
        QCOMPARE(seams::now().time(), QTime(12, 0, 1));
        QCOMPARE(fired, 0);
        WaitSeconds(1, true);
        QCOMPARE(fired, 1);
    }

    // A fake clock that nothing moves must not hang the wait.
    void waitSecondsWithAStoppedClockEnds() {
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0, 998)));
        QElapsedTimer elapsed;
        elapsed.start();
        WaitSeconds(1, true);
        WaitSeconds(1, false);
        QVERIFY(elapsed.elapsed() < 500);
    }
};

QTEST_MAIN(TestSleep)
#include "tst_sleep.moc"
