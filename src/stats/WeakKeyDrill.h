// An exercise for the user's weakest characters, written as a ".lez" file
// into the user's exercise folder, so that the program plays it like any
// exercise through the command-line path. Three levels of rising
// difficulty:
//   level 1, five entries played in order: short groups of the weak
//            characters, two at a time;
//   level 2, fifteen entries: real German words rich in them, three to five
//            an entry;
//   level 3, fifteen entries: longer rows of such words, as many as fit.
// A weak character that no word holds (a digit, a symbol) is typed between
// the words; a weak Enter splits every entry of levels 2 and 3 into two
// lines. Every line fits the sentence area and holds only characters with a
// key, so the program plays each entry exactly as written.
//
// The words come from data/stats/words.txt, made by
// tools/make_drill_words.py: UTF-8, one word a line, "#" starts a comment.
#pragma once

#include "stats/StatsTexts.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace tastolino {

class StatsStore;

// Whether a line fits the sentence area; the program measures it in the
// sentence font.
using LineFits = std::function<bool(const QString& line)>;
// Without a measure: this many characters fit even in the widest letters
// of the sentence font on the smallest screen.
inline constexpr int kDrillLineCharacters = 36;
LineFits fitsCharacterCount(int characters = kDrillLineCharacters);

// The words of a word list that have a key for every letter.
QStringList loadDrillWords(const QString& file);

struct Drill {
    std::vector<char32_t> characters;  // what it practises, weakest first
    // Entries per level; "¦¦" (two U+00A6) splits an entry into two lines.
    std::array<QStringList, 3> levels;
    bool empty() const { return levels[0].isEmpty(); }
};

// The drill for `weak` (weakest first; characters without a key are
// ignored). Empty when nothing is left to practise.
Drill buildDrill(const std::vector<char32_t>& weak, const QStringList& words,
                 const LineFits& fits = fitsCharacterCount());

// The file: a comment line, sections "Livello1".."Livello3" with keys 1..n,
// Windows-1252, CR LF.
QByteArray drillFileBytes(const Drill& drill, const TextLookup& lookup = {});

// "TastiDeboli.lez", or "TastiDeboli_<user>.lez" with the user's name made
// safe for a file name.
QString drillFileName(const QString& user);

struct DrillResult {
    QString path;     // the file written; empty on failure
    QString message;  // for the user when it failed
};

// Finds the user's weakest characters (all days), builds the drill and
// writes it into `exercisesFolder` (which must exist), replacing an
// earlier drill of the same user.
DrillResult makeWeakKeyDrill(StatsStore& store, const QString& user, const QDate& today,
                             const QString& wordsFile, const QString& exercisesFolder,
                             const LineFits& fits = fitsCharacterCount(),
                             const TextLookup& lookup = {});

}  // namespace tastolino
