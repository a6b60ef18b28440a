// Balloon tooltips with a title and an icon, attached to controls of one
// window. Each object carries one title and icon for all of its controls
// and one text per control; a control is registered at most once.
//
// Every operation is a no-op (returning false, 0 or empty) until Create
// has succeeded. Destroying the object detaches every control and the tip
// window.
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QTimer;
class QWidget;

namespace tastolino {

class BalloonTip;

class cTooltip : public QObject {
    Q_OBJECT
  public:
    enum Style { Plain = 0, Balloon = 1 };
    enum IconKind { NoIcon = 0, InfoIcon = 1, WarningIcon = 2, ErrorIcon = 3 };

    explicit cTooltip(QObject* parent = nullptr);
    ~cTooltip() override;

    // Creates the tip window, owned by `form`; true when it exists.
    bool Create(QWidget* form);
    // Registers `control` with `text`; false when not created, when the
    // control is null or already registered.
    bool AddTool(QWidget* control, const QString& text = {});
    bool RemoveTool(QWidget* control);

    QString Title() const { return title_; }
    void setTitle(const QString& title);  // an empty title is kept as " "
    int Icon() const { return icon_; }
    void setIcon(int icon);
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& colour);
    QColor ForeColor() const { return foreColor_; }
    void setForeColor(const QColor& colour);
    int DelayTime() const { return delayMs_; }
    void setDelayTime(int ms);
    int VisibleTime() const { return visibleMs_; }
    void setVisibleTime(int ms);
    int MaxTipWidth() const { return maxTipWidth_; }
    void setMaxTipWidth(int pixels);
    Style style() const { return style_; }
    void setStyle(Style style);  // takes effect at Create
    // The text of a registered control; empty for others.
    QString ToolText(QWidget* control) const;
    void setToolText(QWidget* control, const QString& text);

    // The tip window: null until created.
    QWidget* hwnd() const;
    int ToolCount() const;

    // The control whose tip is up, or null.
    QWidget* shownFor() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Tool {
        QPointer<QWidget> control;
        QString text;
    };
    int FindTool(const QWidget* control) const;
    void ApplyTimes();
    void ShowTip();
    void HideTip();

    QPointer<BalloonTip> tip_;
    bool created_ = false;
    Style style_ = Balloon;
    QString title_ = QStringLiteral(" ");
    int icon_ = NoIcon;
    int delayMs_ = 500;
    int visibleMs_ = 20000;
    int maxTipWidth_ = 300;
    QColor backColor_;
    QColor foreColor_;
    std::vector<Tool> tools_;
    QPointer<QWidget> pending_;  // the control under the mouse
    QPointer<QWidget> shown_;
    QTimer* showTimer_ = nullptr;
    QTimer* hideTimer_ = nullptr;
};

}  // namespace tastolino
