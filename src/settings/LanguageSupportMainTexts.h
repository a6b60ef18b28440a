// The main window's interface texts and the identifiers under which a
// language file holds them. The window fills the built-in Italian texts
// (its message table and praise lists are its own), then lets the language
// file replace them.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace tastolino {

struct MainWindowTexts {
    QStringList messages;     // 43 slots
    QStringList praiseGreat;  // "Magnifico!" ..., seven words
    QStringList praiseGood;   // "Bene!" ..., seven words
    QString warningTitle;
    QString perMinuteText;
    QString helpMissingText;

    // Captions of the source options 0..4 and the level options 0..1; a
    // doubled "&&" shows as one ampersand.
    std::array<QString, 5> sourceCaptions = {
        QStringLiteral("Frasi interne"), QStringLiteral("Corso dattilo"),
        QStringLiteral("Esercizi"), QStringLiteral("File di testo"),
        QStringLiteral("Gioco && Allenamento")};
    std::array<QString, 2> levelCaptions = {QStringLiteral("Principiante"),
                                            QStringLiteral("Esperto")};

    // Tooltips.
    std::array<QString, 8> menuTips;  // menu strip items 0..7
    std::array<QString, 2> counterTips = {QStringLiteral("digitazioni esatte  correnti / totali"),
                                          QStringLiteral("digitazioni errate  correnti / totali")};
    QString smileTip = QStringLiteral("Rapporto errori/battute");
    QString sentenceNumberTip = QStringLiteral("Frase livello corrente");
    std::array<QString, 3> averageTips = {QStringLiteral("Media punteggi 1° livello"),
                                          QStringLiteral("Media punteggi 2° livello"),
                                          QStringLiteral("Media punteggi 3° livello")};
    QString fingerIconTip;  // the ten finger icons; none built in
    QString keyMapTip = QStringLiteral("Doppio click per riposizionare la mappa sulla tastiera");
    QString flatSwitchTip = QStringLiteral("Doppio click per tastiera 2D/3D");  // key 37
};

// Replaces the texts by those of the current language file (section
// "Strings" of Lang/<appState().languageName>.lng). A text that the file
// lacks, or that is empty there, keeps its built-in value, so a partial or
// missing file never leaves a blank caption or message.
void ApplyLanguageFile(MainWindowTexts& texts);

// The identifier of message slot 0..42 (slot 12 gets " <Enter>" appended,
// slot 13 starts on a new line).
QString MessageIdentifier(int slot);

}  // namespace tastolino
