// The main window's interface texts: the built-in Italian ones, and those
// of the current language file, which the main window applies at start-up
// when the file was found and again whenever a language is chosen.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace tastolino {

struct MainWindowTexts {
    QStringList messages;     // 43 slots
    QStringList praiseGreat;  // "Magnifico!" ..., seven words
    QStringList praiseGood;   // "Bene!" ..., seven words
    QString warningTitle;
    QString perMinuteText;
    QString helpMissingText;

    // Captions of the source options 0..4 and the level options 0..1; a
    // doubled "&&" shows as one ampersand.
    std::array<QString, 5> sourceCaptions;
    std::array<QString, 2> levelCaptions;

    // Tooltips.
    std::array<QString, 9> menuTips;  // menu strip items 0..8
    std::array<QString, 2> counterTips;
    QString smileTip;
    QString sentenceNumberTip;
    std::array<QString, 3> averageTips;
    QString fingerIconTip;  // the ten finger icons; none built in
    QString keyMapTip;      // the external key map
    QString flatSwitchTip;  // key 37
    QString startTip;       // the Start (Enter) button

    // Captions of the bottom bar: time, sentence, correct and wrong
    // keystrokes, errors, level averages.
    std::array<QString, 6> bottomCaptions;
    // The external key map: left hand, right hand, and the little, ring,
    // middle and index fingers and the thumbs.
    std::array<QString, 7> keyMapCaptions;
    // The word before the file name in the window title of a free text.
    QString fileWord;
    // The course bookmark could not be written; the file follows.
    QString bookmarkFailed;
    // The small print after the program name on the keyboard printout.
    QString keyboardPrintAuthor;
    // The buttons of message boxes: Yes, No, Cancel, OK.
    std::array<QString, 4> buttons;
};

// The built-in Italian texts.
MainWindowTexts BuiltInMainWindowTexts();
// The texts of the current language file (interfaceLanguage().name); a text
// the file lacks or leaves empty keeps its Italian one.
MainWindowTexts LanguageFileMainWindowTexts();

// The identifier of message slot 0..42.
QString MessageIdentifier(int slot);

// The nine texts of the balloon tooltips: the level group's title, the two
// level options, the source group's title and the five source options.
// From the current language file or built in.
std::array<QString, 9> BalloonTipTexts(bool fromFile);

}  // namespace tastolino
