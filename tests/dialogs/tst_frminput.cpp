#include "dialogs/frmInput.h"

#include "support/TestFiles.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestFrmInput : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<frmInput> dialog;

    QString iniPath() const { return dir.filePath("Tastolino.ini"); }
    void putIni(const QByteArray& bytes) { tastolino::testing::writeFile(iniPath(), bytes); }
    QByteArray iniBytes() const {
        return tastolino::testing::readFile(iniPath(), QByteArray("<missing>"));
    }
    void open() {
        dialog = std::make_unique<frmInput>(tastolino::UserNameInput{dir.path() + "/", false});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    QLineEdit* box() { return dialog->findChild<QLineEdit*>("txtNomeUtente"); }
    QCheckBox* remember() { return dialog->findChild<QCheckBox*>("chkRemember"); }
    void clickOk() {
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdChiudi"), Qt::LeftButton);
    }

  private slots:
    void init() { QFile::remove(iniPath()); }
    void cleanup() { dialog.reset(); }

    void aTypedNameIsTrimmedUpperCasedAndRemembered() {
        open();
        QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(box()->maxLength(), 30);
        QCOMPARE(remember()->text(), QString("Ricorda il tuo nome al prossimo accesso"));
        QCOMPARE(dialog->findChild<QLabel*>("lblDigitaNome")->text(),
                 QString("Scrivi il tuo nome"));
        QVERIFY(box()->hasFocus());
        QVERIFY(!remember()->isEnabled());
        QTest::keyClicks(box(), "  mario rossi ");  // leading blanks are dropped
        QCOMPARE(box()->text(), QString("mario rossi "));
        QVERIFY(remember()->isEnabled());
        remember()->setChecked(true);
        clickOk();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->userName().value_or("<unset>"), QString("MARIO ROSSI"));
        QCOMPARE(iniBytes(), QByteArray("[AccessName]\r\nRemember=1\r\nName=MARIO ROSSI\r\n"));
    }

    void anEmptiedBoxIsNeverRemembered() {
        open();
        QTest::keyClicks(box(), "ab");
        remember()->setChecked(true);
        QTest::keyClick(box(), Qt::Key_Backspace);
        QVERIFY(remember()->isChecked());
        QTest::keyClick(box(), Qt::Key_Backspace);
        QVERIFY(!remember()->isChecked());
        QVERIFY(!remember()->isEnabled());
        QTest::keyClick(dialog.get(), Qt::Key_Escape);  // any way out takes the name
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->userName().value_or("<unset>"), QString(""));
        QCOMPARE(iniBytes(), QByteArray("[AccessName]\r\nRemember=0\r\nName=\r\n"));
    }

    void aRememberedNameIsOfferedSelectedAndUntickingErasesIt() {
        putIni("[Options]\r\nSong=1\r\n[AccessName]\r\nRemember=1\r\nName=ANNA\r\n");
        open();
        QCOMPARE(box()->text(), QString("ANNA"));
        QCOMPARE(box()->selectedText(), QString("ANNA"));
        QVERIFY(remember()->isChecked());
        QTest::keyClicks(box(), "bea");
        QCOMPARE(box()->text(), QString("bea"));
        remember()->setChecked(false);
        dialog->close();  // the window's close box
        QCOMPARE(dialog->userName().value_or("<unset>"), QString("BEA"));
        QCOMPARE(iniBytes(),
                 QByteArray("[Options]\r\nSong=1\r\n[AccessName]\r\nRemember=0\r\nName=\r\n"));
    }

    void pastedNamesAreTrimmed() {
        putIni("[AccessName]\r\nRemember=\r\nName=  \r\n");  // empty values read as defaults
        open();
        QCOMPARE(box()->text(), QString());
        QVERIFY(!remember()->isChecked());
        box()->insert("   ");  // a paste is not filtered, but the stored name is trimmed
        QVERIFY(remember()->isEnabled());
        clickOk();
        QCOMPARE(dialog->userName().value_or("<unset>"), QString(""));

        open();
        box()->insert("  luigi verdi  ");
        clickOk();
        QCOMPARE(dialog->userName().value_or("<unset>"), QString("LUIGI VERDI"));

        // Letter by letter: ß has no capital of its own and stays.
        open();
        box()->insert(QString::fromUtf8("jürgen strauß"));
        clickOk();
        QCOMPARE(dialog->userName().value_or("<unset>"), QString::fromUtf8("JÜRGEN STRAUß"));
    }

    void aReadOnlySettingsFileDoesNotStopTheDialog() {
        putIni("[AccessName]\r\nRemember=1\r\nName=ANNA\r\n");
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup);
        open();
        QTest::keyClicks(box(), "carlo");
        clickOk();
        QCOMPARE(dialog->userName().value_or("<unset>"), QString("CARLO"));
        QCOMPARE(iniBytes(), QByteArray("[AccessName]\r\nRemember=1\r\nName=ANNA\r\n"));
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_MAIN(TestFrmInput)
#include "tst_frminput.moc"
