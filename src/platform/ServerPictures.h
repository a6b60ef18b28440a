// Pictures the X server keeps for one window and copies onto it on request:
// a picture that changes between a few fixed looks (the blinking Enter
// invitation) shows the next one with a single request instead of a repaint.
// The copies go past the toolkit's own picture of the window, so the caller
// must keep that in step (see BlinkPicture). Nothing is kept where there is
// no X display (offscreen, Wayland) or where the window is not of the usual
// 24-bit true colour kind with 32-bit pixels in the machine's byte order.
#pragma once

#include <QPoint>
#include <QSize>

#include <array>
#include <memory>

class QImage;
class QWidget;

namespace tastolino {

class ServerPictures {
  public:
    static constexpr int kSlots = 2;

    // For the top-level window of `widget`, or nothing.
    static std::unique_ptr<ServerPictures> forWindow(QWidget* widget);
    ~ServerPictures();
    ServerPictures(const ServerPictures&) = delete;
    ServerPictures& operator=(const ServerPictures&) = delete;

    // The window the pictures are for, as it is now (a window made again
    // has another id and the pictures no longer apply).
    bool isFor(QWidget* widget) const;
    // Keeps `picture` (device pixels, any format) in `slot`.
    bool keep(int slot, const QImage& picture);
    // Copies the picture of `slot` onto the window at `at` (device pixels).
    void show(int slot, QPoint at) const;

  private:
    ServerPictures() = default;

    void* display_ = nullptr;
    unsigned long window_ = 0;
    void* gc_ = nullptr;
    void* visual_ = nullptr;
    std::array<unsigned long, kSlots> pixmaps_{};
    std::array<QSize, kSlots> sizes_{};
};

}  // namespace tastolino
