#include "stats/SentenceRecord.h"

namespace tastolino {

QString sourceKindName(SourceKind kind) {
    switch (kind) {
        case SourceKind::InternalSentences:
            return QStringLiteral("sentences");
        case SourceKind::CourseLesson:
            return QStringLiteral("course");
        case SourceKind::CustomExercise:
            return QStringLiteral("exercise");
        case SourceKind::TextFile:
            return QStringLiteral("textfile");
        case SourceKind::Drill:
            return QStringLiteral("drill");
    }
    return QStringLiteral("unknown");
}

}  // namespace tastolino
