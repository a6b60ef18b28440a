#include "settings/LanguageSupport.h"

#include "platform/SeamReset.h"
#include "settings/InterfaceLanguage.h"
#include "settings/InterfaceTexts.h"
#include "settings/LanguageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sys/stat.h>

namespace tastolino {

namespace {

// What tells a file on disk from its earlier self: a file saved again gets a
// new time, size or (written beside and renamed) a new inode.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool operator==(const FileStamp& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
    }
};

// The language file last asked for, kept in memory: start-up alone asks for
// some two hundred texts.
struct KeptFile {
    QString path;
    FileStamp stamp;
    LanguageFile file;
};

KeptFile& keptFile() {
    static KeptFile kept;
    return kept;
}

// Tests write language files in quick succession: start from an empty
// memory each time.
[[maybe_unused]] const bool keptFileResetRegistered =
    seams::registerReset([] { keptFile() = KeptFile{}; });

const LanguageFile& keptLanguageFile(const QString& path) {
    static const LanguageFile none;
    KeptFile& kept = keptFile();
    struct stat st {};
    // Anything but a regular file (a pipe, a folder) counts as missing and
    // is never opened.
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 ||
        !S_ISREG(st.st_mode))
        return none;
    const FileStamp stamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    if (kept.path != path || !(kept.stamp == stamp)) {
        kept.path = path;
        kept.stamp = stamp;
        kept.file = LanguageFile::read(path);
    }
    return kept.file;
}

QString textOf(const QString& appFolder, const QString& languageName, const QString& id,
               const QString& builtIn) {
    // Every identifier belongs in the list, or no language file would be
    // checked for it.
    if (ItalianText(id).isEmpty() && !TranslatorKeys().contains(id))
        qWarning("interface text %s is not in the list of interface texts", qPrintable(id));
    const QString text = keptLanguageFile(languageFilePath(appFolder, languageName)).value(id);
    return text.isEmpty() ? builtIn : text;
}

}  // namespace

bool isSafeLanguageName(const QString& name) {
    if (name.trimmed().isEmpty()) return false;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QStringLiteral("..")))
        return false;
    for (const QChar c : name)
        if (c == QChar(0) || c == QLatin1Char('\n') || c == QLatin1Char('\r')) return false;
    return true;
}

QString languageFilePath(const QString& appFolder, const QString& languageName) {
    if (!isSafeLanguageName(languageName)) return {};
    const QString folder = appFolder + QStringLiteral("Lang/");
    const QString wanted = languageName + QStringLiteral(".lng");
    if (QFileInfo::exists(folder + wanted)) return folder + wanted;
    QStringList entries = QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden);
    entries.sort();  // the same file every time when several differ only in case
    for (const QString& entry : entries)
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) return folder + entry;
    return folder + wanted;
}

bool languageFileExists(const QString& appFolder, const QString& languageName) {
    return keptLanguageFile(languageFilePath(appFolder, languageName)).isRead();
}

QString GetLangString(const QString& appFolder, const QString& languageName, const QString& id) {
    return textOf(appFolder, languageName, id, ItalianText(id));
}

QString GetLangString(const QString& id, const QString& builtIn) {
    const InterfaceLanguage& language = interfaceLanguage();
    return textOf(language.folder, language.name, id, builtIn);
}

QString GetLangString(const QString& id) {
    return GetLangString(id, ItalianText(id));
}

QString WindowText(const QString& id, const QString& builtIn) {
    return interfaceLanguage().fileActive ? GetLangString(id, builtIn) : builtIn;
}

QString WindowText(const QString& id) {
    return WindowText(id, ItalianText(id));
}

QString PlacedLangString(bool fromFile, const QString& id, const char* builtIn,
                         const char* withFile, const QString& italian) {
    const QString translated = fromFile ? GetLangString(id, QString()) : QString();
    if (!translated.isEmpty())
        return QString::fromUtf8(withFile).replace(QStringLiteral("%1"), translated);
    return QString::fromUtf8(builtIn).replace(QStringLiteral("%1"),
                                              italian.isEmpty() ? ItalianText(id) : italian);
}

QLocale InterfaceLocale() {
    const InterfaceLanguage& language = interfaceLanguage();
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    if (!language.fileActive || !languageFileExists(language.folder, language.name)) return italian;
    static QHash<QString, QLocale> known;
    const QString name = language.name.trimmed().toCaseFolded();
    if (const auto it = known.constFind(name); it != known.cend()) return *it;
    QLocale found = QLocale::system();
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        if (QLocale::languageToString(locale.language()).toCaseFolded() == name ||
            locale.nativeLanguageName().toCaseFolded() == name) {
            found = QLocale(locale.language());
            break;
        }
    }
    known.insert(name, found);
    return found;
}

QStringList LanguageFileNames(const QString& appFolder) {
    // The directory's own order, as the listing returns it, unsorted.
    const QDir dir(appFolder + QStringLiteral("Lang"));
    const QStringList files = dir.entryList(QStringList{QStringLiteral("*")},
                                            QDir::Files | QDir::Readable, QDir::Unsorted);
    QStringList names;
    for (const QString& file : files) {
        if (file.size() <= 4 || !file.endsWith(QStringLiteral(".lng"), Qt::CaseInsensitive))
            continue;
        const QString name = file.left(file.size() - 4);
        if (isSafeLanguageName(name)) names.append(name);
    }
    return names;
}

}  // namespace tastolino
