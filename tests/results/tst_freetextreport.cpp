// The free-text report: ratings at their thresholds, the character classes,
// the totals and their formats, the window's texts and drawing, and the PDF
// report as outside readers see it, from creation to removal.
#include "exercise/FreeTextReportFigures.h"
#include "platform/Seams.h"
#include "results/FreeTextReportPdf.h"
#include "results/frmClassifica.h"
#include "results/frmReportFreeTXT.h"
#include "settings/InterfaceLanguage.h"
#include "support/TestLanguageFile.h"

#include "support/ReportFileCheck.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tastolino;

namespace {

QString run(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

QString pdfText(const QString& path) {
    return run(QStringLiteral("pdftotext"), {path, "-"});
}

QString qpdfProblem(const QString& path) {
    const QString out = run(QStringLiteral("qpdf"), {"--check", path});
    if (out.contains("WARNING", Qt::CaseInsensitive) ||
        !out.contains("No syntax or stream encoding errors"))
        return out;
    return {};
}

// Where pictures of the window and the report go for a look by eye.
QString shotDir() {
    return qEnvironmentVariable("TASTOLINO_SHOT_DIR");
}

// One day in seconds, as the exercise record keeps elapsed time.
double days(int seconds) {
    return seconds / 86400.0;
}

}  // namespace

class TestFreeTextReport : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temp_;
    QList<QUrl> opened_;
    QList<seams::MessageRequest> asked_;
    QList<int> sounds_;
    ResultsWindowInput in_;  // what the window is given

    // A typical finished free text: 1000 keys, 8 wrong, in 5 minutes.
    void typicalExercise() {
        ExerciseResults& r = in_.results;
        r.userName = QStringLiteral("anna");
        r.categoryName = QStringLiteral("Principiante");
        r.correctCount = 1000;
        r.errorCount = 8;
        r.spaceCount = 150;
        r.freeTextElapsedDays = days(300);
        r.exerciseFile = QStringLiteral("/prog/Esercizi/lauf.txt");
        r.exerciseText = QString::fromUtf8("Ab 1,é\r\n");
    }

    QString clickPdf(frmReportFreeTXT& w) {
        w.findChild<QPushButton*>(QStringLiteral("cmdCreaPDF"))->click();
        return w.pdfPath;
    }

