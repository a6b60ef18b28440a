#include "ui/basSleep.h"

#include "platform/Seams.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace tastolino {
namespace {

// Whole seconds from the start of the epoch; the seconds difference of two
// times counts the second boundaries between them.
qint64 wholeSeconds(const QDateTime& t) {
    const qint64 ms = t.toMSecsSinceEpoch();
    return ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
}

// Sleeps in a nested event loop until the time is up: timers and input are
// served meanwhile and the processor stays idle. (Processing events for a
// time span instead would return at once when nothing is pending and turn
// the wait into a spin.)
void sleepWithEvents(int ms) {
    if (seams::instantWaits()) {
        seams::waitWithEvents(ms);
        return;
    }
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(ms));
        return;
    }
    QCoreApplication::processEvents();
    if (ms <= 0 || QCoreApplication::closingDown()) return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
}

void waitForever() {
    if (seams::instantWaits()) {
        QCoreApplication::processEvents();
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QCoreApplication::closingDown()) return;
    // QCoreApplication::exit() also ends nested loops; aboutToQuit covers
    // a quit requested before the loop starts spinning.
    QEventLoop loop;
    QObject::connect(app, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int WaitWithEvents(int milliseconds) {
    if (milliseconds == kWaitForever) {
        waitForever();
    } else if (milliseconds >= 0) {
        sleepWithEvents(milliseconds);
    }
    return kWaitTimeout;
}

void WaitSeconds(int seconds, bool pumpEvents) {
    if (seconds <= 0) return;
    if (seams::instantWaits() && !seams::fakeClockActive()) {
        // Nothing would move the clock forward: the wait is simply over.
        if (pumpEvents) QCoreApplication::processEvents();
        return;
    }
    const qint64 target = wholeSeconds(seams::now()) + seconds;
    for (;;) {
        const QDateTime current = seams::now();
        if (wholeSeconds(current) >= target) return;
        const qint64 remaining = target * 1000 - current.toMSecsSinceEpoch();
        const int step = static_cast<int>(std::clamp<qint64>(remaining, 1, 1000));
        if (pumpEvents) {
            sleepWithEvents(step);
        } else if (seams::instantWaits()) {
            seams::advanceClock(step);
        } else {
            QThread::msleep(static_cast<unsigned long>(step));
        }
        // A clock that does not move (a fake one without instant waits)
        // would never let the loop end: the real time has been waited.
        if (seams::now() == current) return;
    }
}

}  // namespace tastolino
