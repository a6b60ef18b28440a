// Cost of one keystroke in a free text of 25 000 characters: from the key
// press delivered to the input box until the on-screen keyboard, the
// counters, the sentence area and the box have been repainted. Reports the
// median and the 99th percentile over the whole text and the cost around
// character 100 against character 24 000 (the work per key must not grow
// with the position in the text).
//   QT_QPA_PLATFORM=offscreen bench_keystroke
#include "app/MainWindowParts.h"
#include "app/frmTastomat.h"
#include "keyboard/KeyboardLayout.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tastolino;

namespace {

class GermanLayout : public LayoutBackend {
  public:
    QString activeLayoutId() override { return QStringLiteral("00000407"); }
    void activateLayout(const QString&) override {}
};

// A German text of typeable characters, lines of about 60 characters.
QByteArray germanText(int size) {
    static const char* const words[] = {"Der",
                                        "kleine",
                                        "Hund",
                                        "l\xe4uft",
                                        "schnell",
                                        "\xfc"
                                        "ber",
                                        "die",
                                        "gro\xdf"
                                        "e",
                                        "Wiese",
                                        "und",
                                        "freut",
                                        "sich",
                                        "\xfc"
                                        "ber",
                                        "den",
                                        "Sommer",
                                        "Im",
                                        "Garten",
                                        "bl\xfchen",
                                        "Blumen,",
                                        "B\xe4ume",
                                        "tragen",
                                        "\xc4pfel.",
                                        "Wir",
                                        "z\xe4hlen",
                                        "12",
                                        "oder",
                                        "345",
                                        "St\xfc"
                                        "ck!"};
    const int count = int(sizeof(words) / sizeof(words[0]));
    QByteArray out;
    int line = 0;
    for (int i = 0; out.size() < size; ++i) {
        const QByteArray w = words[(i * 7 + i / 3) % count];
        out += w;
        line += int(w.size()) + 1;
        if (line > 60) {
            out += "\r\n";
            line = 0;
        } else {
            out += ' ';
        }
    }
    out.truncate(size);
    return out;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[size_t(std::min<double>(v.size() - 1, p * double(v.size())))];
}

double median(std::vector<double> v) {
    return percentile(std::move(v), 0.5);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Esercizi"));
    {
        QFile file(folder.filePath(QStringLiteral("Esercizi/lang.txt")));
        if (!file.open(QIODevice::WriteOnly)) return 1;
        // Line breaks become single blanks: 25 800 bytes give over 25 000
        // characters, below the 26 000-byte limit of text files.
        file.write(germanText(25800));
    }
    seams::setInstantWaits(true);
    seams::setSoundHook([](int) {});
    seams::setMessageHook([](const seams::MessageRequest&) { return seams::MsgAnswer::Ok; });
    seams::setModalHook([](QDialog* dialog) {
        dialog->accept();
        return int(QDialog::Accepted);
    });
    seams::setScreenSizeHook([] { return QSize(800, 600); });
    seams::setCapsLockHooks([] { return false; }, [] {});
    setLayoutBackend(std::make_unique<GermanLayout>());
    appState().appFolder = folder.path() + QLatin1Char('/');
    setInterfaceFolder(appState().appFolder);

    frmTastomat window(QStringLiteral("/lang.txt"));
    window.Form_Load();
    window.FinishStartUp();
    QLineEdit* input = window.findChild<QLineEdit*>(QStringLiteral("txtInput"));
    QTest::sendKeyEvent(QTest::Click, input, Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
    const QString text = appState().results.exerciseText;
    std::printf("free text of %lld characters\n", static_cast<long long>(text.size()));

    QWidget* touched[] = {window.findChild<QWidget*>(QStringLiteral("picKeyword")),
                          window.findChild<QLabel*>(QStringLiteral("lblNumBatt0")),
                          window.findChild<QLabel*>(QStringLiteral("lblNumBatt1")),
                          window.findChild<QWidget*>(QStringLiteral("picDisplay")), input};
    std::vector<double> costs;
    costs.reserve(size_t(text.size()));
    QElapsedTimer timer;
    // The last key ends the text (report, restart): not a typing keystroke.
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const QString expected = window.engine.expectedChar();
        timer.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, expected);
        QCoreApplication::sendEvent(input, &press);
        for (QWidget* w : touched) w->repaint();
        costs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    auto window_of = [&](size_t centre) {
        const size_t from = centre - 50, to = std::min(costs.size(), centre + 50);
        return median(std::vector<double>(costs.begin() + long(from), costs.begin() + long(to)));
    };
    const double early = window_of(100), late = window_of(24000);
    std::printf("keystrokes measured: %zu\n", costs.size());
    std::printf("median %.3f ms, 99th percentile %.3f ms\n", median(costs),
                percentile(costs, 0.99));
    std::printf("around character 100: %.3f ms, around 24000: %.3f ms (ratio %.2f)\n", early, late,
                late / early);
    std::printf("correct keystrokes counted: %d\n", int(appState().results.correctCount));
    const bool ok = median(costs) < 1.0 && late <= 1.5 * early;
    std::printf("%s\n", ok ? "goal met" : "goal missed");
    return ok ? 0 : 2;
}
