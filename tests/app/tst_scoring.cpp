// Scoring rules at their edges: score clamping, category scales, level
// averages with capped speeds, icon categories, the error-ratio face and
// the shapes of the message after a sentence.
#include "exercise/MessageTable.h"
#include "exercise/Scoring.h"

#include <QtTest>

using namespace tastolino;

class TestScoring : public QObject {
    Q_OBJECT
  private slots:
    void score_data() {
        QTest::addColumn<float>("factor");
        QTest::addColumn<float>("speed");
        QTest::addColumn<int>("score");
        QTest::newRow("beginner 2.5 k/s") << 0.4f << 2.5f << 100;
        QTest::newRow("beginner 3 k/s clamps") << 0.4f << 3.0f << 100;
        QTest::newRow("expert 2.5 k/s") << 0.2f << 2.5f << 50;
        QTest::newRow("expert 5 k/s") << 0.2f << 5.0f << 100;
        QTest::newRow("0.004 k/s scores 1") << 0.4f << 0.004f << 1;
        QTest::newRow("decimal speed keeps its point") << 0.4f << 0.7f << 28;
        QTest::newRow("2 k/s") << 0.4f << 2.0f << 80;
        // 0.4 x (70/121) x 100 = 23.1404...; 0.4 x (29/50) x 100 = 23.2.
        QTest::newRow("70 keys in 121 s") << 0.4f << sentenceSpeed(70, 121) << 23;
        // 0.4 x 1.4499995 x 100 = 57.99998 in single precision: 57, not 58.
        QTest::newRow("just below 58") << 0.4f << 1.4499995f << 57;
    }
    void score() {
        QFETCH(float, factor);
        QFETCH(float, speed);
        QFETCH(int, score);
        QCOMPARE(sentenceScore(factor, speed), score);
    }

    void sentenceSpeedWithinOneSecondIsFive() {
        QCOMPARE(sentenceSpeed(40, 0), 5.0f);
        QCOMPARE(sentenceSpeed(0, 10), 5.0f);
        QCOMPARE(sentenceSpeed(40, 16), 2.5f);
    }

    void levelAverage_data() {
        QTest::addColumn<float>("factor");
        QTest::addColumn<QList<float>>("speeds");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("average");
        QTest::newRow("10 k/s counts as 2.5")
            << 0.4f << QList<float>{10, 2.5f, 2.5f, 2.5f, 2.5f} << 1 << 100;
        QTest::newRow("mixed level 2") << 0.4f << QList<float>{1, 2, 0.5f, 10, 1.5f} << 2 << 60;
        QTest::newRow("expert caps at 5") << 0.2f << QList<float>{10, 0, 0, 0, 0} << 3 << 20;
        QTest::newRow("level out of range") << 0.4f << QList<float>{1, 1, 1, 1, 1} << 4 << 0;
        QTest::newRow("no factor") << 0.f << QList<float>{1, 1, 1, 1, 1} << 1 << 0;
    }
    void levelAverage() {
        QFETCH(float, factor);
        QFETCH(QList<float>, speeds);
        QFETCH(int, level);
        QFETCH(int, average);
        ExerciseResults r;
        r.scoreFactor = factor;
        const int first = 5 * std::clamp(level, 1, 3) - 4;
        for (int i = 0; i < 5; ++i) r.sentenceSpeeds[size_t(first + i)] = speeds[i];
        QCOMPARE(calcolaMediaLevel(r, level), average);
    }

    // Speeds as the engine stores them (length / whole seconds, kept in
    // single precision), averaged the way they are declared, with nothing
    // added to absorb rounding.
    void levelAverageOfTypedSentences_data() {
        QTest::addColumn<float>("factor");
        QTest::addColumn<QList<int>>("lengths");
        QTest::addColumn<QList<int>>("seconds");
        QTest::addColumn<int>("average");
        // By hand: (34/57 + 51/52 + 2.5 + 2.5 + 37/55) / 5 x 0.4 x 100 =
        // 57.99990..., whose whole part is 57.
        QTest::newRow("57.9999 stays 57")
            << 0.4f << QList<int>{34, 51, 70, 68, 37} << QList<int>{57, 52, 8, 16, 55} << 57;
        // 0.7 keys/s is stored a hair below 0.7; in single precision the
        // product still comes to 28.
        QTest::newRow("0.7 k/s gives 28")
            << 0.4f << QList<int>{7, 7, 14, 21, 70} << QList<int>{10, 10, 20, 30, 100} << 28;
        QTest::newRow("expert 0.7 k/s gives 14")
            << 0.2f << QList<int>{7, 7, 7, 7, 7} << QList<int>{10, 10, 10, 10, 10} << 14;
    }
    void levelAverageOfTypedSentences() {
        QFETCH(float, factor);
        QFETCH(QList<int>, lengths);
        QFETCH(QList<int>, seconds);
        QFETCH(int, average);
        ExerciseResults r;
        r.scoreFactor = factor;
        for (int i = 0; i < 5; ++i)
            r.sentenceSpeeds[size_t(6 + i)] = sentenceSpeed(lengths[i], seconds[i]);
        QCOMPARE(calcolaMediaLevel(r, 2), average);
    }

