// Where a report written into the temporary folder must lie: under the name
// the program gives it, in a folder "tastolino-XXXXXX" of the temporary
// folder that only the user can enter, readable by the user alone.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace reporttest {

// Empty when `path` is such a report named `name` in `temp`, else what is wrong.
inline QString placementProblem(const QString& path, const QString& temp, const QString& name) {
    const QFileInfo file(path);
    if (file.fileName() != name) return QStringLiteral("named ") + file.fileName();
    const QFileInfo folder(file.path());
    if (QDir::cleanPath(folder.path()) != QDir::cleanPath(temp))
        return QStringLiteral("not in the temporary folder: ") + path;
    if (!folder.fileName().startsWith(QStringLiteral("tastolino-")) ||
        folder.fileName().size() != 16)
        return QStringLiteral("folder ") + folder.fileName();
    struct stat st {};
    if (::lstat(QFile::encodeName(folder.filePath()).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode) || (st.st_mode & 07777) != 0700 || st.st_uid != ::geteuid())
        return QStringLiteral("folder not private: %1").arg(st.st_mode, 0, 8);
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        (st.st_mode & 07777) != 0600 || st.st_uid != ::geteuid())
        return QStringLiteral("file not private: %1").arg(st.st_mode, 0, 8);
    return {};
}

// What is left in `temp` apart from `kept`.
inline QStringList leftIn(const QString& temp, const QStringList& kept = {}) {
    QStringList left =
        QDir(temp).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& k : kept) left.removeAll(k);
    return left;
}

}  // namespace reporttest
