// The statistics database: an SQLite file opened on first use (the first
// record or the first query, never at program start), one transaction per
// finished sentence.
//
// Journal: write-ahead log with synchronous=NORMAL. A commit appends the
// sentence to the log with one write and returns; a process killed at any
// moment leaves the log to be rolled forward or ignored on the next open,
// so every sentence whose commit returned is there and the file is never
// damaged. Only an operating-system crash or power loss can take back the
// last commits, and even then the file stays consistent. Syncing every
// commit would cover that too but costs what the disk takes to sync (here
// 0.6 ms with the log and 2.2 ms with a rollback journal, against 0.3 ms),
// and recording happens between two sentences.
//
// A file that cannot be used (not a database, truncated, failing the quick
// check, a version newer than this program, tables that are not ours) is
// renamed with a timestamp and a new database is started; the caller gets a
// message for the user. A file that cannot be written at all leaves the
// statistics off for the run, again with a message: the program goes on.
#pragma once

#include "stats/SentenceRecord.h"
#include "stats/StatsTexts.h"

#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>

class QSqlQuery;

namespace tastolino {

class StatsStore {
  public:
    struct Options {
        // The program creates the database; the command-line export only
        // reads one that exists.
        bool createIfMissing = true;
        // Damaged files are moved aside by the program; the export reports
        // them and leaves them alone.
        bool moveAsideDamaged = true;
        // Time for the names of moved-aside files.
        std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
        // The language lookup for the messages.
        TextLookup lookup;
    };

    enum class State { Closed, Open, Missing, Damaged, Unavailable };

    explicit StatsStore(QString path);
    StatsStore(QString path, Options options);
    ~StatsStore();
    StatsStore(const StatsStore&) = delete;
    StatsStore& operator=(const StatsStore&) = delete;

    const QString& path() const { return path_; }
    State state() const { return state_; }

    // Opens the database if it is not open yet; false when it cannot be
    // used (see state()). A failure is not tried again in the same run.
    bool open();
    void close();

    // Records a finished sentence in one transaction; true once it is
    // committed.
    bool record(const SentenceRecord& r);
    // Records many in one transaction (history made up for tests and
    // screenshots, imports): all or none.
    bool record(const std::vector<SentenceRecord>& records);

    // A message for the user about what happened to the database (moved
    // aside, not writable); empty when there is none. Given once.
    QString takeNotice();

    // The open connection, for the queries; invalid when not open.
    QSqlDatabase database() const;
    // The id of a user's name, -1 when the user has recorded nothing.
    qint64 userId(const QString& name);

  private:
    bool openFile();
    bool checkAndUpgrade();
    bool moveAside();
    void closeConnection();
    qint64 userIdForWriting(const QString& name);
    qint64 sittingOf(qint64 userId, qint64 timeMs);
    bool insert(const SentenceRecord& r);

    QString path_;
    Options options_;
    QString connection_;
    State state_ = State::Closed;
    QString notice_;
    QHash<QString, qint64> userIds_;
    struct Prepared;
    std::unique_ptr<Prepared> prepared_;
};

}  // namespace tastolino
