// The results printout and the PDF report, driven through the results
// window's buttons: what the files hold (read back by qpdf and pdftotext),
// where the report goes, the failures the learner is told about, and the
// printed page's layout.
#include "../pdf/PdfTestUtil.h"
#include "platform/Seams.h"
#include "results/ResultsReport.h"
#include "results/frmClassifica.h"
#include "support/ReportFileCheck.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace tastolino;

class TestResultsReport : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    QList<seams::MessageRequest> messages_;
    QList<QUrl> opened_;
    seams::MsgAnswer answer_ = seams::MsgAnswer::Yes;
    ResultsWindowInput in_;  // what the window is given

    void exercise(int level, float speed) {
        ExerciseResults& r = in_.results;
        r.currentLevel = int16_t(level);
        for (int n = 1; n <= 15; ++n)
            r.sentenceSpeeds[size_t(n)] = (n + 4) / 5 <= level ? speed : 0.f;
    }
    // The page's text line by line as laid out, blanks collapsed.
    static QString pdfText(const QString& path) {
        QProcess p;
        p.start(pdftest::tool("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).simplified();
    }
    static void click(frmClassifica& w, const char* button) {
        QPushButton* b = w.findChild<QPushButton*>(QString::fromLatin1(button));
        QVERIFY(b);
        b->setEnabled(true);
        b->click();
    }

  private slots:
    void initTestCase() {
        QVERIFY(tmp_.isValid());
        qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
    }

    void init() {
        seams::resetAll();
        in_ = ResultsWindowInput{};
        ExerciseResults& r = in_.results;
        r.userName = QStringLiteral("Mario Rossi");
        r.categoryName = QStringLiteral("Principiante");
        r.correctCount = 1000;
        r.errorCount = 12;
        seams::setSoundHook([](int) {});
        seams::setPrinterAvailableHook([] { return true; });
        seams::useFakeClock(QDateTime(QDate(2026, 12, 8), QTime(9, 30, 5)));
        messages_.clear();
        opened_.clear();
        answer_ = seams::MsgAnswer::Yes;
        seams::setMessageHook([this](const seams::MessageRequest& m) {
            messages_ << m;
            return answer_;
        });
        seams::setOpenUrlHook([this](const QUrl& u) {
            opened_ << u;
            return true;
        });
        printerSetupHook() = nullptr;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }

    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void overallFigures_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("expert");
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<QString>("word");
        QTest::newRow("one decimal") << 1 << 1000 << 12 << false << "1,2%"
                                     << "Ottimo";
        QTest::newRow("beginner on 2%") << 2 << 100 << 2 << false << "2,0%"
                                        << "Ottimo";
        QTest::newRow("expert just above 1%") << 3 << 999 << 10 << true << "1,0%"
                                              << "Insufficiente";
        QTest::newRow("no keystrokes, no errors") << 1 << 0 << 0 << false << "0,0%"
                                                  << "Ottimo";
        QTest::newRow("no keystrokes, errors") << 1 << 0 << 3 << false << "300,0%"
                                               << "Insufficiente";
    }
    void overallFigures() {
        QFETCH(int, level);
        QFETCH(int, correct);
        QFETCH(int, errors);
        QFETCH(bool, expert);
        exercise(level, 2.0f);
        ExerciseResults& r = in_.results;
        r.correctCount = int16_t(correct);
        r.errorCount = int16_t(errors);
        r.expertMode = expert;
        frmClassifica w(in_);
        const OverallFigures o = tastolino::overallFigures(w.reportInput());
        QTEST(o.errorRatio, "ratio");
        QTEST(o.ratingWord, "word");
        // The record keeps the counts as they were.
        QCOMPARE(int(r.correctCount), correct);
    }

    void overallOfUnevenLevels() {
        // Level scores 80 and 41: the overall score is cut, not rounded.
        exercise(2, 2.0f);
        for (int n = 6; n <= 10; ++n) in_.results.sentenceSpeeds[size_t(n)] = 1.025f;
        frmClassifica w(in_);
        const OverallFigures o = tastolino::overallFigures(w.reportInput());
        QCOMPARE(o.kpm, 91);
        QCOMPARE(o.score, 60);
        QCOMPARE(o.symbol, 2);
    }

    void pdfPathStaysInFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "Mario Rossi"
                               << "Mario Rossi.pdf";
        QTest::newRow("empty") << ""
                               << "Tastolino.pdf";
        // The name's storage key, as for the free-text report.
        QTest::newRow("separators") << "../a/b\\c"
                                    << "..%2Fa%2Fb%5Cc.pdf";
        QTest::newRow("reserved") << "a:b*?\"<>|"
                                  << "a%3Ab%2A%3F%22%3C%3E%7C.pdf";
        QTest::newRow("bracket") << "A]B"
                                 << "A%5DB.pdf";
    }
    void pdfPathStaysInFolder() {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QCOMPARE(reportFileName(name), file);
    }

    void pdfReport_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("exerciseFile");
        QTest::addColumn<float>("speed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("level 1, internal sentences")
            << 1 << "Mario Rossi"
            << "" << 2.0f
            << QStringList{"Risultati ottenuti da: Mario Rossi",
                           "dicembre 2026 (09:30:05)",
                           "Livello 1",
                           "Livello 2",
                           "Livello 3",
                           "Categoria Principiante",
                           "Frase 5 battute / min = 120 Punteggio 80",
                           "Media: battute / min = 120 Punteggio 80",
                           "Frase 5 battute / min = 0 Punteggio 0",
                           "Digitazioni al minuto: 120 Punteggio: 80",
                           "- Totale errori di battitura: 12",
                           "- Totale numero battute: 1000",
                           "- Rapporto errori/battute: 1,2% (Ottimo)",
                           "frasi interne"};
        QTest::newRow("level 3, exercise file, capped score")
            << 3 << "Anna"
            << "C:\\Tastolino\\Esercizi\\prova.lez" << 5.0f
            << QStringList{"Risultati ottenuti da: Anna",
                           "Frase 3 battute / min = 300 Punteggio 100",
                           "Digitazioni al minuto: 300 Punteggio: 100", "il file prova.lez"};
        QTest::newRow("no name") << 2 << ""
                                 << "" << 1.0f
                                 << QStringList{"Risultati ottenuti da: Tastolino",
                                                "Digitazioni al minuto: 60 Punteggio: 40"};
    }
    void pdfReport() {
        QFETCH(int, level);
        QFETCH(QString, user);
        QFETCH(QString, exerciseFile);
        QFETCH(float, speed);
        QFETCH(QStringList, expected);
        exercise(level, speed);
        in_.results.userName = user;
        in_.results.exerciseFile = exerciseFile;
        const QStringList before = reporttest::leftIn(tmp_.path());
        QString path;
        {
            frmClassifica w(in_);
            click(w, "cmdPDF");
            const QString name = user.isEmpty() ? QStringLiteral("Tastolino") : user;
            path = w.pdfPath;
            QCOMPARE(reporttest::placementProblem(path, tmp_.path(), name + QStringLiteral(".pdf")),
                     QString());
            QCOMPARE(w.reportName, name);
            QVERIFY(messages_.isEmpty());
            QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(path)});
            QCOMPARE(pdftest::qpdfProblem(path.toStdString()), QString());
            const QString text = pdfText(path);
            for (const QString& piece : expected)
                QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" in ") + text));

            // A second report takes the place of the first.
            opened_.clear();
            click(w, "cmdPDF");
            QCOMPARE(opened_.size(), 1);
            QCOMPARE(w.pdfPath, path);
            QCOMPARE(pdftest::qpdfProblem(path.toStdString()), QString());
        }
        // The temporary report and its folder go with the window.
        QCOMPARE(reporttest::leftIn(tmp_.path()), before);
    }

    // Without a temporary folder to make the report's folder in, the window
    // says so; nothing is written or opened.
    void pdfCannotBeCreated() {
        exercise(1, 2.0f);
        const QStringList before = reporttest::leftIn(tmp_.path());
        qputenv("TMPDIR", QFile::encodeName(tmp_.filePath(QStringLiteral("missing"))));
        {
            frmClassifica w(in_);
            click(w, "cmdPDF");
            QCOMPARE(messages_.size(), 1);
            QCOMPARE(messages_[0].text, QStringLiteral("Per creare un nuovo file pdf occorre "
                                                       "chiudere quello attualmente aperto."));
            QCOMPARE(messages_[0].icon, seams::MsgIcon::Critical);
            QCOMPARE(messages_[0].title, QStringLiteral("Tastolino"));
            QVERIFY(opened_.isEmpty());
            QVERIFY(w.pdfPath.isEmpty());
        }
        qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
        QCOMPARE(reporttest::leftIn(tmp_.path()), before);
    }

    // A link in the temporary folder under the report's name, or a folder
    // or a named pipe there, is neither followed nor removed.
    void pdfDoesNotFollowLinks() {
        exercise(1, 2.0f);
        const QString victim = tmp_.path() + QStringLiteral("/victim.txt");
        pdftest::writeFile(victim, "keep me");
        const QString report = tmp_.path() + QStringLiteral("/Mario Rossi.pdf");
        QVERIFY(QFile::link(victim, report));
        QVERIFY(QDir(tmp_.path()).mkpath(QStringLiteral("Tastolino.pdf")));
        QCOMPARE(::mkfifo(QFile::encodeName(tmp_.filePath("Anna.pdf")).constData(), 0600), 0);
        const QStringList planted = reporttest::leftIn(tmp_.path());
        for (const QString& user :
             {QStringLiteral("Mario Rossi"), QString(), QStringLiteral("Anna")}) {
            in_.results.userName = user;
            frmClassifica w(in_);
            click(w, "cmdPDF");
            QCOMPARE(opened_.size(), 1);
            opened_.clear();
            QCOMPARE(reporttest::placementProblem(w.pdfPath, tmp_.path(), reportFileName(user)),
                     QString());
        }
        QVERIFY(messages_.isEmpty());
        QCOMPARE(reporttest::leftIn(tmp_.path()), planted);
        QVERIFY(QFileInfo(report).isSymLink());
        QCOMPARE(pdftest::readFile(victim.toStdString()), QByteArray("keep me"));
        QDir(tmp_.filePath("Tastolino.pdf")).removeRecursively();
        for (const QString& f : {victim, report, tmp_.filePath("Anna.pdf")}) QFile::remove(f);
    }

    void pdfKeepsModalWindowOpen() {
        exercise(1, 2.0f);
        frmClassifica w(in_);
        bool stillVisible = false, onTop = true;
        QTimer::singleShot(0, &w, [&] {
            click(w, "cmdPDF");
            QTimer::singleShot(0, &w, [&] {
                stillVisible = w.isVisible();
                onTop = w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
                w.cmdRisp_Click(0);
            });
        });
        w.exec();
        QVERIFY(stillVisible);
        QVERIFY(!onTop);
        QCOMPARE(w.answer(), ResultsAnswer::Continue);
        QCOMPARE(opened_.size(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void print_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("level 1 only") << 1
                                      << QStringList{"Tastolino",
                                                     "Risultati ottenuti da: Mario Rossi",
                                                     "8 dicembre 2026",
                                                     "Livello 1",
                                                     "Categoria Principiante",
                                                     "Frase 1 battute / min = 120",
                                                     "Media: battute / min = 120",
                                                     "Risultati complessivi dell'esercizio",
                                                     "Digitazioni al minuto: 120",
                                                     "Punteggio: 80",
                                                     "- Rapporto errori/battute: 1,2% (Ottimo)",
                                                     "frasi interne"}
                                      << QStringList{"Livello 2", "Livello 3"};
        QTest::newRow("all levels") << 3 << QStringList{"Livello 2", "Livello 3"} << QStringList{};
    }
    void print() {
        QFETCH(int, level);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        exercise(level, 2.0f);
        const QString out = tmp_.filePath(QStringLiteral("printed.pdf"));
        printerSetupHook() = [&out](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out);
        };
        frmClassifica w(in_);
        click(w, "cmdPrint");
        QCOMPARE(messages_.size(), 2);
        QCOMPARE(messages_[0].text, QStringLiteral("Vuoi eseguire la stampa dei risultati?"));
        QCOMPARE(messages_[0].buttons, seams::MsgButtons::YesNo);
        QCOMPARE(messages_[0].icon, seams::MsgIcon::Question);
        QCOMPARE(messages_[1].text, QStringLiteral("Stampa inviata alla stampante."));
        QCOMPARE(messages_[1].icon, seams::MsgIcon::Information);
        QVERIFY(!w.printFailed);
        QCOMPARE(pdftest::qpdfProblem(out.toStdString()), QString());
        const QString text = pdfText(out);
        for (const QString& piece : present)
            QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" in ") + text));
        for (const QString& piece : absent) QVERIFY2(!text.contains(piece), qPrintable(piece));
        QFile::remove(out);
    }

    void printDeclinedOrFailing() {
        exercise(1, 2.0f);
        int jobs = 0;
        printerSetupHook() = [&jobs](QPrinter& printer) {
            ++jobs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QStringLiteral("/nonexistent-folder/x/printed.pdf"));
        };
        frmClassifica w(in_);
        answer_ = seams::MsgAnswer::No;
        click(w, "cmdPrint");
        QCOMPARE(jobs, 0);
        QCOMPARE(messages_.size(), 1);

        answer_ = seams::MsgAnswer::Yes;
        click(w, "cmdPrint");
        QCOMPARE(jobs, 1);
        QCOMPARE(messages_.size(), 3);
        QCOMPARE(messages_[2].text, QStringLiteral("Errore nella procedura di stampa."));
        QCOMPARE(messages_[2].icon, seams::MsgIcon::Critical);
        QVERIFY(w.printFailed);
    }

    void printedPageLayout() {
        exercise(3, 2.0f);
        frmClassifica w(in_);
        constexpr int dpi = 150;
        QImage page(qRound(210 * dpi / 25.4), qRound(297 * dpi / 25.4), QImage::Format_RGB32);
        page.setDotsPerMeterX(qRound(dpi / 0.0254));
        page.setDotsPerMeterY(qRound(dpi / 0.0254));
        page.fill(Qt::white);
        {
            QPainter p(&page);
            QVERIFY(paintResultsPrintout(p, w.reportInput()));
        }
        auto px = [](double mm) { return qRound(mm * dpi / 25.4); };
        auto inked = [&](double x0, double y0, double x1, double y1) {
            int n = 0;
            for (int y = px(y0); y < px(y1); ++y)
                for (int x = px(x0); x < px(x1); ++x) n += qGray(page.pixel(x, y)) < 160;
            return n;
        };
        // Scores of every level end at 129 mm: nothing to their right,
        // ink just before.
        for (double top : {48.0, 106.0, 164.0}) {
            QCOMPARE(inked(129.6, top + 10, 140, top + 50), 0);
            QVERIFY(inked(127.5, top + 10, 129.6, top + 50) > 0);
        }
        // Rating symbols of the levels and of the whole, the keyboard
        // picture, and the box around the overall symbol.
        for (double top : {70.0, 130.0, 187.0, 250.0}) QVERIFY(inked(164, top, 178, top + 14) > 50);
        QVERIFY(inked(167, 9, 182, 24) > 50);
        QVERIFY(inked(158.5, 244.5, 159.5, 269.5) > px(20));
        // The footer line sits at 276 mm.
        QVERIFY(inked(15, 276, 100, 281) > 0);
        QCOMPARE(inked(15, 283, 200, 297), 0);

        QPainter idle;
        QVERIFY(!paintResultsPrintout(idle, w.reportInput()));
    }
};

QTEST_MAIN(TestResultsReport)
#include "tst_resultsreport.moc"
