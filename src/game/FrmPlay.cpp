#include "game/FrmPlay.h"

#include "platform/SeamReset.h"
#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "platform/Wait.h"
#include "settings/LanguageSupport.h"
#include "ui/GradientPanel.h"
#include "ui/modGradient.h"

#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace tastolino {

namespace {

bool manualTimers = false;
[[maybe_unused]] const bool manualTimersResetRegistered =
    seams::registerReset([] { manualTimers = false; });

constexpr uint32_t kBandTop = 0xF3F5E3;     // RGB(227,245,243)
constexpr uint32_t kBandBottom = 0xE4C59D;  // RGB(157,197,228)
constexpr int kBottomHeight = 80;
constexpr int kTitleHeight = 22;
constexpr int kLevelWidth = 706;
constexpr int kLevelHeight = 236;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QString colourSheet(uint32_t bgr) {
    return QStringLiteral("color: %1;").arg(ColorFromBgr(bgr).name());
}

}  // namespace

void FrmPlay::setManualTimers(bool manual) {
    manualTimers = manual;
}

void FrmPlay::PlayTimer::setInterval(int ms) {
    interval = ms;
    timer.setInterval(ms);
}

void FrmPlay::PlayTimer::start() {
    on = true;
    if (!manualTimers) timer.start(interval);
}

void FrmPlay::PlayTimer::stop() {
    on = false;
    timer.stop();
}

