// What the exercise engine asks of the main window: one call per visual
// effect or window action, so the engine itself holds no widgets. The main
// window implements it on its controls; tests implement it with a recorder.
#pragma once

#include "exercise/ExerciseSources.h"
#include "exercise/Scoring.h"
#include "platform/DialogKind.h"

#include <QChar>
#include <QString>

class QWidget;

namespace tastolino {

class EngineView {
  public:
    virtual ~EngineView() = default;

    // --- Sentence area (picDisplay, lblFraseCorr, shpIndex)
    // Text to type; lines are separated by "\n".
    virtual void setSentenceText(const QString& text) = 0;
    // Font size and placement of display, window and input box for the
    // sentence layout or the wide, scrolling free-text layout.
    virtual void setDisplayLayout(bool freeText, int fontSize) = 0;
    // Underline under the first `length` characters of displayed line
    // `line` (0 or 1); length 0 empties it.
    virtual void setUnderline(int line, int length) = 0;

    // --- Input box (txtInput)
    virtual void setInputText(const QString& text) = 0;
    virtual void setInputLocked(bool locked) = 0;
    virtual void focusInput() = 0;
    // Flash step: true = back colour 0xFFFF80, false = normal 0xE4C49C.
    virtual void setInputFlash(bool on) = 0;

    // --- Gauges
    virtual void setCorrectCounter(const QString& text) = 0;  // lblNumBatt(0)
    virtual void setWrongCounter(const QString& text) = 0;    // lblNumBatt(1)
    virtual void setSentenceNumber(const QString& text) = 0;  // lblNumFrase
    virtual void setClockText(const QString& text) = 0;       // lblTime
    virtual void setClockOpaque(bool opaque) = 0;
    virtual void setSpeedBarWidth(int width) = 0;       // picProgress / imgGradiente
    virtual void setSpeedBarPicture(int bitmapId) = 0;  // 301..303
    // Speed bar, best-speed bar and both score pictures (imgMedia).
    virtual void setScoreGaugesVisible(bool visible) = 0;
    // ResetBestBar: width, and for level 1..3 the bar repainted in the
    // level's colours (bestBarRowColour).
    virtual void ResetBestBar(int width, int level) = 0;
    virtual void setBestBarWidth(int width) = 0;  // shrink without repainting
    // Message panel with its shaded top (messageShadeColour) and score icon.
    virtual void showMessage(const QString& text, int iconId) = 0;
    virtual void hideMessage() = 0;
    virtual void setLevelAverage(int index, const QString& text) = 0;  // lblMediaLevel(0..2)
    // Level lamps lblMediaLevel(3..5): all dim, then `level` (1..3) bright;
    // 0 leaves all dim.
    virtual void setLamps(int level) = 0;
    virtual void setFace(const Face& face) = 0;  // lblSmile opaque with the symbol
    virtual void clearFace() = 0;
    // Free-text progress bar (shpProgressTime) and the width of its
    // full-width reference (lbliconeScreen(0)).
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressWidth(int width) = 0;
    virtual int progressFullWidth() = 0;

    // --- Window
    virtual void setWindowTitle(const QString& title) = 0;
    virtual void setStartEnabled(bool enabled) = 0;       // cmdStart
    virtual void setAboutEnabled(bool enabled) = 0;       // menu item 2
    virtual void setTypeForMeVisible(bool visible) = 0;   // menu item 7 and marker
    virtual void setSourceMenuVisible(bool visible) = 0;  // picMenu
    virtual void setLevelPanelVisible(bool visible) = 0;  // picLevel
    virtual void setGameOptionEnabled(bool enabled) = 0;  // optMenu(4)
    // The sources' state changed (selection, list, symbol): mirror it.
    virtual void sourcesChanged(const ExerciseSources& sources) = 0;
    // Start of a sentence: unload the cover window; with the finger map on
    // and the external map hidden, show the finger pictures.
    virtual void prepareForSentence() = 0;
    virtual void hideCoverWindow() = 0;
    virtual bool programWindowActive() = 0;
    virtual void focusKeyboard() = 0;  // picKeyword
    virtual void focusDisplay() = 0;   // picDisplay
    // Measures entries of exercise files against the sentence label.
    virtual LineFitter lineFitter() = 0;
    virtual QWidget* dialogParent() = 0;

    // --- Keyboard
    virtual void RedrawKeyboard() = 0;
    virtual void setKey37Enabled(bool enabled) = 0;
    // Key (and modifier) of the next character; `textPos` is its position.
    virtual void HighlightNextKey(QChar ch, int textPos) = 0;
    // No text is shown any more: nothing is expected until the next one.
    virtual void clearExpectedChar() = 0;
    virtual void HideHighlights() = 0;
    virtual void MarkWrongKey(int code) = 0;  // Windows-1252 code of the typed character
    virtual void hideWrongKeyMarker() = 0;    // imgKeyError
    // On: key 62 bold, keys 48 and 62 marked to press. Off: key 62 normal,
    // imgPremi hidden.
    virtual void setEnterInvitation(bool on) = 0;
    virtual void toggleEnterPicture() = 0;  // imgPremi

    // --- Other windows
    virtual void showModalForm(DialogKind kind) = 0;
    virtual void showWelcome() = 0;
    virtual void openGame() = 0;  // FrmPlay, modal
    // Ends the program (main window unload). The engine stops at once.
    virtual void unloadMainWindow() = 0;
    // Whether the input box takes keys, or Enter starts, may have changed.
    virtual void inputStateChanged() = 0;
};

}  // namespace tastolino
