// Where the data folder is found and where written files go: the portable
// and the installed layout, writable and read-only folders (read-only by
// their permissions, which count for root as well), the XDG variables set,
// unset, empty or relative, folders made on first write, and the user's own
// lessons listed with the shipped ones.
#include "platform/DataFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace tastolino;

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

void makeReadOnly(const QString& folder) {
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther));
}

QStringList names(const QFileInfoList& files) {
    QStringList out;
    for (const QFileInfo& f : files) out << f.fileName();
    return out;
}

}  // namespace

class TestDataFolders : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp_;
    QString root_;  // ends in "/"
    QString data_;  // a portable data folder, ends in "/"
    UserFolders user_;

  private slots:
    void init() {
        tmp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp_->isValid());
        root_ = tmp_->path() + QLatin1Char('/');
        data_ = root_ + QStringLiteral("portable/");
        QVERIFY(QDir().mkpath(data_ + QStringLiteral("CorsoDattilo")));
        QVERIFY(QDir().mkpath(data_ + QStringLiteral("Esercizi")));
        user_ = UserFolders{root_ + QStringLiteral("home"), QString(), QString()};
    }
    void cleanup() {
        // Read-only folders would keep the temporary folder from going.
        QDirIterator it(root_, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        QFile::setPermissions(root_, QFileDevice::Permissions(0x7700));
        while (it.hasNext()) QFile::setPermissions(it.next(), QFileDevice::Permissions(0x7700));
    }

    void userFolders_data() {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("data");
        QTest::newRow("unset") << "/home/anna" << QString() << "/home/anna/.config/tastolino/"
                               << "/home/anna/.local/share/tastolino/";
        QTest::newRow("empty") << "/home/anna/"
                               << ""
                               << "/home/anna/.config/tastolino/"
                               << "/home/anna/.local/share/tastolino/";
        QTest::newRow("set") << "/home/anna"
                             << "/srv/x//y/"
                             << "/srv/x/y/tastolino/"
                             << "/srv/x/y/tastolino/";
        QTest::newRow("relative is ignored") << "/home/anna"
                                             << "cfg"
                                             << "/home/anna/.config/tastolino/"
                                             << "/home/anna/.local/share/tastolino/";
        QTest::newRow("no home, set") << ""
                                      << "/x"
                                      << "/x/tastolino/"
                                      << "/x/tastolino/";
        QTest::newRow("no home, unset") << "" << QString() << ""
                                        << "";
        QTest::newRow("relative home") << "anna" << QString() << ""
                                       << "";
    }
    void userFolders() {
        QFETCH(QString, home);
        QFETCH(QString, variable);
        QFETCH(QString, config);
        QFETCH(QString, data);
        const UserFolders user{home, variable, variable};
        QCOMPARE(user.configFolder(), config);
        QCOMPARE(user.dataFolder(), data);
    }

    void userFoldersFromEnvironment() {
        const QByteArray saved[] = {qgetenv("HOME"), qgetenv("XDG_CONFIG_HOME"),
                                    qgetenv("XDG_DATA_HOME")};
        qputenv("HOME", "/home/bruno");
        qputenv("XDG_CONFIG_HOME", "/cfg");
        qunsetenv("XDG_DATA_HOME");
        const UserFolders user = UserFolders::fromEnvironment();
        qputenv("HOME", saved[0]);
        qputenv("XDG_CONFIG_HOME", saved[1]);
        qputenv("XDG_DATA_HOME", saved[2]);
        QCOMPARE(user.configFolder(), QStringLiteral("/cfg/tastolino/"));
        QCOMPARE(user.dataFolder(), QStringLiteral("/home/bruno/.local/share/tastolino/"));
    }

    // Beside the executable wins; installed means ../share/tastolino; with
    // neither, the executable's folder as before.
    void dataFolder() {
        const QString bin = root_ + QStringLiteral("bin");
        const QString installed = root_ + QStringLiteral("share/tastolino/");
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(QDir().mkpath(installed));
        QCOMPARE(dataFolderFor(bin), installed);
        QCOMPARE(dataFolderFor(bin + QLatin1Char('/')), installed);
        QVERIFY(QDir().mkpath(bin + QStringLiteral("/Lang")));
        QCOMPARE(dataFolderFor(bin), bin + QLatin1Char('/'));

        const QString portable = root_ + QStringLiteral("app");
        QVERIFY(QDir().mkpath(portable + QStringLiteral("/help")));
        QCOMPARE(dataFolderFor(portable), portable + QLatin1Char('/'));
        const QString bare = root_ + QStringLiteral("x/bare");
        QVERIFY(QDir().mkpath(bare));
        QCOMPARE(dataFolderFor(bare), bare + QLatin1Char('/'));
    }

    void writableFolders() {
        QVERIFY(isWritableFolder(data_));
        QVERIFY(!isWritableFolder(root_ + QStringLiteral("missing")));
        touch(root_ + QStringLiteral("file"));
        QVERIFY(!isWritableFolder(root_ + QStringLiteral("file")));
        QVERIFY(canBeMade(root_ + QStringLiteral("a/b/c")));
        QVERIFY(!canBeMade(root_ + QStringLiteral("file/b")));
        QVERIFY(!canBeMade(QString()));
        makeReadOnly(data_);
        QVERIFY(!isWritableFolder(data_));
        QVERIFY(!canBeMade(data_ + QStringLiteral("x/y")));
        QVERIFY(canBeMade(data_ + QStringLiteral("Esercizi")));  // exists and writable
    }

    // A writable data folder keeps every file exactly where it always was.
    void writtenFilesBesideTheProgram() {
        QCOMPARE(
            placeForWriting(data_, WrittenKind::Settings, QStringLiteral("Tastolino.ini"), user_),
            data_ + QStringLiteral("Tastolino.ini"));
        QCOMPARE(placeForWriting(data_, WrittenKind::UserData,
                                 QStringLiteral("CorsoDattilo/Tastolino.bmk"), user_),
                 data_ + QStringLiteral("CorsoDattilo/Tastolino.bmk"));
        QVERIFY(unwritablePlaces(data_, WrittenKind::Settings, user_).isEmpty());
    }

    void writtenFilesInUserFolders() {
        makeReadOnly(data_ + QStringLiteral("CorsoDattilo"));
        makeReadOnly(data_);
        const UserFolders user{root_ + QStringLiteral("home"), root_ + QStringLiteral("cfg"),
                               QString()};
        QCOMPARE(
            placeForWriting(data_, WrittenKind::Settings, QStringLiteral("Tastolino.ini"), user),
            root_ + QStringLiteral("cfg/tastolino/Tastolino.ini"));
        QCOMPARE(placeForWriting(data_, WrittenKind::UserData,
                                 QStringLiteral("CorsoDattilo/Tastolino.bmk"), user),
                 root_ + QStringLiteral("home/.local/share/tastolino/CorsoDattilo/Tastolino.bmk"));
        QVERIFY(unwritablePlaces(data_, WrittenKind::Settings, user).isEmpty());
        QVERIFY(unwritablePlaces(data_, WrittenKind::UserData, user).isEmpty());
        // Without any user folder the path stays beside the program.
        const UserFolders nobody{QString(), QString(), QString()};
        QCOMPARE(
            placeForWriting(data_, WrittenKind::Settings, QStringLiteral("Tastolino.ini"), nobody),
            data_ + QStringLiteral("Tastolino.ini"));
        QCOMPARE(unwritablePlaces(data_, WrittenKind::Settings, nobody), QStringList{data_});
    }

    // The folder that would hold the file decides, not the top folder alone.
    void missingSubfolderGoesToTheUser() {
        QVERIFY(QDir(data_ + QStringLiteral("CorsoDattilo")).removeRecursively());
        QCOMPARE(placeForWriting(data_, WrittenKind::UserData,
                                 QStringLiteral("CorsoDattilo/Tastolino.bmk"), user_),
                 user_.dataFolder() + QStringLiteral("CorsoDattilo/Tastolino.bmk"));
    }

    // An installed data folder is never written, even when it could be (root).
    void installedDataFolderIsNeverWritten() {
        const QString installed = root_ + QStringLiteral("usr/share/tastolino/");
        QVERIFY(QDir().mkpath(installed + QStringLiteral("CorsoDattilo")));
        QVERIFY(isWritableFolder(installed));
        QCOMPARE(placeForWriting(installed, WrittenKind::Settings, QStringLiteral("Tastolino.ini"),
                                 user_),
                 user_.configFolder() + QStringLiteral("Tastolino.ini"));
        QCOMPARE(placeForWriting(installed, WrittenKind::UserData,
                                 QStringLiteral("CorsoDattilo/Tastolino.bmk"), user_),
                 user_.dataFolder() + QStringLiteral("CorsoDattilo/Tastolino.bmk"));
        QVERIFY(unwritablePlaces(installed, WrittenKind::Settings, user_).isEmpty());
        QVERIFY(QDir().mkpath(root_ + QStringLiteral("home")));
        makeReadOnly(root_ + QStringLiteral("home"));
        QCOMPARE(unwritablePlaces(installed, WrittenKind::UserData, user_),
                 QStringList{user_.dataFolder()});
    }

    void nothingWritable() {
        makeReadOnly(data_);
        QVERIFY(QDir().mkpath(root_ + QStringLiteral("home")));
        makeReadOnly(root_ + QStringLiteral("home"));
        QCOMPARE(unwritablePlaces(data_, WrittenKind::Settings, user_),
                 (QStringList{data_, user_.configFolder()}));
        QCOMPARE(unwritablePlaces(data_, WrittenKind::UserData, user_),
                 (QStringList{data_, user_.dataFolder()}));
    }

    void foldersMadeOnFirstWrite() {
        const QString bmk = user_.dataFolder() + QStringLiteral("CorsoDattilo/Tastolino.bmk");
        QVERIFY(!QFileInfo::exists(root_ + QStringLiteral("home")));
        QVERIFY(prepareToWrite(bmk, user_));
        QVERIFY(QFileInfo(user_.dataFolder() + QStringLiteral("CorsoDattilo")).isDir());
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(user_.dataFolder()).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
        QVERIFY(prepareToWrite(bmk, user_));  // already there
        // Nothing is made outside the user's folders, not even in the data folder.
        QVERIFY(!prepareToWrite(data_ + QStringLiteral("New/x.ini"), user_));
        QVERIFY(!QFileInfo::exists(data_ + QStringLiteral("New")));
        QVERIFY(!prepareToWrite(root_ + QStringLiteral("home/.local/share/other/x"), user_));
        // A read-only parent: the folder cannot be made.
        const UserFolders locked{root_ + QStringLiteral("locked"), QString(), QString()};
        QVERIFY(QDir().mkpath(root_ + QStringLiteral("locked")));
        makeReadOnly(root_ + QStringLiteral("locked"));
        if (::geteuid() != 0)
            QVERIFY(
                !prepareToWrite(locked.configFolder() + QStringLiteral("Tastolino.ini"), locked));
    }

    // The user's own files join the shipped ones; on the same name (as each
    // list compares names) the user's file is listed instead.
    void userLessonsListed() {
        touch(data_ + QStringLiteral("CorsoDattilo/Lezione01.lez"));
        touch(data_ + QStringLiteral("CorsoDattilo/Lezione02.lez"));
        touch(data_ + QStringLiteral("Esercizi/Uno.lez"));
        touch(data_ + QStringLiteral("Esercizi/tre.lez"));
        const auto title = [](const QString& n) {
            return n.section(QLatin1Char('.'), 0, 0).toUpper();
        };
        const auto folded = [](const QString& n) { return n.toCaseFolded(); };

        // No user folder yet: the shipped files alone.
        QCOMPARE(names(listedFiles(data_, QStringLiteral("CorsoDattilo"), QStringLiteral("*.lez"),
                                   title, user_)),
                 (QStringList{"Lezione01.lez", "Lezione02.lez"}));

        const QString own = user_.dataFolder();
        touch(own + QStringLiteral("CorsoDattilo/LEZIONE02.old.LEZ"));
        touch(own + QStringLiteral("CorsoDattilo/Lezione015.lez"));
        touch(own + QStringLiteral("Esercizi/uno.LEZ"));
        touch(own + QStringLiteral("Esercizi/Due.lez"));
        touch(own + QStringLiteral("Esercizi/notes.txt"));
        // Neither another ending nor a hidden file is a lesson.
        touch(own + QStringLiteral("Esercizi/nolez"));
        touch(own + QStringLiteral("Esercizi/vier.lezz"));
        touch(own + QStringLiteral("Esercizi/.fuenf.lez"));

        const QFileInfoList course = listedFiles(data_, QStringLiteral("CorsoDattilo"),
                                                 QStringLiteral("*.lez"), title, user_);
        QCOMPARE(names(course),
                 (QStringList{"Lezione01.lez", "Lezione015.lez", "LEZIONE02.old.LEZ"}));
        QCOMPARE(course[2].path(), own + QStringLiteral("CorsoDattilo"));
        const QFileInfoList exercises =
            listedFiles(data_, QStringLiteral("Esercizi"), QStringLiteral("*.lez"), folded, user_);
        QCOMPARE(names(exercises), (QStringList{"Due.lez", "tre.lez", "uno.LEZ"}));
        QCOMPARE(exercises[2].path(), own + QStringLiteral("Esercizi"));
        QCOMPARE(names(listedFiles(data_, QStringLiteral("Esercizi"), QStringLiteral("*.txt"),
                                   folded, user_)),
                 QStringList{"notes.txt"});

        QCOMPARE(
            lookupFolders(data_, QStringLiteral("Esercizi"), user_),
            (QStringList{own + QStringLiteral("Esercizi/"), data_ + QStringLiteral("Esercizi/")}));
    }

    // A program installed into the user's own data folder lists each file once.
    void userFolderIsTheDataFolder() {
        const QString installed = root_ + QStringLiteral("share/tastolino/");
        touch(installed + QStringLiteral("Esercizi/a.lez"));
        const UserFolders user{QString(), QString(), root_ + QStringLiteral("share")};
        QCOMPARE(user.dataFolder(), installed);
        QCOMPARE(names(listedFiles(
                     installed, QStringLiteral("Esercizi"), QStringLiteral("*.lez"),
                     [](const QString& n) { return n; }, user)),
                 QStringList{"a.lez"});
        QCOMPARE(lookupFolders(installed, QStringLiteral("Esercizi"), user),
                 QStringList{installed + QStringLiteral("Esercizi/")});
    }
};

QTEST_GUILESS_MAIN(TestDataFolders)
#include "tst_datafolders.moc"
