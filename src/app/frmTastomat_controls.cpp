// Construction of the main window's controls at the design size of
// 800 x 600 pixels. Every control is a named child at a fixed position, so
// that the resizer can enlarge the whole window on large screens and tests
// can find each control by name.
#include "app/frmTastomat.h"

#include "app/MainWindowParts.h"
#include "exercise/AppState.h"
#include "exercise/Scoring.h"
#include "settings/LanguageSupport.h"
#include "ui/GradientPanel.h"
#include "ui/cTooltip.h"
#include "ui/modGradient.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cmath>

namespace tastolino {

namespace {

const QString kSans = QStringLiteral("Liberation Sans");
const QString kSymbols = QStringLiteral("DejaVu Sans");

QFont makeFont(const QString& family, qreal pointSize, bool bold = false) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& geometry,
                  const QString& text = {}, const QFont& font = makeFont(kSans, 8),
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

// A small grey caption above a value.
QLabel* makeCaption(QWidget* parent, const char* name, const QRect& geometry) {
    QLabel* caption =
        makeLabel(parent, QString::fromLatin1(name), geometry, {}, makeFont(kSans, 7, true));
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, QColor(0x5A, 0x6B, 0x80));
    caption->setPalette(palette);
    return caption;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

qreal ringRadius(const QSize& sheet) {
    return sheet.height() / 160.0 + 1.6;
}

// The rows the rings' antialiased edges lie in, with a margin.
int ringRows(const QSize& sheet) {
    return int(std::ceil(2 * ringRadius(sheet) + 6));
}

// The notebook sheet: a gradient with the rings of a spiral binding along
// its top edge and a thin frame. Like the other panels here, only its
// antialiased rings need the whole-row painting of a gradient surface.
GradientPanel::Painter notebookPainter() {
    return [](QPainter& p, const QSize& s) {
        PaintGradient(p, 0, 0, s.width(), s.height(), 0xFFFFFF, 0xFFFFFF, 0xF0E6DC, 0xF0E6DC, true);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal radius = ringRadius(s);
        constexpr int kRings = 38;
        const qreal step = (s.width() - 36) / qreal(kRings - 1);
        const bool ringsShown = !VisibleArea(p, QRect(0, 0, s.width(), ringRows(s))).isEmpty();
        for (int ring = 0; ringsShown && ring < kRings; ++ring) {
            const qreal x = 18 + ring * step;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x9A, 0xA4, 0xB0));
            p.drawEllipse(QPointF(x, radius + 2.5), radius, radius);
            p.setBrush(QColor(0x55, 0x5F, 0x6B));
            p.drawEllipse(QPointF(x + 0.6, radius + 3.1), radius * 0.55, radius * 0.55);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(0x8A, 0x9B, 0xB0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(QPoint(0, 0), s).adjusted(0, 0, -1, -1));
        p.setPen(QColor(255, 255, 255, 180));
        p.drawLine(1, 1, s.width() - 2, 1);
    };
}

// The dark tray the keyboard lies in.
GradientPanel::Painter trayPainter() {
    return [](QPainter& p, const QSize& s) {
        PaintGradient(p, 0, 0, s.width(), s.height(), 0x7A6452, 0x7A6452, 0x3E3024, 0x3E3024, true);
        p.setPen(QColor(0x2A, 0x20, 0x18));
        p.drawRect(QRect(QPoint(0, 0), s).adjusted(0, 0, -1, -1));
    };
}

// The status bar below the notebook: a soft gradient with a dotted rule.
GradientPanel::Painter bottomBarPainter() {
    return [](QPainter& p, const QSize& s) {
        PaintGradient(p, 0, 0, s.width(), s.height(), 0xFBF5EF, 0xFBF5EF, 0xE2D2C4, 0xE2D2C4, true);
        p.setPen(QColor(0x8A, 0x9B, 0xB0));
        p.drawRect(QRect(QPoint(0, 0), s).adjusted(0, 0, -1, -1));
        p.setPen(QColor(0xB8, 0xC4, 0xD2));
        const QRect rule = VisibleArea(p, QRect(8, s.height() - 6, s.width() - 16, 1));
        if (rule.isEmpty()) return;
        // Every fourth pixel from the left end, within what can show.
        const int from = 8 + (rule.left() - 8 + 3) / 4 * 4;
        for (int x = from; x <= rule.right(); x += 4) p.drawPoint(x, s.height() - 6);
    };
}

// Side panels: the usual panel look with a frame.
GradientPanel::Painter framedPanelPainter() {
    return [](QPainter& p, const QSize& s) {
        PaintPanel(p, s);
        p.setPen(QColor(0x8A, 0x9B, 0xB0));
        p.drawRect(QRect(QPoint(0, 0), s).adjusted(0, 0, -1, -1));
    };
}

// The message panel: the side-panel look with a shaded top edge.
GradientPanel::Painter messagePanelPainter() {
    return [](QPainter& p, const QSize& s) {
        framedPanelPainter()(p, s);
        for (int y = 0; y <= 10; ++y) {
            p.setPen(ColorFromBgr(messageShadeColour(y)));
            p.drawLine(1, y + 1, s.width() - 2, y + 1);
        }
    };
}

}  // namespace

