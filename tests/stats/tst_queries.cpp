// What the statistics window asks: progress per day and per sitting over a
// period, the figures of each character, the fingers and the weakest
// characters.
#include "StatsFixture.h"
#include "StatsTestUtil.h"
#include "keyboard/KeySet.h"
#include "stats/FingerMap.h"
#include "stats/StatsQueries.h"
#include "stats/StatsStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tastolino;
using namespace stats_test;

namespace {

// The keyboard's division as the window passes it in: the kinds are listed
// in the same order on both sides.
FingerMap keyboardFingers(bool ergonomic) {
    return FingerMap([ergonomic](int key) { return FingerKind(int(fingerOf(key, ergonomic))); });
}

QStringList weakList(const std::vector<CharacterStats>& list) {
    QStringList out;
    for (const CharacterStats& c : list) out << QString::fromUcs4(&c.character, 1);
    return out;
}

}  // namespace

class TestQueries : public QObject {
    Q_OBJECT

  private slots:
    void progressOverPeriods() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        const QDateTime now = baseTime();  // 8 December, 10:00
        const QDate today = now.date();
        // day offset, minutes after 10:00, keystrokes, errors, speed
        const int plan[][5] = {{-40, 0, 100, 10, 90}, {-10, 0, 100, 5, 100}, {-6, 0, 50, 0, 110},
                               {-6, 20, 50, 5, 130},  {0, -120, 40, 2, 150}, {0, 0, 60, 0, 170}};
        for (const auto& p : plan)
            QVERIFY(store.record(sentence(QStringLiteral("Anna"),
                                          now.addDays(p[0]).addSecs(p[1] * 60), p[2], p[3], p[4])));
        QVERIFY(store.record(sentence(QStringLiteral("Ben"), now, 10, 9, 30)));

        StatsQueries q(store);
        QCOMPARE(q.users(), (QStringList{"Anna", "Ben"}));
        const auto days = [&](Period period) {
            QStringList out;
            for (const ProgressPoint& p : q.progressPerDay(QStringLiteral("Anna"), period, today))
                out << QStringLiteral("%1 %2x %3 %4")
                           .arg(today.daysTo(p.day))
                           .arg(p.sentences)
                           .arg(p.speed)
                           .arg(p.errorRate());
            return out;
        };
        QCOMPARE(days(Period::Last7Days), (QStringList{"-6 2x 120 0.05", "0 2x 160 0.02"}));
        QCOMPARE(days(Period::Last30Days),
                 (QStringList{"-10 1x 100 0.05", "-6 2x 120 0.05", "0 2x 160 0.02"}));
        QCOMPARE(days(Period::AllDays).size(), 4);
        QCOMPARE(days(Period::AllDays).first(), QStringLiteral("-40 1x 90 0.1"));

