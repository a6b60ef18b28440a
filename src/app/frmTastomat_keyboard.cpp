// The main window's side of the on-screen keyboard and of the system
// keyboard layout.
#include "app/frmTastomat.h"

#include "app/MainWindowParts.h"
#include "keyboard/KeyboardLayout.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/ScreenScale.h"
#include "ui/ClsResize.h"
#include "ui/GradientPanel.h"
#include "ui/HelpViewer.h"

#include <QLabel>

#include <cmath>

namespace tastolino {

namespace {

// The guide's page about the keyboard language.
constexpr int kLanguageHelpTopic = 1001;

KeyboardPanel* keyboardOf(QWidget* picKeyword) {
    return static_cast<KeyboardPanel*>(picKeyword);
}

}  // namespace

void frmTastomat::CreateKeyboard() {
    if (picKeyword) return;
    // Built after the window has been enlarged: the panel scales itself.
    const bool large = appState().largeScreen;
    const QPoint pos = large ? QPoint(int(std::lround(12 * largeScreenScale().x)),
                                      int(std::lround(243 * largeScreenScale().y)))
                             : QPoint(12, 243);
    auto* keyboard = new KeyboardPanel(picNotebook);
    keyboard->setObjectName(QStringLiteral("picKeyword"));
    keyboard->setLargeScreen(large);
    keyboard->setSoundOn(appState().soundOn);
    keyboard->move(pos);
    keyboard->setFocusPolicy(Qt::StrongFocus);
    keyboard->show();
    picKeyword = keyboard;
    ApplyKeyboardTexts();

    // Double clicks on the keyboard change options the settings keep.
    connect(keyboard, &KeyboardPanel::ergonomicToggled, this,
            [this](bool on) { ergonomicOn = on; });
    connect(keyboard, &KeyboardPanel::flatKeyboardToggled, this,
            [this](bool on) { flatKeyboardOn = on; });
    // A character without a key is offered on the menu strip by the engine.
}

void frmTastomat::ApplyKeyboardOptions() {
    KeyboardPanel* keyboard = keyboardOf(picKeyword);
    if (!keyboard) return;  // start-up: the keyboard takes the options when built
    // The drawing style first: it redraws every key released. The options
    // after it highlight the next key again.
    keyboard->setFlatKeyboardOn(flatKeyboardOn);
    keyboard->setErgonomicOn(ergonomicOn);
    keyboard->setFingerMapOn(fingerMapOn);
    keyboard->setHighlightOn(engine.highlightOn());
    keyboard->setSoundOn(appState().soundOn);
    SetKey25ToolTip();
}

void frmTastomat::ApplyKeyboardTexts() {
    KeyboardPanel* keyboard = keyboardOf(picKeyword);
    if (!keyboard) return;  // start-up: the keyboard takes its texts when built
    keyboard->setErgonomicTooltip(messageText(messages, Message::ErgonomicTip));
    keyboard->setFlatSwitchTooltip(texts_.flatSwitchTip);
    keyboard->setFingerIconTooltip(texts_.fingerIconTip);
    if (KeyMapPicture* map = keyboard->keyMapPicture()) {
        map->setToolTip(texts_.keyMapTip);
        map->setCaptions(texts_.keyMapCaptions);
    }
}

void frmTastomat::SetKey25ToolTip() {
    if (picKeyword)
        keyboardOf(picKeyword)->setErgonomicTooltip(messageText(messages, Message::ErgonomicTip));
}

void frmTastomat::RedrawKeyboard() {
    if (picKeyword) keyboardOf(picKeyword)->RedrawKeyboard();
}

void frmTastomat::PlaceKeyboardParts() {
    if (picKeyword) keyboardOf(picKeyword)->PlaceKeyMapPictureAt(KeyMapTop());
}

int frmTastomat::KeyMapTop() const {
    // The design puts the map below the notebook, where this window has its
    // bottom bar. It goes where it hides no control instead: below the
    // bottom bar when the screen has room there, else in the band between
    // the keyboard and the fields of the bottom bar, else above the menu
    // strip; below the notebook only when nothing else is free.
    const int height = KeyMapPicture::kSize.height();
    constexpr int kGap = 5;
    const QRect bar = picBottomBar->geometry();
    if (bar.bottom() + 1 + kGap + height <= this->height()) return bar.bottom() + 1 + kGap;
    const int keysBottom = picKeyword->mapTo(this, QPoint(0, picKeyword->height())).y();
    const int fieldsTop = lblNumBatt[0]->mapTo(this, QPoint(0, 0)).y();
    const int band = fieldsTop - keysBottom;
    if (band >= height) return keysBottom + (band - height) / 2;
    const int stripTop = lblMenu[0]->y();
    if (stripTop - kGap - height >= 0) return stripTop - kGap - height;
    return picNotebook->geometry().bottom() + 1 + kGap;
}

void frmTastomat::ShowCapsLockMarker(bool visible) {
    if (picKeyword) keyboardOf(picKeyword)->ShowCapsLockMarker(visible);
}

void frmTastomat::CheckKeyboardLayout() {
    LayoutWarningTexts texts;
    texts.notSetForLanguage = messageText(messages, Message::KeyboardNotSet);
    texts.german = messageText(messages, Message::German);
    texts.mayNotWork = messageText(messages, Message::MayNotWork);
    texts.seeHelp = messageText(messages, Message::SeeHelp);
    texts.title = warningTitle;
    // After the warning, the guide's page about the keyboard language; only
    // when the guide is there: a missing guide is not worth a second box.
    if (!CheckGermanLayout(this, texts) && HelpAvailable()) ShowHelp(this, kLanguageHelpTopic);
}

void frmTastomat::RestoreKeyboard() {
    if (!LayoutToRestore().isEmpty()) RestoreKeyboardLayout();
}

}  // namespace tastolino
