// The blinking picture: lit, it shows its picture over what lies beneath;
// dark, what lies beneath shows through; a blink is neither a show nor a
// hide of the widget.
#include "ui/BlinkPicture.h"

#include <QPainter>
#include <QtTest>

using namespace tastolino;

class TestBlinkPicture : public QObject {
    Q_OBJECT

  private slots:
    void blinkingRepaintsInPlace() {
        QWidget under;
        under.resize(40, 30);
        under.setAutoFillBackground(true);
        QPalette palette = under.palette();
        palette.setColor(QPalette::Window, Qt::darkBlue);
        under.setPalette(palette);
        BlinkPicture picture(&under);
        QPixmap card(10, 10);
        card.fill(Qt::transparent);
        {
            QPainter p(&card);
            p.fillRect(2, 2, 6, 6, Qt::yellow);
        }
        picture.setPixmap(card);
        picture.setGeometry(5, 5, 10, 10);
        under.show();
        QVERIFY(QTest::qWaitForWindowExposed(&under));

        int showsAndHides = 0;
        struct Counter : QObject {
            int& count;
            explicit Counter(int& c) : count(c) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Show || e->type() == QEvent::Hide) ++count;
                return false;
            }
        } counter(showsAndHides);
        picture.installEventFilter(&counter);

        const auto at = [&under](int x, int y) { return under.grab().toImage().pixelColor(x, y); };
        QVERIFY(!picture.isLit());
        QCOMPARE(at(10, 10), QColor(Qt::darkBlue));
        picture.setLit(true);
        QVERIFY(picture.isLit());
        QCOMPARE(at(10, 10), QColor(Qt::yellow));
        // The transparent edge of the picture lets the ground through.
        QCOMPARE(at(5, 5), QColor(Qt::darkBlue));
        picture.setLit(false);
        QCOMPARE(at(10, 10), QColor(Qt::darkBlue));
        QVERIFY(picture.isVisible());
        QCOMPARE(showsAndHides, 0);
        QVERIFY(picture.testAttribute(Qt::WA_TransparentForMouseEvents));
    }
};

QTEST_MAIN(TestBlinkPicture)
#include "tst_blinkpicture.moc"
