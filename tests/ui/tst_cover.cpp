#include "platform/Seams.h"
#include "ui/frmTransparency.h"

#include <QDialog>
#include <QPointer>
#include <QtTest>

#include "QuietPlatformNotices.h"

using namespace tastolino;

class TestCover : public QObject {
    Q_OBJECT
  private:
    QWidget* owner_ = nullptr;

    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

  private slots:
    void initTestCase() { quiet_platform::install(); }
    void init() {
        seams::setInstantWaits(true);
        seams::setScreenSizeHook([] { return QSize(800, 600); });
        frmTransparency::SetOptions({});
        owner_ = new QWidget;
        owner_->resize(800, 600);
        owner_->show();
    }
    void cleanup() {
        frmTransparency::UnloadCover();
        flushDeletes();
        delete owner_;
        seams::resetAll();
    }

    // Every run is two rows high, inside the window, without gaps between
    // rows; the body is rounded and the tail ends at a tip on the right
    // edge, turned towards what it points at.
    void shapeRunsStayInsideTheWindow_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("aim");
        QTest::newRow("small, straight on") << frmTransparency::kSmallSize << QPoint(900, 70);
        QTest::newRow("small, down") << frmTransparency::kSmallSize << QPoint(600, 150);
        QTest::newRow("large, up") << frmTransparency::kLargeSize << QPoint(800, -100);
        QTest::newRow("shrunk") << QSize(471, 286) << QPoint(800, 150);
    }
    void shapeRunsStayInsideTheWindow() {
        QFETCH(QSize, size);
        QFETCH(QPoint, aim);
        const auto runs = frmTransparency::ShapeRuns(size, aim);
        QVERIFY(runs.size() > 50);
        int previousY = -2;
        for (int32_t run : runs) {
            const QRect r = frmTransparency::RunRect(run);
            QCOMPARE(r.height(), 2);
            QVERIFY2(r.width() > 0, qPrintable(QString::number(run)));
            QVERIFY(QRect(QPoint(0, 0), size).contains(r));
            if (previousY >= 0) QCOMPARE(r.y(), previousY + 2);  // no gaps between rows
            previousY = r.y();
        }
        const QRegion region = frmTransparency::ShapeRegion(size, aim);
        QCOMPARE(frmTransparency::RunRect(runs.front()).y(), 0);
        // A rounded outline: the corners cut off, the middle of the body
        // filled, nothing under the body on the left.
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(region.contains(QPoint(size.width() / 3, size.height() / 3)));
        QVERIFY(!region.contains(QPoint(size.width() / 3, size.height() - 3)));
        // The tip on the right edge, on the side the aim lies.
        const QPoint tip = frmTransparency::TailTip(size, aim);
        QCOMPARE(tip.x(), size.width() - 2);
        QVERIFY(region.boundingRect().right() >= size.width() - 6);
        const int middle = size.height() * 0.62 * 0.525;
        if (aim.y() > middle + 20) QVERIFY(tip.y() > middle);
        if (aim.y() < middle - 20) QVERIFY(tip.y() < middle);
    }

    void runEncoding() {
        QCOMPARE(frmTransparency::RunRect(77000092), QRect(77, 0, 15, 2));
        QCOMPARE(frmTransparency::RunRect(5123400), QRect(5, 123, 395, 2));
    }

    // The slide starts at the bottom of the screen, climbs 20 pixels at a
    // time and rests at the last step not above the target.
    void slidesUpToItsPlace_data() {
        QTest::addColumn<bool>("large");
        QTest::addColumn<int>("targetY");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("rest");
        QTest::newRow("exact") << false << 400 << 11 << 400;
        QTest::newRow("between steps") << false << 405 << 10 << 420;
        QTest::newRow("large") << true << 590 << 1 << 600;
        QTest::newRow("at the bottom") << false << 600 << 1 << 600;
    }
    void slidesUpToItsPlace() {
        QFETCH(bool, large);
        QFETCH(int, targetY);
        QFETCH(int, steps);
        QFETCH(int, rest);
        frmTransparency::SetOptions({large, true});
        frmTransparency::ShowCover(owner_, QPoint(120, targetY));
        frmTransparency* cover = frmTransparency::Instance();
        QVERIFY(cover);
        QVERIFY(cover->isVisible());
        QVERIFY(frmTransparency::Shown());
        QCOMPARE(int(cover->slideTops().size()), steps);
        QCOMPARE(cover->slideTops().front(), 600);
        for (size_t i = 1; i < cover->slideTops().size(); ++i)
            QCOMPARE(cover->slideTops()[i], cover->slideTops()[i - 1] - 20);
        QCOMPARE(cover->pos(), QPoint(120, rest));
        QCOMPARE(cover->width(), frmTransparency::CoverSize().width());
        // Cut to the bubble's height.
        QCOMPARE(cover->height(), cover->mask().boundingRect().bottom() + 1);
        QVERIFY(cover->height() <= frmTransparency::CoverSize().height());
        // Without an aim the tail points straight to the right.
        QCOMPARE(cover->mask(),
                 frmTransparency::ShapeRegion(frmTransparency::CoverSize(), QPoint()));
        QVERIFY(!cover->isEnabled());
        QVERIFY(cover->windowFlags() & Qt::WindowStaysOnTopHint);
    }

    // A target below the screen: nothing to slide, it still ends at the target.
    void targetBelowTheScreen() {
        frmTransparency::ShowCover(owner_, QPoint(10, 700));
        QVERIFY(frmTransparency::Instance()->slideTops().empty());
        QCOMPARE(frmTransparency::Instance()->pos(), QPoint(10, 700));
        QVERIFY(frmTransparency::Shown());
    }

    void hideKeepsItLoadedAndShowBringsItBack() {
        frmTransparency::ShowCover(owner_, QPoint(100, 400));
        QPointer<frmTransparency> cover = frmTransparency::Instance();
        frmTransparency::HideCover();
        QVERIFY(cover && cover->isHidden());
        QVERIFY(frmTransparency::Shown());
        frmTransparency::ShowCover(owner_, QPoint(300, 100));
        QCOMPARE(frmTransparency::Instance(), cover.data());
        QVERIFY(cover->isVisible());
        QCOMPARE(cover->pos(), QPoint(100, 400));  // no second slide
        QCOMPARE(int(cover->slideTops().size()), 11);
    }

    void unloadFadesOnlyWhenTranslucencyExistsAndItIsVisible_data() {
        QTest::addColumn<bool>("translucent");
        QTest::addColumn<bool>("hiddenFirst");
        QTest::addColumn<int>("steps");
        QTest::newRow("fades") << true << false << 41;
        QTest::newRow("no translucency") << false << false << 0;
        QTest::newRow("already hidden") << true << true << 0;
    }
    void unloadFadesOnlyWhenTranslucencyExistsAndItIsVisible() {
        QFETCH(bool, translucent);
        QFETCH(bool, hiddenFirst);
        QFETCH(int, steps);
        frmTransparency::SetOptions({false, translucent});
        frmTransparency::ShowCover(owner_, QPoint(100, 400));
        QPointer<frmTransparency> cover = frmTransparency::Instance();
        if (hiddenFirst) frmTransparency::HideCover();
        frmTransparency::UnloadCover();
        QVERIFY(!frmTransparency::Shown());
        QVERIFY(!frmTransparency::Instance());
        QVERIFY(cover);
        QCOMPARE(int(cover->fadeSteps().size()), steps);
        if (steps) {
            QCOMPARE(cover->fadeSteps().front(), 250);
            QCOMPARE(cover->fadeSteps().back(), 50);
        }
        QVERIFY(cover->isHidden());
        flushDeletes();
        QVERIFY(!cover);
        // Nothing loaded: the operations are harmless.
        frmTransparency::HideCover();
        frmTransparency::UnloadCover();
    }

    // Unloaded while still sliding in (the user is quicker than the
    // animation): the slide stops and the flag stays clear.
    void unloadDuringTheSlide() {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] {
            if (++ticks == 3) frmTransparency::UnloadCover();
        });
        timer.start(0);
        frmTransparency::ShowCover(owner_, QPoint(100, 200));
        QVERIFY(!frmTransparency::Shown());
        QVERIFY(!frmTransparency::Instance());
    }

    // Another window of the program coming to the front takes it away.
    void givesWayToAnotherWindow() {
        frmTransparency::ShowCover(owner_, QPoint(100, 400));
        owner_->activateWindow();
        QCoreApplication::processEvents();
        QDialog dialog(owner_);
        dialog.show();
        dialog.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(frmTransparency::Instance()->isHidden(), 200);
    }

    void goesAwayWithItsOwner() {
        frmTransparency::ShowCover(owner_, QPoint(100, 400));
        delete owner_;
        owner_ = nullptr;
        QVERIFY(!frmTransparency::Instance());
        QVERIFY(!frmTransparency::Shown());
    }
};

QTEST_MAIN(TestCover)
#include "tst_cover.moc"
