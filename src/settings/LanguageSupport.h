// Interface texts from language files. A language file is an INI file
// "Lang/<language name>.lng" in the program folder whose section "Strings"
// maps four-digit identifiers ("0031") to texts; the keys "InfoAuthor" and
// "MailAuthor" credit the translator. Every identifier the program uses is
// listed, with its Italian text, in InterfaceTexts.h.
//
// The language name comes from the settings file and ends up in a path, so
// a name that could point outside the folder Lang/ is never used.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace tastolino {

// A usable language name: not blank, no path separators ("/", "\"), no "..",
// no NUL or line breaks.
bool isSafeLanguageName(const QString& name);

// The file of the language: appFolder + "Lang/" + name + ".lng", the name
// and the extension matched ignoring case as on Windows (a file spelt
// exactly as asked wins); the exact spelling when there is no such file.
// Empty for an unsafe name.
QString languageFilePath(const QString& appFolder, const QString& languageName);

// Whether the file of the language exists and can be read.
bool languageFileExists(const QString& appFolder, const QString& languageName);

// The text of `id` in the current language file (interfaceLanguage(): folder
// and name), blanks around it removed. When the file lacks the text,
// holds it empty or cannot be read, `builtIn`, and without one the Italian
// text of the identifier (InterfaceTexts.h): a language file never leaves a
// blank caption or message. The file is read once and kept (read again only
// when it changes on disk). Does not look at interfaceLanguage().fileActive.
QString GetLangString(const QString& id);
QString GetLangString(const QString& id, const QString& builtIn);
// The same in the language file of the given folder and language.
QString GetLangString(const QString& appFolder, const QString& languageName, const QString& id);

// The text of a window other than the main window: from the language file
// when one was found at start-up (interfaceLanguage().fileActive), else the
// built-in text (the Italian text of the identifier when none is given).
QString WindowText(const QString& id);
QString WindowText(const QString& id, const QString& builtIn);

// A text with the blanks and pieces a window puts around it, which a
// language file cannot hold: the current language file's text of `id` in
// `withFile` when `fromFile` and the file has the text, else the Italian
// text (`italian`, or the identifier's own when empty) in `builtIn`. In
// both forms "%1" stands for the text.
QString PlacedLangString(bool fromFile, const QString& id, const char* builtIn,
                         const char* withFile, const QString& italian = {});

// The locale of the language these windows speak, for the dates of the
// reports: Italian without a language file; else the language whose
// English or own name is the language name ("German", "Deutsch"), or the
// system's locale for a name no locale knows.
QLocale InterfaceLocale();

// The names of the language files in appFolder + "Lang/" (file names ending
// in ".lng", without the extension), in the order of the directory
// listing. Names that are not safe are left out.
QStringList LanguageFileNames(const QString& appFolder);

}  // namespace tastolino
