// Files of the profile layer where someone has put something else: named
// pipes, sockets, folders, devices and links in place of the file are never
// waited for and never replaced, links of other users are not followed, a
// racing planter never wins, and the temporary files of killed saves go
// with the next save.
#include "settings/AtomicFile.h"
#include "settings/IniManager.h"
#include "settings/Profile.h"
#include "settings/SafeFile.h"

#include "support/PlantTools.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace planttest;
namespace files = tastolino::files;
namespace profile = tastolino::profile;

namespace {

std::string str(const QString& s) {
    return QFile::encodeName(s).toStdString();
}

QStringList temporariesIn(const QString& folder) {
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot))
        if (!files::temporaryFileOf(str(name)).empty()) found << name;
    return found;
}

void touch(const QString& path, const QByteArray& bytes = "x") {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

class TestSafeFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    int socket_ = -1;

    // Plants `kind` at the settings path.
    void plant(const QString& kind) {
        if (kind == "pipe") {
            QVERIFY(makePipe(path_));
        } else if (kind == "socket") {
            socket_ = makeSocket(path_);
            QVERIFY(socket_ >= 0);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path_));
        } else if (kind == "device") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path_));
        } else if (kind == "link to pipe") {
            QVERIFY(makePipe(dir_->filePath(QStringLiteral("pipe"))));
            QVERIFY(QFile::link(dir_->filePath(QStringLiteral("pipe")), path_));
        } else if (kind == "link loop") {
            QVERIFY(QFile::link(path_, path_));
        }
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = dir_->filePath(QStringLiteral("Tastolino.ini"));
    }
    void cleanup() {
        if (socket_ >= 0) ::close(socket_);
        socket_ = -1;
        dir_.reset();
    }

    void otherKindsReadAsMissingAndStay_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("left");
        QTest::newRow("pipe") << "pipe"
                              << "pipe";
        QTest::newRow("socket") << "socket"
                                << "socket";
        QTest::newRow("folder") << "folder"
                                << "folder";
        QTest::newRow("link to a device") << "device"
                                          << "link";
        QTest::newRow("link to a pipe") << "link to pipe"
                                        << "link";
        QTest::newRow("link loop") << "link loop"
                                   << "link";
    }
    // Reading, writing and deleting with a pipe, a socket, a folder, a
    // device or a link to one of them in the file's place: nothing waits,
    // reads give the default, writes fail and leave the thing as it was.
    void otherKindsReadAsMissingAndStay() {
        QFETCH(QString, kind);
        QFETCH(QString, left);
        plant(kind);
        const std::string path = str(path_);
        Watchdog watchdog("profile functions on a planted file");
        files::ReadStatus status{};
        QCOMPARE(files::openRegularForReading(path, status), -1);
        QCOMPARE(status, files::ReadStatus::Missing);
        QCOMPARE(files::readRegularFile(path).status, files::ReadStatus::Missing);
        QVERIFY(!files::isReadableRegularFile(path));
        QCOMPARE(profile::readString(path, "S", "k", "def", 255), std::string("def"));
        QVERIFY(!profile::writeString(path, "S", "k", "new"));
        QVERIFY(!files::replaceAtomically(path, "new"));
        // Nothing to delete in a file that is not there.
        QVERIFY(profile::deleteSection(path, "S"));
        QVERIFY(profile::deleteKey(path, "S", "k"));
        QCOMPARE(kindAt(path_), left);
        QCOMPARE(temporariesIn(dir_->path()), QStringList());
    }

    // A link of the user's own is written through; a dangling one is
    // replaced by the file; a link of another user is neither followed nor
    // replaced.
    void linksOfTheUserAreFollowedOnly() {
        const QString target = dir_->filePath(QStringLiteral("real.ini"));
        touch(target, "[S]\r\nk=1\r\n");
        QVERIFY(QFile::link(target, path_));
        QVERIFY(profile::writeString(str(path_), "S", "k", "2"));
        QCOMPARE(kindAt(path_), QStringLiteral("link"));
        QCOMPARE(contents(target), QByteArray("[S]\r\nk=2\r\n"));

        const QString dangling = dir_->filePath(QStringLiteral("dangling.ini"));
        QVERIFY(QFile::link(dir_->filePath(QStringLiteral("nowhere")), dangling));
        QVERIFY(profile::writeString(str(dangling), "S", "k", "3"));
        QCOMPARE(kindAt(dangling), QStringLiteral("file"));
        QCOMPARE(kindAt(dir_->filePath(QStringLiteral("nowhere"))), QStringLiteral("none"));

        if (::geteuid() != 0) QSKIP("only root can give a link to another user");
        SharedFolder shared;
        QVERIFY(shared.isValid());
        const QString planted = shared.filePath(QStringLiteral("Tastolino.ini"));
        QVERIFY(QFile::link(target, planted));
        QCOMPARE(::lchown(native(planted).constData(), 65534, 65534), 0);
        QVERIFY(!profile::writeString(str(planted), "S", "k", "4"));
        QCOMPARE(kindAt(planted), QStringLiteral("link"));
        QCOMPARE(contents(target), QByteArray("[S]\r\nk=2\r\n"));
        // Reading through it is harmless: it is only read.
        QCOMPARE(profile::readString(str(planted), "S", "k", "", 255), std::string("2"));
    }

    void racingPlanterNeverWins_data() {
        QTest::addColumn<bool>("nobody");
        QTest::addColumn<QString>("mode");
        QTest::newRow("same user, pipes") << false << "pipes";
        QTest::newRow("another user, links and pipes") << true << "both";
    }
    // A planter puts pipes (and, as another user, links to a file of the
    // user's) where the file is saved, 1000 times, while the program saves
    // it over and over: no save waits, no pipe is ever replaced, the victim
    // never changes, and every successful save leaves the program's file.
    void racingPlanterNeverWins() {
        QFETCH(bool, nobody);
        QFETCH(QString, mode);
        if (nobody && !canActAsNobody()) QSKIP("needs root and setpriv to act as nobody");
        SharedFolder shared;
        QVERIFY(shared.isValid());
        const QString victim = dir_->filePath(QStringLiteral("victim"));
        touch(victim, "keep me");
        const QString path = shared.filePath(QStringLiteral("Tastolino.ini"));
        Planter planter(QStringLiteral(TASTOLINO_PLANTER), path, victim, 1000, nobody, mode);
        int saves = 0, saved = 0;
        while (planter.running() || saves < 1000) {
            Watchdog watchdog("a save while a planter races it");
            // The program's own file goes each time, so that the planter
            // gets its chance again.
            if (kindAt(path) == QStringLiteral("file")) QFile::remove(path);
            if (profile::writeString(str(path), "S", "k", std::to_string(saves))) {
                ++saved;
                QCOMPARE(profile::readString(str(path), "S", "k", "", 255), std::to_string(saves));
            }
            ++saves;
        }
        const QString planted = planter.finish();
        const PlantCount count = parseCount(planted);
        QCOMPARE(count.tried, 1000L);
        QCOMPARE(count.destroyed, 0L);
        QCOMPARE(contents(victim), QByteArray("keep me"));
        // How often each side won depends on the machine's load: the
        // planter may get in every time, or never; what it did is logged.
        qInfo("%d saves, %d saved; %s", saves, saved, qPrintable(planted));
    }

    // The system ends a name at its first NUL: a path with one inside would
    // read or replace the file named by its start, which is another file.
    void pathsWithANulNameNoFile() {
        touch(path_, "[S]\r\nk=old\r\n");
        const std::string withNul = str(path_) + std::string("\0.lez", 5);
        QCOMPARE(withNul.size(), str(path_).size() + 5);
        QVERIFY(!files::isReadableRegularFile(withNul));
        QCOMPARE(files::readRegularFile(withNul).status, files::ReadStatus::Missing);
        QCOMPARE(profile::readString(withNul, "S", "k", "def", 255), std::string("def"));
        QVERIFY(!files::replaceAtomically(withNul, "new"));
        QVERIFY(!profile::writeString(withNul, "S", "k", "new"));
        QCOMPARE(contents(path_), QByteArray("[S]\r\nk=old\r\n"));
    }

    void temporaryNames() {
        QCOMPARE(files::temporaryFileOf(".Tastolino.ini.AbC123"), std::string("Tastolino.ini"));
        QCOMPARE(files::temporaryFileOf(".t.x.Zz0099"), std::string("t.x"));
        for (const char* no :
             {"Tastolino.ini.AbC123", ".Tastolino.ini.AbC12", ".Tastolino.ini.AbC12!",
              ".Tastolino.iniAbC1234", "..AbC123", ".Tastolino.ini.AbC1234"})
            QVERIFY2(files::temporaryFileOf(no).empty(), no);
    }

    // Only the program's own temporary files that no save holds are left
    // from killed saves: the next save in the folder removes them, and
    // nothing else.
    void staleTemporariesGoWithTheNextSave() {
        const QDir d(dir_->path());
        for (const char* stale : {".Tastolino.ini.AbC123", ".Tastolino.ini.zzzzzz",
                                  ".TastolinoWinner.ini.Q1w2E3", ".Tastolino.bmk.000000"})
            touch(d.filePath(stale));
        // Not the program's: other names, other kinds, a file in use.
        touch(d.filePath(".other.ini.AbC123"));
        touch(d.filePath(".Tastolino.ini.AbC12"));
        QVERIFY(d.mkdir(".Tastolino.ini.Folder"));
        QVERIFY(QFile::link(d.filePath("victim"), d.filePath(".Tastolino.ini.LinkXX")));
        QVERIFY(makePipe(d.filePath(".Tastolino.ini.PipeXX")));
        touch(d.filePath(".Tastolino.ini.InUse1"));
        QFile inUse(d.filePath(".Tastolino.ini.InUse1"));
        QVERIFY(inUse.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(inUse.handle(), LOCK_EX), 0);
        QStringList kept{".other.ini.AbC123",     ".Tastolino.ini.AbC12",  ".Tastolino.ini.Folder",
                         ".Tastolino.ini.LinkXX", ".Tastolino.ini.PipeXX", ".Tastolino.ini.InUse1"};
        if (::geteuid() == 0) {
            touch(d.filePath(".Tastolino.ini.Nobody"));
            QCOMPARE(::chown(native(d.filePath(".Tastolino.ini.Nobody")).constData(), 65534, 65534),
                     0);
            kept << ".Tastolino.ini.Nobody";
        }
        {
            Watchdog watchdog("a save beside planted temporary files");
            QVERIFY(profile::writeString(str(path_), "S", "k", "v"));
        }
        QStringList left =
            d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.removeAll("Tastolino.ini");
        kept.sort();
        left.sort();
        QCOMPARE(left, kept);
    }
};

QTEST_GUILESS_MAIN(TestSafeFiles)
#include "tst_safefiles.moc"
