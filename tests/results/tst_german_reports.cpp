// The reports in the language of the interface, not the system's: with
// the shipped German file, the results PDF, the results printout, the
// free-text report PDF and the keyboard printout carry the German labels
// and a German date, and none of the Italian ones, as pdftotext reads them;
// without a language file they are Italian.
#include "keyboard/KeyboardPanel.h"
#include "keyboard/KeyboardPrintout.h"
#include "platform/Seams.h"
#include "results/ResultsReport.h"
#include "results/frmClassifica.h"
#include "results/frmReportFreeTXT.h"
#include "settings/InterfaceLanguage.h"
#include "settings/InterfaceTexts.h"
#include "settings/LanguageSupport.h"
#include "settings/LanguageSupportMainTexts.h"

#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tastolino;

namespace {

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {path, "-"});
    p.waitForFinished(30000);
    // Lines broken by the layout read as one text.
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

// A label as the report shows it: the text of `id`, without the dash or
// colon some reports put around it.
QString label(const char* id, const QString& (*pick)(const QString&)) {
    QString text = pick(QString::fromLatin1(id));
    text.remove(QRegularExpression(QStringLiteral("^- |:$")));
    return text.simplified();
}
const QString& german(const QString& id) {
    static QMap<QString, QString> texts;
    return texts[id] = GetLangString(id);
}
const QString& italian(const QString& id) {
    static QMap<QString, QString> texts;
    return texts[id] = ItalianText(id);
}

}  // namespace