FrmPlay::FrmPlay(const GameInput& input, QWidget* parent) : QDialog(parent), input_(input) {
    setObjectName(QStringLiteral("FrmPlay"));
    setWindowTitle(QStringLiteral("Tastolino"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    timerLetters_.setInterval(100);
    timerScore_.setInterval(400);
    connect(&timerLetters_.timer, &QTimer::timeout, this, &FrmPlay::timerLetters_Timer);
    connect(&timerScore_.timer, &QTimer::timeout, this, &FrmPlay::timerScore_Timer);

    buildControls();
    layoutWindow();

    const QString& user = input_.userName;
    if (user.isEmpty()) {
        lblWinner->hide();
        lblImgWinner->hide();
    } else {
        bestScores_ = game::readRecords(input_.appFolder, user);
    }
    applyTexts();
    optDifficulty[0]->setChecked(true);
    optDifficulty_Click(0);
}

FrmPlay::~FrmPlay() {
    timerLetters_.stop();
    timerScore_.stop();
    ++runSerial_;
}

void FrmPlay::buildControls() {
    const bool large = input_.largeScreen;
    titlePanel = new GradientPanel(GradientPanel::panelPainter(), this);
    titlePanel->setObjectName(QStringLiteral("titlePanel"));
    auto* title = makeLabel(titlePanel, "lblTitle", QStringLiteral("Tastolino"));
    title->setFont(QFont(QStringLiteral("Liberation Sans"), 10, QFont::Bold));
    title->setGeometry(10, 0, 300, kTitleHeight);

    // The play area: a deep blue night sky the characters fall through.
    auto* play = new GradientPanel(
        GradientPanel::gradientPainter(0x5A2A10, 0x6A3414, 0x2A1406, 0x341A08), this);
    PicPlay = play;
    PicPlay->setObjectName(QStringLiteral("PicPlay"));
    PicPlay->setFocusPolicy(Qt::StrongFocus);
    PicPlay->setAttribute(Qt::WA_InputMethodEnabled);
    PicPlay->installEventFilter(this);
    PicPlay->resize(large ? QSize(880, 550) : QSize(755, 460));
    playHeight_ = PicPlay->height();

    QFont letterFont(QStringLiteral("Liberation Mono"), large ? 36 : 28, QFont::Bold);
    const QFontMetrics fm(letterFont);
    const int letterWidth = fm.horizontalAdvance(QLatin1Char('W')) + 4;
    const int letterHeight = fm.height();
    const int gap = static_cast<int>(
        std::nearbyint((PicPlay->width() - game::kSlotCount * letterWidth) / 19.0));
    QFont markFont(QStringLiteral("DejaVu Sans"), large ? 26 : 20);
    QFont scoreFont(QStringLiteral("Liberation Sans"), large ? 14 : 12, QFont::Bold);
    int left = gap;
    for (int i = 0; i < game::kSlotCount; ++i) {
        auto* l = makeLabel(PicPlay, "lblLetter");
        l->setObjectName(QStringLiteral("lblLetter%1").arg(i));
        l->setFont(letterFont);
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(left, 10, letterWidth, letterHeight);
        l->hide();
        lblLetter[size_t(i)] = l;
        auto* ok = makeLabel(PicPlay, "", QString(QChar(0x263A)));
        ok->setObjectName(QStringLiteral("lblSmileOK%1").arg(i));
        ok->setFont(markFont);
        ok->setStyleSheet(colourSheet(0x80FF80));
        ok->setAlignment(Qt::AlignCenter);
        ok->resize(letterWidth + 12, letterHeight);
        ok->hide();
        lblSmileOK[size_t(i)] = ok;
        auto* lost = makeLabel(PicPlay, "", QString(QChar(0x2639)));
        lost->setObjectName(QStringLiteral("lblSmileNOT%1").arg(i));
        lost->setFont(markFont);
        lost->setStyleSheet(colourSheet(0x4040FF));
        lost->setAlignment(Qt::AlignCenter);
        lost->resize(letterWidth + 12, 36);
        lost->hide();
        lblSmileNOT[size_t(i)] = lost;
        auto* score = makeLabel(PicPlay, "");
        score->setObjectName(QStringLiteral("lblScore%1").arg(i));
        score->setFont(scoreFont);
        score->setAlignment(Qt::AlignCenter);
        score->resize(letterWidth + 16, 30);
        score->hide();
        lblScore[size_t(i)] = score;
        left += letterWidth + gap;
    }

    lblMessage = makeLabel(PicPlay, "lblMessage");
    lblMessage->setFont(QFont(QStringLiteral("Liberation Sans"), large ? 30 : 24, QFont::Bold));
    lblMessage->setStyleSheet(colourSheet(0x80FFFF));
    lblMessage->setAlignment(Qt::AlignCenter);
    lblMessage->setGeometry(0, PicPlay->height() - 40 - 50, PicPlay->width(), 50);
    lblMessage->hide();

    imgErrore = makeLabel(PicPlay, "imgErrore", QString(QChar(0x2716)));
    imgErrore->setFont(QFont(QStringLiteral("DejaVu Sans"), large ? 90 : 72));
    imgErrore->setStyleSheet(colourSheet(0x3030FF));
    imgErrore->setAlignment(Qt::AlignCenter);
    imgErrore->setGeometry((PicPlay->width() - 160) / 2, (PicPlay->height() - 160) / 2, 160, 160);
    imgErrore->hide();

    picBottom = new GradientPanel(
        GradientPanel::gradientPainter(kBandTop, kBandTop, kBandBottom, kBandBottom), this);
    picBottom->setObjectName(QStringLiteral("picBottom"));

    buildSelectionPanel();
    buildFigurePanels();

    cmdNuovo = new QPushButton(QString(QChar(0x21BA)), picBottom);
    cmdNuovo->setObjectName(QStringLiteral("cmdNuovo"));
    cmdNuovo->setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    cmdNuovo->setEnabled(false);
    cmdExit = new QPushButton(picBottom);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setFont(QFont(QStringLiteral("Liberation Sans"), 11, QFont::Bold));
    for (QPushButton* b : {cmdNuovo, cmdExit, cmdStart}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setCursor(Qt::PointingHandCursor);
    }
    connect(cmdNuovo, &QPushButton::clicked, this, &FrmPlay::cmdNuovo_Click);
    connect(cmdExit, &QPushButton::clicked, this, &FrmPlay::cmdExit_Click);
    connect(cmdStart, &QPushButton::clicked, this, &FrmPlay::cmdStart_Click);
}

void FrmPlay::buildSelectionPanel() {
    picLevel = new GradientPanel(
        [this](QPainter& p, const QSize& size) {
            PaintPanel(p, size);
            if (bandLabel_)
                PaintGradient(p, 6, bandLabel_->y() - 2, 694, 25, kBandTop, kBandTop, kBandBottom,
                              kBandBottom, true);
        },
        PicPlay);
    picLevel->setObjectName(QStringLiteral("picLevel"));
    picLevel->resize(kLevelWidth, kLevelHeight);
    const QFont groupFont(QStringLiteral("Liberation Sans"), 11, QFont::Bold);
    const QFont optionFont(QStringLiteral("Liberation Sans"), 9);

    lblGioco = makeLabel(picLevel, "lblGioco");
    lblGioco->setFont(groupFont);
    lblGioco->setGeometry(14, 16, 110, 21);
    lblAllenamento = makeLabel(picLevel, "lblAllenamento");
    lblAllenamento->setFont(groupFont);
    lblAllenamento->setGeometry(14, 60, 110, 21);

    static const int kLeft[] = {130, 240, 350, 130, 230, 340, 465, 595};
    static const int kWidth[] = {100, 100, 110, 95, 105, 120, 125, 105};
    for (int i = 0; i < game::kModeCount; ++i) {
        auto* o = new QRadioButton(picLevel);
        o->setObjectName(QStringLiteral("optDifficulty%1").arg(i));
        o->setFont(optionFont);
        o->setGeometry(kLeft[i], game::isGameMode(i) ? 16 : 60, kWidth[i], 21);
        o->setCursor(Qt::PointingHandCursor);
        if (i >= game::kFirstTrainingMode && i < game::kCustomMode)
            o->setText(game::trainingSet(i));
        connect(o, &QRadioButton::clicked, this, [this, i] { optDifficulty_Click(i); });
        optDifficulty[size_t(i)] = o;
    }

    txtCustom = new QLineEdit(picLevel);
    txtCustom->setObjectName(QStringLiteral("txtCustom"));
    txtCustom->setMaxLength(game::kCustomMaxLength);
    txtCustom->setFont(QFont(QStringLiteral("Liberation Mono"), 11));
    txtCustom->setGeometry(520, 92, 175, 24);
    txtCustom->installEventFilter(this);

    lblTimeLbl = makeLabel(picLevel, "lblTimeLbl");
    lblTimeLbl->setFont(optionFont);
    lblTimeLbl->setGeometry(130, 130, 160, 18);
    hsTime = new QScrollBar(Qt::Horizontal, picLevel);
    hsTime->setObjectName(QStringLiteral("hsTime"));
    hsTime->setRange(1, 4);
    hsTime->setPageStep(1);
    hsTime->setValue(1);
    hsTime->setGeometry(130, 150, 170, 18);
    lblTime = makeLabel(picLevel, "lblTime", game::durationText(1));
    lblTime->setFont(optionFont);
    lblTime->setGeometry(306, 150, 70, 18);
    connect(hsTime, &QScrollBar::valueChanged, this,
            [this](int v) { lblTime->setText(game::durationText(v, decimalPoint_)); });

    lblVelocita = makeLabel(picLevel, "lblVelocita");
    lblVelocita->setFont(optionFont);
    lblVelocita->setGeometry(400, 130, 220, 18);
    hsSpeed = new QScrollBar(Qt::Horizontal, picLevel);
    hsSpeed->setObjectName(QStringLiteral("hsSpeed"));
    hsSpeed->setRange(1, 4);
    hsSpeed->setPageStep(1);
    hsSpeed->setInvertedAppearance(true);  // slow (4) on the left, fast (1) on the right
    hsSpeed->setValue(4);
    hsSpeed->setGeometry(400, 150, 170, 18);
    // Slow (4) lies on the left and fast (1) on the right: the arrows and
    // the trough step the value the way the handle then moves, not the way
    // the numbers run.
    connect(hsSpeed, &QAbstractSlider::actionTriggered, this, [this](int action) {
        int step = 0;
        switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                step = -hsSpeed->singleStep();
                break;
            case QAbstractSlider::SliderSingleStepSub:
                step = hsSpeed->singleStep();
                break;
            case QAbstractSlider::SliderPageStepAdd:
                step = -hsSpeed->pageStep();
                break;
            case QAbstractSlider::SliderPageStepSub:
                step = hsSpeed->pageStep();
                break;
            default:
                return;
        }
        hsSpeed->setSliderPosition(
            std::clamp(hsSpeed->value() + step, hsSpeed->minimum(), hsSpeed->maximum()));
    });
    for (QScrollBar* s : {hsTime, hsSpeed}) {
        s->setCursor(Qt::PointingHandCursor);
        s->setFocusPolicy(Qt::NoFocus);
        s->setEnabled(false);
    }

    cmdStart = new QPushButton(picLevel);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setFont(QFont(QStringLiteral("Liberation Sans"), 12, QFont::Bold));
    cmdStart->setGeometry((kLevelWidth - 140) / 2, 188, 140, 34);
}

void FrmPlay::buildFigurePanels() {
    const QFont caption(QStringLiteral("Liberation Sans"), 10);
    const QFont figure(QStringLiteral("Liberation Sans"), 16, QFont::Bold);

    picDisplayPlay = new QWidget(picBottom);
    picDisplayPlay->setObjectName(QStringLiteral("picDisplayPlay"));
    picDisplayPlay->setGeometry(10, 6, 420, 68);
    lblPunti = makeLabel(picDisplayPlay, "lblPunti");
    lblPunti->setFont(caption);
    lblPunti->setGeometry(0, 4, 150, 18);
    lblTotal = makeLabel(picDisplayPlay, "lblTotal", QStringLiteral("0"));
    lblTotal->setFont(figure);
    lblTotal->setStyleSheet(colourSheet(0xFF0000));
    lblTotal->setGeometry(0, 24, 150, 34);
    lblImgWinner = makeLabel(picDisplayPlay, "lblImgWinner", QString(QChar(0x2605)));
    lblImgWinner->setFont(QFont(QStringLiteral("DejaVu Sans"), 26));
    lblImgWinner->setStyleSheet(colourSheet(0x000000));
    lblImgWinner->setAlignment(Qt::AlignCenter);
    lblImgWinner->setGeometry(200, 10, 48, 48);
    lblWinner = makeLabel(picDisplayPlay, "lblWinner");
    lblWinner->setFont(figure);
    lblWinner->setGeometry(252, 16, 160, 34);
    picDisplayPlay->hide();

    picDisplayTraining = new QWidget(picBottom);
    picDisplayTraining->setObjectName(QStringLiteral("picDisplayTraining"));
    picDisplayTraining->setGeometry(10, 2, 520, 76);
    auto figureColumn = [&](int x, const char* name, const QString& title, uint32_t colour) {
        auto* t = makeLabel(picDisplayTraining, "", title);
        t->setFont(caption);
        t->setGeometry(x, 6, 90, 18);
        auto* v = makeLabel(picDisplayTraining, name, QStringLiteral("0"));
        v->setFont(figure);
        v->setStyleSheet(colourSheet(colour));
        v->setGeometry(x, 28, 90, 34);
        return v;
    };
    lblDigOK = figureColumn(0, "lblDigOK", QString(QChar(0x2714)), 0x008000);
    lblDigKO = figureColumn(90, "lblDigKO", QString(QChar(0x2716)), 0x0000C0);
    lblTotDigit = figureColumn(180, "lblTotDigit", QString(QChar(0x03A3)), 0x000000);
    lblScoreTraining = figureColumn(270, "lblScoreTraining", QStringLiteral("%"), 0xFF0000);
    picProgressRound = makeLabel(picDisplayTraining, "picProgressRound");
    picProgressRound->setGeometry(400, 3, 70, 70);
    clearClock();
    picDisplayTraining->hide();
}

void FrmPlay::layoutWindow() {
    const QSize screen = seams::screenSize();
    setGeometry(0, 0, screen.width(), screen.height());
    titlePanel->setGeometry(0, 0, screen.width(), kTitleHeight);
    const int w = PicPlay->width();
    const int h = PicPlay->height();
    const int left = (screen.width() - w) / 2;
    const int top = std::max(kTitleHeight + 8, (screen.height() - (h + kBottomHeight)) / 2);
    PicPlay->move(left, top);
    picBottom->setGeometry(left, top + h, w, kBottomHeight);
    picLevel->move((w - picLevel->width()) / 2, (h - picLevel->height()) / 2);
    cmdExit->setGeometry(w - 130, 20, 116, 40);
    cmdNuovo->setGeometry(w - 190, 20, 48, 40);
}

void FrmPlay::applyTexts() {
    const bool fromFile = input_.languageFileActive;
    const auto text = [fromFile](const char* id, const char* builtIn = "%1",
                                 const char* withFile = "%1", const QString& italian = {}) {
        return PlacedLangString(fromFile, QString::fromLatin1(id), builtIn, withFile, italian);
    };
    static const char* const kIds[] = {"0305", "0301", "0307", "0308", "0309", "0017"};
    for (int i = 0; i < 6; ++i)
        PlayTexts[size_t(i)] = i == 2 || i == 3 ? text(kIds[i], " %1") : text(kIds[i]);
    lblAllenamento->setText(text("0300"));
    lblGioco->setText(text("0301"));
    lblVelocita->setText(text("0302", "%1  < min - max >", "%1 <min - max>"));
    lblTimeLbl->setText(text("0303"));
    lblPunti->setText(text("0304"));
    cmdExit->setText(QString(QChar(0x21B5)) + QLatin1Char(' ') +
                     text("0203", "%1", "%1", QStringLiteral("Chiudi")));
    cmdNuovo->setToolTip(text("0036"));
    static const char* const kOptionIds[] = {"0310", "0311", "0312"};
    for (int i = 0; i < 3; ++i) optDifficulty[size_t(i)]->setText(text(kOptionIds[i]));
    optDifficulty[game::kCustomMode]->setText(text("0313"));
    cmdStart->setText(WindowText(QStringLiteral("9050")));
    noRecordText_ = WindowText(QStringLiteral("9051"));
    recordFailedText_ = WindowText(QStringLiteral("9052"));
    // Numbers as the interface language writes them.
    const QLocale locale = InterfaceLocale();
    numberGroup_ = locale.groupSeparator();
    decimalPoint_ = locale.decimalPoint();
    lblTime->setText(game::durationText(hsTime->value(), decimalPoint_));
}

void FrmPlay::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const int theme = input_.backgroundTheme;
    PaintRows(p, event->region(), size(),
              [theme](QPainter& strip, const QSize& s) { PaintBackground(strip, s, theme); });
    // White guide lines around the play area and the strip below it.
    p.setPen(QPen(Qt::white, 2));
    const QRect area = PicPlay->geometry().united(picBottom->geometry());
    p.drawRect(area.adjusted(-4, -4, 3, 3));
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(area.adjusted(-7, -7, 6, 6));
}

