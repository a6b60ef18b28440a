// Every place the program reads or writes, with something planted there by
// the same user or by another one (nobody, where the test runs as root): a
// named pipe or a link to a file of the user's. Nothing waits on a pipe,
// nothing outside the program's own files is written, the learner is told
// where the program has something to say, and a planter racing the saves
// never wins. Report files are private, and saves killed midway leave at
// most one temporary file, which the next save removes.
#include "EngineTestView.h"
#include "app/StartupChecks.h"
#include "exercise/AppState.h"
#include "exercise/DesktopTexts.h"
#include "exercise/ExerciseProfile.h"
#include "exercise/ExerciseSources.h"
#include "game/PlayRules.h"
#include "platform/Seams.h"
#include "platform/TempReportFile.h"
#include "settings/AtomicFile.h"
#include "settings/InterfaceLanguage.h"
#include "settings/InterfaceTexts.h"
#include "settings/LanguageSupport.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include "support/PlantTools.h"
#include "support/ReportFileCheck.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <random>

using namespace tastolino;
using namespace planttest;

namespace {

constexpr uid_t kNobody = 65534;

// One place of the program: where it lies in `folder` (the program folder),
// how the program reads it (true: read as something the program wrote) and
// how it writes it (true: written).
struct Place {
    const char* name;
    std::function<QString(const QString& folder)> path;
    std::function<void(const QString& folder)> read;
    std::function<bool(const QString& folder)> write;
};

std::vector<Place> places() {
    return {
        {"settings", [](const QString& f) { return settingsFilePath(f); },
         [](const QString& f) {
             const MainOptions o = LoadSettings(f);
             QVERIFY(!o.ergonomicOn);  // the default
         },
         [](const QString& f) {
             MainOptions o;
             o.ergonomicOn = true;
             SaveSettings(f, o);
             return LoadSettings(f).ergonomicOn;
         }},
        {"records", [](const QString& f) { return game::recordsFilePath(f); },
         [](const QString& f) {
             QCOMPARE(game::readRecords(f, QStringLiteral("Anna")), (std::array<int32_t, 3>{}));
         },
         [](const QString& f) { return game::writeRecord(f, QStringLiteral("Anna"), 1, 500); }},
        {"bookmark", [](const QString&) { return ExerciseSources::bookmarkFile(); },
         [](const QString&) {
             QCOMPARE(profileRead(ExerciseSources::bookmarkFile(), QStringLiteral("Anna"),
                                  QStringLiteral("Bookmark")),
                      QString());
         },
         [](const QString&) {
             return profileWrite(ExerciseSources::bookmarkFile(), QStringLiteral("Anna"),
                                 QStringLiteral("Bookmark"), QStringLiteral("03 R UND U"));
         }},
        {"language file",
         [](const QString& f) { return languageFilePath(f, QStringLiteral("Deutsch")); },
         [](const QString& f) {
             QVERIFY(!languageFileExists(f, QStringLiteral("Deutsch")));
             // The built-in text, as for a missing file.
             QCOMPARE(GetLangString(f, QStringLiteral("Deutsch"), QStringLiteral("0031")),
                      ItalianText(QStringLiteral("0031")));
         },
         // The program never writes a language file.
         nullptr},
    };
}

QStringList temporariesIn(const QString& folder) {
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot))
        if (!files::temporaryFileOf(QFile::encodeName(name).toStdString()).empty()) found << name;
    return found;
}

}  // namespace

class TestHostilePlaces : public QObject {
    Q_OBJECT

    QStringList messages_;
    QByteArray dataHome_;

