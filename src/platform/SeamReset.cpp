#include "platform/SeamReset.h"

#include <vector>

namespace tastolino::seams {
namespace {

// Built on first use: files register while statics are set up, in no fixed
// order.
std::vector<std::function<void()>>& resets() {
    static std::vector<std::function<void()>> list;
    return list;
}

}  // namespace

bool registerReset(std::function<void()> reset) {
    if (reset) resets().push_back(std::move(reset));
    return true;
}

void runRegisteredResets() {
    for (const std::function<void()>& reset : resets()) reset();
}

}  // namespace tastolino::seams
