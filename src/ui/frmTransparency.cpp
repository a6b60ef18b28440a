#include "ui/frmTransparency.h"

#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "platform/Wait.h"
#include "platform/WindowPlacement.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPolygonF>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace tastolino {
namespace {

constexpr uint32_t kTopColour = 0xD4E3FF;     // light peach
constexpr uint32_t kBottomColour = 0x89B1FE;  // warm orange
const QColor kOutlineColour(0xC8, 0x6E, 0x3C);

frmTransparency::Options& options() {
    static frmTransparency::Options current;
    return current;
}

bool& shownFlag() {
    static bool shown = false;
    return shown;
}

QPointer<frmTransparency>& instanceRef() {
    static QPointer<frmTransparency> instance;
    return instance;
}

int32_t encodeRun(int x1, int y, int x2) {
    return x1 * 1000000 + y * 1000 + x2;
}

// The speech bubble in a window of `size`: a rounded body over the upper
// left, and a tail that leaves the body's right side and narrows to a tip
// on the window's right edge, in the direction of `aim`.
struct BubbleOutline {
    QRectF body;
    double radius = 0;
    QPolygonF tail;
};

BubbleOutline bubbleOutline(const QSize& size, const QPoint& aim) {
    const double scale = size.width() / 363.0;
    BubbleOutline b;
    b.body = QRectF(0, 0, std::round(size.width() * 0.80), std::round(size.height() * 0.62));
    b.radius = 28 * scale;
    const double baseX = b.body.right() - b.radius / 2;
    const double baseTop = b.body.height() * 0.35, baseBottom = b.body.height() * 0.70;
    const double baseY = (baseTop + baseBottom) / 2;
    const double tipX = size.width() - 2;
    double tipY = baseY;
    if (!aim.isNull() && aim.x() > b.body.right())
        tipY = baseY + (tipX - b.body.right()) * (aim.y() - baseY) / (aim.x() - b.body.right());
    tipY = std::clamp(tipY, 2.0, size.height() - 3.0);
    b.tail << QPointF(baseX, baseTop) << QPointF(tipX, tipY) << QPointF(baseX, baseBottom);
    return b;
}

std::vector<int32_t> speechBubbleRuns(const QSize& size, const QPoint& aim) {
    const BubbleOutline b = bubbleOutline(size, aim);
    QPainterPath path;
    path.addRoundedRect(b.body, b.radius, b.radius);
    QPainterPath tail;
    tail.addPolygon(b.tail);
    tail.closeSubpath();
    path = path.united(tail);
    std::vector<int32_t> runs;
    for (int y = 0; y + 2 <= size.height(); y += 2) {
        int x1 = -1, x2 = -1;
        for (int x = 0; x < size.width(); ++x) {
            if (!path.contains(QPointF(x + 0.5, y + 1.0))) continue;
            if (x1 < 0) x1 = x;
            x2 = x + 1;
        }
        if (x1 >= 0) runs.push_back(encodeRun(x1, y, x2));
    }
    return runs;
}

}  // namespace

frmTransparency* frmTransparency::Instance() {
    return instanceRef().data();
}

void frmTransparency::SetOptions(const Options& chosen) {
    options() = chosen;
}

const frmTransparency::Options& frmTransparency::CurrentOptions() {
    return options();
}

bool frmTransparency::Shown() {
    return shownFlag();
}

QSize frmTransparency::CoverSize() {
    if (!options().largeScreen) return kSmallSize;
    const ScreenScale& scale = largeScreenScale();
    return QSize(int(std::lround(kLargeSize.width() * scale.x / ScreenScale::kFullX)),
                 int(std::lround(kLargeSize.height() * scale.y / ScreenScale::kFullY)));
}

std::vector<int32_t> frmTransparency::ShapeRuns(const QSize& size, const QPoint& aim) {
    return speechBubbleRuns(size, aim);
}

QPoint frmTransparency::TailTip(const QSize& size, const QPoint& aim) {
    return bubbleOutline(size, aim).tail[1].toPoint();
}

QRect frmTransparency::RunRect(int32_t run) {
    const int x1 = run / 1000000;
    const int y = (run / 1000) % 1000;
    const int x2 = run % 1000;
    // The rows y and y + 1, from x1 up to but not including x2.
    return QRect(x1, y, std::max(0, x2 - x1), 2);
}

QRegion frmTransparency::ShapeRegion(const QSize& size, const QPoint& aim) {
    QRegion region;
    for (int32_t run : ShapeRuns(size, aim)) region += RunRect(run);
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
        shownFlag() = false;
    }
}

void frmTransparency::ShowCover(QWidget* owner, const QPoint& target, const QPoint& aim) {
    if (frmTransparency* loaded = Instance()) {
        if (!loaded->unloading_) loaded->show();
        return;
    }
    // Owned by the main window, so that it goes away with it; it stays a
    // window of its own.
    auto* cover = new frmTransparency(owner ? owner->window() : nullptr);
    instanceRef() = cover;
    cover->Form_Load(target, aim);
}

void frmTransparency::HideCover() {
    if (frmTransparency* loaded = Instance()) loaded->hide();
}

void frmTransparency::UnloadCover() {
    frmTransparency* loaded = Instance();
    if (loaded && !loaded->unloading_) loaded->Form_Unload();
}

void frmTransparency::Form_Load(const QPoint& target, const QPoint& aim) {
    // Never takes input: clicks fall through to the window beneath.
    setEnabled(false);
    large_ = options().largeScreen;
    const QSize size = CoverSize();
    resize(size);
    // The tail points at `aim` seen from the resting place.
    const QPoint relativeAim = aim.isNull() ? QPoint() : aim - target;
    shape_ = ShapeRegion(size, relativeAim);
    tailTip_ = TailTip(size, relativeAim);
    body_ = bubbleOutline(size, relativeAim).body.toRect();
    // No taller than the bubble: the window keeps nothing below it.
    resize(size.width(), std::min(size.height(), shape_.boundingRect().bottom() + 1));
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
    for (int top = screenHeight; top >= target.y(); top -= kSlideStep) {
        move(target.x(), top);
        slideTops_.push_back(top);
        if (!waitAlive(this, 10) || unloading_) return;
        // Taken off the screen meanwhile: finish the journey unseen.
        if (isHidden()) break;
    }
    move(target.x(), rest);
    shownFlag() = true;
}

void frmTransparency::Form_Unload() {
    unloading_ = true;
    shownFlag() = false;
    // Fading a window nobody sees would only delay the caller.
    if (options().translucent && isVisible()) {
        for (int alpha = 250; alpha >= 50; alpha -= 5) {
            fadeSteps_.push_back(alpha);
            setWindowOpacity(alpha / 255.0);
            if (!waitAlive(this, 10)) return;
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
    // The words sit in the body of the bubble.
    const double scale = width() / 363.0;
    const int margin = int(std::lround(16 * scale));
    const QRect words = body_.adjusted(margin, margin, -margin, -margin);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(std::lround(17 * scale)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x1F, 0x3A, 0x5F));
    p.drawText(words, Qt::AlignCenter | Qt::TextWordWrap, hintText());
}

}  // namespace tastolino
