// The keyboard picture, read back pixel by pixel from an offscreen grab:
// finger colours, bevel rings, flat frames, highlights, and what the double
// clicks do.
#include "keyboard/CharKeyMap.h"
#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"

#include <QSignalSpy>
#include <QTest>

using namespace tastolino;

namespace {

QColor shifted(const QColor& c, int d) {
    auto cl = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(cl(c.red() + d), cl(c.green() + d), cl(c.blue() + d));
}
QColor inverted(const QColor& c) {
    return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
}

QColor pixel(const QImage& img, int x, int y) {
    return QColor(img.pixel(x, y));
}

// A point of the key face that no caption or icon covers.
QPoint faceCentre(const KeyboardPanel& panel, int key) {
    return panel.keyRect(key).center();
}

void doubleClickKey(KeyboardPanel& panel, int key) {
    QTest::mouseDClick(&panel, Qt::LeftButton, {}, faceCentre(panel, key));
}

}  // namespace

class TestKeyboardPanel : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void fingerColoursAtKeyCentres();
    void bevelRings_data();
    void bevelRings();
    void flatFrames_data();
    void flatFrames();
    void highlightInvertsNextKeyAndShift();
    void carriageReturnLightsBothEnterParts();
    void altGrForcesFullRedraw();
    void deadKeyVowelHasNoModifier();
    void highlightOffKeepsKeysPressedWithoutShapes();
    void releasedFacesAreDrawnAgainAlike();
    void partsPaintLikeTheWhole();
    void wrongKeyMarkerIsCentred();
    void untypeableCharacter();
    void doubleClicks();
    void largeScreenGeometry();
    void ridgesMasksAndEnterShapes();
    void handCursorFollowsOptions();
    void keyMapPictureBelowNotebook();
    void captionsStayInsideTheirFaces_data();
    void captionsStayInsideTheirFaces();
    void fingerIconsLeaveTheCaptionsReadable_data();
    void fingerIconsLeaveTheCaptionsReadable();

  private:
    QList<int> sounds_;
};

void TestKeyboardPanel::init() {
    seams::resetAll();
    sounds_.clear();
    seams::setSoundHook([this](int id) { sounds_ << id; });
    BuildCharKeyMap();
}

void TestKeyboardPanel::fingerColoursAtKeyCentres() {
    KeyboardPanel panel;
    for (int pass = 0; pass < 4; ++pass) {
        const bool ergonomic = pass % 2 == 1;
        panel.setLargeScreen(pass >= 2);
        panel.setErgonomicOn(ergonomic);
        panel.setFingerMapOn(true);
        const QImage img = panel.grab().toImage();
        for (int k = 0; k < kKeyCount; ++k) {
            const QPoint c = faceCentre(panel, k);
            QVERIFY2(pixel(img, c.x(), c.y()) == ColorFromBgr(fingerColourBgr(k, ergonomic)),
                     qPrintable(QStringLiteral("key %1").arg(k)));
        }
    }
    // The two divisions differ on the bottom row: Y and the full stop.
    QCOMPARE(fingerColourBgr(21, false), kColourRing);
    QCOMPARE(fingerColourBgr(21, true), kColourLittle);
    QCOMPARE(fingerColourBgr(29, false), kColourLittle);
    QCOMPARE(fingerColourBgr(29, true), kColourRing);
    QCOMPARE(panel.ridgeColour(1), QColor(212, 254, 234));
    QCOMPARE(panel.ridgeColour(0), QColor(112, 154, 134));

    panel.setFingerMapOn(false);
    const QImage grey = panel.grab().toImage();
    for (int k = 0; k < kKeyCount; ++k) {
        const QPoint c = faceCentre(panel, k);
        QCOMPARE(pixel(grey, c.x(), c.y()), QColor(224, 224, 224));
    }
    QVERIFY(!panel.fingerIconsShown());
}

