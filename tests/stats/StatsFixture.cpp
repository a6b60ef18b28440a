#include "StatsFixture.h"

#include "stats/KeystrokeTally.h"
#include "stats/StatsStore.h"

#include <QTimeZone>

#include <random>
#include <vector>

namespace tastolino {
namespace {

const char16_t* const kWords[] = {
    u"Der",   u"kleine", u"Fuchs", u"läuft",   u"über",  u"die",      u"große", u"Wiese",
    u"und",   u"sucht",  u"Mäuse", u"Heute",   u"fährt", u"Jörg",     u"mit",   u"dem",
    u"Zug",   u"nach",   u"Köln",  u"Straße",  u"Büro",  u"Yacht",    u"Taxi",  u"quer",
    u"Größe", u"schön",  u"grün",  u"Mädchen", u"zwölf", u"Brötchen", u"Äpfel", u"kostet",
    u"5",     u"Euro",   u"€",     u"heißt",   u"Paul?", u"Ja,",      u"gern!", u"(nie)",
};

// Characters that go wrong more often, and what comes instead.
struct Weakness {
    char32_t ch;
    double factor;
    char32_t instead;
};
const Weakness kWeak[] = {{U'ö', 4, U'ä'},   {U'ü', 3, U'+'},  {U'ß', 4, U'?'}, {U'y', 3, U'z'},
                          {U'x', 2.5, U'c'}, {U'q', 3, U'w'},  {U'Ä', 5, U'A'}, {U',', 2, U'.'},
                          {U'€', 4, U'e'},   {U'\r', 2, U' '}, {U'?', 3, U'ß'}};

char32_t neighbour(char32_t c, std::mt19937& rng) {
    for (const Weakness& w : kWeak)
        if (w.ch == c) return w.instead;
    static const char32_t nearby[] = U"asdfghjklqwertzuiopyxcvbnm";
    return nearby[rng() % 26];
}

double weakness(char32_t c) {
    for (const Weakness& w : kWeak)
        if (w.ch == c) return w.factor;
    return 1;
}

}  // namespace

bool makeHistory(StatsStore& store, const HistoryPlan& plan) {
    std::mt19937 rng(plan.seed);
    std::uniform_real_distribution<double> unit(0, 1);
    // About two days off a week; the last day is always practised.
    std::vector<bool> practised(size_t(std::max(1, plan.days)));
    int practisedDays = 0;
    for (size_t d = 0; d < practised.size(); ++d) {
        practised[d] = d == 0 || unit(rng) >= 2.0 / 7;
        practisedDays += practised[d];
    }
    const int perDay = (plan.sentences + practisedDays - 1) / practisedDays;
    std::vector<SentenceRecord> batch;
    int made = 0;
    KeystrokeTally tally;
    for (int d = plan.days - 1; d >= 0 && made < plan.sentences; --d) {
        const QDate day = plan.lastDay.addDays(-d);
        if (!practised[size_t(d)]) continue;
        const double progress = 1.0 - double(d) / plan.days;
        QDateTime time(day, QTime(16, 0).addSecs(int(unit(rng) * 4 * 3600)), QTimeZone(3600));
        for (int n = 0; n < perDay && made < plan.sentences; ++n, ++made) {
            if (n > 0 && n % 15 == 0) time = time.addSecs(3600 + int(unit(rng) * 3600));
            const bool freeText = n % 97 == 96;
            QString text;
            while (text.size() < (freeText ? 900 : 42)) {
                if (!text.isEmpty())
                    text += (text.size() > 30 && !freeText && unit(rng) < 0.3)
                                ? QStringLiteral("\r\n")
                                : QStringLiteral(" ");
                text += QString::fromUtf16(kWords[rng() % std::size(kWords)]);
            }
            tally.clear();
            const double errorRate = 0.06 - 0.04 * progress;
            for (char32_t c : text.toUcs4()) {
                if (c == U'\n') continue;
                if (unit(rng) < errorRate * weakness(c)) tally.wrong(c, neighbour(c, rng));
                tally.right(c);
            }
            const double kpm = 90 + 130 * progress + (unit(rng) - 0.5) * 30;
            const int seconds = std::max(1, int(text.size() * 60 / kpm));
            time = time.addSecs(seconds + 5 + int(unit(rng) * 20));
            SentenceRecord r;
            r.user = plan.user;
            r.time = time;
            r.source = freeText               ? SourceKind::TextFile
                       : (made / 15) % 3 == 0 ? SourceKind::InternalSentences
                                              : SourceKind::CourseLesson;
            r.file = r.source == SourceKind::InternalSentences ? QString()
                                                               : QStringLiteral("Lezione01.lez");
            r.level = freeText ? 3 : 1 + (n % 15) / 5;
            r.characters = int(text.size());
            r.milliseconds = qint64(seconds) * 1000;
            r.keystrokes = tally.rightTotal() + tally.wrongTotal();
            r.errors = tally.wrongTotal();
            r.speed = freeText ? std::round(kpm * 10) / 10
                               : std::round(double(text.size()) * 60 / seconds);
            if (!freeText) r.score = std::clamp(int(r.speed / 60 * 40), 0, 100);
            r.keys = tally.counts();
            batch.push_back(std::move(r));
            if (batch.size() >= 5000) {
                if (!store.record(batch)) return false;
                batch.clear();
            }
        }
    }
    return batch.empty() || store.record(batch);
}

bool makeTwoYearHistory(const QString& path, int sentences, const QDate& lastDay) {
    StatsStore store(path);
    HistoryPlan plan;
    plan.lastDay = lastDay;
    plan.days = 730;
    plan.sentences = sentences;
    return makeHistory(store, plan);
}

}  // namespace tastolino
