#include "dialogs/frmAbout.h"

#include "platform/Seams.h"
#include "platform/Sounds.h"
#include "platform/WindowPlacement.h"
#include "settings/LanguageSupport.h"
#include "ui/Artwork.h"
#include "ui/ClsResize.h"
#include "ui/GradientPanel.h"
#include "ui/HelpViewer.h"
#include "ui/modGradient.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace tastolino {

namespace {

const QString kTitle = QStringLiteral("Tastolino");
const QString kLinkStyle = QStringLiteral("color: #0b3d91; text-decoration: underline;");

// A small keyboard with a sheet of paper: the print-keyboard picture.
QPixmap printKeyboardPicture() {
    QPixmap pixmap(40, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10.5, 1.5, 20, 14));
    p.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 1));
    for (int y = 5; y <= 11; y += 3) p.drawLine(QPointF(13, y + 0.5), QPointF(28, y + 0.5));
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1));
    p.setBrush(QColor(0xde, 0xb6, 0x86));
    p.drawRoundedRect(QRectF(1.5, 14.5, 37, 16), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 7; ++col) p.drawRect(QRectF(4 + col * 4.7, 17 + row * 5, 3.4, 3.4));
    p.drawRect(QRectF(11, 27, 17, 2));
    return pixmap;
}

// A globe: the picture beside the web links.
QPixmap globePicture() {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF globe(1.5, 1.5, 15, 15);
    p.setPen(QPen(QColor(0x0b, 0x3d, 0x91), 1.2));
    p.setBrush(QColor(0xcf, 0xe3, 0xf7));
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5.5, 1.5, 7, 15));
    p.drawLine(QPointF(1.5, 9), QPointF(16.5, 9));
    p.drawLine(QPointF(9, 1.5), QPointF(9, 16.5));
    return pixmap;
}

}  // namespace

const QString& frmAbout::HomePageUrl() {
    static const QString url = QStringLiteral("https://tastolino.example.org");
    return url;
}

const QString& frmAbout::RecommendedSiteUrl() {
    static const QString url = QStringLiteral("https://rezudizuz.example.org");
    return url;
}

const QString& frmAbout::AuthorAddress() {
    static const QString address = QStringLiteral("info@tastolino.example.org");
    return address;
}

frmAbout::frmAbout(const AboutInput& input, QWidget* parent) : QDialog(parent), input_(input) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(kTitle);
    // Kept above the main window, which may fill the screen.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    SetTopMost(this, true);
    setModal(true);
    if (input_.largeScreen) {
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() * ClsResize::fontFactor());
        setFont(f);
    }
    buildControls();
    applyLanguage();

    // Printing is offered only where there is a printer to print on.
    const bool printer = seams::printerAvailable();
    lblPrintKey->setEnabled(printer);
    imgPrintKey->setEnabled(printer);

    lblVersione->setText(versionText());
    lblTitolo->setText(kTitle);
    playSoundIf(input_.soundOn, Sound::About);
    const double scale = input_.largeScreen ? ClsResize::fontFactor() : 1.0;
    setFixedSize(sizeHint().expandedTo(QSize(int(440 * scale), 0)));
}

QLabel* frmAbout::makeLabel(const char* name, const QString& text, bool link) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(!link);
    if (link) {
        label->setStyleSheet(kLinkStyle);
        label->setCursor(handCursor());
        label->installEventFilter(this);
    }
    return label;
}

