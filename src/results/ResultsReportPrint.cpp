// The printout of the results: one A4 portrait page, laid out in
// millimetres from the top left corner and written line by line like a
// teleprinter: every text goes to the current position, which then either
// moves behind it or to the start of the next line.
#include "results/ResultsReport.h"

#include "platform/SeamReset.h"
#include "results/frmClassificaFigures.h"
#include "results/frmClassificaIcons.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <algorithm>

namespace tastolino {
namespace {

class ResultsPrintout {
  public:
    ResultsPrintout(QPainter& p, const ResultsReportInput& in)
        : p_(p),
          in_(in),
          dotsX_(p.device()->logicalDpiX() / 25.4),
          dotsY_(p.device()->logicalDpiY() / 25.4) {}

    void paint() {
        const ExerciseResults& r = in_.results;
        p_.setPen(Qt::black);
        setFont(20, true, true);
        moveTo(15, 15);
        print(QStringLiteral("Tastolino"), true);
        setFont(12, false, false);
        StampaRiga();
        moveTo(15, 30);
        print(in_.text(10) + in_.reportName, false);
        x_ = 130;
        print(in_.dateLocale.toString(in_.when.date(), QLocale::LongFormat), false);
        paintKeyboardPicture(p_, rectMm(167, 9, 15, 15));

        StampaDati(48, 1, 1);
        if (r.currentLevel >= 2) StampaDati(106, 6, 2);
        if (r.currentLevel >= 3) StampaDati(164, 11, 3);
        Stampatotali();
    }

    // A dashed rule across the page, leaving the position on its line.
    void StampaRiga() {
        x_ = 15;
        print(QStringLiteral("------------").repeated(10), false);
    }

    void StampaDati(double top, int first, int level) {
        y_ = top;
        p_.setPen(first == 1 ? QColor(0, 255, 0) : first == 6 ? QColor(230, 194, 0) : Qt::red);
        setFont(14, true, false);
        x_ = 15;
        print(in_.text(11) + QString::number(level), false);
        p_.setPen(Qt::black);
        setFont(12, true, false);
        x_ = 100;
        print(in_.text(12) + in_.results.categoryName, true);
        setFont(12, false, false);
        StampaRiga();
        print({}, true);
        print({}, true);

        const LevelFigures f = levelFigures(in_.results, first);
        for (size_t k = 0; k < 5; ++k) {
            x_ = 20;
            print(in_.text(2) + QString::number(k + 1) + in_.unitSuffix + QString::number(f.kpm[k]),
                  false);
            x_ = 100;
            print(in_.text(3), false);
            printScore(f.scores[k]);
        }
        print({}, true);
        setFont(12, true, false);
        x_ = 20;
        print(in_.text(4) + in_.unitSuffix + QString::number(f.averageKpm), false);
        x_ = 100;
        print(in_.text(3), false);
        printScore(f.averageScore);

        const double symbolTop = first == 1 ? 70 : first == 6 ? 130 : 187;
        paintSymbol(f.symbol, rectMm(164, symbolTop, 14, 14));
    }

    void Stampatotali() {
        const ExerciseResults& r = in_.results;
        const OverallFigures o = overallFigures(in_);
        setFont(12, true, true);
        moveTo(15, 220);
        print({}, true);
        x_ = 15;
        p_.setPen(Qt::blue);
        print(in_.text(15), true);
        setFont(12, false, false);
        p_.setPen(Qt::black);
        StampaRiga();
        print({}, true);
        print({}, true);

        x_ = 20;
        setFont(14, true, false);
        print(in_.text(16) + QLatin1Char(' ') + r.perMinuteText + QStringLiteral(":  ") +
                  QString::number(o.kpm),
              false);
        x_ = 100;
        print(in_.text(17) + QLatin1Char(' ') + QString::number(o.score), true);

        setFont(12, false, true);
        print({}, true);
        x_ = 20;
        print(in_.text(18) + QLatin1Char(' ') + QString::number(r.errorCount), true);
        x_ = 20;
        print(in_.text(19) + QLatin1Char(' ') + QString::number(r.correctCount), true);
        x_ = 20;
        print(in_.text(20) + QLatin1Char(' ') + o.errorRatio, false);
        setFont(12, true, true);
        print(QStringLiteral("    (") + o.ratingWord + QLatin1Char(')'), true);
        setFont(12, false, true);

        paintSymbol(o.symbol, rectMm(164, 250, 14, 14));
        p_.save();
        p_.setPen(QPen(Qt::black, std::max(1.0, 0.25 * dotsX_)));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(rectMm(159, 245, 24, 24));
        p_.restore();

        setFont(8, false, false);
        moveTo(15, 276);
        print(reportSourceLine(in_), false);
        moveTo(140, 276);
        print(reportAuthorLine(in_), false);
    }

