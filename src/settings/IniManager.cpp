#include "settings/IniManager.h"

#include "settings/Profile.h"

namespace tastolino {

namespace {
// The settings are read into a buffer of 255 characters, so at most 254 of a
// value come back.
constexpr size_t kReadBuffer = 255;
}  // namespace

int32_t IniManager::Scrivi(const std::string& chiave, const std::string& Valore) {
    return profile::writeString(nome, sezione, chiave, Valore) ? 1 : 0;
}

std::string IniManager::Leggi(const std::string& chiave, const std::string& def) {
    return profile::readString(nome, sezione, chiave, def, kReadBuffer);
}

int32_t IniManager::CancellaSezione() {
    return profile::deleteSection(nome, sezione) ? 1 : 0;
}

int32_t IniManager::CancellaValore(const std::string& chiave) {
    return profile::deleteKey(nome, sezione, chiave) ? 1 : 0;
}

}  // namespace tastolino
