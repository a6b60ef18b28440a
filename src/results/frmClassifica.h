// The results window: after each level (and after the whole exercise) it
// shows the speeds and scores of every level reached, a rating symbol per
// level and what happens next, and hands back the learner's answer
// (answer()).
#pragma once

#include "results/ResultsReport.h"
#include "results/ResultsWindowInput.h"
#include "results/frmClassificaFigures.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QWidget;

namespace tastolino {

class frmClassifica : public QDialog {
    Q_OBJECT
  public:
    explicit frmClassifica(const ResultsWindowInput& input, QWidget* parent = nullptr);
    ~frmClassifica() override;

    // The learner's answer; Open until a button is pressed.
    ResultsAnswer answer() const { return answer_; }

    QStringList ResultsTexts;
    QString unitSuffix;
    std::array<QString, 4> ratingWords;
    float speedSum = 0;
    int16_t scoreSum = 0;
    QString reportName;
    bool printFailed = false;
    QString pdfPath;

    // The level tables as painted, level 1 first.
    const std::vector<LevelFigures>& levels() const { return levels_; }
    // Millimetres to pixels on this window.
    int mm(double millimetres) const;

  public slots:
    void cmdRisp_Click(int index);
    // Asks, then prints the results on the system printer and tells how
    // it went.
    void cmdPrint_Click();
    // Writes the PDF report and opens it in the viewer.
    void cmdPDF_Click();

  public:
    // Snapshot of what the printout and the PDF report show.
    ResultsReportInput reportInput() const;
    // Writes the report, named after reportName, into a private folder of
    // GetTempDir() (pdfPath) and opens it; true when it was written.
    bool CreaPDF();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildControls();
    void applyTexts();
    void PaintLevelTable(QPainter& p, const LevelFigures& figures, int top);

    const ResultsWindowInput input_;
    ResultsAnswer answer_ = ResultsAnswer::Open;
    std::vector<LevelFigures> levels_;
    // The report file this window made; it goes with the window.
    std::unique_ptr<TempReportFile> report_;
    QWidget* picBar_ = nullptr;
    QPushButton* cmdPDF_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdStats_ = nullptr;  // the statistics window
    std::array<QPushButton*, 2> cmdRisp_{};
    std::array<QLabel*, 3> lbllivelli_{};
    std::array<QLabel*, 3> imgGrad_{};
    std::array<QLabel*, 5> imgSimbolo_{};
    std::array<QLabel*, 3> imgRisultato_{};
    QLabel* lblShowMess_ = nullptr;
    QLabel* imgTastiera_ = nullptr;
    QLabel* imgFrecciaReturn_ = nullptr;
};

}  // namespace tastolino
