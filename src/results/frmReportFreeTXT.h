// The report at the end of a free text: the totals of the exercise on the
// window itself and, on request, a one-page PDF report in the temporary
// folder, opened in the PDF viewer. The report file goes when the window
// closes. The window only reads the exercise record it is given.
#pragma once

#include "exercise/FreeTextReportFigures.h"
#include "platform/TempReportFile.h"
#include "results/ResultsWindowInput.h"

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class QLabel;
class QPainter;
class QPushButton;
class QWidget;

namespace tastolino {

class frmReportFreeTXT : public QDialog {
    Q_OBJECT
  public:
    explicit frmReportFreeTXT(const ResultsWindowInput& input, QWidget* parent = nullptr);
    ~frmReportFreeTXT() override;

    QStringList ReportLabels;            // the 25 interface texts
    std::array<QString, 4> ratingWords;  // "Ottimo" .. "Insufficiente"
    QString userName;
    QString pdfPath;  // the report written by this window; empty before
    FreeTextReportFigures figures;
    FreeTextReportClasses classes;
    QChar speedCode, errorCode;  // 'O', 'B', 'S', 'I' once rated

    // The totals as drawn on the window (kept for repainting).
    const QPixmap& surface() const { return surface_; }

  public slots:
    void cmdCreaPDF_Click();
    void cmdChiudi_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;

  private:
    void buildControls();
    void applyTexts();
    void paintSurface();
    void CountCharacterClasses();
    void WriteFreeTextPdf();
    void Form_Unload();

    const ResultsWindowInput input_;
    double sx_ = 1, sy_ = 1, fontScale_ = 1;
    QPixmap surface_;
    // The report file this window made; it goes with the window.
    std::unique_ptr<TempReportFile> report_;
    QWidget* picBar_ = nullptr;
    QPushButton* cmdChiudi_ = nullptr;
    QPushButton* cmdCreaPDF_ = nullptr;
    QLabel* imgPdf_ = nullptr;
    QLabel* imgFrecciaReturn_ = nullptr;
};

// The totals of the window, drawn from the top left of `p`: the title with
// its shadow, then one line per figure. Returns the y below the last line.
// `scale` enlarges positions and fonts on large screens.
int PaintFreeTextTotals(QPainter& p, const QStringList& labels, const FreeTextReportFigures& f,
                        double scale = 1.0);

}  // namespace tastolino
