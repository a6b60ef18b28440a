#include "results/frmReportFreeTXT.h"

#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "platform/WindowPlacement.h"
#include "results/FreeTextReportPdf.h"
#include "results/frmClassificaIcons.h"
#include "settings/LanguageSupport.h"
#include "ui/modGradient.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>

namespace tastolino {
namespace {

// The window's client area, 6315 x 6225 twips at 15 twips a pixel.
constexpr int kWidth = 421, kHeight = 415;
constexpr int kBarHeight = 52;    // the button bar along the bottom
constexpr int kStripHeight = 14;  // the tiled strip along the top
constexpr int kGridStep = 26;

class ButtonBar : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintPanel(p, size());
        p.setPen(QColor(200, 200, 200));
        p.drawLine(0, 0, width(), 0);
    }
};

// One tile of the top strip: a small key cap, as on the keyboard.
QPixmap stripTile(int height) {
    QPixmap tile(2 * height, height);
    tile.fill(QColor(236, 240, 246));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(190, 198, 210));
    p.setBrush(QColor(250, 251, 253));
    p.drawRoundedRect(QRectF(2.5, 2.5, 2 * height - 5, height - 5), 2, 2);
    return tile;
}

// The PDF document symbol beside "Crea file pdf".
QPixmap pdfIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QPainterPath sheet(QPointF(6, 2));
    sheet.lineTo(20, 2);
    sheet.lineTo(27, 9);
    sheet.lineTo(27, 30);
    sheet.lineTo(6, 30);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(20, 2), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(27, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawRoundedRect(QRectF(3, 15, 22, 10), 2, 2);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 15, 22, 10), Qt::AlignCenter, QStringLiteral("PDF"));
    return pm;
}

}  // namespace

int PaintFreeTextTotals(QPainter& p, const QStringList& l, const FreeTextReportFigures& f,
                        double scale) {
    const auto px = [scale](double v) { return int(std::lround(v * scale)); };
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(14 * scale);
    font.setBold(true);
    p.setFont(font);
    const int titleTop = px(40) + p.fontMetrics().ascent();
    p.setPen(QColor(224, 224, 224));
    p.drawText(px(15), titleTop, l.value(kSlotTitle));
    p.setPen(Qt::black);
    p.drawText(px(14), titleTop - 1, l.value(kSlotTitle));

    font.setPointSizeF(12 * scale);
    font.setBold(false);
    p.setFont(font);
    const QFontMetrics fm = p.fontMetrics();
    const QString sep = QStringLiteral(": ");
    const QString lines[] = {
        l.value(kSlotTime) + sep + f.timeText,
        l.value(kSlotKeystrokes) + sep + QString::number(f.keystrokes),
        l.value(kSlotExact) + sep + QString::number(f.keystrokes - f.errors),
        l.value(kSlotExactRatio) + sep + freeTextPercent(f.exactRatio),
        l.value(kSlotErrors) + sep + QString::number(f.errors),
        l.value(kSlotErrorRatio) + sep + freeTextPercent(f.errorRatio),
        l.value(kSlotPerMinute) + sep + freeTextOneDecimal(f.perMinute),
        l.value(kSlotWords) + sep + QString::number(f.words),
    };
    int y = px(100);
    for (const QString& line : lines) {
        p.drawText(px(15), y + fm.ascent(), line);
        y += fm.height() + px(12);
    }
    return y;
}

frmReportFreeTXT::frmReportFreeTXT(const ResultsWindowInput& input, QWidget* parent)
    : QDialog(parent), input_(input) {
    setObjectName(QStringLiteral("frmReportFreeTXT"));
    setWindowTitle(QStringLiteral("Tastolino"));
    const ResultsWindowInput& state = input_;
    if (state.largeScreen) {
        const ScreenScale s = largeScreenScale();
        sx_ = s.x;
        sy_ = s.y;
        fontScale_ = s.font();
    }
    buildControls();
    applyTexts();
    for (size_t i = 0; i < ratingWords.size(); ++i)
        ratingWords[i] = ReportLabels.value(kSlotFirstRating + int(i));
    userName = state.results.userName;
    SetTopMost(this, true);

    for (QPushButton* b : {cmdChiudi_, cmdCreaPDF_}) b->setCursor(Qt::PointingHandCursor);
    imgFrecciaReturn_->setPixmap(ratingIcon(442, imgFrecciaReturn_->width()));
    playSoundIf(input_.soundOn, Sound::Results);

    figures = freeTextReportFigures(state.results);
    paintSurface();
}

frmReportFreeTXT::~frmReportFreeTXT() {
    Form_Unload();
}

