#include "stats/StatsStore.h"

#include "stats/StatsSchema.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

namespace tastolino {
namespace {

// A bound null string is stored as SQL NULL: the empty user name and the
// internal sentences' empty file are texts like any other.
QString notNull(const QString& s) {
    return s.isNull() ? QStringLiteral("") : s;
}

QString uniqueConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("tastolino-stats-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The files SQLite keeps beside a database.
const char* const kCompanions[] = {"-wal", "-shm", "-journal"};

}  // namespace

// The statements of a recording, prepared once per connection.
struct StatsStore::Prepared {
    explicit Prepared(const QSqlDatabase& db)
        : findUser(db), addUser(db), lastSitting(db), addSentence(db), addKeys(db) {
        findUser.prepare(QStringLiteral("SELECT id FROM users WHERE name = ?"));
        addUser.prepare(QStringLiteral("INSERT INTO users (name) VALUES (?)"));
        lastSitting.prepare(
            QStringLiteral("SELECT time_ms, session FROM sentences"
                           " WHERE user_id = ? ORDER BY time_ms DESC LIMIT 1"));
        addSentence.prepare(QStringLiteral(
            "INSERT INTO sentences (user_id, time_ms, utc_offset, day, session, source, file,"
            " level, category, characters, duration_ms, keystrokes, errors, speed, score)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        addKeys.prepare(QStringLiteral(
            "INSERT INTO key_days (user_id, expected, typed, day, count) VALUES (?, ?, ?, ?, ?)"
            " ON CONFLICT (user_id, expected, typed, day) DO UPDATE"
            " SET count = count + excluded.count"));
    }
    QSqlQuery findUser, addUser, lastSitting, addSentence, addKeys;
};

StatsStore::StatsStore(QString path) : StatsStore(std::move(path), Options()) {}

StatsStore::StatsStore(QString path, Options options)
    : path_(std::move(path)), options_(std::move(options)) {}

StatsStore::~StatsStore() {
    closeConnection();
}

bool StatsStore::open() {
    if (state_ == State::Open) return true;
    if (state_ != State::Closed) return false;
    if (openFile()) return true;
    if (state_ == State::Damaged && options_.moveAsideDamaged) {
        closeConnection();
        if (!moveAside()) {
            state_ = State::Unavailable;
            return false;
        }
        state_ = State::Closed;
        return openFile();
    }
    return false;
}

void StatsStore::close() {
    closeConnection();
    if (state_ == State::Open) state_ = State::Closed;
}

void StatsStore::closeConnection() {
    prepared_.reset();
    userIds_.clear();
    if (connection_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
}

bool StatsStore::openFile() {
    const bool existed = QFileInfo::exists(path_);
    if (!existed && !options_.createIfMissing) {
        state_ = State::Missing;
        return false;
    }
    connection_ = uniqueConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(path_);
        // A second copy (the command-line export) may be reading.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.isValid() || !db.open()) state_ = existed ? State::Damaged : State::Unavailable;
    }
    if (state_ == State::Closed) {
        if (checkAndUpgrade()) {
            prepared_ = std::make_unique<Prepared>(database());
            state_ = State::Open;
            return true;
        }
        if (state_ == State::Closed) state_ = State::Damaged;
    }
    if (state_ == State::Unavailable)
        notice_ = statsText(StatsText::DatabaseUnavailable, options_.lookup).arg(path_);
    closeConnection();
    return false;
}

// False with state_ left Closed for a damaged file, Unavailable for one
// that is sound but cannot be brought up to date (written).
bool StatsStore::checkAndUpgrade() {
    QSqlDatabase db = database();
    QSqlQuery q(db);
    // Not a database, truncated or damaged pages: the quick check fails or
    // answers something other than "ok".
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() ||
        q.value(0).toString() != QStringLiteral("ok"))
        return false;
    const int version = storedSchemaVersion(db);
    if (version < 0 || version > kStatsSchemaVersion) return false;
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    const bool ready =
        version == 0 ? createStatsSchema(db, kStatsSchemaVersion) : upgradeStatsSchema(db, version);
    if (!ready) state_ = State::Unavailable;
    return ready;
}

bool StatsStore::moveAside() {
    const QString stamp = options_.clock().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path_ + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path_ + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(path_, target)) {
        notice_ = statsText(StatsText::DatabaseUnavailable, options_.lookup).arg(path_);
        return false;
    }
    // The log and its index belong to the old file: they go with it.
    for (const char* suffix : kCompanions) {
        const QString companion = path_ + QLatin1String(suffix);
        if (QFileInfo::exists(companion) &&
            !QFile::rename(companion, target + QLatin1String(suffix)))
            QFile::remove(companion);
    }
    notice_ = statsText(StatsText::DatabaseMovedAside, options_.lookup).arg(target);
    return true;
}

