// The seams that need Qt Core only: the registry, message boxes, sounds and
// Caps Lock as far as the hooks go, the clock, waits and the random
// generator. Without the widget part of the platform (the exercise tests)
// a message answers as if closed, sounds are silent and Caps Lock reads off.
#include "platform/SeamReset.h"
#include "platform/Seams.h"
#include "platform/SeamsRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace tastolino::seams {

registry::State& registry::state() {
    static State s;
    return s;
}

namespace {

using registry::state;

QElapsedTimer& monotonic() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

}  // namespace

MsgAnswer message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                  MsgButtons buttons) {
    const MessageRequest request{text, title, icon, buttons};
    if (state().messageHook) return state().messageHook(request);
    if (state().desktop.message) return state().desktop.message(parent, request);
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void setMessageHook(MessageHook hook) {
    state().messageHook = std::move(hook);
}

void setButtonTexts(const ButtonTexts& texts) {
    state().buttonTexts = texts;
}
const ButtonTexts& buttonTexts() {
    return state().buttonTexts;
}

QDateTime now() {
    if (state().fakeNow) return *state().fakeNow;
    return QDateTime::currentDateTime();
}

qint64 tickMs() {
    if (state().fakeNow) return state().fakeTick;
    return monotonic().elapsed();
}

void useFakeClock(const QDateTime& start) {
    state().fakeNow = start;
    state().fakeTick = 0;
}

void advanceClock(qint64 ms) {
    if (!state().fakeNow) return;
    state().fakeNow = state().fakeNow->addMSecs(ms);
    state().fakeTick += ms;
}

void clearFakeClock() {
    state().fakeNow.reset();
}

bool fakeClockActive() {
    return state().fakeNow.has_value();
}

void waitWithEvents(int ms) {
    if (state().instantWaits) {
        advanceClock(ms);
        QCoreApplication::processEvents();
        return;
    }
    // Sleep in a nested event loop until a timer ends it: timers and input
    // are served meanwhile and the processor stays idle. (processEvents with
    // a time span returns at once when nothing is pending and would spin.)
    if (!QCoreApplication::instance()) {
        if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
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

void setInstantWaits(bool on) {
    state().instantWaits = on;
}

bool instantWaits() {
    return state().instantWaits;
}

void playSound(int id) {
    if (state().soundHook) {
        state().soundHook(id);
        return;
    }
    if (state().desktop.playSound) state().desktop.playSound(id);
}

void setSoundHook(SoundHook hook) {
    state().soundHook = std::move(hook);
}

int randomInt(int low, int high) {
    if (high <= low) return low;
    return static_cast<int>(
        state().random.bounded(static_cast<qint64>(low), static_cast<qint64>(high) + 1));
}

double randomUnit() {
    return state().random.generateDouble();
}

void seedRandom(quint32 seed) {
    state().random.seed(seed);
}

bool capsLockOn() {
    if (state().capsStateHook) return state().capsStateHook();
    return state().desktop.capsLockOn && state().desktop.capsLockOn();
}

void switchCapsLockOff() {
    if (state().capsOffHook) {
        state().capsOffHook();
        return;
    }
    if (state().desktop.switchCapsLockOff) state().desktop.switchCapsLockOff();
}

void setCapsLockHooks(std::function<bool()> stateHook, std::function<void()> off) {
    state().capsStateHook = std::move(stateHook);
    state().capsOffHook = std::move(off);
}

void resetAll() {
    registry::State& s = state();
    s.messageHook = {};
    s.modalHook = {};
    s.soundHook = {};
    s.printerHook = {};
    s.openUrlHook = {};
    s.saveFileHook = {};
    s.screenHook = {};
    s.capsStateHook = {};
    s.capsOffHook = {};
    s.instantWaits = false;
    s.fakeNow.reset();
    s.fakeTick = 0;
    s.buttonTexts = {};
    s.random = QRandomGenerator::securelySeeded();
    runRegisteredResets();
}

}  // namespace tastolino::seams
