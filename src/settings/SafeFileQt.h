// The safe file reading of SafeFile.h for Qt paths: a named pipe, a device
// or a folder where a file is expected reads as a missing file, and nothing
// ever waits on it.
#pragma once

#include "settings/SafeFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace tastolino {

// A regular file (a link to one is followed) that can be opened for reading.
inline bool isReadableRegularFile(const QString& path) {
    return !path.isEmpty() && files::isReadableRegularFile(QFile::encodeName(path).toStdString());
}

// At most `limit` bytes of the regular file at `path`; nothing when it is
// missing, not a regular file or cannot be read.
inline std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit) {
    if (path.isEmpty() || limit < 0) return std::nullopt;
    files::FileBytes read =
        files::readRegularFile(QFile::encodeName(path).toStdString(), size_t(limit));
    if (read.status != files::ReadStatus::Ok) return std::nullopt;
    return QByteArray(read.bytes.data(), qsizetype(read.bytes.size()));
}

}  // namespace tastolino
