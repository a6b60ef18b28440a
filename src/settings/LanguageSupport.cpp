#include "settings/LanguageSupport.h"

#include "platform/AppState.h"
#include "settings/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tastolino {

namespace {

// Room of the buffer the language texts have always been read into: longer
// values come back cut to 511 characters.
constexpr size_t kValueBufferSize = 512;

// Only blanks are removed around a text, as the texts were always trimmed.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' ')) ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
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
    return appFolder + QStringLiteral("Lang/") + languageName + QStringLiteral(".lng");
}

bool languageFileExists(const QString& appFolder, const QString& languageName) {
    const QString path = languageFilePath(appFolder, languageName);
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QString ReadIniString(const QString& file, const QString& section, const QString& key) {
    if (file.isEmpty()) return {};
    const std::string value =
        profile::readString(QFile::encodeName(file).toStdString(), section.toStdString(),
                            key.toStdString(), std::string(), kValueBufferSize);
    return QString::fromStdString(value);
}

QString GetLangString(const QString& appFolder, const QString& languageName, const QString& id) {
    const QString path = languageFilePath(appFolder, languageName);
    if (path.isEmpty()) return {};
    return trimBlanks(ReadIniString(path, QStringLiteral("Strings"), id));
}

QString GetLangString(const QString& id) {
    const AppState& state = appState();
    return GetLangString(state.appFolder, state.languageName, id);
}

QString LangStringOr(const QString& id, const QString& builtIn) {
    const QString text = GetLangString(id);
    return text.isEmpty() ? builtIn : text;
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