void TestKeyboardPanel::bevelRings_data() {
    QTest::addColumn<bool>("large");
    QTest::newRow("design size") << false;
    QTest::newRow("large screen") << true;
}

void TestKeyboardPanel::bevelRings() {
    QFETCH(bool, large);
    KeyboardPanel panel;
    panel.setLargeScreen(large);
    panel.setFingerMapOn(true);
    panel.ShowFingerIcons(false);  // they cover the lower right corners
    QCOMPARE(panel.bevelDepth(), large ? 4 : 3);
    panel.DrawKey(2, false);  // E pressed, the others released
    const QImage img = panel.grab().toImage();
    for (int k = 0; k < kKeyCount; ++k) {
        if (k == KeyEnterLower || k == KeyEnterUpper) continue;
        const QRect r = panel.keyRect(k);
        const QColor base = panel.keyColour(k);
        const bool pressed = panel.isKeyPressed(k);
        QCOMPARE(pressed, k == 2);
        for (int n = 0; n <= panel.bevelDepth(); ++n) {
            QColor light = shifted(base, 15 * (n + 1)), dark = shifted(base, -15 * (n + 1));
            if (pressed) std::swap(light, dark);
            const int midX = r.x() + r.width() / 2, midY = r.y() + r.height() / 2;
            QCOMPARE(pixel(img, midX, r.y() - n - 1), light);      // top
            QCOMPARE(pixel(img, r.x() - n - 1, midY), light);      // left
            QCOMPARE(pixel(img, midX, r.bottom() + n + 1), dark);  // bottom
            QCOMPARE(pixel(img, r.right() + n + 1, midY), dark);   // right
        }
    }
    // The L-shaped Enter key: one outline, the right edge unbroken at the seam.
    const QRect upper = panel.keyRect(KeyEnterUpper), lower = panel.keyRect(KeyEnterLower);
    const QColor base = panel.keyColour(KeyEnterLower);
    const int sign = panel.isKeyPressed(KeyEnterLower) ? 1 : -1;
    for (int n = 0; n <= panel.bevelDepth(); ++n)
        for (int y = upper.y(); y <= lower.bottom(); ++y)
            QCOMPARE(pixel(img, upper.right() + n + 1, y), shifted(base, sign * 15 * (n + 1)));
    QCOMPARE(pixel(img, lower.x() + 2, upper.bottom() + 1), base);  // no gap between the parts
}

void TestKeyboardPanel::flatFrames_data() {
    bevelRings_data();
}

void TestKeyboardPanel::flatFrames() {
    QFETCH(bool, large);
    KeyboardPanel panel;
    panel.setLargeScreen(large);
    panel.setFingerMapOn(true);
    panel.ShowFingerIcons(false);
    panel.setFlatKeyboardOn(true);
    panel.DrawKey(5, false);
    const QImage img = panel.grab().toImage();
    const int thickness = panel.bevelDepth() + 1;
    for (int k : {0, 5, 20, 35, 59}) {
        const QRect r = panel.keyRect(k);
        const QColor frame = k == 5 ? QColor(255, 0, 0) : QColor(0, 0, 0);
        const int midX = r.x() + r.width() / 2, midY = r.y() + r.height() / 2;
        for (int d = 1; d <= thickness; ++d) {
            QCOMPARE(pixel(img, midX, r.y() - d), frame);
            QCOMPARE(pixel(img, r.x() - d, midY), frame);
            QCOMPARE(pixel(img, midX, r.bottom() + d), frame);
            QCOMPARE(pixel(img, r.right() + d, midY), frame);
        }
        QCOMPARE(pixel(img, r.x() - thickness - 1, midY), QColor(Qt::white));
    }
}

