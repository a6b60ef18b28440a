#include "exercise/Scoring.h"

#include "exercise/MessageTable.h"
#include "platform/Seams.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tastolino {
namespace {

uint32_t rgb(int r, int g, int b) {
    auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return c(r) | (c(g) << 8) | (c(b) << 16);
}

QString at(const QStringList& list, int i) {
    return i >= 0 && i < list.size() ? list[i] : QString();
}

}  // namespace

void SetCategory(ExerciseResults& results, int index, const QStringList& messages) {
    const bool expert = index == 1;
    results.categoryIndex = expert ? 1 : 0;
    results.categoryName = messageText(messages, expert ? Message::Expert : Message::Beginner);
    results.scoreFactor = expert ? 0.2f : 0.4f;
    results.expertMode = expert;
}

uint32_t underlineColour(int categoryIndex) {
    return categoryIndex == 1 ? kUnderlineExpert : kUnderlineBeginner;
}

std::array<int, 2> speedBarEndIcons(int categoryIndex) {
    return categoryIndex == 1 ? std::array<int, 2>{429, 425} : std::array<int, 2>{424, 420};
}

int wholePart(float value) {
    if (!std::isfinite(value)) return 0;
    const float whole = std::floor(value);
    if (whole <= float(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (whole >= float(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}

float sentenceSpeed(int length, qint64 wholeSeconds) {
    float speed = 0;
    if (wholeSeconds > 0) speed = float(double(length) / double(wholeSeconds));
    return speed == 0 ? 5.0f : speed;
}

int sentenceScore(float scoreFactor, float speed) {
    // Every step in single precision, in the order written: factor x speed,
    // then x 100.
    const float raw = scoreFactor * speed * 100.0f;
    return std::clamp(wholePart(raw), 1, 100);
}

int calcolaMediaLevel(const ExerciseResults& results, int level) {
    if (level < 1 || level > 3) return 0;
    const float factor = results.scoreFactor;
    if (!(factor > 0)) return 0;
    const float cap = 1.0f / factor;
    const int first = 5 * level - 4;
    float sum = 0;
    for (int n = first; n < first + 5; ++n) sum += std::min(results.sentenceSpeeds[size_t(n)], cap);
    const float average = sum / 5.0f;
    return wholePart(factor * average * 100.0f);
}

int ScoreCategory(int score, int categoryIndex) {
    int category = 4;
    if (score <= 20)
        category = 0;
    else if (score <= 40)
        category = 1;
    else if (score <= 60)
        category = 2;
    else if (score <= 80)
        category = 3;
    return category + (categoryIndex == 1 ? 5 : 0);
}

int speedBarWidth(qint64 wholeSeconds, int textPos, int barFullWidth, float scoreFactor) {
    const int typed = textPos - 1;
    const float tenths = scoreFactor * 10.0f;
    if (typed <= 0 || !(tenths > 0)) return 0;
    const double secondsPerKey = double(wholeSeconds) / typed;
    // Whole-number conversions round halves to even, as the bar always did.
    const double unit = std::nearbyint(double(barFullWidth) / double(tenths));
    const double w = std::nearbyint(unit * secondsPerKey);
    return w <= barFullWidth ? int(w) : barFullWidth;
}

QString clockText(qint64 elapsedMs) {
    const qint64 seconds = std::max<qint64>(0, elapsedMs / 1000);
    return QStringLiteral("%1:%2")
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

Face ErrorRatioFace(int errorCount, int correctCount, bool expertMode) {
    static const Face faces[4] = {
        {0xFFFF00, QLatin1Char('B')},
        {0x00FF00, QLatin1Char('A')},
        {0xC0FFFF, QLatin1Char('C')},
        {0x8080FF, QLatin1Char('D')},
    };
    // Before the first correct key there is no ratio: no errors is the best
    // face, errors alone the worst.
    if (correctCount <= 0) return errorCount > 0 ? faces[3] : faces[0];
    const double ratio = errorCount * 100.0 / correctCount;
    const double t1 = expertMode ? 0.5 : 2, t2 = expertMode ? 0.75 : 3, t3 = expertMode ? 1.0 : 4;
    if (ratio <= t1) return faces[0];
    if (ratio <= t2) return faces[1];
    if (ratio <= t3) return faces[2];
    return faces[3];
}

uint32_t lampColour(int level, bool bright) {
    static const uint32_t dim[3] = {0x00C000, 0x00C0C0, 0x0040C0};
    static const uint32_t lit[3] = {0x00FF00, 0x00FFFF, 0x0000FF};
    const int i = std::clamp(level, 1, 3) - 1;
    return bright ? lit[i] : dim[i];
}

uint32_t bestBarRowColour(int level, int y) {
    const int v = 255 - 10 * y;
    switch (level) {
        case 1:
            return rgb(0, v, 0);
        case 2:
            return rgb(v, v, 0);
        default:
            return rgb(v, 0, 0);
    }
}

uint32_t messageShadeColour(int y) {
    return rgb(255 - 5 * y, 255 - 3 * y, 255 - y);
}

QString sentenceMessage(int score, bool newBest, float speed, const QStringList& messages,
                        const QString& perMinuteText, const QString& praise) {
    const QString kpm = QString::number(qRound64(double(speed) * 60));
    const QString sp = QStringLiteral(" ");
    const auto slot = [&messages](Message m) { return messageText(messages, m); };
    QString text = slot(Message::YouScored) + sp + QString::number(score) + sp +
                   slot(newBest ? Message::PointsWithRecord : Message::Points) + sp + kpm + sp +
                   slot(Message::Keystrokes) + sp + perMinuteText + QLatin1Char('\n');
    text += newBest ? slot(Message::RecordBeaten) + sp + slot(Message::PressEnter)
                    : sp + slot(Message::PressEnter);
    if (score >= 41) text = praise + sp + text;
    return text;
}

QString pickPraise(const QStringList& list) {
    const int position = int(seams::randomUnit() * 7 + 1);
    return at(list, position - 1);
}

}  // namespace tastolino
