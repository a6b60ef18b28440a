#include "exercise/MessageTable.h"

#include "settings/LanguageSupportMainTexts.h"

namespace tastolino {

namespace {

const MainWindowTexts& builtIn() {
    static const MainWindowTexts texts = BuiltInMainWindowTexts();
    return texts;
}

}  // namespace

const QStringList& defaultMessages() {
    return builtIn().messages;
}

const QStringList& defaultPraiseGood() {
    return builtIn().praiseGood;
}

const QStringList& defaultPraiseGreat() {
    return builtIn().praiseGreat;
}

}  // namespace tastolino
