#include "support/QuietSeams.h"

namespace tastolino::testing {

void quietWindowSeams(QList<seams::MessageRequest>* asked, QSize screen) {
    seams::setInstantWaits(true);
    seams::setMessageHook([asked](const seams::MessageRequest& request) {
        if (asked) *asked << request;
        return seams::MsgAnswer::Ok;
    });
    seams::setSoundHook([](int) {});
    seams::setScreenSizeHook([screen] { return screen; });
    seams::setCapsLockHooks([] { return false; }, [] {});
}

}  // namespace tastolino::testing