void FrmPlay::playSound(Sound sound) const {
    playSoundIf(input_.soundOn, sound);
}

void FrmPlay::optDifficulty_Click(int index) {
    if (index < 0 || index >= game::kModeCount) return;
    playMode_ = index;
    optDifficulty[size_t(index)]->setChecked(true);
    const bool game = game::isGameMode(index);
    const bool custom = index == game::kCustomMode;
    hsTime->setEnabled(!game);
    hsSpeed->setEnabled(!game);
    txtCustom->setEnabled(custom);
    txtCustom->setStyleSheet(custom ? QStringLiteral("background: white;")
                                    : QStringLiteral("background: rgb(192,192,192);"));
    if (custom) txtCustom->setFocus();
    bandLabel_ = game ? lblGioco : lblAllenamento;
    picLevel->invalidate();
    playSound(Sound::Click);
}

bool FrmPlay::txtCustom_KeyPress(const QString& text) {
    // True when the typed text is to be discarded.
    for (const QChar c : text)
        if (!game::acceptsCustomCharacter(txtCustom->text(), c)) return true;
    return false;
}

bool FrmPlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCustom) {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (!text.isEmpty() && text[0].isPrint() && txtCustom_KeyPress(text)) return true;
        } else if (event->type() == QEvent::InputMethod) {
            const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
            if (!text.isEmpty() && txtCustom_KeyPress(text)) return true;
        }
    } else if (watched == PicPlay && event->type() == QEvent::InputMethod) {
        // Characters composed with dead keys arrive only this way.
        Form_KeyPress(static_cast<QInputMethodEvent*>(event)->commitString());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmPlay::keyPressEvent(QKeyEvent* event) {
    // On the selection screen Enter presses Start, as the Enter key does on
    // the main window.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && !picLevel->isHidden() && cmdStart->isEnabled()) {
        event->accept();
        cmdStart_Click();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint()) {
        Form_KeyPress(text);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmPlay::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_CapsLock && seams::capsLockOn()) {
        seams::message(this, PlayTexts[5], QStringLiteral("Tastolino"), seams::MsgIcon::Warning);
        seams::switchCapsLockOff();
    }
    QDialog::keyReleaseEvent(event);
}

void FrmPlay::Form_KeyPress(const QString& text) {
    if (!acceptingKeys_ || text.isEmpty()) return;
    const QChar c = text[0];
    if (game::isGameMode(playMode_))
        gameKey(c);
    else
        trainingKey(c);
}

void FrmPlay::cmdExit_Click() {
    timerLetters_.stop();
    timerScore_.stop();
    acceptingKeys_ = false;
    ++runSerial_;
    resetSlots();
    unload();
}

void FrmPlay::reject() {
    // Esc and the close box may do only what the Close button may do now:
    // nothing while a turn is being introduced.
    if (cmdExit->isEnabled()) cmdExit_Click();
}

void FrmPlay::closeEvent(QCloseEvent* event) {
    // Closed from outside (the program ends): whatever runs stops.
    if (!unloaded_) {
        event->ignore();
        cmdExit_Click();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmPlay::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (input_.translucent && isVisible()) {
        for (int alpha = 250; alpha >= 50; alpha -= 5) {
            setWindowOpacity(alpha / 255.0);
            if (!waitAlive(this, 10)) return;
        }
    }
    hide();
    QDialog::done(QDialog::Rejected);
}

}  // namespace tastolino
