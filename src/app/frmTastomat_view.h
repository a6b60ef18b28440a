// The main window seen from the exercise engine: every EngineView call
// lands on the window's controls and on the keyboard panel.
#pragma once

#include "exercise/EngineView.h"

#include <QString>
#include <QStringList>

namespace tastolino {

class frmTastomat;
class KeyboardPanel;

class MainWindowView : public EngineView {
  public:
    explicit MainWindowView(frmTastomat& window) : w_(window) {}

    void setSentenceText(const QString& text) override;
    void setDisplayLayout(bool freeText, int fontSize) override;
    void setUnderline(int line, int length) override;
    void setInputText(const QString& text) override;
    void setInputLocked(bool locked) override;
    void focusInput() override;
    void setInputFlash(bool on) override;
    void setCorrectCounter(const QString& text) override;
    void setWrongCounter(const QString& text) override;
    void setSentenceNumber(const QString& text) override;
    void setClockText(const QString& text) override;
    void setClockOpaque(bool opaque) override;
    void setSpeedBarWidth(int width) override;
    void setSpeedBarPicture(int bitmapId) override;
    void setScoreGaugesVisible(bool visible) override;
    void ResetBestBar(int width, int level) override;
    void setBestBarWidth(int width) override;
    void showMessage(const QString& text, int iconId) override;
    void hideMessage() override;
    void setLevelAverage(int index, const QString& text) override;
    void setLamps(int level) override;
    void setFace(const Face& face) override;
    void clearFace() override;
    void setProgressVisible(bool visible) override;
    void setProgressWidth(int width) override;
    int progressFullWidth() override;
    void setWindowTitle(const QString& title) override;
    void setStartEnabled(bool enabled) override;
    void setAboutEnabled(bool enabled) override;
    void setTypeForMeVisible(bool visible) override;
    void setSourceMenuVisible(bool visible) override;
    void setLevelPanelVisible(bool visible) override;
    void setGameOptionEnabled(bool enabled) override;
    void sourcesChanged(const ExerciseSources& sources) override;
    void prepareForSentence() override;
    void hideCoverWindow() override;
    bool programWindowActive() override;
    void focusKeyboard() override;
    void focusDisplay() override;
    LineFitter lineFitter() override;
    QWidget* dialogParent() override;
    void RedrawKeyboard() override;
    void setKey37Enabled(bool enabled) override;
    void HighlightNextKey(QChar ch, int textPos) override;
    void clearExpectedChar() override;
    void HideHighlights() override;
    void MarkWrongKey(int code) override;
    void hideWrongKeyMarker() override;
    void setEnterInvitation(bool on) override;
    void toggleEnterPicture() override;
    void showModalForm(DialogKind kind) override;
    void showWelcome() override;
    void openGame() override;
    void unloadMainWindow() override;
    void inputStateChanged() override;

  private:
    KeyboardPanel* keyboard() const;
    frmTastomat& w_;
    // Lines of the text shown, for placing the underline.
    QStringList lines_;
    bool flash_ = false;
    int speedBarLevel_ = 1;
};

// Symbol shown in lblIconaEsercizio for the source menu's symbol code
// ("&&", "7", "1", "4"); our own glyphs stand in for the design's symbol font.
QString sourceSymbolGlyph(const QString& symbol);

}  // namespace tastolino
