#include "keyboard/KeyboardLayout.h"

#include "keyboard/XkbLayoutBackend.h"
#include "platform/SeamReset.h"
#include "platform/Seams.h"

namespace tastolino {
namespace {

QString& rememberedLayout() {
    static QString layout;
    return layout;
}

std::unique_ptr<LayoutBackend>& backendSlot() {
    static std::unique_ptr<LayoutBackend> slot;
    return slot;
}

[[maybe_unused]] const bool backendResetRegistered = seams::registerReset([] {
    backendSlot().reset();
    rememberedLayout().clear();
});

}  // namespace

void setLayoutBackend(std::unique_ptr<LayoutBackend> backend) {
    backendSlot() = std::move(backend);
    rememberedLayout().clear();
}

LayoutBackend& layoutBackend() {
    if (!backendSlot()) backendSlot() = std::make_unique<XkbLayoutBackend>();
    return *backendSlot();
}

bool EnsureKeyboardLayout(const QString& layoutId, bool remember) {
    LayoutBackend& backend = layoutBackend();
    const QString previous = backend.activeLayoutId();
    if (previous == layoutId) return true;
    QString& toRestore = rememberedLayout();
    if (remember) toRestore = previous;

    backend.activateLayout(layoutId);
    if (backend.activeLayoutId() == layoutId) return true;

    // Give back the layout that was active when we came in. (Re-activating
    // the remembered one instead would, for a call without `remember`, load
    // whatever an earlier call left there - or nothing at all.)
    if (!previous.isEmpty()) backend.activateLayout(previous);
    toRestore.clear();
    return false;
}

QString layoutWarningText(const LayoutWarningTexts& t) {
    return t.notSetForLanguage + QLatin1Char(' ') + t.german + QLatin1Char('\n') + t.mayNotWork +
           QLatin1Char('\n') + t.seeHelp;
}

bool CheckGermanLayout(QWidget* owner, const LayoutWarningTexts& texts) {
    if (EnsureKeyboardLayout(kGermanLayoutId, true)) return true;
    seams::message(owner, layoutWarningText(texts), texts.title, seams::MsgIcon::Critical,
                   seams::MsgButtons::Ok);
    return false;
}

void RestoreKeyboardLayout() {
    const QString layout = rememberedLayout();
    if (layout.isEmpty()) return;
    EnsureKeyboardLayout(layout, false);
    rememberedLayout().clear();
}

const QString& LayoutToRestore() {
    return rememberedLayout();
}

}  // namespace tastolino
