#include "app/MainWindowParts.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace tastolino {

DisplayPanel::DisplayPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void DisplayPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (ink_.isNull() || ink_.size() == size()) return;
    QPixmap bigger(size());
    bigger.fill(Qt::transparent);
    if (!ink_.isNull()) {
        QPainter p(&bigger);
        p.drawPixmap(0, 0, ink_);
    }
    ink_ = bigger;
}

void DisplayPanel::Print(const QString& text) {
    if (ink_.isNull()) {
        ink_ = QPixmap(size());
        ink_.fill(Qt::transparent);
    }
    QPainter p(&ink_);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    p.drawText(currentX_, currentY_ + metrics.ascent(), text);
    currentX_ += metrics.horizontalAdvance(text);
    printed_ = true;
    update();
}

void DisplayPanel::SetCurrentPosition(int x, int y) {
    currentX_ = x;
    currentY_ = y;
}

int DisplayPanel::TextWidth(const QString& text) const {
    return QFontMetrics(font()).horizontalAdvance(text);
}

int DisplayPanel::TextHeight(const QString& text) const {
    return QFontMetrics(font()).boundingRect(text).height();
}

void DisplayPanel::Cls() {
    // Nothing printed needs no picture: a panel the size of the sentence
    // area is worth giving back until something is printed again.
    ink_ = QPixmap();
    currentX_ = currentY_ = 0;
    printed_ = false;
    update();
}

void DisplayPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, Qt::white);
    if (!ink_.isNull()) p.drawPixmap(0, 0, ink_);
    p.setPen(QColor(0x8A, 0x9B, 0xB0));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

ShapeBox::ShapeBox(const QColor& fill, QWidget* parent) : QWidget(parent), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeBox::SetFillColor(const QColor& fill) {
    fill_ = fill;
    update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    QPainter p(this);
    if (!rounded_) {
        p.fillRect(rect(), fill_);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(fill_.darker(140));
    p.setBrush(fill_);
    const qreal radius = height() / 2.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

HoverFrame::HoverFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void HoverFrame::SetInverted(bool on) {
    if (inverted_ == on) return;
    inverted_ = on;
    update();
}

void HoverFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const QColor light(255, 255, 255);
    const QColor dark(0x40, 0x40, 0x40);
    const QColor topLeft = inverted_ ? dark : light;
    const QColor bottomRight = inverted_ ? light : dark;
    for (int ring = 0; ring < 2; ++ring) {
        const QRect q = r.adjusted(ring, ring, -ring, -ring);
        p.setPen(topLeft);
        p.drawLine(q.topLeft(), q.topRight());
        p.drawLine(q.topLeft(), q.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(q.bottomLeft(), q.bottomRight());
        p.drawLine(q.topRight(), q.bottomRight());
    }
}

FileListBox::FileListBox(QWidget* parent) : QComboBox(parent) {}

int FileListBox::textFieldWidth() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
        .width();
}

QString FileListBox::shownText() const {
    const QString text = currentText();
    const QFontMetrics fm(font());
    const int room = textFieldWidth();
    if (fm.horizontalAdvance(text) <= room) return text;
    // "name    (a ÷ b min)": the estimate stays whole, one blank before it.
    const qsizetype estimate = text.lastIndexOf(QStringLiteral("    ("));
    if (estimate <= 0) return fm.elidedText(text, Qt::ElideRight, room);
    const QString tail = QLatin1Char(' ') + text.mid(estimate).trimmed();
    const int nameRoom = room - fm.horizontalAdvance(tail);
    if (nameRoom < fm.horizontalAdvance(QStringLiteral("x\u2026")))
        return fm.elidedText(text, Qt::ElideRight, room);
    return fm.elidedText(text.left(estimate), Qt::ElideRight, nameRoom) + tail;
}

bool FileListBox::shownTextFits() const {
    return QFontMetrics(font()).horizontalAdvance(shownText()) <= textFieldWidth();
}

void FileListBox::fitListToEntries() {
    const QFontMetrics fm(view()->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i) widest = std::max(widest, fm.horizontalAdvance(itemText(i)));
    view()->setMinimumWidth(std::max(width(), widest + 24));
}

void FileListBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = shownText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void FitOptionText(QWidget* option, int width) {
    // Each fit starts again from the size the option was laid out with.
    const char* const kBase = "fitBasePointSize";
    QFont font = option->font();
    if (option->property(kBase).isValid())
        font.setPointSizeF(option->property(kBase).toDouble());
    else
        option->setProperty(kBase, font.pointSizeF());
    option->setFont(font);
    while (option->sizeHint().width() > width && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        option->setFont(font);
    }
}

QString KeepAngleWordsTogether(const QString& text) {
    QString kept = text;
    kept.replace(QStringLiteral("< "), QStringLiteral("<\u00A0"));
    kept.replace(QStringLiteral(" >"), QStringLiteral("\u00A0>"));
    return kept;
}

}  // namespace tastolino
