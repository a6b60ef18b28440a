// A free text typed to its end in the real main window opens the free-text
// report with the figures of that exercise, and its PDF report is written,
// opened and removed again with the window. The user name entry hands the
// name on upper-cased.
#include "WindowControls.h"
#include "app/frmTastomat.h"
#include "keyboard/KeyboardLayout.h"
#include "platform/Seams.h"
#include "results/frmReportFreeTXT.h"
#include "settings/InterfaceLanguage.h"
#include "support/FixedLayout.h"
#include "support/MainWindowStart.h"
#include "support/QuietSeams.h"

#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tastolino;

namespace {

using tastolino::testing::GermanLayout;

struct ReportSeen {
    FreeTextReportFigures figures;
    QString pdfPath;
    bool pdfExisted = false;
    QString pdfText;
};

}  // namespace

class TestFreeTextReportWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QTemporaryDir> temp_;
    std::unique_ptr<frmTastomat> w_;
    QList<ReportSeen> reports_;
    QList<QUrl> opened_;

    void typeChar(QChar c) {
        QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(*w_, "txtInput"), Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        temp_ = std::make_unique<QTemporaryDir>();
        qputenv("TMPDIR", temp_->path().toUtf8());
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        reports_.clear();
        opened_.clear();
        tastolino::testing::quietWindowSeams();
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        seams::seedRandom(7);
        seams::setMessageHook([](const seams::MessageRequest&) { return seams::MsgAnswer::No; });
        seams::setPrinterAvailableHook([] { return false; });
        seams::setOpenUrlHook([this](const QUrl& u) {
            opened_ << u;
            return true;
        });
        seams::setModalHook([this](QDialog* dialog) {
            if (dialog->objectName() == QLatin1String("frmInput")) {
                dialog->findChild<QLineEdit*>(QStringLiteral("txtNomeUtente"))
                    ->setText(QStringLiteral("anna"));
                dialog->accept();
                return int(QDialog::Accepted);
            }
            if (auto* report = qobject_cast<frmReportFreeTXT*>(dialog)) {
                ReportSeen seen;
                seen.figures = report->figures;
                report->findChild<QPushButton*>(QStringLiteral("cmdCreaPDF"))->click();
                seen.pdfPath = report->pdfPath;
                seen.pdfExisted = QFile::exists(seen.pdfPath);
                QProcess p;
                p.start(QStandardPaths::findExecutable("pdftotext"), {seen.pdfPath, "-"});
                p.waitForFinished(30000);
                seen.pdfText = QString::fromUtf8(p.readAllStandardOutput());
                reports_ << seen;
                report->findChild<QPushButton*>(QStringLiteral("cmdChiudi"))->click();
                return report->result();
            }
            dialog->accept();
            return int(QDialog::Accepted);
        });
        setLayoutBackend(std::make_unique<GermanLayout>());
    }

    void cleanup() {
        w_.reset();
        seams::resetAll();
        qunsetenv("TMPDIR");
        QLocale::setDefault(QLocale::c());
        temp_.reset();
        folder_.reset();
    }

    void freeTextEndsInTheReport() {
        QDir(folder_->path()).mkpath(QStringLiteral("Esercizi"));
        QFile file(folder_->filePath(QStringLiteral("Esercizi/kurz.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Der Hund, 12 Katzen.\r\nAlle laufen!\r\n");
        file.close();

        tastolino::testing::freshProgramState(folder_->path() + QLatin1Char('/'));
        w_ = tastolino::testing::startMainWindow();
        control<QRadioButton>(*w_, "optMenu", 3)->click();
        QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(*w_, "txtInput"), Qt::Key_Return,
                            QStringLiteral("\r"), Qt::NoModifier);
        QVERIFY(appState().freeTextMode);

        const QString text = QStringLiteral("Der Hund, 12 Katzen. Alle laufen!");
        QCOMPARE(appState().results.exerciseText, text);
        // Two wrong keys, accepted in place of the expected ones; the clock
        // runs 66 seconds from the first key to the last.
        for (int i = 0; i < text.size(); ++i) {
            typeChar(i == 5 || i == 22 ? QLatin1Char('x') : text[i]);
            if (i == 0) seams::advanceClock(66000);
        }

        QCOMPARE(reports_.size(), 1);
        const ReportSeen& seen = reports_[0];
        QCOMPARE(seen.figures.keystrokes, int(text.size()));
        QCOMPARE(seen.figures.errors, 2);
        QCOMPARE(seen.figures.words, 5);
        QCOMPARE(seen.figures.timeText, QStringLiteral("00:01:06"));
        QCOMPARE(QFileInfo(seen.pdfPath).fileName(), QStringLiteral("ANNA.pdf"));
        QCOMPARE(QFileInfo(QFileInfo(seen.pdfPath).path()).path(), temp_->path());
        QVERIFY(seen.pdfExisted);
        QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(seen.pdfPath)});
        for (const char* line :
             {"Risultati ottenuti da: ANNA", "kurz.txt", "Categoria: Principiante",
              "Numero errori: 2", "Battute / min: 30,0", "Spazi: 5"})
            QVERIFY2(seen.pdfText.contains(QString::fromUtf8(line)), line);
        // Closed with the window.
        QVERIFY(!QFile::exists(seen.pdfPath));
    }
};

QTEST_MAIN(TestFreeTextReportWindow)
#include "tst_freetext_report_window.moc"