void frmAbout::buildControls() {
    // Title panel: name and version.
    picBar = new GradientPanel(GradientPanel::panelPainter(), this);
    picBar->setObjectName(QStringLiteral("picBar"));
    lblTitolo = new QLabel(kTitle, picBar);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont titleFont(QStringLiteral("Liberation Sans"));
    titleFont.setPointSizeF(font().pointSizeF() * 1.9);
    titleFont.setBold(true);
    lblTitolo->setFont(titleFont);
    lblTitolo->setStyleSheet(QStringLiteral("color: #1c3f66;"));
    lblVersione = new QLabel(picBar);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    lblVersione->setStyleSheet(QStringLiteral("color: #40556e;"));
    auto* bar = new QHBoxLayout(picBar);
    bar->setContentsMargins(16, 8, 16, 8);
    bar->addWidget(lblTitolo);
    bar->addStretch();
    bar->addWidget(lblVersione, 0, Qt::AlignBottom);

    lblWebSite = makeLabel("lblWebSite", {});
    lblHomePage = makeLabel("lblHomePage", HomePageUrl(), true);
    lblRezudizuz = makeLabel("lblRezudizuz", {});
    lblRezudizuzLink = makeLabel("lblRezudizuzLink", RecommendedSiteUrl(), true);
    lblEmail = makeLabel("lblEmail", AuthorAddress(), true);
    for (int i = 0; i < 2; ++i) {
        imgUrl[i] = new QLabel(this);
        imgUrl[i]->setObjectName(QStringLiteral("imgUrl%1").arg(i));
        imgUrl[i]->setPixmap(globePicture());
        imgUrl[i]->setCursor(handCursor());
        imgUrl[i]->installEventFilter(this);
    }
    lblFreewareMsg = makeLabel("lblFreewareMsg", {});
    lblVideoSetting = makeLabel("lblVideoSetting", {});
    lblLayoutKeyb = makeLabel("lblLayoutKeyb", {});
    for (QLabel* note : {lblFreewareMsg, lblVideoSetting, lblLayoutKeyb})
        note->setStyleSheet(QStringLiteral("color: #40556e;"));

    imgPrintKey = new QLabel(this);
    imgPrintKey->setObjectName(QStringLiteral("imgPrintKey"));
    imgPrintKey->setPixmap(printKeyboardPicture());
    imgPrintKey->setCursor(handCursor());
    imgPrintKey->installEventFilter(this);
    lblPrintKey = makeLabel("lblPrintKey", {}, true);
    lblPrintKey->setStyleSheet(
        QStringLiteral("QLabel { color: #0b3d91; font-weight: bold; }"
                       "QLabel:disabled { color: #8a8a8a; }"));

    QFont glyphFont(QStringLiteral("DejaVu Sans"));
    glyphFont.setPointSizeF(font().pointSizeF() * 1.3);
    glyphFont.setBold(true);
    cmdHelp = new QPushButton(QStringLiteral("?"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdLingua = new QPushButton(QStringLiteral("\u2691"), this);  // a flag
    cmdLingua->setObjectName(QStringLiteral("cmdLingua"));
    for (QPushButton* glyph : {cmdHelp, cmdLingua}) {
        glyph->setFont(glyphFont);
        glyph->setFixedSize(36, 30);
    }
    cmdChiudi = new QPushButton(this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setDefault(true);
    cmdChiudi->setMinimumWidth(90);
    for (QPushButton* button : {cmdHelp, cmdLingua, cmdChiudi}) button->setCursor(handCursor());

    auto linkRow = [](QLabel* picture, QLabel* link) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        if (picture) row->addWidget(picture);
        row->addWidget(link);
        row->addStretch();
        return row;
    };
    auto* print = new QHBoxLayout;
    print->setSpacing(10);
    print->addWidget(imgPrintKey);
    print->addWidget(lblPrintKey);
    print->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdLingua);
    buttons->addStretch();
    buttons->addWidget(cmdChiudi);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(20, 12, 20, 14);
    body->setSpacing(6);
    body->addWidget(lblWebSite);
    body->addLayout(linkRow(imgUrl[0], lblHomePage));
    body->addSpacing(4);
    body->addWidget(lblRezudizuz);
    body->addLayout(linkRow(imgUrl[1], lblRezudizuzLink));
    body->addSpacing(4);
    body->addLayout(linkRow(nullptr, lblEmail));
    body->addSpacing(8);
    body->addLayout(print);
    body->addSpacing(8);
    body->addWidget(lblFreewareMsg);
    body->addWidget(lblVideoSetting);
    body->addWidget(lblLayoutKeyb);
    body->addSpacing(6);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(picBar);
    layout->addLayout(body);

    connect(cmdChiudi, &QPushButton::clicked, this, &frmAbout::CloseWindow);
    connect(cmdHelp, &QPushButton::clicked, this, &frmAbout::RequestHelp);
    connect(cmdLingua, &QPushButton::clicked, this, &frmAbout::RequestLanguage);
}

void frmAbout::applyLanguage() {
    const auto text = [](const char* id) { return WindowText(QString::fromLatin1(id)); };
    cmdChiudi->setToolTip(text("0066"));
    cmdHelp->setToolTip(text("0067"));
    lblHomePage->setToolTip(text("0068"));
    lblPrintKey->setText(text("0069"));
    lblFreewareMsg->setText(text("0070"));
    // Two lines with a language file, one line built in.
    lblVideoSetting->setText(input_.languageFileActive
                                 ? text("0071") + QLatin1Char('\n') + text("0072")
                                 : text("0071") + QStringLiteral("  ") + text("0072") +
                                       QStringLiteral("  "));
    lblLayoutKeyb->setText(text("0073") + QLatin1Char(' ') + text("1003"));
    lblWebSite->setText(text("0074"));
    lblRezudizuz->setText(text("0143"));
    cmdChiudi->setText(WindowText(QStringLiteral("0075"), QStringLiteral("&Chiudi")));
    cmdLingua->setToolTip(text("0115"));
    versionWord_ = text("9040");
}

QString frmAbout::versionText() const {
    return QStringLiteral("%1 %2.%3.%4")
        .arg(versionWord_)
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

QUrl frmAbout::mailUrl() const {
    QUrl url(QStringLiteral("mailto:") + AuthorAddress());
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"),
                       kTitle + QStringLiteral(" (IT) - ") + lblVersione->text());
    url.setQuery(query);
    return url;
}

void frmAbout::CloseWindow() {
    done(Closed);
}

void frmAbout::RequestHelp() {
    done(HelpRequested);
}

void frmAbout::RequestLanguage() {
    done(LanguageRequested);
}

void frmAbout::RequestPrint() {
    if (!lblPrintKey->isEnabled()) return;
    done(PrintRequested);
}

void frmAbout::OpenLink(const QUrl& url) {
    // A missing browser or mail program only leaves the window closed.
    seams::openUrl(url);
    done(LinkOpened);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (mouse->button() != Qt::LeftButton || !widget || !widget->isEnabled() ||
        !widget->rect().contains(mouse->position().toPoint()))
        return QDialog::eventFilter(watched, event);
    if (watched == lblPrintKey || watched == imgPrintKey)
        RequestPrint();
    else if (watched == lblHomePage || watched == imgUrl[0])
        OpenLink(QUrl(HomePageUrl()));
    else if (watched == lblRezudizuzLink || watched == imgUrl[1])
        OpenLink(QUrl(RecommendedSiteUrl()));
    else if (watched == lblEmail)
        OpenLink(mailUrl());
    else
        return QDialog::eventFilter(watched, event);
    return true;
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintGradient(p, 0, 0, width(), height(), 0xF9EFE1, 0xDEB686, 0xDEB686, 0xF9EFE1, true);
}

void frmAbout::Show(QWidget* parent, const AboutInput& input, const AboutCommands& commands) {
    QPointer<QWidget> owner(parent);
    frmAbout window(input, parent);
    for (;;) {
        const int outcome = seams::execModal(&window);
        switch (outcome) {
            case HelpRequested:
                // The guide belongs to the main window: this one closes now,
                // and a viewer owned by it would close with it.
                window.hide();
                ShowHelp(owner, 0);
                return;
            case LanguageRequested: {
                window.hide();
                if (commands.chooseLanguage && commands.chooseLanguage(owner)) return;
                continue;  // the same language: back to this window
            }
            case PrintRequested:
                window.hide();
                if (commands.printKeyboard) commands.printKeyboard();
                return;
            case LinkOpened:
                window.hide();
                if (owner) owner->window()->showMinimized();
                return;
            default:
                return;
        }
    }
}

}  // namespace tastolino
