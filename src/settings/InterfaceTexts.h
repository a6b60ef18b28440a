// The one list of every interface text the program looks up in a language
// file: its four-digit identifier and its built-in Italian text. Windows
// fetch their texts through GetLangString (LanguageSupport.h), which falls
// back to the Italian text of this list when the language file lacks an
// identifier or leaves it empty; a test compares the shipped language files
// with this list.
//
// An Italian text here is written the way a language file would hold it:
// one line, without blanks at either end. Where a window shows a text with
// blanks or other pieces around it, the window adds them.
//
// Identifiers 0001 to 0313 and 1002, 1003, 1011 are those of the windows;
// the program's own additions are numbered from 9000 on (the ranges are
// listed in InterfaceTexts.cpp).
//
// Qt Core only, so that the learning statistics can use it too.
#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace tastolino {

struct InterfaceText {
    const char* id;       // "0031"
    const char* italian;  // UTF-8
};

// Every identifier, each once.
std::span<const InterfaceText> InterfaceTexts();

// The Italian text of `id`; empty for an identifier the list does not hold.
QString ItalianText(const QString& id);

// The keys of a language file besides the identifiers: the translator's
// name or credits and contact, shown in the language window.
QStringList TranslatorKeys();

}  // namespace tastolino
