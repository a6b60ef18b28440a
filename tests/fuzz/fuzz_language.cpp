// Language files: whatever the file holds, every text looked up has no
// blanks around it, at most 511 characters and is the same on each look-up;
// a text written into section "Strings" is the one then looked up, and the
// other texts stay as they were. The lookups go through the program's
// public ones only (lookUp below), so that the target follows them.
#include "FuzzCommon.h"

#include "settings/LanguageSupport.h"
#include "settings/Profile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>

using namespace tastolino;
using namespace fuzzcommon;

namespace {

const QString kLanguage = QStringLiteral("Fuzz");

QString idOf(unsigned number) {
    return QStringLiteral("%1").arg(number % 10000, 4, 10, QLatin1Char('0'));
}

QString lookUp(const QString& id) {
    return GetLangString(programFolder(), kLanguage, id);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const unsigned written = in.ConsumeIntegral<uint16_t>();
    std::string value = in.ConsumeRandomLengthString(600);
    QDir(programFolder()).mkpath(QStringLiteral("Lang"));
    const QString path = languageFilePath(programFolder(), kLanguage);
    FUZZ_CHECK(!path.isEmpty());
    const QByteArray file = QByteArray::fromStdString(in.ConsumeRemainingBytesAsString());
    // A new file each time, as an editor saving beside and renaming does:
    // a file rewritten in place within the clock's resolution keeps its
    // time, and the kept copy would rightly be taken as current.
    writeFile(path + QStringLiteral(".new"), file);
    FUZZ_CHECK(::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                        QFile::encodeName(path).constData()) == 0);
    FUZZ_CHECK(languageFileExists(programFolder(), kLanguage));

    const QStringList ids{QStringLiteral("0031"), QStringLiteral("9001"), idOf(written),
                          idOf(written + 1), QStringLiteral("InfoAuthor")};
    QStringList before;
    for (const QString& id : ids) {
        const QString text = lookUp(id);
        FUZZ_CHECK(!text.startsWith(QLatin1Char(' ')) && !text.endsWith(QLatin1Char(' ')));
        FUZZ_CHECK(text.toUcs4().size() <= 511);
        FUZZ_CHECK(lookUp(id) == text);
        before << text;
    }
    FUZZ_CHECK(readFile(path) == file);

    // A one-line text as a translator writes it. ASCII only: one character
    // of Windows-1252 would turn a file read as UTF-8 into one read as
    // Windows-1252, and every other text with it.
    std::string line;
    for (const char c : value)
        if (c >= 0x20 && c != 0x7F) line += c;
    QString text = QString::fromLatin1(line).trimmed().left(400).trimmed();
    // Quotes around a whole value are taken off when it is read, as the
    // Windows profile functions do: a translator's text never has them.
    if (text.size() >= 2 &&
        (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\'')) &&
        text.back() == text.front())
        text = text.mid(1, text.size() - 2).trimmed();
    const std::string target = QFile::encodeName(path).toStdString();
    if (!profile::writeString(target, "Strings", idOf(written).toStdString(), text.toStdString()))
        return 0;  // a file with no room for the text: nothing to compare
    // An empty text leaves the built-in one in place.
    if (!text.isEmpty()) FUZZ_CHECK(lookUp(idOf(written)) == text);
    for (int i = 0; i < ids.size(); ++i)
        if (ids[i] != idOf(written)) FUZZ_CHECK(lookUp(ids[i]) == before[i]);
    return 0;
}
