#include "DataCheck.h"

#include "exercise/ExerciseProfile.h"
#include "keyboard/CharKeyMap.h"
#include "support/TestFiles.h"
#include "text/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace tastolino::datacheck {
namespace {

constexpr int kTextMin = 1500;
constexpr int kTextMax = 6000;
const QString kSplit = QStringLiteral("\u00A6\u00A6");

QString fromCp1252(const QByteArray& bytes) {
    return QString::fromStdString(
        cp1252::toUtf8(std::string_view(bytes.constData(), size_t(bytes.size()))));
}

QByteArray readAll(const QString& path) {
    return tastolino::testing::readFile(path);
}

QFileInfoList filesOf(const QString& folder, const QString& pattern) {
    return QDir(folder, pattern, QDir::Name | QDir::IgnoreCase, QDir::Files).entryInfoList();
}

// What ReadCourseEntry returns for a value when nothing is dropped or cut.
QString expectedEntry(const QString& raw) {
    const QString value = raw.trimmed();
    const int p = value.indexOf(kSplit);
    if (p < 0) return value;
    return value.left(p).trimmed() + QStringLiteral("\r\n") + value.mid(p + 2).trimmed();
}

QString shown(const QString& s) {
    QString out = s;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" | "));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

}  // namespace

QString introducedCharacters(const QByteArray& fileBytes) {
    const QString marker = QStringLiteral("; Neue Zeichen:");
    for (const QString& line : fromCp1252(fileBytes).split(QStringLiteral("\r\n"))) {
        if (!line.startsWith(marker)) continue;
        QString chars;
        for (const QString& token :
             line.mid(marker.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (token == QLatin1String("Leertaste"))
                chars += QLatin1Char(' ');
            else if (token == QLatin1String("Enter"))
                chars += QLatin1Char('\r');
            else if (token.size() == 1)
                chars += token;
        }
        return chars;
    }
    return {};
}

void DataCheck::problem(const QString& path, const QString& what) {
    problems << QFileInfo(path).fileName() + QStringLiteral(": ") + what;
}

void DataCheck::checkBytes(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        problem(path, QStringLiteral("empty or unreadable"));
        return;
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool cr = bytes[i] == '\r', lf = bytes[i] == '\n';
        if ((cr && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) ||
            (lf && (i == 0 || bytes[i - 1] != '\r'))) {
            problem(path, QStringLiteral("line break without CR LF at byte %1").arg(i));
            return;
        }
    }
    if (!bytes.endsWith("\r\n")) problem(path, QStringLiteral("last line without CR LF"));
    // The program reads a file that is valid UTF-8 as UTF-8: a shipped file
    // must read the same either way, that is be plain Windows-1252.
    if (decodeFileText(bytes) != fromCp1252(bytes))
        problem(path, QStringLiteral("not Windows-1252 (reads as UTF-8)"));
}

QString DataCheck::checkExercise(const QString& path) {
    checkBytes(path, readAll(path));
    QString used;
    for (int level = 1; level <= 3; ++level) {
        const QString section = QStringLiteral("Livello%1").arg(level);
        int count = 0;
        while (!profileRead(path, section, QString::number(count + 1)).isEmpty()) ++count;
        if (count != 5 && count != 15)
            problem(path,
                    QStringLiteral("level %1 has %2 entries, not 5 or 15").arg(level).arg(count));
        QSet<QString> seen;
        for (int key = 1; key <= count; ++key) {
            const QString raw = profileRead(path, section, QString::number(key));
            const QString expected = expectedEntry(raw);
            const QString where =
                QStringLiteral("level %1 entry %2 %3").arg(level).arg(key).arg(shown(expected));
            if (seen.contains(expected)) problem(path, where + QStringLiteral(" appears twice"));
            seen.insert(expected);
            if (level < 3 && raw.contains(kSplit))
                problem(path, where + QStringLiteral(": two lines outside level 3"));
            QString withoutSplit = expected;
            withoutSplit.remove(QStringLiteral("\r\n"));
            if (KeepTypeable(withoutSplit) != withoutSplit) {
                problem(path, where + QStringLiteral(": a character has no key"));
                continue;
            }
            for (const LineFitter& fitter : fitters_) {
                const QString entry = ReadCourseEntry(path, level, key, fitter);
                if (entry != expected) {
                    problem(path, where + QStringLiteral(": cut to ") + shown(entry) +
                                      QStringLiteral(" on a %1-pixel line").arg(fitter.maxWidth));
                    break;
                }
            }
            used += expected;
            ++totals.entries;
            totals.characters += int(expected.size());
        }
    }
    return used;
}

