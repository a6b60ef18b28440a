// The program's guide: HTML pages in <appFolder>/help/, shown in a window of
// the program. Page "index.html" is the default topic; a context number n
// opens "n.html".
//
// help/ itself holds the Italian guide. A guide in another interface language
// lives in a subfolder named like its language file ("help/English/" for
// Lang/English.lng; the case of the name does not matter) and is used while
// that language is the interface language. A page it lacks, or a language
// without a guide, falls back to the Italian page.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace tastolino {

// Opens the guide at `topicId` (<= 0: the default topic), owned by `owner`'s
// window. Without the guide's index page the user is told so in an
// information box and nothing else happens.
void ShowHelp(QWidget* owner, int topicId);

// The folder of the Italian guide, "<appFolder>help/".
QString HelpFolder();
// The folder of the guide in the interface language: "<appFolder>help/<Name>/"
// when interfaceLanguage().name has both a language file in Lang/ and a guide
// folder (names matched ignoring case), else HelpFolder().
QString HelpLanguageFolder();
// The page for a context number: "<n>.html" of the language's guide, else
// of the Italian guide; without either, the language's index (or the Italian
// one when the language has none).
QString HelpPageFor(int topicId);
// Whether the guide can be shown at all: some index page is readable.
bool HelpAvailable();

// The captions of the viewer in the language of a guide folder, read from
// its index page: the window title from <title>, the buttons from
// <meta name="help-back|help-forward|help-contents" content="...">. What the
// page does not give keeps the Italian caption.
struct HelpCaptions {
    QString title = QStringLiteral("Tastolino - Guida");
    QString back = QStringLiteral("Indietro");
    QString forward = QStringLiteral("Avanti");
    QString contents = QStringLiteral("Indice");
};
HelpCaptions HelpCaptionsOf(const QString& guideFolder);

class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The one viewer, or null while none is open.
    static HelpViewer* instance();

    // Shows `path`; the Contents button then leads to `home` (by default the
    // index beside the page) and the captions follow the guide of `home`.
    void openPage(const QString& path, const QString& home = {});
    QUrl currentPage() const;

  private:
    void followLink(const QUrl& url);
    void updateButtons();
    void applyCaptions(const QString& guideFolder);

    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* home_;
    QUrl homePage_;
    QString captionsFolder_;
};

}  // namespace tastolino
