// The way into the statistics window for windows below the main window
// (the results window): the main window, which owns the statistics, puts
// its opener here while it runs.
#pragma once

#include <functional>

class QWidget;

namespace tastolino {

using StatisticsOpener = std::function<void(QWidget* parent)>;

// None (empty) while no main window offers the statistics.
void setStatisticsOpener(StatisticsOpener opener);
const StatisticsOpener& statisticsOpener();

}  // namespace tastolino
