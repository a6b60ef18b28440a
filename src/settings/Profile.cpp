#include "settings/Profile.h"

#include "settings/AtomicFile.h"
#include "settings/ProfileText.h"
#include "settings/SafeFile.h"
#include "text/Cp1252.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <optional>

namespace tastolino::profile {

using files::ReadStatus;

namespace {

// The last small file read, kept while the file on disk is the same one
// unchanged: the settings file is asked for key by key, and reading it once
// for all of them is enough. A replacement (every write here replaces the
// file) or any change of size, contents or permissions reads it afresh.
// File times advance in steps of a few milliseconds, so a change right
// after a read could leave them as they were: a file changed in the last
// two seconds is not kept at all.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};
    bool operator==(const Identity& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

std::optional<Identity> identityOf(const std::string& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return Identity{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool settledFor(const Identity& identity, time_t seconds) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const time_t latest = std::max(identity.modified.tv_sec, identity.changed.tv_sec);
    return now.tv_sec - latest > seconds;
}

struct KeptFile {
    std::string path;
    Identity identity;
    std::string bytes;
};

std::optional<KeptFile>& keptFile() {
    static std::optional<KeptFile> kept;
    return kept;
}

constexpr off_t kKeptLimit = 64 * 1024;

files::FileBytes readProfileFile(const std::string& file) {
    std::optional<KeptFile>& kept = keptFile();
    const std::optional<Identity> before = identityOf(file);
    if (kept && before && kept->path == file && kept->identity == *before)
        return {ReadStatus::Ok, kept->bytes};
    files::FileBytes text = files::readRegularFile(file);
    // Kept only when nothing changed the file while it was read.
    if (text.status == ReadStatus::Ok && before && before->size <= kKeptLimit &&
        settledFor(*before, 2) && identityOf(file) == before)
        kept = KeptFile{file, *before, text.bytes};
    return text;
}

bool replaceFile(const std::string& file, const std::string& bytes) {
    keptFile().reset();
    return files::replaceAtomically(file, bytes);
}

}  // namespace

std::string readString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& def, size_t bufferSize) {
    files::FileBytes text = readProfileFile(file);
    if (text.status != ReadStatus::Ok) return def;
    std::optional<std::string> value =
        findValue(text.bytes, cp1252::fromUtf8(section), cp1252::fromUtf8(key));
    if (!value) return def;
    const size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
    if (value->size() > limit) value->resize(limit);
    return cp1252::toUtf8(*value);
}

std::optional<std::string> readFileBytes(const std::string& file) {
    files::FileBytes text = readProfileFile(file);
    if (text.status != ReadStatus::Ok) return std::nullopt;
    return std::move(text.bytes);
}

bool writeString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value) {
    const std::string sec = cp1252::fromUtf8(section);
    const std::string k = cp1252::fromUtf8(key);
    if (!isValidSectionName(sec) || !isValidKeyName(k)) return false;
    files::FileBytes text = readProfileFile(file);
    if (text.status == ReadStatus::Failed) return false;
    return replaceFile(file, withValue(text.bytes, sec, k, cp1252::fromUtf8(value)));
}

bool deleteKey(const std::string& file, const std::string& section, const std::string& key) {
    files::FileBytes text = readProfileFile(file);
    if (text.status == ReadStatus::Missing) return true;
    if (text.status == ReadStatus::Failed) return false;
    std::optional<std::string> changed =
        withoutKey(text.bytes, cp1252::fromUtf8(section), cp1252::fromUtf8(key));
    return !changed || replaceFile(file, *changed);
}

bool deleteSection(const std::string& file, const std::string& section) {
    files::FileBytes text = readProfileFile(file);
    if (text.status == ReadStatus::Missing) return true;
    if (text.status == ReadStatus::Failed) return false;
    std::optional<std::string> changed = withoutSection(text.bytes, cp1252::fromUtf8(section));
    return !changed || replaceFile(file, *changed);
}

}  // namespace tastolino::profile
