#include "results/frmClassifica.h"

#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "platform/StatisticsEntry.h"
#include "platform/WindowPlacement.h"
#include "results/frmClassificaIcons.h"
#include "settings/InterfaceTexts.h"
#include "settings/LanguageSupport.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

namespace tastolino {
namespace {

const char* const kLevelCaptionIds[3] = {"0088", "0089", "0090"};
const int kLevelTops[3] = {16, 50, 85};  // millimetres
constexpr double kWidthMm = 126, kHeightMm = 150;

// Title bar painted like the main window's panels.
class PanelBar : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintPanel(p, size());
        p.setPen(QColor(60, 60, 60));
        QFont f(QStringLiteral("Arial"), 10, QFont::Bold);
        p.setFont(f);
        p.drawText(rect().adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Tastolino"));
    }
};

}  // namespace

frmClassifica::frmClassifica(const ResultsWindowInput& input, QWidget* parent)
    : QDialog(parent), input_(input) {
    setObjectName(QStringLiteral("frmClassifica"));
    setWindowTitle(QStringLiteral("Tastolino"));
    const ExerciseResults& r = input_.results;

    buildControls();
    applyTexts();
    for (int i = 0; i < 4; ++i) ratingWords[size_t(i)] = ResultsTexts.value(29 + i);
    unitSuffix = QLatin1Char(' ') + ResultsTexts.value(1) + QStringLiteral(" = ");
    SetTopMost(this, true);
    speedSum = 0;
    scoreSum = 0;

    lblShowMess_->setText(closingMessage(ResultsTexts, r.resultsReason, r.currentLevel));
    cmdPrint_->setEnabled(seams::printerAvailable());

    const int iconBase = r.categoryIndex == 1 ? 425 : 420;
    for (int k = 0; k < 5; ++k) imgSimbolo_[size_t(k)]->setPixmap(ratingIcon(iconBase + k, mm(16)));
    reportName = r.userName;

    const int shown = std::clamp<int>(r.currentLevel, 1, 3);
    for (int level = 1; level <= shown; ++level) {
        const LevelFigures f = levelFigures(r, 5 * level - 4);
        levels_.push_back(f);
        speedSum += f.averageSpeed;
        scoreSum = int16_t(scoreSum + f.averageScore);
        const size_t i = size_t(level - 1);
        lbllivelli_[i]->setVisible(true);
        imgGrad_[i]->setVisible(true);
        imgRisultato_[i]->setPixmap(imgSimbolo_[size_t(f.symbol)]->pixmap());
        imgRisultato_[i]->setVisible(true);
    }

    // Enter answers "Continua", as the return arrow beside it shows.
    cmdRisp_[0]->setDefault(true);
    cmdRisp_[0]->setFocus();
    imgFrecciaReturn_->setPixmap(ratingIcon(442, mm(6)));
    playSoundIf(input_.soundOn, Sound::Results);
}

frmClassifica::~frmClassifica() {
    // The report is a temporary file: it goes with the window.
    if (report_) report_->remove();
}

int frmClassifica::mm(double millimetres) const {
    return qRound(millimetres * logicalDpiX() / 25.4);
}

