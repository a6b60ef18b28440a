#include "platform/Seams.h"

#include "platform/SeamReset.h"
#include "platform/WindowPlacement.h"
#include "platform/XkbKeyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHash>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QScreen>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>

#include <optional>

namespace seams {
namespace {

struct State {
    MessageHook messageHook;
    ModalHook modalHook;
    SoundHook soundHook;
    std::function<bool()> printerHook;
    std::function<bool(const QUrl&)> openUrlHook;
    std::function<QString(const QString&)> saveFileHook;
    std::function<QSize()> screenHook;
    std::function<bool()> capsStateHook;
    std::function<void()> capsOffHook;
    bool instantWaits = false;
    std::optional<QDateTime> fakeNow;
    qint64 fakeTick = 0;
    ButtonTexts buttonTexts;
    QRandomGenerator random{QRandomGenerator::securelySeeded()};
};

State& state() {
    static State s;
    return s;
}

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
    if (state().messageHook) return state().messageHook({text, title, icon, buttons});

    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
        case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    const ButtonTexts& words = buttonTexts();
    const auto caption = [](const QString& word) {
        return word.contains(QLatin1Char('&')) || word.isEmpty() ? word : QLatin1Char('&') + word;
    };
    if (QAbstractButton* b = box.button(QMessageBox::Yes)) b->setText(caption(words.yes));
    if (QAbstractButton* b = box.button(QMessageBox::No)) b->setText(caption(words.no));
    if (QAbstractButton* b = box.button(QMessageBox::Cancel)) b->setText(caption(words.cancel));
    if (QAbstractButton* b = box.button(QMessageBox::Ok)) b->setText(words.ok);
    tastolino::SetTopMost(&box, true);
    switch (box.exec()) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        default: return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

void setMessageHook(MessageHook hook) { state().messageHook = std::move(hook); }

void setButtonTexts(const ButtonTexts& texts) { state().buttonTexts = texts; }
const ButtonTexts& buttonTexts() { return state().buttonTexts; }

int execModal(QDialog* dialog) {
    if (state().modalHook) return state().modalHook(dialog);
    return dialog->exec();
}

void setModalHook(ModalHook hook) { state().modalHook = std::move(hook); }

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

void clearFakeClock() { state().fakeNow.reset(); }

bool fakeClockActive() { return state().fakeNow.has_value(); }

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

void setInstantWaits(bool on) { state().instantWaits = on; }

bool instantWaits() { return state().instantWaits; }

void playSound(int id) {
    if (state().soundHook) {
        state().soundHook(id);
        return;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    // One effect per sound, loaded once; QSoundEffect plays asynchronously
    // and stays silent without an audio device.
    static QHash<int, QSoundEffect*> effects;
    QSoundEffect*& effect = effects[id];
    if (!effect) {
        effect = new QSoundEffect(QCoreApplication::instance());
        effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(id)));
        effect->setVolume(0.6f);
    }
    effect->stop();
    effect->play();
}

void setSoundHook(SoundHook hook) { state().soundHook = std::move(hook); }

int randomInt(int low, int high) {
    if (high <= low) return low;
    return static_cast<int>(state().random.bounded(static_cast<qint64>(low),
                                                   static_cast<qint64>(high) + 1));
}

double randomUnit() { return state().random.generateDouble(); }

void seedRandom(quint32 seed) { state().random.seed(seed); }

bool printerAvailable() {
    if (state().printerHook) return state().printerHook();
    return !QPrinterInfo::defaultPrinter().isNull();
}

void setPrinterAvailableHook(std::function<bool()> hook) { state().printerHook = std::move(hook); }

bool openUrl(const QUrl& url) {
    if (state().openUrlHook) return state().openUrlHook(url);
    return QDesktopServices::openUrl(url);
}

void setOpenUrlHook(std::function<bool(const QUrl&)> hook) { state().openUrlHook = std::move(hook); }

QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                     const QString& filter) {
    if (state().saveFileHook) return state().saveFileHook(suggested);
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

void setSaveFileHook(std::function<QString(const QString&)> hook) {
    state().saveFileHook = std::move(hook);
}

QSize screenSize() {
    if (state().screenHook) return state().screenHook();
    if (QScreen* screen = QGuiApplication::primaryScreen()) return screen->size();
    return {};
}

void setScreenSizeHook(std::function<QSize()> hook) { state().screenHook = std::move(hook); }

bool capsLockOn() {
    if (state().capsStateHook) return state().capsStateHook();
    return xkb::capsLockOn();
}

void switchCapsLockOff() {
    if (state().capsOffHook) {
        state().capsOffHook();
        return;
    }
    xkb::switchCapsLockOff();
}

void setCapsLockHooks(std::function<bool()> stateHook, std::function<void()> off) {
    state().capsStateHook = std::move(stateHook);
    state().capsOffHook = std::move(off);
}

void resetAll() {
    State& s = state();
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

}  // namespace seams
