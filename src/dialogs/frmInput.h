// The user name entry: a small modal dialog in which the user types the name
// under which results are shown and printed and game records are kept. The
// name can be remembered in the settings file (section "AccessName") and is
// offered again at the next start.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tastolino {

// What the user name entry reads.
struct UserNameInput {
    QString appFolder;                // program folder, holding the settings file
    bool languageFileActive = false;  // texts from the language file
};

}  // namespace tastolino

class frmInput : public QDialog {
    Q_OBJECT
  public:
    explicit frmInput(const tastolino::UserNameInput& input, QWidget* parent = nullptr);

    // Takes the name on every way out of the dialog (OK, Esc, window close):
    // userName() and the remembered name are set here.
    void done(int result) override;

    // The name taken when the dialog closed (capitals, no blanks around
    // it); none before.
    const std::optional<QString>& userName() const { return userName_; }

    // Replaces the captions by those of the active language file; does
    // nothing while the built-in Italian texts are in use.
    void applyLanguage();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void loadRememberedName();
    void updateRememberBox();
    void prepareForTyping();
    void storeName();

    const tastolino::UserNameInput input_;
    std::optional<QString> userName_;
    QLabel* lblBenvenuto = nullptr;
    QLabel* lblDigitaNome = nullptr;
    QLineEdit* txtNomeUtente = nullptr;
    QCheckBox* chkRemember = nullptr;
    QPushButton* cmdChiudi = nullptr;
};
