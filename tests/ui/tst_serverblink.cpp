// The blinking picture on a real X server: after the first lit and dark
// looks are painted, blinks are copies the server makes, and the screen shows
// exactly what a repaint would; whatever changes the looks paints again.
#include "platform/XkbKeyboard.h"
#include "ui/BlinkPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

using namespace tastolino;

namespace {

// A ground that changes across and down, so that any pixel out of place shows.
class Ground : public QWidget {
  public:
    QColor top{30, 60, 140};
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QLinearGradient g(0, 0, width(), height());
        g.setColorAt(0, top);
        g.setColorAt(1, QColor(240, 220, 90));
        p.fillRect(rect(), g);
    }
};

// What the X server shows in `r` of the window.
QImage onScreen(QWidget* window, const QRect& r) {
    Display* dpy = xkb::display();
    XImage* x = XGetImage(dpy, static_cast<::Window>(window->winId()), r.x(), r.y(),
                          unsigned(r.width()), unsigned(r.height()), AllPlanes, ZPixmap);
    if (!x) return {};
    QImage image(r.size(), QImage::Format_RGB32);
    for (int y = 0; y < r.height(); ++y)
        std::memcpy(image.scanLine(y), x->data + qsizetype(y) * x->bytes_per_line,
                    size_t(r.width()) * 4);
    XDestroyImage(x);
    return image;
}

struct Paints : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++count;
        return false;
    }
};

}  // namespace

class TestServerBlink : public QObject {
    Q_OBJECT

    Ground* ground = nullptr;
    BlinkPicture* picture = nullptr;
    Paints paints;

    QRect pictureRect() const {
        return QRect(picture->mapTo(ground, QPoint(0, 0)), picture->size());
    }
    QImage shown() const { return onScreen(ground, pictureRect().adjusted(-2, -2, 2, 2)); }
    void blink() {
        picture->setLit(!picture->isLit());
        QCoreApplication::processEvents();
    }

  private slots:
    void init() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (tests/ui/on_x_server.sh)");
        ground = new Ground;
        ground->setGeometry(20, 20, 220, 140);
        picture = new BlinkPicture(ground);
        QPixmap card(50, 40);
        card.fill(Qt::transparent);
        {
            QPainter p(&card);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(200, 30, 30, 180));
            p.drawEllipse(3, 3, 44, 34);
        }
        picture->setPixmap(card);
        picture->setGeometry(61, 37, 50, 40);
        picture->installEventFilter(&paints);
        ground->show();
        QVERIFY(QTest::qWaitForWindowExposed(ground));
        QTest::qWait(50);
        paints.count = 0;
    }

    void cleanup() {
        delete ground;
        ground = nullptr;
    }

    void blinksAfterTheFirstPaintsAreServerCopies() {
        blink();
        const QImage lit = shown();
        blink();
        const QImage dark = shown();
        QCOMPARE(paints.count, 2);
        QVERIFY(lit != dark);
        for (int i = 0; i < 5; ++i) {
            blink();
            QCOMPARE(shown(), picture->isLit() ? lit : dark);
        }
        QCOMPARE(picture->serverBlinks(), 5);
        QCOMPARE(paints.count, 2);

        // The toolkit's own picture still holds the dark look: an expose
        // (here a window laid over and taken away) shows the lit one again.
        const bool litNow = picture->isLit();
        QVERIFY(litNow);
        QWidget cover;
        cover.setWindowFlags(Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
        cover.setGeometry(ground->geometry());
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        cover.hide();
        QTest::qWait(100);
        QCOMPARE(picture->isLit(), litNow);
        QCOMPARE(shown(), litNow ? lit : dark);
    }

    void aChangeBeneathPaintsBothLooksAgain() {
        blink();
        blink();
        blink();
        QCOMPARE(picture->serverBlinks(), 1);
        ground->top = QColor(10, 150, 60);
        ground->update();
        QTest::qWait(50);
        const int before = paints.count;
        const int server = picture->serverBlinks();
        blink();
        const QImage first = shown();
        blink();
        const QImage second = shown();
        QCOMPARE(paints.count, before + 2);
        QCOMPARE(picture->serverBlinks(), server);
        blink();
        blink();
        QCOMPARE(picture->serverBlinks(), server + 2);
        QCOMPARE(shown(), second);
        blink();
        QCOMPARE(shown(), first);
    }

    // A change beneath painted together with the picture's own repaint: the
    // look kept before it is old.
    void aChangePaintedWithTheRepaintIsSeen() {
        blink();
        ground->top = QColor(150, 20, 150);
        ground->update();
        blink();
        const QImage dark = shown();
        blink();
        QCOMPARE(picture->serverBlinks(), 0);
        QVERIFY(shown() != dark);
        blink();
        QCOMPARE(shown(), dark);
        blink();
        QCOMPARE(picture->serverBlinks(), 2);
    }

    void coveredMovedOrNewPictureIsPaintedByTheToolkit() {
        blink();
        blink();
        blink();
        QCOMPARE(picture->serverBlinks(), 1);

        // An opaque widget over part of it: the copy would paint over it.
        auto* over = new QWidget(ground);
        over->setAutoFillBackground(true);
        over->setGeometry(pictureRect().center().x(), 0, 40, 100);
        over->show();
        QTest::qWait(50);
        const QImage overBefore = onScreen(ground, over->geometry());
        for (int i = 0; i < 3; ++i) blink();
        QCOMPARE(picture->serverBlinks(), 1);
        QCOMPARE(onScreen(ground, over->geometry()), overBefore);
        delete over;
        QTest::qWait(50);

        for (int i = 0; i < 4; ++i) blink();
        const int server = picture->serverBlinks();
        QVERIFY(server > 1);
        picture->move(picture->pos() + QPoint(7, 3));
        QTest::qWait(50);
        blink();
        blink();
        QCOMPARE(picture->serverBlinks(), server);

        QPixmap other(50, 40);
        other.fill(Qt::blue);
        picture->setPixmap(other);
        QTest::qWait(50);
        if (!picture->isLit()) blink();
        QCOMPARE(picture->serverBlinks(), server);
        QCOMPARE(shown().pixelColor(10, 10), QColor(Qt::blue));
    }
};

QTEST_MAIN(TestServerBlink)
#include "tst_serverblink.moc"
