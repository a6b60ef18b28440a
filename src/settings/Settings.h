// The main window's options in the settings file "Tastolino.ini" of the
// program folder: section "Options" and the current language in section
// "Language". They are read once at start-up and written when the main
// window unloads; the main window applies them itself.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace tastolino {

struct MainOptions {
    bool ergonomicOn = false;     // "Ergonomic"
    bool soundOn = true;          // "Song"
    bool fingerMapOn = true;      // "KeyMap"
    bool highlightOn = true;      // "Highlight"
    bool flatKeyboardOn = false;  // "SimpleKeyb"
    // "BackColor" as stored, any 16-bit value: a hand-edited file can hold a
    // number outside the themes 0..10, which the caller has to bring into range.
    int16_t backgroundTheme = 0;
    int16_t category = 0;             // "Category": 0 beginner, 1 expert
    QString languageName;             // "CurrentLanguage", else from the installer
    bool languageFileActive = false;  // Lang/<languageName>.lng can be read
};

// The path of the settings file: in the program folder appFolder (ending in
// "/") while it can be written, else in the user's configuration folder.
QString settingsFilePath(const QString& appFolder);

// Reads the options; missing or empty values take their defaults and nothing
// is reported.
MainOptions LoadSettings(const QString& appFolder);

// Writes every option; a file that cannot be written is left as it is and
// nothing is reported.
void SaveSettings(const QString& appFolder, const MainOptions& options);

// A value converted to a 16-bit integer the way the settings file has always
// been read: decimal with optional sign, fraction and exponent, or &H hex,
// rounded half to even; nothing for non-numeric text or a value outside
// -32768..32767.
std::optional<int16_t> toInt16(const QString& text);

}  // namespace tastolino
