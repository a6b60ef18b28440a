// Where the program finds its data and where it keeps the files it writes.
//
// The data folder (CorsoDattilo/, Esercizi/, Lang/, help/) lies beside the
// executable in a portable copy such as the build tree or, installed, in
// ../share/tastolino relative to the executable.
//
// Files the program writes (settings, course bookmark, game records, the
// learning statistics) go into the data folder of a portable copy while it
// can be written, exactly where such a copy has always kept them. Otherwise,
// and always for an installed copy, the settings
// go into $XDG_CONFIG_HOME/tastolino/ and everything else into
// $XDG_DATA_HOME/tastolino/ (defaults ~/.config and ~/.local/share), laid out
// like the data folder: the bookmark in CorsoDattilo/, the records at the
// top. Those folders are made when the first file is written into them.
//
// The user's own lessons and exercises in $XDG_DATA_HOME/tastolino/
// CorsoDattilo/ and Esercizi/ are listed together with the shipped ones.
#pragma once

#include <QFileInfoList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tastolino {

// The user's base folders as the environment gives them.
struct UserFolders {
    QString home;           // $HOME
    QString xdgConfigHome;  // $XDG_CONFIG_HOME: unset, empty or relative = default
    QString xdgDataHome;    // $XDG_DATA_HOME: likewise

    static UserFolders fromEnvironment();

    // "<config home>/tastolino/" and "<data home>/tastolino/"; empty when
    // neither the variable nor $HOME gives an absolute folder.
    QString configFolder() const;
    QString dataFolder() const;
};

// The data folder for an executable in `executableFolder`, ending in "/":
// the executable's own folder when a data folder lies beside it, else
// ../share/tastolino when that exists, else the executable's folder.
QString dataFolderFor(const QString& executableFolder);

// A folder files can be created in: it exists, carries a write permission
// (a folder without any counts as read-only even for root, as read-only
// files do in the profile layer) and the process may write it.
bool isWritableFolder(const QString& folder);
// The folder is writable, or missing with its nearest existing ancestor
// writable, so that it can be made.
bool canBeMade(const QString& folder);

enum class WrittenKind { Settings, UserData };

// Where the written file `relative` ("Tastolino.ini",
// "CorsoDattilo/Tastolino.bmk") goes: in a portable data folder when the
// folder that would hold it there is writable, else (and always for an
// installed data folder, …/share/tastolino) in the user's folder of that
// kind. Without a usable user folder the data folder's path is kept (its
// writes then fail as before).
QString placeForWriting(const QString& dataFolder, WrittenKind kind, const QString& relative,
                        const UserFolders& user);
// The same with the user's folders of the process environment. The
// learning statistics keep their database at
// placeForWriting(appFolder, WrittenKind::UserData, name).
QString placeForWriting(const QString& dataFolder, WrittenKind kind, const QString& relative);

// Makes the missing folders above `file` when it lies in one of the user's
// folders (mode 0700, as those folders are made); nothing is made anywhere
// else. True when the file's folder exists afterwards.
bool prepareToWrite(const QString& file, const UserFolders& user);
bool prepareToWrite(const QString& file);

// The folders tried for files of `kind` when none of them can be written
// (the data folder and the user's folder of the kind); empty when the files
// can be kept somewhere.
QStringList unwritablePlaces(const QString& dataFolder, WrittenKind kind, const UserFolders& user);

// The files matching `pattern` (case ignored) in `subfolder` of the data
// folder and of the user's data folder, sorted by name ignoring case. Where
// both hold files of the same `keyOf(file name)`, the user's file is listed
// instead of the shipped one.
using ListingKey = std::function<QString(const QString& fileName)>;
QFileInfoList listedFiles(const QString& dataFolder, const QString& subfolder,
                          const QString& pattern, const ListingKey& keyOf, const UserFolders& user);

// The folders of `subfolder` to look in for a named file, the user's first.
QStringList lookupFolders(const QString& dataFolder, const QString& subfolder,
                          const UserFolders& user);

}  // namespace tastolino