QString StatsStore::takeNotice() {
    return std::exchange(notice_, QString());
}

QSqlDatabase StatsStore::database() const {
    return connection_.isEmpty() ? QSqlDatabase() : QSqlDatabase::database(connection_, false);
}

qint64 StatsStore::userId(const QString& name) {
    if (!open()) return -1;
    const auto cached = userIds_.constFind(notNull(name));
    if (cached != userIds_.constEnd()) return *cached;
    QSqlQuery& q = prepared_->findUser;
    q.addBindValue(notNull(name));
    if (!q.exec() || !q.next()) return -1;
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    userIds_.insert(notNull(name), id);
    return id;
}

qint64 StatsStore::userIdForWriting(const QString& name) {
    const qint64 id = userId(name);
    if (id >= 0) return id;
    QSqlQuery& q = prepared_->addUser;
    q.addBindValue(notNull(name));
    if (!q.exec()) return -1;
    const qint64 added = q.lastInsertId().toLongLong();
    userIds_.insert(notNull(name), added);
    return added;
}

qint64 StatsStore::sittingOf(qint64 userId, qint64 timeMs) {
    QSqlQuery& q = prepared_->lastSitting;
    q.addBindValue(userId);
    if (!q.exec() || !q.next()) return timeMs;
    const qint64 last = q.value(0).toLongLong();
    const qint64 session = q.value(1).toLongLong();
    q.finish();
    return timeMs < last || timeMs - last > kSittingGapMs ? timeMs : session;
}

bool StatsStore::insert(const SentenceRecord& r) {
    const qint64 user = userIdForWriting(r.user);
    if (user < 0) return false;
    const QDateTime time = r.time.isValid() ? r.time : options_.clock();
    const qint64 ms = time.toMSecsSinceEpoch();
    const qint64 day = time.date().toJulianDay();
    QSqlQuery& s = prepared_->addSentence;
    for (const QVariant& v :
         {QVariant(user), QVariant(ms), QVariant(time.offsetFromUtc()), QVariant(day),
          QVariant(sittingOf(user, ms)), QVariant(int(r.source)), QVariant(notNull(r.file)),
          QVariant(r.level), QVariant(r.category), QVariant(r.characters), QVariant(r.milliseconds),
          QVariant(r.keystrokes), QVariant(r.errors), QVariant(r.speed),
          r.score ? QVariant(*r.score) : QVariant()})
        s.addBindValue(v);
    if (!s.exec()) return false;
    QSqlQuery& k = prepared_->addKeys;
    for (const KeyCount& key : r.keys) {
        if (key.count <= 0) continue;
        k.addBindValue(user);
        k.addBindValue(qint64(key.expected));
        k.addBindValue(qint64(key.typed));
        k.addBindValue(day);
        k.addBindValue(key.count);
        if (!k.exec()) return false;
    }
    return true;
}

bool StatsStore::record(const SentenceRecord& r) {
    return record(std::vector<SentenceRecord>{r});
}

bool StatsStore::record(const std::vector<SentenceRecord>& records) {
    if (!open()) return false;
    QSqlDatabase db = database();
    if (db.transaction()) {
        bool ok = true;
        for (const SentenceRecord& r : records) ok = ok && insert(r);
        if (ok && db.commit()) return true;
        db.rollback();
    }
    // Ids handed out inside the rolled-back transaction are gone again.
    userIds_.clear();
    if (notice_.isEmpty())
        notice_ = statsText(StatsText::DatabaseUnavailable, options_.lookup).arg(path_);
    return false;
}

}  // namespace tastolino
