#include "ui/frmShadow.h"

#include "platform/Seams.h"
#include "platform/Wait.h"
#include "ui/frmTransparency.h"

#include <QPainter>
#include <QPointer>
#include <QRect>

namespace tastolino {
namespace {

QPointer<frmShadow>& instanceRef() {
    static QPointer<frmShadow> instance;
    return instance;
}

std::vector<int>& opacitySteps() {
    static std::vector<int> steps;
    return steps;
}

}  // namespace

frmShadow* frmShadow::Instance() {
    return instanceRef().data();
}

const std::vector<int>& frmShadow::LastOpacitySteps() {
    return opacitySteps();
}

frmShadow::frmShadow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("frmShadow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

frmShadow::~frmShadow() {
    if (instanceRef() == this) instanceRef() = nullptr;
}

void frmShadow::ShowOver(QWidget* over, DialogKind kind, const DialogRunner& runDialog) {
    if (frmShadow* up = Instance()) {
        if (runDialog) runDialog(kind, up);
        return;
    }
    QWidget* window = over ? over->window() : nullptr;
    QPointer<frmShadow> sheet = new frmShadow(window);
    instanceRef() = sheet;
    if (window) {
        sheet->setGeometry(window->frameGeometry());
        sheet->covered_ = window->grab();
        sheet->coveredAt_ = window->geometry().topLeft() - window->frameGeometry().topLeft();
    } else {
        sheet->setGeometry(QRect(QPoint(0, 0), seams::screenSize()));
    }
    sheet->Form_Load(kind, runDialog);
    // The main window may have gone (and taken the sheet with it) while
    // the dialog was open.
    if (!sheet) return;
    delete sheet.data();
    if (window && window->isVisible()) window->activateWindow();
}

void frmShadow::SetAlpha(int alpha) {
    opacitySteps().push_back(alpha);
    alpha_ = alpha;
    repaint();
}

void frmShadow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!covered_.isNull()) p.drawPixmap(coveredAt_, covered_);
    p.fillRect(rect(), QColor(0, 0, 0, alpha_));
}

void frmShadow::Form_Load(DialogKind kind, const DialogRunner& runDialog) {
    opacitySteps().clear();
    if (frmTransparency::Shown()) frmTransparency::HideCover();
    SetAlpha(kDimAlpha);

    show();
    if (!waitAlive(this, 0) || !waitAlive(this, 200) || !waitAlive(this, 0)) return;

    if (isDialog(kind) && runDialog) {
        const QPointer<frmShadow> self(this);
        runDialog(kind, this);
        if (!self) return;
    }

    for (int alpha = 160; alpha >= 0; alpha -= 5) {
        SetAlpha(alpha);
        if (!waitAlive(this, 10) || !waitAlive(this, 0)) return;
    }
}

}  // namespace tastolino
