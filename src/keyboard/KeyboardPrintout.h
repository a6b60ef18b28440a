// The keyboard printout: the keyboard panel exactly as it is shown (finger
// colours, flat or 3D look, finger icons) on one landscape page below a
// heading line, as a reference sheet for the learner.
//
// The page is drawn on any QPainter, so it can go to the printer, a PDF file
// or an image alike.
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace tastolino {

class KeyboardPanel;

// Where things lie on the page, in millimetres from the paper's top-left
// corner.
struct KeyboardPageLayout {
    static constexpr double kPictureX = 16;
    static constexpr double kPictureY = 25;
    static constexpr double kPictureWidth = 260;
    static constexpr double kPictureHeight = 94;
    static constexpr double kHeadingX = 16;
    static constexpr double kHeadingY = 195;
    static constexpr double kHeadingPoints = 10;
    static constexpr double kFooterPoints = 8;
};

// The texts of the printout, from the main window's message table.
struct KeyboardPrintoutTexts {
    QString question1;  // message 23: "Vuoi stampare la tastiera di "
    QString question2;  // message 24: the note that the keyboard prints as shown
    QString heading;    // message 31: "Tastiera tedesca"
    QString author;     // the small print after the program's name
};

// What the main window does around the printout: stop the Enter invitation
// and hide the cover window before, and bring both back after.
struct KeyboardPrintoutSteps {
    std::function<void()> pauseInvitation;
    std::function<void()> resumeInvitation;
};

// The bold part of the heading: the keyboard name and the code of the
// layout the program teaches.
QString KeyboardHeading(const QString& keyboardName);
// The small italic part that follows it on the same line: the program's
// name and `author`.
QString KeyboardFooter(const QString& author);
// The confirmation asked before printing.
QString KeyboardPrintQuestion(const KeyboardPrintoutTexts& texts);

// The panel as it looks now, rendered off-screen at its own size.
QImage CaptureKeyboard(QWidget* panel);

// Draws the page on `painter`, whose device has `dotsPerMm` dots per
// millimetre and whose origin is the paper's top-left corner.
void DrawKeyboardPage(QPainter& painter, double dotsPerMm, const QImage& keyboard,
                      const QString& keyboardName, const QString& author);

// Prints the page on `printer` (landscape, whole paper). False when the
// printer could not be started; the caller may ignore it.
bool PrintKeyboardPage(QPrinter& printer, const QImage& keyboard, const QString& keyboardName,
                       const QString& author);

// Asks for confirmation and prints the keyboard as shown on the default
// printer. Nothing is reported when printing fails or there is no printer.
void StampaTastiera(KeyboardPanel* panel, const KeyboardPrintoutTexts& texts,
                    const KeyboardPrintoutSteps& steps, QWidget* dialogParent);

// Tests: the printer StampaTastiera prints on (for example a PDF file);
// an empty factory returns to the default printer.
using KeyboardPrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
void setKeyboardPrinterFactory(KeyboardPrinterFactory factory);

}  // namespace tastolino
