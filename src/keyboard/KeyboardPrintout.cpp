#include "keyboard/KeyboardPrintout.h"

#include "keyboard/KeySet.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/SeamReset.h"
#include "platform/Seams.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tastolino {

namespace {

KeyboardPrinterFactory& printerFactory() {
    static KeyboardPrinterFactory factory;
    return factory;
}

[[maybe_unused]] const bool factoryResetRegistered =
    seams::registerReset([] { printerFactory() = {}; });

// A font of `points` on a device of `dotsPerMm`, sized in device pixels so
// the page looks the same on the printer, in a PDF file and on an image.
QFont pageFont(double points, double dotsPerMm, bool bold, bool italic) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(points * 25.4 / 72.0 * dotsPerMm))));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace

QString KeyboardHeading(const QString& keyboardName) {
    // The code of the German layout the program teaches and checks.
    return keyboardName + QStringLiteral(" (0407)  ");
}

QString KeyboardFooter(const QString& author) {
    return QStringLiteral("          Tastolino \u00A9 ") + author;
}

QString KeyboardPrintQuestion(const KeyboardPrintoutTexts& texts) {
    return texts.question1 + QStringLiteral("Tastolino?\n") + texts.question2;
}

QImage CaptureKeyboard(QWidget* panel) {
    if (!panel || panel->size().isEmpty()) return {};
    QImage image = panel->grab().toImage();
    // One image pixel per widget pixel, whatever the screen's pixel ratio.
    if (image.size() != panel->size())
        image = image.scaled(panel->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(1.0);
    return image;
}

void DrawKeyboardPage(QPainter& painter, double dotsPerMm, const QImage& keyboard,
                      const QString& keyboardName, const QString& author) {
    using L = KeyboardPageLayout;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!keyboard.isNull()) {
        const QRectF target(L::kPictureX * dotsPerMm, L::kPictureY * dotsPerMm,
                            L::kPictureWidth * dotsPerMm, L::kPictureHeight * dotsPerMm);
        painter.drawImage(target, keyboard);
    }

    // Both parts of the heading line share one baseline; its top lies at the
    // heading position.
    const QFont bold = pageFont(L::kHeadingPoints, dotsPerMm, true, false);
    const QFont small = pageFont(L::kFooterPoints, dotsPerMm, false, true);
    const QFontMetricsF boldMetrics(bold, painter.device());
    const QString heading = KeyboardHeading(keyboardName);
    double x = L::kHeadingX * dotsPerMm;
    const double baseline = L::kHeadingY * dotsPerMm + boldMetrics.ascent();
    painter.setPen(Qt::black);
    painter.setFont(bold);
    painter.drawText(QPointF(x, baseline), heading);
    x += boldMetrics.horizontalAdvance(heading);
    painter.setFont(small);
    painter.drawText(QPointF(x, baseline), KeyboardFooter(author));
    painter.restore();
}

bool PrintKeyboardPage(QPrinter& printer, const QImage& keyboard, const QString& keyboardName,
                       const QString& author) {
    printer.setPageOrientation(QPageLayout::Landscape);
    // Positions are measured from the paper's edge.
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Tastolino"));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    DrawKeyboardPage(painter, printer.resolution() / 25.4, keyboard, keyboardName, author);
    return painter.end();
}

void StampaTastiera(KeyboardPanel* panel, const KeyboardPrintoutTexts& texts,
                    const KeyboardPrintoutSteps& steps, QWidget* dialogParent) {
    if (!panel) return;
    const bool wasRunning = panel->exerciseRunning();
    const auto resume = [&] {
        panel->setExerciseRunning(wasRunning);
        if (steps.resumeInvitation) steps.resumeInvitation();
    };

    // The Enter invitation must not blink into the copy.
    if (steps.pauseInvitation) steps.pauseInvitation();
    panel->setExerciseRunning(true);
    panel->DrawKey(KeyEnterLower, true);
    panel->DrawKey(KeyEnterUpper, true);
    seams::waitWithEvents(1000);

    const seams::MsgAnswer answer =
        seams::message(dialogParent, KeyboardPrintQuestion(texts), QStringLiteral("Tastolino"),
                       seams::MsgIcon::Question, seams::MsgButtons::YesNo);
    if (answer != seams::MsgAnswer::Yes) {
        resume();
        return;
    }

    // Let the question box vanish and no tooltip linger over the keys.
    QToolTip::hideText();
    seams::waitWithEvents(1000);
    const QImage picture = CaptureKeyboard(panel);

    // Without a printer there is simply no page.
    if (seams::printerAvailable()) {
        std::unique_ptr<QPrinter> printer =
            printerFactory() ? printerFactory()()
                             : std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (printer) PrintKeyboardPage(*printer, picture, texts.heading, texts.author);
    }
    resume();
}

void setKeyboardPrinterFactory(KeyboardPrinterFactory factory) {
    printerFactory() = std::move(factory);
}

}  // namespace tastolino
