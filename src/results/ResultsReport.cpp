#include "results/ResultsReport.h"

#include "clsPDFCreator.h"
#include "results/frmClassificaFigures.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <exception>

namespace tastolino {
namespace {

// 0xBBGGRR, the writer's colour layout.
constexpr int32_t bgr(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

int levelsShown(const ExerciseResults& r) {
    return std::clamp<int>(r.currentLevel, 1, 3);
}

}  // namespace

OverallFigures overallFigures(const ResultsReportInput& in) {
    const ExerciseResults& r = in.results;
    const int levels = levelsShown(r);
    OverallFigures o;
    o.kpm = qRound(double(in.speedSum) * 60 / levels);
    o.score = int(std::floor(double(in.scoreSum) / levels));
    o.symbol = ratingSymbolIndex(o.score);
    // Without a keystroke the ratio is taken against one, as if a single
    // keystroke had been made; the exercise record itself keeps its count.
    const int keystrokes = std::max<int>(r.correctCount, 1);
    o.errorRatio =
        QLocale().toString(double(r.errorCount) * 100 / keystrokes, 'f', 1) + QLatin1Char('%');
    o.ratingWord = in.ratingWords[size_t(ratingWordIndex(r.errorCount, keystrokes, r.expertMode))];
    return o;
}

QString reportFileNameOf(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString reportSourceLine(const ResultsReportInput& in) {
    if (in.results.exerciseFile.isEmpty()) return in.text(13);
    return in.text(14) + QLatin1Char(' ') + reportFileNameOf(in.results.exerciseFile);
}

QString reportAuthorLine(const ResultsReportInput& in) {
    return QStringLiteral("Tastolino - ") + in.authorLine;
}

namespace {

// The page of the report, from loading the fonts to EndPage.
void drawResultsPage(clsPDFCreator& pdf, const ResultsReportInput& in) {
    const ExerciseResults& r = in.results;
    auto s = [](const QString& q) { return q.toStdString(); };
    auto line = [&pdf](float x1, float y1, float x2, float y2) {
        pdf.MoveTo(x1, y1);
        pdf.LineTo(x2, y2, 1);
    };
    pdf.LoadFont("Fn1", "Arial", 0);
    pdf.LoadFont("Fn2", "Arial", 3);
    pdf.LoadFont("Fn3", "Arial", 1);
    pdf.LoadFont("Fn4", "Arial", 2);
    pdf.BeginPage();
    pdf.SetColorFill(0);

    // Heading.
    pdf.DrawText(2.0f, 27.5f, "Tastolino", "Fn2", 24, 0);
    pdf.SetLineWidth(0.01f);
    line(2.0f, 27.3f, 20.0f, 27.3f);
    pdf.DrawText(2.0f, 26.7f, s(in.text(10) + in.reportName), "Fn1", 12, 0);
    const QLocale& locale = in.dateLocale;
    const QString when = locale.toString(in.when.date(), QStringLiteral("dddd, dd MMMM yyyy")) +
                         QStringLiteral(" (") +
                         locale.toString(in.when.time(), QStringLiteral("HH:mm:ss")) +
                         QLatin1Char(')');
    pdf.DrawText(20.0f, 26.7f, s(when), "Fn1", 10, 1);

    // Coloured bands under the level headings.
    const float headingY[3] = {25, 19, 13};
    const int32_t bandColour[3] = {bgr(236, 255, 213), bgr(255, 255, 199), bgr(255, 226, 226)};
    pdf.SetLineWidth(0.7f);
    for (int i = 0; i < 3; ++i) {
        pdf.SetColorStroke(bandColour[i]);
        line(2.0f, headingY[i] + 0.2f, 20.0f, headingY[i] + 0.2f);
    }
    pdf.SetColorStroke(0);
    pdf.SetColorFill(0);
    pdf.SetLineWidth(0.01f);
    for (int i = 0; i < 3; ++i) {
        const float y = headingY[i];
        pdf.DrawText(2.0f, y, s(in.text(11) + QString::number(i + 1)), "Fn1", 16, 0);
        pdf.DrawText(12.0f, y, s(in.text(12) + r.categoryName), "Fn3", 12, 0);
        line(2.0f, y - 0.3f, 20.0f, y - 0.3f);
    }

    // The three level tables, played or not.
    const float valueRight =
        pdf.Length(s(in.text(2) + QStringLiteral("1") + in.unitSuffix), "Fn1", 12) + 2.5f + 1;
    const float scoreRight = pdf.Length(s(in.text(3)), "Fn1", 12) + 12.0f + 1;
    for (int i = 0; i < 3; ++i) {
        const LevelFigures f = levelFigures(r, 5 * i + 1);
        float y = 24.0f - 6.0f * float(i);
        for (size_t k = 0; k < 5; ++k) {
            pdf.DrawText(2.5f, y, s(in.text(2) + QString::number(k + 1) + in.unitSuffix), "Fn1", 12,
                         0);
            pdf.DrawText(valueRight, y, s(QString::number(f.kpm[k])), "Fn1", 12, 1);
            pdf.DrawText(12.0f, y, s(in.text(3)), "Fn1", 12, 0);
            pdf.DrawText(scoreRight, y, s(QString::number(f.scores[k])), "Fn1", 12, 1);
            y -= 0.5f;
        }
        y -= 1;
        const std::string averageLabel = s(in.text(4) + in.unitSuffix);
        const std::string average = s(QString::number(f.averageKpm));
        // A label longer than the sentence lines' pushes its figure right.
        const float averageRight =
            std::max(valueRight + 0.1f, 2.5f + pdf.Length(averageLabel, "Fn3", 12) +
                                            pdf.Length(average, "Fn3", 12) + 0.2f);
        pdf.DrawText(2.5f, y, averageLabel, "Fn3", 12, 0);
        pdf.DrawText(averageRight, y, average, "Fn3", 12, 1);
        pdf.DrawText(12.0f, y, s(in.text(3) + QStringLiteral("  ")), "Fn3", 12, 0);
        pdf.DrawText(scoreRight, y, s(QString::number(f.averageScore)), "Fn3", 12, 1);
    }

    // Totals on a grey band.
    const OverallFigures o = overallFigures(in);
    pdf.DrawText(2.0f, 7.0f, s(in.text(15)), "Fn2", 14, 0);
    pdf.SetLineWidth(0.01f);
    line(2.0f, 6.7f, 20.0f, 6.7f);
    pdf.SetColorStroke(bgr(244, 244, 244));
    pdf.SetLineWidth(2.8f);
    line(2.0f, 5.1f, 20.0f, 5.1f);
    pdf.DrawText(2.5f, 6.0f,
                 s(in.text(16) + QLatin1Char(' ') + r.perMinuteText + QStringLiteral(":  ") +
                   QString::number(o.kpm)),
                 "Fn1", 12, 0);
    pdf.DrawText(12.0f, 6.0f, s(in.text(17) + QLatin1Char(' ') + QString::number(o.score)), "Fn1",
                 12, 0);
    pdf.DrawText(2.5f, 5.0f, s(in.text(18) + QLatin1Char(' ') + QString::number(r.errorCount)),
                 "Fn1", 10, 0);
    pdf.DrawText(2.5f, 4.5f, s(in.text(19) + QLatin1Char(' ') + QString::number(r.correctCount)),
                 "Fn1", 10, 0);
    pdf.DrawText(12.0f, 4.8f,
                 s(in.text(20) + QLatin1Char(' ') + o.errorRatio + QStringLiteral("  (") +
                   o.ratingWord + QLatin1Char(')')),
                 "Fn1", 10, 0);
    pdf.SetColorStroke(0);
    pdf.SetLineWidth(0.01f);
    line(2.0f, 3.5f, 20.0f, 3.5f);

    pdf.DrawText(2.0f, 1.5f, s(reportSourceLine(in)), "Fn1", 7, 0);
    pdf.DrawText(20.0f, 1.5f, s(reportAuthorLine(in)), "Fn1", 7, 1);
    pdf.EndPage();
}

}  // namespace

ReportPdfResult writeResultsPdf(TempReportFile& file, const ResultsReportInput& in) {
    return writeReportPdf(file, reportFileName(in.reportName), in.documentTitle,
                          [&in](clsPDFCreator& pdf) { drawResultsPage(pdf, in); });
}

}  // namespace tastolino
