#include "stats/WeakKeyDrill.h"

#include "keyboard/CharKeyMap.h"
#include "settings/SafeFileQt.h"
#include "stats/StatsQueries.h"
#include "stats/StatsStore.h"
#include "text/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace tastolino {
namespace {

const QString kSplit = QStringLiteral("\u00A6\u00A6");
constexpr char32_t kEnter = 13;
constexpr char32_t kBlank = 32;
constexpr int kEntries[3] = {5, 15, 15};
// Partners for a single weak character in level 1: the commonest letters.
// The shipped word list has some twenty kilobytes; a megabyte is plenty.
constexpr qint64 kMaxWordListBytes = 1 << 20;
constexpr char32_t kFillers[] = {U'e', U'n', U'r', U't', U's', U'a', U'i', U'u', U'l', U'o'};

bool typeable(char32_t c) {
    return FindCharEntryForUnicode(c) >= 0;
}

QString text(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

bool isLetter(char32_t c) {
    return c < 0x10000 && QChar(char16_t(c)).isLetter();
}

// Punctuation follows a word directly; any other symbol stands between two
// words.
QString separator(char32_t symbol) {
    if (QStringView(u",.;:!?").contains(QChar(char16_t(symbol))))
        return text(symbol) + QLatin1Char(' ');
    return QLatin1Char(' ') + text(symbol) + QLatin1Char(' ');
}

// The weak characters split by how they are practised.
struct WeakSet {
    std::vector<char32_t> all;      // typeable, weakest first
    std::vector<char32_t> grouped;  // everything but Enter and the blank
    std::vector<char32_t> letters;  // those some word holds
    std::vector<char32_t> symbols;  // those typed between words
    bool enter = false;
};

WeakSet weakSet(const std::vector<char32_t>& weak, const QStringList& words) {
    WeakSet s;
    for (char32_t c : weak) {
        if (!typeable(c) || std::find(s.all.begin(), s.all.end(), c) != s.all.end()) continue;
        s.all.push_back(c);
        if (c == kEnter) {
            s.enter = true;
        } else if (c != kBlank) {
            s.grouped.push_back(c);
            const QString t = text(c);
            const bool inWords =
                isLetter(c) && std::any_of(words.begin(), words.end(),
                                           [&t](const QString& w) { return w.contains(t); });
            (inWords ? s.letters : s.symbols).push_back(c);
        }
    }
    return s;
}

// The words of a drill: those richest in the weak letters (the weaker a
// letter, the more it counts, per letter of the word), and plain short
// words spread over the whole list to go between them when the rich ones
// are few.
struct WordPools {
    QStringList rich;
    QStringList plain;
    bool empty() const { return rich.isEmpty() && plain.isEmpty(); }
};

WordPools wordPools(const QStringList& words, const WeakSet& weak) {
    WordPools pools;
    std::vector<std::pair<int, int>> scored;  // score, index
    for (int i = 0; i < words.size(); ++i) {
        int score = 0;
        for (char32_t c : words[i].toUcs4()) {
            const auto it = std::find(weak.letters.begin(), weak.letters.end(), c);
            if (it != weak.letters.end()) score += int(weak.letters.end() - it);
        }
        if (score > 0) scored.emplace_back(score * 1000 / int(words[i].size()), i);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t k = 0; k < scored.size() && k < 200; ++k) pools.rich << words[scored[k].second];
    const qsizetype step = std::max<qsizetype>(1, words.size() / 400);
    for (qsizetype i = 0; i < words.size(); i += step)
        if (words[i].size() <= 7 && !pools.rich.contains(words[i])) pools.plain << words[i];
    return pools;
}

// A line of pieces taken from `next` while it still fits, at most `most`.
QString fillLine(const std::function<QString(int)>& next, int most, const LineFits& fits) {
    QString line;
    for (int k = 0; k < most; ++k) {
        const QString longer = line + next(k);
        if (!fits(longer.trimmed())) break;
        line = longer;
    }
    return line.trimmed();
}

// Level 1: groups of two weak characters, or one and a common letter.
QString groupLine(const WeakSet& weak, int i, int rotation, int most, const LineFits& fits) {
    const size_t n = weak.grouped.size();
    const char32_t a = weak.grouped[size_t(i) % n];
    char32_t b = n > 1 ? weak.grouped[size_t(i + 1) % n] : kFillers[size_t(i) % 10];
    if (b == a) b = kFillers[size_t(i + 1) % 10];
    static const char* const kGroups[] = {"aaa", "bbb", "aab", "bba", "aba",
                                          "bab", "ab",  "ba",  "aa",  "bb"};
    const auto group = [&](int k) {
        QString g;
        for (const char* p = kGroups[(k + rotation) % 10]; *p; ++p) g += text(*p == 'a' ? a : b);
        return g + QLatin1Char(' ');
    };
    return fillLine(group, most, fits);
}

// Levels 2 and 3: rich words from `start` on in steps of `stride` (every
// other one a plain word when the rich ones are few), with the weak
// symbols between them.
QString wordLine(const WordPools& pools, const WeakSet& weak, int start, int stride, int most,
                 const LineFits& fits) {
    const qsizetype rich = pools.rich.size(), plain = pools.plain.size();
    const bool mix = plain > 0 && rich < 60;
    const auto word = [&](int k) {
        QString w;
        if (rich > 0 && (!mix || k % 2 == 0))
            w = pools.rich[(start + (mix ? k / 2 : k) * stride) % rich];
        else
            w = pools.plain[(start * 7 + k * 13) % plain];
        if (weak.symbols.empty()) return w + QLatin1Char(' ');
        return w + separator(weak.symbols[size_t(start + k) % weak.symbols.size()]);
    };
    QString line = fillLine(word, most, fits);
    // A symbol standing alone at the end is dropped with its blank.
    const bool symbolAtEnd = line.size() > 2 && line[line.size() - 2] == QLatin1Char(' ') &&
                             std::find(weak.symbols.begin(), weak.symbols.end(),
                                       line.back().unicode()) != weak.symbols.end();
    if (symbolAtEnd) line = line.left(line.size() - 2).trimmed();
    return line;
}

// Adds `make(attempt)` entries until the level has `count` different ones.
QStringList level(int count, const std::function<QString(int attempt)>& make) {
    QStringList entries;
    QSet<QString> seen;
    for (int attempt = 0; entries.size() < count && attempt < count * 20; ++attempt) {
        const QString e = make(attempt);
        if (e.size() < 3 || seen.contains(e)) continue;
        seen.insert(e);
        entries << e;
    }
    return entries;
}

QString safeFilePart(const QString& user) {
    QString safe;
    for (QChar c : user)
        safe += c.isLetterOrNumber() || c == QLatin1Char('-') ? c : QLatin1Char('_');
    return safe.left(40);
}

}  // namespace

LineFits fitsCharacterCount(int characters) {
    return [characters](const QString& line) { return line.size() <= characters; };
}

QStringList loadDrillWords(const QString& file) {
    QStringList words;
    const std::optional<QByteArray> bytes = readRegularFile(file, kMaxWordListBytes);
    if (!bytes) return words;
    const QStringList lines = QString::fromUtf8(*bytes).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString w = line.trimmed();
        if (w.isEmpty() || w.startsWith(QLatin1Char('#'))) continue;
        const QList<uint> chars = w.toUcs4();
        if (std::all_of(chars.begin(), chars.end(),
                        [](uint c) { return c != kBlank && typeable(char32_t(c)); }))
            words << w;
    }
    return words;
}

