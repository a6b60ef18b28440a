#include "keyboard/KeyboardLayout.h"

#include "keyboard/XkbLayoutBackend.h"
#include "platform/AppState.h"
#include "platform/Seams.h"

namespace tastolino {
namespace {

std::unique_ptr<LayoutBackend>& backendSlot() {
    static std::unique_ptr<LayoutBackend> slot;
    return slot;
}

}  // namespace

void setLayoutBackend(std::unique_ptr<LayoutBackend> backend) {
    backendSlot() = std::move(backend);
}

LayoutBackend& layoutBackend() {
    if (!backendSlot()) backendSlot() = std::make_unique<XkbLayoutBackend>();
    return *backendSlot();
}

bool EnsureKeyboardLayout(const QString& layoutId, bool remember) {
    LayoutBackend& backend = layoutBackend();
    const QString previous = backend.activeLayoutId();
    if (previous == layoutId) return true;
    QString& toRestore = appState().layoutToRestore;
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
    const QString layout = appState().layoutToRestore;
    if (layout.isEmpty()) return;
    EnsureKeyboardLayout(layout, false);
    appState().layoutToRestore.clear();
}

}  // namespace tastolino
