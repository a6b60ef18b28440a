#include "ui/cTooltip.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace tastolino {

// The tip window: icon and bold title on the first line, the text below,
// on a rounded balloon whose pointer touches the control.
class BalloonTip : public QWidget {
  public:
    static constexpr int kPointer = 10;  // height of the balloon's pointer

    explicit BalloonTip(QWidget* owner)
        : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput) {
        setObjectName(QStringLiteral("cTooltipWindow"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        icon_ = new QLabel(this);
        icon_->setObjectName(QStringLiteral("tipIcon"));
        title_ = new QLabel(this);
        title_->setObjectName(QStringLiteral("tipTitle"));
        title_->setTextFormat(Qt::PlainText);
        QFont bold = title_->font();
        bold.setBold(true);
        title_->setFont(bold);
        text_ = new QLabel(this);
        text_->setObjectName(QStringLiteral("tipText"));
        text_->setTextFormat(Qt::PlainText);
        text_->setWordWrap(true);
        layout_ = new QGridLayout(this);
        layout_->setHorizontalSpacing(6);
        layout_->setVerticalSpacing(4);
        layout_->addWidget(icon_, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
        layout_->addWidget(title_, 0, 1);
        layout_->addWidget(text_, 1, 0, 1, 2);
        layout_->setColumnStretch(1, 1);
    }

    void setContents(bool balloon, int icon, const QString& title, const QString& text,
                     const QColor& back, const QColor& fore, int maxWidth) {
        balloon_ = balloon;
        back_ = back.isValid() ? back : QColor(0xFF, 0xFF, 0xE1);
        const QColor ink = fore.isValid() ? fore : QColor(Qt::black);
        QStyle::StandardPixmap which = QStyle::SP_MessageBoxInformation;
        if (icon == cTooltip::WarningIcon) which = QStyle::SP_MessageBoxWarning;
        if (icon == cTooltip::ErrorIcon) which = QStyle::SP_MessageBoxCritical;
        icon_->setVisible(icon != cTooltip::NoIcon);
        if (icon != cTooltip::NoIcon) icon_->setPixmap(style()->standardIcon(which).pixmap(16, 16));
        const QString shownTitle = title.trimmed();
        title_->setText(shownTitle);
        title_->setVisible(!shownTitle.isEmpty() || icon != cTooltip::NoIcon);
        text_->setText(text);
        for (QLabel* label : {title_, text_}) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, ink);
            label->setPalette(palette);
        }
        text_->setMaximumWidth(std::max(80, maxWidth));
        const int top = balloon_ ? kPointer + 6 : 4;
        layout_->setContentsMargins(8, top, 8, balloon_ ? 8 : 4);
        adjustSize();
    }

    // Places the tip so that its pointer touches `anchor`, below it when
    // there is room on the screen, else above.
    void placeAt(const QPoint& anchor) {
        const QScreen* screen = QApplication::screenAt(anchor);
        if (!screen) screen = QApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
        pointerUp_ = anchor.y() + height() <= area.bottom() || !balloon_;
        int x = anchor.x() - 18;
        int y = pointerUp_ ? anchor.y() : anchor.y() - height();
        x = std::clamp(x, area.left(), std::max(area.left(), area.right() - width()));
        y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() - height()));
        pointerX_ = std::clamp(anchor.x() - x, 14, std::max(14, width() - 30));
        const int top = balloon_ && pointerUp_ ? kPointer + 6 : 4 + (balloon_ ? 2 : 0);
        const int bottom = balloon_ && !pointerUp_ ? kPointer + 8 : (balloon_ ? 8 : 4);
        layout_->setContentsMargins(8, top, 8, bottom);
        move(x, y);
        // The outline is the window's shape: no compositor needed.
        setMask(QRegion(outline().toFillPolygon().toPolygon()));
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x76, 0x76, 0x76), 1));
        p.setBrush(back_);
        p.drawPath(outline());
    }

  private:
    QPainterPath outline() const {
        QPainterPath plain;
        if (!balloon_) {
            plain.addRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
            return plain;
        }
        QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        if (pointerUp_) {
            body.setTop(body.top() + kPointer);
        } else {
            body.setBottom(body.bottom() - kPointer);
        }
        QPainterPath path;
        path.addRoundedRect(body, 7, 7);
        QPainterPath pointer;
        const double px = pointerX_;
        if (pointerUp_) {
            pointer.moveTo(px, 0.5);
            pointer.lineTo(px + 4, body.top() + 1);
            pointer.lineTo(px + 16, body.top() + 1);
        } else {
            pointer.moveTo(px, height() - 0.5);
            pointer.lineTo(px + 4, body.bottom() - 1);
            pointer.lineTo(px + 16, body.bottom() - 1);
        }
        pointer.closeSubpath();
        return path.united(pointer);
    }

    QLabel* icon_;
    QLabel* title_;
    QLabel* text_;
    QGridLayout* layout_;
    QColor back_;
    bool balloon_ = true;
    bool pointerUp_ = true;
    int pointerX_ = 18;
};

