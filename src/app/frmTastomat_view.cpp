// The exercise engine's calls on the main window's controls.
#include "app/frmTastomat_view.h"

#include "app/MainWindowParts.h"
#include "app/WindowInputs.h"
#include "app/frmTastomat.h"
#include "exercise/Scoring.h"
#include "game/FrmPlay.h"
#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/Seams.h"
#include "results/frmClassificaIcons.h"
#include "ui/BlinkPicture.h"
#include "ui/GradientPanel.h"
#include "ui/frmTransparency.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tastolino {
namespace {

const QString kInputStyle = QStringLiteral(
    "QLineEdit { background: %1; border: 1px solid #7F93AA; border-radius: 3px;"
    " padding: 0 6px; color: #102040; }");

void setBackColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setFontSize(QWidget* widget, int pointSize) {
    QFont font = widget->font();
    if (font.pointSize() == pointSize) return;
    font.setPointSize(pointSize);
    widget->setFont(font);
}

// The speed bar of a level: its colour fading towards the fast end.
QPixmap speedBarPixmap(int level, const QSize& size) {
    QPixmap pm(size.expandedTo(QSize(1, 1)));
    QPainter p(&pm);
    const QColor c = ColorFromBgr(lampColour(level, true));
    QLinearGradient g(0, 0, pm.width(), 0);
    g.setColorAt(0, c.lighter(170));
    g.setColorAt(1, c.darker(125));
    p.fillRect(pm.rect(), g);
    p.setPen(QColor(255, 255, 255, 110));
    p.drawLine(0, 1, pm.width(), 1);
    return pm;
}

// Faces of the error ratio: from a broad smile ("B") over a smile ("A") and
// a worried line ("C") to a frown ("D").
QPixmap facePixmap(QChar symbol, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    p.setPen(QPen(QColor(40, 40, 40), 5));
    p.setBrush(QColor(255, 214, 64));
    p.drawEllipse(QRectF(6, 6, 88, 88));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QRectF(31, 30, 10, 14));
    p.drawEllipse(QRectF(59, 30, 10, 14));
    double bend = 0;
    switch (symbol.unicode()) {
        case 'B':
            bend = 26;
            break;
        case 'A':
            bend = 12;
            break;
        case 'C':
            bend = -4;
            break;
        default:
            bend = -20;
            break;
    }
    QPainterPath mouth(QPointF(28, 66));
    if (symbol == QLatin1Char('C'))
        mouth.cubicTo(QPointF(40, 58), QPointF(60, 76), QPointF(72, 66));
    else
        mouth.quadTo(QPointF(50, 66 + bend), QPointF(72, 66));
    p.setPen(QPen(QColor(40, 40, 40), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
    return pm;
}

}  // namespace

QString sourceSymbolGlyph(const QString& symbol) {
    if (symbol == QLatin1String("7")) return QStringLiteral("\u2328");  // course: keyboard
    if (symbol == QLatin1String("1")) return QStringLiteral("\u270E");  // exercises: pencil
    if (symbol == QLatin1String("4")) return QStringLiteral("\u2630");  // text files: lines
    return QStringLiteral("\u00B6");                                    // internal sentences
}

KeyboardPanel* MainWindowView::keyboard() const {
    return static_cast<KeyboardPanel*>(w_.picKeyword);
}

// --- Sentence area ------------------------------------------------------------

void MainWindowView::setSentenceText(const QString& text) {
    // The welcome wraps its lines; a sentence keeps its own line breaks.
    if (w_.lblFraseCorr->wordWrap()) w_.lblFraseCorr->setWordWrap(false);
    lines_ = text.split(QLatin1Char('\n'));
    w_.lblFraseCorr->setText(text);
}

void MainWindowView::setDisplayLayout(bool freeText, int fontSize) {
    setFontSize(w_.picDisplay, fontSize);
    setFontSize(w_.lblFraseCorr, fontSize);
    setFontSize(w_.txtInput, fontSize);
    w_.lblFraseCorr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w_.lblFraseCorr->setAutoFillBackground(false);  // only the greeting is opaque
    const int width = freeText ? 2 * w_.picDisplay->width() : w_.picDisplay->width() - 10;
    const int top =
        freeText
            ? (w_.picDisplay->height() - QFontMetrics(w_.lblFraseCorr->font()).height()) / 2 - 6
            : 0;
    w_.lblFraseCorr->setGeometry(5, top, width, w_.picDisplay->height() - top);
    w_.shpIndex->raise();
}

void MainWindowView::setUnderline(int line, int length) {
    QLabel* label = w_.lblFraseCorr;
    if (length <= 0 || line < 0 || line >= lines_.size()) {
        w_.shpIndex->resize(0, w_.shpIndex->height());
        return;
    }
    const QFontMetrics fm(label->font());
    const int width = fm.horizontalAdvance(lines_[line].left(length));
    const int y = label->y() + label->contentsMargins().top() + line * fm.lineSpacing() +
                  fm.ascent() + fm.descent() / 2 + 1;
    w_.shpIndex->setGeometry(label->x(), y, width, 3);
}

// --- Input box ----------------------------------------------------------------

void MainWindowView::setInputText(const QString& text) {
    w_.txtInput->setText(text);
    w_.txtInput->setCursorPosition(int(text.size()));
}

void MainWindowView::setInputLocked(bool locked) {
    // A read-only box takes no input-method text, so dead keys would never
    // arrive: while unlocked it stays editable and the window keeps every
    // key from changing it by itself.
    w_.txtInput->setReadOnly(locked);
}

void MainWindowView::focusInput() {
    w_.txtInput->setFocus();
}

void MainWindowView::setInputFlash(bool on) {
    if (flash_ == on) return;
    flash_ = on;
    w_.txtInput->setStyleSheet(kInputStyle.arg(ColorFromBgr(on ? 0xFFFF80 : 0xE4C49C).name()));
}

// --- Gauges -------------------------------------------------------------------

void MainWindowView::setCorrectCounter(const QString& text) {
    w_.lblNumBatt[0]->setText(text);
}

void MainWindowView::setWrongCounter(const QString& text) {
    w_.lblNumBatt[1]->setText(text);
}

void MainWindowView::setSentenceNumber(const QString& text) {
    w_.lblNumFrase->setText(text);
}

void MainWindowView::setClockText(const QString& text) {
    w_.lblTime->setText(text);
}

void MainWindowView::setClockOpaque(bool opaque) {
    w_.lblTime->setAutoFillBackground(opaque);
    if (opaque) setBackColour(w_.lblTime, Qt::white);
}

void MainWindowView::setSpeedBarWidth(int width) {
    QLabel* bar = w_.imgGradiente;
    bar->resize(std::clamp(width, 0, w_.picProgress->width()), bar->height());
}

void MainWindowView::setSpeedBarPicture(int bitmapId) {
    const int level = std::clamp(bitmapId - 300, 1, 3);
    if (level == speedBarLevel_ && !w_.imgGradiente->pixmap().isNull()) return;
    speedBarLevel_ = level;
    w_.imgGradiente->setScaledContents(false);
    w_.imgGradiente->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    w_.imgGradiente->setPixmap(speedBarPixmap(level, w_.picProgress->size()));
}

void MainWindowView::setScoreGaugesVisible(bool visible) {
    for (QWidget* gauge : {static_cast<QWidget*>(w_.imgMedia[0]), w_.picProgress,
                           static_cast<QWidget*>(w_.imgMedia[1]), static_cast<QWidget*>(w_.picMax)})
        gauge->setVisible(visible);
}

void MainWindowView::ResetBestBar(int width, int level) {
    QLabel* bar = w_.picMax;
    const int fullWidth = std::max(width, 1);
    bar->resize(width, bar->height());
    if (level < 1 || level > 3) return;
    QPixmap pm(fullWidth, bar->height());
    QPainter p(&pm);
    for (int y = 0; y < pm.height(); ++y) {
        p.setPen(ColorFromBgr(bestBarRowColour(level, y)));
        p.drawLine(0, y, pm.width(), y);
    }
    p.end();
    bar->setScaledContents(false);
    bar->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bar->setPixmap(pm);
}

void MainWindowView::setBestBarWidth(int width) {
    w_.picMax->resize(std::max(width, 0), w_.picMax->height());
}

void MainWindowView::showMessage(const QString& text, int iconId) {
    w_.lblMessaggio->setText(text);
    w_.imgIconaPunteggio->setPixmap(ratingIcon(iconId, w_.imgIconaPunteggio->width()));
    w_.imgIconaPunteggio->setProperty("iconId", iconId);
    w_.picMessaggio->show();
    w_.picMessaggio->raise();
}

void MainWindowView::hideMessage() {
    w_.picMessaggio->hide();
}

void MainWindowView::setLevelAverage(int index, const QString& text) {
    if (index >= 0 && index < 3) w_.lblMediaLevel[size_t(index)]->setText(text);
}

void MainWindowView::setLamps(int level) {
    for (int l = 1; l <= 3; ++l)
        setBackColour(w_.lblMediaLevel[size_t(l + 2)], ColorFromBgr(lampColour(l, l == level)));
}

void MainWindowView::setFace(const Face& face) {
    QLabel* label = w_.lblSmile;
    if (label->property("symbol").toString() == QString(face.symbol)) return;
    setBackColour(label, ColorFromBgr(face.backColour));
    const int size = std::min(label->width(), label->height()) - 6;
    label->setPixmap(facePixmap(face.symbol, std::max(size, 8)));
    label->setProperty("symbol", QString(face.symbol));
}

void MainWindowView::clearFace() {
    QLabel* label = w_.lblSmile;
    label->clear();
    label->setAutoFillBackground(false);
    // The frame is drawn from the palette too: back to the plain one.
    label->setPalette(QPalette());
    label->setProperty("symbol", QString());
}

void MainWindowView::setProgressVisible(bool visible) {
    w_.shpProgressTime->setVisible(visible);
    w_.lbliconeScreen[0]->setVisible(visible);
    if (visible) w_.shpProgressTime->raise();
}

void MainWindowView::setProgressWidth(int width) {
    w_.shpProgressTime->resize(std::clamp(width, 0, progressFullWidth()),
                               w_.shpProgressTime->height());
}

int MainWindowView::progressFullWidth() {
    return std::max(0, w_.lbliconeScreen[0]->width() - 2);
}

// --- Window -------------------------------------------------------------------

void MainWindowView::setWindowTitle(const QString& title) {
    w_.setWindowTitle(title);
}

void MainWindowView::setStartEnabled(bool enabled) {
    w_.cmdStart->setEnabled(enabled);
}

void MainWindowView::setAboutEnabled(bool enabled) {
    w_.lblMenu[2]->setEnabled(enabled);
}

void MainWindowView::setTypeForMeVisible(bool visible) {
    w_.lblMenu[7]->setVisible(visible);
    w_.shpMenu[7]->setVisible(visible);
}

void MainWindowView::setSourceMenuVisible(bool visible) {
    w_.picMenu->setVisible(visible);
}

void MainWindowView::setLevelPanelVisible(bool visible) {
    w_.picLevel->setVisible(visible);
}

void MainWindowView::setGameOptionEnabled(bool enabled) {
    w_.optMenu[4]->setEnabled(enabled);
}

void MainWindowView::sourcesChanged(const ExerciseSources& sources) {
    for (int i = 0; i < 5; ++i) {
        QRadioButton* option = w_.optMenu[size_t(i)];
        const QSignalBlocker block(option);
        option->setEnabled(sources.optionEnabled[size_t(i)]);
        if (i == sources.selectedSource) option->setChecked(true);
    }
    QComboBox* list = w_.cboListFile;
    {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(sources.listEntries);
        list->setCurrentIndex(sources.listIndex);
    }
    if (auto* files = qobject_cast<FileListBox*>(list)) files->fitListToEntries();
    list->setEnabled(sources.listEnabled);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, sources.listEnabled ? w_.palette().color(QPalette::Base)
                                                         : ColorFromBgr(0xDFDFDF));
    palette.setColor(QPalette::Button, sources.listEnabled ? w_.palette().color(QPalette::Button)
                                                           : ColorFromBgr(0xDFDFDF));
    list->setPalette(palette);
    w_.lblIconaEsercizio->setText(sourceSymbolGlyph(sources.symbol));
    w_.lblIconaEsercizio->setProperty("symbol", sources.symbol);
}

