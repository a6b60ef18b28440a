#include "exercise/ExerciseSources.h"

#include "exercise/AppState.h"
#include "exercise/ExerciseKeys.h"
#include "exercise/ExerciseProfile.h"
#include "exercise/MessageTable.h"
#include "platform/DataFolders.h"
#include "platform/Seams.h"
#include "settings/SafeFileQt.h"
#include "settings/UserStorageKey.h"

#include "text/Cp1252.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace tastolino {
namespace {

const QString kSplit = QStringLiteral("\u00A6\u00A6");

// Part before the first "." of a file name.
QString titleOf(const QString& fileName) {
    return fileName.section(QLatin1Char('.'), 0, 0);
}

const QString kCourse = QStringLiteral("CorsoDattilo");
const QString kExercises = QStringLiteral("Esercizi");

// Files of the shipped folder and of the user's own folder matching a
// pattern (case ignored), sorted by name so that course lessons come in the
// order they are numbered. A user's file takes the place of a shipped one
// that the list would show under the same name: course lessons by their
// upper-cased title, exercises and text files by their name in any case.
QFileInfoList filesOf(const QString& subfolder, const QString& pattern) {
    const ListingKey key = subfolder == kCourse
                               ? ListingKey([](const QString& n) { return titleOf(n).toUpper(); })
                               : ListingKey([](const QString& n) { return n.toCaseFolded(); });
    return listedFiles(appState().appFolder, subfolder, pattern, key,
                       UserFolders::fromEnvironment());
}

// A file of the shipped or the user's folder by name, the user's first.
QString findListed(const QString& subfolder, const QString& name) {
    for (const QString& folder :
         lookupFolders(appState().appFolder, subfolder, UserFolders::fromEnvironment())) {
        const QString path = findFileNoCase(folder, name);
        if (!path.isEmpty()) return path;
    }
    return {};
}

// "/" + the plain name of a file in the exercises folder: the "/" opens the
// argument or follows a blank, and the file exists there. Empty otherwise.
QString exerciseNamedOnCommandLine(const QString& arg) {
    const int slash = arg.indexOf(QLatin1Char('/'));
    if (slash < 0 || (slash > 0 && arg[slash - 1] != QLatin1Char(' '))) return {};
    const QString name = arg.mid(slash + 1).trimmed();
    const bool plainName = !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
                           !name.contains(QLatin1Char('\\')) && name != QStringLiteral("..");
    return plainName ? findListed(kExercises, name) : QString();
}

QString at(const QStringList& list, int i) {
    return i >= 0 && i < list.size() ? list[i] : QString();
}

int roundMinutes(double v) {
    return std::max(1, int(std::nearbyint(v)));
}

}  // namespace

QString FitToLine(const QString& text, const LineFitter& fitter) {
    QString t = text;
    if (fitter.textWidth)
        while (!t.isEmpty() && fitter.textWidth(t) > fitter.maxWidth) t.chop(1);
    if (t.size() < 2) t += t;
    if (t.size() < 3) t += t;
    return t;
}

QString KeepTypeable(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (QChar ch : text)
        if (ch != QLatin1Char('\r') && isTypeableCode(charCode(ch))) kept += ch;
    return kept;
}

QString WithKeyboardPunctuation(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        switch (ch.unicode()) {
            case 0x201E:  // „
            case 0x201C:  // “
            case 0x201D:  // ”
            case 0x00AB:  // «
            case 0x00BB:  // »
                out += QLatin1Char('"');
                break;
            case 0x201A:  // ‚
            case 0x2018:  // ‘
            case 0x2019:  // ’
            case 0x2039:  // ‹
            case 0x203A:  // ›
                out += QLatin1Char('\'');
                break;
            case 0x2013:  // –
            case 0x2014:  // —
                out += QLatin1Char('-');
                break;
            case 0x2026:  // …
                out += QStringLiteral("...");
                break;
            case 0x00A0:  // no-break blanks
            case 0x2007:
            case 0x202F:
                out += QLatin1Char(' ');
                break;
            default:
                out += ch;
        }
    }
    return out;
}

QString decodeFileText(QByteArrayView bytes) {
    const QByteArrayView bom("\xEF\xBB\xBF", 3);
    const bool hasBom = bytes.startsWith(bom);
    const QByteArrayView body = hasBom ? bytes.sliced(3) : bytes;
    const bool ascii =
        std::all_of(body.begin(), body.end(), [](char c) { return uchar(c) < 0x80; });
    if (hasBom || !ascii) {
        // A value cut at the reader's length limit may end inside a character.
        qsizetype end = body.size();
        for (qsizetype i = end - 1; i >= 0 && i >= end - 3; --i) {
            const uchar b = uchar(body[i]);
            if (b < 0x80) break;
            if (b >= 0xC0) {
                const qsizetype need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
                if (end - i < need) end = i;
                break;
            }
        }
        // Only a value that shows UTF-8 before the cut is taken as cut UTF-8:
        // "Ma\xDF" is Windows-1252 "Maß", not "Ma" and half a character.
        const QByteArrayView kept = body.first(end);
        const bool utf8Before =
            std::any_of(kept.begin(), kept.end(), [](char c) { return uchar(c) >= 0x80; });
        if (hasBom || end == body.size() || utf8Before) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString text = utf8(kept);
            if (!utf8.hasError()) return text;
        }
    }
    return QString::fromStdString(
        cp1252::toUtf8(std::string_view(body.data(), size_t(body.size()))));
}

