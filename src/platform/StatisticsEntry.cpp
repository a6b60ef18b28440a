#include "platform/StatisticsEntry.h"

namespace tastolino {
namespace {

StatisticsOpener& opener() {
    static StatisticsOpener o;
    return o;
}

}  // namespace

void setStatisticsOpener(StatisticsOpener o) {
    opener() = std::move(o);
}

const StatisticsOpener& statisticsOpener() {
    return opener();
}

}  // namespace tastolino
