// Interface texts from language files. A language file is an INI file
// "Lang/<language name>.lng" in the program folder, in Windows-1252, whose
// section "Strings" maps four-digit identifiers ("0031") to texts; the keys
// "InfoAuthor" and "MailAuthor" credit the translator.
//
// The language name comes from the settings file and ends up in a path, so
// a name that could point outside the folder Lang/ is never used.
#pragma once

#include <QString>
#include <QStringList>

namespace tastolino {

// A usable language name: not blank, no path separators ("/", "\"), no "..",
// no NUL or line breaks.
bool isSafeLanguageName(const QString& name);

// appFolder + "Lang/" + name + ".lng"; empty for an unsafe name.
QString languageFilePath(const QString& appFolder, const QString& languageName);

// Whether the file of the language exists and can be opened for reading.
bool languageFileExists(const QString& appFolder, const QString& languageName);

// A value of an INI file with an empty default, cut to 511 characters; the
// empty text for a missing file, section or key.
QString ReadIniString(const QString& file, const QString& section, const QString& key);

// The text of `id` in section "Strings" of the current language file
// (appState().appFolder and languageName), blanks around it removed. Any
// failure, an unsafe language name included, gives the empty text. It does
// not look at appState().languageFileActive: callers decide whether the
// language file is in use.
QString GetLangString(const QString& id);
QString GetLangString(const QString& appFolder, const QString& languageName, const QString& id);

// The text of `id` when it is present and not empty, else `builtIn`: a
// language file that lacks a text leaves the Italian one in place.
QString LangStringOr(const QString& id, const QString& builtIn);

// The names of the language files in appFolder + "Lang/" (file names ending
// in ".lng", without the extension), in the order of the directory
// listing. Names that are not safe are left out.
QStringList LanguageFileNames(const QString& appFolder);

}  // namespace tastolino
