// The keyboard picture of the main window (`picKeyword`): 63 keys painted in
// finger colours, raised or pressed, with the next key and its Shift or
// AltGr highlighted, the wrong-key marker, the homing ridges and the finger
// icons.
//
// The panel is one painted widget. What the design draws on the panel
// itself (the background and the bevel rings) persists between paints as
// the design draws it, each key's rings over those drawn before: the panel
// remembers in which order and in which state each key's rings were last
// drawn and paints them again in that order, which gives the picture a kept
// canvas would hold without keeping one. The key faces, the Enter masks, the
// ridges and the icons lie above it, and the highlight shapes invert what
// lies beneath them. A change repaints only the rectangles of the keys it
// touches.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class QPainter;

namespace tastolino {

class KeyMapPicture;

class KeyboardPanel : public QWidget {
    Q_OBJECT
  public:
    inline static const QSize kDesignSize{597, 215};
    static constexpr int kFingerIconCount = 10;
    static constexpr int kHighlightShapeCount = 4;
    static constexpr int kRidgeLineCount = 4;
    static constexpr int kEnterMaskCount = 2;

    explicit KeyboardPanel(QWidget* parent = nullptr);
    ~KeyboardPanel() override;

    // --- Display options (flags of the main window, kept in the settings).
    // Each setter applies the option at once, as the menu and the double
    // clicks do.
    // On large screens every key is enlarged by 1.41 across and 1.31 down,
    // fonts by the square root of 1.41, and the bevel gets one ring more.
    void setLargeScreen(bool on);
    bool largeScreen() const { return large_; }
    void setFingerMapOn(bool on);
    bool fingerMapOn() const { return fingerMapOn_; }
    void setErgonomicOn(bool on);
    bool ergonomicOn() const { return ergonomicOn_; }
    void setFlatKeyboardOn(bool on);
    bool flatKeyboardOn() const { return flat_; }
    void setHighlightOn(bool on);
    bool highlightOn() const { return highlightOn_; }

    // --- Exercise state the display follows (owned by the exercise).
    // The next character to type; empty when no exercise text is shown.
    void setExpectedChar(const QString& ch) { expectedChar_ = ch; }
    QString expectedChar() const { return expectedChar_; }
    // While a sentence runs the 2D/3D key does not react and the Enter
    // invitation is not drawn.
    // Between sentences keys 48 and 62 invite the user to press Enter.
    void setExerciseRunning(bool on) { exerciseRunning_ = on; }
    bool exerciseRunning() const { return exerciseRunning_; }
    // Key 37 (flat / 3D switch) rests from the start of a sentence until
    // the exercise is reset.
    void setKey37Enabled(bool on) { key37Enabled_ = on; }
    bool key37Enabled() const { return key37Enabled_; }
    // In a free text a character without a key is simply passed over.
    void setFreeTextMode(bool on) { freeTextMode_ = on; }
    // Whether the finger division switch is heard.
    void setSoundOn(bool on) { soundOn_ = on; }
    // Tooltip of key 25 while the finger map is on (message 34).
    void setErgonomicTooltip(const QString& text) { ergonomicTooltip_ = text; }
    // Tooltip of key 37, the flat / 3D switch.
    void setFlatSwitchTooltip(const QString& text) { flatSwitchTooltip_ = text; }
    // Tooltip of the ten finger icons; none when empty.
    void setFingerIconTooltip(const QString& text) { fingerIconTooltip_ = text; }

    // --- Drawing operations.
    void DrawKey(int key, bool released);
    void RedrawKeyboard();
    // Lets the keys' drawn faces and ring pictures go (half a megabyte)
    // while nothing is typed; each is drawn again when next painted.
    void ReleaseFaces();
    void ColorTasti();
    // Shows the key and modifier for the first character of `ch`; `position`
    // is its position in the exercise line (0: only refresh the keyboard).
    void HighlightNextKey(const QString& ch, int position = 0);
    void HighlightNextKeyCode(int charCode, int position = 0);
    void HideHighlights();
    void MarkWrongKey(int charCode);
    void HideWrongKeyMarker();
    void SetRidgeColour(uint32_t bgr, int line);
    void PlaceFingerIcons();
    // Puts the external key map below the notebook area (window
    // coordinates), centred across the window.
    void PlaceKeyMapPicture(const QRect& notebookArea);
    // Puts the external key map at `top` (window coordinates), centred
    // across the window: the window chooses a place that hides nothing.
    void PlaceKeyMapPictureAt(int top);
    void CreateHighlightShapes();
    void ShowFingerIcons(bool visible);
    // The Caps Lock marker `imgX`, on the Caps Lock key.
    void ShowCapsLockMarker(bool visible);
    // Keys 48 and 62 drawn pressed: the invitation to press Enter.
    void DrawEnterInvitation();
    // Heat mode (the statistics window): every key in its own colour
    // (0xBBGGRR) with its own tooltip, no finger icons. Nothing else of the
    // panel changes, so it is meant for a panel of its own.
    void ShowHeatMap(const std::array<uint32_t, 63>& bgr, const std::array<QString, 63>& tips);
    QString keyToolTip(int key) const;

