// The entry of the statistics window's module (see StatsWindowSetup.h).
#include "statswindow/StatsWindowSetup.h"
#include "statswindow/frmStatistiche.h"

extern "C" Q_DECL_EXPORT void tastolino_run_statistics_window(
    tastolino::StatsStore* store, const tastolino::StatsWindowSetup* setup, QWidget* parent,
    QString* drillFile) {
    // The entry's type is the one the program looks for.
    [[maybe_unused]] const tastolino::StatisticsModuleEntry checked =
        &tastolino_run_statistics_window;
    *drillFile = tastolino::runStatisticsWindow(*store, *setup, parent);
}