void TestKeyboardPanel::highlightInvertsNextKeyAndShift() {
    KeyboardPanel panel;
    panel.setFingerMapOn(true);
    panel.setHighlightOn(true);
    panel.DrawKey(KeyLeftShift, false);
    panel.HighlightNextKey(QStringLiteral("A"), 0);
    QVERIFY(panel.isKeyPressed(10));
    QVERIFY(panel.isKeyPressed(KeyRightShift));
    QVERIFY(!panel.isKeyPressed(KeyLeftShift));
    QCOMPARE(panel.expectedKeyIndex(), 10);
    QVERIFY(panel.highlightShown(0) && panel.highlightShown(1));
    QCOMPARE(panel.highlightRect(1).topLeft(), panel.keyRect(KeyRightShift).topLeft());

    const QImage img = panel.grab().toImage();
    QPoint c = faceCentre(panel, 10);
    QCOMPARE(pixel(img, c.x(), c.y()), inverted(panel.keyColour(10)));
    c = faceCentre(panel, KeyRightShift);
    QCOMPARE(pixel(img, c.x(), c.y()), inverted(panel.keyColour(KeyRightShift)));
    c = faceCentre(panel, KeyLeftShift);
    QCOMPARE(pixel(img, c.x(), c.y()), panel.keyColour(KeyLeftShift));

    // The next character releases the previous key and both Shifts.
    panel.HighlightNextKey(QStringLiteral("j"), 0);
    QVERIFY(!panel.isKeyPressed(10) && !panel.isKeyPressed(KeyRightShift));
    QVERIFY(panel.isKeyPressed(16));
    QVERIFY(!panel.highlightShown(1));
}

// The faces let go while nothing is typed come back as they were, pressed,
// highlighted or not, and follow what changed since.
void TestKeyboardPanel::releasedFacesAreDrawnAgainAlike() {
    KeyboardPanel panel;
    panel.setFingerMapOn(true);
    panel.setHighlightOn(true);
    panel.HighlightNextKey(QStringLiteral("A"), 0);
    panel.DrawEnterInvitation();
    const QImage before = panel.grab().toImage();
    panel.ReleaseFaces();
    QCOMPARE(panel.grab().toImage(), before);

    panel.ReleaseFaces();
    panel.HighlightNextKey(QStringLiteral("j"), 0);
    KeyboardPanel fresh;
    fresh.setFingerMapOn(true);
    fresh.setHighlightOn(true);
    fresh.HighlightNextKey(QStringLiteral("A"), 0);
    fresh.DrawEnterInvitation();
    fresh.HighlightNextKey(QStringLiteral("j"), 0);
    QCOMPARE(panel.grab().toImage(), fresh.grab().toImage());
}

// The rings are painted again for every repaint, in the order they were
// drawn: a part of the panel painted alone has the pixels of a whole paint,
// also where the two Enter parts and their seam overlap, raised, pressed or
// flat.
void TestKeyboardPanel::partsPaintLikeTheWhole() {
    KeyboardPanel panel;
    panel.setFingerMapOn(true);
    panel.ShowFingerIcons(false);
    const int b = panel.bevelDepth() + 1;
    const QRect enter =
        panel.keyRect(KeyEnterUpper).united(panel.keyRect(KeyEnterLower)).adjusted(-b, -b, b, b);
    const QRect e = panel.keyRect(2).adjusted(-b, -b, b, b);
    const auto check = [&panel, enter, e] {
        const QImage whole = panel.grab().toImage();
        for (const QRect& part : {enter, enter.adjusted(5, 9, -3, -20), e, e.adjusted(-7, 2, 3, -4),
                                  QRect(0, 0, 97, 61)}) {
            QImage alone(whole.size(), QImage::Format_RGB32);
            alone.fill(Qt::magenta);
            panel.render(&alone, part.topLeft(), QRegion(part));
            QCOMPARE(alone.copy(part), whole.copy(part));
        }
    };
    check();
    panel.DrawKey(KeyEnterLower, false);
    panel.DrawKey(2, false);
    check();
    panel.setFlatKeyboardOn(true);
    check();
    panel.DrawKey(KeyEnterUpper, true);
    check();
}