void frmReportFreeTXT::buildControls() {
    const auto x = [this](int v) { return int(std::lround(v * sx_)); };
    const auto y = [this](int v) { return int(std::lround(v * sy_)); };
    setFixedSize(x(kWidth), y(kHeight));

    picBar_ = new ButtonBar(this);
    picBar_->setObjectName(QStringLiteral("picBar"));
    picBar_->setGeometry(0, height() - y(kBarHeight), width(), y(kBarHeight));

    const int buttonTop = y(12), buttonHeight = y(28);
    imgPdf_ = new QLabel(picBar_);
    imgPdf_->setObjectName(QStringLiteral("imgPdf"));
    imgPdf_->setGeometry(x(12), y(10), y(32), y(32));
    imgPdf_->setPixmap(pdfIcon(y(32)));

    cmdCreaPDF_ = new QPushButton(picBar_);
    cmdCreaPDF_->setObjectName(QStringLiteral("cmdCreaPDF"));
    cmdCreaPDF_->setGeometry(x(50), buttonTop, x(130), buttonHeight);

    imgFrecciaReturn_ = new QLabel(picBar_);
    imgFrecciaReturn_->setObjectName(QStringLiteral("imgFrecciaReturn"));
    imgFrecciaReturn_->setGeometry(x(270), y(14), y(24), y(24));

    cmdChiudi_ = new QPushButton(picBar_);
    cmdChiudi_->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi_->setGeometry(x(300), buttonTop, x(108), buttonHeight);
    // Enter closes, as the arrow beside the button shows.
    cmdChiudi_->setDefault(true);
    cmdChiudi_->setFocus();

    connect(cmdCreaPDF_, &QPushButton::clicked, this, &frmReportFreeTXT::cmdCreaPDF_Click);
    connect(cmdChiudi_, &QPushButton::clicked, this, &frmReportFreeTXT::cmdChiudi_Click);
}

void frmReportFreeTXT::applyTexts() {
    ReportLabels = freeTextReportLabels(input_.languageFileActive);
    cmdChiudi_->setText(WindowText(QStringLiteral("0075")));
    cmdCreaPDF_->setText(WindowText(QStringLiteral("0136")));
}

// Background and totals are drawn once; the window repaints from the
// surface it keeps.
void frmReportFreeTXT::paintSurface() {
    surface_ = QPixmap(size());
    surface_.fill(Qt::white);
    QPainter p(&surface_);
    const int areaHeight = height() - picBar_->height();
    PaintGradient(p, 0, 0, width(), areaHeight, 0xF4F4F4, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, true);

    const int strip = int(std::lround(kStripHeight * sy_));
    p.drawTiledPixmap(0, 0, width(), strip, stripTile(strip));
    p.setPen(QColor(218, 218, 218));
    const int step = int(std::lround(kGridStep * sx_));
    for (int gy = strip + step; gy < areaHeight; gy += step) p.drawLine(0, gy, width(), gy);
    for (int gx = step; gx < width(); gx += step) p.drawLine(gx, strip, gx, areaHeight - 1);

    p.setRenderHint(QPainter::TextAntialiasing);
    PaintFreeTextTotals(p, ReportLabels, figures, fontScale_);
}

void frmReportFreeTXT::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, surface_);
}

void frmReportFreeTXT::CountCharacterClasses() {
    classes = tastolino::CountCharacterClasses(input_.results.exerciseText);
}

void frmReportFreeTXT::cmdCreaPDF_Click() {
    // Out of the topmost band, so that the viewer can come to the front.
    SetTopMost(this, false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    CountCharacterClasses();
    WriteFreeTextPdf();
    QApplication::restoreOverrideCursor();
}

void frmReportFreeTXT::WriteFreeTextPdf() {
    const ExerciseResults& r = input_.results;
    if (userName.isEmpty()) userName = QStringLiteral("Tastolino");
    if (!report_) report_ = std::make_unique<TempReportFile>(GetTempDir());

    FreeTextReportInput in;
    in.labels = ReportLabels;
    in.userName = userName;
    in.expertMode = r.expertMode;
    in.categoryName = r.categoryName;
    in.exerciseFile = r.exerciseFile;
    in.figures = figures;
    in.classes = classes;
    in.when = seams::now();
    in.dateLocale = InterfaceLocale();
    in.documentTitle = WindowText(QStringLiteral("9043")) + QStringLiteral(" Tastolino");
    in.authorLine = WindowText(QStringLiteral("9045"));
    speedCode = tastolino::RateSpeed(figures.perMinute, r.expertMode);
    errorCode = tastolino::RateErrors(figures.keystrokes, figures.errors, r.expertMode);

    // A new report takes the place of the window's earlier one.
    pdfPath.clear();
    switch (WriteFreeTextReportPdf(*report_, in)) {
        case ReportPdfResult::Written:
            pdfPath = report_->path();
            seams::openUrl(QUrl::fromLocalFile(pdfPath));
            break;
        case ReportPdfResult::NotCreated:
            seams::message(this, ReportLabels.value(kSlotFileLocked), QStringLiteral("Tastolino"),
                           seams::MsgIcon::Critical);
            break;
        case ReportPdfResult::WriteFailed:
            seams::message(
                this,
                WindowText(QStringLiteral("9047")) + QLatin1Char('\n') + reportFileName(userName),
                QStringLiteral("Tastolino"), seams::MsgIcon::Critical);
            break;
    }
}

void frmReportFreeTXT::cmdChiudi_Click() {
    accept();
}

void frmReportFreeTXT::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmReportFreeTXT::Form_Unload() {
    // The report is a temporary file: it goes with the window.
    if (report_) report_->remove();
    pdfPath.clear();
    classes = {};
    figures.timeText.clear();
}

}  // namespace tastolino
