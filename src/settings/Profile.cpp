#include "settings/Profile.h"

#include "settings/AtomicFile.h"
#include "settings/ProfileText.h"
#include "settings/SafeFile.h"
#include "text/Cp1252.h"

#include <optional>

namespace tastolino::profile {

using files::ReadStatus;

std::string readString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& def, size_t bufferSize) {
    files::FileBytes text = files::readRegularFile(file);
    if (text.status != ReadStatus::Ok) return def;
    std::optional<std::string> value =
        findValue(text.bytes, cp1252::fromUtf8(section), cp1252::fromUtf8(key));
    if (!value) return def;
    const size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
    if (value->size() > limit) value->resize(limit);
    return cp1252::toUtf8(*value);
}

std::optional<std::string> readFileBytes(const std::string& file) {
    files::FileBytes text = files::readRegularFile(file);
    if (text.status != ReadStatus::Ok) return std::nullopt;
    return std::move(text.bytes);
}

bool writeString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value) {
    const std::string sec = cp1252::fromUtf8(section);
    const std::string k = cp1252::fromUtf8(key);
    if (!isValidSectionName(sec) || !isValidKeyName(k)) return false;
    files::FileBytes text = files::readRegularFile(file);
    if (text.status == ReadStatus::Failed) return false;
    return files::replaceAtomically(file, withValue(text.bytes, sec, k, cp1252::fromUtf8(value)));
}

bool deleteKey(const std::string& file, const std::string& section, const std::string& key) {
    files::FileBytes text = files::readRegularFile(file);
    if (text.status == ReadStatus::Missing) return true;
    if (text.status == ReadStatus::Failed) return false;
    std::optional<std::string> changed =
        withoutKey(text.bytes, cp1252::fromUtf8(section), cp1252::fromUtf8(key));
    return !changed || files::replaceAtomically(file, *changed);
}

bool deleteSection(const std::string& file, const std::string& section) {
    files::FileBytes text = files::readRegularFile(file);
    if (text.status == ReadStatus::Missing) return true;
    if (text.status == ReadStatus::Failed) return false;
    std::optional<std::string> changed = withoutSection(text.bytes, cp1252::fromUtf8(section));
    return !changed || files::replaceAtomically(file, *changed);
}

}  // namespace tastolino::profile
