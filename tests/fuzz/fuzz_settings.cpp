// The settings file: whatever the file holds, the options read from it are
// in range, and options saved over it read back the same; the keys of other
// sections stay as they were.
#include "FuzzCommon.h"

#include "settings/LanguageSupport.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace tastolino;
using namespace fuzzcommon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const QString folder = programFolder();
    const QString file = settingsFilePath(folder);
    const QByteArray before = QByteArray::fromStdString(in.ConsumeRandomLengthString(4096));
    writeFile(file, before);
    const std::string path = QFile::encodeName(file).toStdString();
    const std::string foreign = profile::readString(path, "Other", "Key", "<none>", 65535);

    const MainOptions read = LoadSettings(folder);
    FUZZ_CHECK(read.category == 0 || read.category == 1);
    FUZZ_CHECK(read.languageName.isEmpty() || !read.languageFileActive ||
               isSafeLanguageName(read.languageName));

    MainOptions saved;
    saved.ergonomicOn = in.ConsumeBool();
    saved.soundOn = in.ConsumeBool();
    saved.fingerMapOn = in.ConsumeBool();
    saved.highlightOn = in.ConsumeBool();
    saved.flatKeyboardOn = in.ConsumeBool();
    saved.backgroundTheme = in.ConsumeIntegral<int16_t>();
    saved.category = in.ConsumeBool() ? 1 : 0;
    // A language the program offers: a safe name, as the language menu
    // lists them, in the characters the file can hold.
    QString name;
    for (const char byte : in.ConsumeRandomLengthString(40)) {
        const QChar c = QChar::fromLatin1(byte);
        if (c.unicode() >= 0x20 && (c.unicode() < 0x7F || c.unicode() > 0x9F)) name += c;
    }
    name = name.trimmed();
    saved.languageName = isSafeLanguageName(name) ? name : QStringLiteral("Italiano");
    SaveSettings(folder, saved);

    const MainOptions again = LoadSettings(folder);
    FUZZ_CHECK(again.ergonomicOn == saved.ergonomicOn);
    FUZZ_CHECK(again.soundOn == saved.soundOn);
    FUZZ_CHECK(again.fingerMapOn == saved.fingerMapOn);
    FUZZ_CHECK(again.highlightOn == saved.highlightOn);
    FUZZ_CHECK(again.flatKeyboardOn == saved.flatKeyboardOn);
    FUZZ_CHECK(again.backgroundTheme == saved.backgroundTheme);
    FUZZ_CHECK(again.category == saved.category);
    FUZZ_CHECK(again.languageName == saved.languageName);
    FUZZ_CHECK(profile::readString(path, "Other", "Key", "<none>", 65535) == foreign);
    return 0;
}
