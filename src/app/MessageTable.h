// The built-in Italian interface texts of the main window: the 43-slot
// message table, the two praise lists and the few loose texts that are set
// together with them. A language file may later replace the slots; callers
// keep their own copy (frmTastomat::messages) so that replacing is local.
#pragma once

#include <QString>
#include <QStringList>

namespace tastolino {

inline constexpr int kMessageCount = 43;

// Slots 0..42, Italian.
const QStringList& defaultMessages();

// Seven words each, used for sentences scoring 41 points or more.
const QStringList& defaultPraiseGood();
const QStringList& defaultPraiseGreat();

QString defaultWarningTitle();     // "Attenzione!"
QString defaultPerMinuteText();    // "al minuto"
QString defaultHelpMissingText();  // "Impossibile trovare il file della guida"

}  // namespace tastolino
