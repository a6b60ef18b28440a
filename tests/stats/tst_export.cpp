// The CSV export, checked against files worked out by hand, and the
// command line that writes them without a display.
#include "StatsTestUtil.h"
#include "app/StatsCommandLine.h"
#include "stats/StatsExport.h"
#include "stats/StatsStore.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tastolino;
using namespace stats_test;

namespace {

const QString kOdd = QStringLiteral("Lu, \"Bo\"");

// Three users: Anna, a name that needs quoting and the empty name.
void fill(StatsStore& store) {
    SentenceRecord anna = sentence(QStringLiteral("Anna"), baseTime(), 40, 2, 120);
    anna.source = SourceKind::CourseLesson;
    anna.characters = 38;
    anna.milliseconds = 19000;
    anna.keys = {{U'a', U'a', 38}, {U'a', U's', 2}};
    QVERIFY(store.record(anna));

    SentenceRecord odd = sentence(kOdd, baseTime().addMSecs(330250), 4, 1, 146.3);
    odd.source = SourceKind::TextFile;
    odd.level = 3;
    odd.characters = 4;
    odd.milliseconds = 2500;
    odd.score.reset();
    odd.keys = {
        {U'\r', U'\r', 1}, {U' ', U' ', 1}, {U'b', U'b', 1}, {U'b', U'n', 1}, {U'€', U'e', 1}};
    QVERIFY(store.record(odd));

    SentenceRecord nobody = anna;
    nobody.user = QString();
    nobody.source = SourceKind::InternalSentences;
    nobody.time = QDateTime(QDate(2026, 12, 9), QTime(9, 0), QTimeZone(0));
    nobody.milliseconds = 19005;
    QVERIFY(store.record(nobody));
}

const QByteArray kSessions =
    "user,timestamp,source,level,characters,seconds,keystrokes,errors,speed,score\r\n"
    ",2026-12-09T09:00:00+00:00,sentences,1,38,19.005,40,2,120,80\r\n"
    "Anna,2026-12-08T10:00:00+01:00,course,1,38,19,40,2,120,80\r\n"
    "\"Lu, \"\"Bo\"\"\",2026-12-08T10:05:30+01:00,textfile,3,4,2.5,4,1,146.3,\r\n";

const QByteArray kKeys =
    "user,expected,typed,count\r\n"
    ",a,a,38\r\n"
    ",a,s,2\r\n"
    "Anna,a,a,38\r\n"
    "Anna,a,s,2\r\n"
    "\"Lu, \"\"Bo\"\"\",\"\r\",\"\r\",1\r\n"
    "\"Lu, \"\"Bo\"\"\",\" \",\" \",1\r\n"
    "\"Lu, \"\"Bo\"\"\",b,b,1\r\n"
    "\"Lu, \"\"Bo\"\"\",b,n,1\r\n"
    "\"Lu, \"\"Bo\"\"\",\xE2\x82\xAC,e,1\r\n";

QByteArray exported(StatsStore& store, bool sessions, const std::optional<QString>& user) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const int rows =
        sessions ? exportSessionsCsv(store, buffer, user) : exportKeysCsv(store, buffer, user);
    return rows < 0 ? QByteArray("failed") : buffer.data();
}

// The lines of `csv` whose first field is `user` as written, with the header.
QByteArray linesOf(const QByteArray& csv, const QByteArray& userField) {
    QByteArray out;
    const QList<QByteArray> lines = csv.split('\n');
    for (int i = 0; i < lines.size(); ++i)
        if (i == 0 || (lines[i].startsWith(userField + ',') && !lines[i].isEmpty()))
            out += lines[i] + '\n';
    return out;
}

QByteArray readFile(const QString& path) {
    return tastolino::testing::readFile(path, "missing");
}

}  // namespace

class TestExport : public QObject {
    Q_OBJECT

