// The program's contact points with the outside world, each in one place
// with a replaceable hook, so that tests can drive the windows quickly and
// deterministically: message boxes and modal windows, the clock, waits and
// animation delays, sounds, the random generator, and the printer, the
// opener of files and links, and the screen size.
//
// With no hook installed each function does the real thing. The seams live
// in two libraries: the clock, waits, random numbers and the registry need
// Qt Core only (tastolino_platform_core); modal windows, the printer, the
// opener, the save dialog, the screen and the desktop's own message box,
// sounds and Caps Lock come with the widget part (tastolino_platform).
// Without that part linked in, a message answers as if closed, sounds are
// silent and Caps Lock reads off.
#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace tastolino::seams {

enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

// --- Message boxes -------------------------------------------------------
// Shows a message box owned by parent (may be null) and returns the answer.
MsgAnswer message(QWidget* parent, const QString& text, const QString& title,
                  MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok);
using MessageHook = std::function<MsgAnswer(const MessageRequest&)>;
void setMessageHook(MessageHook hook);

// The captions of the buttons of message boxes, in the interface language.
// Italian until the program sets its own; each answers to its first letter
// with Alt.
struct ButtonTexts {
    QString yes = QStringLiteral("Sì");
    QString no = QStringLiteral("No");
    QString cancel = QStringLiteral("Annulla");
    QString ok = QStringLiteral("OK");
};
void setButtonTexts(const ButtonTexts& texts);
const ButtonTexts& buttonTexts();

// --- Modal windows ---------------------------------------------------------
// Runs a dialog modally and returns its result code. A test hook receives the
// dialog instead; it may show it, drive it with QTest and must close it
// (accept/reject/done) or simply return a result.
int execModal(QDialog* dialog);
using ModalHook = std::function<int(QDialog*)>;
void setModalHook(ModalHook hook);

// --- Clock ------------------------------------------------------------------
QDateTime now();
// Milliseconds since an arbitrary start; monotonic. Follows the fake clock.
qint64 tickMs();
// Tests: replace the clock by a fake one starting at `start`; advanceClock
// moves it on. clearFakeClock returns to the real clock.
void useFakeClock(const QDateTime& start);
void advanceClock(qint64 ms);
void clearFakeClock();
bool fakeClockActive();

// --- Waits ------------------------------------------------------------------
// Waits `ms` milliseconds while dispatching window events, without spinning
// the processor. With instant waits (tests) it dispatches events once and
// advances the fake clock, if one is in use, by `ms`.
void waitWithEvents(int ms);
void setInstantWaits(bool on);
bool instantWaits();

// --- Sounds -----------------------------------------------------------------
// Plays sound resource `id` (101..112) asynchronously. A hook records instead.
void playSound(int id);
using SoundHook = std::function<void(int)>;
void setSoundHook(SoundHook hook);

// --- Random -----------------------------------------------------------------
// Uniform integer in [low, high] (both included).
int randomInt(int low, int high);
// Uniform in [0, 1), like the classic Rnd.
double randomUnit();
void seedRandom(quint32 seed);

// --- Outside world ----------------------------------------------------------
bool printerAvailable();
void setPrinterAvailableHook(std::function<bool()> hook);

bool openUrl(const QUrl& url);
void setOpenUrlHook(std::function<bool(const QUrl&)> hook);

// Asks for a file to write (the desktop's save dialog); empty when the user
// cancels. A test hook receives the suggested file and answers instead.
QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                     const QString& filter);
void setSaveFileHook(std::function<QString(const QString& suggested)> hook);

// Size of the primary screen in pixels.
QSize screenSize();
void setScreenSizeHook(std::function<QSize()> hook);

// Caps Lock: state and switching it off (XKB on X11; no-op elsewhere).
bool capsLockOn();
void switchCapsLockOff();
void setCapsLockHooks(std::function<bool()> state, std::function<void()> off);

// Removes every hook, here and those registered with registerReset
// (SeamReset.h), and returns to real behaviour; the random generator is
// seeded afresh.
void resetAll();

}  // namespace tastolino::seams