cTooltip::cTooltip(QObject* parent) : QObject(parent) {
    showTimer_ = new QTimer(this);
    showTimer_->setObjectName(QStringLiteral("showTimer"));
    showTimer_->setSingleShot(true);
    connect(showTimer_, &QTimer::timeout, this, &cTooltip::ShowTip);
    hideTimer_ = new QTimer(this);
    hideTimer_->setObjectName(QStringLiteral("hideTimer"));
    hideTimer_->setSingleShot(true);
    connect(hideTimer_, &QTimer::timeout, this, &cTooltip::HideTip);
}

cTooltip::~cTooltip() {
    for (const Tool& tool : tools_)
        if (tool.control) tool.control->removeEventFilter(this);
    tools_.clear();
    delete tip_.data();
}

bool cTooltip::Create(QWidget* form) {
    ApplyTimes();
    if (!tip_ && form) tip_ = new BalloonTip(form);
    created_ = !tip_.isNull();
    return created_;
}

int cTooltip::FindTool(const QWidget* control) const {
    if (!control) return -1;
    for (size_t i = 0; i < tools_.size(); ++i)
        if (tools_[i].control == control) return int(i);
    return -1;
}

bool cTooltip::AddTool(QWidget* control, const QString& text) {
    if (!created_ || !tip_ || !control || FindTool(control) >= 0) return false;
    tools_.push_back(Tool{control, text});
    control->installEventFilter(this);
    // A control that goes away takes its registration with it.
    connect(control, &QObject::destroyed, this, [this](QObject* gone) {
        tools_.erase(std::remove_if(
                         tools_.begin(), tools_.end(),
                         [gone](const Tool& t) { return t.control.isNull() || t.control == gone; }),
                     tools_.end());
    });
    ApplyTimes();
    return true;
}

bool cTooltip::RemoveTool(QWidget* control) {
    if (!created_) return false;
    const int index = FindTool(control);
    if (index < 0) return false;
    control->removeEventFilter(this);
    disconnect(control, &QObject::destroyed, this, nullptr);
    tools_.erase(tools_.begin() + index);
    if (shown_ == control || pending_ == control) HideTip();
    return true;
}

void cTooltip::setTitle(const QString& title) {
    title_ = title.isEmpty() ? QStringLiteral(" ") : title;
}
void cTooltip::setIcon(int icon) {
    icon_ = std::clamp(icon, 0, 3);
}
void cTooltip::setBackColor(const QColor& colour) {
    backColor_ = colour;
}
void cTooltip::setForeColor(const QColor& colour) {
    foreColor_ = colour;
}
void cTooltip::setDelayTime(int ms) {
    delayMs_ = std::max(0, ms);
    ApplyTimes();
}
void cTooltip::setVisibleTime(int ms) {
    visibleMs_ = std::max(0, ms);
    ApplyTimes();
}
void cTooltip::setMaxTipWidth(int pixels) {
    maxTipWidth_ = std::max(0, pixels);
}
void cTooltip::setStyle(Style style) {
    style_ = style;
}

QString cTooltip::ToolText(QWidget* control) const {
    const int index = created_ ? FindTool(control) : -1;
    return index < 0 ? QString() : tools_[size_t(index)].text;
}

void cTooltip::setToolText(QWidget* control, const QString& text) {
    const int index = created_ ? FindTool(control) : -1;
    if (index >= 0) tools_[size_t(index)].text = text;
}

QWidget* cTooltip::hwnd() const {
    return tip_.data();
}
int cTooltip::ToolCount() const {
    return created_ ? int(tools_.size()) : 0;
}
QWidget* cTooltip::shownFor() const {
    return tip_ && tip_->isVisible() ? shown_.data() : nullptr;
}

void cTooltip::ApplyTimes() {
    showTimer_->setInterval(delayMs_);
    hideTimer_->setInterval(visibleMs_);
}

void cTooltip::ShowTip() {
    QWidget* control = pending_.data();
    const int index = FindTool(control);
    if (!tip_ || index < 0 || !control->isVisible()) return;
    const QString& text = tools_[size_t(index)].text;
    if (text.isEmpty()) return;
    tip_->setContents(style_ == Balloon, icon_, title_, text, backColor_, foreColor_, maxTipWidth_);
    // Points at the mouse when it is over the control, else at the
    // middle of the control's lower edge.
    QPoint anchor = QCursor::pos();
    const QRect area(control->mapToGlobal(QPoint(0, 0)), control->size());
    if (!area.contains(anchor)) anchor = QPoint(area.center().x(), area.bottom());
    tip_->placeAt(anchor + QPoint(0, 2));
    tip_->show();
    shown_ = control;
    hideTimer_->start();
}

void cTooltip::HideTip() {
    showTimer_->stop();
    hideTimer_->stop();
    pending_ = nullptr;
    shown_ = nullptr;
    if (tip_) tip_->hide();
}

bool cTooltip::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control || FindTool(control) < 0) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Enter:
            HideTip();
            pending_ = control;
            showTimer_->start();
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
        case QEvent::Wheel:
            HideTip();
            break;
        case QEvent::ToolTip:
            // The toolkit's own plain tip stays away from registered controls.
            return true;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tastolino
