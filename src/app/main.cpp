// Program entry: one running copy only, a screen of at least 800 x 600,
// then the main window.
#include "app/SignalBridge.h"
#include "app/StartupChecks.h"
#include "app/StatsCommandLine.h"
#include "app/frmTastomat.h"
#include "platform/DataFolders.h"
#include "platform/ScreenScale.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    using namespace tastolino;
    // The statistics export needs no display: it runs before any window.
    if (isStatsExport(argc, argv)) return runStatsExport(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tastolino"));
    QApplication::setApplicationVersion(QStringLiteral(TASTOLINO_VERSION));
    // Lets the desktop match the window to the installed menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tastolino.Tastolino"));

    // Measuring start-up: nobody is there to answer a message box.
    const bool benchmark = qEnvironmentVariableIntValue("TASTOLINO_BENCH_EXIT_AFTER_SHOW") == 1;
    if (benchmark)
        seams::setMessageHook([](const seams::MessageRequest&) { return seams::MsgAnswer::Ok; });

    SingleInstance instance;
    const SingleInstance::Lock lock = instance.acquire();
    if (lock == SingleInstance::Lock::RunningCopy) return 0;

    if (!CheckScreen()) return 1;

    AppState& state = appState();
    state.largeScreen = IsLargeScreen(seams::screenSize());
    largeScreenScale() = ScaleForScreen(seams::screenSize());
    state.windows2000OrLater = IsWindows2000OrLater();
    state.appFolder = dataFolderFor(QCoreApplication::applicationDirPath());
    setInterfaceFolder(state.appFolder);

    // The command line as one text, the way the exercise argument is read.
    const QStringList arguments = app.arguments().mid(1);
    frmTastomat window(arguments.join(QLatin1Char(' ')));
    // Without the lock the program still runs; the learner is told once the
    // language is known.
    if (lock == SingleInstance::Lock::Unavailable) window.SetLockProblem(instance.folder());

    // The end of a desktop session closes the window the orderly way.
    SignalBridge sessionEnd;
    QObject::connect(&sessionEnd, &SignalBridge::terminationRequested, &window,
                     [&window](int) { window.Unload(); });
    QObject::connect(&window, &frmTastomat::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    window.Form_Load();
    if (window.IsUnloaded()) return 0;
    if (benchmark) {
        // Report once the window has been painted.
        QCoreApplication::processEvents();
        std::printf("shown\n");
        std::fflush(stdout);
        return 0;
    }
    window.FinishStartUp();
    if (window.IsUnloaded()) return 0;
    return app.exec();
}
