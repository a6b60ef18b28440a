#include "exercise/DesktopTexts.h"

#include "settings/LanguageSupport.h"

namespace tastolino {

QString cannotSaveText(const QStringList& folders) {
    return GetLangString(QStringLiteral("9001")) + QLatin1Char('\n') +
           folders.join(QLatin1Char('\n'));
}

QString fileNotReadableText(const QString& path) {
    return GetLangString(QStringLiteral("9002")) + QLatin1Char('\n') + path;
}

QString lockUnavailableText(const QString& folder) {
    return GetLangString(QStringLiteral("9010")) + QLatin1Char('\n') + folder;
}

}  // namespace tastolino