QString ReadCourseEntry(const QString& file, int level, int key, const LineFitter& fitter) {
    const QString raw =
        profileRead(file, QStringLiteral("Livello%1").arg(level), QString::number(key));
    const std::string bytes = cp1252::fromUtf8(raw.toStdString());
    const QString value = WithKeyboardPunctuation(
                              decodeFileText(QByteArrayView(bytes.data(), qsizetype(bytes.size()))))
                              .trimmed();
    if (value.isEmpty()) return {};
    const auto line = [&fitter](const QString& part) {
        return KeepTypeable(FitToLine(part.trimmed(), fitter)).trimmed();
    };
    const int p = value.indexOf(kSplit);
    if (p < 0) return line(value);
    const QString first = line(value.left(p));
    const QString second = line(value.mid(p + 2));
    if (first.isEmpty()) return second;
    if (second.isEmpty()) return first;
    return first + QStringLiteral("\r\n") + second;
}

QString timeEstimate(qint64 size) {
    const int a = roundMinutes(double(size) / 300);
    const int b = roundMinutes(double(size) / 220);
    if (a == b) return QStringLiteral("    (%1 min)").arg(b);
    return QStringLiteral("    (%1 \u00F7 %2 min)").arg(a).arg(b);
}

QString remainingMinutesText(qint64 fileSize, int correctCount) {
    const int minutes = int(std::nearbyint(double(fileSize - correctCount) / 260));
    return minutes < 1 ? QStringLiteral("< 1") : QString::number(minutes);
}

QString findFileNoCase(const QString& folder, const QString& name) {
    if (name.isEmpty()) return {};
    if (isReadableRegularFile(folder + name)) return folder + name;
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && isReadableRegularFile(folder + entry))
            return folder + entry;
    return {};
}

QString ExerciseSources::courseFolder() {
    return appState().appFolder + QStringLiteral("CorsoDattilo/");
}
QString ExerciseSources::exercisesFolder() {
    return appState().appFolder + QStringLiteral("Esercizi/");
}
QString ExerciseSources::bookmarkFile() {
    return placeForWriting(appState().appFolder, WrittenKind::UserData,
                           QStringLiteral("CorsoDattilo/Tastolino.bmk"));
}

void ExerciseSources::EnableSources() {
    hasFileSources = false;
    optionEnabled[SourceCourse] = !filesOf(kCourse, QStringLiteral("*.lez")).isEmpty();
    optionEnabled[SourceExercises] = !filesOf(kExercises, QStringLiteral("*.lez")).isEmpty();
    optionEnabled[SourceTextFiles] = !filesOf(kExercises, QStringLiteral("*.txt")).isEmpty();
    for (int i = SourceCourse; i <= SourceGame; ++i) {
        if (!optionEnabled[size_t(i)]) continue;
        hasFileSources = true;
        const QString commandLineFile = appState().results.exerciseFile;
        SelectSource(SourceInternal);
        if (!commandLineArg.isEmpty()) appState().results.exerciseFile = commandLineFile;
        break;
    }
}

bool ExerciseSources::SelectSource(int index) {
    listEntries.clear();
    listFiles_.clear();
    listIndex = -1;
    listEnabled = true;
    courseMode = false;
    switch (index) {
        case SourceInternal:
            selectedSource = SourceInternal;
            listEnabled = false;
            appState().results.exerciseFile.clear();
            symbol = QStringLiteral("&&");
            break;
        case SourceCourse:
            selectedSource = SourceCourse;
            FillCourseList();
            courseMode = true;
            symbol = QStringLiteral("7");
            break;
        case SourceExercises:
            selectedSource = SourceExercises;
            for (const QFileInfo& f : filesOf(kExercises, QStringLiteral("*.lez"))) {
                listEntries << f.fileName();
                listFiles_ << f.filePath();
            }
            listIndex = listEntries.isEmpty() ? -1 : 0;
            symbol = QStringLiteral("1");
            break;
        case SourceTextFiles:
            selectedSource = SourceTextFiles;
            for (const QFileInfo& f : filesOf(kExercises, QStringLiteral("*.txt"))) {
                if (f.size() >= kTextFileLimit) continue;
                listEntries << f.fileName() + timeEstimate(f.size());
                listFiles_ << f.filePath();
            }
            listIndex = listEntries.isEmpty() ? -1 : 0;
            symbol = QStringLiteral("4");
            break;
        default:
            // The game: the exercise falls back to the internal sentences.
            SelectSource(SourceInternal);
            return false;
    }
    return true;
}