void TestKeyboardPanel::carriageReturnLightsBothEnterParts() {
    KeyboardPanel panel;
    panel.setFingerMapOn(true);
    panel.setHighlightOn(true);
    panel.HighlightNextKey(QStringLiteral("\r"), 0);
    QVERIFY(panel.isKeyPressed(KeyEnterLower) && panel.isKeyPressed(KeyEnterUpper));
    QVERIFY(panel.highlightShown(0) && panel.highlightShown(2) && panel.highlightShown(3));
    QVERIFY(panel.fullRedrawPending());
    const QImage img = panel.grab().toImage();
    const QColor want = inverted(panel.keyColour(KeyEnterLower));
    // Shape 0 and shape 3 overlap on the lower part: still inverted once.
    for (const QPoint& p : {faceCentre(panel, KeyEnterLower), faceCentre(panel, KeyEnterUpper),
                            panel.keyRect(KeyEnterLower).topRight() + QPoint(-3, 3),
                            panel.keyRect(KeyEnterLower).bottomLeft() + QPoint(3, -3)})
        QCOMPARE(pixel(img, p.x(), p.y()), want);

    panel.HighlightNextKey(QStringLiteral("a"), 0);
    QVERIFY(!panel.fullRedrawPending());
    QVERIFY(!panel.isKeyPressed(KeyEnterLower) && !panel.isKeyPressed(KeyEnterUpper));
}

void TestKeyboardPanel::altGrForcesFullRedraw() {
    KeyboardPanel panel;
    panel.setHighlightOn(true);
    panel.HighlightNextKey(QStringLiteral("@"), 0);
    QVERIFY(panel.isKeyPressed(0) && panel.isKeyPressed(KeyAltGr));
    QCOMPARE(panel.highlightRect(1).topLeft(), panel.keyRect(KeyAltGr).topLeft());
    QVERIFY(panel.fullRedrawPending());
    panel.HighlightNextKey(QStringLiteral("x"), 0);
    QVERIFY(!panel.isKeyPressed(KeyAltGr) && !panel.isKeyPressed(0));
}

void TestKeyboardPanel::deadKeyVowelHasNoModifier() {
    KeyboardPanel panel;
    panel.setHighlightOn(true);
    panel.HighlightNextKey(QStringLiteral("é"), 0);
    QVERIFY(panel.isKeyPressed(2));
    QVERIFY(panel.highlightShown(0) && !panel.highlightShown(1));
    for (int k : {30, 36, 38, 51}) QVERIFY(!panel.isKeyPressed(k));
}

void TestKeyboardPanel::highlightOffKeepsKeysPressedWithoutShapes() {
    KeyboardPanel panel;
    panel.setFingerMapOn(true);
    panel.HighlightNextKey(QStringLiteral("A"), 0);
    QVERIFY(panel.isKeyPressed(10) && panel.isKeyPressed(KeyRightShift));
    for (int s = 0; s < KeyboardPanel::kHighlightShapeCount; ++s) QVERIFY(!panel.highlightShown(s));
    panel.MarkWrongKey('s');
    QVERIFY(!panel.wrongKeyMarkerShown());
    const QImage img = panel.grab().toImage();
    const QPoint c = faceCentre(panel, 10);
    QCOMPARE(pixel(img, c.x(), c.y()), panel.keyColour(10));

    // Switching highlighting on shows the expected character at once.
    panel.setExpectedChar(QStringLiteral("k"));
    panel.setHighlightOn(true);
    QCOMPARE(panel.highlightRect(0).topLeft(), panel.keyRect(17).topLeft());
    panel.setHighlightOn(false);
    QVERIFY(!panel.highlightShown(0));
}

