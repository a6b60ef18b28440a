#include "app/DesktopTexts.h"

#include "settings/LanguageSupport.h"

namespace tastolino {

QString cannotSaveText(const QStringList& folders) {
    return LangStringOr(QStringLiteral("9001"),
                        QStringLiteral("Le impostazioni, il nome, il punto raggiunto nel corso e "
                                       "i record non potranno essere salvati: non è possibile "
                                       "scrivere in nessuna di queste cartelle:")) +
           QLatin1Char('\n') + folders.join(QLatin1Char('\n'));
}

QString fileNotReadableText(const QString& path) {
    return LangStringOr(QStringLiteral("9002"),
                        QStringLiteral("Impossibile aprire l'esercizio: il file non esiste o non "
                                       "può essere letto:")) +
           QLatin1Char('\n') + path;
}

QString lockUnavailableText(const QString& folder) {
    return LangStringOr(QStringLiteral("9010"),
                        QStringLiteral("Non è possibile impedire che Tastolino venga aperto due "
                                       "volte: questa cartella non appartiene solo a te oppure "
                                       "contiene un file estraneo al posto del blocco:")) +
           QLatin1Char('\n') + folder;
}

}  // namespace tastolino
