#include "settings/InstallerLanguage.h"

#include "settings/SafeFileQt.h"

#include <QDir>

namespace tastolino {

namespace {
// The identifier is a few characters; a larger first line is not ours.
constexpr qint64 kMaxLine = 256;
}  // namespace

QString InstallerLanguage() {
    const QString fromEnvironment = qEnvironmentVariable("TASTOLINO_INSTALLER_LANGUAGE").trimmed();
    if (!fromEnvironment.isEmpty()) return fromEnvironment;

    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Relative values are invalid by the base-directory rules and ignored.
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    const std::optional<QByteArray> bytes =
        readRegularFile(configHome + QStringLiteral("/Lingovano/installer-language"), kMaxLine);
    if (!bytes) return {};
    return QString::fromUtf8(bytes->left(bytes->indexOf('\n'))).trimmed();
}

QString languageForInstallerChoice(const QString& choice) {
    if (choice == QLatin1String("1031")) return QStringLiteral("German");
    if (choice == QLatin1String("1033")) return QStringLiteral("English");
    if (choice == QLatin1String("1034")) return QStringLiteral("Spanish");
    if (choice == QLatin1String("1036")) return QStringLiteral("French");
    return QStringLiteral("Italian");
}

}  // namespace tastolino
