// Text files (".txt") typed as free text: whatever the file holds, it is
// either refused with the open error and the engine back at its start, or
// the accepted text can be typed to its end, every keystroke counted right;
// the file is never changed.
#include "EngineFuzz.h"

#include "exercise/ExerciseSources.h"

using namespace tastolino;
using namespace fuzzcommon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    EngineRun run(seams::MsgAnswer::No);  // no restart after the text: the counts stay
    const QString path = programFolder() + QStringLiteral("Esercizi/t.txt");
    writeFile(path, file);
    run.engine->EnableSources();
    run.engine->SelectSource(SourceTextFiles);
    FUZZ_CHECK(run.engine->sources().listEntries.size() == (size < size_t(kTextFileLimit) ? 1 : 0));
    if (run.engine->sources().listEntries.isEmpty()) return 0;
    run.engine->StartSentence();
    const QString text = appState().results.exerciseText;
    if (!appState().freeTextMode) {
        // Refused: said so, and the engine waits for the next Start.
        FUZZ_CHECK(run.boxes.size() == 1 && run.boxes[0].endsWith(path));
        FUZZ_CHECK(appState().results.exerciseFile.isEmpty());
        FUZZ_CHECK(run.view.welcomes == 1 && !run.view.unloaded);
    } else {
        FUZZ_CHECK(run.boxes.isEmpty());
        FUZZ_CHECK(!text.isEmpty() && text == text.trimmed());
        FUZZ_CHECK(!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')));
        run.typeSentence();
        FUZZ_CHECK(run.engine->sentenceDone());
        FUZZ_CHECK(int(appState().results.correctCount) == text.size());
        FUZZ_CHECK(!run.view.modals.empty() &&
                   run.view.modals.back().kind == DialogKind::FreeTextReport);
    }
    FUZZ_CHECK(readFile(path) == file);
    return 0;
}
