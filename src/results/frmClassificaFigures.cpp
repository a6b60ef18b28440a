#include "results/frmClassificaFigures.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tastolino {
namespace {

// Int() of a single-precision figure.
int wholeOf(float v) {
    return std::isfinite(v) ? int(std::floor(std::clamp(v, -1e9f, 1e9f))) : 0;
}

}  // namespace

const QStringList& defaultResultsTexts() {
    static const QStringList texts = {
        QStringLiteral("battute / sec"),
        QStringLiteral("battute / min"),
        QStringLiteral("Frase "),
        QStringLiteral("Punteggio"),
        QStringLiteral("Media:"),
        QStringLiteral("Scrivi il tuo nome"),
        QStringLiteral(" - Stampa dei risultati"),
        QStringLiteral("Vuoi eseguire la stampa dei risultati?"),
        QStringLiteral("Stampa inviata alla stampante."),
        QStringLiteral("Errore nella procedura di stampa."),
        QStringLiteral("Risultati ottenuti da: "),
        QStringLiteral("Livello "),
        QStringLiteral("Categoria "),
        QStringLiteral("L'esercizio corrente è stato eseguito utilizzando le frasi interne."),
        QStringLiteral("L'esercizio corrente è stato eseguito utilizzando il file "),
        QStringLiteral("Risultati complessivi dell'esercizio"),
        QStringLiteral("Digitazioni"),
        QStringLiteral("Punteggio:"),
        QStringLiteral("- Totale errori di battitura:"),
        QStringLiteral("- Totale  numero  battute:"),
        QStringLiteral("- Rapporto errori/battute:"),
        QStringLiteral("Molto bene! Hai terminato l'esercizio di livello "),
        QStringLiteral("Se vuoi continuare premi il pulsante: Continua."),
        QStringLiteral(
            "Se vuoi continuare con l'esercizio precedente, premi il pulsante: Continua."),
        QStringLiteral("Se, invece, vuoi uscire dal programma, premi il pulsante: Termina"),
        QStringLiteral("Complimenti! Hai terminato l'eserczio di dattilografia."),
        QStringLiteral("Se vuoi iniziare da capo premi il pulsante: Continua."),
        QStringLiteral("Se, invece, vuoi uscire dal programma, premi il pulsante: Termina"),
        QStringLiteral("Per creare un nuovo file pdf occorre chiudere quello attualmente aperto."),
        QStringLiteral("Ottimo"),
        QStringLiteral("Buono"),
        QStringLiteral("Sufficiente"),
        QStringLiteral("Insufficiente"),
    };
    return texts;
}

const std::array<const char*, 33>& resultsTextIds() {
    static const std::array<const char*, 33> ids = {
        "0091", "0092", "0093", "0094", "0095", "0096", "0097", "0098", "0099", "0100", "0101",
        "0102", "0103", "0076", "0077", "0078", "0079", "0080", "0081", "0082", "0083", "0104",
        "0105", "0107", "0108", "0109", "0110", "0111", "0135", "0139", "0140", "0141", "0142"};
    return ids;
}

QStringList resultsTextsFrom(const std::function<QString(const QString&)>& lookup) {
    QStringList texts;
    for (const char* id : resultsTextIds()) texts << lookup(QString::fromLatin1(id));
    texts[2] += QLatin1Char(' ');
    texts[10] += QStringLiteral("   ");
    texts[11] += QLatin1Char(' ');
    texts[12] += QLatin1Char(' ');
    return texts;
}

int resultsScore(float speed, float scoreFactor) {
    // Single precision at every step, in the order written.
    const float raw = speed * scoreFactor * 100.0f;
    const int score = wholeOf(raw);
    return score > 99 ? 100 : score;
}

LevelFigures levelFigures(const ExerciseResults& results, int first) {
    LevelFigures f;
    f.first = first;
    double speedSum = 0;
    int scoreSum = 0;
    for (int i = 0; i < 5; ++i) {
        const int n = first + i;
        const float speed = n >= 1 && n <= 15 ? results.sentenceSpeeds[size_t(n)] : 0.f;
        f.kpm[size_t(i)] = qRound(double(speed) * 60);
        f.scores[size_t(i)] = resultsScore(speed, results.scoreFactor);
        speedSum += speed;
        scoreSum += f.scores[size_t(i)];
    }
    f.averageSpeed = float(speedSum / 5);
    f.averageKpm = qRound(double(f.averageSpeed) * 60);
    f.averageScore = int(std::nearbyint(scoreSum / 5.0));  // halves to even
    f.symbol = ratingSymbolIndex(f.averageScore);
    return f;
}

int ratingSymbolIndex(int score) {
    if (score <= 20) return 0;
    if (score <= 40) return 1;
    if (score <= 60) return 2;
    if (score <= 80) return 3;
    return 4;
}

int ratingWordIndex(int errorCount, int correctCount, bool expertMode) {
    // Without a correct keystroke there is no ratio: no errors is the best
    // word, errors alone the worst.
    if (correctCount <= 0) return errorCount > 0 ? 3 : 0;
    const double r = errorCount * 100.0 / correctCount;
    const double t1 = expertMode ? 0.5 : 2, t2 = expertMode ? 0.75 : 3, t3 = expertMode ? 1.0 : 4;
    if (r <= t1) return 0;
    if (r <= t2) return 1;
    if (r <= t3) return 2;
    return 3;
}

QString closingMessage(const QStringList& texts, int reason, int currentLevel) {
    auto t = [&texts](int i) { return i < texts.size() ? texts[i] : QString(); };
    if (reason == 1)
        return t(21) + QLatin1Char(' ') + QString::number(currentLevel) + QStringLiteral(".\n\n") +
               t(22) + QLatin1Char('\n') + t(24);
    if (reason == 2) return t(25) + QStringLiteral("\n\n") + t(26) + QLatin1Char('\n') + t(27);
    return {};
}

}  // namespace tastolino
