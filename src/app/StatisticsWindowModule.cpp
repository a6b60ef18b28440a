#include "app/StatisticsWindowModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace tastolino {

namespace {

StatisticsWindowRunner& linkedRunner() {
    static StatisticsWindowRunner runner;
    return runner;
}

StatisticsModuleEntry loadEntry(QString* problem) {
    static StatisticsModuleEntry entry = nullptr;
    if (entry) return entry;
    const QString beside = QCoreApplication::applicationDirPath();
    QStringList places{beside};
#ifdef TASTOLINO_MODULE_DIR
    places << QDir::cleanPath(beside + QLatin1Char('/') + QStringLiteral(TASTOLINO_MODULE_DIR));
#endif
    QStringList reasons;
    for (const QString& place : places) {
        const QString file = QDir(place).filePath(QLatin1String(kStatisticsModuleFile));
        if (!QFileInfo::exists(file)) continue;
        // Kept loaded for the rest of the run, as a module is.
        auto* library = new QLibrary(file);
        // Every symbol at once: a module that does not fit this program
        // fails here, not in the middle of the window.
        library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (library->load()) {
            entry =
                reinterpret_cast<StatisticsModuleEntry>(library->resolve(kStatisticsModuleEntry));
            if (entry) return entry;
        }
        reasons << library->errorString();
        library->unload();
        delete library;
    }
    if (problem) {
        if (reasons.isEmpty()) {
            for (const QString& place : places)
                reasons << QDir::toNativeSeparators(
                    QDir(place).filePath(QLatin1String(kStatisticsModuleFile)));
        }
        *problem = reasons.join(QStringLiteral("; "));
    }
    return nullptr;
}

}  // namespace

StatisticsWindowRunner statisticsWindowRunner(QString* problem) {
    if (linkedRunner()) return linkedRunner();
    const StatisticsModuleEntry entry = loadEntry(problem);
    if (!entry) return {};
    return [entry](StatsStore& store, const StatsWindowSetup& setup, QWidget* parent) {
        QString drillFile;
        entry(&store, &setup, parent, &drillFile);
        return drillFile;
    };
}

void setStatisticsWindowRunner(StatisticsWindowRunner runner) {
    linkedRunner() = std::move(runner);
}

}  // namespace tastolino
