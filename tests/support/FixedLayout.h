// Keyboard layout backends for the window tests: one that stays on a given
// layout, and the German one, always active, so that the start-up check
// neither switches nor warns.
#pragma once

#include "keyboard/KeyboardLayout.h"

#include <memory>
#include <utility>

namespace tastolino::testing {

class FixedLayout : public LayoutBackend {
  public:
    explicit FixedLayout(QString id) : id_(std::move(id)) {}
    QString activeLayoutId() override { return id_; }
    void activateLayout(const QString&) override {}

  private:
    QString id_;
};

class GermanLayout : public FixedLayout {
  public:
    GermanLayout() : FixedLayout(kGermanLayoutId) {}
};

// Installs the German layout until seams::resetAll().
inline void useGermanLayout() {
    setLayoutBackend(std::make_unique<GermanLayout>());
}

}  // namespace tastolino::testing