class TestGermanReports : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    ResultsWindowInput in_;  // what the result windows are given

    void checkLabels(const QString& path, std::initializer_list<const char*> ids) {
        QVERIFY(QFile::exists(path));
        const QString text = pdfText(path);
        for (const char* id : ids) {
            QVERIFY2(text.contains(label(id, german)),
                     qPrintable(QStringLiteral("%1 \"%2\" not in: %3")
                                    .arg(QLatin1String(id), label(id, german), text)));
            QVERIFY2(!text.contains(label(id, italian)), qPrintable(label(id, italian)));
        }
        // Friday, 1 March 2024, whatever the system's language.
        QVERIFY2(text.contains(QStringLiteral("Freitag, ")), qPrintable(text));
        QVERIFY2(text.contains(QString::fromUtf8("März 2024")), qPrintable(text));
    }

  private slots:
    void init() {
        seams::resetAll();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are needed");
        folder_ = std::make_unique<QTemporaryDir>();
        QDir(folder_->path()).mkpath(QStringLiteral("Lang"));
        QVERIFY(QFile::copy(QStringLiteral(TASTOLINO_SOURCE_DIR "/data/Lang/German.lng"),
                            folder_->filePath(QStringLiteral("Lang/German.lng"))));
        qputenv("TMPDIR", folder_->path().toUtf8());
        // The system speaks English; the reports follow the interface.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        resetInterfaceLanguage();
        setInterfaceFolder(folder_->path() + QLatin1Char('/'));
        setInterfaceLanguageName(QStringLiteral("German"));
        setInterfaceLanguageFileActive(true);
        in_ = ResultsWindowInput{};
        in_.languageFileActive = true;
        ExerciseResults& r = in_.results;
        r.userName = QStringLiteral("anna");
        r.categoryName = GetLangString(QStringLiteral("0027"));
        r.perMinuteText = GetLangString(QStringLiteral("0116"));  // as the main window sets it
        r.currentLevel = 3;
        r.resultsReason = ResultsReason::ExerciseEnded;
        for (int n = 1; n <= 15; ++n) r.sentenceSpeeds[size_t(n)] = 100.0f + float(n);
        r.correctCount = 1000;
        r.errorCount = 8;
        r.spaceCount = 150;
        r.freeTextElapsedDays = 300 / 86400.0;
        r.exerciseFile = QStringLiteral("/prog/Esercizi/lauf.txt");
        r.exerciseText = QStringLiteral("Ab 1,\r\n");
        seams::setSoundHook([](int) {});
        seams::setOpenUrlHook([](const QUrl&) { return true; });
        seams::setPrinterAvailableHook([] { return true; });
        seams::setMessageHook([](const seams::MessageRequest&) { return seams::MsgAnswer::Yes; });
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(9, 5, 7)));
    }
    void cleanup() {
        seams::resetAll();
        qunsetenv("TMPDIR");
        QLocale::setDefault(QLocale::c());
        folder_.reset();
    }

    void theResultsPdfAndPrintoutAreGerman() {
        frmClassifica w(in_);
        w.findChild<QPushButton*>(QStringLiteral("cmdPDF"))->click();
        checkLabels(w.pdfPath, {"0078", "0102", "0103", "0093", "0094", "0095", "0101", "0079",
                                "0081", "0082", "9044"});

        const QString printed = folder_->filePath(QStringLiteral("printed.pdf"));
        printerSetupHook() = [&printed](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
        };
        w.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
        checkLabels(printed, {"0102", "0103", "0093", "0094", "0095", "0101"});
        if (const QString keep = qEnvironmentVariable("TASTOLINO_SHOTS"); !keep.isEmpty()) {
            QFile::copy(w.pdfPath, keep + QStringLiteral("/results-German.pdf"));
            QFile::copy(printed, keep + QStringLiteral("/printout-German.pdf"));
        }
    }

    void theFreeTextReportPdfIsGerman() {
        frmReportFreeTXT w(in_);
        w.findChild<QPushButton*>(QStringLiteral("cmdCreaPDF"))->click();
        checkLabels(w.pdfPath, {"0133", "0127", "0128", "0131", "0132", "0134", "0144", "0148",
                                "0150", "0152", "9045"});
        if (const QString keep = qEnvironmentVariable("TASTOLINO_SHOTS"); !keep.isEmpty())
            QFile::copy(w.pdfPath, keep + QStringLiteral("/free-text-report-German.pdf"));
    }

    // The keyboard printout, with the texts the main window hands it.
    void theKeyboardPrintoutIsGerman() {
        const MainWindowTexts texts = LanguageFileMainWindowTexts();
        const QString printed = folder_->filePath(QStringLiteral("keyboard.pdf"));
        setKeyboardPrinterFactory([&printed] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printed);
            return printer;
        });
        QString asked;
        seams::setMessageHook([&asked](const seams::MessageRequest& r) {
            asked = r.text;
            return seams::MsgAnswer::Yes;
        });
        KeyboardPanel panel;
        panel.resize(KeyboardPanel::kDesignSize);
        StampaTastiera(&panel,
                       {texts.messages.value(23), texts.messages.value(24),
                        texts.messages.value(31), texts.keyboardPrintAuthor},
                       {}, nullptr);
        setKeyboardPrinterFactory({});
        QVERIFY2(asked.startsWith(german(QStringLiteral("0029"))), qPrintable(asked));
        QVERIFY(asked.contains(german(QStringLiteral("0030"))));
        const QString text = pdfText(printed);
        QVERIFY2(text.contains(german(QStringLiteral("1011"))), qPrintable(text));
        QVERIFY2(text.contains(german(QStringLiteral("9046"))), qPrintable(text));
        if (const QString keep = qEnvironmentVariable("TASTOLINO_SHOTS"); !keep.isEmpty())
            QFile::copy(printed, keep + QStringLiteral("/keyboard-printout-German.pdf"));
    }

    // Without a language file the reports are Italian, dates included,
    // whatever the system's language.
    void withoutALanguageFileTheDateIsItalian() {
        setInterfaceLanguageFileActive(false);
        in_.languageFileActive = false;
        frmReportFreeTXT w(in_);
        w.findChild<QPushButton*>(QStringLiteral("cmdCreaPDF"))->click();
        const QString text = pdfText(w.pdfPath);
        QVERIFY2(text.contains(QString::fromUtf8("venerdì, 01 marzo 2024")), qPrintable(text));
        QVERIFY(text.contains(ItalianText(QStringLiteral("0133"))));
    }
};

QTEST_MAIN(TestGermanReports)
#include "tst_german_reports.moc"