    void scoreCategory_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("expected");
        QTest::newRow("negative") << -5 << 0 << 0;
        QTest::newRow("20") << 20 << 0 << 0;
        QTest::newRow("21") << 21 << 0 << 1;
        QTest::newRow("40") << 40 << 0 << 1;
        QTest::newRow("41") << 41 << 0 << 2;
        QTest::newRow("80") << 80 << 0 << 3;
        QTest::newRow("81") << 81 << 0 << 4;
        QTest::newRow("expert 100") << 100 << 1 << 9;
        QTest::newRow("expert 1") << 1 << 1 << 5;
    }
    void scoreCategory() {
        QFETCH(int, score);
        QFETCH(int, category);
        QFETCH(int, expected);
        QCOMPARE(ScoreCategory(score, category), expected);
    }

    void face_data() {
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("correct");
        QTest::addColumn<bool>("expert");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("2 % beginner") << 2 << 100 << false << "B";
        QTest::newRow("2.01 % beginner") << 201 << 10000 << false << "A";
        QTest::newRow("3 % beginner") << 3 << 100 << false << "A";
        QTest::newRow("4 % beginner") << 4 << 100 << false << "C";
        QTest::newRow("4.1 % beginner") << 41 << 1000 << false << "D";
        QTest::newRow("0.5 % expert") << 1 << 200 << true << "B";
        QTest::newRow("0.75 % expert") << 3 << 400 << true << "A";
        QTest::newRow("1 % expert") << 1 << 100 << true << "C";
        QTest::newRow("no keys yet") << 0 << 0 << false << "B";
        QTest::newRow("errors before any correct key") << 3 << 0 << false << "D";
    }
    void face() {
        QFETCH(int, errors);
        QFETCH(int, correct);
        QFETCH(bool, expert);
        QFETCH(QString, symbol);
        QCOMPARE(QString(ErrorRatioFace(errors, correct, expert).symbol), symbol);
    }

    void speedBar_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("textPos");
        QTest::addColumn<int>("full");
        QTest::addColumn<float>("factor");
        QTest::addColumn<int>("width");
        // 2.5 k/s: a tenth of the bar for a beginner, as for an expert at 5.
        QTest::newRow("beginner 2.5 k/s") << 4 << 11 << 300 << 0.4f << 30;
        QTest::newRow("expert 5 k/s") << 2 << 11 << 300 << 0.2f << 30;
        QTest::newRow("large screen unit rounds to even") << 1 << 2 << 390 << 0.4f << 98;
        QTest::newRow("never wider than the bar") << 600 << 3 << 300 << 0.4f << 300;
        QTest::newRow("before the first key") << 5 << 1 << 300 << 0.4f << 0;
    }
    void speedBar() {
        QFETCH(int, seconds);
        QFETCH(int, textPos);
        QFETCH(int, full);
        QFETCH(float, factor);
        QFETCH(int, width);
        QCOMPARE(speedBarWidth(seconds, textPos, full, factor), width);
    }

    void messageShapes() {
        const QStringList& m = defaultMessages();
        const QString pm = QStringLiteral("al minuto");
        QCOMPARE(sentenceMessage(40, false, 1.0f, m, pm, QStringLiteral("Bene!")),
                 QStringLiteral("Hai totalizzato  40 punti, digitando alla media di 60 battute al "
                                "minuto\n Premi il tasto Enter per continuare."));
        QCOMPARE(sentenceMessage(40, true, 1.0f, m, pm, QStringLiteral("Bene!")),
                 QStringLiteral("Hai totalizzato  40 punti e, digitando alla media di 60 battute "
                                "al minuto\nhai anche superato il tuo record precedente. Premi il "
                                "tasto Enter per continuare."));
        QCOMPARE(sentenceMessage(80, false, 2.0f, m, pm, QStringLiteral("Bene!")),
                 QStringLiteral("Bene! Hai totalizzato  80 punti, digitando alla media di 120 "
                                "battute al minuto\n Premi il tasto Enter per continuare."));
    }

    void categoryAndColours() {
        ExerciseResults r;
        SetCategory(r, 1, defaultMessages());
        QCOMPARE(r.categoryName, QStringLiteral("Esperto"));
        QCOMPARE(r.scoreFactor, 0.2f);
        QVERIFY(r.expertMode);
        SetCategory(r, 0, defaultMessages());
        QCOMPARE(r.categoryName, QStringLiteral("Principiante"));
        QCOMPARE(r.categoryIndex, int16_t(0));
        QCOMPARE(bestBarRowColour(2, 3), 0x00E1E1u);  // RGB(225, 225, 0)
        QCOMPARE(bestBarRowColour(3, 30), 0u);        // clamped below zero
        QCOMPARE(clockText(75999), QStringLiteral("01:15"));
    }
};

QTEST_MAIN(TestScoring)
#include "tst_scoring.moc"
