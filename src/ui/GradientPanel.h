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
    // Repaints the whole surface, e.g. after a theme change.
    void invalidate();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Painter painter_;
    std::function<int(const QSize&)> wholeTopRows_;
};

}  // namespace tastolino
