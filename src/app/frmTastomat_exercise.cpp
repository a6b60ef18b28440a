// The main window's side of the running exercise: the Start button, the
// keys typed into the input box, the source menu, the level buttons and the
// "press Enter" picture. The exercise itself is the engine's.
#include "app/frmTastomat.h"

#include "app/MainWindowParts.h"
#include "exercise/Scoring.h"
#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"
#include "results/frmClassificaIcons.h"
#include "ui/BlinkPicture.h"
#include "ui/GradientPanel.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>

namespace tastolino {

void frmTastomat::StartSentence() {
    engine.StartSentence();
}

void frmTastomat::OpenGame() {
    engine.OpenGame();
}

void frmTastomat::SetCategory(int index, bool clicked) {
    ExerciseResults& results = appState().results;
    tastolino::SetCategory(results, index, messages);
    shpIndex->SetFillColor(ColorFromBgr(underlineColour(results.categoryIndex)));
    const std::array<int, 2> icons = speedBarEndIcons(results.categoryIndex);
    for (int i = 0; i < 2; ++i)
        imgMedia[size_t(i)]->setPixmap(ratingIcon(icons[size_t(i)], imgMedia[size_t(i)]->width()));
    optLevel[results.categoryIndex == 1 ? 1 : 0]->setChecked(true);
    if (clicked && picLevel->isVisible()) PlaySoundResource(Sound::Click);
    // Experts type without the finger colours, also when the category comes
    // from the settings: the map goes off through its own menu command and
    // stays off until the beginner category is chosen again.
    if (results.categoryIndex == 1) {
        fingerMapOn = true;
        MenuCommand(4);
    }
    lblMenu[4]->setEnabled(results.categoryIndex == 0);
}

void frmTastomat::ConnectExerciseControls() {
    connect(cmdStart, &QPushButton::clicked, this, [this] {
        if (!cmdStart->isEnabled()) return;
        cmdStart->setEnabled(false);
        StartSentence();
    });
    for (int i = 0; i < 5; ++i) {
        connect(optMenu[size_t(i)], &QRadioButton::clicked, this, [this, i] {
            HideCoverWindow();
            PlaySoundResource(Sound::Click);
            engine.SelectSource(i);
        });
    }
    connect(cboListFile, &QComboBox::currentIndexChanged, this,
            [this](int index) { engine.ChooseListEntry(index); });
    for (int i = 0; i < 2; ++i) {
        connect(optLevel[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { SetCategory(i, true); });
    }
    // The input box takes input-method text (dead keys arrive that way),
    // which the window hands to the engine instead of the box.
    txtInput->setAttribute(Qt::WA_InputMethodEnabled, true);
}

bool frmTastomat::HandleInputKey(QKeyEvent* event) {
    // Nothing the user types edits the box directly: the engine judges the
    // character and supplies the box's text itself.
    if (engine.inSentenceEnd()) return true;
    if (event->key() == Qt::Key_Pause) {
        engine.PauseExercise();
        return true;
    }
    // Shortcuts (copy, paste, select all) are not keystrokes of the text.
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier)) return true;
    const QString text = event->text();
    if (!text.isEmpty() && !txtInput->isReadOnly()) engine.OnInputText(text);
    return true;
}

void frmTastomat::CreateEnterPicture() {
    // A small card with the Enter arrow, blinking on the Enter key while
    // the program waits for the next sentence to be started.
    KeyboardPanel* keyboard = static_cast<KeyboardPanel*>(picKeyword);
    const QRect enter = keyboard->keyRect(KeyEnterUpper).united(keyboard->keyRect(KeyEnterLower));
    const int side = std::max(24, enter.width() * 3 / 4);
    if (!imgPremi) {
        imgPremi = new BlinkPicture(picNotebook);
        imgPremi->setObjectName(QStringLiteral("imgPremi"));
    }
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 2));
        p.setBrush(QColor(0xFF, 0xF5, 0x9D));
        p.drawRoundedRect(QRectF(1, 1, side - 2, side - 2), side / 5.0, side / 5.0);
        QPainterPath arrow;
        const double s = side / 24.0;
        arrow.moveTo(17 * s, 6 * s);
        arrow.lineTo(17 * s, 14 * s);
        arrow.lineTo(8 * s, 14 * s);
        p.setPen(
            QPen(QColor(0x1B, 0x5E, 0x20), 2.5 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arrow);
        QPolygonF head;
        head << QPointF(5 * s, 14 * s) << QPointF(10 * s, 10 * s) << QPointF(10 * s, 18 * s);
        p.setBrush(QColor(0x1B, 0x5E, 0x20));
        p.drawPolygon(head);
    }
    imgPremi->setPixmap(pm);
    // On the Enter key itself, so the blinking points at the key to press.
    const QPoint centre = keyboard->mapTo(picNotebook, enter.center());
    imgPremi->setGeometry(centre.x() - side / 2, centre.y() - side / 2, side, side);
    imgPremi->setLit(false);
    imgPremi->show();
}

}  // namespace tastolino