  private:
    void setFont(double points, bool bold, bool italic) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(points);
        font.setBold(bold);
        font.setItalic(italic);
        p_.setFont(font);
    }
    void moveTo(double x, double y) {
        x_ = x;
        y_ = y;
    }
    QRectF rectMm(double x, double y, double w, double h) const {
        return {x * dotsX_, y * dotsY_, w * dotsX_, h * dotsY_};
    }
    QFontMetricsF metrics() const { return QFontMetricsF(p_.font(), p_.device()); }

    // Text with its top at the current position.
    void print(const QString& text, bool endLine) {
        const QFontMetricsF fm = metrics();
        if (!text.isEmpty()) p_.drawText(QPointF(x_ * dotsX_, y_ * dotsY_ + fm.ascent()), text);
        if (endLine) {
            x_ = 0;
            y_ += fm.lineSpacing() / dotsY_;
        } else {
            x_ += fm.horizontalAdvance(text) / dotsX_;
        }
    }
    // A score whose last digit ends at 129 mm, then the end of the line.
    void printScore(int score) {
        const QString number = QString::number(score);
        x_ = 130 - metrics().horizontalAdvance(number) / dotsX_ - 1;
        print(number, true);
    }
    void paintSymbol(int symbol, const QRectF& target) {
        const int iconBase = in_.results.categoryIndex == 1 ? 425 : 420;
        // Drawn at about 300 dpi whatever the printer's resolution.
        const int side = std::clamp(int(target.width() * 300 / (25.4 * dotsX_)), 32, 1024);
        const QPixmap icon = ratingIcon(iconBase + std::clamp(symbol, 0, 4), side);
        if (!icon.isNull()) p_.drawPixmap(target, icon, QRectF(icon.rect()));
    }

    QPainter& p_;
    const ResultsReportInput& in_;
    const double dotsX_, dotsY_;  // device pixels per millimetre
    double x_ = 0, y_ = 0;        // current position in millimetres
};

}  // namespace

void paintKeyboardPicture(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double u = target.width() / 15;  // the picture is 15 units square
    const QRectF body(target.left(), target.top() + 3.5 * u, 15 * u, 8 * u);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, QColor(96, 104, 120));
    shade.setColorAt(1, QColor(44, 50, 62));
    painter.setPen(QPen(QColor(30, 30, 36), 0.2 * u));
    painter.setBrush(shade);
    painter.drawRoundedRect(body, 1.2 * u, 1.2 * u);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(238, 240, 244));
    const double key = 1.25 * u, gap = 0.35 * u;
    for (int row = 0; row < 3; ++row) {
        const double y = body.top() + 0.8 * u + row * (key + gap);
        const double indent = body.left() + 0.7 * u + row * 0.45 * u;
        for (int k = 0; k < 8 - row; ++k)
            painter.drawRoundedRect(QRectF(indent + k * (key + gap), y, key, key), 0.25 * u,
                                    0.25 * u);
    }
    painter.drawRoundedRect(QRectF(body.left() + 4 * u, body.top() + 5.75 * u, 7 * u, 1.1 * u),
                            0.25 * u, 0.25 * u);
    painter.restore();
}

bool paintResultsPrintout(QPainter& painter, const ResultsReportInput& in) {
    if (!painter.isActive() || !painter.device()) return false;
    ResultsPrintout(painter, in).paint();
    return painter.isActive();
}

std::function<void(QPrinter&)>& printerSetupHook() {
    static std::function<void(QPrinter&)> hook;
    return hook;
}

namespace {
[[maybe_unused]] const bool printerSetupResetRegistered =
    seams::registerReset([] { printerSetupHook() = nullptr; });
}  // namespace

bool printResults(const ResultsReportInput& in) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    // Positions are measured from the corner of the paper, not of the
    // printable area.
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Tastolino"));
    if (printerSetupHook()) printerSetupHook()(printer);

    QPainter painter;
    bool ok = painter.begin(&printer);
    if (ok) ok = paintResultsPrintout(painter, in);
    if (ok) ok = printer.printerState() != QPrinter::Error;
    if (!ok) {
        // Nothing half-done goes to the printer.
        if (painter.isActive()) printer.abort();
        if (painter.isActive()) painter.end();
        return false;
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

}  // namespace tastolino
