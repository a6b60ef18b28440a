// The keyboard layout on X11 through the X keyboard extension.
//
// The active layout is the XKB layout of the locked group, reported as a
// Windows layout identifier ("de" -> "00000407"). To activate a layout we
// lock the group that already carries it; when no group does, the keymap is
// rebuilt from the rules with that layout alone, the way setxkbmap does.
// The configuration found before the first change is kept, so that handing
// its identifier back restores exactly that configuration (variants and
// options included). Without an X display nothing can be read or changed.
#pragma once

#include "keyboard/KeyboardLayout.h"

#include <QStringList>

#include <optional>

namespace tastolino {

// XKB layout name (and variant) <-> Windows layout identifier. Only a
// layout without a variant has the identifier of its table entry: a
// variant ("de" + "neo") puts other characters and dead keys on the keys,
// so it is a layout of its own. Names without an identifier are reported
// as "xkb:<name>" or "xkb:<name>(<variant>)" so that they can still be
// handed back; xkbLayoutForWindowsId gives "<name>" or "<name>(<variant>)",
// and an empty name for an unknown identifier.
QString windowsLayoutIdForXkb(const QString& xkbLayout, const QString& variant = {});
QString xkbLayoutForWindowsId(const QString& layoutId);

// The rules names of the X server (the _XKB_RULES_NAMES property).
struct XkbNames {
    QString rules, model, layout, variant, options;
    bool operator==(const XkbNames&) const = default;
};

class XkbLayoutBackend : public LayoutBackend {
  public:
    QString activeLayoutId() override;
    void activateLayout(const QString& layoutId) override;

  private:
    struct Saved {
        XkbNames names;
        int group = 0;
        QString layoutId;
    };
    std::optional<Saved> saved_;
};

}  // namespace tastolino
