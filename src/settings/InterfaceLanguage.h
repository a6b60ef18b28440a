// The interface language of the run: the program folder its language files
// (Lang/) and guide (help/) live in, the language's name and whether its
// file was found at start-up. The main module keeps it current (start-up,
// the settings, the language window); the language lookups and the guide
// read it.
#pragma once

#include <QString>

namespace tastolino {

struct InterfaceLanguage {
    QString folder;  // program folder, ending in "/"
    QString name = QStringLiteral("Italian");
    bool fileActive = false;  // Lang/<name>.lng was found at start-up
    // What the guide says when its index page is missing, in this language.
    QString helpMissingText = QStringLiteral("Impossibile trovare il file della guida");
};

const InterfaceLanguage& interfaceLanguage();

void setInterfaceFolder(const QString& programFolder);
void setInterfaceLanguageName(const QString& name);
void setInterfaceLanguageFileActive(bool active);
void setHelpMissingText(const QString& text);
// Back to the start of a run: Italian, no file, no folder.
void resetInterfaceLanguage();

}  // namespace tastolino