void frmClassifica::buildControls() {
    setFixedSize(mm(kWidthMm), mm(kHeightMm));

    picBar_ = new PanelBar(this);
    picBar_->setObjectName(QStringLiteral("picBar"));
    picBar_->setGeometry(0, 0, width(), mm(8));

    for (int i = 0; i < 3; ++i) {
        const int top = kLevelTops[i];
        auto* band = new QLabel(this);
        band->setObjectName(QStringLiteral("imgGrad%1").arg(i));
        band->setGeometry(mm(4), mm(top - 7), mm(118), mm(5.5));
        band->setPixmap(levelBand(i + 1, band->size()));
        imgGrad_[size_t(i)] = band;

        auto* heading = new QLabel(this);
        heading->setObjectName(QStringLiteral("lbllivelli%1").arg(i));
        heading->setGeometry(band->geometry());
        heading->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
        heading->setTextFormat(Qt::PlainText);
        lbllivelli_[size_t(i)] = heading;

        auto* result = new QLabel(this);
        result->setObjectName(QStringLiteral("imgRisultato%1").arg(i));
        result->setGeometry(mm(103), mm(top + 4), mm(16), mm(16));
        imgRisultato_[size_t(i)] = result;

        // Only level 1 is there from the start.
        band->setVisible(i == 0);
        heading->setVisible(i == 0);
        result->setVisible(false);
    }
    for (int k = 0; k < 5; ++k) {
        auto* symbol = new QLabel(this);
        symbol->setObjectName(QStringLiteral("imgSimbolo%1").arg(k));
        symbol->hide();
        imgSimbolo_[size_t(k)] = symbol;
    }
    imgTastiera_ = new QLabel(this);
    imgTastiera_->setObjectName(QStringLiteral("imgTastiera"));
    imgTastiera_->hide();

    lblShowMess_ = new QLabel(this);
    lblShowMess_->setObjectName(QStringLiteral("lblShowMess"));
    lblShowMess_->setGeometry(mm(6), mm(116), mm(114), mm(19));
    lblShowMess_->setWordWrap(true);
    lblShowMess_->setTextFormat(Qt::PlainText);
    lblShowMess_->setFont(QFont(QStringLiteral("Arial"), 9));

    const int buttonTop = mm(138), buttonHeight = mm(8);
    cmdPDF_ = new QPushButton(QStringLiteral("PDF"), this);
    cmdPDF_->setObjectName(QStringLiteral("cmdPDF"));
    cmdPDF_->setGeometry(mm(6), buttonTop, mm(17), buttonHeight);
    cmdPrint_ = new QPushButton(this);
    cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint_->setGeometry(mm(25), buttonTop, mm(17), buttonHeight);
    // The statistics, when the main window offers them: a bar-chart sign.
    cmdStats_ = new QPushButton(QStringLiteral("\u2581\u2583\u2586"), this);
    cmdStats_->setObjectName(QStringLiteral("cmdStats"));
    cmdStats_->setGeometry(mm(44), buttonTop, mm(10), buttonHeight);
    cmdStats_->setVisible(bool(statisticsOpener()));
    connect(cmdStats_, &QPushButton::clicked, this, [this] {
        if (const StatisticsOpener& open = statisticsOpener()) open(this);
    });
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("cmdRisp%1").arg(i));
        b->setGeometry(mm(i == 0 ? 62 : 93), buttonTop, mm(28), buttonHeight);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdRisp_Click(i); });
        cmdRisp_[size_t(i)] = b;
    }
    connect(cmdPrint_, &QPushButton::clicked, this, &frmClassifica::cmdPrint_Click);
    connect(cmdPDF_, &QPushButton::clicked, this, &frmClassifica::cmdPDF_Click);
    for (QPushButton* b : {cmdPDF_, cmdPrint_, cmdStats_, cmdRisp_[0], cmdRisp_[1]})
        b->setCursor(Qt::PointingHandCursor);

    imgFrecciaReturn_ = new QLabel(this);
    imgFrecciaReturn_->setObjectName(QStringLiteral("imgFrecciaReturn"));
    imgFrecciaReturn_->setGeometry(mm(55), buttonTop + mm(1), mm(6), mm(6));
}

void frmClassifica::applyTexts() {
    const ExerciseResults& r = input_.results;
    const bool fromFile = input_.languageFileActive;
    ResultsTexts = resultsTexts(fromFile);
    cmdPrint_->setText(WindowText(QStringLiteral("9041")));
    cmdPDF_->setToolTip(WindowText(QStringLiteral("9042")));
    cmdStats_->setToolTip(WindowText(QStringLiteral("9137")));
    if (fromFile) {
        const QString answer0 = GetLangString(QStringLiteral("0112"));
        const QString answer1 = GetLangString(QStringLiteral("0114"));
        cmdRisp_[0]->setText(answer0);
        cmdRisp_[0]->setToolTip(answer0);
        cmdRisp_[1]->setText(answer1);
        cmdRisp_[1]->setToolTip(answer1);
        cmdPrint_->setToolTip(GetLangString(QStringLiteral("0086")));
    } else {
        cmdRisp_[0]->setText(ItalianText(QStringLiteral("0112")));
        cmdRisp_[0]->setToolTip(QStringLiteral("Ritorna all'esercizio precedente"));
        cmdRisp_[1]->setText(ItalianText(QStringLiteral("0114")));
        cmdRisp_[1]->setToolTip(QStringLiteral("Chiude il programma"));
        cmdPrint_->setToolTip(ItalianText(QStringLiteral("0086")));
    }
    // The design's headings end in a blank before the one that comes
    // before the category.
    for (int i = 0; i < 3; ++i)
        lbllivelli_[size_t(i)]->setText(
            PlacedLangString(fromFile, QString::fromLatin1(kLevelCaptionIds[i]), " %1  ", " %1 ") +
            r.categoryName);
}

