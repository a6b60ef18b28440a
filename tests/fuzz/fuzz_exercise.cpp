// Exercise and course files (".lez"): whatever the file holds, every entry
// read from it has only typeable characters on at most two lines that fit,
// and an exercise typed through the engine gives 15 sentences that can all
// be finished and then ends, without a message and without touching the
// file.
#include "EngineFuzz.h"

#include "exercise/ExerciseSources.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace tastolino;
using namespace fuzzcommon;

namespace {

bool allTypeable(const QString& text) {
    for (QChar c : text)
        if (!isTypeableCode(charCode(c))) return false;
    return true;
}

void checkEntry(const QString& entry, const LineFitter& fitter) {
    if (entry.isEmpty()) return;
    context() = QStringLiteral("entry [%1] width %2").arg(entry).arg(fitter.maxWidth);
    const QStringList lines = entry.split(QStringLiteral("\r\n"));
    FUZZ_CHECK(lines.size() <= 2);
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.isEmpty() && allTypeable(line));
        // A text cut to one or two characters is doubled until it has at
        // least three: up to four characters, whatever the width.
        FUZZ_CHECK(fitter.textWidth(line) <= fitter.maxWidth || line.size() <= 4);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange(1, 1200);
    const QByteArray file = QByteArray::fromStdString(in.ConsumeRemainingBytesAsString());
    const LineFitter fitter{[](const QString& s) { return int(s.size()) * 10; }, width};

    // The entries and the helpers on their own.
    const QString lez = programFolder() + QStringLiteral("e.lez");
    writeFile(lez, file);
    for (int level = 1; level <= 3; ++level)
        for (int key = 1; key <= 15; ++key)
            checkEntry(ReadCourseEntry(lez, level, key, fitter), fitter);
    const QString text = decodeFileText(file);
    const QString kept = KeepTypeable(text);
    FUZZ_CHECK(allTypeable(kept) && KeepTypeable(kept) == kept);
    const QString fitted = FitToLine(kept, fitter);
    FUZZ_CHECK(fitter.textWidth(fitted) <= width || fitted.size() <= 4);

    // The whole exercise through the engine, on the main window's width.
    EngineRun run(seams::MsgAnswer::Yes);
    const QString exercise = programFolder() + QStringLiteral("Esercizi/e.lez");
    writeFile(exercise, file);
    run.engine->EnableSources();
    run.engine->SelectSource(SourceExercises);
    FUZZ_CHECK(run.engine->sources().listEntries == QStringList{QStringLiteral("e.lez")});
    run.view.answers = {0, 0, 1};  // on after levels 1 and 2, then end
    for (int n = 1; n <= 15; ++n) {
        run.engine->StartSentence();
        FUZZ_CHECK(run.engine->sentenceNumber() == n);
        const QString sentence = appState().results.exerciseText;
        FUZZ_CHECK(!sentence.isEmpty());
        FUZZ_CHECK(!sentence.startsWith(QLatin1Char('\r')) &&
                   !sentence.endsWith(QLatin1Char('\n')));
        run.typeSentence();
        FUZZ_CHECK(run.engine->sentenceDone());
        FUZZ_CHECK(run.view.startEnabled);
    }
    run.engine->StartSentence();
    FUZZ_CHECK(run.view.unloaded);
    FUZZ_CHECK(run.boxes.isEmpty());
    FUZZ_CHECK(readFile(exercise) == file);
    return 0;
}
