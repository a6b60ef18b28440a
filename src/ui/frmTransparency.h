// The cover window: a speech-bubble shaped, gradient-filled window that
// slides up from the bottom of the screen and rests over the upper left
// part of the on-screen keyboard until the user starts typing.
//
// At most one exists; it is reached through the static operations below,
// which the main window calls. Positions are screen pixels (the design's
// twips are 15 to a pixel: a slide step of 300 twips is 20 pixels).
#pragma once

#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace tastolino {

class frmTransparency : public QWidget {
    Q_OBJECT
  public:
    // How the window looks and goes; the main window sets them.
    struct Options {
        bool largeScreen = false;  // the large variant, scaled to the screen
        bool translucent = true;   // translucent windows available: it fades out
    };
    static void SetOptions(const Options& options);
    static const Options& CurrentOptions();

    // Outer sizes of the two variants, in pixels.
    static constexpr QSize kSmallSize{363, 205};
    static constexpr QSize kLargeSize{519, 293};
    // Distance of one slide step, in pixels.
    static constexpr int kSlideStep = 20;

    // The window, when one is loaded (shown or hidden), else null.
    static frmTransparency* Instance();

    // Shows the cover window with its top-left corner at `target` (screen
    // pixels), owned by `owner`'s window, its tail pointing at `aim` (screen
    // pixels; null: straight to the right). A loaded but hidden window
    // simply reappears where it rested; otherwise a new one is created and
    // slides in. While it is up, another window of the program becoming
    // active takes it off the screen.
    static void ShowCover(QWidget* owner, const QPoint& target, const QPoint& aim = {});
    // Takes the window off the screen; it stays loaded, and Shown() keeps
    // its value.
    static void HideCover();
    // Fades the window out (when translucency is available and it is
    // visible), hides it and releases it; clears Shown().
    static void UnloadCover();
    // Whether the window has come to rest and not been unloaded since.
    static bool Shown();
    // The words shown inside the bubble (the invitation to start).
    static void SetHint(const QString& text);
    static const QString& Hint();

    // The window's size: the small one on small screens; on large screens
    // the large one, shrunk as the layout is where the screen has no room
    // for the full enlargement.
    static QSize CoverSize();
    // The outline of a window of `size` whose tail points at `aim` (window
    // pixels; null: straight to the right), as runs two pixels high, each encoded as
    // x1 * 1000000 + y * 1000 + x2 (x2 exclusive): a rounded body over the
    // upper left and a tail from its right side to a tip on the window's
    // right edge.
    static std::vector<int32_t> ShapeRuns(const QSize& size, const QPoint& aim);
    // The union of the runs.
    static QRegion ShapeRegion(const QSize& size, const QPoint& aim);
    // The tip of the tail of that outline (window pixels).
    static QPoint TailTip(const QSize& size, const QPoint& aim);
    // One run as its two-row rectangle.
    static QRect RunRect(int32_t run);

    // What the animations did, kept for inspection: the tops taken while
    // sliding in and the opacity steps (0..255) of the fade-out.
    const std::vector<int>& slideTops() const { return slideTops_; }
    const std::vector<int>& fadeSteps() const { return fadeSteps_; }
    bool isLarge() const { return large_; }
    // Where the tail ends, in the window's own pixels.
    QPoint tailTip() const { return tailTip_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    explicit frmTransparency(QWidget* parent = nullptr);
    ~frmTransparency() override;
    void Form_Load(const QPoint& target, const QPoint& aim);
    void Form_Unload();

    std::vector<int> slideTops_;
    std::vector<int> fadeSteps_;
    QRegion shape_;
    QRegion rim_;
    QPoint tailTip_;
    QRect body_;  // the round part of the bubble, where the words go
    bool large_ = false;
    bool unloading_ = false;
};

}  // namespace tastolino
