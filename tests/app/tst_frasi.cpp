// The sentence bank: its size, the sentences learners know by heart, the
// shape of each level, every character typeable; and the draw.
#include "exercise/Frasi.h"
#include "keyboard/CharKeyMap.h"
#include "platform/Seams.h"
#include "text/Cp1252.h"

#include <QRegularExpression>
#include <QtTest>

#include <set>

using namespace tastolino;

class TestFrasi : public QObject {
    Q_OBJECT
  private slots:
    void init() { seams::seedRandom(11); }

    void quotedSentencesVerbatim_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        auto row = [](int n, const char* t) {
            QTest::newRow(QByteArray::number(n).constData()) << n << QString::fromUtf8(t);
        };
        row(2, "der vater meiner freundin ist mechaniker");
        row(3, "die wiese unseres garten verlangt grosse pflege");
        row(10, "beim bügeln hörte ich radio");
        row(12, "mein haus befindet sich am ende der strasse");
        row(17, "Die Mutter ist zu Hause um das Mittagessen zu vorbereiten.");
        row(21, "Ich bringe mein Zimmer gern in Ordnung: ich hasse Unordnung!");
        row(30, "Mir gefallen die Abenteuerbücher sehr.");
        row(34,
            "Das ist eine Addition: 35 + 75 = 110. Das ist eine Subtraktion: 47 - 29 = 18\r\n"
            "Das Rechnen ist doch leicht, nicht wahr?");
        row(38,
            "Das Symbol des Euros ist dies: €; das Symbols des Dollars ist dagegen dies: $;\r\n"
            "Wusstest du es?");
        row(39,
            "Eine Viertelstunde sind 15 Minuten, eine halbe Stunde sind 30 Minuten,\r\n"
            "drei Viertelstunden sind 45 Minuten und eine Stunde sind 60 Minuten.");
    }
    void quotedSentencesVerbatim() {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(Frasi(n), text);
    }

    void bankShape() {
        QCOMPARE(Frasi(0), QString());
        QCOMPARE(Frasi(46), QString());
        QString all;
        for (int n = 1; n <= kBankSize; ++n) {
            const QString t = Frasi(n);
            QVERIFY2(!t.isEmpty(), qPrintable(QString::number(n)));
            all += t;
            const QString where = QStringLiteral("entry %1: %2").arg(n).arg(t);
            if (n <= 15) {
                static const QRegularExpression level1(QStringLiteral("^[a-zäöü ,]+$"));
                QVERIFY2(level1.match(t).hasMatch(), qPrintable(where));
                QVERIFY2(t.back().isLetter(), qPrintable(where));
            } else if (n <= 30) {
                QVERIFY2(!t.contains(QLatin1Char('\n')), qPrintable(where));
                QVERIFY2(t.front().isUpper(), qPrintable(where));
                QVERIFY2(QStringLiteral(".!:").contains(t.back()), qPrintable(where));
            } else {
                QCOMPARE(t.count(QStringLiteral("\r\n")), 1);
                QCOMPARE(t.count(QLatin1Char('\r')), 1);
                static const QRegularExpression digitOrSymbol(QStringLiteral("[0-9+=%€$#@;()\"]"));
                QVERIFY2(t.contains(digitOrSymbol), qPrintable(where));
            }
            for (QChar c : t) {
                if (c == QLatin1Char('\n')) continue;  // typed together with the CR
                QVERIFY2(FindCharEntryForUnicode(c.unicode()) >= 0,
                         qPrintable(where + QStringLiteral(" char ") + c));
            }
        }
        const QString mail = Frasi(32).section(QStringLiteral("\r\n"), 1);
        QVERIFY(mail.contains(QLatin1Char('@')) && mail.contains(QLatin1Char('.')));
        const QString web = Frasi(33).section(QStringLiteral("\r\n"), 1);
        QVERIFY(web.contains(QStringLiteral("://")) && web.contains(QLatin1Char('.')));
        for (const char* odd : {"Scheewittchen", "gennannt", "digitalische Fotokammer"})
            QVERIFY2(all.contains(QString::fromUtf8(odd)), odd);
        for (const char* symbol : {"+", "=", "%", "€", "$", "#", "@", ":", ";", "(", ")", "\""})
            QVERIFY2(all.contains(QString::fromUtf8(symbol)), symbol);
    }

    void fifteenDistinctDrawsInLevelOrder() {
        for (int round = 0; round < 20; ++round) {
            UsedSentences used{};
            std::set<int> seen;
            for (int s = 1; s <= 15; ++s) {
                const QString text = DrawSentence(s, used, QString(), {});
                const int r = used[size_t(s)];
                const int level = (s - 1) / 5 + 1;
                QVERIFY(r >= 15 * level - 14 && r <= 15 * level);
                QCOMPARE(text, Frasi(r));
                seen.insert(r);
            }
            QCOMPARE(seen.size(), size_t(15));
        }
    }

    void fileEntries() {
        // Five entries per level: played in order. Fifteen: in the random
        // order of the draw. Missing or empty: the bank sentence.
        auto five = [](const QString&, int level, int key) {
            return key <= 5 && key != 3 ? QStringLiteral("L%1K%2").arg(level).arg(key) : QString();
        };
        auto fifteen = [](const QString&, int level, int key) {
            return QStringLiteral("L%1K%2").arg(level).arg(key);
        };
        UsedSentences used{};
        for (int s = 6; s <= 10; ++s) {
            const QString text = DrawSentence(s, used, QStringLiteral("x.lez"), five);
            if (s == 8)
                QCOMPARE(text, Frasi(used[8]));
            else
                QCOMPARE(text, QStringLiteral("L2K%1").arg(s - 5));
        }
        used = {};
        for (int s = 11; s <= 15; ++s) {
            const QString text = DrawSentence(s, used, QStringLiteral("x.lez"), fifteen);
            QCOMPARE(text, QStringLiteral("L3K%1").arg(used[size_t(s)] - 30));
        }
    }
};

QTEST_MAIN(TestFrasi)
#include "tst_frasi.moc"
