// Start-up checks, the single running copy, the end-of-session signals,
// the path helpers and the built-in message table.
#include "app/SignalBridge.h"
#include "app/StartupChecks.h"
#include "app/modTastomat.h"
#include "exercise/MessageTable.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "settings/SafeFileQt.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

using namespace tastolino;

class TestStartup : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { seams::resetAll(); }

    void screenCheckBoundaries_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<bool>("large");
        QTest::newRow("800x600") << QSize(800, 600) << true << false;
        QTest::newRow("799x600") << QSize(799, 600) << false << false;
        QTest::newRow("800x599") << QSize(800, 599) << false << false;
        QTest::newRow("1000x750") << QSize(1000, 750) << true << false;
        QTest::newRow("1001x750") << QSize(1001, 750) << true << true;
        QTest::newRow("1000x751") << QSize(1000, 751) << true << true;
        QTest::newRow("1280x1024") << QSize(1280, 1024) << true << true;
    }
    void screenCheckBoundaries() {
        QFETCH(QSize, screen);
        QFETCH(bool, passes);
        QFETCH(bool, large);
        QList<seams::MessageRequest> asked;
        seams::setMessageHook([&](const seams::MessageRequest& r) {
            asked << r;
            return seams::MsgAnswer::Ok;
        });
        seams::setScreenSizeHook([screen] { return screen; });
        QCOMPARE(CheckScreen(), passes);
        QCOMPARE(IsLargeScreen(screen), large);
        if (passes) {
            QVERIFY(asked.isEmpty());
            return;
        }
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].title, QStringLiteral("Tastolino"));
        QCOMPARE(asked[0].text,
                 QStringLiteral("La risoluzione minima per l'utilizzo di questo programma è:\n"
                                "800 x 600 pixel.\n"
                                "Modificare la risoluzione video e, quindi, riprovare.\n\n"
                                "Best visual results if used with 800x600 pixel monitor.\n"
                                "Modify your video settings and try again."));
    }

    void enlargementFitsTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("1280x1024 full") << QSize(1280, 1024) << 1.41 << 1.31;
        QTest::newRow("1152x864 full") << QSize(1152, 864) << 1.41 << 1.31;
        QTest::newRow("1024x768 shrunk") << QSize(1024, 768) << 1.28 << 1.28;
        QTest::newRow("1366x768 tall enough across") << QSize(1366, 768) << 1.41 << 1.28;
        QTest::newRow("1001x750") << QSize(1001, 750) << 1001 / 800.0 << 1.25;
    }
    void enlargementFitsTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(double, x);
        QFETCH(double, y);
        const ScreenScale scale = ScaleForScreen(screen);
        QCOMPARE(scale.x, x);
        QCOMPARE(scale.y, y);
        QCOMPARE(scale.font(), std::sqrt(x));
    }

    void secondCopyIsRefused() {
        QTemporaryDir dir;
        const QString path = dir.filePath("tastolino.lock");
        using Lock = SingleInstance::Lock;
        {
            SingleInstance first(path);
            QCOMPARE(first.acquire(), Lock::Taken);
            SingleInstance second(path);
            QCOMPARE(second.acquire(), Lock::RunningCopy);
        }
        // The lock goes with its holder; the file it leaves is no obstacle.
        SingleInstance third(path);
        QCOMPARE(third.acquire(), Lock::Taken);
        QFileInfo info(path);
        QCOMPARE(int(info.permissions() & 0x0077), 0);  // nothing for group and others

        // Where no lock can be made at all the program is told so.
        SingleInstance nowhere(dir.filePath("missing/folder/tastolino.lock"));
        QCOMPARE(nowhere.acquire(), Lock::Unavailable);
    }

    void lockOfCrashedCopyIsTakenOver() {
        QTemporaryDir dir;
        const QString path = dir.filePath("tastolino.lock");
        // A copy that was killed holding the lock.
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            SingleInstance held(path);
            const char ok = held.acquire() == SingleInstance::Lock::Taken ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            ::pause();
            _exit(0);
        }
        char ok = 0;
        QCOMPARE(::read(ready[0], &ok, 1), 1);
        QCOMPARE(ok, 'y');
        SingleInstance meanwhile(path);
        QCOMPARE(meanwhile.acquire(), SingleInstance::Lock::RunningCopy);
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        SingleInstance instance(path);
        QCOMPARE(instance.acquire(), SingleInstance::Lock::Taken);
        ::close(ready[0]);
        ::close(ready[1]);

        // A damaged lock file does not keep the program from starting either.
        QTemporaryDir other;
        QFile junk(other.filePath("tastolino.lock"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("\xff\xfe garbage");
        junk.close();
        SingleInstance again(other.filePath("tastolino.lock"));
        QCOMPARE(again.acquire(), SingleInstance::Lock::Taken);
    }

    void sessionEndSignalsArriveAsQtSignal() {
        SignalBridge bridge;
        QVERIFY(bridge.installed());
        QSignalSpy spy(&bridge, &SignalBridge::terminationRequested);
        for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
            ::raise(sig);
            QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 1, 1000);
            QCOMPARE(spy.takeFirst().at(0).toInt(), sig);
        }
    }

    void pathHelpers_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("slash") << "/opt/t/Esercizi/lez01.bak.lez"
                               << "lez01.bak.lez"
                               << "lez01";
        QTest::newRow("backslash") << "C:\\T\\CorsoDattilo\\A.lez"
                                   << "A.lez"
                                   << "A";
        QTest::newRow("no separator") << "lez01.lez"
                                      << ""
                                      << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("folder") << "/opt/t/"
                                << ""
                                << "";
        QTest::newRow("no dot") << "/opt/t/README"
                                << "README"
                                << "README";
    }
    void pathHelpers() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QCOMPARE(FileNameOf(path), name);
        QCOMPARE(FileTitle(path), title);
    }

    void readableFilesOnlyCountAsPresent() {
        QTemporaryDir dir;
        QVERIFY(!isReadableRegularFile(dir.filePath("missing.txt")));
        QVERIFY(!isReadableRegularFile(QString()));
        QFile file(dir.filePath("here.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(isReadableRegularFile(file.fileName()));
        QVERIFY(!isReadableRegularFile(dir.path()) || QFileInfo(dir.path()).isDir());
        if (geteuid() != 0) {
            file.setPermissions(QFileDevice::WriteOwner);
            QVERIFY(!isReadableRegularFile(file.fileName()));
        }
    }

    void messageTableIsExact() {
        const QStringList expected = {
            QStringLiteral("- Frasi interne "),
            QStringLiteral("-  Primo livello: frase"),
            QStringLiteral("-  Secondo livello: frase "),
            QStringLiteral("-  Terzo livello: frase "),
            QStringLiteral("Con questo esercizio questo pulsante non è disponibile."),
            QStringLiteral("Vuoi iniziare da capo le esercitazioni?"),
            QStringLiteral("Hai totalizzato "),
            QStringLiteral("punti e, digitando alla media di"),
            QStringLiteral("battute"),
            QStringLiteral("hai anche superato il tuo record precedente."),
            QStringLiteral("Premi il tasto Enter per continuare."),
            QStringLiteral("Ciao"),
            QStringLiteral("Per iniziare gli esercizi scegli il livello di difficoltà e premi il "
                           "pulsante < Enter> "),
            QStringLiteral("\nSeleziona dalla lista il file con cui esercitarti"),
            QStringLiteral("La tastiera in uso non è impostata per la lingua"),
            QStringLiteral("Il programma, quindi, potrebbe non funzionare correttamente."),
            QStringLiteral("tedesca"),
            QStringLiteral("Vuoi salvare il nome dell'esercizio che hai appena terminato?"),
            QStringLiteral(
                "Se rispondi  Sì  la prossima volta che sceglierai di esercitarti con il corso di"),
            QStringLiteral(
                "dattilografia  sarà  selezionato   automaticamente   l'esercizio   successivo."),
            QStringLiteral(
                "Se scegli No sarà cancellato l'eventuale riferimento al precedente esercizio"),
            QStringLiteral("e la prossima volta deciderai tu da dove iniziare."),
            QStringLiteral("Se, invece, scegli Annulla non sarà fatta alcuna modifica."),
            QStringLiteral("Vuoi stampare la tastiera di "),
            QStringLiteral(
                "(la tastiera verrà stampata esattamente come la vedi in questo momento)"),
            QStringLiteral("Vuoi chiudere il programma?"),
            QStringLiteral("(Se chiudi il programma adesso, tutti i dati verranno persi)"),
            QStringLiteral("Il tasto Blocca Maiuscole non deve essere premuto."),
            QStringLiteral("Il pulsante destro del mouse non deve essere premuto!"),
            QStringLiteral("Principiante"),
            QStringLiteral("Esperto"),
            QStringLiteral("Tastiera tedesca"),
            QStringLiteral("Controllate le impostazioni della lingua nella guida in linea"),
            QStringLiteral("punti, digitando alla media di"),
            QStringLiteral("Modifica la divisione della tastiera alternando lo schema classico con "
                           "quello adottato nelle tastiere ergomiche"),
            QStringLiteral("Ciao"),
            QStringLiteral("minuti"),
            QStringLiteral("Errore nell'apertura del file:"),
            QStringLiteral("Premi OK per proseguire."),
            QStringLiteral("Tempo stimato per terminare l'esercizio:"),
            QStringLiteral(
                "File di testo troppo lungo, scegliere un file di minori dimensioni e riprovare."),
            QStringLiteral("File Tastolino"),
            QStringLiteral("File di testo")};
        QCOMPARE(defaultMessages().size(), kMessageCount);
        for (int i = 0; i < kMessageCount; ++i) QCOMPARE(defaultMessages()[i], expected[i]);
        QCOMPARE(defaultPraiseGood().size(), 7);
        QCOMPARE(defaultPraiseGreat().size(), 7);
        QCOMPARE(defaultPraiseGood().last(), QStringLiteral("Buon risultato!"));
        QCOMPARE(defaultPraiseGreat().last(), QStringLiteral("Sensazionale!"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
