#include "dialogs/frmInput.h"

#include "platform/DataFolders.h"
#include "platform/WindowPlacement.h"
#include "settings/IniManager.h"
#include "settings/LanguageSupport.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxNameLength = 30;
const char* const kSection = "AccessName";

tastolino::IniManager accessNameSettings(const QString& appFolder) {
    tastolino::IniManager ini;
    ini.nome = QFile::encodeName(tastolino::settingsFilePath(appFolder)).toStdString();
    ini.sezione = kSection;
    return ini;
}

// Capitals letter by letter: a letter without a capital of its own (ß)
// stays as it is, so the name keeps its length and spelling.
QString upperCaseName(const QString& text) {
    QString upper = text;
    for (QChar& c : upper) c = c.toUpper();
    return upper;
}

}  // namespace

frmInput::frmInput(const tastolino::UserNameInput& input, QWidget* parent)
    : QDialog(parent), input_(input) {
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(QStringLiteral("Tastolino"));
    // A fixed dialog frame without minimise or maximise buttons, kept above
    // the full-screen main window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    tastolino::SetTopMost(this, true);
    setModal(true);
    buildControls();
    applyLanguage();
    loadRememberedName();
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void frmInput::buildControls() {
    lblBenvenuto = new QLabel(this);
    lblBenvenuto->setObjectName(QStringLiteral("lblBenvenuto"));
    QFont title = lblBenvenuto->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.3);
    lblBenvenuto->setFont(title);
    lblBenvenuto->setAlignment(Qt::AlignCenter);
    lblBenvenuto->setStyleSheet(QStringLiteral("color: #1c3f66;"));

    lblDigitaNome = new QLabel(this);
    lblDigitaNome->setObjectName(QStringLiteral("lblDigitaNome"));

    txtNomeUtente = new QLineEdit(this);
    txtNomeUtente->setObjectName(QStringLiteral("txtNomeUtente"));
    txtNomeUtente->setMaxLength(kMaxNameLength);
    txtNomeUtente->installEventFilter(this);
    lblDigitaNome->setBuddy(txtNomeUtente);

    chkRemember = new QCheckBox(this);
    chkRemember->setObjectName(QStringLiteral("chkRemember"));
    chkRemember->setCursor(Qt::PointingHandCursor);

    cmdChiudi = new QPushButton(this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setCursor(Qt::PointingHandCursor);
    cmdChiudi->setDefault(true);
    cmdChiudi->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdChiudi);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 16);
    layout->setSpacing(8);
    layout->addWidget(lblBenvenuto);
    layout->addSpacing(6);
    layout->addWidget(lblDigitaNome);
    layout->addWidget(txtNomeUtente);
    layout->addWidget(chkRemember);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(txtNomeUtente, &QLineEdit::textChanged, this, &frmInput::updateRememberBox);
}

void frmInput::applyLanguage() {
    using tastolino::WindowText;
    lblBenvenuto->setText(WindowText(QStringLiteral("0012")));
    lblDigitaNome->setText(WindowText(QStringLiteral("0096")));
    chkRemember->setText(WindowText(QStringLiteral("0138")));
    cmdChiudi->setText(WindowText(QStringLiteral("9006")));
    // The button has a tooltip only in a translation.
    if (input_.languageFileActive)
        cmdChiudi->setToolTip(tastolino::GetLangString(QStringLiteral("0066")));
}

void frmInput::loadRememberedName() {
    tastolino::IniManager ini = accessNameSettings(input_.appFolder);
    const QString name = QString::fromStdString(ini.Leggi("Name", ""));
    if (!name.isEmpty()) txtNomeUtente->setText(name);
    std::string remember = ini.Leggi("Remember", "0");
    if (remember.empty()) remember = "0";
    chkRemember->setChecked(remember != "0");
    updateRememberBox();
}

// An empty box cannot be remembered: the check box follows the text.
void frmInput::updateRememberBox() {
    const bool hasText = !txtNomeUtente->text().isEmpty();
    if (!hasText) chkRemember->setChecked(false);
    chkRemember->setEnabled(hasText);
}

// A remembered name is offered fully selected, so that typing replaces it.
void frmInput::prepareForTyping() {
    txtNomeUtente->setSelection(0, kMaxNameLength);
    txtNomeUtente->setFocus(Qt::ActiveWindowFocusReason);
    updateRememberBox();
}

void frmInput::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    prepareForTyping();
}

void frmInput::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) prepareForTyping();
}

bool frmInput::eventFilter(QObject* watched, QEvent* event) {
    // A name cannot start with a blank: a blank typed into the empty box is
    // dropped.
    if (watched == txtNomeUtente && event->type() == QEvent::KeyPress &&
        txtNomeUtente->text().isEmpty()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() == QLatin1String(" ")) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmInput::storeName() {
    const QString name = upperCaseName(txtNomeUtente->text()).trimmed();
    userName_ = name;
    tastolino::IniManager ini = accessNameSettings(input_.appFolder);
    tastolino::prepareToWrite(QFile::decodeName(ini.nome.c_str()));
    // Unticking erases a remembered name; failures to write are not reported.
    if (chkRemember->isChecked()) {
        ini.Scrivi("Remember", "1");
        ini.Scrivi("Name", name.toStdString());
    } else {
        ini.Scrivi("Remember", "0");
        ini.Scrivi("Name", "");
    }
}

void frmInput::done(int result) {
    storeName();
    QDialog::done(result);
}

void frmInput::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(134, 181, 222));
    gradient.setColorAt(1, QColor(225, 239, 249));
    painter.fillRect(rect(), gradient);
    QDialog::paintEvent(event);
}
