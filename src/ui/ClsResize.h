// Enlarges every control of a window by fixed factors on large screens:
// positions and sizes by 1.41 across and 1.31 down, fonts by the square
// root of 1.41. The design geometry is captured once, so resizing again
// gives the same result.
//
// Kinds of control are told by the dynamic property "resizeKind":
//   "image" - moves (x 1.41 + 4, y 1.31 + 4) but keeps its size;
//   "line"  - end points in the properties "x1", "y1", "x2", "y2" (in its
//             parent's coordinates) are scaled; its geometry follows them;
//   "skip"  - left alone together with everything inside it;
//   anything else, or none, is a plain control.
// Widgets placed by a layout, and the inner parts of Qt's compound widgets
// (scroll areas, combo boxes, spin boxes), are left to their owners.
//
// Values are rounded half away from zero (std::lround).
#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>

#include <vector>

namespace tastolino {

class ClsResize {
  public:
    // The image offset added after scaling, in pixels.
    inline static constexpr int kImageOffset = 4;
    static double fontFactor();

    // Only stores the window; the capture happens on the first resize.
    void SourceForm(QWidget* form) { form_ = form; }
    QWidget* SourceForm() const { return form_; }

    // Captures the design geometry when that is still needed, then resizes.
    void SizeFormToScreen();
    // Resizes from the captured geometry; captures instead while there is
    // no capture. Does nothing for a window without controls or minimised.
    void ResizeControls();

    QSize designSize() const { return designSize_; }
    int capturedCount() const { return static_cast<int>(records_.size()); }

    // Places a line control: stores its end points and derives the geometry
    // (the bounding box, at least one pixel each way).
    static void SetLine(QWidget* line, int x1, int y1, int x2, int y2);

  private:
    enum class Kind { Control, Image, Line };
    struct Record {
        QPointer<QWidget> widget;
        Kind kind = Kind::Control;
        // Left, Top, Width, Height; for a line X1, Y1, X2, Y2.
        int a = 0, b = 0, c = 0, d = 0;
        double pointSize = -1;  // < 0: the font is sized in pixels
        int pixelSize = -1;
    };

    void Capture();
    void CaptureChildren(QWidget* parent);
    bool HasControls() const;

    QPointer<QWidget> form_;
    QSize designSize_;
    std::vector<Record> records_;
    bool captureNeeded_ = true;
};

}  // namespace tastolino
