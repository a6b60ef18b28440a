#include "ui/ClsResize.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace tastolino;

namespace {

// A small window laid out at fixed pixel positions, as the program's
// windows are.
struct Form {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLabel* label;
    QLabel* image;
    QWidget* line;
    QFrame* frame;
    QLabel* nested;
    QFrame* laidOut;
    QLabel* inLayout;

    Form() {
        window->resize(800, 600);
        label = new QLabel(QStringLiteral("Frase"), window.get());
        label->setGeometry(10, 20, 100, 30);
        QFont f = label->font();
        f.setPointSizeF(10);
        label->setFont(f);

        image = new QLabel(window.get());
        image->setProperty("resizeKind", QStringLiteral("image"));
        image->setGeometry(40, 60, 32, 32);

        line = new QWidget(window.get());
        ClsResize::SetLine(line, 100, 50, 0, 0);

        frame = new QFrame(window.get());
        frame->setGeometry(200, 100, 300, 200);
        nested = new QLabel(frame);
        nested->setGeometry(10, 10, 50, 20);

        laidOut = new QFrame(window.get());
        laidOut->setGeometry(0, 400, 200, 100);
        auto* layout = new QHBoxLayout(laidOut);
        inLayout = new QLabel(QStringLiteral("x"), laidOut);
        layout->addWidget(inLayout);
    }
};

}  // namespace

class TestClsResize : public QObject {
    Q_OBJECT
  private slots:
    void emptyFormIsUntouched() {
        QWidget window;
        window.setGeometry(5, 6, 640, 480);
        ClsResize resizer;
        resizer.SourceForm(&window);
        resizer.SizeFormToScreen();
        resizer.ResizeControls();
        QCOMPARE(window.geometry(), QRect(5, 6, 640, 480));
        QCOMPARE(resizer.capturedCount(), 0);

        ClsResize none;  // no window at all
        none.SizeFormToScreen();
        none.ResizeControls();
    }

    void controlsScaleByFixedFactors() {
        Form form;
        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        QCOMPARE(resizer.SourceForm(), form.window.get());
        resizer.SizeFormToScreen();

        QCOMPARE(resizer.designSize(), QSize(800, 600));
        // 10*1.41 = 14.1, 20*1.31 = 26.2, 100*1.41 = 141, 30*1.31 = 39.3
        QCOMPARE(form.label->geometry(), QRect(14, 26, 141, 39));
        QCOMPARE(form.label->font().pointSizeF(), 10 * std::sqrt(1.41));
        // Positions inside a container stay relative to it.
        QCOMPARE(form.nested->geometry(), QRect(14, 13, 71, 26));
        QCOMPARE(form.frame->geometry(), QRect(282, 131, 423, 262));
        // The window itself keeps its size.
        QCOMPARE(form.window->size(), QSize(800, 600));
    }

    void imageMovesButKeepsItsSize() {
        Form form;
        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        resizer.SizeFormToScreen();
        // 40*1.41 = 56.4 -> 56 + 4; 60*1.31 = 78.6 -> 79 + 4
        QCOMPARE(form.image->geometry(), QRect(60, 83, 32, 32));
    }

    void lineScalesItsEndPoints() {
        Form form;
        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        resizer.SizeFormToScreen();
        QCOMPARE(form.line->property("x1").toInt(), 141);
        QCOMPARE(form.line->property("y1").toInt(), 66);  // 65.5
        QCOMPARE(form.line->property("x2").toInt(), 0);
        QCOMPARE(form.line->property("y2").toInt(), 0);
        QCOMPARE(form.line->geometry(), QRect(0, 0, 142, 67));
    }

    // Resizing again starts from the design geometry, not from the result
    // of the previous resize.
    void resizingTwiceGivesTheSameResult() {
        Form form;
        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        resizer.SizeFormToScreen();
        resizer.ResizeControls();
        QCOMPARE(form.label->geometry(), QRect(14, 26, 141, 39));
        QCOMPARE(form.image->geometry(), QRect(60, 83, 32, 32));
        QCOMPARE(form.label->font().pointSizeF(), 10 * std::sqrt(1.41));
    }

    // Without a capture the first ResizeControls only captures.
    void firstResizeOnlyCaptures() {
        Form form;
        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        resizer.ResizeControls();
        QCOMPARE(form.label->geometry(), QRect(10, 20, 100, 30));
        QVERIFY(resizer.capturedCount() > 0);
        resizer.ResizeControls();
        QCOMPARE(form.label->geometry(), QRect(14, 26, 141, 39));
    }

    void minimisedFormIsLeftAlone() {
        Form form;
        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        resizer.ResizeControls();  // capture
        form.window->setWindowState(Qt::WindowMinimized);
        resizer.ResizeControls();
        QCOMPARE(form.label->geometry(), QRect(10, 20, 100, 30));
    }

    void layoutsAndCompoundWidgetsAreLeftToTheirOwners() {
        Form form;
        auto* combo = new QComboBox(form.window.get());
        combo->setEditable(true);
        combo->setGeometry(300, 400, 120, 24);
        form.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window.get()));
        const QRect inLayout = form.inLayout->geometry();

        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        resizer.SizeFormToScreen();
        QCOMPARE(combo->geometry(), QRect(423, 524, 169, 31));
        QVERIFY(combo->lineEdit()->geometry().right() < combo->width());
        QCOMPARE(form.laidOut->geometry(), QRect(0, 524, 282, 131));
        // The layout places its label again inside the larger frame.
        QVERIFY(form.inLayout->geometry() != inLayout);
        QVERIFY(form.inLayout->width() > inLayout.width());
        QVERIFY(form.window->updatesEnabled());
    }

    void controlDestroyedAfterCaptureIsSkipped() {
        Form form;
        ClsResize resizer;
        resizer.SourceForm(form.window.get());
        resizer.ResizeControls();  // capture
        delete form.nested;
        resizer.ResizeControls();
        QCOMPARE(form.label->geometry(), QRect(14, 26, 141, 39));
    }
};

QTEST_MAIN(TestClsResize)
#include "tst_clsresize.moc"
