#include "app/StatsCommandLine.h"

#include "exercise/AppState.h"
#include "platform/DataFolders.h"
#include "settings/LanguageSupport.h"
#include "settings/Settings.h"
#include "stats/StatsExport.h"
#include "stats/StatsStore.h"
#include "stats/StatsTexts.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>
#include <cstring>
#include <optional>

namespace tastolino {
namespace {

const QString kSessions = QStringLiteral("--export-sessions");
const QString kKeys = QStringLiteral("--export-keys");
const QString kUser = QStringLiteral("--user");

enum ExitCode { kOk = 0, kBadArguments = 2, kNoDatabase = 3, kCannotWrite = 4 };

void say(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// The language the program itself would speak.
TextLookup languageLookup() {
    const QString folder = appState().appFolder;
    if (folder.isEmpty()) return {};
    const MainOptions options = LoadSettings(folder);
    if (!options.languageFileActive) return {};
    return [folder, name = options.languageName](const QString& id) {
        return GetLangString(folder, name, id);
    };
}

struct Request {
    bool sessions = true;
    QString file;
    std::optional<QString> user;
};

// Exactly one export with its file, and at most one user (which may be the
// empty name).
std::optional<Request> parse(const QStringList& args) {
    Request r;
    bool haveExport = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (i + 1 >= args.size()) return std::nullopt;
        const QString value = args[++i];
        if (a == kSessions || a == kKeys) {
            if (haveExport || value.isEmpty()) return std::nullopt;
            haveExport = true;
            r.sessions = a == kSessions;
            r.file = value;
        } else if (a == kUser && !r.user) {
            r.user = value;
        } else {
            return std::nullopt;
        }
    }
    if (!haveExport) return std::nullopt;
    return r;
}

}  // namespace

bool isStatsExport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--export-sessions") == 0 ||
            std::strcmp(argv[i], "--export-keys") == 0)
            return true;
    return false;
}

int runStatsExport(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    appState().appFolder = dataFolderFor(QCoreApplication::applicationDirPath());
    return statsExport(app.arguments().mid(1),
                       placeForWriting(appState().appFolder, WrittenKind::UserData,
                                       QStringLiteral("TastolinoStats.sqlite")));
}

int statsExport(const QStringList& arguments, const QString& database) {
    const TextLookup lookup = languageLookup();
    const std::optional<Request> request = parse(arguments);
    if (!request) {
        say(statsText(StatsText::ExportUsage, lookup));
        return kBadArguments;
    }
    StatsStore::Options options;
    options.createIfMissing = false;
    options.moveAsideDamaged = false;
    options.lookup = lookup;
    StatsStore store(database, options);
    if (!store.open()) {
        const bool missing = store.state() == StatsStore::State::Missing;
        say(statsText(missing ? StatsText::ExportNoDatabase : StatsText::ExportDatabaseDamaged,
                      lookup)
                .arg(database));
        return kNoDatabase;
    }
    // Written beside and renamed over the target: a failed export leaves no
    // half file.
    QSaveFile out(request->file);
    int rows = -1;
    if (out.open(QIODevice::WriteOnly)) {
        rows = request->sessions ? exportSessionsCsv(store, out, request->user)
                                 : exportKeysCsv(store, out, request->user);
        if (rows < 0 || !out.commit()) rows = -1;
    }
    if (rows < 0) {
        say(statsText(StatsText::ExportCannotWrite, lookup).arg(request->file));
        return kCannotWrite;
    }
    say(statsText(StatsText::ExportDone, lookup).arg(rows).arg(request->file));
    return kOk;
}

}  // namespace tastolino
