// The system keyboard layout: the tutor needs the German layout
// ("00000407") while it runs and gives the user's own layout back at exit.
// Layouts are named by Windows layout identifiers (eight hex digits), which
// the X11 side maps to and from XKB layout names.
#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace tastolino {

inline const QString kGermanLayoutId = QStringLiteral("00000407");

// Reads and switches the active layout. The real one works through XKB;
// tests put in their own.
class LayoutBackend {
  public:
    virtual ~LayoutBackend() = default;
    // The identifier of the active layout; empty when it cannot be read.
    virtual QString activeLayoutId() = 0;
    // Makes the layout current. Failures are found by reading back.
    virtual void activateLayout(const QString& layoutId) = 0;
};

// Replaces the backend (null: back to XKB). Takes ownership. A layout
// remembered from the old backend is forgotten.
void setLayoutBackend(std::unique_ptr<LayoutBackend> backend);
LayoutBackend& layoutBackend();

// Makes `layoutId` the active layout. With `remember`, the layout that was
// active before is remembered for the exit (LayoutToRestore()).
// Returns whether `layoutId` is active afterwards; on failure the previous
// layout is re-activated and nothing stays remembered.
bool EnsureKeyboardLayout(const QString& layoutId, bool remember);

// The texts of the warning shown when the German layout cannot be made
// current (the main window's messages 14, 16, 15 and 32 and its warning
// title; the defaults are the built-in Italian ones).
struct LayoutWarningTexts {
    QString notSetForLanguage = QStringLiteral("La tastiera in uso non è impostata per la lingua");
    QString german = QStringLiteral("tedesca");
    QString mayNotWork =
        QStringLiteral("Il programma, quindi, potrebbe non funzionare correttamente.");
    QString seeHelp =
        QStringLiteral("Controllate le impostazioni della lingua nella guida in linea");
    QString title = QStringLiteral("Attenzione!");
};
QString layoutWarningText(const LayoutWarningTexts& texts);

// The start-up check: makes the German layout current, remembering the
// previous one; when that fails, warns (once per call) and returns false, so
// that the caller can open the guide at its page about the keyboard language.
bool CheckGermanLayout(QWidget* owner, const LayoutWarningTexts& texts = {});

// At exit: gives back the layout remembered by CheckGermanLayout, if any,
// and forgets it.
void RestoreKeyboardLayout();
// The layout to give back at exit; empty when none is remembered.
const QString& LayoutToRestore();

}  // namespace tastolino
