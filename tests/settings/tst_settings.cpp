#include "settings/InstallerLanguage.h"
#include "settings/Settings.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tastolino;

class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QTemporaryDir config;  // stands for the user's configuration folder
    QString folder;

    QString iniPath() const { return folder + "Tastolino.ini"; }
    void putIni(const QByteArray& bytes) { tastolino::testing::writeFile(iniPath(), bytes); }
    QByteArray iniBytes() const {
        return tastolino::testing::readFile(iniPath(), QByteArray("<missing>"));
    }
    void putInstallerFile(const QByteArray& bytes) {
        QVERIFY(QDir(config.path()).mkpath("Lingovano"));
        QFile f(config.filePath("Lingovano/installer-language"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

  private slots:
    void init() {
        folder = dir.path() + "/";
        QFile::remove(iniPath());
        QFile::remove(config.filePath("Lingovano/installer-language"));
        qunsetenv("TASTOLINO_INSTALLER_LANGUAGE");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }

    void anAbsentFileGivesTheDefaults() {
        const MainOptions o = LoadSettings(folder);
        QVERIFY(!o.ergonomicOn);
        QVERIFY(o.soundOn);
        QVERIFY(o.fingerMapOn);
        QVERIFY(o.highlightOn);
        QVERIFY(!o.flatKeyboardOn);
        QCOMPARE(o.backgroundTheme, int16_t(0));
        QCOMPARE(o.category, int16_t(0));
        QCOMPARE(o.languageName, QString("Italian"));
        QVERIFY(!o.languageFileActive);
        QVERIFY(!QFile::exists(iniPath()));  // reading never creates the file
    }

    void valuesAreReadByTheirOwnRules() {
        putIni(
            "[Options]\r\n"
            "Ergonomic=yes\r\n"  // anything but "0" is on
            "Song=\r\n"          // empty: default on
            "KeyMap=no\r\n"
            "Highlight=0\r\n"
            "SimpleKeyb=2\r\n"
            "BackColor=7\r\n"
            "Category=2\r\n");
        MainOptions o = LoadSettings(folder);
        QVERIFY(o.ergonomicOn);
        QVERIFY(o.soundOn);
        QVERIFY(o.fingerMapOn);
        QVERIFY(!o.highlightOn);
        QVERIFY(o.flatKeyboardOn);
        QCOMPARE(o.backgroundTheme, int16_t(7));
        QCOMPARE(o.category, int16_t(0));

        putIni("[Options]\r\nSimpleKeyb=x\r\nBackColor=blue\r\nCategory= 1 \r\nSong=0\r\n");
        o = LoadSettings(folder);
        QVERIFY(!o.flatKeyboardOn);
        QCOMPARE(o.backgroundTheme, int16_t(0));
        QCOMPARE(o.category, int16_t(1));
        QVERIFY(!o.soundOn);

        // Out of the 16-bit range: 0; inside it, returned as stored.
        putIni("[Options]\r\nBackColor=70000\r\nSimpleKeyb=40000\r\n");
        o = LoadSettings(folder);
        QCOMPARE(o.backgroundTheme, int16_t(0));
        QVERIFY(!o.flatKeyboardOn);
        putIni("[Options]\r\nBackColor=-3\r\nSimpleKeyb=0.4\r\n");
        o = LoadSettings(folder);
        QCOMPARE(o.backgroundTheme, int16_t(-3));
        QVERIFY(!o.flatKeyboardOn);
    }

    void numbersConvertLikeTheOldIntegerConversion() {
        QCOMPARE(toInt16("32767"), std::optional<int16_t>(32767));
        QCOMPARE(toInt16("-32768"), std::optional<int16_t>(-32768));
        QCOMPARE(toInt16("32768"), std::optional<int16_t>());
        QCOMPARE(toInt16("2.5"), std::optional<int16_t>(2));  // half to even
        QCOMPARE(toInt16("3.5"), std::optional<int16_t>(4));
        QCOMPARE(toInt16("1e3"), std::optional<int16_t>(1000));
        QCOMPARE(toInt16("&HFFFF"), std::optional<int16_t>(-1));
        QCOMPARE(toInt16("1,5"), std::optional<int16_t>());
        QCOMPARE(toInt16("12abc"), std::optional<int16_t>());
    }

    void theLanguageComesFromTheFileOrTheInstaller() {
        putIni("[Language]\r\nCurrentLanguage=\r\n");
        qputenv("TASTOLINO_INSTALLER_LANGUAGE", "1031");
        QCOMPARE(LoadSettings(folder).languageName, QString("German"));

        putInstallerFile(" 1036 \nsecond line\n");
        QCOMPARE(LoadSettings(folder).languageName, QString("German"));  // the variable wins
        qputenv("TASTOLINO_INSTALLER_LANGUAGE", "");
        QCOMPARE(InstallerLanguage(), QString("1036"));
        QCOMPARE(LoadSettings(folder).languageName, QString("French"));
        putInstallerFile("9999");
        QCOMPARE(LoadSettings(folder).languageName, QString("Italian"));

        QCOMPARE(languageForInstallerChoice("1033"), QString("English"));
        QCOMPARE(languageForInstallerChoice("1034"), QString("Spanish"));

        putIni("[Language]\r\nCurrentLanguage=Klingon\r\n");
        QVERIFY(QDir(folder).mkpath("Lang"));
        MainOptions o = LoadSettings(folder);
        QCOMPARE(o.languageName, QString("Klingon"));
        QVERIFY(!o.languageFileActive);
        QFile lng(folder + "Lang/Klingon.lng");
        QVERIFY(lng.open(QIODevice::WriteOnly));
        lng.close();
        QVERIFY(LoadSettings(folder).languageFileActive);

        // A name leading out of Lang/ never activates a file there.
        QFile outside(folder + "Evil.lng");
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.close();
        putIni("[Language]\r\nCurrentLanguage=../Evil\r\n");
        QVERIFY(!LoadSettings(folder).languageFileActive);
    }

    void savingWritesEveryKeyInOrderAndKeepsTheRest() {
        MainOptions o;
        o.ergonomicOn = true;
        o.soundOn = false;
        o.flatKeyboardOn = true;
        o.backgroundTheme = 10;
        o.category = 1;
        o.languageName = "German";
        SaveSettings(folder, o);
        QCOMPARE(iniBytes(), QByteArray("[Options]\r\n"
                                        "Ergonomic=1\r\n"
                                        "Song=0\r\n"
                                        "KeyMap=1\r\n"
                                        "Highlight=1\r\n"
                                        "SimpleKeyb=1\r\n"
                                        "BackColor=10\r\n"
                                        "Category=1\r\n"
                                        "[Language]\r\n"
                                        "CurrentLanguage=German\r\n"));
        const MainOptions back = LoadSettings(folder);
        QVERIFY(back.ergonomicOn && !back.soundOn && back.flatKeyboardOn);
        QCOMPARE(back.backgroundTheme, int16_t(10));
        QCOMPARE(back.category, int16_t(1));

        putIni("[AccessName]\r\nRemember=1\r\nName=ANNA\r\n[Options]\r\nSong=1\r\n");
        SaveSettings(folder, MainOptions{});
        QVERIFY(
            iniBytes().startsWith("[AccessName]\r\nRemember=1\r\nName=ANNA\r\n[Options]\r\n"
                                  "Song=1\r\nErgonomic=0\r\n"));
    }

    void aReadOnlyFileIsNeitherReportedNorDamaged() {
        const QByteArray original = "[Options]\r\nSong=0\r\n";
        putIni(original);
        QVERIFY(::chmod(QFile::encodeName(iniPath()).constData(), 0444) == 0);
        SaveSettings(folder, MainOptions{});
        QCOMPARE(iniBytes(), original);
        QVERIFY(!LoadSettings(folder).soundOn);
        QVERIFY(::chmod(QFile::encodeName(iniPath()).constData(), 0644) == 0);
    }

    // An installed program folder cannot be written: the options go into
    // $XDG_CONFIG_HOME/tastolino/ (made on the first save, with the same
    // bytes) and come back from there; a settings file in the program folder
    // is then not used.
    void aReadOnlyProgramFolderKeepsTheOptionsWithTheUser() {
        putIni("[Options]\r\nSong=0\r\n");
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        const QString userIni = config.filePath("tastolino/Tastolino.ini");
        QCOMPARE(settingsFilePath(folder), userIni);
        QVERIFY(LoadSettings(folder).soundOn);
        QVERIFY(!QFileInfo::exists(config.filePath("tastolino")));  // reading makes nothing

        MainOptions o;
        o.backgroundTheme = 4;
        o.languageName = "German";
        SaveSettings(folder, o);
        QFile f(userIni);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Options]\r\nErgonomic=0\r\nSong=1\r\nKeyMap=1\r\n"
                                         "Highlight=1\r\nSimpleKeyb=0\r\nBackColor=4\r\n"
                                         "Category=0\r\n[Language]\r\nCurrentLanguage=German\r\n"));
        QCOMPARE(LoadSettings(folder).backgroundTheme, int16_t(4));
        QCOMPARE(iniBytes(), QByteArray("[Options]\r\nSong=0\r\n"));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
        QVERIFY(QDir(config.filePath("tastolino")).removeRecursively());
    }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"