void frmTastomat::CreateControls() {
    CreateNotebook();
    CreateBottomBar();
    CreateMenuStrip();
}

void frmTastomat::CreateNotebook() {
    picNotebook = new GradientPanel(notebookPainter(), this);
    picNotebook->setRowExact(true);
    picNotebook->setWholeTopRows(ringRows);
    picNotebook->setObjectName(QStringLiteral("picNotebook"));
    picNotebook->setGeometry(20, 40, 760, 480);

    picDisplay = new DisplayPanel(picNotebook);
    picDisplay->setObjectName(QStringLiteral("picDisplay"));
    picDisplay->setGeometry(12, 12, 597, 88);
    picDisplay->setFont(makeFont(kSans, 12));

    lblFraseCorr = makeLabel(picDisplay, QStringLiteral("lblFraseCorr"), QRect(5, 0, 587, 86), {},
                             makeFont(kSans, 12, true), Qt::AlignLeft | Qt::AlignTop);
    lblFraseCorr->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblFraseCorr->setContentsMargins(0, 6, 0, 0);
    setTextColour(lblFraseCorr, QColor(0x10, 0x20, 0x40));

    shpIndex = new ShapeBox(ColorFromBgr(0xFF0000), picDisplay);
    shpIndex->setObjectName(QStringLiteral("shpIndex"));
    shpIndex->setGeometry(5, 30, 0, 3);

    txtInput = new QLineEdit(picNotebook);
    txtInput->setObjectName(QStringLiteral("txtInput"));
    txtInput->setGeometry(12, 106, 597, 30);
    txtInput->setFont(makeFont(kSans, 12));
    txtInput->setReadOnly(true);
    txtInput->setContextMenuPolicy(Qt::NoContextMenu);
    txtInput->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; border: 1px solid #7F93AA; border-radius: 3px;"
                       " padding: 0 6px; color: #102040; }")
            .arg(ColorFromBgr(0xE4C49C).name()));

    // Speed gauges: the speed bar between its two end icons, the best-speed
    // bar under it, and the progress bar of a free text.
    imgMedia[0] = makeLabel(picNotebook, QStringLiteral("imgMedia0"), QRect(12, 146, 20, 20));
    picProgress = new QWidget(picNotebook);
    picProgress->setObjectName(QStringLiteral("picProgress"));
    picProgress->setGeometry(36, 148, 300, 16);
    // A faint track, so the bar's place shows while it is short.
    picProgress->setAutoFillBackground(true);
    {
        QPalette track = picProgress->palette();
        track.setColor(QPalette::Window, QColor(0xE6, 0xEA, 0xF0));
        picProgress->setPalette(track);
    }
    imgGradiente = makeLabel(picProgress, QStringLiteral("imgGradiente"), QRect(0, 0, 300, 16));
    imgGradiente->setScaledContents(true);
    imgMedia[1] = makeLabel(picNotebook, QStringLiteral("imgMedia1"), QRect(340, 146, 20, 20));
    picMax = makeLabel(picNotebook, QStringLiteral("picMax"), QRect(36, 170, 300, 10));
    picMax->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* image : {imgMedia[0], imgMedia[1], imgGradiente}) {
        image->setProperty("resizeKind", QStringLiteral("image"));
        image->setScaledContents(true);
    }
    for (QWidget* gauge : {static_cast<QWidget*>(imgMedia[0]), picProgress,
                           static_cast<QWidget*>(imgMedia[1]), static_cast<QWidget*>(picMax)})
        gauge->hide();

    lbliconeScreen[0] =
        makeLabel(picNotebook, QStringLiteral("lbliconeScreen0"), QRect(12, 198, 348, 14));
    lbliconeScreen[0]->setFrameShape(QFrame::Box);
    lbliconeScreen[0]->hide();
    shpProgressTime = new ShapeBox(QColor(0x3C, 0x8D, 0xDC), picNotebook);
    shpProgressTime->setObjectName(QStringLiteral("shpProgressTime"));
    shpProgressTime->setGeometry(13, 199, 0, 12);
    shpProgressTime->hide();

    // The message after a sentence, with its score icon.
    picMessaggio = new GradientPanel(messagePanelPainter(), picNotebook);
    picMessaggio->setRowExact(true);
    picMessaggio->setObjectName(QStringLiteral("picMessaggio"));
    picMessaggio->setGeometry(370, 142, 239, 90);
    imgIconaPunteggio =
        makeLabel(picMessaggio, QStringLiteral("imgIconaPunteggio"), QRect(6, 8, 32, 32));
    imgIconaPunteggio->setProperty("resizeKind", QStringLiteral("image"));
    imgIconaPunteggio->setScaledContents(true);
    lblMessaggio = makeLabel(picMessaggio, QStringLiteral("lblMessaggio"), QRect(44, 4, 190, 82),
                             {}, makeFont(kSans, 8), Qt::AlignLeft | Qt::AlignVCenter);
    lblMessaggio->setWordWrap(true);
    picMessaggio->hide();

    picFondoNotebook = new GradientPanel(trayPainter(), picNotebook);
    picFondoNotebook->setRowExact(true);
    picFondoNotebook->setObjectName(QStringLiteral("picFondoNotebook"));
    picFondoNotebook->setGeometry(6, 237, 609, 227);

    CreateSourceMenu(picNotebook);
    CreateLevelPanel(picNotebook);

    // Level averages with their lamps, beside the keyboard.
    bottomCaptions[5] = makeCaption(picNotebook, "lblCaptionAverages", QRect(622, 246, 130, 16));
    static const uint32_t dimLamps[3] = {0x00C000, 0x00C0C0, 0x0040C0};
    for (int i = 0; i < 3; ++i) {
        QLabel* lamp = makeLabel(picNotebook, QStringLiteral("lblMediaLevel%1").arg(i + 3),
                                 QRect(622, 266 + i * 38, 12, 32));
        lamp->setAutoFillBackground(true);
        QPalette palette = lamp->palette();
        palette.setColor(QPalette::Window, ColorFromBgr(dimLamps[i]));
        lamp->setPalette(palette);
        lamp->setFrameShape(QFrame::Panel);
        lamp->setFrameShadow(QFrame::Sunken);
        lblMediaLevel[i + 3] = lamp;

        QLabel* average = makeLabel(picNotebook, QStringLiteral("lblMediaLevel%1").arg(i),
                                    QRect(638, 266 + i * 38, 114, 32), {},
                                    makeFont(kSans, 14, true), Qt::AlignCenter);
        average->setFrameShape(QFrame::StyledPanel);
        average->setAutoFillBackground(true);
        QPalette back = average->palette();
        back.setColor(QPalette::Window, Qt::white);
        average->setPalette(back);
        setTextColour(average, QColor(0x20, 0x30, 0x50));
        lblMediaLevel[i] = average;
    }

    cmdStart = new QPushButton(QStringLiteral("Enter  \u21B5"), picNotebook);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setGeometry(622, 418, 130, 40);
    cmdStart->setFont(makeFont(kSans, 11, true));
    cmdStart->setEnabled(false);
    cmdStart->setFocusPolicy(Qt::NoFocus);
}

