// The record of one finished sentence or free text, as the statistics keep
// it. The figures are the ones the results windows show; the record takes
// them as they are and works nothing out again.
#pragma once

#include "stats/KeystrokeTally.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace tastolino {

// Where the text came from. The numbers are stored: never renumber.
enum class SourceKind : int {
    InternalSentences = 0,
    CourseLesson = 1,
    CustomExercise = 2,
    TextFile = 3,  // a free text
    Drill = 4,     // an exercise made by the statistics for weak keys
};

// The name of a source kind in exported files ("sentences", "course",
// "exercise", "textfile", "drill"); stable, never translated.
QString sourceKindName(SourceKind kind);

struct SentenceRecord {
    QString user;    // the name of the user-name entry; empty is a user too
    QDateTime time;  // when the sentence was finished, as the clock gave it
    SourceKind source = SourceKind::InternalSentences;
    QString file;                // full path of the exercise or text file; empty for internal
    int level = 1;               // 1..3 (3 throughout a free text)
    int category = 0;            // 0 beginner, 1 expert
    int characters = 0;          // characters of the text as the speed counts them (CR LF is two)
    qint64 milliseconds = 0;     // from the first right key to the last
    int keystrokes = 0;          // every judged keystroke, right and wrong
    int errors = 0;              // wrong keystrokes
    double speed = 0;            // keystrokes per minute as shown (a sentence: whole numbers)
    std::optional<int> score;    // 0..100 as the results window shows it; none for a free text
    std::vector<KeyCount> keys;  // the tally
};

}  // namespace tastolino
