#include "settings/IniManager.h"
#include "settings/Profile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

using tastolino::IniManager;
namespace profile = tastolino::profile;

class TestProfile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

    void put(const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray bytes() const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    IniManager ini(const char* section) {
        IniManager m;
        m.nome = path.toStdString();
        m.sezione = section;
        return m;
    }
    std::string read(const char* section, const char* key) {
        return ini(section).Leggi(key, "<def>");
    }

  private slots:
    void init() {
        // Every test starts in an empty folder, whatever ran before it.
        QDir folder(dir.path());
        for (const QFileInfo& entry : folder.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot)) {
            if (entry.isDir() && !entry.isSymLink())
                QDir(entry.filePath()).removeRecursively();
            else
                QFile::remove(entry.filePath());
        }
        path = dir.filePath(QStringLiteral("t.ini"));
    }

    // A settled file is read once for many keys; still, every change to it
    // is seen at the next read: in place with the same size, through
    // another name, by a replacement, by a change of permissions.
    void aSettledFileIsReadOnceAndChangesAreSeen() {
        put("[A]\r\nName=Ann\r\n");
        const auto settle = [this] {
            const timespec old[2] = {{1600000000, 0}, {1600000000, 0}};
            QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), old, 0) == 0);
        };
        settle();
        QCOMPARE(read("A", "Name"), std::string("Ann"));
        // A write in place is a change.
        put("[A]\r\nName=Bob\r\n");
        QCOMPARE(read("A", "Name"), std::string("Bob"));
        settle();
        QCOMPARE(read("A", "Name"), std::string("Bob"));
        // Same size, modification time set back, different contents: the
        // status change time still tells.
        put("[A]\r\nName=Cid\r\n");
        settle();
        QCOMPARE(read("A", "Name"), std::string("Cid"));
        // A write of this program replaces the file.
        QVERIFY(ini("A").Scrivi("Name", "Dan"));
        QCOMPARE(read("A", "Name"), std::string("Dan"));
        settle();
        QCOMPARE(read("A", "Name"), std::string("Dan"));
        if (::geteuid() != 0) {
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
            QCOMPARE(read("A", "Name"), std::string("<def>"));
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        }
        // Another file by the same name after a rename.
        const QString other = dir.filePath(QStringLiteral("other.ini"));
        {
            QFile f(other);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[A]\r\nName=Eve\r\n");
        }
        QVERIFY(::rename(QFile::encodeName(other).constData(),
                         QFile::encodeName(path).constData()) == 0);
        QCOMPARE(read("A", "Name"), std::string("Eve"));
    }

    void writesCreateFileSectionsAndKeysInOrder() {
        QCOMPARE(read("S1", "k1"), std::string("<def>"));
        IniManager a = ini("S1");
        QCOMPARE(a.Scrivi("k1", "v1"), 1);
        QCOMPARE(a.Scrivi("k2", "v2"), 1);
        QCOMPARE(ini("S2").Scrivi("k", "v"), 1);
        QCOMPARE(a.Scrivi("K1", "new"), 1);  // same key, other case: replaced in place
        QCOMPARE(bytes(), QByteArray("[S1]\r\nK1=new\r\nk2=v2\r\n[S2]\r\nk=v\r\n"));
        QCOMPARE(read("s1", "k1"), std::string("new"));
        QCOMPARE(a.Scrivi("k2", ""), 1);
        QCOMPARE(read("S1", "k2"), std::string());  // present but empty: not the default
    }

    void matchingIgnoresCaseAndBlanksAndTheFirstMatchWins() {
        put("; Song=5\r\n"
            "Song=early\r\n"
            "[ oPtIoNs ]\r\n"
            "  SONG =  0  \r\n"
            "song=1\r\n"
            "Song\r\n"
            "[Options]\r\n"
            "Other=x\r\n"
            "[\xDC"
            "bung]\r\n"                 // Übung
            "\xC4pfel=\xE9t\xE9\r\n");  // Äpfel=été
        QCOMPARE(read("Options", "Song"), std::string("0"));
        QCOMPARE(read("Options", "Other"), std::string("<def>"));  // only the first section counts
        QCOMPARE(read("Options", "; Song"), std::string("<def>"));
        QCOMPARE(read("übung", "äPFEL"), std::string("été"));
        QCOMPARE(read("Missing", "Song"), std::string("<def>"));
    }

    void quotesAreRemovedAndLongValuesCut() {
        const QByteArray long300(300, 'x');
        put("[S]\nq=\"quoted\"\ns=' single '\nm=\"mixed'\nl=" + long300 + "\n");
        QCOMPARE(read("S", "q"), std::string("quoted"));
        QCOMPARE(read("S", "s"), std::string(" single "));
        QCOMPARE(read("S", "m"), std::string("\"mixed'"));
        QCOMPARE(read("S", "l"), std::string(254, 'x'));
        QCOMPARE(profile::readString(path.toStdString(), "S", "l", "", 512), std::string(300, 'x'));
    }

    void editsLeaveEveryOtherLineAsItWas() {
        const QByteArray original =
            "\xEF\xBB\xBF; kept comment\n"
            "[A]\n"
            "one = 1\n"
            "  two=2\t\n"
            "\n"
            "[B]\r\n"
            "x=1\r\n"
            "[C]\n"
            "last=9";  // no line break at the end
        put(original);
        QCOMPARE(read("A", "one"), std::string("1"));  // the BOM does not hide the first lines
        QCOMPARE(ini("A").Scrivi("two", "zwei"), 1);
        QCOMPARE(ini("A").Scrivi("three", "3"), 1);
        QCOMPARE(ini("C").Scrivi("more", "m"), 1);
        QCOMPARE(bytes(), QByteArray("\xEF\xBB\xBF; kept comment\n"
                                     "[A]\n"
                                     "one = 1\n"
                                     "two=zwei\n"
                                     "three=3\r\n"
                                     "\n"
                                     "[B]\r\n"
                                     "x=1\r\n"
                                     "[C]\n"
                                     "last=9\r\n"
                                     "more=m\r\n"));
        QCOMPARE(ini("a").CancellaValore("ONE"), 1);
        QCOMPARE(ini("b").CancellaSezione(), 1);
        QCOMPARE(bytes(), QByteArray("\xEF\xBB\xBF; kept comment\n"
                                     "[A]\n"
                                     "two=zwei\n"
                                     "three=3\r\n"
                                     "\n"
                                     "[C]\n"
                                     "last=9\r\n"
                                     "more=m\r\n"));
        // Deleting what is not there succeeds and rewrites nothing.
        const QByteArray before = bytes();
        QCOMPARE(ini("A").CancellaValore("nope"), 1);
        QCOMPARE(ini("Z").CancellaSezione(), 1);
        QCOMPARE(bytes(), before);
        QFile::remove(path);
        QCOMPARE(ini("Z").CancellaSezione(), 1);
        QVERIFY(!QFile::exists(path));
    }

    void textIsWindows1252OnDisk() {
        QCOMPARE(ini("Übung").Scrivi("Name", "ÄÖÜß€é"), 1);
        QCOMPARE(ini("Übung").Scrivi("Ω", "中"), 1);  // not in the code page
        QCOMPARE(bytes(), QByteArray("[\xDC"
                                     "bung]\r\nName=\xC4\xD6\xDC\xDF\x80\xE9\r\n?=?\r\n"));
        QCOMPARE(read("ÜBUNG", "name"), std::string("ÄÖÜß€é"));
    }

    // Names and values can never break the structure of the file.
    void unsafeNamesAreRefusedAndLineBreaksDropped() {
        IniManager s = ini("S");
        QCOMPARE(s.Scrivi("Name", "x\r\n[Options]\nSong=0"), 1);
        QCOMPARE(bytes(), QByteArray("[S]\r\nName=x  [Options] Song=0\r\n"));
        const QByteArray before = bytes();
        QCOMPARE(s.Scrivi("a=b", "1"), 0);
        QCOMPARE(s.Scrivi("  ", "1"), 0);
        QCOMPARE(s.Scrivi("[T]", "1"), 0);
        QCOMPARE(s.Scrivi(";c", "1"), 0);
        QCOMPARE(ini("a]b").Scrivi("k", "1"), 0);
        QCOMPARE(ini("a\nb").Scrivi("k", "1"), 0);
        QCOMPARE(bytes(), before);
    }

    void unwritableFilesAreLeftUntouched() {
        put("[S]\r\nk=1\r\n");
        QVERIFY(::chmod(path.toLocal8Bit().constData(), 0444) == 0);
        QCOMPARE(ini("S").Scrivi("k", "2"), 0);
        QCOMPARE(ini("S").CancellaSezione(), 0);
        QCOMPARE(bytes(), QByteArray("[S]\r\nk=1\r\n"));
        QCOMPARE(read("S", "k"), std::string("1"));
        QVERIFY(::chmod(path.toLocal8Bit().constData(), 0644) == 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"t.ini"});

        // A folder where the file should be.
        QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
        IniManager f;
        f.nome = dir.filePath("folder.ini").toStdString();
        f.sezione = "S";
        QCOMPARE(f.Scrivi("k", "1"), 0);
        QCOMPARE(f.Leggi("k", "d"), std::string("d"));
        f.nome = dir.filePath("no/such/folder/x.ini").toStdString();
        QCOMPARE(f.Scrivi("k", "1"), 0);
    }

    void aLinkedFileIsUpdatedThroughTheLink() {
        put("[S]\r\nk=1\r\n");
        const QString link = dir.filePath("link.ini");
        QFile::remove(link);
        QVERIFY(QFile::link(path, link));
        IniManager l;
        l.nome = link.toStdString();
        l.sezione = "S";
        QCOMPARE(l.Scrivi("k", "2"), 1);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(bytes(), QByteArray("[S]\r\nk=2\r\n"));
    }

    void badFilesGiveDefaultsOrReadableValues() {
        // Binary garbage followed by a readable section.
        QByteArray garbage(20000, '\0');
        QRandomGenerator rng(7);
        for (char& c : garbage) c = static_cast<char>(rng.bounded(256));
        put(garbage + "\n[S]\nk=ok\n");
        QCOMPARE(read("S", "k"), std::string("ok"));
        QCOMPARE(ini("S").Scrivi("k", "new"), 1);
        QVERIFY(bytes().startsWith(garbage));  // nothing of the rest is lost
        QCOMPARE(read("S", "k"), std::string("new"));

        put("[S]\r");  // a lone CR is no line break: the new key needs its own line
        QCOMPARE(ini("S").Scrivi("k", "v"), 1);
        QCOMPARE(read("S", "k"), std::string("v"));

        put("k=1\nno sections at all\n");
        QCOMPARE(read("S", "k"), std::string("<def>"));

        put(QByteArray("[S]\nk=a\0b\n", 10));
        QCOMPARE(read("S", "k"), std::string("a"));

        const QByteArray huge(100000, 'y');
        put("[S]\r\n" + huge + "\r\nk=" + huge + "\r\nz=1\r\n");
        QCOMPARE(read("S", "k"), std::string(254, 'y'));
        QCOMPARE(read("S", "z"), std::string("1"));
    }

    void readsOfALargeFileStayFast() {
        QByteArray big = "[Options]\r\n";
        for (int i = 0; i < 10000; ++i)
            big += "key" + QByteArray::number(i) + "=value " + QByteArray::number(i) + "\r\n";
        put(big);
        QElapsedTimer t;
        t.start();
        QCOMPARE(read("Options", "key9999"), std::string("value 9999"));
        QCOMPARE(read("Options", "missing"), std::string("<def>"));
        QVERIFY2(t.elapsed() < 50, qPrintable(QString::number(t.elapsed())));
    }
};

QTEST_APPLESS_MAIN(TestProfile)
#include "tst_profile.moc"