void frmClassifica::cmdRisp_Click(int index) {
    answer_ = index == 0 ? ResultsAnswer::Continue : ResultsAnswer::Finish;
    done(index == 0 ? QDialog::Accepted : QDialog::Rejected);
}

void frmClassifica::keyPressEvent(QKeyEvent* event) {
    // Esc is no answer: closing here would end the program and lose the
    // exercise without asking.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmClassifica::cmdPrint_Click() {
    const QString title = QStringLiteral("Tastolino");
    if (seams::message(this, ResultsTexts.value(7), title, seams::MsgIcon::Question,
                       seams::MsgButtons::YesNo) == seams::MsgAnswer::No)
        return;
    printFailed = false;
    if (!printResults(reportInput())) printFailed = true;
    if (printFailed)
        seams::message(this, ResultsTexts.value(9), title, seams::MsgIcon::Critical);
    else
        seams::message(this, ResultsTexts.value(8), title, seams::MsgIcon::Information);
}

void frmClassifica::cmdPDF_Click() {
    // The viewer must be able to come in front of this window, now and
    // afterwards.
    SetTopMost(this, false);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    CreaPDF();
    QCoreApplication::processEvents();
    QApplication::restoreOverrideCursor();
}

ResultsReportInput frmClassifica::reportInput() const {
    ResultsReportInput in;
    in.texts = ResultsTexts;
    in.unitSuffix = unitSuffix;
    in.ratingWords = ratingWords;
    in.speedSum = speedSum;
    in.scoreSum = scoreSum;
    in.reportName = reportName;
    in.results = input_.results;
    in.when = seams::now();
    in.dateLocale = InterfaceLocale();
    in.documentTitle = WindowText(QStringLiteral("9043")) + QStringLiteral(" Tastolino");
    in.authorLine = WindowText(QStringLiteral("9044"));
    return in;
}

bool frmClassifica::CreaPDF() {
    if (reportName.isEmpty()) reportName = QStringLiteral("Tastolino");
    if (!report_) report_ = std::make_unique<TempReportFile>(GetTempDir());
    // A new report takes the place of the window's earlier one.
    pdfPath.clear();
    if (writeResultsPdf(*report_, reportInput()) != ReportPdfResult::Written) {
        seams::message(this, ResultsTexts.value(28), QStringLiteral("Tastolino"),
                       seams::MsgIcon::Critical);
        return false;
    }
    pdfPath = report_->path();
    seams::openUrl(QUrl::fromLocalFile(pdfPath));
    return true;
}

void frmClassifica::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // A sheet of paper: white fading to a light grey, with faint rules.
    QLinearGradient sheet(0, 0, 0, height());
    sheet.setColorAt(0, Qt::white);
    sheet.setColorAt(1, QColor(244, 244, 244));
    p.fillRect(rect(), sheet);
    p.setPen(QColor(218, 218, 218));
    for (int y = mm(12); y < height(); y += mm(6)) p.drawLine(0, y, width(), y);

    for (size_t i = 0; i < levels_.size(); ++i) PaintLevelTable(p, levels_[i], kLevelTops[i]);
}

void frmClassifica::PaintLevelTable(QPainter& p, const LevelFigures& f, int top) {
    QFont font(QStringLiteral("Arial"), 10);
    p.setFont(font);
    p.setPen(Qt::black);
    int y = mm(top);
    auto line = [&](const QString& left, int score) {
        const QFontMetrics fm = p.fontMetrics();
        const int baseline = y + fm.ascent();
        p.drawText(mm(8), baseline, left);
        p.drawText(mm(72), baseline, ResultsTexts.value(3));
        const QString number = QString::number(score);
        p.drawText(mm(98) - fm.horizontalAdvance(number), baseline, number);
        y += fm.height();
    };
    for (int i = 0; i < 5; ++i)
        line(ResultsTexts.value(2) + QString::number(i + 1) + unitSuffix +
                 QString::number(f.kpm[size_t(i)]),
             f.scores[size_t(i)]);
    y += mm(1);
    font.setBold(true);
    p.setFont(font);
    line(ResultsTexts.value(4) + unitSuffix + QString::number(f.averageKpm), f.averageScore);
}

}  // namespace tastolino
