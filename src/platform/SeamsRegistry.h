// The one registry behind the seams: every hook, the fake clock, the random
// generator, and the desktop's own message box, sounds and Caps Lock, which
// the widget part of the platform puts here when it is linked in. Shared by
// the two halves of the seams only; everyone else uses platform/Seams.h.
#pragma once

#include "platform/Seams.h"

#include <QRandomGenerator>

#include <optional>

namespace tastolino::seams::registry {

// What the desktop does without any test hook.
struct Desktop {
    std::function<MsgAnswer(QWidget* parent, const MessageRequest& request)> message;
    std::function<void(int id)> playSound;
    std::function<bool()> capsLockOn;
    std::function<void()> switchCapsLockOff;
};

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
    Desktop desktop;  // not a hook: resetAll keeps it
};

State& state();

}  // namespace tastolino::seams::registry
