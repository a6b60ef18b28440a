#include "stats/StatsTexts.h"

namespace tastolino {
namespace {

QString italian(StatsText text) {
    switch (text) {
        case StatsText::DatabaseMovedAside:
            return QStringLiteral(
                "Le statistiche di apprendimento non potevano essere lette e sono state messe da "
                "parte con il nome:\n%1\nDa ora le statistiche ripartono da zero.");
        case StatsText::DatabaseUnavailable:
            return QStringLiteral(
                "Le statistiche di apprendimento non possono essere registrate nel file:\n%1");
        case StatsText::ExportUsage:
            return QStringLiteral(
                "Uso: tastolino --export-sessions FILE.csv [--user NOME]\n"
                "     tastolino --export-keys FILE.csv [--user NOME]");
        case StatsText::ExportNoDatabase:
            return QStringLiteral("Non ci sono ancora statistiche registrate (manca il file %1).");
        case StatsText::ExportDatabaseDamaged:
            return QStringLiteral("Il file delle statistiche non può essere letto: %1");
        case StatsText::ExportCannotWrite:
            return QStringLiteral("Impossibile scrivere il file %1");
        case StatsText::ExportDone:
            return QStringLiteral("%1 righe scritte nel file %2");
        case StatsText::DrillNotEnoughData:
            return QStringLiteral(
                "Non ci sono ancora abbastanza battute registrate per riconoscere i tasti deboli.");
        case StatsText::DrillCannotWrite:
            return QStringLiteral("Impossibile scrivere l'esercizio nel file:\n%1");
        case StatsText::DrillFileComment:
            return QStringLiteral("Esercizio sui tasti deboli: %1");
    }
    return {};
}

}  // namespace

QString statsTextId(StatsText text) {
    return QStringLiteral("%1").arg(int(text), 4, 10, QLatin1Char('0'));
}

QString statsText(StatsText text, const TextLookup& lookup) {
    if (lookup) {
        const QString translated = lookup(statsTextId(text));
        if (!translated.isEmpty()) return translated;
    }
    return italian(text);
}

}  // namespace tastolino
