#include "keyboard/XkbLayoutBackend.h"

#include "platform/XkbKeyboard.h"

#include <QByteArray>
#include <QHash>

#include <cstdio>
#include <cstdlib>
// clang-format off
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XKBrules.h>
// clang-format on

namespace tastolino {
namespace {

struct LayoutPair {
    const char* xkb;
    const char* windowsId;
};

// The first entry for an identifier is the one we load for it.
constexpr LayoutPair kLayouts[] = {
    {"de", "00000407"},    {"us", "00000409"}, {"it", "00000410"}, {"fr", "0000040C"},
    {"ch", "00000807"},    {"gb", "00000809"}, {"es", "0000040A"}, {"at", "00000C07"},
    {"be", "0000080C"},    {"nl", "00000413"}, {"pt", "00000816"}, {"br", "00000416"},
    {"se", "0000041D"},    {"no", "00000414"}, {"dk", "00000406"}, {"fi", "0000040B"},
    {"pl", "00000415"},    {"cz", "00000405"}, {"sk", "0000041B"}, {"hu", "0000040E"},
    {"ru", "00000419"},    {"gr", "00000408"}, {"tr", "0000041F"}, {"ca", "00001009"},
    {"latam", "0000080A"}, {"ie", "00001809"}, {"jp", "00000411"}, {"si", "00000424"},
    {"hr", "0000041A"},    {"ro", "00000418"}, {"ua", "00000422"}, {"il", "0000040D"},
};

const QString kUnmappedPrefix = QStringLiteral("xkb:");

std::optional<XkbNames> readNames(Display* dpy) {
    char* rulesFile = nullptr;
    XkbRF_VarDefsRec vd{};
    if (!XkbRF_GetNamesProp(dpy, &rulesFile, &vd)) return std::nullopt;
    auto take = [](char* s) {
        QString out = s ? QString::fromUtf8(s) : QString();
        std::free(s);
        return out;
    };
    XkbNames names;
    names.rules = take(rulesFile);
    names.model = take(vd.model);
    names.layout = take(vd.layout);
    names.variant = take(vd.variant);
    names.options = take(vd.options);
    return names;
}

int lockedGroup(Display* dpy) {
    XkbStateRec st;
    if (XkbGetState(dpy, XkbUseCoreKbd, &st) != Success) return -1;
    return st.locked_group;
}

void lockGroup(Display* dpy, int group) {
    XkbLockGroup(dpy, XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(dpy, False);
}

// Compiles the keymap for `names` from the rules and installs it, then
// records the names on the root window, as setxkbmap does.
bool loadKeymap(Display* dpy, const XkbNames& names) {
    const QString rulesName = names.rules.isEmpty() ? QStringLiteral("evdev") : names.rules;
    QByteArray path = QByteArray("/usr/share/X11/xkb/rules/") + rulesName.toUtf8();
    QByteArray locale("C");
    XkbRF_RulesPtr rules = XkbRF_Load(path.data(), locale.data(), False, True);
    if (!rules) return false;

    QByteArray model = names.model.toUtf8(), layout = names.layout.toUtf8(),
               variant = names.variant.toUtf8(), options = names.options.toUtf8();
    XkbRF_VarDefsRec vd{};
    vd.model = model.isEmpty() ? nullptr : model.data();
    vd.layout = layout.data();
    vd.variant = variant.isEmpty() ? nullptr : variant.data();
    vd.options = options.isEmpty() ? nullptr : options.data();

    XkbComponentNamesRec comps{};
    const bool ok = XkbRF_GetComponents(rules, &vd, &comps);
    bool loaded = false;
    if (ok) {
        XkbDescPtr desc =
            XkbGetKeyboardByName(dpy, XkbUseCoreKbd, &comps, XkbGBN_AllComponentsMask,
                                 XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask, True);
        if (desc) {
            loaded = true;
            XkbFreeKeyboard(desc, XkbAllComponentsMask, True);
            QByteArray rulesBytes = rulesName.toUtf8();
            XkbRF_SetNamesProp(dpy, rulesBytes.data(), &vd);
        }
    }
    std::free(comps.keymap);
    std::free(comps.keycodes);
    std::free(comps.types);
    std::free(comps.compat);
    std::free(comps.symbols);
    std::free(comps.geometry);
    XkbRF_Free(rules, True);
    XSync(dpy, False);
    return loaded;
}

// The layout name of each group, "de,us" -> {"de", "us"}.
QStringList groupLayouts(const XkbNames& names) {
    return names.layout.split(QLatin1Char(','), Qt::KeepEmptyParts);
}

// The variant of group `group` ("neo," -> "neo" for group 0, "" for 1).
QString groupVariant(const XkbNames& names, int group) {
    const QStringList variants = names.variant.split(QLatin1Char(','), Qt::KeepEmptyParts);
    return group >= 0 && group < variants.size() ? variants[group].trimmed() : QString();
}

// "de(neo)" -> layout "de", variant "neo".
std::pair<QString, QString> splitLayoutName(const QString& name) {
    const qsizetype open = name.indexOf(QLatin1Char('('));
    if (open < 0 || !name.endsWith(QLatin1Char(')'))) return {name, QString()};
    return {name.left(open), name.mid(open + 1, name.size() - open - 2)};
}

}  // namespace

QString windowsLayoutIdForXkb(const QString& xkbLayout, const QString& variant) {
    const QString name = xkbLayout.trimmed();
    if (name.isEmpty()) return QString();
    const QString v = variant.trimmed();
    if (!v.isEmpty()) return kUnmappedPrefix + name + QLatin1Char('(') + v + QLatin1Char(')');
    for (const LayoutPair& p : kLayouts)
        if (name == QLatin1String(p.xkb)) return QString::fromLatin1(p.windowsId);
    return kUnmappedPrefix + name;
}

QString xkbLayoutForWindowsId(const QString& layoutId) {
    if (layoutId.startsWith(kUnmappedPrefix)) return layoutId.mid(kUnmappedPrefix.size());
    for (const LayoutPair& p : kLayouts)
        if (layoutId.compare(QLatin1String(p.windowsId), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(p.xkb);
    return QString();
}

QString XkbLayoutBackend::activeLayoutId() {
    Display* dpy = xkb::display();
    if (!dpy) return QString();
    const std::optional<XkbNames> names = readNames(dpy);
    const int group = lockedGroup(dpy);
    if (!names || group < 0) return QString();
    const QStringList layouts = groupLayouts(*names);
    if (group >= layouts.size()) return QString();
    return windowsLayoutIdForXkb(layouts[group], groupVariant(*names, group));
}

void XkbLayoutBackend::activateLayout(const QString& layoutId) {
    Display* dpy = xkb::display();
    if (!dpy) return;
    const std::optional<XkbNames> current = readNames(dpy);
    const int group = lockedGroup(dpy);
    if (!current || group < 0) return;

    // Handing back the configuration we found: restore it as it was.
    if (saved_ && saved_->layoutId == layoutId) {
        if (!(*current == saved_->names)) loadKeymap(dpy, saved_->names);
        lockGroup(dpy, saved_->group);
        saved_.reset();
        return;
    }
    if (!saved_) saved_ = Saved{*current, group, activeLayoutId()};

    const auto [wanted, wantedVariant] = splitLayoutName(xkbLayoutForWindowsId(layoutId));
    if (wanted.isEmpty()) return;
    // A group that carries the layout with the same variant (none for a
    // plain layout) only needs locking.
    const QStringList layouts = groupLayouts(*current);
    for (int g = 0; g < layouts.size(); ++g) {
        if (layouts[g].trimmed() == wanted && groupVariant(*current, g) == wantedVariant) {
            lockGroup(dpy, g);
            return;
        }
    }
    XkbNames names = *current;
    names.layout = wanted;
    names.variant = wantedVariant;
    if (loadKeymap(dpy, names)) lockGroup(dpy, 0);
}

}  // namespace tastolino
