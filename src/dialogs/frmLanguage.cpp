#include "dialogs/frmLanguage.h"

#include "platform/Seams.h"
#include "settings/LanguageSupport.h"
#include "ui/Artwork.h"
#include "ui/modGradient.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tastolino {

namespace {

const QString kTitle = QStringLiteral("Tastolino");

}  // namespace

frmLanguage::frmLanguage(const LanguageWindowInput& input, QWidget* parent)
    : QDialog(parent), input_(input), chosen_(input.languageName) {
    setObjectName(QStringLiteral("frmLanguage"));

    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    buildControls();
    applyLanguage();
    selection_ = input_.languageName;
    fillList();
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

QString frmLanguage::Choose(const LanguageWindowInput& input, QWidget* parent) {
    frmLanguage window(input, parent);
    seams::execModal(&window);
    return window.chosenLanguage();
}

void frmLanguage::buildControls() {
    lblMess = new QLabel(this);
    lblMess->setObjectName(QStringLiteral("lblMess"));
    lblMess->setStyleSheet(QStringLiteral("color: #1c3f66; font-weight: bold;"));

    cboFileLanguage = new QComboBox(this);
    cboFileLanguage->setObjectName(QStringLiteral("cboFileLanguage"));
    cboFileLanguage->setMinimumWidth(200);
    cboFileLanguage->setCursor(handCursor());

    cmdInfoAuthor = new QPushButton(QStringLiteral("?"), this);
    cmdInfoAuthor->setObjectName(QStringLiteral("cmdInfoAuthor"));
    cmdInfoAuthor->setCursor(handCursor());
    cmdInfoAuthor->setFixedWidth(32);

    cmdChiudi = new QPushButton(this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setCursor(handCursor());
    cmdChiudi->setDefault(true);
    cmdChiudi->setMinimumWidth(90);

    auto* choice = new QHBoxLayout;
    choice->addWidget(cboFileLanguage, 1);
    choice->addWidget(cmdInfoAuthor);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdChiudi);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->setSpacing(10);
    layout->addWidget(lblMess);
    layout->addLayout(choice);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    connect(cboFileLanguage, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!filling_) selection_ = text;
    });
    connect(cmdInfoAuthor, &QPushButton::clicked, this, &frmLanguage::ShowTranslationInfo);
    connect(cmdChiudi, &QPushButton::clicked, this, &frmLanguage::CloseWindow);
}

void frmLanguage::applyLanguage() {
    const bool fromFile = input_.languageFileActive;
    const auto text = [](const char* id) { return WindowText(QString::fromLatin1(id)); };
    setWindowTitle(text("0200"));
    lblMess->setText(text("0202"));
    cmdChiudi->setText(text("0203"));
    cmdInfoAuthor->setToolTip(text("0205"));
    // The built-in texts name the built-in language; a translation names
    // its own language when it is shown.
    texts_ = {text("0201"),
              PlacedLangString(fromFile, QStringLiteral("0206"), "%1 Italiano [Default]", "%1"),
              PlacedLangString(fromFile, QStringLiteral("0207"), "%1 [Default]", "%1")};
    unknownAuthor_ = text("9060");
    if (fromFile) cmdChiudi->setToolTip(GetLangString(QStringLiteral("0204")));
}

void frmLanguage::fillList() {
    filling_ = true;
    cboFileLanguage->clear();
    const QStringList names = LanguageFileNames(input_.appFolder);
    if (names.isEmpty())
        cboFileLanguage->addItem(DefaultEntry());
    else
        cboFileLanguage->addItems(names);
    int current = -1;
    for (int i = 0; i < cboFileLanguage->count(); ++i) {
        if (cboFileLanguage->itemText(i).compare(input_.languageName, Qt::CaseInsensitive) == 0) {
            current = i;
            break;
        }
    }
    if (current < 0) {
        current = cboFileLanguage->findText(DefaultEntry());
        if (current < 0) {
            cboFileLanguage->addItem(DefaultEntry());
            current = cboFileLanguage->count() - 1;
        }
    }
    cboFileLanguage->setCurrentIndex(current);
    filling_ = false;
}

void frmLanguage::ShowTranslationInfo() {
    QString text;
    if (input_.languageFileActive) {
        QString author = GetLangString(QStringLiteral("InfoAuthor"));
        if (author.isEmpty()) {
            author = unknownAuthor_;
        } else {
            const QString mail = GetLangString(QStringLiteral("MailAuthor"));
            if (!mail.isEmpty()) author += QLatin1Char('\n') + mail;
        }
        text = texts_[1] + QLatin1Char(' ') + input_.languageName + QStringLiteral("\n\n") +
               texts_[2] + QLatin1Char(' ') + author;
    } else {
        text = texts_[1] + QStringLiteral("\n\n") + texts_[2];
    }
    seams::message(this, text, kTitle, seams::MsgIcon::Information);
}

void frmLanguage::CloseWindow() {
    if (closing_) return;
    closing_ = true;
    if (selection_ != chosen_) {
        const QString question =
            texts_[0] + QStringLiteral(" ( ") + selection_ + QStringLiteral(" )");
        const seams::MsgAnswer answer = seams::message(
            this, question, kTitle, seams::MsgIcon::Question, seams::MsgButtons::YesNo);
        // A name that would reach outside the language folder is never taken.
        // The settings file gets the name when the main window closes.
        if (answer == seams::MsgAnswer::Yes && isSafeLanguageName(selection_)) chosen_ = selection_;
    }
    QDialog::accept();
    closing_ = false;
}

void frmLanguage::reject() {
    // The title bar's close button and Esc close the way the button does.
    CloseWindow();
}

void frmLanguage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PaintGradient(painter, 0, 0, width(), height(), 0xF9EFE1, 0xDEB686, 0xDEB686, 0xF9EFE1, true);
    QDialog::paintEvent(event);
}

}  // namespace tastolino
