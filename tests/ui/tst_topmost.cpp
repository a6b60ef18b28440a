// The topmost band: a window goes in and out of it while it is shown and
// running modally, without being hidden and without its modal run ending.
#include "platform/WindowPlacement.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace tastolino;

class TestTopMost : public QObject {
    Q_OBJECT

    static bool onTop(QWidget& w) {
        const bool widget = w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (w.windowHandle())
            return widget && w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        return widget;
    }

  private slots:
    void beforeTheWindowIsShown() {
        QDialog d;
        SetTopMost(&d, true);
        QVERIFY(onTop(d));
        d.show();
        QVERIFY(onTop(d));
        SetTopMost(&d, false);
        QVERIFY(!d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!d.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void duringAModalRun() {
        QDialog d;
        d.resize(200, 100);
        SetTopMost(&d, true);
        const QPoint pos(37, 41);
        d.move(pos);
        QList<bool> visible, top;
        QList<QPoint> places;
        QTimer::singleShot(0, &d, [&] {
            for (bool on : {false, true, false, false}) {
                SetTopMost(&d, on);
                QCoreApplication::processEvents();
                visible << d.isVisible();
                top << onTop(d);
                places << d.pos();
            }
            // Only a child's parent window is touched.
            auto* button = new QPushButton(&d);
            SetTopMost(button, true);
            top << onTop(d);
            QTimer::singleShot(0, &d, [&] { d.done(7); });
        });
        QCOMPARE(d.exec(), 7);
        QCOMPARE(visible, QList<bool>({true, true, true, true}));
        QCOMPARE(top, QList<bool>({false, true, false, false, true}));
        QCOMPARE(places, QList<QPoint>(4, pos));
    }

    void nullIsHarmless() { SetTopMost(nullptr, true); }
};

QTEST_MAIN(TestTopMost)
#include "tst_topmost.moc"