void frmTastomat::CreateSourceMenu(QWidget* parent) {
    picMenu = new GradientPanel(framedPanelPainter(), parent);
    picMenu->setRowExact(true);
    picMenu->setObjectName(QStringLiteral("picMenu"));
    picMenu->setGeometry(622, 14, 130, 150);
    // Captions and tooltips come with the interface texts.
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(picMenu);
        option->setObjectName(QStringLiteral("optMenu%1").arg(i));
        option->setGeometry(6, 6 + i * 22, 122, 20);
        option->setFont(makeFont(kSans, i == 4 ? 8 : 7.5));
        option->setFocusPolicy(Qt::NoFocus);
        optMenu[i] = option;
    }
    optMenu[0]->setChecked(true);
    lblIconaEsercizio =
        makeLabel(picMenu, QStringLiteral("lblIconaEsercizio"), QRect(6, 120, 22, 22),
                  QStringLiteral("&"), makeFont(kSymbols, 11), Qt::AlignCenter);
    lblIconaEsercizio->setTextFormat(Qt::PlainText);
    cboListFile = new FileListBox(picMenu);
    cboListFile->setObjectName(QStringLiteral("cboListFile"));
    cboListFile->setGeometry(28, 120, 98, 22);
    cboListFile->setFont(makeFont(kSans, 7.5));
    cboListFile->setEnabled(false);
    cboListFile->setFocusPolicy(Qt::NoFocus);
    picMenu->hide();
}

