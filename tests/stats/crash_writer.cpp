// Helper of the crash test.
//   stats_crash_writer write DB   records sentences until it is killed,
//                                 printing "recorded TAG" after each commit
//   stats_crash_writer check DB OUTPUT...
//                                 exit 0 when the database passes
//                                 PRAGMA integrity_check and holds every
//                                 TAG the outputs report
//   stats_crash_writer count DB   exit 0 when the database passes
//                                 PRAGMA integrity_check, printing how many
//                                 sentences it holds (the program's own
//                                 kill loop counts what the window showed)
#include "StatsTestUtil.h"
#include "stats/StatsStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <unistd.h>
#include <cstdio>

using namespace tastolino;

namespace {

int write(const QString& db) {
    StatsStore store(db);
    const QString run = QString::number(getpid());
    QDateTime time = QDateTime::currentDateTime();
    for (int n = 0;; ++n) {
        SentenceRecord r =
            stats_test::sentence(n % 3 == 0 ? QString() : QStringLiteral("User%1").arg(n % 3),
                                 time.addSecs(n), 42, 2, 160);
        r.file = QStringLiteral("run-%1-%2").arg(run).arg(n);
        r.keys.clear();
        for (char32_t c = U'a'; c <= U'z'; ++c) r.keys.push_back({c, c, 1 + n % 5});
        r.keys.push_back({U'ö', U'o', 2});
        if (!store.record(r)) {
            std::fprintf(stderr, "record failed: %s\n", qPrintable(store.takeNotice()));
            return 1;
        }
        const QString notice = store.takeNotice();
        if (!notice.isEmpty()) {
            // A database moved aside means the last kill damaged it.
            std::fprintf(stderr, "%s\n", qPrintable(notice));
            return 1;
        }
        std::printf("recorded %s\n", qPrintable(r.file));
        std::fflush(stdout);
    }
}

int check(const QString& path, const QStringList& outputs, bool countOnly = false) {
    QSet<QString> reported;
    for (const QString& output : outputs) {
        QFile f(output);
        if (!f.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("recorded ")) reported.insert(QString::fromUtf8(line.mid(9)));
    }
    if (!QFile::exists(path)) return reported.isEmpty() ? 0 : 1;
    int status = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
        db.setDatabaseName(path);
        if (!db.open()) return 1;
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next() ||
            q.value(0).toString() != QStringLiteral("ok")) {
            std::fprintf(stderr, "integrity_check failed\n");
            status = 1;
        }
        if (countOnly) {
            if (!q.exec(QStringLiteral("SELECT count(*) FROM sentences")) || !q.next())
                status = 1;
            else
                std::printf("%lld\n", q.value(0).toLongLong());
        }
        QSet<QString> stored;
        if (!countOnly && q.exec(QStringLiteral("SELECT file FROM sentences")))
            while (q.next()) stored.insert(q.value(0).toString());
        for (const QString& tag : reported)
            if (!stored.contains(tag)) {
                std::fprintf(stderr, "lost: %s\n", qPrintable(tag));
                status = 1;
            }
        if (!countOnly)
            std::printf("%lld reported, %lld stored\n", qlonglong(reported.size()),
                        qlonglong(stored.size()));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QStringLiteral("write")) return write(args[2]);
    if (args.size() >= 3 && args[1] == QStringLiteral("check")) return check(args[2], args.mid(3));
    if (args.size() == 3 && args[1] == QStringLiteral("count")) return check(args[2], {}, true);
    std::fprintf(stderr, "usage: stats_crash_writer write DB | check DB OUTPUT... | count DB\n");
    return 2;
}
