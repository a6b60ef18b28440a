// The argument on the command line: whatever it holds, an accepted one
// names a regular file ending in ".lez" or ".txt" by a clean absolute path
// (no ".." leads out of a folder); a refused one names the path it looked
// at; and nothing ever waits on a named pipe. The folders hold the kinds a user (or someone else)
// can put there: files, folders, links and pipes.
#include "FuzzCommon.h"

#include "exercise/AppState.h"
#include "exercise/ExerciseSources.h"
#include "settings/InterfaceLanguage.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tastolino;
using namespace fuzzcommon;

namespace {

const char* const kPieces[] = {"/",       " ",         "..",      "Esercizi/", "a.lez",
                               "B.TXT",   "pipe.txt",  "dir.lez", "link.lez",  "nowhere.lez",
                               "big.txt", "local.txt", "./",      "\\",        ".lez",
                               ".txt",    "here/",     "A.LEZ",   "b.txt",     "//"};

void setUp() {
    static bool done = false;
    if (done) return;
    done = true;
    const QString root = programFolder();
    QDir(root).mkpath(QStringLiteral("Esercizi/dir.lez"));
    QDir(root).mkpath(QStringLiteral("here"));
    writeFile(root + QStringLiteral("Esercizi/a.lez"), "[Livello1]\r\n1=asdf\r\n");
    writeFile(root + QStringLiteral("Esercizi/B.TXT"), "Ein Text.");
    writeFile(root + QStringLiteral("Esercizi/big.txt"), QByteArray(30000, 'a'));
    writeFile(root + QStringLiteral("here/local.txt"), "Hier.");
    FUZZ_CHECK(::mkfifo(QFile::encodeName(root + QStringLiteral("Esercizi/pipe.txt")), 0666) == 0);
    FUZZ_CHECK(::mkfifo(QFile::encodeName(root + QStringLiteral("here/pipe.txt")), 0666) == 0);
    FUZZ_CHECK(QFile::link(QStringLiteral("/etc/hostname"), root + QStringLiteral("link.lez")));
    FUZZ_CHECK(QFile::link(root + QStringLiteral("Esercizi/pipe.txt"),
                           root + QStringLiteral("Esercizi/link.lez")));
    FUZZ_CHECK(
        QFile::link(root + QStringLiteral("gone"), root + QStringLiteral("Esercizi/nowhere.lez")));
}

bool isRegularFile(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    setUp();
    FuzzedDataProvider in(data, size);
    QString arg;
    while (in.remaining_bytes() > 0 && arg.size() < 200) {
        if (in.ConsumeBool())
            arg += QLatin1String(
                kPieces[in.ConsumeIntegralInRange<size_t>(0, std::size(kPieces) - 1)]);
        else
            arg += QChar(in.ConsumeIntegral<char16_t>());
    }
    AppState& st = appState();
    st = AppState{};
    st.appFolder = programFolder();
    setInterfaceFolder(st.appFolder);
    ExerciseSources sources;
    // Relative paths start in a folder of the fuzz run, for this call only:
    // the fuzzer itself names its corpus relative to where it started.
    const QString started = QDir::currentPath();
    FUZZ_CHECK(QDir::setCurrent(programFolder() + QStringLiteral("here")));
    const ExerciseSources::CommandLine result = sources.InterpretCommandLine(arg);
    FUZZ_CHECK(QDir::setCurrent(started));
    const QString file = st.results.exerciseFile;
    context() = QStringLiteral("argument [%1] file [%2]")
                    .arg(QString::fromLatin1(arg.toUtf8().toPercentEncoding("/ .")), file);
    const QString ext = arg.trimmed().right(4).toLower();
    switch (result) {
        case ExerciseSources::CommandLine::Accepted:
        case ExerciseSources::CommandLine::TooLong:
            FUZZ_CHECK(ext == QStringLiteral(".lez") || ext == QStringLiteral(".txt"));
            FUZZ_CHECK(isRegularFile(file));
            FUZZ_CHECK(file.endsWith(QStringLiteral(".lez"), Qt::CaseInsensitive) ||
                       file.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive));
            // A clean absolute path: no ".." leads out of the folder it names.
            FUZZ_CHECK(QDir::isAbsolutePath(file) && QDir::cleanPath(file) == file);
            FUZZ_CHECK((result == ExerciseSources::CommandLine::TooLong) ==
                       (ext == QStringLiteral(".txt") && QFileInfo(file).size() >= kTextFileLimit));
            FUZZ_CHECK(st.freeTextMode == (result == ExerciseSources::CommandLine::Accepted &&
                                           ext == QStringLiteral(".txt")));
            break;
        case ExerciseSources::CommandLine::NotFound:
            FUZZ_CHECK(!sources.unreadableFile.isEmpty() && !isRegularFile(sources.unreadableFile));
            FUZZ_CHECK(sources.commandLineArg.isEmpty() && file.isEmpty());
            break;
        case ExerciseSources::CommandLine::Ignored:
            FUZZ_CHECK(ext != QStringLiteral(".lez") && ext != QStringLiteral(".txt"));
            FUZZ_CHECK(file.isEmpty() && sources.commandLineArg.isEmpty());
            break;
    }
    return 0;
}