    // --- The picture, read back (tests, printout).
    int bevelDepth() const { return large_ ? 4 : 3; }
    QRect keyRect(int key) const;
    int keyAt(const QPoint& p) const;  // -1 outside every key
    bool isKeyPressed(int key) const;
    QColor keyColour(int key) const;
    int expectedKeyIndex() const { return expectedKeyIndex_; }
    bool fullRedrawPending() const { return fullRedrawPending_; }
    bool highlightShown(int shape) const;
    QRect highlightRect(int shape) const;
    bool wrongKeyMarkerShown() const { return keyErrorShown_; }
    QRect wrongKeyMarkerRect() const { return keyErrorRect_; }
    bool capsLockMarkerShown() const { return capsMarkerShown_; }
    bool fingerIconsShown() const { return fingerIconsShown_; }
    QRect fingerIconRect(int icon) const;
    QRect ridgeRect(int line) const;
    QColor ridgeColour(int line) const;
    QRect enterMaskRect(int mask) const;
    KeyMapPicture* keyMapPicture() const { return keyMap_; }

  signals:
    void ergonomicToggled(bool on);
    void flatKeyboardToggled(bool on);
    // The highlight moved on to `position` (> 1) of the exercise line: the
    // position marker under the line follows.
    void positionAdvanced(int position);
    // The next character has no key: offer to type it on the user's behalf.
    void untypeableCharacter();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct Key {
        QRect rect;
        uint32_t colour = 0xE0E0E0;
        bool pressed = false;
        QImage face;  // fill and caption; null when it must be drawn again
    };
    // Bevel rings as last drawn: around `rect`, `depth` + 1 rings in the
    // colours of the state then. For the seam of the Enter key, `seam` is
    // the row where the lower part meets the upper one.
    struct Rings {
        int order = -1;  // none since the panel was cleared
        QRect rect;
        uint32_t colour = 0;
        bool pressed = false;
        bool flat = false;
        int depth = 0;
        int seam = 0;
        QRect bounds() const { return rect.adjusted(-depth - 1, -depth - 1, depth + 1, depth + 1); }
    };

    QRect scaled(const QRect& design) const;
    QRect outerRect(int key) const;
    void drawRings(int key);
    void drawEnterSeam();
    Rings ringsNow(const Key& k);
    static void paintRings(QPainter& p, const Rings& rings);
    const QImage& ringPicture(const Rings& rings);
    static void paintEnterSeam(QPainter& p, const Rings& seam);
    void renderFace(int key);
    void clearCanvas();
    void rebuildGeometry();
    void setKeyColour(int key, uint32_t bgr);
    void rehighlightAndInvite();
    void updateCursorAt(const QPoint& p);
    int fingerIconAt(const QPoint& p) const;
    void onKeyMapDoubleClicked();

    bool large_ = false;
    bool fingerMapOn_ = false;
    bool ergonomicOn_ = false;
    bool flat_ = false;
    bool highlightOn_ = false;
    bool exerciseRunning_ = false;
    bool key37Enabled_ = true;
    bool freeTextMode_ = false;
    bool soundOn_ = true;
    QString expectedChar_;
    QString ergonomicTooltip_;
    QString flatSwitchTooltip_;
    QString fingerIconTooltip_;
    std::array<QString, 63> keyTips_;

    std::array<Key, 63> keys_;
    int expectedKeyIndex_ = 0;
    bool fullRedrawPending_ = false;

    // The panel's own drawing: the ground it was cleared to, then the rings.
    QSize groundSize_;
    QColor ground_ = Qt::black;
    std::array<Rings, 63> rings_;
    Rings enterSeam_;
    int drawOrder_ = 0;
    // The rings of each look (size, colour, state) as a picture: many keys
    // share one; let go with the faces.
    struct RingLook {
        QSize size;
        uint32_t colour;
        bool pressed;
        bool flat;
        int depth;
        bool operator==(const RingLook&) const = default;
    };
    std::vector<std::pair<RingLook, QImage>> ringPictures_;
    std::array<QRect, kHighlightShapeCount> shapes_;
    std::array<bool, kHighlightShapeCount> shapeShown_{};
    std::array<QRect, kRidgeLineCount> ridges_;
    std::array<uint32_t, kRidgeLineCount> ridgeColours_{};
    std::array<QRect, kEnterMaskCount> masks_;
    std::array<QRect, kFingerIconCount> fingerIcons_;
    bool fingerIconsShown_ = false;
    QRect keyErrorRect_;
    bool keyErrorShown_ = false;
    QRect capsMarkerRect_;
    bool capsMarkerShown_ = false;
    QPointer<KeyMapPicture> keyMap_;
};

// The external key map `imgMappaTastiEsterna`: a picture of the finger
// division shown instead of the finger icons. A double click puts the icons
// back on the keyboard.
class KeyMapPicture : public QWidget {
    Q_OBJECT
  public:
    inline static const QSize kSize{622, 47};
    explicit KeyMapPicture(QWidget* parent = nullptr);

    // Left hand, right hand, and the little, ring, middle and index fingers
    // and the thumbs, as the map names them.
    using Captions = std::array<QString, 7>;
    void setCaptions(const Captions& captions);
    const Captions& captions() const { return captions_; }

  signals:
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    Captions captions_;
};

}  // namespace tastolino
