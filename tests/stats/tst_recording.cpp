// Recording: the tally the engine fills while a sentence is typed, and the
// rows a finished sentence leaves in the database.
#include "StatsTestUtil.h"
#include "stats/KeystrokeTally.h"
#include "stats/StatsSchema.h"
#include "stats/StatsStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace tastolino;
using namespace stats_test;

namespace {

// Types `text` the way the engine judges it: the LF of a line break is
// skipped (Enter types the CR), and at position i the keys wrong[i] come
// before the right one.
void type(KeystrokeTally& tally, const QString& text,
          const std::map<int, std::vector<char32_t>>& wrong = {}) {
    const QList<uint> chars = text.toUcs4();
    for (int i = 0; i < chars.size(); ++i) {
        const char32_t expected = chars[i];
        if (expected == U'\n') continue;
        if (const auto it = wrong.find(i); it != wrong.end())
            for (char32_t typed : it->second) tally.wrong(expected, typed);
        tally.right(expected);
    }
}

QString line(const KeyCount& k) {
    return QStringLiteral("%1>%2x%3").arg(k.expected).arg(k.typed).arg(k.count);
}

QStringList lines(const std::vector<KeyCount>& counts) {
    QStringList out;
    for (const KeyCount& k : counts) out << line(k);
    return out;
}

}  // namespace

class TestRecording : public QObject {
    Q_OBJECT

  private slots:
    // A sentence with a dead-key character, an AltGr symbol and a line
    // break, typed with known wrong keys: the pairs come out exactly.
    void tallyOfATypedSentence() {
        KeystrokeTally tally;
        // C a f é blank € 5 CR LF O k
        const QString text = QStringLiteral("Café €5\r\nOk");
        // é typed as e then as the acute accent alone; € as e; Enter as a
        // blank; O as 0.
        type(tally, text, {{3, {U'e', U'\u00B4'}}, {5, {U'e'}}, {7, {U' '}}, {9, {U'0'}}});
        QCOMPARE(tally.rightTotal(), 10);
        QCOMPARE(tally.wrongTotal(), 5);
        QCOMPARE(lines(tally.counts()), (QStringList{
                                            "13>13x1", "13>32x1",  // Enter, and a blank for it
                                            "32>32x1",             // the blank
                                            "53>53x1",             // 5
                                            "67>67x1",             // C
                                            "79>48x1", "79>79x1",  // O, and 0 for it
                                            "97>97x1", "102>102x1", "107>107x1", "233>101x1",
                                            "233>180x1", "233>233x1",     // é
                                            "8364>101x1", "8364>8364x1",  // €
                                        }));
        // A character beyond Latin-1 expected twice is counted, not listed twice.
        tally.right(U'€');
        QCOMPARE(tally.counts().back(), (KeyCount{U'€', U'€', 2}));
        tally.clear();
        QVERIFY(tally.empty());
        QVERIFY(tally.counts().empty());
        type(tally, QStringLiteral("aa"));
        QCOMPARE(lines(tally.counts()), QStringList{"97>97x2"});
    }

    // The database holds the sentence's figures as given and the key pairs
    // per user and day; an empty user name is a user of its own.
    void finishedSentencesBecomeRows() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        // Nothing is opened or created before the first record.
        QVERIFY(!QFileInfo::exists(store.path()));
        QCOMPARE(store.state(), StatsStore::State::Closed);

        KeystrokeTally tally;
        type(tally, QStringLiteral("Café"), {{3, {U'e'}}});
        SentenceRecord r = sentence(QStringLiteral("Anna"), baseTime());
        r.source = SourceKind::CustomExercise;
        r.file = QStringLiteral("/x/Esercizi/Mio.lez");
        r.level = 2;
        r.category = 1;
        r.characters = 4;
        r.milliseconds = 2500;
        r.keystrokes = 5;
        r.errors = 1;
        r.speed = 120;
        r.score = 40;
        r.keys = tally.counts();
        QVERIFY(store.record(r));
        QVERIFY(QFileInfo::exists(store.path()));

        // The same sentence again, later the same day, by the empty name.
        r.user = QString();
        r.time = baseTime().addSecs(60);
        QVERIFY(store.record(r));

