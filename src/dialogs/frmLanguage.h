// The language window: lists the language files of the folder Lang/ and
// lets the user pick the language of the interface. The choice becomes the
// current language name at once (the main window re-applies its texts) and
// reaches the settings file when the main window closes.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace tastolino {

class frmLanguage : public QDialog {
    Q_OBJECT
  public:
    // Shown when no language file matches the current name, or there is no
    // language file at all.
    static QString DefaultEntry() { return QStringLiteral("Italian [Default]"); }

    explicit frmLanguage(QWidget* parent = nullptr);

    // Opens the window modally and returns whether the language changed.
    static bool Choose(QWidget* parent = nullptr);

    // The entry chosen in the list.
    QString selection() const { return selection_; }

    // Step by step, as the buttons do.
    void ShowTranslationInfo();
    void CloseWindow();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void reject() override;

  private:
    void buildControls();
    void applyLanguage();
    void fillList();

    QComboBox* cboFileLanguage = nullptr;
    QLabel* lblMess = nullptr;
    QPushButton* cmdChiudi = nullptr;
    QPushButton* cmdInfoAuthor = nullptr;

    // 0 the question before changing, 1 the current language, 2 the author.
    std::array<QString, 3> texts_;
    QString unknownAuthor_;  // a translation whose file names no author
    QString selection_;
    bool filling_ = false;
    bool closing_ = false;
};

}  // namespace tastolino
