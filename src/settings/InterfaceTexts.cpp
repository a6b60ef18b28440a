#include "settings/InterfaceTexts.h"

#include <QHash>

#include <array>

namespace tastolino {

namespace {

// Ranges of the program's own identifiers:
//   9001-9009  desktop integration and the buttons of message boxes
//   9010-9019  the single-instance lock
//   9020-9039  main window: bottom bar, menu strip, window title, course
//              bookmark, external key map
//   9040-9049  about window, results window and the reports
//   9050-9059  training and game window
//   9060-9069  language window
//   9100-9109  learning statistics (src/stats/StatsTexts.h); a "\n" in
//              these texts stands for a line break
//   9110-9199  the statistics window (9152 on: free)
constexpr InterfaceText kTexts[] = {
    // --- Main window: message table, captions, tooltips ----------------------
    {"0001", "Frasi interne"},
    {"0002", "-  Primo livello: frase"},
    {"0003", "-  Secondo livello: frase"},
    {"0004", "-  Terzo livello: frase"},
    {"0005", "Con questo esercizio questo pulsante non è disponibile."},
    {"0006", "Vuoi iniziare da capo le esercitazioni?"},
    {"0007", "Hai totalizzato"},
    {"0008", "punti e, digitando alla media di"},
    {"0009", "battute"},
    {"0010", "hai anche superato il tuo record precedente."},
    {"0011", "Premi il tasto Enter per continuare."},
    {"0013", "Per iniziare gli esercizi scegli il livello di difficoltà e premi il pulsante"},
    {"0014", "Seleziona dalla lista il file con cui esercitarti"},
    {"0015", "Vuoi chiudere il programma?"},
    {"0016", "(Se chiudi il programma adesso, tutti i dati verranno persi)"},
    {"0017", "Il tasto Blocca Maiuscole non deve essere premuto."},
    {"0018", "Il pulsante destro del mouse non deve essere premuto!"},
    {"0019", "La tastiera in uso non è impostata per la lingua"},
    {"0020", "Il programma, quindi, potrebbe non funzionare correttamente."},
    {"0021", "Vuoi salvare il nome dell'esercizio che hai appena terminato?"},
    {"0022", "Se rispondi  Sì  la prossima volta che sceglierai di esercitarti con il corso di"},
    {"0023", "dattilografia  sarà  selezionato   automaticamente   l'esercizio   successivo."},
    {"0024", "Se scegli No sarà cancellato l'eventuale riferimento al precedente esercizio"},
    {"0025", "e la prossima volta deciderai tu da dove iniziare."},
    {"0026", "Se, invece, scegli Annulla non sarà fatta alcuna modifica."},
    {"0027", "Principiante"},
    {"0028", "Esperto"},
    {"0029", "Vuoi stampare la tastiera di"},
    {"0030", "(la tastiera verrà stampata esattamente come la vedi in questo momento)"},
    {"0031", "Doppio click per spostare la mappa sotto la tastiera"},
    {"0032", "Doppio click per riposizionare la mappa sulla tastiera"},
    {"0034", "Livello di difficoltà"},
    {"0035", "Chiude il programma"},
    {"0036", "Ricomincia da capo"},
    {"0037", "Informazioni e guida"},
    {"0038", "Abilita o disabilita i suoni"},
    {"0039", "Visualizza o nasconde la mappa \"tasto/dito\""},
    {"0040", "Evidenzia o nasconde i tasti da premere"},
    {"0041", "Cambia il colore dello sfondo"},
    {"0042", "digitazioni esatte  correnti / totali"},
    {"0043", "digitazioni errate  correnti / totali"},
    {"0044", "Frase livello corrente"},
    {"0045", "Media punteggi 1° livello"},
    {"0046", "Media punteggi 2° livello"},
    {"0047", "Media punteggi 3° livello"},
    {"0048", "Magnifico!"},
    {"0049", "Eccezionale!"},
    {"0050", "Sei grande!"},
    {"0051", "Fantastico!"},
    {"0052", "Eccellente!"},
    {"0053", "Insuperabile!"},
    {"0054", "Sensazionale!"},
    {"0055", "Bene!"},
    {"0056", "Molto bene!"},
    {"0057", "Ottimo!"},
    {"0058", "Perfetto!"},
    {"0059", "Benissimo!"},
    {"0060", "Splendido!"},
    {"0061", "Buon risultato!"},
    {"0062", "Attenzione!"},
    {"0063", "Esercizi"},
    {"0064", "Corso dattilo"},
    {"0065", "Impossibile trovare il file della guida"},
    {"0116", "al minuto"},
    {"0117", "Controllate le impostazioni della lingua nella guida in linea"},
    {"0118", "punti, digitando alla media di"},
    {"0119",
     "Modifica la divisione della tastiera alternando lo schema classico con quello adottato "
     "nelle tastiere ergomiche"},
    {"0120", "minuti"},
    {"0121", "Errore nell'apertura del file:"},
    {"0122", "Premi OK per proseguire."},
    {"0123", "Tempo stimato per terminare l'esercizio:"},
    {"0124", "File di testo troppo lungo, scegliere un file di minori dimensioni e riprovare."},
    {"0125", "File Tastolino"},
    {"0126", "File di testo"},
    {"0137", "Ciao"},
    {"0151", "Doppio click per tastiera 2D/3D"},
    {"0170", "Imposta il programma in modalità principiante"},
    {"0171", "Imposta il programma in modalità esperto"},
    {"0172", "Esercitazioni e corsi"},
    {"0173", "Consente di esercitarsi utilizzando le frasi interne"},
    {"0174", "Consente di esercitarsi utilizzando un corso di dattilografia"},
    {"0175", "Consente di esercitarsi utilizzando dei comuni file di testo"},
    {"0176", "Consente di esercitarsi utilizzando degli esercizi personalizzati"},
    {"0177", "Consente di accedere alla sezione allenamento e gioco"},
    {"0208", "Rapporto errori/battute"},
    {"0306", "Gioco && Allenamento"},
    {"1002", "tedesca"},
    {"1011", "Tastiera tedesca"},

    // --- User name entry -------------------------------------------------------
    {"0012", "Benvenuto in Tastolino!"},
    {"0066", "Chiudi la finestra"},  // also the about window's close button
    {"0096", "Scrivi il tuo nome"},
    {"0138", "Ricorda il tuo nome al prossimo accesso"},

    // --- About window ----------------------------------------------------------
    {"0067", "Guida in linea"},
    {"0068", "Visita il sito di Tastolino"},
    {"0069", "Stampa la tastiera di Tastolino!"},
    {"0070", "Tastolino è un programma gratuito."},
    {"0071", "Impostazione video raccomandate"},
    {"0072", "1024x768 o  800x600 pixel"},
    {"0073", "Questa edizione è realizzata per la tastiera"},
    {"0074", "Per scaricare gli aggiornamenti al programma, e molto altro ancora, visita il sito:"},
    {"0075", "Chiudi"},  // also the free-text report's close button
    {"0115", "Scelta lingua"},
    {"0143", "Programma consigliato da:"},
    {"1003", "tedesca (QWERTZ)."},

    // --- Results window, printout and PDF report --------------------------------
    {"0076", "L'esercizio corrente è stato eseguito utilizzando le frasi interne."},
    {"0077", "L'esercizio corrente è stato eseguito utilizzando il file"},
    {"0078", "Risultati complessivi dell'esercizio"},
    {"0079", "Digitazioni"},
    {"0080", "Punteggio:"},
    {"0081", "- Totale errori di battitura:"},
    {"0082", "- Totale  numero  battute:"},
    {"0083", "- Rapporto errori/battute:"},
    {"0086", "Stampa la classifica"},
    {"0088", "Risultati primo livello - categoria:"},
    {"0089", "Risultati secondo livello - categoria:"},
    {"0090", "Risultati terzo livello - categoria:"},
    {"0091", "Battute / sec"},  // also the free-text report
    {"0092", "Battute / min"},  // also the free-text report
    {"0093", "Frase"},
    {"0094", "Punteggio"},
    {"0095", "Media:"},
    {"0097", "- Stampa dei risultati"},
    {"0098", "Vuoi eseguire la stampa dei risultati?"},
    {"0099", "Stampa inviata alla stampante."},
    {"0100", "Errore nella procedura di stampa."},
    {"0101", "Risultati ottenuti da:"},  // also the free-text report
    {"0102", "Livello"},
    {"0103", "Categoria"},  // also the free-text report
    {"0104", "Molto bene! Hai terminato l'esercizio di livello"},
    {"0105", "Se vuoi continuare premi il pulsante: Continua."},
    {"0107", "Se vuoi continuare con l'esercizio precedente, premi il pulsante: Continua."},
    {"0108", "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina"},
    {"0109", "Complimenti! Hai terminato l'eserczio di dattilografia."},
    {"0110", "Se vuoi iniziare da capo premi il pulsante: Continua."},
    {"0111", "Se, invece, vuoi uscire dal programma, premi il pulsante: Termina"},
    {"0112", "Continua"},
    {"0114", "Termina"},
    {"0135", "Per creare un nuovo file pdf occorre chiudere quello attualmente aperto."},
    {"0139", "Ottimo"},
    {"0140", "Buono"},
    {"0141", "Sufficiente"},
    {"0142", "Insufficiente"},

    // --- Free-text report --------------------------------------------------------
    {"0127", "Tempo totale impiegato"},
    {"0128", "Battute esatte"},
    {"0129", "Parole contenute nel file"},
    {"0130", "Numero  battute"},
    {"0131", "Numero errori"},
    {"0132", "Rapporto errori/battute"},
    {"0133", "Risultati complessivi dell'esercizio"},
    {"0134", "Rapporto battute esatte/totali"},
    {"0136", "Crea file pdf"},
    {"0144", "Caratteri maiuscoli"},
    {"0145", "Caratteri minuscoli"},
    {"0146", "Caratteri numerici"},
    {"0147", "Segni di punteggiatura"},
    {"0148", "Spazi"},
    {"0149", "Caratteri speciali"},
    {"0150", "Valutazione complessiva dell'esercizio"},
    {"0152", "Valutazione"},

    // --- Language window ---------------------------------------------------------
    {"0200", "Scelta lingua"},
    {"0201", "Confermi l'impostazione della lingua selezionata?"},
    {"0202", "Seleziona la lingua da usare"},
    {"0203", "&Chiudi"},  // also the close button of the training and game window
    {"0204", "Conferma la lingua scelta e chiude la finestra"},
    {"0205", "Informazioni sulla traduzione"},
    {"0206", "Lingua attuale:"},
    {"0207", "Autore:"},

    // --- Training and game window ------------------------------------------------
    {"0300", "Allenamento"},
    {"0301", "Gioco"},
    {"0302", "Velocità"},
    {"0303", "Tempo"},
    {"0304", "Punti"},
    {"0305", "Inserire almeno quattro caratteri alfanumerici"},
    {"0307", "Inizio allenamento"},
    {"0308", "Allenamento terminato"},
    {"0309", "Il gioco è finito"},
    {"0310", "Facile"},
    {"0311", "Medio"},
    {"0312", "Difficile"},
    {"0313", "personalizzato"},

    // --- The program's own texts --------------------------------------------------
    // Desktop integration; the folders or the path follow on their own lines.
    {"9001",
     "Le impostazioni, il nome, il punto raggiunto nel corso e i record non potranno essere "
     "salvati: non è possibile scrivere in nessuna di queste cartelle:"},
    {"9002", "Impossibile aprire l'esercizio: il file non esiste o non può essere letto:"},
    // The buttons of message boxes.
    {"9003", "Sì"},
    {"9004", "No"},
    {"9005", "Annulla"},
    {"9006", "OK"},  // also the user name entry's button
    // The lock against a second running copy cannot be taken; the folder
    // follows on the next line.
    {"9010",
     "Non è possibile impedire che Tastolino venga aperto due volte: questa cartella non "
     "appartiene solo a te oppure contiene un file estraneo al posto del blocco:"},
    // Main window: the captions of the bottom bar, the Start button's tooltip,
    // the tooltip of menu item 7, the word before the file name in the
    // window title of a free text, and the course bookmark that cannot be
    // written (the file follows on the next line).
    {"9020", "TEMPO"},
    {"9021", "FRASE"},
    {"9022", "ESATTE"},
    {"9023", "ERRATE"},
    {"9024", "ERRORI"},
    {"9025", "MEDIA LIVELLI"},
    {"9026", "nuova frase"},
    {"9027", "NUOVO"},
    {"9028", "File"},
    {"9029", "Impossibile salvare il segnalibro del corso nel file:"},
    // The external key map: the hands and the fingers.
    {"9030", "mano sinistra"},
    {"9031", "mano destra"},
    {"9032", "mignolo"},
    {"9033", "anulare"},
    {"9034", "medio"},
    {"9035", "indice"},
    {"9036", "pollici"},
    // About window: the word before the version number.
    {"9040", "Versione"},
    // Results window: the print button's caption and the PDF button's tooltip.
    {"9041", "Print"},
    {"9042", "File PDF"},
    // Reports: the PDF document's title ("Risultati Tastolino"), the author
    // lines of the results and free-text footers and of the keyboard
    // printout, and a PDF report that could not be written (the path
    // follows on the next line).
    {"9043", "Risultati"},
    {"9044", "il tutor di dattilografia"},
    {"9045", "corso di dattilografia a dieci dita"},
    {"9046", "Gli autori di Tastolino"},
    {"9047", "Impossibile scrivere il file pdf:"},
    // Training and game window: the start button, the record shown when there
    // is none, and a record that cannot be written (the file follows).
    {"9050", "Start"},
    {"9051", "ND"},
    {"9052", "Impossibile salvare il record nel file:"},
    // Language window: a translation whose file names no author.
    {"9060", "Unknown"},
    // Learning statistics.
    {"9100",
     "Le statistiche di apprendimento non potevano essere lette e sono state messe da parte "
     "con il nome:\\n%1\\nDa ora le statistiche ripartono da zero."},
    {"9101", "Le statistiche di apprendimento non possono essere registrate nel file:\\n%1"},
    {"9102",
     "Uso: tastolino --export-sessions FILE.csv [--user NOME]\\n     tastolino --export-keys "
     "FILE.csv [--user NOME]"},
    {"9103", "Non ci sono ancora statistiche registrate (manca il file %1)."},
    {"9104", "Il file delle statistiche non può essere letto: %1"},
    {"9105", "Impossibile scrivere il file %1"},
    {"9106", "%1 righe scritte nel file %2"},
    {"9107", "Non ci sono ancora abbastanza battute registrate per riconoscere i tasti deboli."},
    {"9108", "Impossibile scrivere l'esercizio nel file:\\n%1"},
    {"9109", "Esercizio sui tasti deboli: %1"},
    // The statistics window.
    {"9110", "Statistiche di apprendimento"},
    {"9111", "Progressi"},
    {"9112", "Tasti deboli"},
    {"9113", "Ultimi 7 giorni"},
    {"9114", "Ultimi 30 giorni"},
    {"9115", "Tutti i giorni"},
    {"9116", "Per giorno"},
    {"9117", "Per sessione"},
    {"9118", "Velocità (battute al minuto)"},
    {"9119", "Errori (%)"},
    {"9120", "Dita per percentuale di errori"},
    {"9121", "I dieci caratteri più deboli"},
    {"9122", "Carattere"},
    {"9123", "Battute"},
    {"9124", "Errori"},
    {"9125", "Percentuale"},
    {"9126", "Digitato invece"},
    {"9127", "Esercizio sui tasti deboli"},
    {"9128", "Esporta sessioni..."},
    {"9129", "Esporta tasti..."},
    {"9130", "Chiudi"},
    {"9131", "Battute: %1"},
    {"9132", "Errori: %1 (%2)"},
    {"9133", "Digitato invece: %1"},
    {"9134", "Troppo poche battute per una percentuale"},
    {"9135", "Nessuna battuta registrata in questo periodo."},
    {"9136", "Statistiche di apprendimento: progressi e tasti deboli"},
    {"9137", "Statistiche"},
    {"9138", "Mignolo sinistro"},
    {"9139", "Anulare sinistro"},
    {"9140", "Medio sinistro"},
    {"9141", "Indice sinistro"},
    {"9142", "Indice destro"},
    {"9143", "Medio destro"},
    {"9144", "Anulare destro"},
    {"9145", "Mignolo destro"},
    {"9146", "Pollici"},
    {"9147", "Invio"},
    {"9148", "Spazio"},
    {"9149", "Utente: %1"},
    {"9150", "File CSV (*.csv)"},
    {"9151",
     "La finestra delle statistiche non si può aprire: il suo modulo manca o non si carica (%1)."},
};

}  // namespace

std::span<const InterfaceText> InterfaceTexts() {
    return kTexts;
}

QString ItalianText(const QString& id) {
    static const QHash<QString, QString> byId = [] {
        QHash<QString, QString> table;
        for (const InterfaceText& t : kTexts)
            table.insert(QString::fromLatin1(t.id), QString::fromUtf8(t.italian));
        return table;
    }();
    return byId.value(id);
}

QStringList TranslatorKeys() {
    return {QStringLiteral("InfoAuthor"), QStringLiteral("MailAuthor")};
}

}  // namespace tastolino
