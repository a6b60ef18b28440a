#include "settings/InterfaceLanguage.h"

#include "platform/SeamReset.h"

namespace tastolino {

namespace {

InterfaceLanguage& current() {
    static InterfaceLanguage language;
    return language;
}

[[maybe_unused]] const bool resetRegistered =
    seams::registerReset([] { current() = InterfaceLanguage(); });

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
