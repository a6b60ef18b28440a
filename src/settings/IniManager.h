// One INI file and one section at a time: the settings file, the course
// bookmark, the game records and the exercise files are all read and written
// through this class (or the profile functions beneath it).
#pragma once

#include <cstdint>
#include <string>

namespace tastolino {

class IniManager {
  public:
    std::string nome;     // full path of the INI file
    std::string sezione;  // current section

    // Sets the key in the current section, creating file and section when
    // missing. Non-zero on success; 0 when the file cannot be written.
    int32_t Scrivi(const std::string& chiave, const std::string& Valore);

    // The key's value (at most 254 characters), or `def` when the file, the
    // section or the key is missing. An empty value comes back empty.
    std::string Leggi(const std::string& chiave, const std::string& def);

    // Remove the whole current section, or one key of it. Non-zero on
    // success; nothing to remove counts as success.
    int32_t CancellaSezione();
    int32_t CancellaValore(const std::string& chiave);
};

}  // namespace tastolino
