// The results window: which level tables appear, their figures at the
// score and symbol boundaries, the rating words, the closing messages and
// the answer handed back.
#include "platform/Seams.h"
#include "results/frmClassifica.h"
#include "settings/InterfaceLanguage.h"
#include "support/TestLanguageFile.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace tastolino;

class TestClassifica : public QObject {
    Q_OBJECT

    ResultsWindowInput in_;  // what the window is given

    void fill(float speed) {
        for (int n = 1; n <= 15; ++n) in_.results.sentenceSpeeds[size_t(n)] = speed;
    }

  private slots:
    void init() {
        seams::resetAll();
        resetInterfaceLanguage();
        in_ = ResultsWindowInput{};
        in_.results.categoryName = QStringLiteral("Principiante");
        seams::setSoundHook([](int) {});
        seams::setPrinterAvailableHook([] { return false; });
    }

    void tablesPerLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("message");
        QTest::newRow("after sentence 5")
            << 1 << 1
            << QStringLiteral(
                   "Molto bene! Hai terminato l'esercizio di livello  1.\n\nSe vuoi "
                   "continuare premi il pulsante: Continua.\nSe, invece, vuoi uscire "
                   "dal programma, premi il pulsante: Termina");
        QTest::newRow("after sentence 10") << 2 << 1 << QString();
        QTest::newRow("after sentence 15")
            << 3 << 2
            << QStringLiteral(
                   "Complimenti! Hai terminato l'eserczio di dattilografia.\n\nSe "
                   "vuoi iniziare da capo premi il pulsante: Continua.\nSe, invece, "
                   "vuoi uscire dal programma, premi il pulsante: Termina");
        QTest::newRow("no reason") << 3 << 0 << QString();
    }
    void tablesPerLevel() {
        QFETCH(int, level);
        QFETCH(int, reason);
        QFETCH(QString, message);
        in_.results.currentLevel = int16_t(level);
        in_.results.resultsReason = ResultsReason(reason);
        in_.results.resultsAnswer = ResultsAnswer::Continue;
        fill(2.0f);
        frmClassifica w(in_);
        QCOMPARE(w.answer(), ResultsAnswer::Open);
        QCOMPARE(int(w.levels().size()), level);
        for (int i = 0; i < 3; ++i) {
            auto* heading = w.findChild<QLabel*>(QStringLiteral("lbllivelli%1").arg(i));
            QVERIFY(heading);
            QCOMPARE(heading->isVisibleTo(&w), i < level);
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("imgRisultato%1").arg(i))->isVisibleTo(&w),
                     i < level);
        }
        QCOMPARE(w.findChild<QLabel*>("lbllivelli1")->text(),
                 QStringLiteral(" Risultati secondo livello - categoria:  Principiante"));
        if (reason == 1)
            message = message.replace(QStringLiteral("livello  1"),
                                      QStringLiteral("livello  %1").arg(level));
        if (reason != 1 || level == 1)
            QCOMPARE(w.findChild<QLabel*>("lblShowMess")->text(), message);
        QCOMPARE(w.speedSum, 2.0f * level);
        QCOMPARE(w.scoreSum, int16_t(80 * level));
        QCOMPARE(w.unitSuffix, QStringLiteral(" battute / min = "));
        QVERIFY(!w.findChild<QPushButton*>("cmdPrint")->isEnabled());
        QVERIFY(w.findChild<QPushButton*>("cmdPDF"));
        w.grab();  // paints the tables without trouble
    }

    void sentenceFigures_data() {
        QTest::addColumn<float>("speed");
        QTest::addColumn<float>("factor");
        QTest::addColumn<int>("kpm");
        QTest::addColumn<int>("score");
        QTest::newRow("standing still") << 0.f << 0.4f << 0 << 0;
        QTest::newRow("raw 100") << 2.5f << 0.4f << 150 << 100;
        QTest::newRow("raw above 100") << 10.f << 0.4f << 600 << 100;
        QTest::newRow("99.x stays 99") << 2.49f << 0.4f << 149 << 99;
        QTest::newRow("expert") << 2.5f << 0.2f << 150 << 50;
        // Single precision throughout, nothing added: 57.99998 stays 57,
        // and 0.7 (stored a hair low) still gives 28.
        QTest::newRow("just below 58") << 1.4499995f << 0.4f << 87 << 57;
        QTest::newRow("0.7 k/s") << float(7.0 / 10.0) << 0.4f << 42 << 28;
    }
    void sentenceFigures() {
        QFETCH(float, speed);
        QFETCH(float, factor);
        QFETCH(int, kpm);
        QFETCH(int, score);
        ExerciseResults r;
        r.scoreFactor = factor;
        r.sentenceSpeeds[1] = speed;
        const LevelFigures f = levelFigures(r, 1);
        QCOMPARE(f.kpm[0], kpm);
        QCOMPARE(f.scores[0], score);
    }

    void symbolBoundaries_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("symbol");
        for (auto [s, k] :
             {std::pair{-3, 0}, {20, 0}, {21, 1}, {40, 1}, {60, 2}, {80, 3}, {81, 4}, {100, 4}})
            QTest::newRow(QByteArray::number(s).constData()) << s << k;
    }
    void symbolBoundaries() {
        QFETCH(int, score);
        QFETCH(int, symbol);
        QCOMPARE(ratingSymbolIndex(score), symbol);
    }

    void levelAverageRoundsHalvesToEven() {
        ExerciseResults r;
        r.scoreFactor = 0.4f;
        // Scores 20, 20, 20, 20, 22: average 20.4 -> 20, symbol 0.
        for (int n = 1; n <= 4; ++n) r.sentenceSpeeds[size_t(n)] = 0.5f;
        r.sentenceSpeeds[5] = 0.55f;
        QCOMPARE(levelFigures(r, 1).averageScore, 20);
        QCOMPARE(levelFigures(r, 1).symbol, 0);
        // Scores 40 x 4 and 42: average 40.4 -> 40; 42.5 -> 42 (to even).
        for (int n = 6; n <= 10; ++n) r.sentenceSpeeds[size_t(n)] = 1.0f;
        r.sentenceSpeeds[10] = 1.05f;
        QCOMPARE(levelFigures(r, 6).averageScore, 40);
        for (int n = 11; n <= 15; ++n) r.sentenceSpeeds[size_t(n)] = 1.0f;
        r.sentenceSpeeds[15] = 1.625f;  // score 65: (4 x 40 + 65) / 5 = 45
        QCOMPARE(levelFigures(r, 11).averageScore, 45);
    }

    void ratingWords_data() {
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("correct");
        QTest::addColumn<bool>("expert");
        QTest::addColumn<int>("word");
        QTest::newRow("expert 0.5 %") << 1 << 200 << true << 0;
        QTest::newRow("expert 0.75 %") << 3 << 400 << true << 1;
        QTest::newRow("expert 1.1 %") << 11 << 1000 << true << 3;
        QTest::newRow("beginner 2 %") << 2 << 100 << false << 0;
        QTest::newRow("beginner 3.5 %") << 7 << 200 << false << 2;
        QTest::newRow("no keystrokes") << 0 << 0 << false << 0;
        QTest::newRow("only errors") << 5 << 0 << false << 3;
    }
    void ratingWords() {
        QFETCH(int, errors);
        QFETCH(int, correct);
        QFETCH(bool, expert);
        QFETCH(int, word);
        QCOMPARE(ratingWordIndex(errors, correct, expert), word);
    }

    void answers() {
        in_.results.currentLevel = 1;
        {
            frmClassifica w(in_);
            QTest::mouseClick(w.findChild<QPushButton*>("cmdRisp1"), Qt::LeftButton);
            QCOMPARE(w.answer(), ResultsAnswer::Finish);
        }
        {
            frmClassifica w(in_);
            QTest::mouseClick(w.findChild<QPushButton*>("cmdRisp0"), Qt::LeftButton);
            QCOMPARE(w.answer(), ResultsAnswer::Continue);
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        {
            // Esc is not an answer and does not close the window.
            frmClassifica w(in_);
            w.show();
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(w.isVisible());
            QCOMPARE(w.answer(), ResultsAnswer::Open);
        }
        {
            frmClassifica w(in_);
            w.show();
            w.close();  // closed without an answer
            QCOMPARE(w.answer(), ResultsAnswer::Open);
        }
    }

    void languageFileTexts() {
        testing::TestLanguageFile language;
        in_.languageFileActive = true;
        in_.results.categoryName = QStringLiteral("Expert");
        frmClassifica w(in_);
        QCOMPARE(w.ResultsTexts[2], QStringLiteral("T0093 "));
        QCOMPARE(w.ResultsTexts[10], QStringLiteral("T0101   "));
        QCOMPARE(w.findChild<QPushButton*>("cmdRisp0")->text(), QStringLiteral("T0112"));
        QCOMPARE(w.findChild<QLabel*>("lbllivelli2")->text(), QStringLiteral(" T0090 Expert"));
        QCOMPARE(w.ratingWords[3], QStringLiteral("T0142"));
    }
};

QTEST_MAIN(TestClassifica)
#include "tst_classifica.moc"
