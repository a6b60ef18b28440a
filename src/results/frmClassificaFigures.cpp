#include "results/frmClassificaFigures.h"

#include "settings/LanguageSupport.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tastolino {
namespace {

// Int() of a single-precision figure.
int wholeOf(float v) {
    return std::isfinite(v) ? int(std::floor(std::clamp(v, -1e9f, 1e9f))) : 0;
}

}  // namespace

QStringList resultsTexts(bool fromFile) {
    // Identifier, the Italian text where the window's own differs from the
    // list of interface texts, and how the text stands in the entry, built
    // in and from a language file ("%1" is the text).
    struct Entry {
        const char* id;
        const char* italian;
        const char* builtIn;
        const char* withFile;
    };
    static const Entry entries[33] = {
        {"0091", "battute / sec", "%1", "%1"}, {"0092", "battute / min", "%1", "%1"},
        {"0093", nullptr, "%1 ", "%1 "},       {"0094", nullptr, "%1", "%1"},
        {"0095", nullptr, "%1", "%1"},         {"0096", nullptr, "%1", "%1"},
        {"0097", nullptr, " %1", "%1"},        {"0098", nullptr, "%1", "%1"},
        {"0099", nullptr, "%1", "%1"},         {"0100", nullptr, "%1", "%1"},
        {"0101", nullptr, "%1 ", "%1   "},     {"0102", nullptr, "%1 ", "%1 "},
        {"0103", nullptr, "%1 ", "%1 "},       {"0076", nullptr, "%1", "%1"},
        {"0077", nullptr, "%1 ", "%1"},        {"0078", nullptr, "%1", "%1"},
        {"0079", nullptr, "%1", "%1"},         {"0080", nullptr, "%1", "%1"},
        {"0081", nullptr, "%1", "%1"},         {"0082", nullptr, "%1", "%1"},
        {"0083", nullptr, "%1", "%1"},         {"0104", nullptr, "%1 ", "%1"},
        {"0105", nullptr, "%1", "%1"},         {"0107", nullptr, "%1", "%1"},
        {"0108", nullptr, "%1", "%1"},         {"0109", nullptr, "%1", "%1"},
        {"0110", nullptr, "%1", "%1"},         {"0111", nullptr, "%1", "%1"},
        {"0135", nullptr, "%1", "%1"},         {"0139", nullptr, "%1", "%1"},
        {"0140", nullptr, "%1", "%1"},         {"0141", nullptr, "%1", "%1"},
        {"0142", nullptr, "%1", "%1"},
    };
    QStringList texts;
    for (const Entry& e : entries)
        texts << PlacedLangString(fromFile, QString::fromLatin1(e.id), e.builtIn, e.withFile,
                                  QString::fromUtf8(e.italian));
    return texts;
}

int resultsScore(float speed, float scoreFactor) {
    // Single precision at every step, in the order written.
    const float raw = speed * scoreFactor * 100.0f;
    const int score = wholeOf(raw);
    return score > 99 ? 100 : score;
}

LevelFigures levelFigures(const ExerciseResults& results, int first) {
    LevelFigures f;
    f.first = first;
    double speedSum = 0;
    int scoreSum = 0;
    for (int i = 0; i < 5; ++i) {
        const int n = first + i;
        const float speed = n >= 1 && n <= 15 ? results.sentenceSpeeds[size_t(n)] : 0.f;
        f.kpm[size_t(i)] = qRound(double(speed) * 60);
        f.scores[size_t(i)] = resultsScore(speed, results.scoreFactor);
        speedSum += speed;
        scoreSum += f.scores[size_t(i)];
    }
    f.averageSpeed = float(speedSum / 5);
    f.averageKpm = qRound(double(f.averageSpeed) * 60);
    f.averageScore = int(std::nearbyint(scoreSum / 5.0));  // halves to even
    f.symbol = ratingSymbolIndex(f.averageScore);
    return f;
}

int ratingSymbolIndex(int score) {
    if (score <= 20) return 0;
    if (score <= 40) return 1;
    if (score <= 60) return 2;
    if (score <= 80) return 3;
    return 4;
}

int ratingWordIndex(int errorCount, int correctCount, bool expertMode) {
    // Without a correct keystroke there is no ratio: no errors is the best
    // word, errors alone the worst.
    if (correctCount <= 0) return errorCount > 0 ? 3 : 0;
    const double r = errorCount * 100.0 / correctCount;
    const double t1 = expertMode ? 0.5 : 2, t2 = expertMode ? 0.75 : 3, t3 = expertMode ? 1.0 : 4;
    if (r <= t1) return 0;
    if (r <= t2) return 1;
    if (r <= t3) return 2;
    return 3;
}

QString closingMessage(const QStringList& texts, ResultsReason reason, int currentLevel) {
    auto t = [&texts](int i) { return i < texts.size() ? texts[i] : QString(); };
    if (reason == ResultsReason::LevelEnded)
        return t(21) + QLatin1Char(' ') + QString::number(currentLevel) + QStringLiteral(".\n\n") +
               t(22) + QLatin1Char('\n') + t(24);
    if (reason == ResultsReason::ExerciseEnded)
        return t(25) + QStringLiteral("\n\n") + t(26) + QLatin1Char('\n') + t(27);
    return {};
}

}  // namespace tastolino