Drill buildDrill(const std::vector<char32_t>& weakCharacters, const QStringList& words,
                 const LineFits& fits) {
    Drill drill;
    const WeakSet weak = weakSet(weakCharacters, words);
    if (weak.all.empty()) return drill;
    const WordPools pools = wordPools(words, weak);
    if (pools.empty() && weak.grouped.empty()) return drill;
    drill.characters = weak.all;

    // A weak Enter: two lines an entry, the second going on where the first
    // stopped.
    const auto twoLines = [&](const std::function<QString(int)>& line, int attempt) {
        const QString first = line(attempt * 2);
        return weak.enter ? first + kSplit + line(attempt * 2 + 1) : first;
    };
    const auto words1 = [&](int a) { return wordLine(pools, weak, a, 3, 2, fits); };
    const auto groups = [&](int a) { return groupLine(weak, a % 5, a / 5 + a, 6 + a % 7, fits); };
    const auto words2 = [&](int a) { return wordLine(pools, weak, a, 15, 3 + a % 3, fits); };
    const auto words3 = [&](int a) { return wordLine(pools, weak, a * 2, 7, 12, fits); };

    drill.levels[0] = level(kEntries[0], [&](int a) {
        return weak.grouped.empty() ? twoLines(words1, a) : twoLines(groups, a);
    });
    if (pools.empty()) {
        drill.levels[1] = level(kEntries[1], [&](int a) { return twoLines(groups, a + 5); });
        drill.levels[2] = level(kEntries[2], [&](int a) { return twoLines(groups, a + 20); });
    } else {
        drill.levels[1] = level(kEntries[1], [&](int a) { return twoLines(words2, a); });
        drill.levels[2] = level(kEntries[2], [&](int a) { return twoLines(words3, a); });
    }
    return drill;
}

QByteArray drillFileBytes(const Drill& drill, const TextLookup& lookup) {
    QString practised;
    for (char32_t c : drill.characters)
        practised += c == kEnter ? QStringLiteral(" \u00B6") : QLatin1Char(' ') + text(c);
    QString file = QStringLiteral("; ") +
                   statsText(StatsText::DrillFileComment, lookup).arg(practised.trimmed()) +
                   QStringLiteral("\r\n");
    for (int l = 0; l < 3; ++l) {
        file += QStringLiteral("[Livello%1]\r\n").arg(l + 1);
        for (int k = 0; k < drill.levels[size_t(l)].size(); ++k)
            file += QStringLiteral("%1=%2\r\n").arg(k + 1).arg(drill.levels[size_t(l)][k]);
    }
    const std::string bytes = cp1252::fromUtf8(file.toStdString());
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString drillFileName(const QString& user) {
    const QString part = safeFilePart(user);
    return part.isEmpty() ? QStringLiteral("TastiDeboli.lez")
                          : QStringLiteral("TastiDeboli_%1.lez").arg(part);
}

DrillResult makeWeakKeyDrill(StatsStore& store, const QString& user, const QDate& today,
                             const QString& wordsFile, const QString& exercisesFolder,
                             const LineFits& fits, const TextLookup& lookup) {
    DrillResult result;
    StatsQueries queries(store);
    std::vector<char32_t> weak;
    for (const CharacterStats& c :
         weakestCharacters(queries.characters(user, Period::AllDays, today)))
        weak.push_back(c.character);
    const Drill drill = buildDrill(weak, loadDrillWords(wordsFile), fits);
    if (drill.empty()) {
        result.message = statsText(StatsText::DrillNotEnoughData, lookup);
        return result;
    }
    const QString path = QDir(exercisesFolder).filePath(drillFileName(user));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(drillFileBytes(drill, lookup)) < 0 ||
        !file.commit()) {
        result.message = statsText(StatsText::DrillCannotWrite, lookup).arg(path);
        return result;
    }
    result.path = path;
    return result;
}

}  // namespace tastolino
