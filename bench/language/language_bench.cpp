// Reports, for a language file of about 10 MB (every identifier and a long
// tail of comment lines), the median time of one reading of the file and
// the median time of the main window's texts looked up in it (some two
// hundred lookups), first on a file kept from an earlier lookup and then on
// a file saved again, which is read anew; and the ratio of the window's
// texts to one reading.
//   bench_language [runs]
#include "settings/InterfaceLanguage.h"
#include "settings/InterfaceTexts.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageSupportMainTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace tastolino;

namespace {

double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    file.write(bytes);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Lang"));
    const QString path = folder.path() + QStringLiteral("/Lang/Big.lng");

    QByteArray bytes = "[Strings]\r\n";
    for (const InterfaceText& text : InterfaceTexts())
        bytes += QByteArray(text.id) + "=Text " + text.id + "\r\n";
    const QByteArray filler = "; " + QByteArray(96, 'x') + "\r\n";
    while (bytes.size() < 10 * 1024 * 1024) bytes += filler;
    writeFile(path, bytes);

    setInterfaceFolder(folder.path() + QLatin1Char('/'));
    setInterfaceLanguageName(QStringLiteral("Big"));

    const double oneRead = medianMs(runs, [&] { (void)LanguageFile::read(path); });
    (void)LanguageFileMainWindowTexts();  // keeps the file
    const double kept = medianMs(runs, [] { (void)LanguageFileMainWindowTexts(); });
    int saves = 0;
    const double saved = medianMs(runs, [&] {
        // Saved again with another size: the next lookup reads it anew.
        writeFile(path, bytes + QByteArray(++saves, ' '));
        (void)LanguageFileMainWindowTexts();
    });

    std::printf("language file: %.1f MB, %d runs\n", double(bytes.size()) / (1024 * 1024), runs);
    std::printf("one reading of the file:            %8.2f ms (median)\n", oneRead);
    std::printf("main window texts, file kept:       %8.2f ms (median)\n", kept);
    std::printf("main window texts, file saved anew: %8.2f ms (median, write included)\n", saved);
    std::printf("kept texts / one reading:           %8.3f\n", kept / oneRead);
    return 0;
}
