// Small widgets of the main window that Qt has no ready equivalent for:
// the sentence area that text can be printed into, the hover frame of the
// menu strip, plain shapes (filled rectangles) such as the underline and
// the on/off markers, and the file list of the source menu.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QPixmap>
#include <QWidget>

namespace tastolino {

// A white writing surface that keeps what is printed into it until Cls(),
// like a picture box with a persistent drawing. Child labels sit on top.
class DisplayPanel : public QWidget {
    Q_OBJECT
  public:
    explicit DisplayPanel(QWidget* parent = nullptr);

    // Prints `text` with the panel's current font at the current position
    // and moves the position to the end of the text.
    void Print(const QString& text);
    void SetCurrentPosition(int x, int y);
    int CurrentX() const { return currentX_; }
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    void Cls();
    bool HasPrintedText() const { return printed_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QPixmap ink_;  // what was printed, on transparent; none before the first Print()
    int currentX_ = 0;
    int currentY_ = 0;
    bool printed_ = false;
};

// A filled rectangle; with a zero width it draws nothing.
class ShapeBox : public QWidget {
    Q_OBJECT
  public:
    explicit ShapeBox(const QColor& fill, QWidget* parent = nullptr);
    void SetFillColor(const QColor& fill);
    QColor FillColor() const { return fill_; }
    void SetRounded(bool on) {
        rounded_ = on;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_;
    bool rounded_ = false;
};

// The frame that shows which menu item is under the mouse: raised, or
// sunken ("inverted") while the left button is held. It never takes mouse
// input itself, so the item below keeps receiving it.
class HoverFrame : public QWidget {
    Q_OBJECT
  public:
    explicit HoverFrame(QWidget* parent = nullptr);
    void SetInverted(bool on);
    bool Inverted() const { return inverted_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool inverted_ = false;
};

// The file list of the source menu. Closed, it shows the chosen entry so
// that the time estimate of a text file ("    (2 ÷ 3 min)") stays in view
// however narrow the box is: a name too long for it gives way instead.
// Open, the list is as wide as its longest entry.
class FileListBox : public QComboBox {
    Q_OBJECT
  public:
    explicit FileListBox(QWidget* parent = nullptr);
    // What the closed box shows for the current entry, and whether that
    // fits its text field.
    QString shownText() const;
    bool shownTextFits() const;
    // Widens the open list to its longest entry (after the entries change).
    void fitListToEntries();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int textFieldWidth() const;
};

// Shrinks the font of an option button in quarter points until its text
// fits within `width`, down to 6 points at the least (a caption from a
// language file may be longer than the built-in one). Each call starts from
// the size the option had at its first call.
void FitOptionText(QWidget* option, int width);

// A text with the blanks inside "< Enter>" made unbreakable, so that a
// wrapping label never parts the sign from its word.
QString KeepAngleWordsTogether(const QString& text);

}  // namespace tastolino
