// What the fuzz targets of the program's readers share: checks that stop
// the run, a private folder standing in for the program folder (with the
// user folders pointed into it, so that nothing outside is written), and
// whole-file reads and writes.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzcommon {

// What a target may say about the input at hand, shown with a finding.
inline QString& context() {
    static QString* text = new QString;
    return *text;
}

// Stops the run with the failed invariant: a finding.
#define FUZZ_CHECK(condition)                                                                \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n%s\n", #condition, __FILE__, \
                         __LINE__, fuzzcommon::context().toUtf8().constData());              \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)

// A folder of its own for the whole run, ending in "/", removed at exit;
// XDG_CONFIG_HOME and XDG_DATA_HOME lie inside it.
inline const QString& programFolder() {
    // Kept until after the exit handlers, which remove the folder.
    static const QString* folder = [] {
        char pattern[] = "/tmp/tastolino-fuzz.XXXXXX";
        FUZZ_CHECK(::mkdtemp(pattern) != nullptr);
        const QString path = QString::fromLocal8Bit(pattern);
        ::setenv("XDG_CONFIG_HOME", (path + "/config").toLocal8Bit().constData(), 1);
        ::setenv("XDG_DATA_HOME", (path + "/data").toLocal8Bit().constData(), 1);
        return new QString(path + QLatin1Char('/'));
    }();
    static const bool removedAtExit = [] {
        std::atexit([] { QDir(*folder).removeRecursively(); });
        return true;
    }();
    (void)removedAtExit;
    return *folder;
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A name as the name dialog may take it: any UTF-16 characters at all.
template <typename Provider>
QString consumeName(Provider& in) {
    const std::string bytes = in.ConsumeRandomLengthString(24);
    QString name;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        name += QChar(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    return name;
}

}  // namespace fuzzcommon
