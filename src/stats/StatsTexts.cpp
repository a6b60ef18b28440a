#include "stats/StatsTexts.h"

#include "settings/InterfaceTexts.h"

namespace tastolino {

QString statsTextId(StatsText text) {
    return QStringLiteral("%1").arg(int(text), 4, 10, QLatin1Char('0'));
}

QString statsText(StatsText text, const TextLookup& lookup) {
    const QString id = statsTextId(text);
    QString found = lookup ? lookup(id) : QString();
    if (found.isEmpty()) found = ItalianText(id);
    // A language file holds one line a text: these texts write their line
    // breaks as "\n".
    return found.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

}  // namespace tastolino