void MainWindowView::prepareForSentence() {
    w_.UnloadCoverWindow();
    KeyboardPanel* kb = keyboard();
    if (w_.fingerMapOn && kb && (!kb->keyMapPicture() || kb->keyMapPicture()->isHidden()))
        kb->ShowFingerIcons(true);
}

void MainWindowView::hideCoverWindow() {
    frmTransparency::HideCover();
}

bool MainWindowView::programWindowActive() {
    return w_.isActiveWindow();
}

void MainWindowView::focusKeyboard() {
    if (w_.picKeyword) w_.picKeyword->setFocus();
}

void MainWindowView::focusDisplay() {
    w_.picDisplay->setFocus();
}

LineFitter MainWindowView::lineFitter() {
    const QFontMetrics fm(w_.lblFraseCorr->font());
    return {[fm](const QString& text) { return fm.horizontalAdvance(text); },
            w_.picDisplay->width() - 10};
}

QWidget* MainWindowView::dialogParent() {
    return &w_;
}

// --- Keyboard -----------------------------------------------------------------

void MainWindowView::RedrawKeyboard() {
    if (keyboard()) keyboard()->RedrawKeyboard();
}

void MainWindowView::setKey37Enabled(bool enabled) {
    KeyboardPanel* kb = keyboard();
    if (!kb) return;
    kb->setKey37Enabled(enabled);
    // Disabled as a sentence starts: from then on the Enter keys are no
    // longer an invitation, until the blinker starts again.
    if (!enabled) kb->setExerciseRunning(true);
}

