// Time to highlight the next key: from the call to the finished repaint of
// the panel, at the large-screen size (1280 x 1024), over 10 000 highlights
// of an ordinary German text. Run offscreen:
//   QT_QPA_PLATFORM=offscreen bench_keyboard_highlight [count]
#include "keyboard/CharKeyMap.h"
#include "keyboard/KeyboardPanel.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tastolino;

namespace {

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    BuildCharKeyMap();

    QWidget window;
    window.resize(1280, 1024);
    auto* panel = new KeyboardPanel(&window);
    panel->setLargeScreen(true);
    panel->move((1280 - panel->width()) / 2, 300);
    panel->setFingerMapOn(true);
    panel->setHighlightOn(true);
    panel->setExerciseRunning(true);
    window.show();
    app.processEvents();
    PaintCounter counter;
    panel->installEventFilter(&counter);

    // Capitals, AltGr symbols, accents and the carriage return all occur.
    const QString text = QStringLiteral(
        "Franz jagt im komplett verwahrlosten Taxi quer durch Bayern. Größe: 12 € @ 3 Häuser; "
        "café, très, Übung (Test) [Klammer] {Block} | ~ \\ ^ ° \r");
    std::vector<qint64> ns;
    ns.reserve(count);
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        const QString ch = text.mid(i % text.size(), 1);
        timer.start();
        panel->HighlightNextKey(ch, i % text.size() + 1);
        app.processEvents();
        ns.push_back(timer.nsecsElapsed());
    }
    std::sort(ns.begin(), ns.end());
    auto at = [&](double q) { return ns[std::min(ns.size() - 1, size_t(q * ns.size()))] / 1e6; };
    std::printf("highlights: %d, paints: %d\n", count, counter.paints);
    std::printf("median %.3f ms, p99 %.3f ms, max %.3f ms\n", at(0.5), at(0.99), ns.back() / 1e6);
    return 0;
}
