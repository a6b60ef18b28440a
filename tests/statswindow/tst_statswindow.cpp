// The statistics window: the heat colours and the figures per key, and the
// window itself over a database of known sentences - the keyboard's
// colours and tooltips, the weakest characters, the fingers, the charts per
// day and per session, the periods, a user without records, and its size
// on the smallest screen.
#include "../stats/StatsTestUtil.h"
#include "StatsFixture.h"
#include "keyboard/CharKeyMap.h"
#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"
#include "stats/StatsStore.h"
#include "statswindow/KeyHeat.h"
#include "statswindow/frmStatistiche.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tastolino;
using namespace stats_test;

namespace {

SentenceRecord withKeys(const QDateTime& time, std::vector<KeyCount> keys) {
    SentenceRecord r = sentence(QStringLiteral("Anna"), time);
    r.keys = std::move(keys);
    r.keystrokes = r.errors = 0;
    for (const KeyCount& k : r.keys) {
        r.keystrokes += k.count;
        if (k.typed != k.expected) r.errors += k.count;
    }
    return r;
}

QList<QPointF> pointsOf(QChartView* view) {
    const auto series = view->chart()->series();
    if (series.isEmpty()) return {};
    return static_cast<QLineSeries*>(series.front())->points();
}

}  // namespace

