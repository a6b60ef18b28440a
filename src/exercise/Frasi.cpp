#include "exercise/Frasi.h"

#include "platform/Seams.h"

#include <algorithm>

namespace tastolino {
namespace {

// Level 1: lower case, words, blanks and commas; Swiss spelling without ß.
// Level 2: one line, capitals and closing punctuation.
// Level 3: two lines exercising digits and symbols.
// Some odd forms are deliberate: learners type exactly what they see.
const char16_t* const kBank[kBankSize] = {
    // Level 1
    u"die kinder spielen im garten mit dem ball",
    u"der vater meiner freundin ist mechaniker",
    u"die wiese unseres garten verlangt grosse pflege",
    u"im winter fahren wir gern in die berge, um ski zu laufen",
    u"meine schwester liest jeden abend ein buch",
    u"am montag gehe ich früh zur schule",
    u"die katze schläft auf dem warmen sofa",
    u"wir essen heute suppe, brot und käse",
    u"der zug fährt pünktlich um acht uhr ab",
    u"beim bügeln hörte ich radio",
    u"die blumen im park sind bunt und schön",
    u"mein haus befindet sich am ende der strasse",
    u"im sommer gehen wir oft an den see, um zu schwimmen",
    u"die grossmutter erzählt uns gern alte märchen",
    u"heute abend kochen wir zusammen nudeln",
    // Level 2
    u"Am Wochenende besuchen wir unsere Großeltern auf dem Land.",
    u"Die Mutter ist zu Hause um das Mittagessen zu vorbereiten.",
    u"Meine Lieblingsgeschichte ist das Märchen von Scheewittchen.",
    u"Der Hund unserer Nachbarn wird von allen Bruno gennannt.",
    u"Zum Geburtstag habe ich eine digitalische Fotokammer bekommen!",
    u"Ich bringe mein Zimmer gern in Ordnung: ich hasse Unordnung!",
    u"Wir fahren morgen mit dem Fahrrad zum Fluss.",
    u"Der Lehrer erklärt die Übung sehr geduldig.",
    u"Vergiss nicht, die Blumen zu gießen!",
    u"Im Herbst fallen die bunten Blätter von den Bäumen.",
    u"Das Wetter ist heute schön: wir gehen spazieren.",
    u"Öffne bitte das Fenster, es ist zu warm hier!",
    u"Mein Freund spielt jeden Abend Gitarre.",
    u"Auf dem Markt kaufen wir frisches Obst und Gemüse.",
    u"Mir gefallen die Abenteuerbücher sehr.",
    // Level 3
    u"Der Preis ist um 20% gestiegen: früher 45 €, jetzt 54 €.\r\n"
    u"Das finde ich (wirklich) zu teuer!",
    u"Wenn du Fragen hast, schreib mir bitte eine E-Mail an:\r\n"
    u"anna.keller@beispiel.de",
    u"Weitere Informationen (Kurse, Preise) findest du auf unserer Webseite:\r\n"
    u"https://www.beispiel-schule.de",
    u"Das ist eine Addition: 35 + 75 = 110. Das ist eine Subtraktion: 47 - 29 = 18\r\n"
    u"Das Rechnen ist doch leicht, nicht wahr?",
    u"Unsere Telefonnummer ist 0711/123 456; die Hausnummer ist #17.\r\n"
    u"Ruf uns an (Montag bis Freitag)!",
    u"Er sagte: \"Ich komme um 18:30 Uhr.\" Sie antwortete: 'Gut!'\r\n"
    u"Wir warten also 2 Stunden; dann essen wir.",
    u"In Mengen schreibt man {1; 2; 3} und in Listen [4, 5, 6].\r\n"
    u"Der Schrägstrich \\ und der Strich | sind selten.",
    u"Das Symbol des Euros ist dies: €; das Symbols des Dollars ist dagegen dies: $;\r\n"
    u"Wusstest du es?",
    u"Eine Viertelstunde sind 15 Minuten, eine halbe Stunde sind 30 Minuten,\r\n"
    u"drei Viertelstunden sind 45 Minuten und eine Stunde sind 60 Minuten.",
    u"Die Rechnung: 3 * 4 = 12 und 12 / 4 = 3; das ist einfach.\r\n"
    u"Ungefähr ~50 Schüler haben 100% richtig!",
    u"Am 24.12.2023 feiern wir Weihnachten; am 31.12. Silvester.\r\n"
    u"Der 1. Januar ist ein Feiertag.",
    u"Das Zimmer kostet 89 $ pro Nacht (Frühstück inklusive).\r\n"
    u"Für 2 Nächte zahlen wir also 178 $.",
    u"Im Jahr 1989 fiel die Mauer; 30 Jahre später feierten wir.\r\n"
    u"\"Freiheit\" ist ein wichtiges Wort.",
    u"Das Passwort lautet: Sonne#2024 (nicht weitergeben!)\r\n"
    u"Die Fläche ist 5 m² groß, das Volumen 8 m³.",
    u"Mein Notebook hat 16 GB Speicher und kostet 799,99 €.\r\n"
    u"Das sind 20% weniger als im Vorjahr: super!",
};

}  // namespace

QString Frasi(int n) {
    if (n < 1 || n > kBankSize) return {};
    return QString::fromUtf16(kBank[n - 1]);
}

int levelOfSentence(int sentenceNo) {
    if (sentenceNo <= 5) return 1;
    if (sentenceNo <= 10) return 2;
    return 3;
}

QString DrawSentence(int sentenceNo, UsedSentences& used, const QString& exerciseFile,
                     const EntryReader& readEntry) {
    const int s = std::clamp(sentenceNo, 1, 15);
    const int level = levelOfSentence(s);
    const int last = 15 * level;

    auto isUsed = [&](int r) {
        return std::any_of(used.begin() + 1, used.end(), [r](int16_t v) { return v == r; });
    };
    int r = 0;
    // Each level draws only five of its fifteen numbers per exercise, so a
    // free number always exists; the bound only guards against a list that
    // was not cleared between exercises.
    for (int tries = 0; tries < 10000; ++tries) {
        r = static_cast<int>(seams::randomUnit() * 15 + last - 14);
        if (!isUsed(r)) break;
    }
    used[s] = static_cast<int16_t>(r);

    if (exerciseFile.isEmpty() || !readEntry) return Frasi(r);

    int key;
    if (!readEntry(exerciseFile, level, 6).isEmpty())
        key = r - (15 * level - 15);
    else
        key = s - (5 * level - 5);
    QString text = readEntry(exerciseFile, level, key);
    return text.isEmpty() ? Frasi(r) : text;
}

}  // namespace tastolino
