// Language files: whatever the file holds, every text looked up is trimmed,
// at most 511 characters and the same on each look-up; a text written into
// section "Strings" is the one then looked up, and the other texts stay as
// they were. The lookups go through the program's public ones only.
#include "FuzzCommon.h"

#include "settings/LanguageSupport.h"
#include "settings/Profile.h"
#include "text/Cp1252.h"

#include <fuzzer/FuzzedDataProvider.h>

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
    writeFile(path, file);
    FUZZ_CHECK(languageFileExists(programFolder(), kLanguage));

    const QStringList ids{QStringLiteral("0031"), QStringLiteral("9001"), idOf(written),
                          idOf(written + 1), QStringLiteral("InfoAuthor")};
    QStringList before;
    for (const QString& id : ids) {
        const QString text = lookUp(id);
        FUZZ_CHECK(text == text.trimmed() && text.size() <= 511);
        FUZZ_CHECK(lookUp(id) == text);
        before << text;
    }
    FUZZ_CHECK(readFile(path) == file);

    // A one-line text as a translator writes it, in the file's own characters.
    std::string line;
    for (const char c : value)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) line += c;
    QString text = QString::fromUtf8(cp1252::toUtf8(line)).trimmed().left(400).trimmed();
    // Quotes around a whole value are taken off when it is read, as the
    // Windows profile functions do: a translator's text never has them.
    if (text.size() >= 2 &&
        (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\'')) &&
        text.back() == text.front())
        text = text.mid(1, text.size() - 2).trimmed();
    const std::string target = QFile::encodeName(path).toStdString();
    if (!profile::writeString(target, "Strings", idOf(written).toStdString(), text.toStdString()))
        return 0;  // a file with no room for the text: nothing to compare
    FUZZ_CHECK(lookUp(idOf(written)) == text);
    for (int i = 0; i < ids.size(); ++i)
        if (ids[i] != idOf(written)) FUZZ_CHECK(lookUp(ids[i]) == before[i]);
    return 0;
}
