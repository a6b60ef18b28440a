// The menu strip and the keyboard and mouse guards of the main window.
#include "app/frmTastomat.h"

#include "app/MainWindowParts.h"
#include "app/WindowInputs.h"
#include "dialogs/frmAbout.h"
#include "keyboard/KeyboardPanel.h"
#include "keyboard/KeyboardPrintout.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "ui/frmTransparency.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tastolino {

void frmTastomat::MenuCommand(int index) {
    switch (index) {
        case 0:
            Unload();
            break;
        case 1:
            engine.Restart();
            break;
        case 2:
            ShowAbout();
            break;
        case 3:
            ToggleSound();
            break;
        case 4:
            ToggleFingerMap();
            break;
        case 5:
            ToggleHighlight();
            break;
        case 6:
            NextBackgroundTheme();
            break;
        case 7:
            engine.TypeForMe();
            break;
        case 8:
            OpenGame();
            break;
        default:
            break;
    }
}

void frmTastomat::ToggleSound() {
    AppState& state = appState();
    state.soundOn = !state.soundOn;
    if (auto* keyboard = qobject_cast<KeyboardPanel*>(picKeyword))
        keyboard->setSoundOn(state.soundOn);
    RefreshMenuMarkers();
    // Heard when switching on and off alike, so the user knows it worked.
    seams::playSound(static_cast<int>(Sound::Click));
    QCoreApplication::processEvents();
}

void frmTastomat::ToggleFingerMap() {
    // Silent: choosing the expert category runs this command too, and the
    // level button has already sounded then.
    fingerMapOn = !fingerMapOn;
    RefreshMenuMarkers();
    // Only this option: the others would redraw the next key released.
    if (auto* keyboard = qobject_cast<KeyboardPanel*>(picKeyword))
        keyboard->setFingerMapOn(fingerMapOn);
    SetKey25ToolTip();
}

void frmTastomat::ToggleHighlight() {
    engine.SetHighlight(!engine.highlightOn());
    RefreshMenuMarkers();
    if (auto* keyboard = qobject_cast<KeyboardPanel*>(picKeyword))
        keyboard->setHighlightOn(engine.highlightOn());
    PlaySoundResource(Sound::Click);
}

void frmTastomat::NextBackgroundTheme() {
    AppState& state = appState();
    state.backgroundTheme = static_cast<int16_t>((state.backgroundTheme + 1) % kThemeCount);
    update();
    RedrawKeyboard();
    PlaySoundResource(Sound::Click);
}

void frmTastomat::ShowAbout() {
    HideCoverWindow();
    const QString language = interfaceLanguage().name;
    AboutCommands commands;
    commands.chooseLanguage = ChooseLanguage;
    commands.printKeyboard = [this] {
        // StampaTastiera: the keyboard as it is shown now, on one page.
        const KeyboardPrintoutTexts texts{messageText(messages, Message::PrintKeyboard),
                                          messageText(messages, Message::PrintedAsSeen),
                                          messageText(messages, Message::GermanKeyboard),
                                          texts_.keyboardPrintAuthor};
        KeyboardPrintoutSteps steps;
        steps.pauseInvitation = [this] {
            engine.HoldEnterInvitation();
            HideCoverWindow();
        };
        steps.resumeInvitation = [this] {
            if (!unloaded_) engine.FlashBotton();
        };
        StampaTastiera(qobject_cast<KeyboardPanel*>(picKeyword), texts, steps, this);
    };
    frmAbout::Show(this, aboutInput(), commands);
    shpEV->hide();
    if (unloaded_) return;

    if (interfaceLanguage().name != language) {
        engine.SelectSource(SourceInternal);
        ApplyInterfaceTexts();
        FitOptionTexts();
        engine.RequestFreshStart();
        picDisplay->setFocus();
        StartSentence();
    }
}

void frmTastomat::HideCoverWindow() {
    frmTransparency::HideCover();
}

void frmTastomat::mousePressEvent(QMouseEvent* event) {
    HideCoverWindow();
    QWidget::mousePressEvent(event);
}

