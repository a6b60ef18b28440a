// The keyboard panel alone in a full-screen window: checks the keyboard
// layout at start and gives it back at exit, like the main program, and
// shows the display options for screenshots.
//
//   keyboard_demo [--large] [--flat] [--map-off] [--ergonomic] [--key-map]
//                 [--highlight A|CR|<char>] [--exit-after MS] [--no-layout]
//
// Prints "active=<layout> remembered=<layout>" once the check has run and
// "restored=<layout>" at exit, for the scripts that drive it.
#include "keyboard/CharKeyMap.h"
#include "keyboard/KeyboardLayout.h"
#include "keyboard/KeyboardPanel.h"
#include "platform/Seams.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using namespace tastolino;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser cl;
    const QCommandLineOption large(QStringLiteral("large")), flat(QStringLiteral("flat")),
        mapOff(QStringLiteral("map-off")), ergonomic(QStringLiteral("ergonomic")),
        keyMap(QStringLiteral("key-map")), noLayout(QStringLiteral("no-layout")),
        highlight(QStringLiteral("highlight"), QString(), QStringLiteral("char")),
        exitAfter(QStringLiteral("exit-after"), QString(), QStringLiteral("ms"));
    cl.addOptions({large, flat, mapOff, ergonomic, keyMap, noLayout, highlight, exitAfter});
    cl.process(app);

    // Nobody is there to answer a box: the warning goes to the error stream.
    seams::setMessageHook([](const seams::MessageRequest& r) {
        std::fprintf(stderr, "message: %s\n", qPrintable(r.text));
        return seams::MsgAnswer::Ok;
    });

    QWidget window;
    window.setWindowTitle(QStringLiteral("Tastolino"));
    window.setStyleSheet(QStringLiteral("background:#4a6a8a"));
    auto* panel = new KeyboardPanel(&window);

    if (!cl.isSet(noLayout)) {
        CheckGermanLayout(&window);
        std::printf("active=%s remembered=%s\n", qPrintable(layoutBackend().activeLayoutId()),
                    qPrintable(LayoutToRestore()));
        std::fflush(stdout);
    }
    BuildCharKeyMap();

    const QSize screen = app.primaryScreen()->size();
    window.resize(screen);
    panel->setLargeScreen(cl.isSet(large) || screen.width() > 1000 || screen.height() > 750);
    panel->move((screen.width() - panel->width()) / 2,
                (screen.height() - panel->height()) / 2 - 20);
    panel->setExerciseRunning(cl.isSet(highlight));
    panel->setFlatKeyboardOn(cl.isSet(flat));
    panel->setErgonomicOn(cl.isSet(ergonomic));
    panel->setFingerMapOn(!cl.isSet(mapOff));
    panel->setHighlightOn(true);
    panel->PlaceKeyMapPicture(panel->geometry());
    if (cl.isSet(keyMap) && !cl.isSet(mapOff)) {
        panel->ShowFingerIcons(false);
        panel->keyMapPicture()->show();
    }
    if (cl.isSet(highlight)) {
        QString ch = cl.value(highlight);
        if (ch == QLatin1String("CR")) ch = QStringLiteral("\r");
        panel->setExpectedChar(ch.left(1));
        panel->HighlightNextKey(ch.left(1), 0);
    } else {
        panel->DrawEnterInvitation();
    }
    window.showFullScreen();

    if (cl.isSet(exitAfter))
        QTimer::singleShot(cl.value(exitAfter).toInt(), &app, &QApplication::quit);
    const int rc = app.exec();

    const QString toRestore = LayoutToRestore();
    RestoreKeyboardLayout();
    if (!cl.isSet(noLayout)) {
        std::printf("restored=%s\n", qPrintable(toRestore));
        std::fflush(stdout);
    }
    return rc;
}
