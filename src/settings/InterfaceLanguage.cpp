#include "settings/InterfaceLanguage.h"

namespace tastolino {

namespace {

InterfaceLanguage& current() {
    static InterfaceLanguage language;
    return language;
}

}  // namespace

const InterfaceLanguage& interfaceLanguage() {
    return current();
}

void setInterfaceFolder(const QString& programFolder) {
    current().folder = programFolder;
}

void setInterfaceLanguageName(const QString& name) {
    current().name = name;
}

void setInterfaceLanguageFileActive(bool active) {
    current().fileActive = active;
}

void setHelpMissingText(const QString& text) {
    current().helpMissingText = text;
}

void resetInterfaceLanguage() {
    current() = InterfaceLanguage();
}

}  // namespace tastolino
