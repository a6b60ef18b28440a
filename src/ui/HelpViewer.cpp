#include "ui/HelpViewer.h"

#include "platform/AppState.h"
#include "platform/Seams.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace tastolino {
namespace {

const QString kIndexPage = QStringLiteral("index.html");

QPointer<HelpViewer>& theViewer() {
    static QPointer<HelpViewer> viewer;
    return viewer;
}

bool readableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

}  // namespace

QString HelpFolder() {
    return appState().appFolder + QStringLiteral("help/");
}

QString HelpPageFor(int topicId) {
    const QString folder = HelpFolder();
    if (topicId > 0) {
        const QString page = folder + QString::number(topicId) + QStringLiteral(".html");
        if (readableFile(page)) return page;
    }
    return folder + kIndexPage;
}

void ShowHelp(QWidget* owner, int topicId) {
    if (!readableFile(HelpFolder() + kIndexPage)) {
        // The guide is a folder of pages here, so name the page that is missing.
        seams::message(
            owner,
            appState().helpMissingText + QStringLiteral(" ") + QStringLiteral("help/") + kIndexPage,
            QStringLiteral("Tastolino"), seams::MsgIcon::Information);
        return;
    }
    // The viewer belongs to the owner's window, so it stays usable while
    // that window is modal and goes away with it.
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    QPointer<HelpViewer>& viewer = theViewer();
    if (!viewer) {
        viewer = new HelpViewer(ownerWindow);
    } else if (viewer->parentWidget() != ownerWindow) {
        const QRect placement = viewer->geometry();
        viewer->setParent(ownerWindow, Qt::Window);
        viewer->setGeometry(placement);
    }
    viewer->openPage(HelpPageFor(topicId));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Tastolino - Guida"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(720, 560);

    auto makeButton = [this](const QString& name, QStyle::StandardPixmap icon,
                             const QString& caption) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setIcon(style()->standardIcon(icon));
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        return button;
    };
    back_ = makeButton(QStringLiteral("cmdBack"), QStyle::SP_ArrowBack, QStringLiteral("Indietro"));
    forward_ =
        makeButton(QStringLiteral("cmdForward"), QStyle::SP_ArrowForward, QStringLiteral("Avanti"));
    home_ = makeButton(QStringLiteral("cmdHome"), QStyle::SP_DirHomeIcon, QStringLiteral("Indice"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtGuida"));
    // Links are followed here: pages of the guide stay inside the viewer,
    // anything else goes to the system's opener.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 0);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home_);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, this, [this] {
        if (homePage_.isValid()) browser_->setSource(homePage_);
    });
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpViewer::updateButtons);
    updateButtons();
}

HelpViewer* HelpViewer::instance() {
    return theViewer();
}

void HelpViewer::openPage(const QString& path) {
    homePage_ = QUrl::fromLocalFile(QFileInfo(path).absolutePath() + QLatin1Char('/') + kIndexPage);
    const QUrl page = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (browser_->source() != page) browser_->setSource(page);
    updateButtons();
}

QUrl HelpViewer::currentPage() const {
    return browser_->source();
}

void HelpViewer::followLink(const QUrl& url) {
    const QUrl target = browser_->source().resolved(url);
    if (target.isLocalFile()) {
        const QString file = target.toLocalFile();
        if (!readableFile(file)) return;
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix != QLatin1String("html") && suffix != QLatin1String("htm")) {
            seams::openUrl(target);  // a document beside the guide
            return;
        }
    } else {
        seams::openUrl(target);
        return;
    }
    browser_->setSource(target);
}

void HelpViewer::updateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

}  // namespace tastolino
