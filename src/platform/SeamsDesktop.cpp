// The desktop's own message box, sounds and Caps Lock behind the seams. This
// file is linked whole into every program that links the widget part of the
// platform, so that the registration below runs before main().
#include "platform/Seams.h"
#include "platform/SeamsRegistry.h"
#include "platform/SoundPlayer.h"
#include "platform/WindowPlacement.h"
#include "platform/XkbKeyboard.h"

#include <QAbstractButton>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>

namespace tastolino::seams {
namespace {

MsgAnswer messageBox(QWidget* parent, const MessageRequest& request) {
    const MsgButtons buttons = request.buttons;
    QMessageBox box(parent);
    box.setWindowTitle(request.title);
    box.setText(request.text);
    switch (request.icon) {
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
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
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        default:
            return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

QByteArray soundResource(int id) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void playEffect(int id) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    // Made at the first sound; silent without a sound output. The sounds
    // play at 60 % of their recorded level.
    static SoundPlayer player(openSystemOutput, soundResource, 0.6f);
    player.play(id);
}

const bool registered = [] {
    registry::state().desktop = {messageBox, playEffect, xkb::capsLockOn, xkb::switchCapsLockOff};
    return true;
}();

}  // namespace
}  // namespace tastolino::seams
