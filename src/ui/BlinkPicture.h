// A picture that blinks in place: lit or dark is a repaint of its own
// rectangle, never a show or hide, so that a blink costs one small repaint
// (a hide would make the toolkit ask the display server where the mouse is
// and work out again which widgets cover which).
#pragma once

#include <QPixmap>
#include <QWidget>

namespace tastolino {

class BlinkPicture : public QWidget {
    Q_OBJECT
  public:
    explicit BlinkPicture(QWidget* parent = nullptr);

    void setPixmap(const QPixmap& pixmap);
    // Dark, what lies beneath shows through.
    void setLit(bool lit);
    bool isLit() const { return lit_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap pixmap_;
    bool lit_ = false;
};

}  // namespace tastolino
