#include "app/StatsRecorder.h"

#include "exercise/AppState.h"
#include "platform/DataFolders.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageSupport.h"
#include "stats/StatsStore.h"

namespace tastolino {

QString statsDatabasePath() {
    return placeForWriting(appState().appFolder, WrittenKind::UserData,
                           QStringLiteral("TastolinoStats.sqlite"));
}

TextLookup interfaceLookup() {
    const InterfaceLanguage& language = interfaceLanguage();
    if (!language.fileActive) return {};
    return [folder = appState().appFolder, name = language.name](const QString& id) {
        return GetLangString(folder, name, id);
    };
}

StatsRecorder::StatsRecorder(QString path, QWidget* parent)
    : path_(std::move(path)), parent_(parent) {}

StatsRecorder::~StatsRecorder() = default;

StatsStore& StatsRecorder::store() {
    if (!store_) {
        StatsStore::Options options;
        options.clock = [] { return seams::now(); };
        options.lookup = interfaceLookup();
        // The user's data folder is made when the first file goes into it.
        prepareToWrite(path_);
        store_ = std::make_unique<StatsStore>(path_, options);
    }
    return *store_;
}

void StatsRecorder::showNotice() {
    if (!store_) return;
    const QString notice = store_->takeNotice();
    if (notice.isEmpty()) return;
    failureShown_ = true;
    seams::message(parent_, notice, QStringLiteral("Tastolino"), seams::MsgIcon::Warning);
}

bool StatsRecorder::record(const SentenceRecord& record) {
    StatsStore& s = store();
    const bool ok = s.record(record);
    showNotice();
    if (!ok && !failureShown_) {
        // A database that opened but failed to take the sentence (a full
        // disk, a file made read-only meanwhile): said once, not after
        // every sentence.
        failureShown_ = true;
        seams::message(parent_,
                       statsText(StatsText::DatabaseUnavailable, interfaceLookup()).arg(path_),
                       QStringLiteral("Tastolino"), seams::MsgIcon::Warning);
    }
    return ok;
}

}  // namespace tastolino
