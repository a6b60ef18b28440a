#include "app/MessageTable.h"

namespace tastolino {

const QStringList& defaultMessages() {
    static const QStringList table = {
        QStringLiteral("- Frasi interne "),
        QStringLiteral("-  Primo livello: frase"),
        QStringLiteral("-  Secondo livello: frase "),
        QStringLiteral("-  Terzo livello: frase "),
        QStringLiteral("Con questo esercizio questo pulsante non è disponibile."),
        QStringLiteral("Vuoi iniziare da capo le esercitazioni?"),
        QStringLiteral("Hai totalizzato "),
        QStringLiteral("punti e, digitando alla media di"),
        QStringLiteral("battute"),
        QStringLiteral("hai anche superato il tuo record precedente."),
        QStringLiteral("Premi il tasto Enter per continuare."),
        QStringLiteral("Ciao"),
        QStringLiteral("Per iniziare gli esercizi scegli il livello di difficoltà e premi il "
                       "pulsante < Enter> "),
        QStringLiteral("\nSeleziona dalla lista il file con cui esercitarti"),
        QStringLiteral("La tastiera in uso non è impostata per la lingua"),
        QStringLiteral("Il programma, quindi, potrebbe non funzionare correttamente."),
        QStringLiteral("tedesca"),
        QStringLiteral("Vuoi salvare il nome dell'esercizio che hai appena terminato?"),
        QStringLiteral("Se rispondi  Sì  la prossima volta che sceglierai di esercitarti con il "
                       "corso di"),
        QStringLiteral("dattilografia  sarà  selezionato   automaticamente   l'esercizio   "
                       "successivo."),
        QStringLiteral("Se scegli No sarà cancellato l'eventuale riferimento al precedente "
                       "esercizio"),
        QStringLiteral("e la prossima volta deciderai tu da dove iniziare."),
        QStringLiteral("Se, invece, scegli Annulla non sarà fatta alcuna modifica."),
        QStringLiteral("Vuoi stampare la tastiera di "),
        QStringLiteral("(la tastiera verrà stampata esattamente come la vedi in questo momento)"),
        QStringLiteral("Vuoi chiudere il programma?"),
        QStringLiteral("(Se chiudi il programma adesso, tutti i dati verranno persi)"),
        QStringLiteral("Il tasto Blocca Maiuscole non deve essere premuto."),
        QStringLiteral("Il pulsante destro del mouse non deve essere premuto!"),
        QStringLiteral("Principiante"),
        QStringLiteral("Esperto"),
        QStringLiteral("Tastiera tedesca"),
        QStringLiteral("Controllate le impostazioni della lingua nella guida in linea"),
        QStringLiteral("punti, digitando alla media di"),
        QStringLiteral("Modifica la divisione della tastiera alternando lo schema classico con "
                       "quello adottato nelle tastiere ergomiche"),
        QStringLiteral("Ciao"),
        QStringLiteral("minuti"),
        QStringLiteral("Errore nell'apertura del file:"),
        QStringLiteral("Premi OK per proseguire."),
        QStringLiteral("Tempo stimato per terminare l'esercizio:"),
        QStringLiteral("File di testo troppo lungo, scegliere un file di minori dimensioni e "
                       "riprovare."),
        QStringLiteral("File Tastolino"),
        QStringLiteral("File di testo"),
    };
    return table;
}

const QStringList& defaultPraiseGood() {
    static const QStringList list = {
        QStringLiteral("Bene!"),           QStringLiteral("Molto bene!"),
        QStringLiteral("Ottimo!"),         QStringLiteral("Perfetto!"),
        QStringLiteral("Benissimo!"),      QStringLiteral("Splendido!"),
        QStringLiteral("Buon risultato!"),
    };
    return list;
}

const QStringList& defaultPraiseGreat() {
    static const QStringList list = {
        QStringLiteral("Magnifico!"),    QStringLiteral("Eccezionale!"),
        QStringLiteral("Sei grande!"),   QStringLiteral("Fantastico!"),
        QStringLiteral("Eccellente!"),   QStringLiteral("Insuperabile!"),
        QStringLiteral("Sensazionale!"),
    };
    return list;
}

QString defaultWarningTitle() {
    return QStringLiteral("Attenzione!");
}
QString defaultPerMinuteText() {
    return QStringLiteral("al minuto");
}
QString defaultHelpMissingText() {
    return QStringLiteral("Impossibile trovare il file della guida");
}

}  // namespace tastolino
