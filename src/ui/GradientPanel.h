// A widget that paints its own surface with a painter function (a theme
// background, a panel, a four-corner gradient). No picture of the whole
// surface is kept: each repaint draws the rows it needs.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

namespace tastolino {

class GradientPanel : public QWidget {
    Q_OBJECT
  public:
    using Painter = std::function<void(QPainter&, const QSize&)>;

    explicit GradientPanel(Painter painter, QWidget* parent = nullptr);

    // The usual surfaces.
    static Painter panelPainter();
    // Reads the theme on every repaint; call invalidate() when it changes.
    static Painter themePainter(std::function<int()> theme);
    static Painter gradientPainter(uint32_t topLeft, uint32_t topRight, uint32_t bottomLeft,
                                   uint32_t bottomRight, bool halftone = true);

    void setPainter(Painter painter);
    // The top rows that hold antialiased drawing, for the panel's size: a
    // repaint that reaches them starts at the top edge (see PaintRows).
    void setWholeTopRows(std::function<int(const QSize&)> rows);
    // The painter draws, below the top rows above, only gradients that
    // change downwards and lines, points and rectangles on whole pixels:
    // pixels that come out the same whatever part is repainted, so a
    // repaint there draws straight onto the window, no strip needed.
    void setRowExact(bool exact);
    // Repaints the whole surface, e.g. after a theme change.
    void invalidate();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Painter painter_;
    std::function<int(const QSize&)> wholeTopRows_;
    bool rowExact_ = false;
};

}  // namespace tastolino
