// A report file for the PDF viewer in the system's temporary folder.
//
// Every user of the machine can write the temporary folder: a name there
// may already be a link to some file of the user's, or a named pipe, put
// there by someone else, and a file made there with the usual permissions
// can be read by everyone. So the file lives in a folder of its own that
// only the user can enter (made with mkdtemp, mode 0700), where it is
// created new (O_CREAT | O_EXCL | O_NOFOLLOW) with mode 0600. The file keeps
// the name the program gives it, which the viewer shows. Only the file and
// the folder this object made are ever removed.
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <cstdio>

namespace tastolino {

// The system's temporary folder, ending in "/"; empty when there is none.
QString GetTempDir();

class TempReportFile {
  public:
    // `tempFolder`: the system's temporary folder, as GetTempDir() gives it.
    explicit TempReportFile(const QString& tempFolder);
    ~TempReportFile();
    TempReportFile(const TempReportFile&) = delete;
    TempReportFile& operator=(const TempReportFile&) = delete;

    // A new, empty file `fileName` (a plain file name) open for writing,
    // which takes the place of the file this object made before. The caller
    // owns the stream. Null when the folder or the file cannot be made.
    std::FILE* create(const QString& fileName);
    // The file made last; empty when there is none.
    QString path() const;
    // Removes the file and then the folder that this object made; anything
    // else is left where it is.
    void remove();

  private:
    struct Made {
        QByteArray path;
        dev_t device = 0;
        ino_t inode = 0;
        bool isMine() const;
    };
    bool makeFolder();
    void removeFile();

    QString tempFolder_;
    Made folder_;
    Made file_;
};

}  // namespace tastolino