void TestKeyboardPanel::wrongKeyMarkerIsCentred() {
    KeyboardPanel panel;
    panel.setHighlightOn(true);
    panel.MarkWrongKey(' ');
    QVERIFY(panel.wrongKeyMarkerShown());
    const QRect space = panel.keyRect(KeySpace);
    QCOMPARE(panel.wrongKeyMarkerRect(), QRect(space.x() + space.width() / 2 - 16,
                                               space.y() + space.height() / 2 - 16, 32, 32));
    panel.MarkWrongKey(9);  // no key: the marker stays where it was
    QVERIFY(panel.wrongKeyMarkerShown());
    panel.HideHighlights();
    QVERIFY(!panel.wrongKeyMarkerShown());
}

void TestKeyboardPanel::untypeableCharacter() {
    KeyboardPanel panel;
    QSignalSpy untypeable(&panel, &KeyboardPanel::untypeableCharacter);
    QSignalSpy advanced(&panel, &KeyboardPanel::positionAdvanced);
    panel.DrawKey(KeyRightShift, false);
    panel.HighlightNextKey(QStringLiteral("É"), 4);
    QCOMPARE(untypeable.count(), 1);
    QCOMPARE(advanced.count(), 1);
    QCOMPARE(advanced.at(0).at(0).toInt(), 4);
    QVERIFY(!panel.isKeyPressed(KeyRightShift));
    panel.setFreeTextMode(true);
    panel.HighlightNextKey(QStringLiteral("\t"), 5);
    QCOMPARE(untypeable.count(), 1);
    QCOMPARE(advanced.count(), 1);
}

