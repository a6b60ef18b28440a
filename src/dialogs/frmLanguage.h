// The language window: lists the language files of the folder Lang/ and
// lets the user pick the language of the interface. The confirmed choice
// is handed back (chosenLanguage()); the main window takes it as the
// current language at once, re-applies its texts and writes it to the
// settings file when it closes.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace tastolino {

// What the language window reads.
struct LanguageWindowInput {
    QString appFolder;                // program folder, holding Lang/
    QString languageName;             // the current language
    bool languageFileActive = false;  // texts from the language file
};

class frmLanguage : public QDialog {
    Q_OBJECT
  public:
    // Shown when no language file matches the current name, or there is no
    // language file at all.
    static QString DefaultEntry() { return QStringLiteral("Italian [Default]"); }

    explicit frmLanguage(const LanguageWindowInput& input, QWidget* parent = nullptr);

    // Opens the window modally and returns the language chosen: the
    // current one unless another was confirmed.
    static QString Choose(const LanguageWindowInput& input, QWidget* parent = nullptr);

    // The language after the window: the current one until another is
    // confirmed.
    const QString& chosenLanguage() const { return chosen_; }

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
    const LanguageWindowInput input_;
    QString chosen_;
    QString selection_;
    bool filling_ = false;
    bool closing_ = false;
};

}  // namespace tastolino
