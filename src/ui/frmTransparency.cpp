#include "ui/frmTransparency.h"

#include "platform/AppState.h"
#include "platform/Seams.h"
#include "platform/WindowPlacement.h"
#include "ui/basSleep.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace tastolino {
namespace {

constexpr uint32_t kTopColour = 0xD4E3FF;     // light peach
constexpr uint32_t kBottomColour = 0x89B1FE;  // warm orange
const QColor kOutlineColour(0xC8, 0x6E, 0x3C);

QPointer<frmTransparency>& instanceRef() {
    static QPointer<frmTransparency> instance;
    return instance;
}

int32_t encodeRun(int x1, int y, int x2) {
    return x1 * 1000000 + y * 1000 + x2;
}

// A speech bubble: a rounded body over the upper part of the window and a
// tail below it that narrows to a point down and to the left.
std::vector<int32_t> speechBubbleRuns(const QSize& size) {
    const double scale = size.width() / 363.0;
    const int width = size.width();
    const int bodyHeight = int(std::lround(160 * scale)) & ~1;
    const double radius = 28 * scale;
    const double tailLeftTop = 70 * scale, tailRightTop = 130 * scale;
    const double tipLeft = 46 * scale, tipRight = 52 * scale;
    std::vector<int32_t> runs;
    for (int y = 0; y + 2 <= size.height(); y += 2) {
        const double centre = y + 1.0;
        int x1 = 0;
        int x2 = width;
        if (y < bodyHeight) {
            double dy = 0;
            if (centre < radius) dy = radius - centre;
            if (centre > bodyHeight - radius) dy = centre - (bodyHeight - radius);
            if (dy > 0) {
                const double inset = radius - std::sqrt(std::max(0.0, radius * radius - dy * dy));
                x1 = int(std::lround(inset));
                x2 = width - x1;
            }
        } else {
            const double t = (centre - bodyHeight) / double(size.height() - bodyHeight);
            x1 = int(std::lround(tailLeftTop + (tipLeft - tailLeftTop) * t));
            x2 = int(std::lround(tailRightTop + (tipRight - tailRightTop) * t));
        }
        if (x2 > x1) runs.push_back(encodeRun(x1, y, x2));
    }
    return runs;
}

}  // namespace

frmTransparency* frmTransparency::Instance() {
    return instanceRef().data();
}

const std::vector<int32_t>& frmTransparency::ShapeRuns(bool large) {
    static const std::vector<int32_t> small = speechBubbleRuns(kSmallSize);
    static const std::vector<int32_t> big = speechBubbleRuns(kLargeSize);
    return large ? big : small;
}

QRect frmTransparency::RunRect(int32_t run) {
    const int x1 = run / 1000000;
    const int y = (run / 1000) % 1000;
    const int x2 = run % 1000;
    // The rows y and y + 1, from x1 up to but not including x2.
    return QRect(x1, y, std::max(0, x2 - x1), 2);
}

QRegion frmTransparency::ShapeRegion(bool large) {
    QRegion region;
    for (int32_t run : ShapeRuns(large)) region += RunRect(run);
    return region;
}

frmTransparency::frmTransparency(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::WindowTransparentForInput) {
    SetTopMost(this, true);
    setObjectName(QStringLiteral("frmTransparency"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // Topmost, it would sit over a dialog or message box of the program:
    // it gives way whenever another of its windows comes to the front.
    connect(qApp, &QApplication::focusWindowChanged, this, [this](QWindow* focused) {
        if (!focused || !isVisible()) return;
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        if (owner && owner->windowHandle() == focused) return;
        if (focused == windowHandle()) return;
        hide();
    });
}

frmTransparency::~frmTransparency() {
    if (instanceRef() == this) {
        instanceRef() = nullptr;
        appState().coverWindowShown = false;
    }
}

void frmTransparency::ShowCover(QWidget* owner, const QPoint& target) {
    if (frmTransparency* loaded = Instance()) {
        if (!loaded->unloading_) loaded->show();
        return;
    }
    // Owned by the main window, so that it goes away with it; it stays a
    // window of its own.
    auto* cover = new frmTransparency(owner ? owner->window() : nullptr);
    instanceRef() = cover;
    cover->Form_Load(target);
}

void frmTransparency::HideCover() {
    if (frmTransparency* loaded = Instance()) loaded->hide();
}

void frmTransparency::UnloadCover() {
    frmTransparency* loaded = Instance();
    if (loaded && !loaded->unloading_) loaded->Form_Unload();
}

void frmTransparency::Form_Load(const QPoint& target) {
    // Never takes input: clicks fall through to the window beneath.
    setEnabled(false);
    large_ = appState().largeScreen;
    resize(large_ ? kLargeSize : kSmallSize);
    shape_ = ShapeRegion(large_);
    setMask(shape_);
    // A thin darker rim along the outline.
    rim_ = shape_ - (shape_.translated(1, 0) & shape_.translated(-1, 0) & shape_.translated(0, 1) &
                     shape_.translated(0, -1));

    // The resting place: the last slide step that is not above the target.
    const int screenHeight = seams::screenSize().height();
    int rest = target.y();
    if (screenHeight >= target.y())
        rest = screenHeight - (screenHeight - target.y()) / kSlideStep * kSlideStep;

    move(target.x(), std::max(screenHeight, rest));
    show();
    QPointer<frmTransparency> self(this);
    for (int top = screenHeight; top >= target.y(); top -= kSlideStep) {
        move(target.x(), top);
        slideTops_.push_back(top);
        WaitWithEvents(10);
        if (!self || unloading_) return;
        // Taken off the screen meanwhile: finish the journey unseen.
        if (isHidden()) break;
    }
    move(target.x(), rest);
    appState().coverWindowShown = true;
}

void frmTransparency::Form_Unload() {
    unloading_ = true;
    appState().coverWindowShown = false;
    QPointer<frmTransparency> self(this);
    // Fading a window nobody sees would only delay the caller.
    if (appState().windows2000OrLater && isVisible()) {
        for (int alpha = 250; alpha >= 50; alpha -= 5) {
            fadeSteps_.push_back(alpha);
            setWindowOpacity(alpha / 255.0);
            WaitWithEvents(10);
            if (!self) return;
        }
    }
    hide();
    if (instanceRef() == this) instanceRef() = nullptr;
    deleteLater();
}

QString& hintText() {
    static QString text;
    return text;
}

void frmTransparency::SetHint(const QString& text) {
    hintText() = text;
    if (frmTransparency* cover = Instance()) cover->update();
}

const QString& frmTransparency::Hint() {
    return hintText();
}

void frmTransparency::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintGradient(p, 0, 0, width(), height(), kTopColour, kTopColour, kBottomColour, kBottomColour,
                  true);
    for (const QRect& r : rim_) p.fillRect(r, kOutlineColour);
    if (hintText().isEmpty()) return;
    // The words sit in the body of the bubble, above the tail.
    const double scale = width() / 363.0;
    const int margin = int(std::lround(22 * scale));
    const QRect body(margin, margin, width() - 2 * margin,
                     int(std::lround(160 * scale)) - 2 * margin);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(std::lround(17 * scale)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x1F, 0x3A, 0x5F));
    p.drawText(body, Qt::AlignCenter | Qt::TextWordWrap, hintText());
}

}  // namespace tastolino
