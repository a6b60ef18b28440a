// The course bookmark: whatever the bookmark file holds, a bookmark kept
// reads back as the lesson's name, one given up reads back empty, the
// bookmarks of the other users never change, and a save that fails (here:
// the file is read-only) leaves the file byte for byte and is said so.
#include "EngineFuzz.h"

#include "exercise/ExerciseProfile.h"
#include "exercise/ExerciseSources.h"
#include "settings/UserStorageKey.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>

using namespace tastolino;
using namespace fuzzcommon;

namespace {

QString bookmarkOf(const QString& user) {
    return profileRead(ExerciseSources::bookmarkFile(), userStorageKey(user),
                       QStringLiteral("Bookmark"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool keep = in.ConsumeBool();
    const bool readOnly = in.ConsumeBool();
    const QString user = consumeName(in);
    const QString other = consumeName(in);
    EngineRun run(keep ? seams::MsgAnswer::Yes : seams::MsgAnswer::No);
    const QString file = ExerciseSources::bookmarkFile();
    const QByteArray path = QFile::encodeName(file);
    QDir().mkpath(QFileInfo(file).path());
    ::chmod(path.constData(), 0600);
    writeFile(file, QByteArray::fromStdString(in.ConsumeRemainingBytesAsString()));
    context() = QStringLiteral("user [%1] other [%2] file [%3]").arg(user, other, file);

    const QStringList others{other, QStringLiteral("Anna"), QStringLiteral("Zoë")};
    QStringList before;
    for (const QString& o : others) before << bookmarkOf(o);
    if (readOnly) FUZZ_CHECK(::chmod(path.constData(), 0444) == 0);
    const QByteArray bytesBefore = readFile(file);

    appState().results.userName = user;
    appState().results.exerciseFile =
        programFolder() + QStringLiteral("CorsoDattilo/05 g und h.lez");
    ExerciseSources& sources = run.engine->sources();
    sources.listEntries = QStringList{QStringLiteral("a"), QStringLiteral("b")};
    sources.listIndex = 0;
    QStringList messages;
    for (int i = 0; i < 23; ++i) messages << QStringLiteral("m%1").arg(i);
    sources.SaveBookmark(nullptr, messages);

    const QString key = userStorageKey(user);
    const QString wanted = keep ? QStringLiteral("05 G UND H") : QString();
    if (key.isEmpty()) {
        // Nobody to keep a bookmark for: not even asked.
        FUZZ_CHECK(run.boxes.isEmpty() && readFile(file) == bytesBefore);
    } else {
        // The question, and a message when the answer could not be kept;
        // without one the bookmark is the one chosen.
        FUZZ_CHECK(run.boxes.size() == 1 || run.boxes.size() == 2);
        if (run.boxes.size() == 1) FUZZ_CHECK(bookmarkOf(user) == wanted);
        if (readOnly) FUZZ_CHECK(readFile(file) == bytesBefore);
        if (!readOnly) FUZZ_CHECK(run.boxes.size() == 1);
    }
    for (int i = 0; i < others.size(); ++i) {
        if (userStorageKey(others[i]).compare(key, Qt::CaseInsensitive) == 0) continue;
        FUZZ_CHECK(bookmarkOf(others[i]) == before[i]);
    }
    ::chmod(path.constData(), 0600);
    return 0;
}
