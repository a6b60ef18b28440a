// A picture that blinks in place: lit or dark is a repaint of its own
// rectangle, never a show or hide, so that a blink costs one small repaint
// (a hide would make the toolkit ask the display server where the mouse is
// and work out again which widgets cover which).
//
// On an X display even that repaint goes after the first blinks: each look
// is read back once from the window's own picture after the toolkit painted
// it, handed to the X server, and from then on a blink is a copy the server
// makes by itself. Whatever the toolkit paints in the picture's rectangle
// (what lies beneath changed, the picture moved) lets the kept looks go, and
// the next blinks paint again; so does a widget over part of it.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <array>
#include <memory>

namespace tastolino {

class ServerPictures;

class BlinkPicture : public QWidget {
    Q_OBJECT
  public:
    explicit BlinkPicture(QWidget* parent = nullptr);
    ~BlinkPicture() override;

    void setPixmap(const QPixmap& pixmap);
    // Dark, what lies beneath shows through.
    void setLit(bool lit);
    bool isLit() const { return lit_; }

    // Blinks shown by the X server from a kept look, without a repaint.
    int serverBlinks() const { return serverBlinks_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QRect rectInWindow() const;
    bool showKept();
    void repaintAndKeep();
    void keepPainted();
    void watchWhatLiesBeneath();
    void forgetLooks();

    QPixmap pixmap_;
    bool lit_ = false;
    int serverBlinks_ = 0;

    std::unique_ptr<ServerPictures> server_;
    // The window the server cannot keep looks for (offscreen, another kind
    // of visual): not asked again.
    WId noServerFor_ = 0;
    std::array<bool, 2> kept_{};
    QRect keptRect_;
    bool selfPainting_ = false;
    bool paintedNow_ = false;
    // The window's own picture holds the other look (the server copied the
    // current one): an expose, which shows that picture, needs a repaint.
    bool windowPictureBehind_ = false;
};

}  // namespace tastolino
