// The records file of the game: whatever the file holds, a record written
// reads back, the records of the other users never change, and a write
// that fails (here: the file is read-only) leaves the file byte for byte.
#include "FuzzCommon.h"

#include "game/PlayRules.h"
#include "settings/UserStorageKey.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>

#include <vector>

using namespace tastolino;
using namespace fuzzcommon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const QString folder = programFolder();
    const QString file = game::recordsFilePath(folder);
    const QByteArray path = QFile::encodeName(file);
    ::chmod(path.constData(), 0600);
    writeFile(file, QByteArray::fromStdString(in.ConsumeRandomLengthString(4096)));

    const QString writer = consumeName(in);
    const int mode = in.ConsumeIntegralInRange(-1, 3);
    const int32_t score = in.ConsumeIntegral<int32_t>();
    const bool readOnly = in.ConsumeBool();
    std::vector<QString> others;
    while (others.size() < 4 && in.remaining_bytes() > 0) others.push_back(consumeName(in));
    others.push_back(QStringLiteral("Anna"));
    others.push_back(QStringLiteral("Zoë Müller"));

    std::vector<std::array<int32_t, 3>> before;
    for (const QString& other : others) before.push_back(game::readRecords(folder, other));
    if (readOnly) FUZZ_CHECK(::chmod(path.constData(), 0444) == 0);
    const QByteArray bytesBefore = readFile(file);

    const bool written = game::writeRecord(folder, writer, mode, score);
    if (readOnly || writer.isEmpty() || !game::isGameMode(mode)) FUZZ_CHECK(!written);
    if (written)
        FUZZ_CHECK(game::readRecords(folder, writer)[size_t(mode)] == score);
    else
        FUZZ_CHECK(readFile(file) == bytesBefore);

    // Sections are found regardless of case: a user whose key differs from
    // the writer's only in case shares the writer's section.
    const QString writerKey = userStorageKey(writer);
    for (size_t i = 0; i < others.size(); ++i) {
        if (written && userStorageKey(others[i]).compare(writerKey, Qt::CaseInsensitive) == 0)
            continue;
        FUZZ_CHECK(game::readRecords(folder, others[i]) == before[i]);
    }
    return 0;
}
