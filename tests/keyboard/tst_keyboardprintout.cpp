// The keyboard printout: where the keyboard and the heading land on the
// page, that the page shows the keyboard in its current look, and the
// question, printer and invitation steps around it. The PDF output is
// judged by qpdf and poppler.
#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"
#include "keyboard/KeyboardPrintout.h"
#include "platform/Seams.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace tastolino;
using seams::MsgAnswer;

namespace {

constexpr double kDotsPerMm = 4;  // A4 landscape = 1188 x 840

QString run(const char* program, const QStringList& args, int* code = nullptr) {
    QProcess p;
    p.start(QString::fromLatin1(program), args);
    p.waitForFinished(20000);
    if (code) *code = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

int px(double mm) {
    return int(std::lround(mm * kDotsPerMm));
}

bool isDark(QRgb c) {
    return qGray(c) < 100;
}

// Dark pixels within the band [y0, y1) mm across the page.
int darkPixelsIn(const QImage& page, double x0, double x1, double y0, double y1) {
    int n = 0;
    for (int y = px(y0); y < px(y1); ++y)
        for (int x = px(x0); x < px(x1); ++x) n += isDark(page.pixel(x, y));
    return n;
}

}  // namespace

class TestKeyboardPrintout : public QObject {
    Q_OBJECT

    QList<seams::MessageRequest> asked_;
    MsgAnswer answer_ = MsgAnswer::Yes;
    bool printer_ = true;
    std::unique_ptr<QTemporaryDir> folder_;
    QString pdfPath_;

