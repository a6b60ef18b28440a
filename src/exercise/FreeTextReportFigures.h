// The figures of the free-text report, apart from any painting, so that the
// window and its PDF page show the same numbers: the interface texts, the
// totals worked out from the exercise record, the character classes of the
// text and the three ratings.
#pragma once

#include "platform/ExerciseResults.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace tastolino {

// The 25 interface texts of the report: Italian, or from the current
// language file (a text the file lacks stays Italian).
QStringList freeTextReportLabels(bool fromFile);

// Slots of the labels used by name.
enum FreeTextReportSlot {
    kSlotPerSecond = 0,
    kSlotPerMinute = 1,
    kSlotExact = 2,
    kSlotWords = 3,
    kSlotKeystrokes = 4,
    kSlotErrors = 5,
    kSlotErrorRatio = 6,
    kSlotCategory = 7,
    kSlotTitle = 8,
    kSlotTime = 9,
    kSlotExactRatio = 10,
    kSlotFileLocked = 11,
    kSlotResultsOf = 12,
    kSlotUpper = 13,
    kSlotLower = 14,
    kSlotDigits = 15,
    kSlotPunctuation = 16,
    kSlotBlanks = 17,
    kSlotSpecial = 18,
    kSlotFirstRating = 19,  // "Ottimo" .. "Insufficiente" in 19..22
    kSlotOverall = 23,
    kSlotRating = 24,
};

// Totals of a free text. A ratio or speed has no value when its divisor is
// zero (no keystrokes, or less than one second).
struct FreeTextReportFigures {
    int keystrokes = 0;  // every key typed, wrong ones included
    int errors = 0;
    int words = 0;  // blanks passed
    int hours = 0, minutes = 0, seconds = 0;
    int totalSeconds = 0;
    QString timeText;                  // hh:mm:ss
    std::optional<double> exactRatio;  // (keystrokes - errors) / keystrokes
    std::optional<double> errorRatio;  // errors / keystrokes
    std::optional<double> perMinute;
    std::optional<double> perSecond;
};
FreeTextReportFigures freeTextReportFigures(const ExerciseResults& results);

struct FreeTextReportClasses {
    int upper = 0, lower = 0, digits = 0, punctuation = 0, special = 0, blanks = 0;
};
// Classes by the Windows-1252 code of each character; controls are not
// counted, and a character the code page lacks counts as special.
FreeTextReportClasses CountCharacterClasses(const QString& text);

// Rating codes 'O', 'B', 'S', 'I'; a null QChar when the figure has no value.
QChar RateSpeed(std::optional<double> perMinute, bool expertMode);
QChar RateErrors(int keystrokes, int errors, bool expertMode);
QChar RateOverall(QChar speed, QChar errors);
// The word of a code from label slots 19..22; empty for no code.
QString freeTextRatingWord(QChar code, const QStringList& labels);

// Numbers as the report shows them, in the user's locale without digit
// grouping: a ratio as a percentage with one decimal ("99,2%"), a value with
// one decimal ("146,3"). A missing value shows as a dash.
QString freeTextPercent(std::optional<double> ratio, const QLocale& locale = QLocale());
QString freeTextOneDecimal(std::optional<double> value, const QLocale& locale = QLocale());

// The name of a file after its last folder separator; empty without one.
QString freeTextFileName(const QString& path);

}  // namespace tastolino