        // Sittings: the two sentences today are two hours apart.
        const std::vector<ProgressPoint> sittings =
            q.progressPerSitting(QStringLiteral("Anna"), Period::Last7Days, today);
        QCOMPARE(sittings.size(), size_t(3));
        QCOMPARE(sittings[0].sentences, 2);
        QCOMPARE(sittings[0].day, today.addDays(-6));
        QCOMPARE(sittings[1].startMs, now.addSecs(-7200).toMSecsSinceEpoch());
        QCOMPARE(sittings[2].speed, 170.0);
        QCOMPARE(q.progressPerSitting(QStringLiteral("Anna"), Period::AllDays, today).size(),
                 size_t(5));
        // Nobody of that name: nothing, and nothing is made up.
        QVERIFY(q.progressPerDay(QStringLiteral("Carla"), Period::AllDays, today).empty());
        QVERIFY(q.characters(QString(), Period::AllDays, today).empty());
        QCOMPARE(firstDayOf(Period::Last30Days, today), QDate(2026, 11, 9));
    }

    void charactersAndWhatCameInstead() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        SentenceRecord r = sentence(QStringLiteral("Anna"), baseTime());
        r.keys = {{U'a', U'a', 30}, {U'a', U'q', 1},  {U'a', U's', 3},
                  {U'ö', U'o', 2},  {U'ö', U'ö', 18}, {U'\r', U' ', 1}};
        QVERIFY(store.record(r));
        r.time = baseTime().addDays(-20);
        r.keys = {{U'a', U'q', 4}};
        QVERIFY(store.record(r));

        StatsQueries q(store);
        const auto week =
            q.characters(QStringLiteral("Anna"), Period::Last7Days, baseTime().date());
        QCOMPARE(week.size(), size_t(3));
        QCOMPARE(week[0].character, U'\r');
        QCOMPARE(week[0].keystrokes, 1);
        QVERIFY(!week[0].enoughData());
        const CharacterStats& a = week[1];
        QCOMPARE(a.keystrokes, 34);
        QCOMPARE(a.errors, 4);
        QCOMPARE(a.typedInstead, (std::vector<std::pair<char32_t, int>>{{U's', 3}, {U'q', 1}}));
        // Over all days the older slips count too and lead the list.
        const auto all = q.characters(QStringLiteral("Anna"), Period::AllDays, baseTime().date());
        QCOMPARE(all[1].typedInstead,
                 (std::vector<std::pair<char32_t, int>>{{U'q', 5}, {U's', 3}}));
        QCOMPARE(weakList(weakestCharacters(all)), (QStringList{"a", "ö"}));
    }

    // Highest rate first; equal rates: more errors first, then the code;
    // too few keystrokes or no error: not weak.
    void weakestRanking() {
        const std::vector<CharacterStats> list = {
            chars(U'b', 18, {{U'n', 2}}),             // 10 %
            chars(U'c', 36, {{U'x', 4}}),             // 10 %, more errors
            chars(U'd', 10, {{U's', 9}}),             // 19 keystrokes: too few
            chars(U'e', 100),                         // no error
            chars(U'f', 17, {{U'g', 2}, {U'r', 1}}),  // 15 %
            chars(U'a', 18, {{U'q', 2}}),             // 10 %, same as b
        };
        QCOMPARE(weakList(weakestCharacters(list)), (QStringList{"f", "c", "a", "b"}));
        QCOMPARE(weakList(weakestCharacters(list, 2)), (QStringList{"f", "c"}));
        QCOMPARE(weakList(weakestCharacters(list, 10, 19)), (QStringList{"d", "f", "c", "a", "b"}));
        // The default threshold is where one slip stops reading as more
        // than 5 %: a character with that many keystrokes is ranked, one
        // with a keystroke fewer is not.
        QVERIFY(1.0 / kMinKeystrokesForRate <= 0.05);
        QVERIFY(1.0 / (kMinKeystrokesForRate - 1) > 0.05);
        const std::vector<CharacterStats> edge = {
            chars(U'g', kMinKeystrokesForRate - 1, {{U'h', 1}}),
            chars(U'k', kMinKeystrokesForRate - 2, {{U'l', 1}}),
        };
        QVERIFY(edge[0].enoughData());
        QVERIFY(!edge[1].enoughData());
        QCOMPARE(weakList(weakestCharacters(edge)), (QStringList{"g"}));
    }

    // Hands from the map (the Shift of the other hand), fingers from the
    // keyboard's division; Y, X, C and the lower right keys change fingers
    // with the ergonomic division.
    void fingers() {
        QCOMPARE(handOfKey(25), Hand::Right);  // B
        QCOMPARE(handOfKey(46), Hand::Left);   // 6
        QCOMPARE(handOfKey(45), Hand::Right);  // 7
        QCOMPARE(handOfKey(20), Hand::Left);   // < >
        QCOMPARE(handOfKey(52), Hand::Left);   // ^ °
        QCOMPARE(handOfKey(51), Hand::Right);  // acute dead key
        QCOMPARE(handOfKey(48), Hand::Right);  // Enter
        QCOMPARE(handOfKey(30), Hand::None);   // Shift types nothing

        const FingerMap classic = keyboardFingers(false);
        const FingerMap ergonomic = keyboardFingers(true);
        QCOMPARE(classic.ofChar(U'a'), FingerId::LeftLittle);
        QCOMPARE(classic.ofChar(U'j'), FingerId::RightIndex);
        QCOMPARE(classic.ofChar(U'é'), FingerId::LeftMiddle);  // on E
        QCOMPARE(classic.ofChar(U'€'), FingerId::LeftMiddle);
        QCOMPARE(classic.ofChar(U'\r'), FingerId::RightLittle);
        QCOMPARE(classic.ofChar(U' '), FingerId::Thumbs);
        QCOMPARE(classic.ofChar(U'ß'), FingerId::RightLittle);
        QCOMPARE(classic.ofChar(U'\t'), FingerId::None);
        QCOMPARE(classic.ofChar(U'y'), FingerId::LeftRing);
        QCOMPARE(ergonomic.ofChar(U'y'), FingerId::LeftLittle);
        QCOMPARE(classic.ofChar(U'.'), FingerId::RightLittle);
        QCOMPARE(ergonomic.ofChar(U'.'), FingerId::RightRing);

        const std::vector<CharacterStats> list = {
            chars(U'y', 10, {{U'x', 10}}),  // 50 %
            chars(U'a', 30, {{U'q', 10}}),  // 25 %
            chars(U'j', 100, {{U'k', 1}}),  // 1 %
            chars(U'.', 50),
        };
        const auto order = [&](const FingerMap& m) {
            QList<int> out;
            for (const FingerStats& f : fingersByErrorRate(list, m)) out << int(f.finger);
            return out;
        };
        using F = FingerId;
        QCOMPARE(order(classic), (QList<int>{int(F::LeftRing), int(F::LeftLittle),
                                             int(F::RightIndex), int(F::RightLittle)}));
        // Ergonomic: y joins a on the little finger: 20 of 60.
        QCOMPARE(order(ergonomic),
                 (QList<int>{int(F::LeftLittle), int(F::RightIndex), int(F::RightRing)}));
        QCOMPARE(fingersByErrorRate(list, ergonomic).front().keystrokes, 60);
    }

    // The made-up history of six weeks for screenshots reads like a
    // learner's: most days practised, faster at the end than at the start,
    // the planted weak characters on top.
    void madeUpHistory() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        HistoryPlan plan;
        plan.lastDay = baseTime().date();
        QVERIFY(makeHistory(store, plan));
        StatsQueries q(store);
        const auto days = q.progressPerDay(plan.user, Period::AllDays, plan.lastDay);
        QVERIFY(days.size() >= 25 && days.size() <= 42);
        QCOMPARE(days.back().day, plan.lastDay);
        QVERIFY(days.back().speed > days.front().speed + 60);
        QVERIFY(days.back().errorRate() < days.front().errorRate());
        int sentences = 0;
        for (const ProgressPoint& p : days) sentences += p.sentences;
        QCOMPARE(sentences, plan.sentences);
        const QStringList weak =
            weakList(weakestCharacters(q.characters(plan.user, Period::AllDays, plan.lastDay), 5));
        QVERIFY2(weak.contains(QStringLiteral("Ä")) && weak.contains(QStringLiteral("ö")),
                 qPrintable(weak.join(QLatin1Char(' '))));
    }
};

QTEST_MAIN(TestQueries)
#include "tst_queries.moc"
