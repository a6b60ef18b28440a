#include "platform/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace tastolino {
namespace {

const QString kProgramFolder = QStringLiteral("tastolino/");

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The base folder of the XDG variable, or $HOME + `fallback`; only absolute
// folders count, as the base directory rules say.
QString baseFolder(const QString& variable, const QString& home, const QString& fallback) {
    if (QDir::isAbsolutePath(variable)) return withSlash(QDir::cleanPath(variable));
    if (QDir::isAbsolutePath(home)) return withSlash(QDir::cleanPath(home + fallback));
    return {};
}

QString folderOf(const QString& file) {
    return withSlash(QFileInfo(file).path());
}

bool isInside(const QString& path, const QString& folder) {
    return !folder.isEmpty() &&
           withSlash(QDir::cleanPath(path)).startsWith(withSlash(QDir::cleanPath(folder)));
}

bool sameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() ? ca == QFileInfo(b).canonicalFilePath()
                         : QDir::cleanPath(a) == QDir::cleanPath(b);
}

QString userBaseOf(WrittenKind kind, const UserFolders& user) {
    return kind == WrittenKind::Settings ? user.configFolder() : user.dataFolder();
}

// An installed data folder (…/share/tastolino) belongs to the package and is
// shared by every user of the machine: written files never go there, not even
// when root runs the program and could write it.
bool isInstalledDataFolder(const QString& dataFolder) {
    return QDir::cleanPath(dataFolder).endsWith(QStringLiteral("/share/tastolino"));
}

QFileInfoList filesIn(const QString& folder, const QString& pattern) {
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    // A pattern of the "*.lez" kind is matched here, case ignored as QDir
    // does: QDir would compile every name filter into a regular expression,
    // and the start-up needs the expression engine for nothing else.
    const QStringView ending = QStringView(pattern).mid(1);
    if (!pattern.startsWith(QLatin1Char('*')) || ending.contains(QLatin1Char('*')) ||
        ending.contains(QLatin1Char('?')) || ending.contains(QLatin1Char('['))) {
        dir.setNameFilters({pattern});
        return dir.entryInfoList();
    }
    QFileInfoList matching;
    for (const QFileInfo& file : dir.entryInfoList())
        if (file.fileName().endsWith(ending, Qt::CaseInsensitive)) matching << file;
    return matching;
}

}  // namespace

UserFolders UserFolders::fromEnvironment() {
    UserFolders user;
    user.home = qEnvironmentVariable("HOME");
    user.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    user.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    return user;
}

QString UserFolders::configFolder() const {
    const QString base = baseFolder(xdgConfigHome, home, QStringLiteral("/.config"));
    return base.isEmpty() ? QString() : base + kProgramFolder;
}

QString UserFolders::dataFolder() const {
    const QString base = baseFolder(xdgDataHome, home, QStringLiteral("/.local/share"));
    return base.isEmpty() ? QString() : base + kProgramFolder;
}

QString dataFolderFor(const QString& executableFolder) {
    const QString beside = withSlash(executableFolder);
    for (const char* sub : {"CorsoDattilo", "Esercizi", "Lang", "help"})
        if (QFileInfo(beside + QLatin1String(sub)).isDir()) return beside;
    const QString installed = QDir::cleanPath(beside + QStringLiteral("../share/tastolino"));
    if (QFileInfo(installed).isDir()) return withSlash(installed);
    return beside;
}

bool isWritableFolder(const QString& folder) {
    const QByteArray name = QFile::encodeName(folder);
    struct stat st {};
    if (folder.isEmpty() || ::stat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return (st.st_mode & 0222) != 0 && ::access(name.constData(), W_OK | X_OK) == 0;
}

bool canBeMade(const QString& folder) {
    if (folder.isEmpty()) return false;
    QString existing = QDir::cleanPath(folder);
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing) return false;
        existing = parent;
    }
    return isWritableFolder(existing);
}

QString placeForWriting(const QString& dataFolder, WrittenKind kind, const QString& relative,
                        const UserFolders& user) {
    const QString beside = withSlash(dataFolder) + relative;
    if (!isInstalledDataFolder(dataFolder) && isWritableFolder(folderOf(beside))) return beside;
    const QString base = userBaseOf(kind, user);
    return base.isEmpty() ? beside : base + relative;
}

QString placeForWriting(const QString& dataFolder, WrittenKind kind, const QString& relative) {
    return placeForWriting(dataFolder, kind, relative, UserFolders::fromEnvironment());
}

bool prepareToWrite(const QString& file, const UserFolders& user) {
    const QString folder = QDir::cleanPath(QFileInfo(file).path());
    if (QFileInfo(folder).isDir()) return true;
    if (!isInside(folder, user.configFolder()) && !isInside(folder, user.dataFolder()))
        return false;
    // Each missing level from the top down, private to the user.
    QStringList missing;
    for (QString f = folder; !QFileInfo::exists(f); f = QFileInfo(f).path()) {
        missing.prepend(f);
        if (QFileInfo(f).path() == f) return false;
    }
    for (const QString& f : missing)
        if (::mkdir(QFile::encodeName(f).constData(), 0700) != 0 && !QFileInfo(f).isDir())
            return false;
    return QFileInfo(folder).isDir();
}

bool prepareToWrite(const QString& file) {
    return prepareToWrite(file, UserFolders::fromEnvironment());
}

QStringList unwritablePlaces(const QString& dataFolder, WrittenKind kind, const UserFolders& user) {
    const bool installed = isInstalledDataFolder(dataFolder);
    if (!installed && isWritableFolder(dataFolder)) return {};
    const QString base = userBaseOf(kind, user);
    if (canBeMade(base)) return {};
    QStringList places;
    if (!installed) places << withSlash(dataFolder);
    if (!base.isEmpty()) places << base;
    return places;
}

QFileInfoList listedFiles(const QString& dataFolder, const QString& subfolder,
                          const QString& pattern, const ListingKey& keyOf,
                          const UserFolders& user) {
    const QString shippedFolder = withSlash(dataFolder) + subfolder;
    QFileInfoList shipped = filesIn(shippedFolder, pattern);
    const QString userBase = user.dataFolder();
    if (userBase.isEmpty() || sameFolder(userBase + subfolder, shippedFolder)) return shipped;
    const QFileInfoList own = filesIn(userBase + subfolder, pattern);
    if (own.isEmpty()) return shipped;

    QSet<QString> ownKeys;
    for (const QFileInfo& f : own) ownKeys.insert(keyOf(f.fileName()));
    QFileInfoList merged;
    for (const QFileInfo& f : shipped)
        if (!ownKeys.contains(keyOf(f.fileName()))) merged << f;
    merged << own;
    std::stable_sort(merged.begin(), merged.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.fileName().compare(b.fileName(), Qt::CaseInsensitive) < 0;
    });
    return merged;
}

QStringList lookupFolders(const QString& dataFolder, const QString& subfolder,
                          const UserFolders& user) {
    const QString shipped = withSlash(withSlash(dataFolder) + subfolder);
    const QString userBase = user.dataFolder();
    if (userBase.isEmpty() || sameFolder(userBase + subfolder, shipped)) return {shipped};
    return {withSlash(userBase + subfolder), shipped};
}

}  // namespace tastolino