void TestKeyboardPanel::doubleClicks() {
    KeyboardPanel panel;
    QSignalSpy ergonomic(&panel, &KeyboardPanel::ergonomicToggled);
    QSignalSpy flat(&panel, &KeyboardPanel::flatKeyboardToggled);

    // B changes the division only while the finger map is on.
    doubleClickKey(panel, KeyB);
    QVERIFY(!panel.ergonomicOn());
    QVERIFY(sounds_.isEmpty());
    panel.setFingerMapOn(true);
    doubleClickKey(panel, KeyB);
    QVERIFY(panel.ergonomicOn());
    QCOMPARE(ergonomic.count(), 1);
    QCOMPARE(sounds_, QList<int>{109});
    QCOMPARE(panel.keyColour(21), ColorFromBgr(kColourLittle));
    QVERIFY(panel.isKeyPressed(KeyEnterLower) && panel.isKeyPressed(KeyEnterUpper));

    // The menu key switches flat / 3D, but not during a sentence.
    doubleClickKey(panel, KeyMenu);
    QVERIFY(panel.flatKeyboardOn());
    QCOMPARE(flat.count(), 1);
    QCOMPARE(pixel(panel.grab().toImage(), panel.width() - 1, panel.height() - 1),
             QColor(Qt::white));
    panel.setKey37Enabled(false);
    doubleClickKey(panel, KeyMenu);
    QVERIFY(panel.flatKeyboardOn());

    // A finger icon gives way to the external map, and the map to the icons.
    QVERIFY(panel.fingerIconsShown());
    QTest::mouseDClick(&panel, Qt::LeftButton, {}, panel.fingerIconRect(3).center() + QPoint(6, 6));
    QVERIFY(!panel.fingerIconsShown());
    QVERIFY(!panel.keyMapPicture()->isHidden());
    QTest::mouseDClick(panel.keyMapPicture(), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(panel.keyMapPicture()->isHidden());
    QVERIFY(panel.fingerIconsShown());
}

void TestKeyboardPanel::largeScreenGeometry() {
    KeyboardPanel panel;
    panel.setLargeScreen(true);
    QCOMPARE(panel.size(), QSize(842, 282));
    QCOMPARE(panel.keyRect(0), QRect(85, 62, 41, 43));
    QCOMPARE(panel.keyRect(KeySpace), QRect(264, 227, 227, 43));
    // Pictures keep their size; on enlarged keys they sit inside the corner.
    const QRect a = panel.keyRect(10);
    QCOMPARE(panel.fingerIconRect(0), QRect(a.right() - 31, a.bottom() - 31, 32, 32));
    panel.setLargeScreen(false);
    QCOMPARE(panel.size(), KeyboardPanel::kDesignSize);
    QCOMPARE(panel.fingerIconRect(0), QRect(67 + 29 - 32 + 4, 89 + 33 - 32 + 4, 32, 32));
}

void TestKeyboardPanel::ridgesMasksAndEnterShapes() {
    KeyboardPanel panel;
    // The homing ridges: a white line above a grey one on F and on J.
    QCOMPARE(panel.ridgeRect(1), QRect(190, 117, 15, 1));
    QCOMPARE(panel.ridgeRect(0), QRect(190, 118, 15, 1));
    QCOMPARE(panel.ridgeRect(3), QRect(306, 117, 15, 1));
    QCOMPARE(panel.ridgeRect(2), QRect(306, 118, 15, 1));
    for (int line : {0, 2}) {
        QCOMPARE(panel.ridgeColour(line), QColor(128, 128, 128));
        QCOMPARE(panel.ridgeColour(line + 1), QColor(Qt::white));
    }
    QCOMPARE(panel.enterMaskRect(0), QRect(535, 72, 53, 15));
    QCOMPARE(panel.enterMaskRect(1), QRect(528, 65, 8, 15));
    QCOMPARE(panel.highlightRect(2), panel.keyRect(KeyEnterUpper));
    QCOMPARE(panel.highlightRect(3), panel.keyRect(KeyEnterLower));
    QCOMPARE(panel.highlightRect(0).height(), 33);
    QCOMPARE(panel.highlightRect(1).height(), 33);

    // Grey keys: the lighter line saturates, the darker one does not.
    panel.setFingerMapOn(true);
    panel.setFingerMapOn(false);
    for (int line : {0, 2}) {
        QCOMPARE(panel.ridgeColour(line), QColor(174, 174, 174));
        QCOMPARE(panel.ridgeColour(line + 1), QColor(255, 255, 255));
    }
    // Both ends clamp; a pair past the last line is ignored.
    panel.SetRidgeColour(0x20F010, 2);
    QCOMPARE(panel.ridgeColour(3), QColor(66, 255, 82));
    QCOMPARE(panel.ridgeColour(2), QColor(0, 190, 0));
    panel.SetRidgeColour(0x000000, 3);
    QCOMPARE(panel.ridgeColour(3), QColor(66, 255, 82));
}

void TestKeyboardPanel::handCursorFollowsOptions() {
    KeyboardPanel panel;
    auto cursorOver = [&panel](const QPoint& p) {
        QMouseEvent move(QEvent::MouseMove, p, panel.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&panel, &move);
        return panel.testAttribute(Qt::WA_SetCursor) ? panel.cursor().shape() : Qt::ArrowCursor;
    };
    // B offers the division switch only with the finger map on.
    QCOMPARE(cursorOver(faceCentre(panel, KeyB)), Qt::ArrowCursor);
    panel.setFingerMapOn(true);
    QCOMPARE(cursorOver(faceCentre(panel, KeyB)), Qt::BitmapCursor);
    QCOMPARE(cursorOver(faceCentre(panel, 24)), Qt::ArrowCursor);
    QCOMPARE(cursorOver(panel.fingerIconRect(8).center()), Qt::BitmapCursor);
    QCOMPARE(cursorOver(faceCentre(panel, KeyMenu)), Qt::BitmapCursor);
    // The 2D/3D key rests during a sentence.
    panel.setKey37Enabled(false);
    QCOMPARE(cursorOver(faceCentre(panel, KeyMenu)), Qt::ArrowCursor);
    panel.setFingerMapOn(false);
    QCOMPARE(cursorOver(faceCentre(panel, KeyB)), Qt::ArrowCursor);
    QCOMPARE(panel.keyMapPicture()->cursor().shape(), Qt::BitmapCursor);
}

void TestKeyboardPanel::keyMapPictureBelowNotebook() {
    QWidget window;
    window.resize(800, 600);
    auto* panel = new KeyboardPanel(&window);
    panel->PlaceKeyMapPicture(QRect(20, 30, 760, 200));
    KeyMapPicture* map = panel->keyMapPicture();
    QCOMPARE(map->parentWidget(), &window);
    QCOMPARE(map->geometry(), QRect((800 - 622) / 2, 30 + 200 + 5, 622, 47));
    QVERIFY(map->isHidden());
}

// No caption touches the top edge of its key face: the dots of Ö, Ä and Ü
// included, the first pixel row of every face is the key colour alone.
static void screenSizes() {
    QTest::addColumn<QSize>("screen");
    for (const QSize s : {QSize(800, 600), QSize(1001, 750), QSize(1024, 768), QSize(1280, 720),
                          QSize(1366, 768), QSize(1280, 1024)})
        QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(s.width()).arg(s.height()))) << s;
}

