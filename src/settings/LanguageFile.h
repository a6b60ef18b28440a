// One language file held in memory: the texts of its section "Strings",
// read once through the profile layer and looked up as the Windows profile
// functions would look them up in the file: keys ignore case, the first of
// two equal keys wins, blanks around a value do not count, and a value
// comes back cut to 511 characters.
//
// The file is Windows-1252, as the program has always written it, or UTF-8
// (with or without a byte order mark), as editors on Linux save it: a file
// that starts with the mark, or whose bytes are all valid UTF-8 and not all
// ASCII, is read as UTF-8.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tastolino {

class LanguageFile {
  public:
    // The file at `path`; not read (every text empty) when it is missing,
    // not a regular file or cannot be read.
    static LanguageFile read(const QString& path);
    // The same from the bytes of a file.
    static LanguageFile fromBytes(QByteArrayView bytes);

    bool isRead() const { return read_; }
    // The text of `key` in section "Strings"; empty when the file lacks it.
    QString value(const QString& key) const;
    // The keys of section "Strings" as the file spells them, each once, in
    // the order of the file.
    const QStringList& keys() const { return keys_; }

  private:
    bool read_ = false;
    QHash<QString, QString> values_;  // by case-folded key
    QStringList keys_;
};

}  // namespace tastolino
