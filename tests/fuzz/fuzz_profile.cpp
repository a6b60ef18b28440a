// Feeds arbitrary bytes to the profile reader as the contents of an INI file:
// lookups must not crash, and a key that was just written must read back,
// without changing what the other keys read.
#include "settings/Profile.h"
#include "settings/ProfileText.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace profile = tastolino::profile;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

const std::string& tempFile() {
    static const std::string path = [] {
        char folder[] = "/tmp/fuzz_profile.XXXXXX";
        check(::mkdtemp(folder) != nullptr);
        return std::string(folder) + "/t.ini";
    }();
    static const bool cleanupRegistered = [] {
        std::atexit([] {
            std::remove(path.c_str());
            std::remove(path.substr(0, path.rfind('/')).c_str());
        });
        return true;
    }();
    (void)cleanupRegistered;
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const char* const sections[] = {"Options", "Language", "AccessName", "s", ""};
    static const char* const keys[] = {"Song", "CurrentLanguage", "Name", "k", ""};
    for (const char* s : sections) {
        for (const char* k : keys) (void)profile::findValue(text, s, k);
    }

    const auto other = profile::findValue(text, "Options", "Other");
    const std::string edited = profile::withValue(text, "Options", "Song", "42");
    check(profile::findValue(edited, "options", "SONG") == std::optional<std::string>("42"));
    check(profile::findValue(edited, "Options", "Other") == other);
    (void)profile::withoutKey(edited, "Options", "Song");
    if (auto without = profile::withoutSection(text, "Language")) {
        check(profile::findValue(*without, "Options", "Song") ==
              profile::findValue(text, "Options", "Song"));
    }

    // The whole path through a file, for a share of the inputs (each save is
    // flushed to disk, which is slow).
    if (size > 0 && data[size - 1] % 8 == 0) {
        const std::string& path = tempFile();
        FILE* f = std::fopen(path.c_str(), "wb");
        check(f != nullptr);
        check(std::fwrite(data, 1, size, f) == size);
        std::fclose(f);
        check(profile::writeString(path, "Options", "Song", "7"));
        check(profile::readString(path, "Options", "Song", "", 255) == "7");
    }
    return 0;
}
