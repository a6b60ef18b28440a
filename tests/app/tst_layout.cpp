// The main window laid out for the screens it meets, from the smallest to
// the large ones and the in-between sizes where the enlargement shrinks:
// the intro and the welcome one after the other, texts that fit their
// panels, the cover bubble and the external key map where they hide no
// control.
#include "WindowControls.h"
#include "app/MainWindowParts.h"
#include "app/StartupChecks.h"
#include "app/frmTastomat.h"
#include "keyboard/KeyboardLayout.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/TestFiles.h"
#include "ui/frmTransparency.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include <memory>

using namespace tastolino;

namespace {

using tastolino::testing::GermanLayout;

void screens(std::initializer_list<QSize> sizes) {
    QTest::addColumn<QSize>("screen");
    for (const QSize& s : sizes)
        QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(s.width()).arg(s.height()))) << s;
}

void allScreens() {
    screens({QSize(800, 600), QSize(1000, 750), QSize(1001, 750), QSize(1024, 768),
             QSize(1280, 720), QSize(1366, 768), QSize(1280, 1024)});
}

// The lines a label breaks its text into.
QStringList wrappedLines(const QLabel* label) {
    QStringList lines;
    for (const QString& paragraph : label->text().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, label->font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label->contentsRect().width());
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines;
}

QRect inWindow(const QWidget* w, const QWidget* window) {
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

}  // namespace

class TestLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    QSize screen_{800, 600};
    std::function<void(int)> onSound_;

    std::unique_ptr<frmTastomat> start(const QSize& screen) {
        screen_ = screen;
        tastolino::testing::freshProgramState(folder_->path() + QLatin1Char('/'));
        appState().largeScreen = IsLargeScreen(screen);
        largeScreenScale() = ScaleForScreen(screen);
        return tastolino::testing::startMainWindow();
    }

    void writeFile(const QString& name, const QByteArray& bytes) {
        tastolino::testing::writeFile(folder_->filePath(name), bytes);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        onSound_ = {};
        seams::setInstantWaits(true);
        seams::setMessageHook([](const seams::MessageRequest&) { return seams::MsgAnswer::Ok; });
        seams::setSoundHook([this](int id) {
            if (onSound_) onSound_(id);
        });
        seams::setScreenSizeHook([this] { return screen_; });
        seams::setCapsLockHooks([] { return false; }, [] {});
        seams::setModalHook([](QDialog* dialog) {
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente")))
                name->setText(QStringLiteral("anna"));
            dialog->accept();
            return int(QDialog::Accepted);
        });
        setLayoutBackend(std::make_unique<GermanLayout>());
    }

    void cleanup() {
        frmTransparency::UnloadCover();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        seams::resetAll();
        folder_.reset();
    }

    // The intro title is drawn, then the welcome replaces it: never both.
    // (Dark pixels: the title is printed in black, the welcome in a dark
    // blue that is never black.)
    void introThenWelcomeNeverOverlap() {
        int letters = 0;
        bool titleShown = false, titleDuringWelcome = true;
        QLabel* welcome = nullptr;
        const auto hasTitle = [](const QImage& img) {
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QColor c = img.pixelColor(x, y);
                    if (c.red() < 8 && c.green() < 8 && c.blue() < 8) return true;
                }
            return false;
        };
        frmTastomat* window = nullptr;
        onSound_ = [&](int id) {
            if (!window) return;
            if (id == 107 && ++letters == 9)
                titleShown = hasTitle(control<QWidget>(*window, "picDisplay")->grab().toImage());
            if (id == 110) {
                // The greeting is on show from the next moment events run
                // after the sound (which runs them once itself).
                QTimer::singleShot(0, window, [&] {
                    QTimer::singleShot(0, window, [&] {
                        titleDuringWelcome =
                            welcome->text().isEmpty() ||
                            hasTitle(control<QWidget>(*window, "picDisplay")->grab().toImage());
                    });
                });
            }
        };
        screen_ = QSize(800, 600);
        tastolino::testing::freshProgramState(folder_->path() + QLatin1Char('/'));
        largeScreenScale() = ScaleForScreen(screen_);
        frmTastomat w;
        window = &w;
        welcome = control<QLabel>(w, "lblFraseCorr");
        w.Form_Load();
        w.FinishStartUp();
        QVERIFY(titleShown);
        QVERIFY(!titleDuringWelcome);
    }

    // Every option of the source menu and the level panel keeps its text
    // inside its panel, clear of the frame.
    void optionsFitTheirPanels_data() { allScreens(); }
    void optionsFitTheirPanels() {
        QFETCH(QSize, screen);
        auto w = start(screen);
        QList<QRadioButton*> options = controls<QRadioButton>(*w, "optMenu");
        options << control<QRadioButton>(*w, "optLevel", 0)
                << control<QRadioButton>(*w, "optLevel", 1);
        for (QRadioButton* option : options) {
            const QWidget* panel = option->parentWidget();
            const int needed = option->x() + option->sizeHint().width();
            QVERIFY2(option->width() >= option->sizeHint().width(), qPrintable(option->text()));
            QVERIFY2(needed <= panel->width() - 3, qPrintable(QStringLiteral("%1 needs %2 of %3")
                                                                  .arg(option->text())
                                                                  .arg(needed)
                                                                  .arg(panel->width())));
        }
    }

    // The welcome never breaks "< Enter>" across two lines.
    void welcomeKeepsEnterWhole_data() { allScreens(); }
    void welcomeKeepsEnterWhole() {
        QFETCH(QSize, screen);
        auto w = start(screen);
        QVERIFY(control<QLabel>(*w, "lblFraseCorr")->text().contains(QStringLiteral("Enter>")));
        for (const QString& line : wrappedLines(control<QLabel>(*w, "lblFraseCorr")))
            QVERIFY2(!line.trimmed().endsWith(QLatin1Char('<')), qPrintable(line));
    }

    // The closed file list shows the time estimate of a text file, however
    // narrow it is; a long name gives way.
    void fileListShowsTheEstimate_data() { allScreens(); }
    void fileListShowsTheEstimate() {
        QFETCH(QSize, screen);
        writeFile(QStringLiteral("Esercizi/un racconto lungo.txt"), QByteArray(900, 'a'));
        auto w = start(screen);
        control<QRadioButton>(*w, "optMenu", 3)->click();
        const QString entry = control<QComboBox>(*w, "cboListFile")->currentText();
        QVERIFY(entry.endsWith(QString::fromUtf8("(3 ÷ 4 min)")));
        auto* list = qobject_cast<FileListBox*>(control<QComboBox>(*w, "cboListFile"));
        QVERIFY(list);
        const QString shown = list->shownText();
        QVERIFY2(shown.endsWith(QString::fromUtf8("(3 ÷ 4 min)")), qPrintable(shown));
        QVERIFY2(shown.startsWith(QStringLiteral("un")), qPrintable(shown));
        QVERIFY(list->shownTextFits());
        // Open, the list shows the whole entry.
        QVERIFY(list->view()->minimumWidth() >=
                list->view()->fontMetrics().horizontalAdvance(entry));
    }

    // Shown, the external key map lies on the screen and covers no control.
    void keyMapCoversNoControl_data() { allScreens(); }
    void keyMapCoversNoControl() {
        QFETCH(QSize, screen);
        auto w = start(screen);
        auto* keyboard = qobject_cast<KeyboardPanel*>(control<QWidget>(*w, "picKeyword"));
        QTest::mouseDClick(keyboard, Qt::LeftButton, {}, keyboard->fingerIconRect(0).center());
        QWidget* map = keyboard->keyMapPicture();
        QVERIFY(map->isVisible());
        const QRect mapRect = inWindow(map, w.get());
        QVERIFY2(QRect(QPoint(0, 0), screen).contains(mapRect),
                 qPrintable(QStringLiteral("map at %1,%2").arg(mapRect.x()).arg(mapRect.y())));
        const QStringList backgrounds = {"picNotebook", "picFondoNotebook", "picBottomBar",
                                         "imgMappaTastiEsterna", "shpEV"};
        for (QWidget* child : w->findChildren<QWidget*>()) {
            // The small captions above the counters may lie under it, as
            // when they were drawn on the bar.
            if (child->objectName().isEmpty() || backgrounds.contains(child->objectName()) ||
                child->objectName().startsWith(QLatin1String("lblCaption")) ||
                !child->isVisibleTo(w.get()) || child->isWindow() || map->isAncestorOf(child))
                continue;
            QVERIFY2(!inWindow(child, w.get()).intersects(mapRect),
                     qPrintable(child->objectName() + QStringLiteral(" under the key map")));
        }
    }

    // The cover bubble grows and shrinks with the layout, stays on the
    // screen, hides none of the counters nor Enter, and its tail is the
    // point of the bubble nearest to the Enter button it speaks of.
    void coverBubbleFollowsTheLayout_data() { allScreens(); }
    void coverBubbleFollowsTheLayout() {
        QFETCH(QSize, screen);
        auto w = start(screen);
        frmTransparency* cover = frmTransparency::Instance();
        QVERIFY(cover && cover->isVisible());
        const QPoint origin = w->mapFromGlobal(cover->mapToGlobal(QPoint(0, 0)));
        const QRegion shape = cover->mask().translated(origin);
        QVERIFY(!shape.isEmpty());
        QVERIFY2(QRect(QPoint(0, 0), screen).contains(shape.boundingRect()),
                 qPrintable(QStringLiteral("bubble %1,%2 %3x%4")
                                .arg(shape.boundingRect().x())
                                .arg(shape.boundingRect().y())
                                .arg(shape.boundingRect().width())
                                .arg(shape.boundingRect().height())));
        for (QWidget* control : {static_cast<QWidget*>(control<QLabel>(*w, "lblTime")),
                                 static_cast<QWidget*>(control<QLabel>(*w, "lblNumFrase")),
                                 static_cast<QWidget*>(control<QLabel>(*w, "lblNumBatt", 0)),
                                 static_cast<QWidget*>(control<QLabel>(*w, "lblNumBatt", 1)),
                                 static_cast<QWidget*>(control<QLabel>(*w, "lblSmile")),
                                 static_cast<QWidget*>(control<QPushButton>(*w, "cmdStart"))})
            QVERIFY2(!shape.intersects(inWindow(control, w.get())),
                     qPrintable(control->objectName() + QStringLiteral(" under the bubble")));

        // Scaled as the layout is: the design size on small screens.
        const double sx = appState().largeScreen ? largeScreenScale().x / ScreenScale::kFullX : 1;
        const QSize base =
            appState().largeScreen ? frmTransparency::kLargeSize : frmTransparency::kSmallSize;
        QVERIFY(std::abs(cover->width() - base.width() * sx) <= 1);

        // The tail: the bubble's point nearest to Enter, on its right.
        const QPoint enter = inWindow(control<QPushButton>(*w, "cmdStart"), w.get()).center();
        QPoint nearest;
        double best = 1e9;
        for (const QRect& r : shape) {
            for (const QPoint& p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
                const double d = std::hypot(p.x() - enter.x(), p.y() - enter.y());
                if (d < best) {
                    best = d;
                    nearest = p;
                }
            }
        }
        const QPoint tip = cover->tailTip() + origin;
        QVERIFY2((tip - nearest).manhattanLength() <= 8,
                 qPrintable(QStringLiteral("tip %1,%2 nearest %3,%4")
                                .arg(tip.x())
                                .arg(tip.y())
                                .arg(nearest.x())
                                .arg(nearest.y())));
        QVERIFY(tip.x() > shape.boundingRect().center().x());
    }

    // The sentence area keeps what was printed through a resize, forgets it
    // on Cls() and takes new prints after that exactly as before.
    void displayPanelKeepsPrintsUntilCleared() {
        DisplayPanel panel;
        panel.resize(160, 50);
        const QImage blank = panel.grab().toImage();
        panel.SetCurrentPosition(10, 5);
        panel.Print(QStringLiteral("Ab"));
        panel.Print(QStringLiteral("c"));
        QVERIFY(panel.HasPrintedText());
        QCOMPARE(panel.CurrentX(),
                 10 + panel.TextWidth(QStringLiteral("Ab")) + panel.TextWidth(QStringLiteral("c")));
        const QImage printed = panel.grab().toImage();
        QVERIFY(printed != blank);

        panel.resize(200, 60);
        const QImage wider = panel.grab().toImage();
        QCOMPARE(wider.copy(1, 1, 150, 40), printed.copy(1, 1, 150, 40));

        panel.Cls();
        QVERIFY(!panel.HasPrintedText());
        QCOMPARE(panel.CurrentX(), 0);
        panel.resize(160, 50);
        QCOMPARE(panel.grab().toImage(), blank);

        panel.SetCurrentPosition(10, 5);
        panel.Print(QStringLiteral("Ab"));
        panel.Print(QStringLiteral("c"));
        QCOMPARE(panel.grab().toImage(), printed);
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