  private slots:
    void csvAgainstHandMadeFiles() {
        QTemporaryDir dir;
        StatsStore store(dir.filePath(QStringLiteral("s.sqlite")));
        fill(store);
        QCOMPARE(exported(store, true, std::nullopt), kSessions);
        QCOMPARE(exported(store, false, std::nullopt), kKeys);
        QCOMPARE(exported(store, true, QStringLiteral("Anna")), linesOf(kSessions, "Anna"));
        QCOMPARE(exported(store, false, kOdd), linesOf(kKeys, "\"Lu, \"\"Bo\"\"\""));
        // The empty name is a user of its own.
        QCOMPARE(exported(store, false, QString()), linesOf(kKeys, ""));
        QCOMPARE(exported(store, true, QStringLiteral("Nobody")), linesOf(kSessions, "none"));
    }

    void fields() {
        QCOMPARE(csvField(QStringLiteral("plain")), QStringLiteral("plain"));
        QCOMPARE(csvField(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
        QCOMPARE(csvField(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
        QCOMPARE(csvField(QStringLiteral("two\nlines")), QStringLiteral("\"two\nlines\""));
        QCOMPARE(csvField(QStringLiteral(" padded")), QStringLiteral("\" padded\""));
        QCOMPARE(csvField(QString()), QString());
    }

    // Arguments, a missing or damaged database and a file that cannot be
    // written each get their exit code and leave nothing behind.
    void commandLine() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("TastolinoStats.sqlite"));
        const QString out = dir.filePath(QStringLiteral("out.csv"));
        for (const QStringList& bad :
             {QStringList{}, QStringList{"--export-keys"}, QStringList{"--user", "Anna"},
              QStringList{"--export-keys", out, "--export-sessions", out},
              QStringList{"--export-keys", ""}, QStringList{"--export-keys", out, "--bogus", "x"},
              QStringList{"--export-keys", out, "--user", "a", "--user", "b"}})
            QCOMPARE(statsExport(bad, db), 2);
        QCOMPARE(statsExport({"--export-keys", out}, db), 3);
        QVERIFY(!QFileInfo::exists(db));
        {
            StatsStore store(db);
            fill(store);
        }
        QCOMPARE(statsExport({"--export-keys", dir.filePath("no/such/folder/k.csv")}, db), 4);
        QVERIFY(!QFileInfo::exists(dir.filePath("no")));
        QCOMPARE(statsExport({"--user", "Anna", "--export-sessions", out}, db), 0);
        QCOMPARE(readFile(out), linesOf(kSessions, "Anna"));
        QCOMPARE(statsExport({"--export-keys", out, "--user", ""}, db), 0);
        QCOMPARE(readFile(out), linesOf(kKeys, ""));

        QFile::remove(db);
        QFile junk(db);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("junk");
        junk.close();
        QCOMPARE(statsExport({"--export-keys", out}, db), 3);
        QCOMPARE(readFile(db), QByteArray("junk"));
    }

    // The real program, with no display at all, in a portable folder of its
    // own: the database beside it.
    void programWithoutDisplay() {
        QTemporaryDir dir;
        const QString bin = dir.filePath(QStringLiteral("tastolino"));
        QVERIFY(QFile::copy(QStringLiteral(TASTOLINO_APP_DIR "/tastolino"), bin));
        {
            StatsStore store(dir.filePath(QStringLiteral("TastolinoStats.sqlite")));
            fill(store);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        const auto run = [&](const QStringList& args) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(dir.path());
            p.start(bin, args);
            if (!p.waitForFinished(30000)) return -1;
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        };
        QCOMPARE(run({"--export-sessions", "all.csv"}), 0);
        QCOMPARE(readFile(dir.filePath("all.csv")), kSessions);
        QCOMPARE(run({"--export-keys", "keys.csv", "--user", "Anna"}), 0);
        QCOMPARE(readFile(dir.filePath("keys.csv")), linesOf(kKeys, "Anna"));
        QCOMPARE(run({"--export-keys"}), 2);
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
