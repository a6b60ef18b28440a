#include "settings/LanguageSupportMainTexts.h"

#include "settings/LanguageSupport.h"

namespace tastolino {

namespace {

constexpr const char* kMessageIds[43] = {
    "0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008", "0009", "0010", "0011",
    "0137", "0013", "0014", "0019", "0020", "1002", "0021", "0022", "0023", "0024", "0025",
    "0026", "0029", "0030", "0015", "0016", "0017", "0018", "0027", "0028", "1011", "0117",
    "0118", "0119", "0137", "0120", "0121", "0122", "0123", "0124", "0125", "0126"};

QString id(const char* text) {
    return QString::fromLatin1(text);
}

void replace(QString& target, const char* identifier) {
    target = LangStringOr(id(identifier), target);
}

// A list of seven words under consecutive identifiers.
void replaceList(QStringList& list, int firstId) {
    while (list.size() < 7) list.append(QString());
    for (int i = 0; i < 7; ++i)
        list[i] =
            LangStringOr(QStringLiteral("%1").arg(firstId + i, 4, 10, QLatin1Char('0')), list[i]);
}

}  // namespace

QString MessageIdentifier(int slot) {
    return slot >= 0 && slot < 43 ? id(kMessageIds[slot]) : QString();
}

void ApplyLanguageFile(MainWindowTexts& t) {
    while (t.messages.size() < 43) t.messages.append(QString());
    for (int slot = 0; slot < 43; ++slot) {
        const QString text = GetLangString(MessageIdentifier(slot));
        if (text.isEmpty()) continue;
        // A language file cannot hold blanks at either end or a line break,
        // so these two slots get theirs here.
        if (slot == 12)
            t.messages[slot] = text + QStringLiteral(" <Enter>");
        else if (slot == 13)
            t.messages[slot] = QLatin1Char('\n') + text;
        else
            t.messages[slot] = text;
    }
    replaceList(t.praiseGreat, 48);
    replaceList(t.praiseGood, 55);
    replace(t.perMinuteText, "0116");
    replace(t.warningTitle, "0062");
    replace(t.helpMissingText, "0065");

    static const char* const sourceIds[5] = {"0001", "0064", "0063", "0126", "0306"};
    for (size_t i = 0; i < t.sourceCaptions.size(); ++i) replace(t.sourceCaptions[i], sourceIds[i]);
    replace(t.levelCaptions[0], "0027");
    replace(t.levelCaptions[1], "0028");

    for (size_t i = 0; i < 7; ++i)
        t.menuTips[i] = LangStringOr(QStringLiteral("%1").arg(35 + int(i), 4, 10, QLatin1Char('0')),
                                     t.menuTips[i]);
    t.menuTips[7] = QStringLiteral("NUOVO");
    replace(t.counterTips[0], "0042");
    replace(t.counterTips[1], "0043");
    replace(t.smileTip, "0208");
    replace(t.sentenceNumberTip, "0044");
    replace(t.averageTips[0], "0045");
    replace(t.averageTips[1], "0046");
    replace(t.averageTips[2], "0047");
    replace(t.fingerIconTip, "0031");
    replace(t.keyMapTip, "0032");
    replace(t.flatSwitchTip, "0151");
}

}  // namespace tastolino
