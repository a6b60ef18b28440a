// The two outputs of the results window: the one-page printout and the
// one-page PDF report. Both take their figures from ResultsReportInput, a
// snapshot of the results window's texts and sums and of the exercise
// record, so that they can be produced and checked without the window.
#pragma once

#include "platform/ExerciseResults.h"
#include "results/ReportPdfFile.h"
#include "settings/InterfaceTexts.h"

#include <QDateTime>
#include <QLocale>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <string>

class QPainter;
class QPrinter;

namespace tastolino {

struct ResultsReportInput {
    QStringList texts;  // the results window's 33 texts
    QString unitSuffix;
    std::array<QString, 4> ratingWords;
    float speedSum = 0;  // sum of the level average speeds shown, keystrokes per second
    int scoreSum = 0;    // sum of the level average scores shown
    QString reportName;
    ExerciseResults results;
    QDateTime when;  // the moment printed in the heading
    // The language of the date in the heading: the interface's.
    QLocale dateLocale = QLocale(QLocale::Italian, QLocale::Italy);
    // The PDF document's title and the small print after the program name
    // in the footer.
    QString documentTitle = ItalianText(QStringLiteral("9043")) + QStringLiteral(" Tastolino");
    QString authorLine = ItalianText(QStringLiteral("9044"));

    QString text(int i) const { return i >= 0 && i < texts.size() ? texts[i] : QString(); }
};

// Figures of the whole exercise, the same in both outputs.
struct OverallFigures {
    int kpm = 0;         // keystrokes per minute over the levels shown
    int score = 0;       // whole average of the level scores
    int symbol = 0;      // rating symbol 0..4 of `score`
    QString errorRatio;  // errors per keystroke, "1.2%"
    QString ratingWord;  // rating word of the error ratio
};
OverallFigures overallFigures(const ResultsReportInput& in);

// Footer: which sentences the exercise used.
QString reportSourceLine(const ResultsReportInput& in);
// Right-hand footer: program name and author line.
QString reportAuthorLine(const ResultsReportInput& in);
// The bare file name of a path written with "/" or "\\".
QString reportFileNameOf(const QString& path);

// --- Printout ---------------------------------------------------------------
// Paints the printout on an A4 portrait page whose top left corner is at the
// painter's origin, in the device's own resolution. False when the painter
// could not paint (no active device).
bool paintResultsPrintout(QPainter& painter, const ResultsReportInput& in);
// Keyboard picture of the printout heading, drawn into `target`.
void paintKeyboardPicture(QPainter& painter, const QRectF& target);
// Prints the results on the default printer; false when the job failed and
// was cancelled.
bool printResults(const ResultsReportInput& in);
// Tests: adjusts the printer before the job starts (for example to write a
// PDF file instead of printing).
std::function<void(QPrinter&)>& printerSetupHook();

// --- PDF report -------------------------------------------------------------
// Writes the PDF report through `file`, named after in.reportName
// (reportFileName); a file left unfinished by a write failure is removed.
ReportPdfResult writeResultsPdf(TempReportFile& file, const ResultsReportInput& in);

}  // namespace tastolino
