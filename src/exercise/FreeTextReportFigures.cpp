#include "exercise/FreeTextReportFigures.h"

#include "settings/LanguageSupport.h"
#include "text/Cp1252.h"

#include <cmath>

namespace tastolino {
namespace {

// Speed thresholds in keystrokes per minute and error thresholds in percent,
// best first: beginner, expert.
constexpr double kSpeedLimits[2][3] = {{150, 100, 50}, {240, 180, 120}};
constexpr double kErrorLimits[2][3] = {{2, 3, 4}, {0.5, 0.75, 1.0}};
constexpr char kCodes[4] = {'O', 'B', 'S', 'I'};

}  // namespace

QStringList freeTextReportLabels(bool fromFile) {
    static const char* const ids[25] = {"0091", "0092", "0128", "0129", "0130", "0131", "0132",
                                        "0103", "0133", "0127", "0134", "0135", "0101", "0144",
                                        "0145", "0146", "0147", "0148", "0149", "0139", "0140",
                                        "0141", "0142", "0150", "0152"};
    // This window has always spelt the busy-file message its own way.
    const QString fileLocked =
        QStringLiteral("Per creare un nuovo file pdf occorre chiudure quello attualmente aperto.");
    QStringList labels;
    for (int i = 0; i < 25; ++i)
        labels << PlacedLangString(fromFile, QString::fromLatin1(ids[i]), "%1", "%1",
                                   i == kSlotFileLocked ? fileLocked : QString());
    return labels;
}

FreeTextReportFigures freeTextReportFigures(const ExerciseResults& r) {
    FreeTextReportFigures f;
    f.keystrokes = r.correctCount;
    f.errors = r.errorCount;
    f.words = r.spaceCount;
    // Whole seconds, rounded as a time of day is; a negative or absurd value
    // (a clock set back) counts as no time at all.
    const double days = r.freeTextElapsedDays;
    const long long total =
        std::isfinite(days) && days > 0 && days < 365 ? std::llround(days * 86400.0) : 0;
    f.hours = int(total / 3600);
    f.minutes = int(total / 60 % 60);
    f.seconds = int(total % 60);
    f.totalSeconds = int(total);
    f.timeText = QStringLiteral("%1:%2:%3")
                     .arg(f.hours, 2, 10, QLatin1Char('0'))
                     .arg(f.minutes, 2, 10, QLatin1Char('0'))
                     .arg(f.seconds, 2, 10, QLatin1Char('0'));
    if (f.keystrokes > 0) {
        f.exactRatio = double(f.keystrokes - f.errors) / f.keystrokes;
        f.errorRatio = double(f.errors) / f.keystrokes;
    }
    if (f.totalSeconds > 0) {
        f.perSecond = double(f.keystrokes) / f.totalSeconds;
        f.perMinute = *f.perSecond * 60.0;
    }
    return f;
}

FreeTextReportClasses CountCharacterClasses(const QString& text) {
    FreeTextReportClasses c;
    for (const char32_t ch : text.toUcs4()) {
        const int code = cp1252::fromUnicode(ch);
        if (code < 0 || code >= 128) {
            ++c.special;  // accented letters and everything beyond ASCII
        } else if (code < 32) {
            continue;
        } else if (code == 32) {
            ++c.blanks;
        } else if (code >= '0' && code <= '9') {
            ++c.digits;
        } else if (code >= 'A' && code <= 'Z') {
            ++c.upper;
        } else if (code >= 'a' && code <= 'z') {
            ++c.lower;
        } else if (QByteArrayView("!,.:;?").contains(char(code))) {
            ++c.punctuation;
        } else {
            ++c.special;
        }
    }
    return c;
}

QChar RateSpeed(std::optional<double> perMinute, bool expertMode) {
    if (!perMinute) return {};
    const double* t = kSpeedLimits[expertMode ? 1 : 0];
    const double v = *perMinute;
    if (v > t[0]) return QLatin1Char(kCodes[0]);
    if (v > t[1]) return QLatin1Char(kCodes[1]);
    if (v > t[2]) return QLatin1Char(kCodes[2]);
    return QLatin1Char(kCodes[3]);
}

QChar RateErrors(int keystrokes, int errors, bool expertMode) {
    if (keystrokes <= 0) return {};
    const double* t = kErrorLimits[expertMode ? 1 : 0];
    const double p = double(errors) / keystrokes * 100.0;
    if (p <= t[0]) return QLatin1Char(kCodes[0]);
    if (p <= t[1]) return QLatin1Char(kCodes[1]);
    if (p <= t[2]) return QLatin1Char(kCodes[2]);
    return QLatin1Char(kCodes[3]);
}

QChar RateOverall(QChar speed, QChar errors) {
    if (speed.isNull() || errors.isNull()) return {};
    // The weaker of the two rules, except that a sufficient speed with the
    // best accuracy still earns "Buono" and a poor speed sinks everything.
    if (speed == QLatin1Char('I') || errors == QLatin1Char('I')) return QLatin1Char('I');
    if (errors == QLatin1Char('S')) return QLatin1Char('S');
    if (speed == QLatin1Char('S') || errors == QLatin1Char('B')) return QLatin1Char('B');
    return QLatin1Char('O');
}

QString freeTextRatingWord(QChar code, const QStringList& labels) {
    for (int i = 0; i < 4; ++i)
        if (code == QLatin1Char(kCodes[i])) return labels.value(kSlotFirstRating + i);
    return {};
}

static QLocale withoutGrouping(QLocale locale) {
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale;
}

QString freeTextPercent(std::optional<double> ratio, const QLocale& locale) {
    if (!ratio) return QStringLiteral("-");
    return withoutGrouping(locale).toString(*ratio * 100.0, 'f', 1) + QLatin1Char('%');
}

QString freeTextOneDecimal(std::optional<double> value, const QLocale& locale) {
    if (!value) return QStringLiteral("-");
    return withoutGrouping(locale).toString(*value, 'f', 1);
}

QString freeTextFileName(const QString& path) {
    const qsizetype sep =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return sep < 0 ? QString() : path.mid(sep + 1);
}

}  // namespace tastolino