bool frmTastomat::eventFilter(QObject* watched, QEvent* event) {
    if (unloaded_ || !watched->isWidgetType()) return QWidget::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    // An Esc belongs to the window that took its press. A box or list that
    // closes on the press leaves the release to whatever comes to the front
    // next - often this window, which must not take it for its own.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        escapePressedHere_ = widget->window() == this;
    if (widget->window() != this) return QWidget::eventFilter(watched, event);

    switch (event->type()) {
        case QEvent::KeyPress:
            if (HandleKeyPress(static_cast<QKeyEvent*>(event))) return true;
            if (widget == txtInput && HandleInputKey(static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::InputMethod:
            // Dead keys and other composed characters come only this way.
            if (widget == txtInput) {
                const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
                if (!text.isEmpty() && !engine.inSentenceEnd() && !txtInput->isReadOnly())
                    engine.OnInputText(text);
                return true;
            }
            break;
        case QEvent::KeyRelease:
            if (HandleKeyRelease(static_cast<QKeyEvent*>(event))) return true;
            break;
        default:
            break;
    }
    if (widget == txtInput && HandleInputMouse(event)) return true;
    for (size_t i = 0; i < lblMenu.size(); ++i)
        if (widget == lblMenu[i]) return HandleMenuMouse(int(i), event);
    return QWidget::eventFilter(watched, event);
}

bool frmTastomat::HandleKeyPress(QKeyEvent* event) {
    if (engine.inSentenceEnd()) return true;
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && cmdStart->isEnabled()) {
        cmdStart->setEnabled(false);
        StartSentence();
        return true;
    }
    return false;
}

bool frmTastomat::HandleKeyRelease(QKeyEvent* event) {
    // The system repeats a held key as release/press pairs; only the real
    // release counts.
    if (event->isAutoRepeat()) return false;
    bool used = false;
    switch (event->key()) {
        case Qt::Key_Escape: {
            if (!escapePressedHere_) return true;  // another window's Esc
            escapePressedHere_ = false;
            const seams::MsgAnswer answer = seams::message(
                this,
                messageText(messages, Message::CloseProgram) + QLatin1Char('\n') +
                    messageText(messages, Message::DataLost),
                QStringLiteral("Tastolino"), seams::MsgIcon::Question, seams::MsgButtons::YesNo);
            if (answer == seams::MsgAnswer::Yes) {
                Unload();
                return true;
            }
            used = true;
            break;
        }
        case Qt::Key_CapsLock:
            if (IsKeyToggledOrDown(kVkCapital)) CapsLockWarning();
            used = true;
            break;
        case Qt::Key_F1:
            ShowHelp(this, 0);
            used = true;
            break;
        default:
            break;
    }
    if (unloaded_) return true;
    HideCoverWindow();
    txtInput->setFocus();
    PlaceCaretAtEnd();
    return used;
}

void frmTastomat::CapsLockWarning() {
    ShowCapsLockMarker(true);
    seams::message(this, messageText(messages, Message::CapsLockDown), warningTitle,
                   seams::MsgIcon::Warning);
    SwitchCapsLockOff();
    ShowCapsLockMarker(false);
}

void frmTastomat::PlaceCaretAtEnd() {
    txtInput->setCursorPosition(txtInput->text().size());
}

bool frmTastomat::HandleInputMouse(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // Disabling and re-enabling the box drops any context menu under way.
        txtInput->setEnabled(false);
        txtInput->setEnabled(true);
        txtInput->setFocus();
        seams::message(this, messageText(messages, Message::RightMouseDown), warningTitle,
                       seams::MsgIcon::Warning);
        PlaceCaretAtEnd();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        PlaceCaretAtEnd();
        return true;
    }
    if (event->type() == QEvent::ContextMenu) return true;
    return false;
}

bool frmTastomat::HandleMenuMouse(int index, QEvent* event) {
    QLabel* item = lblMenu[index];
    switch (event->type()) {
        case QEvent::Enter:
            if (!item->isEnabled()) return false;
            shpEV->SetInverted(false);
            shpEV->setGeometry(item->geometry().adjusted(1, 1, -1, -1));
            shpEV->show();
            shpEV->raise();
            return false;
        case QEvent::Leave:
            shpEV->hide();
            return false;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
            shpEV->SetInverted(true);
            return true;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return false;
            shpEV->SetInverted(false);
            if (item->isEnabled() && item->rect().contains(mouse->position().toPoint())) {
                if (index == 8)
                    ShowStatistics(this);
                else
                    MenuCommand(index);
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tastolino
