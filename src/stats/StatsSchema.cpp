#include "stats/StatsSchema.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace tastolino {
namespace {

bool run(QSqlDatabase& db, const QStringList& statements) {
    QSqlQuery q(db);
    for (const QString& s : statements)
        if (!q.exec(s)) return false;
    return true;
}

// Times are milliseconds since 1970 (UTC) with the clock's offset from UTC
// beside them, so a record shows the local time it was made at; `day` is
// that local date as a Julian day number, the unit of the progress per day.
const QStringList kVersion1 = {
    QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
    QStringLiteral("CREATE TABLE users (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)"),
    QStringLiteral("CREATE TABLE sentences ("
                   " id INTEGER PRIMARY KEY,"
                   " user_id INTEGER NOT NULL REFERENCES users(id),"
                   " time_ms INTEGER NOT NULL,"
                   " utc_offset INTEGER NOT NULL,"
                   " day INTEGER NOT NULL,"
                   " source INTEGER NOT NULL,"
                   " file TEXT NOT NULL,"
                   " level INTEGER NOT NULL,"
                   " category INTEGER NOT NULL,"
                   " characters INTEGER NOT NULL,"
                   " duration_ms INTEGER NOT NULL,"
                   " keystrokes INTEGER NOT NULL,"
                   " errors INTEGER NOT NULL,"
                   " speed REAL NOT NULL,"
                   " score INTEGER)"),
    // Progress per day reads this index alone.
    QStringLiteral("CREATE INDEX sentences_by_day"
                   " ON sentences(user_id, day, speed, keystrokes, errors)"),
    QStringLiteral("CREATE INDEX sentences_by_time ON sentences(user_id, time_ms)"),
    // Keystrokes per user, day and pair of expected and typed character:
    // small enough to add up for any period at once, whatever the number of
    // sentences.
    QStringLiteral("CREATE TABLE key_days ("
                   " user_id INTEGER NOT NULL,"
                   " expected INTEGER NOT NULL,"
                   " typed INTEGER NOT NULL,"
                   " day INTEGER NOT NULL,"
                   " count INTEGER NOT NULL,"
                   " PRIMARY KEY (user_id, expected, typed, day)) WITHOUT ROWID"),
};

const QStringList kSessionIndex = {
    QStringLiteral("CREATE INDEX sentences_by_session"
                   " ON sentences(user_id, session, speed, keystrokes, errors, time_ms)"),
};

bool setVersion(QSqlDatabase& db, int version) {
    return run(db, {QStringLiteral("DELETE FROM schema_version"),
                    QStringLiteral("INSERT INTO schema_version VALUES (%1)").arg(version)});
}

// Version 1 to 2: the sitting of every sentence, by the same rule the
// recording uses.
bool addSessions(QSqlDatabase& db) {
    if (!run(db, {QStringLiteral("ALTER TABLE sentences ADD COLUMN session INTEGER NOT NULL "
                                 "DEFAULT 0")}))
        return false;
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT id, user_id, time_ms FROM sentences"
                                  " ORDER BY user_id, time_ms, id")))
        return false;
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE sentences SET session = ? WHERE id = ?"));
    qint64 user = -1, last = 0, session = 0;
    while (rows.next()) {
        const qint64 id = rows.value(0).toLongLong();
        const qint64 u = rows.value(1).toLongLong();
        const qint64 t = rows.value(2).toLongLong();
        if (u != user || t - last > kSittingGapMs || t < last) session = t;
        user = u;
        last = t;
        update.addBindValue(session);
        update.addBindValue(id);
        if (!update.exec()) return false;
    }
    return run(db, kSessionIndex);
}

}  // namespace

bool createStatsSchema(QSqlDatabase& db, int version) {
    if (version != 1 && version != kStatsSchemaVersion) return false;
    if (!db.transaction()) return false;
    bool ok = run(db, kVersion1) && setVersion(db, 1);
    if (ok && version == 2) ok = addSessions(db) && setVersion(db, 2);
    return ok ? db.commit() : (db.rollback(), false);
}

int storedSchemaVersion(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) return -1;
    if (q.value(0).toInt() == 0) return 0;
    if (!q.exec(QStringLiteral("SELECT version FROM schema_version")) || !q.next()) return -1;
    bool ok = false;
    const int version = q.value(0).toInt(&ok);
    return ok && version > 0 ? version : -1;
}

bool upgradeStatsSchema(QSqlDatabase& db, int from) {
    if (from < 1 || from > kStatsSchemaVersion) return false;
    if (from == kStatsSchemaVersion) return true;
    if (!db.transaction()) return false;
    bool ok = true;
    if (from < 2) ok = addSessions(db) && setVersion(db, 2);
    return ok ? db.commit() : (db.rollback(), false);
}

}  // namespace tastolino
