// The about window: program name and version, and the way to the guide,
// the language choice and the keyboard printout, with the links to the
// program's web pages and e-mail address.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

#include <functional>

class QLabel;
class QPushButton;

namespace tastolino {

class GradientPanel;

// What the about window reads.
struct AboutInput {
    bool largeScreen = false;  // larger type on a large screen
    bool soundOn = true;
    bool languageFileActive = false;  // texts from the language file
};

// What the main window does for the commands of the about window.
struct AboutCommands {
    std::function<void()> printKeyboard;
    // Runs the language window over `owner`; true when the language changed.
    std::function<bool(QWidget* owner)> chooseLanguage;
};

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    // How the window was left. Accepted and Rejected mean plainly closed.
    enum Outcome {
        Closed = QDialog::Rejected,
        HelpRequested = 100,
        LanguageRequested,
        PrintRequested,
        LinkOpened,
    };

    static constexpr int kVersionMajor = 7;
    static constexpr int kVersionMinor = 1;
    static constexpr int kVersionRevision = 0;

    static const QString& HomePageUrl();
    static const QString& RecommendedSiteUrl();
    static const QString& AuthorAddress();

    explicit frmAbout(const AboutInput& input, QWidget* parent = nullptr);

    // Shows the window modally over `parent` (the main window) and carries
    // out the command that closed it: the guide, the language window (after
    // which the window comes back unless the language changed), the keyboard
    // printout, or a link, after which `parent`'s window is minimised.
    static void Show(QWidget* parent, const AboutInput& input, const AboutCommands& commands);

    // "Versione 7.1.0", in the interface language
    QString versionText() const;
    // The address the e-mail link opens.
    QUrl mailUrl() const;

    // The commands, as the buttons and links give them.
    void CloseWindow();
    void RequestHelp();
    void RequestLanguage();
    void RequestPrint();
    void OpenLink(const QUrl& url);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    // The texts, from the language file or built in.
    void applyLanguage();
    QLabel* makeLabel(const char* name, const QString& text, bool link = false);

    const AboutInput input_;
    GradientPanel* picBar = nullptr;
    QLabel* lblTitolo = nullptr;
    QLabel* lblVersione = nullptr;
    QLabel* lblWebSite = nullptr;
    QLabel* lblHomePage = nullptr;
    QLabel* lblRezudizuz = nullptr;
    QLabel* lblRezudizuzLink = nullptr;
    QLabel* imgUrl[2] = {nullptr, nullptr};
    QLabel* lblEmail = nullptr;
    QLabel* lblFreewareMsg = nullptr;
    QLabel* lblVideoSetting = nullptr;
    QLabel* lblLayoutKeyb = nullptr;
    QLabel* lblPrintKey = nullptr;
    QLabel* imgPrintKey = nullptr;
    QPushButton* cmdChiudi = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdLingua = nullptr;
    QString versionWord_;  // "Versione"
};

}  // namespace tastolino
