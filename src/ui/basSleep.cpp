#include "ui/basSleep.h"

#include "platform/Seams.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <algorithm>

namespace tastolino {
namespace {

// Whole seconds from the start of the epoch; the seconds difference of two
// times counts the second boundaries between them.
qint64 wholeSeconds(const QDateTime& t) {
    const qint64 ms = t.toMSecsSinceEpoch();
    return ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
}

// The shared wait sleeps in the event loop (instant in tests).
void sleepWithEvents(int ms) {
    seams::waitWithEvents(ms);
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
