// A keyboard layout backend for the window tests: the German layout is
// always the active one, so the start-up check neither switches nor warns.
#pragma once

#include "keyboard/KeyboardLayout.h"

namespace tastolino_test {

class GermanLayout : public tastolino::LayoutBackend {
  public:
    QString activeLayoutId() override { return tastolino::kGermanLayoutId; }
    void activateLayout(const QString&) override {}
};

}  // namespace tastolino_test
