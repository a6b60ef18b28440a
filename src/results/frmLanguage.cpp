#include "results/frmLanguage.h"

#include "keyboard/KeyArtwork.h"
#include "platform/AppState.h"
#include "platform/DataFolders.h"
#include "platform/Seams.h"
#include "settings/IniManager.h"
#include "settings/LanguageSupport.h"
#include "settings/Settings.h"
#include "ui/modGradient.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tastolino {

namespace {

const QString kTitle = QStringLiteral("Tastolino");

// Keeps the chosen name in the settings file, so that a choice survives even
// when the main window never gets to save its options.
void storeLanguageName(const QString& name) {
    IniManager ini;
    const QString path = settingsFilePath(appState().appFolder);
    prepareToWrite(path);
    ini.nome = QFile::encodeName(path).toStdString();
    ini.sezione = "Language";
    ini.Scrivi("CurrentLanguage", name.toStdString());
}

}  // namespace

frmLanguage::frmLanguage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLanguage"));
    setWindowTitle(QStringLiteral("Scelta lingua"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    texts_ = {QStringLiteral("Confermi l'impostazione della lingua selezionata?"),
              QStringLiteral("Lingua attuale: Italiano [Default]"),
              QStringLiteral("Autore: [Default]")};
    buildControls();
    applyLanguage();
    selection_ = appState().languageName;
    fillList();
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

bool frmLanguage::Choose(QWidget* parent) {
    const QString before = appState().languageName;
    frmLanguage window(parent);
    seams::execModal(&window);
    return appState().languageName != before;
}

void frmLanguage::buildControls() {
    lblMess = new QLabel(QStringLiteral("Seleziona la lingua da usare"), this);
    lblMess->setObjectName(QStringLiteral("lblMess"));
    lblMess->setStyleSheet(QStringLiteral("color: #1c3f66; font-weight: bold;"));

    cboFileLanguage = new QComboBox(this);
    cboFileLanguage->setObjectName(QStringLiteral("cboFileLanguage"));
    cboFileLanguage->setMinimumWidth(200);
    cboFileLanguage->setCursor(handCursor());

    cmdInfoAuthor = new QPushButton(QStringLiteral("?"), this);
    cmdInfoAuthor->setObjectName(QStringLiteral("cmdInfoAuthor"));
    cmdInfoAuthor->setToolTip(QStringLiteral("Informazioni sulla traduzione"));
    cmdInfoAuthor->setCursor(handCursor());
    cmdInfoAuthor->setFixedWidth(32);

    cmdChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
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
    if (!appState().languageFileActive) return;
    // A text the file lacks keeps its Italian caption.
    setWindowTitle(LangStringOr(QStringLiteral("0200"), windowTitle()));
    lblMess->setText(LangStringOr(QStringLiteral("0202"), lblMess->text()));
    cmdChiudi->setText(LangStringOr(QStringLiteral("0203"), cmdChiudi->text()));
    cmdChiudi->setToolTip(GetLangString(QStringLiteral("0204")));
    cmdInfoAuthor->setToolTip(LangStringOr(QStringLiteral("0205"), cmdInfoAuthor->toolTip()));
    static const char* const ids[3] = {"0201", "0206", "0207"};
    for (size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = LangStringOr(QString::fromLatin1(ids[i]), texts_[i]);
}

void frmLanguage::fillList() {
    filling_ = true;
    cboFileLanguage->clear();
    const QStringList names = LanguageFileNames(appState().appFolder);
    if (names.isEmpty())
        cboFileLanguage->addItem(DefaultEntry());
    else
        cboFileLanguage->addItems(names);
    int current = -1;
    for (int i = 0; i < cboFileLanguage->count(); ++i) {
        if (cboFileLanguage->itemText(i).compare(appState().languageName, Qt::CaseInsensitive) ==
            0) {
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
    const AppState& state = appState();
    QString text;
    if (state.languageFileActive) {
        QString author = GetLangString(QStringLiteral("InfoAuthor"));
        if (author.isEmpty()) {
            author = QStringLiteral("Unknown");
        } else {
            const QString mail = GetLangString(QStringLiteral("MailAuthor"));
            if (!mail.isEmpty()) author += QLatin1Char('\n') + mail;
        }
        text = texts_[1] + QLatin1Char(' ') + state.languageName + QStringLiteral("\n\n") +
               texts_[2] + QLatin1Char(' ') + author;
    } else {
        text = texts_[1] + QStringLiteral("\n\n") + texts_[2];
    }
    seams::message(this, text, kTitle, seams::MsgIcon::Information);
}

void frmLanguage::CloseWindow() {
    if (closing_) return;
    closing_ = true;
    AppState& state = appState();
    if (selection_ != state.languageName) {
        const QString question =
            texts_[0] + QStringLiteral(" ( ") + selection_ + QStringLiteral(" )");
        const seams::MsgAnswer answer = seams::message(
            this, question, kTitle, seams::MsgIcon::Question, seams::MsgButtons::YesNo);
        // A name that would reach outside the language folder is never taken.
        if (answer == seams::MsgAnswer::Yes && isSafeLanguageName(selection_)) {
            state.languageName = selection_;
            storeLanguageName(selection_);
        }
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
