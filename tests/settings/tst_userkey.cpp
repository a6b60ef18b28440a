// The key under which a user's records, bookmark and reports are kept:
// ordinary names are their own key; every other name gets a key that is a
// usable section name and file name, and no two names share one.
#include "settings/IniManager.h"
#include "settings/UserStorageKey.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tastolino;

namespace {

const QStringList& awkwardNames() {
    static const QStringList names = {
        QStringLiteral("A]B"),        QStringLiteral("]"),          QStringLiteral("[ANNA]"),
        QStringLiteral("../ETC/X"),   QStringLiteral("A\\B"),       QStringLiteral("A/B"),
        QStringLiteral("A%5DB"),      QStringLiteral("A%B"),        QStringLiteral("A_B"),
        QStringLiteral("A:B*?\"<>|"), QStringLiteral("A\tB"),       QStringLiteral("A\nB"),
        QStringLiteral("."),          QStringLiteral(".."),         QStringLiteral("日本"),
        QStringLiteral("ŁUKASZ"),     QStringLiteral("😀"),          QStringLiteral("A=B"),
        QStringLiteral(";ANNA"),      QStringLiteral("ANNA ]"),     QStringLiteral("JÜRGEN"),
        QStringLiteral("D'ANGELO"),   QStringLiteral("MARIO ROSSI")};
    return names;
}

}  // namespace

class TestUserKey : public QObject {
    Q_OBJECT

  private slots:
    void ordinaryNamesAreTheirOwnKey_data() {
        QTest::addColumn<QString>("name");
        for (const char* n : {"ANNA", "MARIO ROSSI", "D'ANGELO", "JÜRGEN ÖZ", "ÉLODIE & CO", "A[B",
                              "A=B;C", "NR. 1 (ZWEI)", "€URO"})
            QTest::newRow(n) << QString::fromUtf8(n);
    }
    void ordinaryNamesAreTheirOwnKey() {
        QFETCH(QString, name);
        QCOMPARE(userStorageKey(name), name);
        QCOMPARE(userStorageKey(QLatin1Char(' ') + name + QLatin1Char(' ')), name);
    }

    void otherCharactersAreWrittenAsCodes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::newRow("section end") << "A]B"
                                     << "A%5DB";
        QTest::newRow("separators") << "../a\\b"
                                    << "..%2Fa%5Cb";
        QTest::newRow("the code mark itself") << "A%5DB"
                                              << "A%255DB";
        QTest::newRow("refused by file systems") << "a:b*?\"<>|"
                                                 << "a%3Ab%2A%3F%22%3C%3E%7C";
        QTest::newRow("control") << "A\tB"
                                 << "A%09B";
        QTest::newRow("not in Windows-1252") << QString::fromUtf8("Łx") << "%C5%81x";
        QTest::newRow("empty") << "   "
                               << "";
    }
    void otherCharactersAreWrittenAsCodes() {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QCOMPARE(userStorageKey(name), key);
    }

    // Whatever the name: its key is a section that keeps its entries, and
    // a file name inside the folder it is put in; no two names share one.
    void everyKeyStoresAndFindsAgain() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("records.ini"));
        QSet<QString> keys;
        int n = 0;
        for (const QString& name : awkwardNames()) {
            const QString key = userStorageKey(name);
            QVERIFY2(!key.isEmpty(), qPrintable(name));
            QVERIFY2(!keys.contains(key), qPrintable(name));
            keys.insert(key);

            IniManager m;
            m.nome = ini.toStdString();
            m.sezione = key.toStdString();
            QVERIFY2(m.Scrivi("Difficulty1", std::to_string(++n)) != 0, qPrintable(name));

            const QString path = dir.path() + QLatin1Char('/') + key + QStringLiteral(".pdf");
            QFile file(path);
            QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
            file.close();
            QCOMPARE(QFileInfo(path).absolutePath(), QDir(dir.path()).absolutePath());
        }
        n = 0;
        for (const QString& name : awkwardNames()) {
            IniManager m;
            m.nome = ini.toStdString();
            m.sezione = userStorageKey(name).toStdString();
            QCOMPARE(m.Leggi("Difficulty1", "0"), std::to_string(++n));
        }
    }
};

QTEST_MAIN(TestUserKey)
#include "tst_userkey.moc"