  private slots:
    void initTestCase() { dataHome_ = qgetenv("XDG_DATA_HOME"); }
    void init() {
        seams::resetAll();
        messages_.clear();
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            messages_ << r.text;
            return seams::MsgAnswer::Ok;
        });
    }
    void cleanup() {
        seams::resetAll();
        qputenv("XDG_DATA_HOME", dataHome_);
    }

    void plantedThings_data() {
        QTest::addColumn<QString>("plant");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("link of the user's") << "own link";
        QTest::newRow("link of another user") << "foreign link";
        QTest::newRow("pipe of another user") << "foreign pipe";
    }
    // A pipe or a link at each place of the program folder, which here is a
    // folder everyone can write into (as a shared or removable folder may
    // be): reads give the defaults at once, a pipe is never replaced, a
    // link of someone else is never followed, and the file a link points at
    // changes only when the link is the user's own.
    void plantedThings() {
        QFETCH(QString, plant);
        const bool foreign = plant.startsWith(QLatin1String("foreign"));
        if (foreign && ::geteuid() != 0) QSKIP("only root can plant as another user");
        for (const Place& place : places()) {
            SharedFolder shared;
            QVERIFY(shared.isValid());
            QTemporaryDir mine;
            const QString folder = shared.path() + QLatin1Char('/');
            appState() = AppState{};
            resetInterfaceLanguage();
            appState().appFolder = folder;
            setInterfaceFolder(appState().appFolder);
            qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("data")));
            QDir(folder).mkpath(QStringLiteral("Lang"));
            QDir(folder).mkpath(QStringLiteral("CorsoDattilo"));
            const QString path = place.path(folder);
            QVERIFY2(path.startsWith(folder), qPrintable(path));
            QDir().mkpath(QFileInfo(path).path());
            const QString victim = mine.filePath(QStringLiteral("victim"));
            QFile v(victim);
            QVERIFY(v.open(QIODevice::WriteOnly));
            v.write("keep me");
            v.close();
            if (plant.endsWith(QLatin1String("pipe"))) {
                QVERIFY(makePipe(path));
            } else {
                QVERIFY(QFile::link(victim, path));
            }
            if (foreign) QCOMPARE(::lchown(native(path).constData(), kNobody, kNobody), 0);
            const QString was = kindAt(path);
            {
                Watchdog watchdog(place.name);
                if (!plant.endsWith(QLatin1String("link"))) place.read(folder);
                if (place.write) {
                    const bool written = place.write(folder);
                    // Only the user's own link leads to a file that may be
                    // written: the one the user linked.
                    QCOMPARE(written, plant == QLatin1String("own link"));
                }
            }
            QCOMPARE(kindAt(path), was);
            if (plant != QLatin1String("own link") || !place.write)
                QCOMPARE(contents(victim), QByteArray("keep me"));
            QCOMPARE(temporariesIn(QFileInfo(path).path()), QStringList());
            QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        }
    }

    // A pipe or another user's link where the course bookmark is kept: the
    // learner who chose to keep the lesson is told that it was not kept.
    void bookmarkThatCannotBeKeptIsTold_data() {
        QTest::addColumn<QString>("plant");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("link of another user") << "foreign link";
    }
    void bookmarkThatCannotBeKeptIsTold() {
        QFETCH(QString, plant);
        if (plant == QLatin1String("foreign link") && ::geteuid() != 0)
            QSKIP("only root can plant as another user");
        SharedFolder shared;
        QTemporaryDir mine;
        const QString folder = shared.path() + QLatin1Char('/');
        appState() = AppState{};
        resetInterfaceLanguage();
        appState().appFolder = folder;
        setInterfaceFolder(appState().appFolder);
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("data")));
        appState().results.userName = QStringLiteral("Anna");
        appState().results.exerciseFile = folder + QStringLiteral("CorsoDattilo/03 r und u.lez");
        const QString path = ExerciseSources::bookmarkFile();
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const QString victim = mine.filePath(QStringLiteral("victim"));
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly));
        v.write("keep me");
        v.close();
        if (plant == QLatin1String("pipe")) {
            QVERIFY(makePipe(path));
        } else {
            QVERIFY(QFile::link(victim, path));
            QCOMPARE(::lchown(native(path).constData(), kNobody, kNobody), 0);
        }
        ExerciseSources sources;
        sources.listEntries = QStringList{QStringLiteral("a"), QStringLiteral("b")};
        sources.listIndex = 0;
        QStringList texts;
        for (int i = 0; i < 23; ++i) texts << QStringLiteral("question %1").arg(i);
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            messages_ << r.text;
            return seams::MsgAnswer::Yes;  // keep the bookmark
        });
        {
            Watchdog watchdog("keeping the bookmark");
            sources.SaveBookmark(nullptr, texts);
            sources.ReadBookmark();
        }
        QCOMPARE(messages_.size(), 2);
        QCOMPARE(messages_[1],
                 QStringLiteral("Impossibile salvare il segnalibro del corso nel file:\n") + path);
        QCOMPARE(sources.bookmarkName, QString());
        QCOMPARE(contents(victim), QByteArray("keep me"));
        QCOMPARE(kindAt(path),
                 plant == QLatin1String("pipe") ? QStringLiteral("pipe") : QStringLiteral("link"));
    }

    // Another user re-plants links to a file of the user's and pipes at the
    // records file, 1000 times, while the game keeps saving records: the
    // file linked to never changes and no pipe is replaced.
    void racingPlanterAtTheRecords() {
        if (!canActAsNobody()) QSKIP("needs root and setpriv to act as nobody");
        SharedFolder shared;
        QTemporaryDir mine;
        const QString folder = shared.path() + QLatin1Char('/');
        appState() = AppState{};
        resetInterfaceLanguage();
        appState().appFolder = folder;
        setInterfaceFolder(appState().appFolder);
        const QString victim = mine.filePath(QStringLiteral("victim"));
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly));
        v.write("keep me");
        v.close();
        QVERIFY(::chmod(native(mine.path()).constData(), 0755) == 0);
        const QString path = game::recordsFilePath(folder);
        Planter planter(QStringLiteral(TASTOLINO_PLANTER), path, victim, 1000, true);
        int saves = 0;
        while (planter.running() || saves < 1000) {
            Watchdog watchdog("a record saved while a planter races it");
            if (game::writeRecord(folder, QStringLiteral("Anna"), 0, saves)) {
                QCOMPARE(kindAt(path), QStringLiteral("file"));
                QCOMPARE(game::readRecords(folder, QStringLiteral("Anna"))[0], saves);
            }
            // The program's own file goes each time, so that the planter
            // gets its chance again.
            if (kindAt(path) == QStringLiteral("file")) QFile::remove(path);
            ++saves;
        }
        const PlantCount count = parseCount(planter.finish());
        QCOMPARE(count.tried, 1000L);
        qInfo("%d saves; planted %ld links, %ld pipes", saves, count.links, count.pipes);
        QCOMPARE(count.destroyed, 0L);
        QCOMPARE(contents(victim), QByteArray("keep me"));
    }

    // Report files: private (0600 in a 0700 folder of the user's), and a
    // planter racing 1000 times, as another user and as the same one, at
    // the report's name in the temporary folder and inside every report
    // folder it can see, never gets its link or pipe used.
    void reportFilesAgainstARacingPlanter_data() {
        QTest::addColumn<bool>("nobody");
        QTest::newRow("same user") << false;
        QTest::newRow("another user") << true;
    }
    void reportFilesAgainstARacingPlanter() {
        QFETCH(bool, nobody);
        if (nobody && !canActAsNobody()) QSKIP("needs root and setpriv to act as nobody");
        SharedFolder temp;
        QTemporaryDir mine;
        QVERIFY(::chmod(native(mine.path()).constData(), 0755) == 0);
        const QString victim = mine.filePath(QStringLiteral("victim"));
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly));
        v.write("keep me");
        v.close();
        Planter inFolders(QStringLiteral(TASTOLINO_PLANTER),
                          temp.filePath(QStringLiteral("tastolino-*/Anna.pdf")), victim, 1000,
                          nobody);
        Planter beside(QStringLiteral(TASTOLINO_PLANTER), temp.filePath(QStringLiteral("Anna.pdf")),
                       victim, 1000, nobody);
        int writes = 0, refused = 0;
        while (inFolders.running() || beside.running() || writes < 1000) {
            Watchdog watchdog("a report written while a planter races it");
            TempReportFile report(temp.path());
            ++writes;
            std::FILE* f = report.create(QStringLiteral("Anna.pdf"));
            // The same user can get into the report's folder: then the file
            // is not made, and nothing planted is used.
            if (f == nullptr) {
                ++refused;
                continue;
            }
            QVERIFY(std::fputs("%PDF-1.3\n", f) >= 0);
            QCOMPARE(std::fclose(f), 0);
            QCOMPARE(reporttest::placementProblem(report.path(), temp.path(),
                                                  QStringLiteral("Anna.pdf")),
                     QString());
            QCOMPARE(contents(report.path()), QByteArray("%PDF-1.3\n"));
        }
        qInfo("%d reports, %d refused", writes, refused);
        // The planter inside tries each report folder it sees in each of its
        // rounds: as many as there happen to be at that moment.
        const PlantCount inside = parseCount(inFolders.finish());
        const PlantCount outside = parseCount(beside.finish());
        QVERIFY(inside.tried >= 0);
        QCOMPARE(outside.tried, 1000L);
        QCOMPARE(inside.destroyed + outside.destroyed, 0L);
        qInfo("planted inside %ld of %ld tries", inside.links + inside.pipes, inside.tried);
        QCOMPARE(contents(victim), QByteArray("keep me"));
        if (nobody) {
            // Another user cannot get in at all; every report folder went
            // with its report.
            QCOMPARE(refused, 0);
            QCOMPARE(reporttest::leftIn(temp.path()), QStringList());
        }
    }

    void lockPlaces_data() {
        QTest::addColumn<QString>("plant");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("link to a file of the user's") << "link";
        QTest::newRow("folder others can enter") << "open folder";
        QTest::newRow("folder of another user") << "foreign folder";
        QTest::newRow("link as the folder") << "folder link";
    }
    // The single-instance lock with something planted at its place: never
    // waits, never writes through a link, and says Unavailable, which the
    // main window tells the learner about.
    void lockPlaces() {
        QFETCH(QString, plant);
        if (plant == QLatin1String("foreign folder") && ::geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("run"));
        const QString victim = dir.filePath(QStringLiteral("victim"));
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly));
        v.write("keep me");
        v.close();
        if (plant == QLatin1String("folder link")) {
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("elsewhere")));
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("elsewhere")), folder));
        } else {
            QCOMPARE(::mkdir(native(folder).constData(), 0700), 0);
        }
        const QString lock = folder + QStringLiteral("/tastolino.lock");
        if (plant == QLatin1String("pipe")) QVERIFY(makePipe(lock));
        if (plant == QLatin1String("link")) QVERIFY(QFile::link(victim, lock));
        if (plant == QLatin1String("open folder"))
            QCOMPARE(::chmod(native(folder).constData(), 0777), 0);
        if (plant == QLatin1String("foreign folder"))
            QCOMPARE(::chown(native(folder).constData(), kNobody, kNobody), 0);
        {
            Watchdog watchdog("taking the lock");
            SingleInstance instance(lock);
            QCOMPARE(instance.acquire(), SingleInstance::Lock::Unavailable);
            QCOMPARE(instance.folder(), folder);
        }
        QCOMPARE(contents(victim), QByteArray("keep me"));
        QVERIFY(lockUnavailableText(folder).endsWith(QLatin1Char('\n') + folder));
        QVERIFY(lockUnavailableText(folder).startsWith(QStringLiteral("Non è possibile")));
    }

    // Without a runtime folder the lock gets a folder of the user's own in
    // the temporary folder, made private.
    void lockWithoutRuntimeFolder() {
        QTemporaryDir temp;
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray tmpdir = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const QString path = SingleInstance::defaultLockPath();
        const QString expected = QStringLiteral("tastolino-%1").arg(::geteuid());
        {
            SingleInstance instance;
            QCOMPARE(instance.acquire(), SingleInstance::Lock::Taken);
        }
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", tmpdir);
        QCOMPARE(QFileInfo(path).dir().dirName(), expected);
        QCOMPARE(QFileInfo(QFileInfo(path).path()).path(), temp.path());
        struct stat st {};
        QCOMPARE(::lstat(native(QFileInfo(path).path()).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0700);
    }

    // Saves killed at random moments, 200 times, in a folder holding the
    // settings, the records and the bookmark: at most one temporary file is
    // left, and the next save removes it; every file is old or new, never
    // half-written.
    void killedSavesLeaveAtMostOneTemporary() {
        QTemporaryDir dir;
        const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
        const std::string names[] = {"Tastolino.ini", "TastolinoWinner.ini", "Tastolino.bmk"};
        const std::string big(200000, 'x');
        std::mt19937 random(7);
        int left = 0;
        for (int kill = 0; kill < 200; ++kill) {
            // Each run starts at another file and size.
            const long first = long(random() % 1000);
            const pid_t child = ::fork();
            if (child == 0) {
                for (long n = first;; ++n)
                    profile::writeString(folder + names[n % 3], "S", "k",
                                         std::to_string(n) + big.substr(0, size_t(n % 7) * 30000));
            }
            ::usleep(useconds_t(random() % 20000));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            const int now = int(temporariesIn(dir.path()).size());
            QVERIFY2(now <= 1, qPrintable(temporariesIn(dir.path()).join(' ')));
            left += now;
        }
        qInfo("temporary files left after 200 kills, summed over the kills: %d", left);
        int written = 0;
        for (const std::string& name : names) {
            const std::string value = profile::readString(folder + name, "S", "k", "", 300000);
            // A file no run got to write yet is missing, never broken.
            if (value.empty()) {
                QCOMPARE(kindAt(QFile::decodeName((folder + name).c_str())),
                         QStringLiteral("none"));
                continue;
            }
            ++written;
            const size_t digits = value.find('x');
            QCOMPARE(value.size() - std::min(digits, value.size()),
                     size_t(std::stol(value) % 7) * 30000);
        }
        QVERIFY(written > 0);
        QVERIFY(profile::writeString(folder + names[0], "S", "k", "final"));
        QCOMPARE(temporariesIn(dir.path()), QStringList());
    }
};

QTEST_MAIN(TestHostilePlaces)
#include "tst_hostile_places.moc"
