// The built-in Italian interface texts of the main window that the exercise
// engine starts with: the 43-slot message table and the two praise lists.
// The main window replaces them by those of a language file; callers keep
// their own copy (frmTastomat::messages) so that replacing is local.
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

}  // namespace tastolino
