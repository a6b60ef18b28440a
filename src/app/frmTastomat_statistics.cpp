// The statistics window of the main window: opened from the menu strip and
// from the results window, with the drill on the weak keys, which starts
// like an exercise named on the command line, and the CSV export.
#include "app/StatisticsWindowModule.h"
#include "app/StatsRecorder.h"
#include "app/frmTastomat.h"
#include "app/frmTastomat_view.h"
#include "platform/DataFolders.h"
#include "platform/Seams.h"
#include "stats/StatsExport.h"
#include "stats/StatsStore.h"
#include "stats/WeakKeyDrill.h"
#include "statswindow/KeyHeat.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>

namespace tastolino {
namespace {

const QString kTitle = QStringLiteral("Tastolino");

QString suggestedCsv(bool sessions, const QString& user) {
    QString name =
        sessions ? QStringLiteral("tastolino-sessions") : QStringLiteral("tastolino-keys");
    const QString part = QFileInfo(drillFileName(user)).completeBaseName().section('_', 1);
    if (!part.isEmpty()) name += QLatin1Char('-') + part;
    return QDir::home().filePath(name + QStringLiteral(".csv"));
}

void exportCsv(StatsStore& store, QWidget* parent, bool sessions, const QString& user) {
    const TextLookup lookup = interfaceLookup();
    const QString file =
        seams::saveFileName(parent, windowText(sessions ? "9128" : "9129", lookup).remove("..."),
                            suggestedCsv(sessions, user), windowText("9150", lookup));
    if (file.isEmpty()) return;
    // Written beside and renamed over the target: a failed export leaves
    // no half file and the old one as it was.
    QSaveFile out(file);
    int rows = -1;
    if (out.open(QIODevice::WriteOnly)) {
        rows = sessions ? exportSessionsCsv(store, out, user) : exportKeysCsv(store, out, user);
        if (rows < 0 || !out.commit()) rows = -1;
    }
    if (rows < 0)
        seams::message(parent, statsText(StatsText::ExportCannotWrite, lookup).arg(file), kTitle,
                       seams::MsgIcon::Warning);
    else
        seams::message(parent, statsText(StatsText::ExportDone, lookup).arg(rows).arg(file), kTitle,
                       seams::MsgIcon::Information);
}

}  // namespace

void frmTastomat::ShowStatistics(QWidget* parent) {
    QString problem;
    const StatisticsWindowRunner runStatisticsWindow = statisticsWindowRunner(&problem);
    if (!runStatisticsWindow) {
        seams::message(parent, windowText("9151", interfaceLookup()).arg(problem), kTitle,
                       seams::MsgIcon::Warning);
        return;
    }
    // The sentence clock stands still while the window is open.
    const bool wasRunning = engine.clockRunning();
    const QDateTime stopped = seams::now();
    if (wasRunning) engine.SetClock(false);

    StatsStore& store = stats_->store();
    store.open();
    stats_->showNotice();

    const QString user = appState().results.userName;
    StatsWindowSetup setup;
    setup.user = user;
    setup.today = seams::now().date();
    setup.lookup = interfaceLookup();
    setup.ergonomic = ergonomicOn;
    setup.largeKeyboard = appState().largeScreen;
    // From the results window the exercise goes on where it is: the drill
    // is offered from the main window only.
    if (parent == this) {
        setup.makeDrill = [this, &store, user](QWidget* owner) -> QString {
            const QString target =
                placeForWriting(appState().appFolder, WrittenKind::UserData,
                                QStringLiteral("Esercizi/") + drillFileName(user));
            prepareToWrite(target);
            const LineFitter fitter = view_->lineFitter();
            const LineFits fits = [fitter](const QString& line) {
                return fitter.textWidth(line) <= fitter.maxWidth;
            };
            const DrillResult result =
                makeWeakKeyDrill(store, user, seams::now().date(),
                                 appState().appFolder + QStringLiteral("stats/words.txt"),
                                 QFileInfo(target).path(), fits, interfaceLookup());
            if (result.path.isEmpty())
                seams::message(owner, result.message, kTitle, seams::MsgIcon::Information);
            return result.path;
        };
    }
    setup.exportCsv = [&store, user](QWidget* owner, bool sessions) {
        exportCsv(store, owner, sessions, user);
    };

    const QString drillFile = runStatisticsWindow(store, setup, parent);
    if (!drillFile.isEmpty()) {
        StartCommandLineExercise(drillFile);
        return;
    }
    if (wasRunning && !unloaded_) engine.ResumeClock(stopped);
}

void frmTastomat::StartCommandLineExercise(const QString& path) {
    if (unloaded_) return;
    // Back to a fresh start, as the restart command leaves it...
    engine.StartAfresh();
    if (unloaded_) return;
    // ... then the file as the command line names it, started at once.
    if (!engine.InterpretCommandLine(path)) return;
    engine.EnableSources();
    cmdStart->setEnabled(false);
    StartSentence();
}

}  // namespace tastolino