void ExerciseSources::FillCourseList() {
    if (!appState().results.userName.isEmpty()) ReadBookmark();
    for (const QFileInfo& f : filesOf(kCourse, QStringLiteral("*.lez"))) {
        listEntries << titleOf(f.fileName()).toUpper();
        listFiles_ << f.filePath();
    }
    listIndex = listEntries.isEmpty() ? -1 : 0;
    if (bookmarkName.isEmpty()) return;
    const int found = listEntries.indexOf(bookmarkName.toUpper());
    if (found >= 0 && found < listEntries.size() - 1) listIndex = found + 1;
}

void ExerciseSources::ResolveListFile() {
    appState().freeTextMode = false;
    appState().results.exerciseFile.clear();
    QString entry = at(listEntries, listIndex);
    if (entry.isEmpty()) return;
    QString path = at(listFiles_, listIndex);
    if (!isReadableRegularFile(path)) {
        // The time estimate follows ".txt" in the entry; only the entry is
        // cut, never the folders above it.
        const int txt = entry.toUpper().indexOf(QStringLiteral(".TXT"), 1);
        if (txt > 0) entry = entry.left(txt + 4);
        path = courseMode ? findListed(kCourse, entry + QStringLiteral(".lez"))
                          : findListed(kExercises, entry);
    }
    if (!isReadableRegularFile(path)) return;
    appState().results.exerciseFile = path;
    appState().freeTextMode = path.endsWith(QStringLiteral(".TXT"), Qt::CaseInsensitive);
}

void ExerciseSources::SelectNextCourseEntry() {
    if (listEntries.isEmpty()) return;
    listIndex = listIndex + 1 < listEntries.size() ? listIndex + 1 : 0;
    ResolveListFile();
}

ExerciseSources::CommandLine ExerciseSources::InterpretCommandLine(const QString& arg) {
    commandLineArg = arg;
    unreadableFile.clear();
    const QString given = arg.trimmed();
    const QString ext = given.right(4).toUpper();
    if (ext != QStringLiteral(".LEZ") && ext != QStringLiteral(".TXT")) {
        commandLineArg.clear();
        return CommandLine::Ignored;
    }
    QString path = exerciseNamedOnCommandLine(given);
    if (path.isEmpty()) {
        // A path of its own, relative to the current folder or absolute, as
        // a file manager passes it.
        path = QDir::cleanPath(QFileInfo(given).absoluteFilePath());
        if (!isReadableRegularFile(path)) {
            unreadableFile = path;
            commandLineArg.clear();
            return CommandLine::NotFound;
        }
    }
    appState().results.exerciseFile = path;
    if (ext == QStringLiteral(".TXT")) {
        if (QFileInfo(path).size() >= kTextFileLimit) return CommandLine::TooLong;
        appState().freeTextMode = true;
        textFileChosen = true;
    }
    return CommandLine::Accepted;
}

void ExerciseSources::ReadBookmark() {
    bookmarkName = profileRead(bookmarkFile(), userStorageKey(appState().results.userName),
                               QStringLiteral("Bookmark"));
}

void ExerciseSources::SaveBookmark(QWidget* parent, const QStringList& messages) {
    const QString user = userStorageKey(appState().results.userName);
    if (user.isEmpty()) return;
    // A bookmark that could not be stored or removed is said so: the next
    // course would otherwise start somewhere the user did not choose.
    const auto report = [parent, this](bool written) {
        if (written) return;
        seams::message(parent, bookmarkFailedText + QLatin1Char('\n') + bookmarkFile(),
                       QStringLiteral("Tastolino"), seams::MsgIcon::Warning);
    };
    if (listIndex >= listEntries.size() - 1) {
        report(profileDeleteSection(bookmarkFile(), user));
        return;
    }
    const int first = static_cast<int>(Message::KeepBookmark);
    QString text = at(messages, first);
    for (int i = first + 1; i <= static_cast<int>(Message::KeepBookmarkLast); ++i)
        text += QLatin1Char('\n') + at(messages, i);
    const seams::MsgAnswer answer =
        seams::message(parent, text, QStringLiteral("Tastolino"), seams::MsgIcon::Question,
                       seams::MsgButtons::YesNoCancel);
    if (answer == seams::MsgAnswer::Yes) {
        const QString file = appState().results.exerciseFile;
        prepareToWrite(bookmarkFile());
        report(profileWrite(bookmarkFile(), user, QStringLiteral("Bookmark"),
                            titleOf(QFileInfo(file).fileName()).toUpper()));
    } else if (answer == seams::MsgAnswer::No) {
        report(profileDeleteSection(bookmarkFile(), user));
    }
}

}  // namespace tastolino
