// The user name entry: a small modal dialog in which the user types the name
// under which results are shown and printed and game records are kept. The
// name can be remembered in the settings file (section "AccessName") and is
// offered again at the next start.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmInput : public QDialog {
    Q_OBJECT
  public:
    explicit frmInput(QWidget* parent = nullptr);

    // Takes the name on every way out of the dialog (OK, Esc, window close):
    // appState().results.userName and the remembered name are set here.
    void done(int result) override;

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

    QLabel* lblBenvenuto = nullptr;
    QLabel* lblDigitaNome = nullptr;
    QLineEdit* txtNomeUtente = nullptr;
    QCheckBox* chkRemember = nullptr;
    QPushButton* cmdChiudi = nullptr;
};
