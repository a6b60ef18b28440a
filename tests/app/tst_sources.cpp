// Exercise sources on a program folder of their own: the file lists and
// their estimates, the size limit, resolving list entries, reading course
// entries, the command line and the per-user course bookmark.
#include "exercise/AppState.h"
#include "exercise/ExerciseProfile.h"
#include "exercise/ExerciseSources.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tastolino;

class TestSources : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QStringList boxes_;
    seams::MsgAnswer answer_ = seams::MsgAnswer::Yes;

    static void write(const QString& relative, const QByteArray& bytes) {
        tastolino::testing::writeFile(appState().appFolder + relative, bytes);
    }

  private slots:
    void init() {
        seams::resetAll();
        // A program folder whose own name contains ".txt": only list
        // entries may be cut after ".TXT".
        dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                               QStringLiteral("/my.txt.app-XXXXXX"));
        QVERIFY(dir_->isValid());
        appState() = AppState{};
        resetInterfaceLanguage();
        appState().appFolder = dir_->path() + QLatin1Char('/');
        setInterfaceFolder(appState().appFolder);
        QDir(dir_->path()).mkpath(QStringLiteral("CorsoDattilo"));
        QDir(dir_->path()).mkpath(QStringLiteral("Esercizi"));
        boxes_.clear();
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            boxes_ << r.text;
            return answer_;
        });
    }
    void cleanup() { seams::resetAll(); }

    void timeEstimates_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("text");
        QTest::newRow("25999 bytes") << qint64(25999) << QString::fromUtf8("    (87 ÷ 118 min)");
        QTest::newRow("200 bytes") << qint64(200) << QStringLiteral("    (1 min)");
        QTest::newRow("1 byte") << qint64(1) << QStringLiteral("    (1 min)");
        QTest::newRow("halves to even") << qint64(750) << QString::fromUtf8("    (2 ÷ 3 min)");
    }
    void timeEstimates() {
        QFETCH(qint64, size);
        QFETCH(QString, text);
        QCOMPARE(timeEstimate(size), text);
    }

    void textFileListAndLimit() {
        write(QStringLiteral("Esercizi/big.txt"), QByteArray(26000, 'a'));
        write(QStringLiteral("Esercizi/fits.txt"), QByteArray(25999, 'a'));
        ExerciseSources s;
        s.EnableSources();
        QVERIFY(!s.optionEnabled[SourceCourse]);
        QVERIFY(!s.optionEnabled[SourceExercises]);
        QVERIFY(s.optionEnabled[SourceTextFiles]);
        QVERIFY(s.hasFileSources);
        QVERIFY(s.SelectSource(SourceTextFiles));
        QCOMPARE(s.listEntries, QStringList{QString::fromUtf8("fits.txt    (87 ÷ 118 min)")});
        QCOMPARE(s.symbol, QStringLiteral("4"));
        s.ResolveListFile();
        QCOMPARE(appState().results.exerciseFile, appState().appFolder + "Esercizi/fits.txt");
        QVERIFY(appState().freeTextMode);
        // A listed file that has gone by Start leaves the internal sentences.
        QFile::remove(appState().appFolder + "Esercizi/fits.txt");
        s.ResolveListFile();
        QVERIFY(appState().results.exerciseFile.isEmpty());
        QVERIFY(!appState().freeTextMode);
        QVERIFY(!s.SelectSource(SourceGame));
        QCOMPARE(s.selectedSource, int(SourceInternal));
        QCOMPARE(s.symbol, QStringLiteral("&&"));
    }

    void courseEntries_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("maxWidth");
        QTest::addColumn<QString>("entry");
        QTest::newRow("two lines")
            << QByteArray("eins \xA6\xA6 zwei") << 100 << QStringLiteral("eins\r\nzwei");
        QTest::newRow("tab dropped") << QByteArray("a\tb") << 100 << QStringLiteral("ab");
        QTest::newRow("one character doubled twice") << QByteArray("a") << 100 << "aaaa";
        QTest::newRow("two characters doubled") << QByteArray("ab") << 100 << "abab";
        QTest::newRow("cut to the line") << QByteArray("abcdefgh") << 5 << "abcde";
        QTest::newRow("capital accent has no key")
            << QByteArray("\xC9t\xE9 ok") << 100 << QString::fromUtf8("té ok");
        QTest::newRow("empty") << QByteArray("   ") << 100 << QString();
    }
    void courseEntries() {
        QFETCH(QByteArray, value);
        QFETCH(int, maxWidth);
        QFETCH(QString, entry);
        write(QStringLiteral("Esercizi/e.lez"), "[livello2]\r\n7=" + value + "\r\n");
        const LineFitter fitter{[](const QString& t) { return int(t.size()); }, maxWidth};
        QCOMPARE(ReadCourseEntry(appState().appFolder + "Esercizi/e.lez", 2, 7, fitter), entry);
        QCOMPARE(ReadCourseEntry(appState().appFolder + "Esercizi/e.lez", 2, 8, fitter), QString());
        QCOMPARE(ReadCourseEntry(appState().appFolder + "Esercizi/none.lez", 2, 7, fitter),
                 QString());
    }

    void bookmark() {
        for (const char* name : {"LezA.lez", "LezB.lez", "LezC.lez"})
            write(QStringLiteral("CorsoDattilo/") + name, "[Livello1]\r\n1=asdf\r\n");
        appState().results.userName = QStringLiteral("Anna");
        ExerciseSources s;
        s.EnableSources();
        QVERIFY(s.SelectSource(SourceCourse));
        QCOMPARE(s.listEntries, (QStringList{"LEZA", "LEZB", "LEZC"}));
        QCOMPARE(s.listIndex, 0);
        QVERIFY(s.courseMode);

        // Finishing B and answering Yes: next time C.
        s.listIndex = 1;
        s.ResolveListFile();
        QCOMPARE(QFileInfo(appState().results.exerciseFile).fileName(), QStringLiteral("LezB.lez"));
        answer_ = seams::MsgAnswer::Yes;
        s.SaveBookmark(nullptr, QStringList());
        QCOMPARE(boxes_.size(), 1);
        s.SelectSource(SourceCourse);
        QCOMPARE(s.bookmarkName, QStringLiteral("LEZB"));
        QCOMPARE(s.listIndex, 2);
        // After the last lesson the course starts again at the first, and
        // the bookmark goes without a question.
        s.ResolveListFile();
        s.SaveBookmark(nullptr, QStringList());
        QCOMPARE(boxes_.size(), 1);
        s.SelectSource(SourceCourse);
        QCOMPARE(s.listIndex, 0);
        // Cancel keeps, No removes an earlier bookmark.
        profileWrite(ExerciseSources::bookmarkFile(), "Anna", "Bookmark", "LEZA");
        answer_ = seams::MsgAnswer::Cancel;
        s.SaveBookmark(nullptr, QStringList());
        QCOMPARE(profileRead(ExerciseSources::bookmarkFile(), "Anna", "Bookmark"), "LEZA");
        answer_ = seams::MsgAnswer::No;
        s.SaveBookmark(nullptr, QStringList());
        QCOMPARE(profileRead(ExerciseSources::bookmarkFile(), "Anna", "Bookmark"), QString());
        // Without a user name nothing is asked or stored.
        appState().results.userName.clear();
        s.SaveBookmark(nullptr, QStringList());
        QCOMPARE(boxes_.size(), 3);
        // Course next-file selection wraps around.
        s.listIndex = 2;
        s.SelectNextCourseEntry();
        QCOMPARE(s.listIndex, 0);
    }

    // Any user name keeps its bookmark: one that cannot be a section name
    // is stored under its key. A bookmark that cannot be written is
    // reported, not dropped in silence.
    void bookmarkForAnyName() {
        for (const char* name : {"LezA.lez", "LezB.lez", "LezC.lez"})
            write(QStringLiteral("CorsoDattilo/") + name, "[Livello1]\r\n1=asdf\r\n");
        appState().results.userName = QStringLiteral("X]Y");
        ExerciseSources s;
        s.EnableSources();
        QVERIFY(s.SelectSource(SourceCourse));
        s.listIndex = 1;
        s.ResolveListFile();
        answer_ = seams::MsgAnswer::Yes;
        s.SaveBookmark(nullptr, QStringList());
        QCOMPARE(boxes_.size(), 1);
        QCOMPARE(profileRead(ExerciseSources::bookmarkFile(), "X%5DY", "Bookmark"), "LEZB");
        s.SelectSource(SourceCourse);
        QCOMPARE(s.bookmarkName, QStringLiteral("LEZB"));
        QCOMPARE(s.listIndex, 2);

        const QString file = ExerciseSources::bookmarkFile();
        QFile::setPermissions(file, QFileDevice::ReadOwner);
        s.listIndex = 0;
        s.ResolveListFile();
        s.SaveBookmark(nullptr, QStringList());
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(boxes_.size(), 3);
        QVERIFY(boxes_[2].startsWith(QStringLiteral("Impossibile salvare")));
        QVERIFY(boxes_[2].contains(file));
        QCOMPARE(profileRead(file, "X%5DY", "Bookmark"), "LEZB");
    }

    void commandLine_data() {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("kept");
        // Without a "/" in front the argument is a path of the current folder.
        QTest::newRow("no slash") << "e.lez" << int(ExerciseSources::CommandLine::NotFound)
                                  << false;
        QTest::newRow("wrong extension")
            << "/e.doc" << int(ExerciseSources::CommandLine::Ignored) << false;
        QTest::newRow("outside the folder")
            << "/../e.lez" << int(ExerciseSources::CommandLine::NotFound) << false;
        QTest::newRow("missing") << "/nope.lez" << int(ExerciseSources::CommandLine::NotFound)
                                 << false;
        QTest::newRow("exercise, any case")
            << "/ E.LEZ " << int(ExerciseSources::CommandLine::Accepted) << true;
        QTest::newRow("text") << "/t.txt" << int(ExerciseSources::CommandLine::Accepted) << true;
        QTest::newRow("text too long")
            << "/big.txt" << int(ExerciseSources::CommandLine::TooLong) << true;
    }
    void commandLine() {
        QFETCH(QString, arg);
        QFETCH(int, outcome);
        QFETCH(bool, kept);
        write(QStringLiteral("Esercizi/e.lez"), "[Livello1]\r\n1=x\r\n");
        write(QStringLiteral("Esercizi/t.txt"), "text");
        write(QStringLiteral("Esercizi/big.txt"), QByteArray(26000, 'a'));
        ExerciseSources s;
        QCOMPARE(int(s.InterpretCommandLine(arg)), outcome);
        QCOMPARE(!s.commandLineArg.isEmpty(), kept);
        const bool accepted = outcome == int(ExerciseSources::CommandLine::Accepted);
        QCOMPARE(!appState().results.exerciseFile.isEmpty(),
                 accepted || outcome == int(ExerciseSources::CommandLine::TooLong));
        QCOMPARE(s.textFileChosen, accepted && arg.endsWith(QStringLiteral(".txt")));
        // The accepted file survives the start-up selection of the sources.
        s.EnableSources();
        QCOMPARE(!appState().results.exerciseFile.isEmpty(),
                 accepted || outcome == int(ExerciseSources::CommandLine::TooLong));
    }

    // Any readable file by its path, relative or absolute, blanks and
    // umlauts in its name; "/" + a name found in the exercises folder stays
    // that file, while a relative path that happens to end in the same name
    // is the path.
    void commandLinePaths() {
        write(QStringLiteral("Esercizi/e.lez"), "[Livello1]\r\n1=shipped\r\n");
        QTemporaryDir outside;
        const QString folder = outside.path() + QString::fromUtf8("/Meine Übungen");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
        const QString lesson = folder + QString::fromUtf8("/Grüße aus Köln.lez");
        for (const QString& f : {lesson, folder + QStringLiteral("/sub/e.lez")}) {
            QFile file(f);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Livello1]\r\n1=abc\r\n");
        }
        QFile big(folder + QStringLiteral("/lang.TXT"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(QByteArray(26000, 'a'));
        big.close();
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/dir.lez")));

        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder));
        const struct {
            QString arg;
            ExerciseSources::CommandLine outcome;
            QString file;
        } cases[] = {
            {lesson, ExerciseSources::CommandLine::Accepted, lesson},
            {QStringLiteral(" ") + lesson + QStringLiteral(" "),
             ExerciseSources::CommandLine::Accepted, lesson},
            {QString::fromUtf8("Grüße aus Köln.lez"), ExerciseSources::CommandLine::Accepted,
             lesson},
            {QString::fromUtf8("../Meine Übungen/Grüße aus Köln.lez"),
             ExerciseSources::CommandLine::Accepted, lesson},
            {QStringLiteral("sub/e.lez"), ExerciseSources::CommandLine::Accepted,
             folder + QStringLiteral("/sub/e.lez")},
            {QStringLiteral("./sub/e.lez"), ExerciseSources::CommandLine::Accepted,
             folder + QStringLiteral("/sub/e.lez")},
            {QStringLiteral("/e.lez"), ExerciseSources::CommandLine::Accepted,
             appState().appFolder + QStringLiteral("Esercizi/e.lez")},
            {QStringLiteral("lang.TXT"), ExerciseSources::CommandLine::TooLong,
             folder + QStringLiteral("/lang.TXT")},
            {QStringLiteral("dir.lez"), ExerciseSources::CommandLine::NotFound, QString()},
            {QStringLiteral("gone.lez"), ExerciseSources::CommandLine::NotFound, QString()},
        };
        for (const auto& c : cases) {
            appState().results.exerciseFile.clear();
            appState().freeTextMode = false;
            ExerciseSources s;
            QCOMPARE(s.InterpretCommandLine(c.arg), c.outcome);
            QCOMPARE(appState().results.exerciseFile, c.file);
            QCOMPARE(s.commandLineArg.isEmpty(),
                     c.outcome == ExerciseSources::CommandLine::NotFound);
            QCOMPARE(s.unreadableFile, c.outcome == ExerciseSources::CommandLine::NotFound
                                           ? folder + QLatin1Char('/') + c.arg
                                           : QString());
            QVERIFY(!appState().freeTextMode);
        }
        QVERIFY(QDir::setCurrent(cwd));
    }

    // A program folder that cannot be written: the user's own lessons and
    // exercises join the lists (the user's file wins on the same name), and
    // the bookmark goes into the user's data folder.
    void userFoldersWhenProgramFolderIsReadOnly() {
        QTemporaryDir user;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(user.path()));
        const QString own = user.path() + QStringLiteral("/tastolino/");
        write(QStringLiteral("CorsoDattilo/LezA.lez"), "[Livello1]\r\n1=a\r\n");
        write(QStringLiteral("CorsoDattilo/LezC.lez"), "[Livello1]\r\n1=c\r\n");
        write(QStringLiteral("Esercizi/Mia.lez"), "[Livello1]\r\n1=shipped\r\n");
        QVERIFY(QDir().mkpath(own + QStringLiteral("CorsoDattilo")));
        QVERIFY(QDir().mkpath(own + QStringLiteral("Esercizi")));
        for (const char* f : {"CorsoDattilo/lezb.lez", "Esercizi/MIA.lez", "Esercizi/mine.txt"}) {
            QFile file(own + QLatin1String(f));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Livello1]\r\n1=own\r\n");
        }
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        QVERIFY(QFile::setPermissions(appState().appFolder + "CorsoDattilo", readOnly));
        QVERIFY(QFile::setPermissions(appState().appFolder, readOnly));

        ExerciseSources s;
        s.EnableSources();
        QVERIFY(s.optionEnabled[SourceTextFiles]);
        QVERIFY(s.SelectSource(SourceExercises));
        QCOMPARE(s.listEntries, QStringList{"MIA.lez"});
        s.ResolveListFile();
        QCOMPARE(appState().results.exerciseFile, own + QStringLiteral("Esercizi/MIA.lez"));

        appState().results.userName = QStringLiteral("Anna");
        QVERIFY(s.SelectSource(SourceCourse));
        QCOMPARE(s.listEntries, (QStringList{"LEZA", "LEZB", "LEZC"}));
        s.listIndex = 1;
        s.ResolveListFile();
        QCOMPARE(appState().results.exerciseFile, own + QStringLiteral("CorsoDattilo/lezb.lez"));
        QCOMPARE(ExerciseSources::bookmarkFile(),
                 own + QStringLiteral("CorsoDattilo/Tastolino.bmk"));
        answer_ = seams::MsgAnswer::Yes;
        s.SaveBookmark(nullptr, QStringList());
        QCOMPARE(
            profileRead(own + QStringLiteral("CorsoDattilo/Tastolino.bmk"), "Anna", "Bookmark"),
            QStringLiteral("LEZB"));
        QVERIFY(!QFileInfo::exists(appState().appFolder + "CorsoDattilo/Tastolino.bmk"));
        s.SelectSource(SourceCourse);
        QCOMPARE(s.listIndex, 2);

        // The "/" form finds the user's exercise first.
        ExerciseSources c;
        QCOMPARE(c.InterpretCommandLine(QStringLiteral("/mia.lez")),
                 ExerciseSources::CommandLine::Accepted);
        QCOMPARE(appState().results.exerciseFile, own + QStringLiteral("Esercizi/MIA.lez"));

        const auto writable = readOnly | QFileDevice::WriteOwner;
        QFile::setPermissions(appState().appFolder, writable);
        QFile::setPermissions(appState().appFolder + "CorsoDattilo", writable);
        qputenv("XDG_DATA_HOME", saved);
    }

    // The lessons shipped beside the program: fifteen entries each, nothing
    // lost to characters without a key, text files within the limit.
    void shippedSamples() {
        const QString data = QStringLiteral(TASTOLINO_SOURCE_DIR "/data/");
        const LineFitter wide{[](const QString& t) { return int(t.size()); }, 1000};
        int lessons = 0;
        for (const QString& folder : {QStringLiteral("CorsoDattilo/"), QStringLiteral("Esercizi/")})
            for (const QFileInfo& f : QDir(data + folder, "*.lez").entryInfoList(QDir::Files)) {
                ++lessons;
                for (int level = 1; level <= 3; ++level)
                    for (int key = 1; key <= 5; ++key) {
                        const QString raw =
                            profileRead(f.filePath(), QStringLiteral("Livello%1").arg(level),
                                        QString::number(key));
                        const QString entry = ReadCourseEntry(f.filePath(), level, key, wide);
                        QString expected = raw.trimmed();
                        expected.replace(QStringLiteral("\u00A6\u00A6"), QStringLiteral("\r\n"));
                        QVERIFY2(!entry.isEmpty() && entry == expected,
                                 qPrintable(f.fileName() + QStringLiteral(": ") + raw));
                    }
            }
        QVERIFY(lessons >= 3);
        const QFileInfoList texts = QDir(data + "Esercizi/", "*.txt").entryInfoList(QDir::Files);
        QVERIFY(!texts.isEmpty());
        for (const QFileInfo& f : texts) QVERIFY(f.size() < kTextFileLimit);
    }

    void remainingMinutes() {
        QCOMPARE(remainingMinutesText(1000, 900), QStringLiteral("< 1"));
        QCOMPARE(remainingMinutesText(26000, 0), QStringLiteral("100"));
    }
};

QTEST_MAIN(TestSources)
#include "tst_sources.moc"
