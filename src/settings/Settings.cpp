#include "settings/Settings.h"

#include "platform/DataFolders.h"
#include "settings/IniManager.h"
#include "settings/InstallerLanguage.h"
#include "settings/LanguageSupport.h"

#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <charconv>
#include <cmath>

namespace tastolino {

namespace {

std::string fileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Reads a key; an empty value counts as missing.
std::string readOrDefault(IniManager& ini, const char* key, const char* def) {
    std::string value = ini.Leggi(key, def);
    return value.empty() ? std::string(def) : value;
}

bool readSwitch(IniManager& ini, const char* key, const char* def) {
    return readOrDefault(ini, key, def) != "0";
}

bool isDecimalNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

}  // namespace

std::optional<int16_t> toInt16(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    double value = 0;
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
        // &H is a 16-bit pattern: &HFFFF is -1.
        unsigned long bits = 0;
        auto [end, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), bits, 16);
        if (ec != std::errc() || end != s.data() + s.size() || bits > 0xFFFF) return std::nullopt;
        return static_cast<int16_t>(static_cast<uint16_t>(bits));
    }
    if (!isDecimalNumber(s)) return std::nullopt;
    const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
    auto [end, ec] = std::from_chars(begin, s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    const double rounded = std::nearbyint(value);  // default rounding: half to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(rounded);
}

QString settingsFilePath(const QString& appFolder) {
    return placeForWriting(appFolder, WrittenKind::Settings, QStringLiteral("Tastolino.ini"),
                           UserFolders::fromEnvironment());
}

MainOptions LoadSettings(const QString& appFolder) {
    MainOptions o;
    IniManager ini;
    ini.nome = fileName(settingsFilePath(appFolder));

    ini.sezione = "Language";
    o.languageName = QString::fromStdString(ini.Leggi("CurrentLanguage", ""));
    if (o.languageName.isEmpty()) o.languageName = languageForInstallerChoice(InstallerLanguage());
    // A name that would lead out of Lang/ never activates a file.
    o.languageFileActive = languageFileExists(appFolder, o.languageName);

    ini.sezione = "Options";
    o.ergonomicOn = readSwitch(ini, "Ergonomic", "0");
    o.soundOn = readSwitch(ini, "Song", "1");
    o.fingerMapOn = readSwitch(ini, "KeyMap", "1");
    o.highlightOn = readSwitch(ini, "Highlight", "1");
    o.backgroundTheme =
        toInt16(QString::fromStdString(readOrDefault(ini, "BackColor", "0"))).value_or(0);
    o.category = readOrDefault(ini, "Category", "0") == "1" ? 1 : 0;
    o.flatKeyboardOn =
        toInt16(QString::fromStdString(readOrDefault(ini, "SimpleKeyb", "0"))).value_or(0) != 0;
    return o;
}

void SaveSettings(const QString& appFolder, const MainOptions& o) {
    IniManager ini;
    const QString path = settingsFilePath(appFolder);
    prepareToWrite(path);
    ini.nome = fileName(path);
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    // Write failures are deliberately not reported: the options are simply
    // not kept for the next start.
    ini.sezione = "Options";
    ini.Scrivi("Ergonomic", flag(o.ergonomicOn));
    ini.Scrivi("Song", flag(o.soundOn));
    ini.Scrivi("KeyMap", flag(o.fingerMapOn));
    ini.Scrivi("Highlight", flag(o.highlightOn));
    ini.Scrivi("SimpleKeyb", flag(o.flatKeyboardOn));
    ini.Scrivi("BackColor", std::to_string(o.backgroundTheme));
    ini.Scrivi("Category", std::to_string(o.category));
    ini.sezione = "Language";
    ini.Scrivi("CurrentLanguage", o.languageName.toStdString());
}

}  // namespace tastolino
