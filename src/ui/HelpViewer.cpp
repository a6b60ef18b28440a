#include "ui/HelpViewer.h"

#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocumentFragment>
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

// The entry of `folder` named `name` ignoring case, among the entries
// `filter` lists; empty when there is none.
QString entryIgnoringCase(const QString& folder, const QString& name, QDir::Filters filter) {
    const QStringList entries = QDir(folder).entryList(filter | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    return {};
}

QString pageIn(const QString& folder, int topicId) {
    return folder + QString::number(topicId) + QStringLiteral(".html");
}

QString plainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

}  // namespace

QString HelpFolder() {
    return interfaceLanguage().folder + QStringLiteral("help/");
}

QString HelpLanguageFolder() {
    const InterfaceLanguage& language = interfaceLanguage();
    const QString italian = HelpFolder();
    const QString name = language.name;
    // A name that could lead out of the folders is no language at all.
    if (!isSafeLanguageName(name)) return italian;
    // The interface speaks the language only when its file is there.
    const QString lngFile = entryIgnoringCase(language.folder + QStringLiteral("Lang"),
                                              name + QStringLiteral(".lng"), QDir::Files);
    if (lngFile.isEmpty()) return italian;
    const QString folder = entryIgnoringCase(italian, name, QDir::Dirs);
    return folder.isEmpty() ? italian : italian + folder + QLatin1Char('/');
}

QString HelpPageFor(int topicId) {
    const QString language = HelpLanguageFolder();
    const QString italian = HelpFolder();
    if (topicId > 0) {
        for (const QString& folder : {language, italian})
            if (readableFile(pageIn(folder, topicId))) return pageIn(folder, topicId);
    }
    return readableFile(language + kIndexPage) ? language + kIndexPage : italian + kIndexPage;
}

bool HelpAvailable() {
    return readableFile(HelpLanguageFolder() + kIndexPage) ||
           readableFile(HelpFolder() + kIndexPage);
}

HelpCaptions HelpCaptionsOf(const QString& guideFolder) {
    HelpCaptions captions;
    QFile index(guideFolder + kIndexPage);
    if (!index.open(QIODevice::ReadOnly)) return captions;
    // The head is enough; the pages are UTF-8.
    const QString head = QString::fromUtf8(index.read(16384));
    const QRegularExpression title(
        QStringLiteral("<title>(.*?)</title>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch t = title.match(head);
    if (t.hasMatch() && !plainText(t.captured(1)).isEmpty())
        captions.title = plainText(t.captured(1));
    const QRegularExpression meta(
        QStringLiteral("<meta\\s+name=\"help-(back|forward|contents)\"\\s+content=\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = meta.globalMatch(head); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString text = plainText(m.captured(2));
        if (text.isEmpty()) continue;
        const QString which = m.captured(1).toLower();
        if (which == QLatin1String("back"))
            captions.back = text;
        else if (which == QLatin1String("forward"))
            captions.forward = text;
        else
            captions.contents = text;
    }
    return captions;
}

void ShowHelp(QWidget* owner, int topicId) {
    if (!HelpAvailable()) {
        // The guide is a folder of pages here, so name the page that is missing.
        seams::message(owner,
                       interfaceLanguage().helpMissingText + QStringLiteral(" ") +
                           QStringLiteral("help/") + kIndexPage,
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
    viewer->openPage(HelpPageFor(topicId), HelpPageFor(0));
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

void HelpViewer::openPage(const QString& path, const QString& home) {
    const QString homeFile =
        home.isEmpty() ? QFileInfo(path).absolutePath() + QLatin1Char('/') + kIndexPage : home;
    homePage_ = QUrl::fromLocalFile(QFileInfo(homeFile).absoluteFilePath());
    applyCaptions(QFileInfo(homeFile).absolutePath() + QLatin1Char('/'));
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

void HelpViewer::applyCaptions(const QString& guideFolder) {
    if (guideFolder == captionsFolder_) return;
    captionsFolder_ = guideFolder;
    const HelpCaptions captions = HelpCaptionsOf(guideFolder);
    setWindowTitle(captions.title);
    back_->setText(captions.back);
    forward_->setText(captions.forward);
    home_->setText(captions.contents);
}

void HelpViewer::updateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

}  // namespace tastolino
