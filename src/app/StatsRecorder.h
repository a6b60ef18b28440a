// Keeps the learning statistics of the running program: the database in the
// user's data folder, opened when the first sentence is finished, and the
// message when it cannot be used. Recording never stops the exercise: a
// database that fails is reported once and the program goes on without it.
#pragma once

#include "stats/SentenceRecord.h"
#include "stats/StatsTexts.h"

#include <QString>

#include <memory>

class QWidget;

namespace tastolino {

class StatsStore;

// The file of the statistics database for the running program.
QString statsDatabasePath();

// The language lookup of the running program's interface texts.
TextLookup interfaceLookup();

class StatsRecorder {
  public:
    // `path`: the database file; `parent` owns the message boxes.
    explicit StatsRecorder(QString path = statsDatabasePath(), QWidget* parent = nullptr);
    ~StatsRecorder();
    StatsRecorder(const StatsRecorder&) = delete;
    StatsRecorder& operator=(const StatsRecorder&) = delete;

    // Records a finished sentence; true once it is committed. A failure or a
    // database moved aside is told to the user once.
    bool record(const SentenceRecord& record);

    // The store (opened on first use), for the statistics window.
    StatsStore& store();
    // Shows what the store has to tell the user, if anything.
    void showNotice();

    const QString& path() const { return path_; }

  private:
    QString path_;
    QWidget* parent_;
    std::unique_ptr<StatsStore> store_;
    bool failureShown_ = false;
};

}  // namespace tastolino
