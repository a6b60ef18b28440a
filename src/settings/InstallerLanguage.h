// The language the installer chose, which decides the first interface
// language when the settings name none. On this platform an installer (or
// the user) supplies it as the environment variable
// TASTOLINO_INSTALLER_LANGUAGE or as the first line of the file
// $XDG_CONFIG_HOME/Lingovano/installer-language (~/.config when unset); the
// value is a Windows language identifier such as "1031" (German).
#pragma once

#include <QString>

namespace tastolino {

// The installer's choice, trimmed; empty when there is none or it cannot be
// read. The environment variable wins over the file when it is not empty.
QString InstallerLanguage();

// The language name for an installer choice: "1031" German, "1033" English,
// "1034" Spanish, "1036" French, anything else (empty included) Italian.
QString languageForInstallerChoice(const QString& choice);

}  // namespace tastolino
