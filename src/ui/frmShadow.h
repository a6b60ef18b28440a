// The dimming window: a half-transparent black sheet laid over the main
// window while a dialog is open, faded away once the dialog has closed.
//
// The sheet paints a picture of the window it covers with black laid over
// it at the current opacity, so it looks the same with or without a
// compositing window manager (which true window translucency needs).
//
// It shows the dialog of the kind it is given through a runner that the
// main window supplies, owned by the sheet. A kind that names no dialog
// shows nothing.
#pragma once

#include "platform/DialogKind.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <vector>

namespace tastolino {

class frmShadow : public QWidget {
    Q_OBJECT
  public:
    // Creates and runs a dialog of the given kind, owned by `owner`.
    using DialogRunner = std::function<void(DialogKind kind, QWidget* owner)>;

    // Opacity of the sheet while the dialog is open: 50 % of 255, rounded.
    static constexpr int kDimAlpha = (50 * 255 + 50) / 100;

    // Lays the sheet over `over` (its whole window; the screen when null),
    // shows the dialog of `kind`, fades out and releases the sheet. When a
    // sheet is already up, the dialog is simply shown over it.
    static void ShowOver(QWidget* over, DialogKind kind, const DialogRunner& runDialog);

    // The sheet while it is up, else null.
    static frmShadow* Instance();

    // The opacity steps (0..255) of the last sheet, in order: the dim value
    // followed by the fade-out. Kept for inspection.
    static const std::vector<int>& LastOpacitySteps();
    int alpha() const { return alpha_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    explicit frmShadow(QWidget* parent);
    ~frmShadow() override;
    void Form_Load(DialogKind kind, const DialogRunner& runDialog);
    void SetAlpha(int alpha);

    QPixmap covered_;   // the window beneath, as it looked
    QPoint coveredAt_;  // where its client area starts on the sheet
    int alpha_ = 0;
};

}  // namespace tastolino
