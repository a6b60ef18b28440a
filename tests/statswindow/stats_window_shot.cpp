// Shows the statistics window over a database, sized for the screen as the
// program sizes it, and saves a picture of the whole screen for each page
// (progress, weak keys) as OUT_PREFIX-progress.png and OUT_PREFIX-keys.png.
#include "keyboard/CharKeyMap.h"
#include "settings/LanguageSupport.h"
#include "stats/StatsStore.h"
#include "statswindow/frmStatistiche.h"

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using namespace tastolino;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: stats_window_shot DB USER LANGUAGE OUT_PREFIX\n");
        return 2;
    }
    BuildCharKeyMap();
    const QString language = args[3];
    static const QHash<QString, QLocale::Language> locales = {{"Italian", QLocale::Italian},
                                                              {"English", QLocale::English},
                                                              {"German", QLocale::German},
                                                              {"French", QLocale::French},
                                                              {"Spanish", QLocale::Spanish}};
    QLocale::setDefault(QLocale(locales.value(language, QLocale::Italian)));
    StatsStore store(args[1]);
    StatsWindowSetup setup;
    setup.user = args[2];
    setup.today = QDate::currentDate();
    if (language != QLatin1String("Italian"))
        setup.lookup = [language](const QString& id) {
            return GetLangString(QStringLiteral(TASTOLINO_DATA_DIR), language, id);
        };
    setup.makeDrill = [](QWidget*) { return QString(); };
    setup.exportCsv = [](QWidget*, bool) {};
    const QSize screen = app.primaryScreen()->size();
    setup.largeKeyboard = screen.width() > 1000 || screen.height() > 750;
    frmStatistiche window(store, setup);
    window.resize(statisticsWindowSize(screen));
    window.move((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
    window.setPeriod(Period::AllDays);
    window.show();
    const QString prefix = args[4];
    int step = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const QString name = prefix + (step == 0 ? "-progress.png" : "-keys.png");
        app.primaryScreen()->grabWindow(0).save(name);
        if (++step == 2) {
            app.quit();
            return;
        }
        window.showTab(1);
    });
    timer.start(700);
    return app.exec();
}