void MainWindowView::HighlightNextKey(QChar ch, int textPos) {
    KeyboardPanel* kb = keyboard();
    if (!kb) return;
    kb->setExpectedChar(QString(ch));
    kb->setFreeTextMode(appState().freeTextMode);
    kb->HighlightNextKey(QString(ch), textPos);
}

void MainWindowView::clearExpectedChar() {
    if (keyboard()) keyboard()->setExpectedChar(QString());
}

void MainWindowView::HideHighlights() {
    if (keyboard()) keyboard()->HideHighlights();
}

void MainWindowView::MarkWrongKey(int code) {
    if (keyboard()) keyboard()->MarkWrongKey(code);
}

void MainWindowView::hideWrongKeyMarker() {
    if (keyboard()) keyboard()->HideWrongKeyMarker();
}

void MainWindowView::setEnterInvitation(bool on) {
    KeyboardPanel* kb = keyboard();
    if (on) {
        if (kb) {
            kb->setExerciseRunning(false);
            kb->DrawEnterInvitation();
        }
        return;
    }
    w_.imgPremi->setLit(false);
    if (kb) {
        kb->DrawKey(KeyEnterLower, true);
        kb->DrawKey(KeyEnterUpper, true);
    }
}

void MainWindowView::toggleEnterPicture() {
    BlinkPicture* picture = w_.imgPremi;
    picture->setLit(!picture->isLit());
    // Above anything placed on the keyboard since.
    const QObjectList& siblings = picture->parentWidget()->children();
    if (picture->isLit() && siblings.last() != picture) picture->raise();
}

// --- Other windows --------------------------------------------------------------

void MainWindowView::showModalForm(DialogKind kind) {
    w_.ShowModalForm(kind);
}

void MainWindowView::showWelcome() {
    w_.ShowWelcome();
}

void MainWindowView::openGame() {
    // Full screen and modal, owned by the main window; nothing comes back.
    FrmPlay play(gameInput(), &w_);
    seams::execModal(&play);
}

void MainWindowView::unloadMainWindow() {
    w_.Unload();
}

void MainWindowView::inputStateChanged() {
    w_.PublishInputState();
}

}  // namespace tastolino