    QImage drawPage(const QImage& keyboard, const QString& name) {
        QImage page(px(297), px(210), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter p(&page);
        DrawKeyboardPage(p, kDotsPerMm, keyboard, name, QStringLiteral("Gli autori di Tastolino"));
        return page;
    }

  private slots:
    void init() {
        asked_.clear();
        answer_ = MsgAnswer::Yes;
        printer_ = true;
        folder_ = std::make_unique<QTemporaryDir>();
        pdfPath_ = folder_->filePath(QStringLiteral("keyboard.pdf"));
        seams::setInstantWaits(true);
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            asked_ << r;
            return answer_;
        });
        seams::setPrinterAvailableHook([this] { return printer_; });
        setKeyboardPrinterFactory([this] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdfPath_);
            return printer;
        });
    }
    void cleanup() { seams::resetAll(); }

    // The keyboard fills its rectangle whole and the right way round; the
    // heading sits on its line, and nothing else is drawn.
    void thePageLaysOutPictureAndHeading() {
        QImage keyboard(40, 20, QImage::Format_RGB32);
        keyboard.fill(Qt::red);
        QPainter(&keyboard).fillRect(20, 10, 20, 10, Qt::blue);
        const QImage page = drawPage(keyboard, QStringLiteral("Tastiera tedesca"));

        QCOMPARE(page.pixelColor(px(17), px(26)), QColor(Qt::red));     // top-left
        QCOMPARE(page.pixelColor(px(275), px(118)), QColor(Qt::blue));  // bottom-right
        QCOMPARE(page.pixelColor(px(275), px(26)), QColor(Qt::red));
        QCOMPARE(page.pixelColor(px(15), px(70)), QColor(Qt::white));    // left of it
        QCOMPARE(page.pixelColor(px(277), px(70)), QColor(Qt::white));   // right of it
        QCOMPARE(page.pixelColor(px(150), px(24)), QColor(Qt::white));   // above it
        QCOMPARE(page.pixelColor(px(150), px(120)), QColor(Qt::white));  // below it

        // The heading: text from 16 mm on, about 4 mm high, from 195 mm down.
        QVERIFY(darkPixelsIn(page, 16, 60, 195, 200) > 100);
        QCOMPARE(darkPixelsIn(page, 0, 15.5, 120, 210), 0);
        QCOMPARE(darkPixelsIn(page, 0, 297, 120, 194.5), 0);
        QCOMPARE(darkPixelsIn(page, 0, 297, 201, 210), 0);
        // The footer follows on the same line, to the right of the heading.
        QVERIFY(darkPixelsIn(page, 90, 200, 195, 200) > 50);
    }

    void theHeadingNamesTheLayoutAndTheProgram() {
        QCOMPARE(KeyboardHeading(QStringLiteral("Tastiera tedesca")),
                 QStringLiteral("Tastiera tedesca (0407)  "));
        QCOMPARE(KeyboardFooter(QStringLiteral("Die Autoren")),
                 QStringLiteral("          Tastolino \u00A9 Die Autoren"));
        const KeyboardPrintoutTexts texts{QStringLiteral("Vuoi stampare la tastiera di "),
                                          QStringLiteral("(come la vedi)"),
                                          {},
                                          {}};
        QCOMPARE(KeyboardPrintQuestion(texts),
                 QStringLiteral("Vuoi stampare la tastiera di Tastolino?\n(come la vedi)"));
    }

    // The copy is the panel at its own size in its current look.
    void theCopyShowsTheKeyboardAsItLooks() {
        KeyboardPanel panel;
        panel.resize(KeyboardPanel::kDesignSize);
        panel.setFingerMapOn(true);
        const QImage coloured = CaptureKeyboard(&panel);
        QCOMPARE(coloured.size(), KeyboardPanel::kDesignSize);

        panel.setFingerMapOn(false);
        const QImage plain = CaptureKeyboard(&panel);
        QVERIFY(plain != coloured);

        panel.setFlatKeyboardOn(true);
        const QImage flat = CaptureKeyboard(&panel);
        QVERIFY(flat != plain);
        QCOMPARE(CaptureKeyboard(nullptr), QImage());

        // What is captured is what lands on the page.
        const QRect key = panel.keyRect(KeySpace);
        const QColor face = flat.pixelColor(key.center());
        const QImage page = drawPage(flat, QStringLiteral("x"));
        const double mmX = 16 + (key.center().x() + 0.5) * 260.0 / flat.width();
        const double mmY = 25 + (key.center().y() + 0.5) * 94.0 / flat.height();
        const QColor printed = page.pixelColor(px(mmX), px(mmY));
        QVERIFY2(std::abs(printed.red() - face.red()) < 24 &&
                     std::abs(printed.green() - face.green()) < 24 &&
                     std::abs(printed.blue() - face.blue()) < 24,
                 qPrintable(printed.name() + QLatin1Char(' ') + face.name()));
    }

    // Every road through the printout asks once, stops the invitation while
    // it runs and brings it back; only Yes with a printer gives a page.
    void theQuestionDecidesAndTheInvitationComesBack_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("printer");
        QTest::addColumn<bool>("page");
        QTest::newRow("yes") << MsgAnswer::Yes << true << true;
        QTest::newRow("no") << MsgAnswer::No << true << false;
        QTest::newRow("yes without printer") << MsgAnswer::Yes << false << false;
    }
    void theQuestionDecidesAndTheInvitationComesBack() {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, printer);
        QFETCH(bool, page);
        answer_ = answer;
        printer_ = printer;

        KeyboardPanel panel;
        panel.resize(KeyboardPanel::kDesignSize);
        panel.DrawEnterInvitation();
        QVERIFY(panel.isKeyPressed(KeyEnterLower));
        QStringList steps;
        bool enterUpWhileAsked = false;
        seams::setMessageHook([&](const seams::MessageRequest& r) {
            asked_ << r;
            enterUpWhileAsked = !panel.isKeyPressed(KeyEnterLower) &&
                                !panel.isKeyPressed(KeyEnterUpper) && panel.exerciseRunning();
            return answer_;
        });
        const KeyboardPrintoutSteps hooks{[&] { steps << "pause"; }, [&] { steps << "resume"; }};
        StampaTastiera(&panel,
                       {QStringLiteral("Vuoi stampare la tastiera di "),
                        QStringLiteral("(la tastiera verrà stampata esattamente come la vedi in "
                                       "questo momento)"),
                        QStringLiteral("Tastiera tedesca"), QStringLiteral("Gli autori")},
                       hooks, nullptr);

        QCOMPARE(steps, QStringList({"pause", "resume"}));
        QVERIFY(enterUpWhileAsked);
        QVERIFY(!panel.exerciseRunning());
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(asked_[0].icon, seams::MsgIcon::Question);
        QCOMPARE(asked_[0].buttons, seams::MsgButtons::YesNo);
        QCOMPARE(asked_[0].text,
                 QStringLiteral("Vuoi stampare la tastiera di Tastolino?\n(la tastiera verrà "
                                "stampata esattamente come la vedi in questo momento)"));
        QCOMPARE(QFile::exists(pdfPath_), page);
    }

    // The printed page, read back by outside tools: sound, landscape, one
    // page, with the heading as text.
    void thePrintedPageIsASoundLandscapePdf() {
        if (QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("qpdf and poppler-utils are needed");
        KeyboardPanel panel;
        panel.resize(KeyboardPanel::kDesignSize);
        panel.setFingerMapOn(true);
        StampaTastiera(&panel,
                       {{}, {}, QStringLiteral("Tastiera tedesca"), QStringLiteral("Gli autori")},
                       {}, nullptr);
        QVERIFY(QFile::exists(pdfPath_));

        int code = -1;
        const QString check = run("qpdf", {QStringLiteral("--check"), pdfPath_}, &code);
        QCOMPARE(code, 0);
        QVERIFY2(!check.contains(QStringLiteral("WARNING")), qPrintable(check));

        const QString info = run("pdfinfo", {pdfPath_});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(info));
        const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"));
        const auto m = size.match(info);
        QVERIFY(m.hasMatch());
        QVERIFY(m.captured(1).toDouble() > m.captured(2).toDouble());

        const QString text = run("pdftotext", {pdfPath_, QStringLiteral("-")});
        QVERIFY2(text.contains(QStringLiteral("Tastiera tedesca (0407)")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Tastolino")), qPrintable(text));

        if (qEnvironmentVariableIsSet("KEYBOARD_PRINTOUT_KEEP"))
            QFile::copy(pdfPath_, qEnvironmentVariable("KEYBOARD_PRINTOUT_KEEP"));
    }

    void noPanelDoesNothing() {
        int steps = 0;
        StampaTastiera(nullptr, {}, {[&] { ++steps; }, [&] { ++steps; }}, nullptr);
        QCOMPARE(steps, 0);
        QVERIFY(asked_.isEmpty());
    }
};

QTEST_MAIN(TestKeyboardPrintout)
#include "tst_keyboardprintout.moc"
