// The main module: the state shared by every window (re-exported from the
// platform layer) and the small utilities the windows call for sounds,
// help, file names, window placement, printer and keyboard state.
#pragma once

#include "exercise/AppState.h"
#include "platform/Sounds.h"
#include "platform/WindowPlacement.h"    // SetTopMost, SetDialogFrame
#include "settings/InstallerLanguage.h"  // InstallerLanguage
#include "ui/HelpViewer.h"               // ShowHelp
#include "ui/basSleep.h"                 // WaitSeconds, WaitWithEvents

#include <QString>

class QWidget;

namespace tastolino {

// Plays `sound` without waiting when sounds are on, and then lets pending
// events run once.
void PlaySoundResource(Sound sound);

// Both accept "/" and "\\" as folder separators. FileTitle: the name after
// the last separator up to its first "."; FileNameOf: the whole name after
// the last separator. Empty when the path has no separator.
QString FileTitle(const QString& path);
QString FileNameOf(const QString& path);

// Only Caps Lock is ever asked for; other keys report false.
inline constexpr int kVkCapital = 0x14;
bool IsKeyToggledOrDown(int virtualKey);
void SwitchCapsLockOff();

// Translucent windows are available where the platform can set a window's
// opacity.
bool IsWindows2000OrLater();

}  // namespace tastolino
