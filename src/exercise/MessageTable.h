// The built-in Italian interface texts of the main window that the exercise
// engine starts with: the 43-slot message table and the two praise lists.
// The main window replaces them by those of a language file; callers keep
// their own copy (frmTastomat::messages) so that replacing is local.
#pragma once

#include <QString>
#include <QStringList>

namespace tastolino {

inline constexpr int kMessageCount = 43;

// The slots the program reads.
enum class Message {
    InternalSentences = 0,  // the source caption in the window title
    FirstLevel = 1,         // 1..3: the level in the window title
    ButtonUnavailable = 4,
    StartAgain = 5,
    YouScored = 6,  // 6..10 and 33: the message after a sentence
    PointsWithRecord = 7,
    Keystrokes = 8,
    RecordBeaten = 9,
    PressEnter = 10,
    Hello = 11,
    ChooseLevel = 12,
    ChooseFile = 13,
    KeyboardNotSet = 14,
    MayNotWork = 15,
    German = 16,
    KeepBookmark = 17,  // 17..22: the question whether to keep the bookmark
    KeepBookmarkLast = 22,
    PrintKeyboard = 23,
    PrintedAsSeen = 24,
    CloseProgram = 25,
    DataLost = 26,
    CapsLockDown = 27,
    RightMouseDown = 28,
    Beginner = 29,
    Expert = 30,
    GermanKeyboard = 31,
    SeeHelp = 32,
    Points = 33,
    ErgonomicTip = 34,
    Minutes = 36,
    CannotOpenFile = 37,
    PressOk = 38,
    TimeToFinish = 39,
    FileTooLong = 40,
};

// The slot naming level 1..3.
inline Message levelMessage(int level) {
    return static_cast<Message>(static_cast<int>(Message::FirstLevel) + level - 1);
}

// The text of `slot` in a table; empty when the table is short.
inline QString messageText(const QStringList& messages, Message slot) {
    return messages.value(static_cast<int>(slot));
}

// Slots 0..42, Italian.
const QStringList& defaultMessages();

// Seven words each, used for sentences scoring 41 points or more.
const QStringList& defaultPraiseGood();
const QStringList& defaultPraiseGreat();

}  // namespace tastolino