  private slots:
    void init() {
        resetInterfaceLanguage();
        in_ = ResultsWindowInput{};
        seams::resetAll();
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        temp_ = std::make_unique<QTemporaryDir>();
        qputenv("TMPDIR", temp_->path().toUtf8());
        opened_.clear();
        asked_.clear();
        sounds_.clear();
        seams::setOpenUrlHook([this](const QUrl& u) {
            opened_ << u;
            return true;
        });
        seams::setMessageHook([this](const seams::MessageRequest& r) {
            asked_ << r;
            return seams::MsgAnswer::Ok;
        });
        seams::setSoundHook([this](int id) { sounds_ << id; });
        seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(9, 5, 7)));
    }

    void cleanup() {
        seams::resetAll();
        qunsetenv("TMPDIR");
        temp_.reset();
        QLocale::setDefault(QLocale::c());
    }

    void speedRating_data() {
        QTest::addColumn<double>("perMinute");
        QTest::addColumn<bool>("expert");
        QTest::addColumn<QString>("code");
        QTest::newRow("expert 200") << 200.0 << true << "B";
        QTest::newRow("beginner 200") << 200.0 << false << "O";
        QTest::newRow("expert at 240") << 240.0 << true << "B";
        QTest::newRow("expert above 240") << 240.1 << true << "O";
        QTest::newRow("expert at 180") << 180.0 << true << "S";
        QTest::newRow("expert at 120") << 120.0 << true << "I";
        QTest::newRow("beginner at 150") << 150.0 << false << "B";
        QTest::newRow("beginner at 100") << 100.0 << false << "S";
        QTest::newRow("beginner above 50") << 50.5 << false << "S";
        QTest::newRow("beginner at 50") << 50.0 << false << "I";
        QTest::newRow("standing still") << 0.0 << false << "I";
    }
    void speedRating() {
        QFETCH(double, perMinute);
        QFETCH(bool, expert);
        QFETCH(QString, code);
        QCOMPARE(QString(RateSpeed(perMinute, expert)), code);
        QVERIFY(RateSpeed(std::nullopt, expert).isNull());
    }

    void errorRating_data() {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("expert");
        QTest::addColumn<QString>("code");
        QTest::newRow("0.8% expert") << 1000 << 8 << true << "S";
        QTest::newRow("0.8% beginner") << 1000 << 8 << false << "O";
        QTest::newRow("expert at 0.5%") << 1000 << 5 << true << "O";
        QTest::newRow("expert at 0.75%") << 400 << 3 << true << "B";
        QTest::newRow("expert at 1%") << 1000 << 10 << true << "S";
        QTest::newRow("expert above 1%") << 1000 << 11 << true << "I";
        QTest::newRow("beginner at 2%") << 100 << 2 << false << "O";
        QTest::newRow("beginner at 3%") << 100 << 3 << false << "B";
        QTest::newRow("beginner at 4%") << 100 << 4 << false << "S";
        QTest::newRow("beginner above 4%") << 100 << 5 << false << "I";
        QTest::newRow("no errors") << 10 << 0 << true << "O";
        QTest::newRow("no keystrokes") << 0 << 0 << false << "";
    }
    void errorRating() {
        QFETCH(int, keys);
        QFETCH(int, errors);
        QFETCH(bool, expert);
        QFETCH(QString, code);
        const QChar c = RateErrors(keys, errors, expert);
        QCOMPARE(c.isNull() ? QString() : QString(c), code);
    }

    void overallRating() {
        // Rows: speed O, B, S, I; columns: errors O, B, S, I.
        const char* table[4] = {"OBSI", "OBSI", "BBSI", "IIII"};
        const QString codes = QStringLiteral("OBSI");
        for (int s = 0; s < 4; ++s)
            for (int e = 0; e < 4; ++e)
                QCOMPARE(RateOverall(codes[s], codes[e]), QLatin1Char(table[s][e]));
        QVERIFY(RateOverall(QChar(), QLatin1Char('O')).isNull());
        QVERIFY(RateOverall(QLatin1Char('O'), QChar()).isNull());
        const QStringList l = freeTextReportLabels(false);
        QCOMPARE(freeTextRatingWord(QLatin1Char('S'), l), QStringLiteral("Sufficiente"));
        QCOMPARE(freeTextRatingWord(QChar(), l), QString());
    }

    void characterClasses_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("counts");  // upper lower digit punct special blank
        QTest::newRow("one of each") << QString::fromUtf8("Ab 1,é") << QList<int>{1, 1, 1, 1, 1, 1};
        QTest::newRow("every punctuation mark") << "!,.:;?" << QList<int>{0, 0, 0, 6, 0, 0};
        QTest::newRow("ASCII specials")
            << "\"#$%&'()*+-/<=>@[\\]^_`{|}~" << QList<int>{0, 0, 0, 0, 26, 0};
        QTest::newRow("controls are not counted") << "a\tb\r\n" << QList<int>{0, 2, 0, 0, 0, 0};
        QTest::newRow("code page specials")
            << QString::fromUtf8("’“”€ßÄ") << QList<int>{0, 0, 0, 0, 6, 0};
        QTest::newRow("beyond the code page")
            << QString::fromUtf8("ł✓") << QList<int>{0, 0, 0, 0, 2, 0};
        QTest::newRow("boundaries") << "09AZaz@[`{" << QList<int>{2, 2, 2, 0, 4, 0};
        QTest::newRow("empty") << QString() << QList<int>{0, 0, 0, 0, 0, 0};
    }
    void characterClasses() {
        QFETCH(QString, text);
        QFETCH(QList<int>, counts);
        const FreeTextReportClasses c = CountCharacterClasses(text);
        QCOMPARE((QList<int>{c.upper, c.lower, c.digits, c.punctuation, c.special, c.blanks}),
                 counts);
    }

    void totals_data() {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("errors");
        QTest::addColumn<double>("elapsedDays");
        QTest::addColumn<QStringList>("shown");  // time, exact %, error %, per minute, per second
        QTest::newRow("five minutes")
            << 1000 << 8 << days(300) << QStringList{"00:05:00", "99,2%", "0,8%", "200,0", "3,3"};
        QTest::newRow("over an hour, grouping never used")
            << 30000 << 0 << days(3725)
            << QStringList{"01:02:05", "100,0%", "0,0%", "483,2", "8,1"};
        QTest::newRow("half a second rounds up")
            << 3 << 3 << days(1) * 0.5 << QStringList{"00:00:01", "0,0%", "100,0%", "180,0", "3,0"};
        QTest::newRow("no keystrokes")
            << 0 << 0 << days(12) << QStringList{"00:00:12", "-", "-", "0,0", "0,0"};
        QTest::newRow("no time") << 5 << 1 << 0.0
                                 << QStringList{"00:00:00", "80,0%", "20,0%", "-", "-"};
        QTest::newRow("clock set back")
            << 5 << 0 << -days(30) << QStringList{"00:00:00", "100,0%", "0,0%", "-", "-"};
    }
    void totals() {
        QFETCH(int, keys);
        QFETCH(int, errors);
        QFETCH(double, elapsedDays);
        QFETCH(QStringList, shown);
        ExerciseResults r;
        r.correctCount = int16_t(keys);
        r.errorCount = int16_t(errors);
        r.freeTextElapsedDays = elapsedDays;
        const FreeTextReportFigures f = freeTextReportFigures(r);
        QCOMPARE(
            (QStringList{f.timeText, freeTextPercent(f.exactRatio), freeTextPercent(f.errorRatio),
                         freeTextOneDecimal(f.perMinute), freeTextOneDecimal(f.perSecond)}),
            shown);
        QCOMPARE(f.totalSeconds, f.hours * 3600 + f.minutes * 60 + f.seconds);
    }

    void fileNamePart() {
        QCOMPARE(freeTextFileName(QStringLiteral("/prog/Esercizi/lauf.txt")),
                 QStringLiteral("lauf.txt"));
        QCOMPARE(freeTextFileName(QStringLiteral("C:\\Esercizi\\lauf.txt")),
                 QStringLiteral("lauf.txt"));
        QCOMPARE(freeTextFileName(QStringLiteral("lauf.txt")), QString());
        QCOMPARE(freeTextFileName(QString()), QString());
    }

    void reportFileNames() {
        QCOMPARE(reportFileName("anna"), QStringLiteral("anna.pdf"));
        QCOMPARE(reportFileName(""), QStringLiteral("Tastolino.pdf"));
        // A name never leads out of the folder: it is stored under its key,
        // as the results report is.
        QCOMPARE(reportFileName("../etc/x"), QStringLiteral("..%2Fetc%2Fx.pdf"));
        QCOMPARE(reportFileName("a\\b"), QStringLiteral("a%5Cb.pdf"));
        QCOMPARE(reportFileName("a:b"), QStringLiteral("a%3Ab.pdf"));
    }

    void windowOpening() {
        typicalExercise();
        in_.soundOn = true;
        frmReportFreeTXT w(in_);
        QCOMPARE(w.ReportLabels.size(), 25);
        QCOMPARE(w.ReportLabels[4], QStringLiteral("Numero  battute"));
        QCOMPARE(w.ratingWords[3], QStringLiteral("Insufficiente"));
        QCOMPARE(w.userName, QStringLiteral("anna"));
        QCOMPARE(sounds_, QList<int>{106});
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(w.figures.timeText, QStringLiteral("00:05:00"));
        QCOMPARE(w.findChild<QPushButton*>("cmdChiudi")->text(), QStringLiteral("Chiudi"));
        QCOMPARE(w.findChild<QPushButton*>("cmdCreaPDF")->text(), QStringLiteral("Crea file pdf"));
        QVERIFY(!w.surface().isNull());

        in_.soundOn = false;
        sounds_.clear();
        frmReportFreeTXT quiet(in_);
        QVERIFY(sounds_.isEmpty());
    }

    void languageFileTexts() {
        typicalExercise();
        testing::TestLanguageFile language;
        in_.languageFileActive = true;
        frmReportFreeTXT w(in_);
        QCOMPARE(w.ReportLabels[0], QStringLiteral("T0091"));
        QCOMPARE(w.ReportLabels[24], QStringLiteral("T0152"));
        QCOMPARE(w.ratingWords[0], QStringLiteral("T0139"));
        QCOMPARE(w.findChild<QPushButton*>("cmdChiudi")->text(), QStringLiteral("T0075"));
        QCOMPARE(w.findChild<QPushButton*>("cmdCreaPDF")->text(), QStringLiteral("T0136"));
    }

    // The totals stay clear of the button bar, on a normal and a large
    // screen, and the title casts its grey shadow.
    void totalsFitTheWindow_data() {
        QTest::addColumn<bool>("large");
        QTest::newRow("800 x 600") << false;
        QTest::newRow("large screen") << true;
    }
    void totalsFitTheWindow() {
        QFETCH(bool, large);
        typicalExercise();
        in_.largeScreen = large;
        frmReportFreeTXT w(in_);
        QImage image(w.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        const double scale = large ? std::sqrt(1.41) : 1.0;
        const int bottom = PaintFreeTextTotals(p, w.ReportLabels, w.figures, scale);
        p.end();
        QWidget* bar = w.findChild<QWidget*>(QStringLiteral("picBar"));
        QVERIFY2(bottom <= bar->y(), qPrintable(QString("%1 > %2").arg(bottom).arg(bar->y())));
        bool shadow = false;
        for (int y = 35; y < 70 && !shadow; ++y)
            for (int x = 14; x < 200 && !shadow; ++x)
                shadow = image.pixelColor(x, y) == QColor(224, 224, 224);
        QVERIFY(shadow);
        if (!shotDir().isEmpty())
            w.grab().save(shotDir() + (large ? "/freetext_large.png" : "/freetext_window.png"));
    }

    void pdfReport() {
        typicalExercise();
        in_.results.expertMode = true;
        in_.results.categoryName = QStringLiteral("Esperto");
        frmReportFreeTXT w(in_);
        const QString path = clickPdf(w);
        QCOMPARE(reporttest::placementProblem(path, temp_->path(), QStringLiteral("anna.pdf")),
                 QString());
        QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(path)});
        QVERIFY(asked_.isEmpty());
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(qpdfProblem(path), QString());
        const QString text = pdfText(path);
        for (const char* line : {
                 "Risultati ottenuti da: anna",
                 "venerdì, 01 marzo 2024 - 09:05:07",
                 "Risultati complessivi dell'esercizio",
                 "lauf.txt",
                 "Categoria: Esperto",
                 "Tempo totale impiegato: 00:05:00",
                 "battute: 1000",
                 "Battute esatte: 992",
                 "Rapporto battute esatte/totali: 99,2%",
                 "Numero errori: 8",
                 "Rapporto errori/battute: 0,8%",
                 "Battute / min: 200,0",
                 "Battute / sec: 3,3",
                 "Parole contenute nel file: 150",
                 "Caratteri maiuscoli (ABC): 1",
                 "Caratteri minuscoli (abc): 1",
                 "Caratteri numerici (123): 1",
                 "Segni di punteggiatura (;,:?!): 1",
                 "Spazi: 1",
                 "Caratteri speciali (àì+#/): 1",
                 "Valutazione complessiva dell'esercizio: Sufficiente",
             })
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
        // Expert: 200 per minute is "Buono", 0.8 % errors "Sufficiente".
        QVERIFY(text.contains("Valutazione: Buono"));
        QVERIFY(text.contains("Valutazione: Sufficiente"));
        QCOMPARE(w.speedCode, QLatin1Char('B'));
        QCOMPARE(w.errorCode, QLatin1Char('S'));

        // A second press writes the same report again.
        const QString first = text;
        clickPdf(w);
        QCOMPARE(pdfText(path), first);
        QCOMPARE(w.classes.special, 1);
        QCOMPARE(opened_.size(), 2);
        if (!shotDir().isEmpty())
            run("pdftoppm",
                {"-r", "60", "-png", "-singlefile", path, shotDir() + "/freetext_report"});

        // The report goes with the window.
        w.findChild<QPushButton*>("cmdChiudi")->click();
        QVERIFY(!QFile::exists(path));
        QVERIFY(w.figures.timeText.isEmpty());
    }

    void unnamedUserAndBareFileName() {
        typicalExercise();
        in_.results.userName.clear();
        in_.results.exerciseFile = QStringLiteral("lauf.txt");
        in_.results.correctCount = 0;
        in_.results.errorCount = 0;
        frmReportFreeTXT w(in_);
        const QString path = clickPdf(w);
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("Tastolino.pdf"));
        QCOMPARE(qpdfProblem(path), QString());
        const QString text = pdfText(path);
        QVERIFY(text.contains("Risultati ottenuti da: Tastolino"));
        QVERIFY(!text.contains("lauf.txt"));
        // Nothing typed: no ratios and no ratings, but the report is whole.
        QVERIFY(text.contains("Rapporto errori/battute: -"));
        QVERIFY(text.contains(QString::fromUtf8("Valutazione complessiva dell'esercizio:")));
        QVERIFY(!text.contains("Ottimo"));
    }

    // The window as the main window runs it, modally: "Crea file pdf"
    // pressed three times writes the report three times, and the window
    // stays open (and its report on disk) until "Chiudi".
    void pdfThreeTimesWhileTheWindowStaysOpen() {
        typicalExercise();
        frmReportFreeTXT w(in_);
        QStringList problems;
        int written = 0;
        bool shownThroughout = true;
        QTimer::singleShot(0, &w, [&] {
            for (int i = 0; i < 3; ++i) {
                w.findChild<QPushButton*>(QStringLiteral("cmdCreaPDF"))->click();
                QCoreApplication::processEvents();
                shownThroughout = shownThroughout && w.isVisible();
                if (QFile::exists(w.pdfPath)) ++written;
                problems << qpdfProblem(w.pdfPath);
            }
            QTimer::singleShot(0, &w, [&] {
                shownThroughout = shownThroughout && w.isVisible() && QFile::exists(w.pdfPath);
                w.findChild<QPushButton*>(QStringLiteral("cmdChiudi"))->click();
            });
        });
        QTimer::singleShot(10000, &w, [&] { w.reject(); });  // safety net
        QCOMPARE(w.exec(), int(QDialog::Accepted));
        QVERIFY(shownThroughout);
        QCOMPARE(written, 3);
        QCOMPARE(problems, QStringList(3, QString()));
        QCOMPARE(opened_.size(), 3);
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // The report and its folder went with the window.
        QCOMPARE(reporttest::leftIn(temp_->path()), QStringList());
    }

    // A name with folder separators is written under its key, inside the
    // temporary folder, and never beside it.
    void nameLeadingOutStaysInTheFolder() {
        typicalExercise();
        in_.results.userName = QStringLiteral("../anna");
        frmReportFreeTXT w(in_);
        const QString path = clickPdf(w);
        QCOMPARE(reporttest::placementProblem(path, temp_->path(), QStringLiteral("..%2Fanna.pdf")),
                 QString());
        QCOMPARE(qpdfProblem(path), QString());
        QVERIFY(pdfText(path).contains(QStringLiteral("Risultati ottenuti da: ../anna")));
        QVERIFY(!QFile::exists(QDir(temp_->path()).filePath("../anna.pdf")));
        QVERIFY(asked_.isEmpty());
        w.reject();
        QCOMPARE(reporttest::leftIn(temp_->path()), QStringList());
    }

    // Without a temporary folder to make the report's folder in, the window
    // says so and stays open; nothing is written anywhere.
    void fileThatCannotBeCreated() {
        typicalExercise();
        qputenv("TMPDIR", QFile::encodeName(temp_->filePath("missing")));
        frmReportFreeTXT w(in_);
        clickPdf(w);
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].text, QStringLiteral("Per creare un nuovo file pdf occorre chiudure "
                                                "quello attualmente aperto."));
        QCOMPARE(asked_[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(asked_[0].icon, seams::MsgIcon::Critical);
        QVERIFY(opened_.isEmpty());
        QVERIFY(w.pdfPath.isEmpty());
        w.reject();
        QCOMPARE(reporttest::leftIn(temp_->path()), QStringList());
    }

    // Whatever lies in the temporary folder under the report's name (a
    // folder, a link to a file of the user's, a named pipe) is neither used
    // nor removed: the report goes into a folder of its own.
    void plantedNamesAreLeftAlone() {
        typicalExercise();
        const QDir temp(temp_->path());
        QVERIFY(temp.mkpath(QStringLiteral("anna.pdf")));
        QFile victim(temp.filePath(QStringLiteral("victim")));
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("keep me");
        victim.close();
        QVERIFY(QFile::link(victim.fileName(), temp.filePath(QStringLiteral("Tastolino.pdf"))));
        QCOMPARE(::mkfifo(QFile::encodeName(temp.filePath("..%2Fanna.pdf")).constData(), 0600), 0);
        const QStringList planted = reporttest::leftIn(temp.path());
        for (const QString& name : {QStringLiteral("anna"), QString(), QStringLiteral("../anna")}) {
            in_.results.userName = name;
            frmReportFreeTXT w(in_);
            const QString path = clickPdf(w);
            QCOMPARE(reporttest::placementProblem(path, temp.path(), reportFileName(name)),
                     QString());
            QCOMPARE(qpdfProblem(path), QString());
            w.reject();
        }
        QVERIFY(asked_.isEmpty());
        QCOMPARE(reporttest::leftIn(temp.path()), planted);
        QVERIFY(victim.open(QIODevice::ReadOnly));
        QCOMPARE(victim.readAll(), QByteArray("keep me"));
    }
};

QTEST_MAIN(TestFreeTextReport)
#include "tst_freetextreport.moc"
