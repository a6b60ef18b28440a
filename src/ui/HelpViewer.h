// The program's guide: HTML pages in <appFolder>/help/, shown in a window of
// the program. Page "index.html" is the default topic; a context number n
// opens "n.html".
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

// The folder of the guide, "<appFolder>help/".
QString HelpFolder();
// The page for a context number: "<n>.html" when it exists, else the index.
QString HelpPageFor(int topicId);

class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The one viewer, or null while none is open.
    static HelpViewer* instance();

    void openPage(const QString& path);
    QUrl currentPage() const;

  private:
    void followLink(const QUrl& url);
    void updateButtons();

    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* home_;
    QUrl homePage_;
};

}  // namespace tastolino
