// The exercise engine for the fuzz targets: a Qt application without a
// screen (started before the first input), the recording stand-in for the main window of the engine
// tests, no waits and no sounds, and a folder of exercises in the program folder.
#pragma once

#include "FuzzCommon.h"

#include "app/EngineTestView.h"
#include "exercise/ExerciseKeys.h"
#include "platform/Seams.h"
#include "settings/InterfaceLanguage.h"

#include <QApplication>

#include <memory>

namespace fuzzcommon {

inline void startQt() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// A fresh engine on a fresh program state; message boxes are counted and
// answered `answer`.
struct EngineRun {
    tastolino::testing::RecordingView view;
    std::unique_ptr<tastolino::ExerciseEngine> engine;
    QStringList boxes;

    explicit EngineRun(tastolino::seams::MsgAnswer answer) {
        using namespace tastolino;
        tastolino::seams::resetAll();
        tastolino::seams::useFakeClock(QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
        tastolino::seams::setInstantWaits(true);
        tastolino::seams::seedRandom(3);
        tastolino::seams::setSoundHook([](int) {});
        tastolino::seams::setMessageHook([this, answer](const tastolino::seams::MessageRequest& r) {
            boxes << r.text;
            return answer;
        });
        tastolino::seams::setCapsLockHooks([] { return false; }, [] {});
        AppState& st = appState();
        st = AppState{};
        st.appFolder = programFolder();
        setInterfaceFolder(st.appFolder);
        for (const char* sub : {"Esercizi", "CorsoDattilo"}) {
            QDir(programFolder() + QLatin1String(sub)).removeRecursively();
            QDir(programFolder()).mkpath(QLatin1String(sub));
        }
        engine = std::make_unique<ExerciseEngine>(view);
        view.engine = engine.get();
    }
    ~EngineRun() { tastolino::seams::resetAll(); }

    // Types the sentence shown, every character right; one without a key
    // (free text accepts any key) is typed as "x".
    void typeSentence() {
        using namespace tastolino;
        for (QChar c : appState().results.exerciseText) {
            if (c == QLatin1Char('\n') || engine->sentenceDone()) continue;
            const bool typeable = c == QLatin1Char('\r') || isTypeableCode(charCode(c));
            engine->OnInputText(typeable ? QString(c) : QStringLiteral("x"));
        }
    }
};

}  // namespace fuzzcommon

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzcommon::startQt();
    return 0;
}
