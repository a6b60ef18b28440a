// The dialogs the main window shows over the dimming sheet.
#pragma once

#include <cstdint>

namespace tastolino {

enum class DialogKind : int16_t {
    None = 0,
    UserName = 1,
    Results = 2,
    FreeTextReport = 3,
};

// Whether `kind` names one of the dialogs above (None does not).
constexpr bool isDialog(DialogKind kind) {
    return kind == DialogKind::UserName || kind == DialogKind::Results ||
           kind == DialogKind::FreeTextReport;
}

}  // namespace tastolino