class TestStatsWindow : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { BuildCharKeyMap(); }

    // Green at no errors, yellow at half the full rate, red from the full
    // rate on, grey below the keystrokes a rate needs.
    void heatColours() {
        QCOMPARE(heatColour(0.0), QColor(60, 190, 75));
        QCOMPARE(heatColour(kHeatFullRate / 2), QColor(245, 215, 60));
        QCOMPARE(heatColour(kHeatFullRate), QColor(225, 60, 50));
        QCOMPARE(heatColour(0.9), QColor(225, 60, 50));
        const QColor between = heatColour(kHeatFullRate / 4);
        QVERIFY(between.red() > 60 && between.red() < 245);
        KeyHeat few;
        few.keystrokes = kMinKeystrokesForRate - 1;
        few.errors = kMinKeystrokesForRate - 1;
        QCOMPARE(heatColour(few), QColor(200, 200, 200));
        few.keystrokes = kMinKeystrokesForRate;
        QCOMPARE(heatColour(few), QColor(225, 60, 50));
    }

    // A key adds up the characters it types - the letter, its capital and
    // the dead-key letters on it - and what was typed instead, most often
    // first; Enter lands on its key, a character without a key nowhere.
    void figuresPerKey() {
        const std::vector<CharacterStats> list = {
            chars(U'e', 50, {{U'r', 2}}), chars(U'E', 10, {{U'r', 1}, {U'w', 4}}),
            chars(U'\u00E9', 5, {{U'e', 1}}), chars(U'\r', 30, {{U' ', 3}}),
            chars(U'\u2603', 40, {{U'x', 40}})};
        const KeyboardHeat heat = keyboardHeat(list);
        const int e = heatKeyOf(U'e');
        QVERIFY(e >= 0);
        QCOMPARE(heatKeyOf(U'E'), e);
        QCOMPARE(heatKeyOf(U'\u00E9'), e);
        QCOMPARE(heat[size_t(e)].keystrokes, 52 + 15 + 6);
        QCOMPARE(heat[size_t(e)].errors, 8);
        using Pair = std::pair<char32_t, int>;
        QCOMPARE(heat[size_t(e)].typedInstead,
                 (std::vector<Pair>{{U'w', 4}, {U'r', 3}, {U'e', 1}}));
        const int enter = heatKeyOf(U'\r');
        QCOMPARE(heat[size_t(enter)].keystrokes, 33);
        QCOMPARE(heatKeyOf(U'\u2603'), -1);
        int total = 0;
        for (const KeyHeat& h : heat) total += h.keystrokes;
        QCOMPARE(total, 73 + 33);  // the snowman is nowhere

        QLocale::setDefault(QLocale(QLocale::Italian));
        QCOMPARE(heatToolTip(heat[size_t(enter)]),
                 QString::fromUtf8("Battute: 33\nErrori: 3 (9,1 %)\nDigitato invece: Spazio (3)"));
        KeyHeat few;
        few.keystrokes = 3;
        few.errors = 1;
        few.typedInstead = {{U'q', 1}};
        QCOMPARE(heatToolTip(few), QString::fromUtf8("Battute: 3\nErrori: 1 (-)\nTroppo poche "
                                                     "battute per una percentuale\nDigitato "
                                                     "invece: q (1)"));
        QCOMPARE(heatToolTip(KeyHeat{}), QString());
        // A language file's text wins.
        const TextLookup english = [](const QString& id) {
            return id == QLatin1String("9131") ? QStringLiteral("Keystrokes: %1") : QString();
        };
        QVERIFY(heatToolTip(few, english).startsWith(QStringLiteral("Keystrokes: 3\n")));
        QLocale::setDefault(QLocale::c());
    }

    // The window over known sentences: the weak key red with its tooltip,
    // a key with few keystrokes grey, the weakest characters and fingers in
    // order, one chart point per day or per session, and the periods.
    void windowShowsTheRecords() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        const QDateTime now = baseTime();
        // Ten days ago: a alone, few mistakes. Today, two sittings: ö often
        // typed as ä, s rarely wrong, q typed only five times.
        QVERIFY(store.record(withKeys(now.addDays(-10), {{U'a', U'a', 99}, {U'a', U's', 1}})));
        QVERIFY(store.record(withKeys(now.addSecs(-3 * 3600),
                                      {{U'\u00F6', U'\u00F6', 30}, {U'\u00F6', U'\u00E4', 10}})));
        QVERIFY(store.record(
            withKeys(now, {{U's', U's', 95}, {U's', U'd', 5}, {U'q', U'q', 4}, {U'q', U'w', 1}})));
        StatsWindowSetup setup;
        setup.user = QStringLiteral("Anna");
        setup.today = now.date();
        frmStatistiche w(store, setup);
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("cmdDrill")));

        // Last 30 days (the default), per day: two days.
        QCOMPARE(pointsOf(w.speedChart()).size(), 2);
        QCOMPARE(pointsOf(w.errorChart()).size(), 2);
        // Today's error rate: 16 of 145 keystrokes.
        QCOMPARE(pointsOf(w.errorChart()).back().y(), 16.0 * 100 / 145);

        KeyboardPanel* keyboard = w.keyboard();
        const int oe = heatKeyOf(U'\u00F6');
        QCOMPARE(keyboard->keyColour(oe), heatColour(0.25));
        QVERIFY(keyboard->keyToolTip(oe).contains(QString::fromUtf8("Digitato invece: ä (10)")));
        QCOMPARE(keyboard->keyColour(heatKeyOf(U'q')), QColor(200, 200, 200));
        QCOMPARE(keyboard->keyColour(heatKeyOf(U'a')), heatColour(0.01));
        QVERIFY(keyboard->keyToolTip(heatKeyOf(U'z')).isEmpty());

        QTableWidget* weakest = w.weakestTable();
        QCOMPARE(weakest->rowCount(), 3);  // q has too few keystrokes
        QCOMPARE(weakest->item(0, 0)->text(), QString::fromUtf8("ö"));
        QCOMPARE(weakest->item(0, 1)->text(), QStringLiteral("40"));
        QCOMPARE(weakest->item(0, 2)->text(), QStringLiteral("10"));
        QCOMPARE(weakest->item(1, 0)->text(), QStringLiteral("s"));
        QCOMPARE(weakest->item(2, 0)->text(), QStringLiteral("a"));
        // ö: right little finger; s: left ring; q and a: left little.
        QTableWidget* fingers = w.fingerTable();
        QCOMPARE(fingers->rowCount(), 3);
        QCOMPARE(fingers->item(0, 0)->text(), QStringLiteral("Mignolo destro"));
        QCOMPARE(fingers->item(1, 0)->text(), QStringLiteral("Anulare sinistro"));
        QCOMPARE(fingers->item(2, 0)->text(), QStringLiteral("Mignolo sinistro"));

        w.setPerSession(true);
        QCOMPARE(pointsOf(w.speedChart()).size(), 3);
        w.setPeriod(Period::Last7Days);
        QCOMPARE(pointsOf(w.speedChart()).size(), 2);
        QCOMPARE(w.weakestTable()->rowCount(), 2);  // a is older than a week
        QCOMPARE(w.keyboard()->keyColour(heatKeyOf(U'a')), QColor(200, 200, 200));
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("cboPeriod"))->currentIndex(), 0);
    }

    // A user without records: a line instead of the charts, empty tables,
    // a grey keyboard.
    void userWithoutRecords() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        QVERIFY(store.record(sentence(QStringLiteral("Anna"), baseTime())));
        StatsWindowSetup setup;
        setup.user = QStringLiteral("Ben");
        setup.today = baseTime().date();
        frmStatistiche w(store, setup);
        auto* stack = w.findChild<QStackedWidget*>(QStringLiteral("stkProgress"));
        QVERIFY(stack);
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("lblEmpty"));
        QCOMPARE(w.weakestTable()->rowCount(), 0);
        QCOMPARE(w.fingerTable()->rowCount(), 0);
        QCOMPARE(w.keyboard()->keyColour(heatKeyOf(U'a')), QColor(200, 200, 200));
    }

    // With weeks of history the window's smallest size still fits the
    // smallest screen the program runs on, with room for its frame.
    void fitsTheSmallestScreen() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        HistoryPlan plan;
        plan.lastDay = QDate(2026, 12, 8);
        QVERIFY(makeHistory(store, plan));
        StatsWindowSetup setup;
        setup.user = plan.user;
        setup.today = plan.lastDay;
        setup.makeDrill = [](QWidget*) { return QString(); };
        setup.exportCsv = [](QWidget*, bool) {};
        frmStatistiche w(store, setup);
        w.setPeriod(Period::AllDays);
        for (int tab = 0; tab < 2; ++tab) {
            w.showTab(tab);
            const QSize least = w.minimumSizeHint();
            QVERIFY2(least.width() <= 780 && least.height() <= 560,
                     qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        }
        QCOMPARE(w.weakestTable()->rowCount(), 10);
    }
};

QTEST_MAIN(TestStatsWindow)
#include "tst_statswindow.moc"
