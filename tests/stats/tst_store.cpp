// The database file: the upgrade from an older version, and files that
// cannot be used, which are moved aside so that recording goes on.
#include "StatsTestUtil.h"
#include "stats/StatsSchema.h"
#include "stats/StatsStore.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace tastolino;
using namespace stats_test;

namespace {

const QDateTime kMovedAt(QDate(2026, 12, 9), QTime(7, 8, 9));

StatsStore::Options fixedClock() {
    StatsStore::Options o;
    o.clock = [] { return kMovedAt; };
    return o;
}

// A database with a few sentences, closed so that everything is in the
// main file.
void makeDatabase(const QString& path) {
    StatsStore store(path);
    for (int i = 0; i < 30; ++i)
        QVERIFY(store.record(sentence(QStringLiteral("Anna"), baseTime().addSecs(i * 60))));
}

using tastolino::testing::readFile;
using tastolino::testing::writeFile;

}  // namespace

class TestStore : public QObject {
    Q_OBJECT

  private slots:
    // A version-1 file made here is brought up to date when opened: the
    // sentences keep their figures and get their sittings.
    void upgradeFromVersion1() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v1");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(createStatsSchema(db, 1));
            QCOMPARE(storedSchemaVersion(db), 1);
            QSqlQuery q(db);
            QVERIFY(q.exec("INSERT INTO users (id, name) VALUES (1, 'Anna'), (2, 'Ben')"));
            // Anna: 0, +10 min, +50 min (new sitting); Ben: 0.
            const qint64 t = baseTime().toMSecsSinceEpoch();
            for (const auto& [user, minutes] :
                 {std::pair{1, 0}, std::pair{2, 0}, std::pair{1, 10}, std::pair{1, 50}})
                QVERIFY(
                    q.exec(QStringLiteral(
                               "INSERT INTO sentences (user_id, time_ms, utc_offset, day,"
                               " source, file, level, category, characters, duration_ms,"
                               " keystrokes, errors, speed, score) VALUES"
                               " (%1, %2, 3600, 2461383, 0, '', 1, 0, 30, 9000, 31, 1, 200, 80)")
                               .arg(user)
                               .arg(t + minutes * 60000)));
            db.close();
        }
        QSqlDatabase::removeDatabase("v1");

        StatsStore store(path);
        QVERIFY(store.open());
        QVERIFY(store.takeNotice().isEmpty());
        QSqlDatabase db = store.database();
        QCOMPARE(storedSchemaVersion(db), kStatsSchemaVersion);
        const qint64 t = baseTime().toMSecsSinceEpoch();
        QCOMPARE(rows(db, "SELECT user_id, session - " + QString::number(t) +
                              ", speed FROM sentences ORDER BY id"),
                 (QStringList{"1|0|200", "2|0|200", "1|0|200", "1|3000000|200"}));
        // Recording goes on in the last sitting.
        QVERIFY(store.record(sentence(QStringLiteral("Anna"), baseTime().addSecs(55 * 60))));
        QCOMPARE(rows(db, "SELECT session - " + QString::number(t) +
                              " FROM sentences ORDER BY id DESC LIMIT 1"),
                 QStringList{"3000000"});
        // A new file is made as version 1 plus every upgrade: the same tables.
        StatsStore fresh(dir.filePath(QStringLiteral("new.sqlite")));
        QVERIFY(fresh.open());
        const QString tables = "SELECT type, name, sql FROM sqlite_master ORDER BY name";
        QCOMPARE(rows(fresh.database(), tables), rows(db, tables));
    }

    // Files the program cannot use are renamed with the time and a new
    // database is started; the caller gets a message naming the old file.
    void unusableFilesAreMovedAside_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("not a database") << "text";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("damaged pages") << "pages";
        QTest::newRow("newer version") << "newer";
        QTest::newRow("tables of another program") << "foreign";
        QTest::newRow("empty version table") << "noversion";
    }
    void unusableFilesAreMovedAside() {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TastolinoStats.sqlite"));
        if (damage == "text") {
            writeFile(path, "user,timestamp\r\nAnna,2026\r\n");
        } else if (damage == "truncated") {
            makeDatabase(path);
            const QByteArray whole = readFile(path);
            QVERIFY(whole.size() > 8192);
            writeFile(path, whole.left(whole.size() / 2));
        } else if (damage == "pages") {
            makeDatabase(path);
            QByteArray bytes = readFile(path);
            // Every page after the first filled with noise; the header stays.
            for (qsizetype i = 4096; i < bytes.size(); ++i) bytes[i] = char((i * 7919) & 0xFF);
            writeFile(path, bytes);
        } else {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            if (damage == "foreign") {
                QVERIFY(q.exec("CREATE TABLE notes (text TEXT)"));
            } else {
                QVERIFY(createStatsSchema(db, kStatsSchemaVersion));
                QVERIFY(q.exec(damage == "newer" ? "UPDATE schema_version SET version = 99"
                                                 : "DELETE FROM schema_version"));
            }
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase("other");
        }
        // A stale log beside the file must not be applied to the new one.
        if (damage == "text") writeFile(path + "-wal", "log");
        const QByteArray before = readFile(path);

        StatsStore store(path, fixedClock());
        QVERIFY(store.record(sentence(QStringLiteral("Anna"), baseTime())));
        const QString aside = path + ".damaged-20261209-070809";
        QCOMPARE(readFile(aside), before);
        const QString notice = store.takeNotice();
        QVERIFY2(notice.contains(aside), qPrintable(notice));
        QVERIFY(notice.startsWith(QStringLiteral("Le statistiche di apprendimento")));
        QVERIFY(store.takeNotice().isEmpty());
        QCOMPARE(rows(store.database(), "SELECT count(*) FROM sentences"), QStringList{"1"});

        // The command-line export leaves such a file alone and says so.
        store.close();
        writeFile(path, "not a database at all");
        StatsStore::Options readOnly = fixedClock();
        readOnly.createIfMissing = false;
        readOnly.moveAsideDamaged = false;
        StatsStore reader(path, readOnly);
        QVERIFY(!reader.open());
        QCOMPARE(reader.state(), StatsStore::State::Damaged);
        QCOMPARE(readFile(path), QByteArray("not a database at all"));
    }

    // A second file moved aside in the same second gets a name of its own.
    void secondMoveInTheSameSecond() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.sqlite"));
        for (int round = 0; round < 2; ++round) {
            writeFile(path, "garbage");
            StatsStore store(path, fixedClock());
            QVERIFY(store.open());
        }
        QVERIFY(QFileInfo::exists(path + ".damaged-20261209-070809"));
        QVERIFY(QFileInfo::exists(path + ".damaged-20261209-070809-2"));
    }

    // Nowhere to write: no record, one message, no second attempt, no
    // crash; queries find nothing.
    void folderThatCannotBeWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/s.sqlite"));
        StatsStore store(path);
        QVERIFY(!store.record(sentence(QStringLiteral("Anna"), baseTime())));
        QCOMPARE(store.state(), StatsStore::State::Unavailable);
        const QString notice = store.takeNotice();
        QVERIFY(notice.contains(path));
        QVERIFY(!store.record(sentence(QStringLiteral("Anna"), baseTime())));
        QVERIFY(store.takeNotice().isEmpty());
        QCOMPARE(store.userId(QStringLiteral("Anna")), -1);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    }

    // The export does not create a database; the program does, and keeps
    // the log mode across runs.
    void missingFileAndJournal() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.sqlite"));
        StatsStore::Options readOnly;
        readOnly.createIfMissing = false;
        StatsStore reader(path, readOnly);
        QVERIFY(!reader.open());
        QCOMPARE(reader.state(), StatsStore::State::Missing);
        QVERIFY(!QFileInfo::exists(path));

        StatsStore store(path);
        QVERIFY(store.open());
        QCOMPARE(rows(store.database(), "PRAGMA journal_mode"), QStringList{"wal"});
        QCOMPARE(rows(store.database(), "PRAGMA synchronous"), QStringList{"1"});
        // Two stores on one file use connections of their own.
        StatsStore second(path);
        QVERIFY(second.record(sentence(QString(), baseTime())));
        QCOMPARE(rows(store.database(), "SELECT count(*) FROM sentences"), QStringList{"1"});
        QVERIFY(store.database().connectionName() != second.database().connectionName());
        store.close();
        QCOMPARE(store.state(), StatsStore::State::Closed);
        QVERIFY(!store.database().isValid());
        QVERIFY(store.open());
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