        // A free text the next day: no score.
        SentenceRecord free = sentence(QStringLiteral("Anna"), baseTime().addDays(1), 3, 1, 146.3);
        free.source = SourceKind::TextFile;
        free.level = 3;
        free.score.reset();
        free.keys = {{U'\r', U'\r', 1}, {U'b', U'b', 1}, {U'b', U'n', 1}};
        QVERIFY(store.record(free));

        const QSqlDatabase db = store.database();
        QCOMPARE(rows(db, "SELECT id, name FROM users ORDER BY id"), (QStringList{"1|Anna", "2|"}));
        const qint64 t0 = baseTime().toMSecsSinceEpoch();
        const qint64 day = QDate(2026, 12, 8).toJulianDay();
        QCOMPARE(rows(db,
                      "SELECT user_id, time_ms, utc_offset, day, source, file, level, category,"
                      " characters, duration_ms, keystrokes, errors, speed, score"
                      " FROM sentences ORDER BY id"),
                 (QStringList{
                     QStringLiteral("1|%1|3600|%2|2|/x/Esercizi/Mio.lez|2|1|4|2500|5|1|120|40")
                         .arg(t0)
                         .arg(day),
                     QStringLiteral("2|%1|3600|%2|2|/x/Esercizi/Mio.lez|2|1|4|2500|5|1|120|40")
                         .arg(t0 + 60000)
                         .arg(day),
                     QStringLiteral("1|%1|3600|%2|3||3|0|2|20000|3|1|146.3|")
                         .arg(t0 + 86400000)
                         .arg(day + 1),
                 }));
        QCOMPARE(rows(db, "SELECT user_id, expected, typed, day - " + QString::number(day) +
                              ", count FROM key_days ORDER BY user_id, day, expected, typed"),
                 (QStringList{"1|67|67|0|1", "1|97|97|0|1", "1|102|102|0|1", "1|233|101|0|1",
                              "1|233|233|0|1", "1|13|13|1|1", "1|98|98|1|1", "1|98|110|1|1",
                              "2|67|67|0|1", "2|97|97|0|1", "2|102|102|0|1", "2|233|101|0|1",
                              "2|233|233|0|1"}));
        // The same day adds up instead of adding rows.
        QVERIFY(store.record(r));
        QCOMPARE(rows(db, "SELECT count FROM key_days WHERE user_id = 2 AND expected = 233"),
                 (QStringList{"2", "2"}));
    }

    // Sittings: sentences less than half an hour apart belong together; a
    // longer pause, or a clock set back, starts a new one.
    void sittings() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        const QDateTime t = baseTime();
        for (const QDateTime& when :
             {t, t.addSecs(29 * 60), t.addSecs(58 * 60), t.addSecs(89 * 60), t.addSecs(60 * 60)})
            QVERIFY(store.record(sentence(QStringLiteral("Anna"), when)));
        QVERIFY(store.record(sentence(QStringLiteral("Ben"), t.addSecs(60))));
        const auto ms = [&t](int minutes) {
            return QString::number(t.addSecs(minutes * 60).toMSecsSinceEpoch());
        };
        QCOMPARE(rows(store.database(), "SELECT session FROM sentences ORDER BY id"),
                 (QStringList{ms(0), ms(0), ms(0), ms(89), ms(60), ms(1)}));

        // The edge: exactly half an hour apart still belongs together, a
        // millisecond more does not.
        QTemporaryDir edgeDir;
        StatsStore edge(edgeDir.filePath(QStringLiteral("e.sqlite")));
        const QDateTime halfHourOn = t.addSecs(30 * 60);
        const QDateTime pastTheGap = halfHourOn.addMSecs(30 * 60 * 1000 + 1);
        for (const QDateTime& when : {t, halfHourOn, pastTheGap})
            QVERIFY(edge.record(sentence(QStringLiteral("Anna"), when)));
        QCOMPARE(rows(edge.database(), "SELECT session FROM sentences ORDER BY id"),
                 (QStringList{ms(0), ms(0), QString::number(pastTheGap.toMSecsSinceEpoch())}));
    }
};

QTEST_GUILESS_MAIN(TestRecording)
#include "tst_recording.moc"
