// The one-page PDF report of a free-text exercise, written with
// clsPDFCreator: the totals, the ratings, the character classes of the text
// and the overall rating, on A4 portrait in centimetres.
#pragma once

#include "results/FreeTextReportFigures.h"
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

enum class FreeTextPdfResult {
    Written,
    NotCreated,   // the file could not be created; nothing was written
    WriteFailed,  // created but not completed; the partial file is removed
};

// The report's file: the temporary folder, then the user name (or the
// program's name) and ".pdf". Empty when the name cannot be a file name in
// that folder (a folder separator in it, say).
QString freeTextReportPath(const QString& tempFolder, const QString& userName);

FreeTextPdfResult WriteFreeTextReportPdf(const QString& path, const FreeTextReportInput& input);

// The date line of the heading: weekday, day, month, year and time.
QString freeTextReportDate(const QDateTime& when, const QLocale& locale);

}  // namespace tastolino
