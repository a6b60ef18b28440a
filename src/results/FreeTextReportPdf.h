// The one-page PDF report of a free-text exercise, written with
// clsPDFCreator: the totals, the ratings, the character classes of the text
// and the overall rating, on A4 portrait in centimetres.
#pragma once

#include "exercise/FreeTextReportFigures.h"
#include "results/ReportPdfFile.h"
#include "settings/InterfaceTexts.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace tastolino {

struct FreeTextReportInput {
    QStringList labels;  // the 25 interface texts
    QString userName;    // empty = the program's name
    bool expertMode = false;
    QString categoryName;
    QString exerciseFile;
    FreeTextReportFigures figures;
    FreeTextReportClasses classes;
    QDateTime when;  // printed in the heading
    QLocale locale;  // of the numbers
    // The language of the date in the heading: the interface's.
    QLocale dateLocale = QLocale(QLocale::Italian, QLocale::Italy);
    // The PDF document's title and the small print after the program name
    // in the footer.
    QString documentTitle = ItalianText(QStringLiteral("9043")) + QStringLiteral(" Tastolino");
    QString authorLine = ItalianText(QStringLiteral("9045"));
};

// Writes the report through `file`, named after the user (reportFileName);
// a file left unfinished by a write failure is removed.
ReportPdfResult WriteFreeTextReportPdf(TempReportFile& file, const FreeTextReportInput& input);

// The date line of the heading: weekday, day, month, year and time.
QString freeTextReportDate(const QDateTime& when, const QLocale& locale);

}  // namespace tastolino
