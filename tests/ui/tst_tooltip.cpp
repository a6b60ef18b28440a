#include "ui/cTooltip.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "QuietPlatformNotices.h"

using namespace tastolino;

class TestTooltip : public QObject {
    Q_OBJECT
  private:
    QWidget* form_ = nullptr;
    QPushButton* a_ = nullptr;
    QPushButton* b_ = nullptr;

    static void enter(QWidget* w) {
        QEnterEvent event(QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                          w->mapToGlobal(QPointF(2, 2)));
        QCoreApplication::sendEvent(w, &event);
    }
    static void leave(QWidget* w) {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(w, &event);
    }
    static QTimer* timer(cTooltip& tip, const char* name) {
        return tip.findChild<QTimer*>(QString::fromLatin1(name));
    }
    static QString label(cTooltip& tip, const char* name) {
        auto* l = tip.hwnd()->findChild<QLabel*>(QString::fromLatin1(name));
        return l ? l->text() : QStringLiteral("<none>");
    }

  private slots:
    void initTestCase() { quiet_platform::install(); }
    void init() {
        form_ = new QWidget;
        // Away from the pointer, which rests at the origin.
        form_->setGeometry(300, 200, 300, 200);
        a_ = new QPushButton(QStringLiteral("A"), form_);
        b_ = new QPushButton(QStringLiteral("B"), form_);
        b_->move(0, 60);
        form_->show();
    }
    void cleanup() { delete form_; }

    void defaults() {
        cTooltip tip;
        QCOMPARE(tip.Title(), QStringLiteral(" "));
        QCOMPARE(tip.Icon(), 0);
        QCOMPARE(tip.DelayTime(), 500);
        QCOMPARE(tip.VisibleTime(), 20000);
        QCOMPARE(tip.style(), cTooltip::Balloon);
        tip.setTitle(QString());
        QCOMPARE(tip.Title(), QStringLiteral(" "));
    }

    void everythingIsANoOpBeforeCreate() {
        cTooltip tip;
        QVERIFY(!tip.AddTool(a_, QStringLiteral("x")));
        QVERIFY(!tip.RemoveTool(a_));
        QCOMPARE(tip.ToolCount(), 0);
        QVERIFY(!tip.hwnd());
        tip.setToolText(a_, QStringLiteral("y"));
        QCOMPARE(tip.ToolText(a_), QString());
        enter(a_);  // not watched: nothing happens
        QVERIFY(!timer(tip, "showTimer")->isActive());
        QVERIFY(!tip.Create(nullptr));
        QVERIFY(!tip.AddTool(a_, QStringLiteral("x")));
    }

    void registration() {
        cTooltip tip;
        QVERIFY(tip.Create(form_));
        QVERIFY(tip.hwnd());
        QVERIFY(tip.Create(form_));  // a second Create keeps the same window
        QCOMPARE(form_->findChildren<QWidget*>(QStringLiteral("cTooltipWindow")).size(), 1);
        QVERIFY(tip.AddTool(a_, QStringLiteral("first")));
        QVERIFY(!tip.AddTool(a_, QStringLiteral("again")));  // registered once
        QVERIFY(!tip.AddTool(nullptr, QStringLiteral("none")));
        QVERIFY(tip.AddTool(b_));
        QCOMPARE(tip.ToolCount(), 2);
        QCOMPARE(tip.ToolText(a_), QStringLiteral("first"));
        QCOMPARE(tip.ToolText(b_), QString());
        tip.setToolText(b_, QStringLiteral("second"));
        QCOMPARE(tip.ToolText(b_), QStringLiteral("second"));
        QVERIFY(tip.RemoveTool(a_));
        QVERIFY(!tip.RemoveTool(a_));
        QCOMPARE(tip.ToolCount(), 1);
        delete b_;  // a control that goes away leaves the list
        b_ = nullptr;
        QCOMPARE(tip.ToolCount(), 0);
    }

    // Hovering waits DelayTime, shows icon, title and text, stays up for
    // VisibleTime and goes when the mouse leaves.
    void hoverShowsTheBalloon() {
        cTooltip tip;
        tip.setDelayTime(100);
        tip.setVisibleTime(15000);
        QVERIFY(tip.Create(form_));
        tip.setIcon(cTooltip::InfoIcon);
        tip.setTitle(QStringLiteral("Esercitazioni e corsi"));
        tip.AddTool(a_, QStringLiteral("Consente di esercitarsi"));
        tip.AddTool(b_, QStringLiteral("Altro"));

        enter(a_);
        QTimer* show = timer(tip, "showTimer");
        QVERIFY(show->isActive());
        QCOMPARE(show->interval(), 100);
        QVERIFY(!tip.hwnd()->isVisible());
        show->setInterval(0);
        show->start();
        QTRY_VERIFY_WITH_TIMEOUT(tip.shownFor() == a_, 200);
        QVERIFY(tip.hwnd()->isVisible());
        QCOMPARE(label(tip, "tipTitle"), QStringLiteral("Esercitazioni e corsi"));
        QCOMPARE(label(tip, "tipText"), QStringLiteral("Consente di esercitarsi"));
        QVERIFY(tip.hwnd()->findChild<QLabel*>(QStringLiteral("tipIcon"))->isVisibleTo(tip.hwnd()));
        QTimer* hide = timer(tip, "hideTimer");
        QVERIFY(hide->isActive());
        QCOMPARE(hide->interval(), 15000);
        // Pointing at the control: the balloon starts at its lower edge.
        QVERIFY(tip.hwnd()->geometry().top() >= a_->mapToGlobal(QPoint(0, 0)).y());

        leave(a_);
        QVERIFY(!tip.hwnd()->isVisible());
        QVERIFY(!tip.shownFor());

        // The visible time running out takes it away too.
        tip.setDelayTime(0);
        enter(b_);
        QTRY_VERIFY_WITH_TIMEOUT(tip.shownFor() == b_, 200);
        QCOMPARE(label(tip, "tipText"), QStringLiteral("Altro"));
        hide->setInterval(0);
        hide->start();
        QTRY_VERIFY_WITH_TIMEOUT(!tip.hwnd()->isVisible(), 200);
    }

    // The toolkit's own tip stays away from registered controls only; a
    // control without text shows no balloon.
    void ownTipsAndEmptyTexts() {
        cTooltip tip;
        tip.setDelayTime(0);
        QVERIFY(tip.Create(form_));
        tip.AddTool(a_);
        a_->setToolTip(QStringLiteral("plain"));
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), a_->mapToGlobal(QPoint(2, 2)));
        QVERIFY(QCoreApplication::sendEvent(a_, &help));
        enter(a_);
        QTest::qWait(5);
        QVERIFY(!tip.shownFor());
        QVERIFY(!tip.hwnd()->isVisible());
    }

    void destroyingDetachesEverything() {
        QPointer<QWidget> window;
        {
            cTooltip tip;
            tip.setDelayTime(0);
            QVERIFY(tip.Create(form_));
            tip.AddTool(a_, QStringLiteral("x"));
            window = tip.hwnd();
        }
        QVERIFY(!window);
        enter(a_);  // no filter left behind
        leave(a_);
        // The form going first takes the tip window with it.
        cTooltip tip;
        QVERIFY(tip.Create(form_));
        tip.AddTool(a_, QStringLiteral("x"));
        delete form_;
        form_ = nullptr;
        QVERIFY(!tip.hwnd());
        QCOMPARE(tip.ToolCount(), 0);
    }
};

QTEST_MAIN(TestTooltip)
#include "tst_tooltip.moc"