void DataCheck::checkText(const QString& path) {
    const QByteArray bytes = readAll(path);
    checkBytes(path, bytes);
    if (bytes.size() >= kTextFileLimit)
        problem(path, QStringLiteral("%1 bytes, the limit is below %2")
                          .arg(bytes.size())
                          .arg(kTextFileLimit));
    QString text = fromCp1252(bytes);
    text.remove(QLatin1Char('\r'));
    QString lines = text;
    lines.remove(QLatin1Char('\n'));
    if (KeepTypeable(lines) != lines) {
        QString missing;
        for (QChar c : lines)
            if (KeepTypeable(QString(c)).isEmpty() && !missing.contains(c)) missing += c;
        problem(path, QStringLiteral("characters without a key: ") + missing);
    }
    // Typed as free text, each line break becomes one blank.
    QString typed;
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            if (!typed.endsWith(QLatin1Char(' '))) typed += QLatin1Char(' ');
        } else {
            typed += c;
        }
    }
    typed = typed.trimmed();
    if (typed.size() < kTextMin || typed.size() > kTextMax)
        problem(path, QStringLiteral("%1 characters to type, not %2 to %3")
                          .arg(typed.size())
                          .arg(kTextMin)
                          .arg(kTextMax));
    totals.characters += int(typed.size());
}

void DataCheck::checkFolder(const QString& appFolder) {
    // The course, in list order: what each lesson may ask for grows.
    QString introduced;
    const QString course = appFolder + QStringLiteral("CorsoDattilo/");
    for (const QFileInfo& f : filesOf(course, QStringLiteral("*.lez"))) {
        ++totals.lessons;
        const QString path = f.filePath();
        if (f.completeBaseName().contains(QLatin1Char('.')))
            problem(path, QStringLiteral("the list shows only the name up to its first \".\""));
        const QString fresh = introducedCharacters(readAll(path));
        for (QChar c : fresh)
            if (introduced.contains(c))
                problem(path, QStringLiteral("introduces %1 again").arg(shown(QString(c))));
        introduced += fresh;
        const QString used = checkExercise(path);
        QString early;
        for (QChar c : used)
            if (c != QLatin1Char('\n') && !introduced.contains(c) && !early.contains(c)) early += c;
        if (!early.isEmpty())
            problem(path,
                    QStringLiteral("asks for characters not yet introduced: ") + shown(early));
        for (QChar c : fresh)
            if (!used.contains(c))
                problem(
                    path,
                    QStringLiteral("introduces %1 but never asks for it").arg(shown(QString(c))));
    }
    if (totals.lessons > 0) {
        QString never;
        for (const CharKeyEntry& e : CharKeyMap()) {
            const QChar c =
                QString::fromStdString(cp1252::toUtf8(std::string(1, char(e.CharCode)))).at(0);
            if (!introduced.contains(c)) never += c;
        }
        if (!never.isEmpty())
            problems << QStringLiteral("course: never introduced: ") + shown(never);
    }
    const QString exercises = appFolder + QStringLiteral("Esercizi/");
    for (const QFileInfo& f : filesOf(exercises, QStringLiteral("*.lez"))) {
        ++totals.exercises;
        checkExercise(f.filePath());
    }
    for (const QFileInfo& f : filesOf(exercises, QStringLiteral("*.txt"))) {
        ++totals.texts;
        checkText(f.filePath());
    }
}

}  // namespace tastolino::datacheck
