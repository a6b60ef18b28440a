#include "platform/Seams.h"
#include "ui/frmShadow.h"
#include "ui/frmTransparency.h"

#include <QDialog>
#include <QPointer>
#include <QtTest>

#include "QuietPlatformNotices.h"

using namespace tastolino;

namespace {

// The expected opacity steps: the dim value, then 160 down to 0 by 5.
std::vector<int> expectedSteps() {
    std::vector<int> steps{128};
    for (int a = 160; a >= 0; a -= 5) steps.push_back(a);
    return steps;
}

}  // namespace

class TestShadow : public QObject {
    Q_OBJECT
  private:
    QWidget* main_ = nullptr;

  private slots:
    void initTestCase() { quiet_platform::install(); }
    void init() {
        seams::setInstantWaits(true);
        seams::setScreenSizeHook([] { return QSize(800, 600); });
        frmTransparency::SetOptions({});
        main_ = new QWidget;
        main_->setGeometry(0, 0, 800, 600);
        main_->show();
    }
    void cleanup() {
        frmTransparency::UnloadCover();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete main_;
        seams::resetAll();
    }

    // While the dialog is open the window beneath shows at half its
    // brightness in every channel: plainly darker, still readable.
    void dimmingHalvesEveryChannel_data() {
        QTest::addColumn<QColor>("colour");
        QTest::newRow("white") << QColor(Qt::white);
        QTest::newRow("orange") << QColor(250, 160, 40);
        QTest::newRow("grey") << QColor(90, 90, 90);
        QTest::newRow("black") << QColor(Qt::black);
    }
    void dimmingHalvesEveryChannel() {
        QFETCH(QColor, colour);
        QVERIFY(frmShadow::kDimAlpha > 0 && frmShadow::kDimAlpha < 255);
        main_->setAutoFillBackground(true);
        QPalette palette = main_->palette();
        palette.setColor(QPalette::Window, colour);
        main_->setPalette(palette);
        QColor seen;
        frmShadow::ShowOver(main_, DialogKind::Results, [&](DialogKind, QWidget* owner) {
            seen = owner->grab().toImage().pixelColor(400, 300);
        });
        const int before[] = {colour.red(), colour.green(), colour.blue()};
        const int after[] = {seen.red(), seen.green(), seen.blue()};
        for (int channel = 0; channel < 3; ++channel) {
            const QString what = QStringLiteral("%1 became %2").arg(colour.name(), seen.name());
            QVERIFY2(qAbs(after[channel] - before[channel] / 2) <= 1, qPrintable(what));
            QVERIFY2(before[channel] == 0 || after[channel] > 0, qPrintable(what));
        }
    }

    // The dialog runs while the sheet covers the window at half opacity,
    // owned by the sheet and through the modal seam; then the sheet fades
    // out in 33 steps and goes away.
    void runsThePendingDialogOverTheSheet_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("shown");
        QTest::newRow("user name") << 1 << true;
        QTest::newRow("results") << 2 << true;
        QTest::newRow("free-text report") << 3 << true;
        QTest::newRow("none") << 0 << false;
        QTest::newRow("unknown") << 7 << false;
    }
    void runsThePendingDialogOverTheSheet() {
        QFETCH(int, kind);
        QFETCH(bool, shown);
        int hookCalls = 0;
        seams::setModalHook([&](QDialog* dialog) {
            ++hookCalls;
            frmShadow* sheet = frmShadow::Instance();
            [&] {
                QVERIFY(sheet);
                QVERIFY(sheet->isVisible());
                QCOMPARE(dialog->parentWidget(), sheet);
                QCOMPARE(sheet->geometry(), main_->frameGeometry());
                QCOMPARE(frmShadow::LastOpacitySteps(), std::vector<int>{128});
            }();
            return int(QDialog::Accepted);
        });
        int ranKind = -1;
        frmShadow::ShowOver(main_, DialogKind(kind), [&](DialogKind which, QWidget* owner) {
            ranKind = int(which);
            QDialog dialog(owner);
            seams::execModal(&dialog);
        });
        QCOMPARE(hookCalls, shown ? 1 : 0);
        QCOMPARE(ranKind, shown ? kind : -1);
        QCOMPARE(frmShadow::LastOpacitySteps(), expectedSteps());
        QVERIFY(!frmShadow::Instance());
        QVERIFY(main_->findChildren<frmShadow*>().isEmpty());
    }

    // The sheet shows the window beneath darkened by its opacity, with or
    // without a compositor.
    void looksLikeTheWindowDimmed() {
        main_->setAutoFillBackground(true);
        QPalette palette = main_->palette();
        palette.setColor(QPalette::Window, Qt::white);
        main_->setPalette(palette);
        QColor seen;
        frmShadow::ShowOver(main_, DialogKind::Results, [&](DialogKind, QWidget* owner) {
            seen = owner->grab().toImage().pixelColor(400, 300);
        });
        QVERIFY2(qAbs(seen.red() - 127) <= 1 && seen.red() == seen.blue(), qPrintable(seen.name()));
    }

    // The cover window is taken off the screen first and stays loaded.
    void hidesTheCoverWindow() {
        frmTransparency::ShowCover(main_, QPoint(100, 400));
        QVERIFY(frmTransparency::Shown());
        bool coverHiddenDuringDialog = false;
        frmShadow::ShowOver(main_, DialogKind::UserName, [&](DialogKind, QWidget*) {
            coverHiddenDuringDialog = frmTransparency::Instance()->isHidden();
        });
        QVERIFY(coverHiddenDuringDialog);
        QVERIFY(frmTransparency::Instance());
    }

    // A dialog asked for while a sheet is up is shown over that sheet.
    void nestedDialogUsesTheSheetThatIsUp() {
        QWidget* innerOwner = nullptr;
        frmShadow::ShowOver(main_, DialogKind::Results, [&](DialogKind, QWidget* owner) {
            frmShadow::ShowOver(main_, DialogKind::Results,
                                [&](DialogKind, QWidget* inner) { innerOwner = inner; });
            QCOMPARE(innerOwner, owner);
        });
        QVERIFY(innerOwner);
        QCOMPARE(main_->findChildren<frmShadow*>().size(), 0);
    }

    // The main window closing while its dialog is open must not crash.
    void ownerDestroyedDuringTheDialog() {
        frmShadow::ShowOver(main_, DialogKind::UserName, [this](DialogKind, QWidget*) {
            delete main_;
            main_ = nullptr;
        });
        QVERIFY(!frmShadow::Instance());
    }

    void withoutAWindowItCoversTheScreen() {
        QRect covered;
        frmShadow::ShowOver(nullptr, DialogKind::FreeTextReport,
                            [&](DialogKind, QWidget* owner) { covered = owner->geometry(); });
        QCOMPARE(covered, QRect(0, 0, 800, 600));
    }
};

QTEST_MAIN(TestShadow)
#include "tst_shadow.moc"