void frmTastomat::CreateLevelPanel(QWidget* parent) {
    picLevel = new GradientPanel(framedPanelPainter(), parent);
    picLevel->setRowExact(true);
    picLevel->setObjectName(QStringLiteral("picLevel"));
    picLevel->setGeometry(622, 172, 130, 60);
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(picLevel);
        option->setObjectName(QStringLiteral("optLevel%1").arg(i));
        option->setGeometry(8, 7 + i * 25, 118, 22);
        option->setFont(makeFont(kSans, 8.5, true));
        option->setFocusPolicy(Qt::NoFocus);
        optLevel[i] = option;
    }
    optLevel[0]->setChecked(true);
    picLevel->hide();
}

void frmTastomat::CreateBottomBar() {
    picBottomBar = new GradientPanel(bottomBarPainter(), this);
    picBottomBar->setRowExact(true);
    picBottomBar->setObjectName(QStringLiteral("picBottomBar"));
    picBottomBar->setGeometry(20, 528, 760, 62);

    bottomCaptions[0] = makeCaption(picBottomBar, "lblCaptionTime", QRect(12, 5, 80, 14));
    lblTime = makeLabel(picBottomBar, QStringLiteral("lblTime"), QRect(12, 19, 80, 32),
                        QStringLiteral("00:00"), makeFont(kSans, 16, true), Qt::AlignCenter);
    lblTime->setFrameShape(QFrame::StyledPanel);
    setTextColour(lblTime, QColor(0x20, 0x30, 0x50));

    bottomCaptions[1] = makeCaption(picBottomBar, "lblCaptionSentence", QRect(104, 5, 60, 14));
    lblNumFrase = makeLabel(picBottomBar, QStringLiteral("lblNumFrase"), QRect(104, 19, 50, 32),
                            QStringLiteral("0"), makeFont(kSans, 16, true), Qt::AlignCenter);
    lblNumFrase->setFrameShape(QFrame::StyledPanel);
    setTextColour(lblNumFrase, QColor(0x20, 0x30, 0x50));

    static const QColor colours[2] = {QColor(0x1B, 0x7A, 0x2E), QColor(0xB0, 0x24, 0x24)};
    for (int i = 0; i < 2; ++i) {
        const int x = 168 + i * 136;
        bottomCaptions[size_t(2 + i)] = makeCaption(
            picBottomBar, i == 0 ? "lblCaptionCorrect" : "lblCaptionWrong", QRect(x, 5, 120, 14));
        QLabel* counter =
            makeLabel(picBottomBar, QStringLiteral("lblNumBatt%1").arg(i), QRect(x, 19, 124, 32),
                      QStringLiteral("0 / 0"), makeFont(kSans, 14, true), Qt::AlignCenter);
        counter->setFrameShape(QFrame::StyledPanel);
        setTextColour(counter, colours[i]);
        lblNumBatt[i] = counter;
    }

    bottomCaptions[4] = makeCaption(picBottomBar, "lblCaptionErrors", QRect(442, 5, 60, 14));
    lblSmile = makeLabel(picBottomBar, QStringLiteral("lblSmile"), QRect(442, 19, 40, 32), {},
                         makeFont(kSymbols, 16), Qt::AlignCenter);
    lblSmile->setFrameShape(QFrame::StyledPanel);

    QLabel* brand =
        makeLabel(picBottomBar, {}, QRect(560, 12, 188, 38), QStringLiteral("Tastolino"),
                  makeFont(kSans, 20, true), Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(brand, QColor(0x5A, 0x6B, 0x80));
}

void frmTastomat::CreateMenuStrip() {
    // Close, restart, information, sounds, finger map, highlight, background
    // colour, type the character for me, statistics (three rising bars).
    static const char16_t* const symbols[9] = {u"\u2716", u"\u21BB", u"\u2139",
                                               u"\u266B", u"\u261B", u"\u2726",
                                               u"\u25D1", u"\u270D", u"\u2581\u2583\u2586"};
    for (int i = 0; i < 9; ++i) {
        QLabel* item = makeLabel(this, QStringLiteral("lblMenu%1").arg(i),
                                 QRect(20 + i * 36, 5, 30, 28), QString::fromUtf16(symbols[i]),
                                 makeFont(kSymbols, i == 8 ? 9 : 14), Qt::AlignCenter);
        item->setAutoFillBackground(true);
        QPalette palette = item->palette();
        palette.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xFA));
        palette.setColor(QPalette::WindowText, QColor(0x22, 0x33, 0x55));
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xA0, 0xA8, 0xB4));
        item->setPalette(palette);
        item->setFrameShape(QFrame::Box);
        item->setCursor(Qt::PointingHandCursor);
        item->installEventFilter(this);
        lblMenu[i] = item;

        ShapeBox* marker = new ShapeBox(QColor(0xA0, 0xA8, 0xB4), this);
        marker->setObjectName(QStringLiteral("shpMenu%1").arg(i));
        marker->setGeometry(20 + i * 36 + 5, 34, 20, 4);
        marker->SetRounded(true);
        marker->setVisible(i >= 3 && i <= 5);
        shpMenu[i] = marker;
    }
    lblMenu[7]->hide();

    shpEV = new HoverFrame(this);
    shpEV->setObjectName(QStringLiteral("shpEV"));
    shpEV->hide();
}

