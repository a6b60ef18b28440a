// The offscreen platform cannot make windows translucent, shaped or raised;
// its notices about that are expected in the window tests and kept quiet.
#pragma once

#include <QtGlobal>

namespace quiet_platform {

inline QtMessageHandler& previousHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

inline void handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (previousHandler()) previousHandler()(type, context, text);
}

inline void install() {
    previousHandler() = qInstallMessageHandler(handler);
}

}  // namespace quiet_platform
