// Where exercises come from besides the internal sentences: course lessons
// and custom exercises (".lez", INI sections "Livello1".."Livello3") and
// text files typed as free text, the source menu with its file list, the
// command-line exercise and the per-user course bookmark.
#pragma once

#include "settings/InterfaceTexts.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class QWidget;

namespace tastolino {

inline constexpr qint64 kTextFileLimit = 26000;  // bytes; larger text files are refused

// Measures text in the font of the sentence area, for fitting an entry on
// one line: width of a text and the width available.
struct LineFitter {
    std::function<int(const QString&)> textWidth;
    int maxWidth = 0;
};

// Source menu options.
enum SourceIndex { SourceInternal = 0, SourceCourse, SourceExercises, SourceTextFiles, SourceGame };

// FitToLine: drops trailing characters until the text fits, then makes
// very short texts at least three characters long by doubling them.
QString FitToLine(const QString& text, const LineFitter& fitter);
// KeepTypeable: keeps only the characters that have a key. A carriage
// return is no key of its own here: the only line break of an entry is
// the one ReadCourseEntry puts at the split.
QString KeepTypeable(const QString& text);
// Typographic quotes, dashes, the ellipsis and no-break blanks, which texts
// written by people contain and the German keyboard has no key for, as the
// keys that stand for them: " ' - ... and a blank.
QString WithKeyboardPunctuation(const QString& text);
// Entry `key` of section "Livello" + level, made typeable; "¦¦" splits it
// into two lines joined by CR LF. A side of the split left with nothing to
// type is dropped, so the entry is never an empty line. Empty when missing,
// unreadable or without a typeable character.
QString ReadCourseEntry(const QString& file, int level, int key, const LineFitter& fitter);
// Text of the bytes of an exercise or text file. Files are Windows-1252,
// but one saved as UTF-8 (a byte-order mark, or valid UTF-8 with at least
// one multi-byte character) is read as UTF-8, or each umlaut would become
// two wrong characters. A multi-byte character cut at the end is dropped.
QString decodeFileText(QByteArrayView bytes);

// "    (" + b + " min)" or "    (" + a + " ÷ " + b + " min)" for a text
// file of `size` bytes, at 300 and 220 keystrokes per minute.
QString timeEstimate(qint64 size);
// Minutes left in a free text, as shown by the pause box ("< 1" below 1).
QString remainingMinutesText(qint64 fileSize, int correctCount);

// Path of `name` in `folder` (ending in "/"), matched ignoring case when the
// exact name does not exist; empty when there is no such file.
QString findFileNoCase(const QString& folder, const QString& name);

class ExerciseSources {
  public:
    // Folders under the program folder (the user's own lessons and
    // exercises are listed with theirs) and the bookmark, kept where the
    // program writes its data.
    static QString courseFolder();
    static QString exercisesFolder();
    static QString bookmarkFile();

    // Source menu state, mirrored by the main window on optMenu,
    // cboListFile and lblIconaEsercizio.
    std::array<bool, 5> optionEnabled{true, false, false, false, true};
    int selectedSource = SourceInternal;
    QStringList listEntries;  // as shown in the list
    int listIndex = -1;       // selected entry, -1 = none
    bool listEnabled = false;
    QString symbol = QStringLiteral("&&");
    bool hasFileSources = false;
    bool courseMode = false;
    QString bookmarkName;
    QString commandLineArg;
    bool textFileChosen = false;
    QString unreadableFile;  // the command-line file that could not be read
    // Said when the bookmark cannot be written; the file follows.
    QString bookmarkFailedText = ItalianText(QStringLiteral("9029"));

    // Enables the options that have files and selects the internal
    // sentences; a file accepted from the command line stays selected.
    void EnableSources();
    // Selects a source. Returns false for the game option, which the caller
    // opens (the source then falls back to the internal sentences).
    bool SelectSource(int index);
    void FillCourseList();
    // Turns the selected list entry into exerciseFile (and freeTextMode for
    // text files); an entry whose file has gone leaves exerciseFile empty.
    void ResolveListFile();
    // Course: selects the lesson after the current one (wrapping) and
    // resolves it.
    void SelectNextCourseEntry();

    enum class CommandLine { Ignored, NotFound, Accepted, TooLong };
    // The exercise or text file named on the command line. An argument not
    // ending in ".lez" or ".txt" is Ignored. "/" at the start of the
    // argument (or after a blank) followed by a plain file name that exists
    // in the exercises folder names that file; anything else is the path of
    // a file, relative to the current folder or absolute. A path that is not
    // a readable file is NotFound (unreadableFile says which; the argument
    // is dropped); for TooLong the caller shows message 40 and ends the
    // program.
    CommandLine InterpretCommandLine(const QString& arg);

    void ReadBookmark();
    // Asks (messages 17..22) whether to keep the finished lesson as the
    // user's bookmark; the last lesson of the course clears it silently.
    void SaveBookmark(QWidget* parent, const QStringList& messages);

  private:
    QStringList listFiles_;  // real path of each list entry
};

}  // namespace tastolino