void frmTastomat::SetupBalloonTips(bool fromFile) {
    // The level group's title, the two level options, the source group's
    // title and the five source options.
    const std::array<QString, 9> text = BalloonTipTexts(fromFile);

    // New objects replace the old ones, which detach their controls.
    sourceTips = std::make_unique<cTooltip>();
    levelTips = std::make_unique<cTooltip>();
    for (cTooltip* tip : {sourceTips.get(), levelTips.get()}) {
        tip->setDelayTime(100);
        tip->setVisibleTime(15000);
    }
    if (sourceTips->Create(this)) {
        sourceTips->setIcon(cTooltip::InfoIcon);
        sourceTips->setTitle(text[3]);
        for (size_t i = 0; i < optMenu.size(); ++i) sourceTips->AddTool(optMenu[i], text[4 + i]);
    }
    if (levelTips->Create(this)) {
        levelTips->setIcon(cTooltip::InfoIcon);
        levelTips->setTitle(text[0]);
        for (size_t i = 0; i < optLevel.size(); ++i) levelTips->AddTool(optLevel[i], text[1 + i]);
    }
}

void frmTastomat::FitOptionTexts() {
    // Clear of the panel's frame on the right.
    for (QRadioButton* option : optMenu) FitOptionText(option, picMenu->width() - 3 - option->x());
    for (QRadioButton* option : optLevel)
        FitOptionText(option, picLevel->width() - 3 - option->x());
    // The captions keep to the width of the field below them.
    for (QLabel* caption : bottomCaptions) FitOptionText(caption, caption->width());
}

void frmTastomat::PlaceMainPanels() {
    // The notebook is centred across and sits 20 pixels above the middle;
    // the menu strip and the bottom bar keep their places relative to it.
    const QSize screen = size();
    const QPoint before = picNotebook->pos();
    const QPoint after(std::max(0, (screen.width() - picNotebook->width()) / 2),
                       std::max(0, (screen.height() - picNotebook->height()) / 2 - 20));
    const QPoint shift = after - before;
    if (shift.isNull()) return;
    picNotebook->move(after);
    picBottomBar->move(picBottomBar->pos() + shift);
    for (size_t i = 0; i < lblMenu.size(); ++i) {
        lblMenu[i]->move(lblMenu[i]->pos() + shift);
        shpMenu[i]->move(shpMenu[i]->pos() + shift);
    }
}

}  // namespace tastolino