static bool IsLargeScreen(const QSize& screen) {
    return screen.width() > 1000 || screen.height() > 750;
}

// Lays the panel out for a screen, as the main window does.
static void layOutFor(KeyboardPanel& panel, const QSize& screen) {
    largeScreenScale() = ScaleForScreen(screen);
    panel.setLargeScreen(IsLargeScreen(screen));
}

void TestKeyboardPanel::captionsStayInsideTheirFaces_data() {
    screenSizes();
}

void TestKeyboardPanel::captionsStayInsideTheirFaces() {
    QFETCH(QSize, screen);
    KeyboardPanel panel;
    {
        const bool large = IsLargeScreen(screen);
        layOutFor(panel, screen);
        panel.setFingerMapOn(true);
        panel.ShowFingerIcons(false);
        const QImage img = panel.grab().toImage();
        for (int k = 0; k < kKeyCount; ++k) {
            const QRect r = panel.keyRect(k);
            const QColor face = panel.keyColour(k);
            for (int x = r.left(); x <= r.right(); ++x)
                QVERIFY2(pixel(img, x, r.top()) == face,
                         qPrintable(QStringLiteral("key %1, x %2, large %3")
                                        .arg(k)
                                        .arg(x - r.left())
                                        .arg(large)));
        }
    }
}

// The finger icons sit in the lower right corners of the home-row keys and
// keep clear of their captions ("ö" of key 19 included) by two pixels, so
// that no font rendering makes them touch.
void TestKeyboardPanel::fingerIconsLeaveTheCaptionsReadable_data() {
    screenSizes();
}

void TestKeyboardPanel::fingerIconsLeaveTheCaptionsReadable() {
    QFETCH(QSize, screen);
    KeyboardPanel panel;
    layOutFor(panel, screen);
    panel.setFingerMapOn(true);
    panel.ShowFingerIcons(false);
    const QImage bare = panel.grab().toImage();
    panel.ShowFingerIcons(true);
    const QImage withIcons = panel.grab().toImage();
    const auto isRidge = [&](int x, int y) {
        for (int line = 0; line < KeyboardPanel::kRidgeLineCount; ++line)
            if (panel.ridgeRect(line).contains(x, y)) return true;
        return false;
    };
    for (int k : {10, 11, 12, 13, 16, 17, 18, 19}) {
        const QRect r = panel.keyRect(k);
        const QColor face = panel.keyColour(k);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                // Caption ink (the homing ridges of F and J are none).
                if (pixel(bare, x, y) == face || isRidge(x, y)) continue;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (!r.contains(nx, ny) || isRidge(nx, ny)) continue;
                        QVERIFY2(pixel(withIcons, nx, ny) == pixel(bare, nx, ny),
                                 qPrintable(QStringLiteral("key %1: icon at %2,%3 beside ink")
                                                .arg(k)
                                                .arg(nx - r.left())
                                                .arg(ny - r.top())));
                    }
            }
    }
}

QTEST_MAIN(TestKeyboardPanel)
#include "tst_keyboardpanel.moc"
