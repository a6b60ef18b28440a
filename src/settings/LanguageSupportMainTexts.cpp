#include "settings/LanguageSupportMainTexts.h"

#include "settings/InterfaceTexts.h"
#include "settings/LanguageSupport.h"

#include <functional>

namespace tastolino {

namespace {

// A message slot: its identifier and how the text stands in the slot, built
// in and from a language file ("%1" is the text). A language file cannot
// hold blanks at either end or a line break, so the slots that need one
// get it here.
struct Slot {
    const char* id;
    const char* builtIn;
    const char* withFile;
};
constexpr Slot kSlots[43] = {
    {"0001", "- %1 ", "%1"},
    {"0002", "%1", "%1"},
    {"0003", "%1 ", "%1"},
    {"0004", "%1 ", "%1"},
    {"0005", "%1", "%1"},
    {"0006", "%1", "%1"},
    {"0007", "%1 ", "%1"},
    {"0008", "%1", "%1"},
    {"0009", "%1", "%1"},
    {"0010", "%1", "%1"},
    {"0011", "%1", "%1"},
    {"0137", "%1", "%1"},
    {"0013", "%1 < Enter> ", "%1 <Enter>"},
    {"0014", "\n%1", "\n%1"},
    {"0019", "%1", "%1"},
    {"0020", "%1", "%1"},
    {"1002", "%1", "%1"},
    {"0021", "%1", "%1"},
    {"0022", "%1", "%1"},
    {"0023", "%1", "%1"},
    {"0024", "%1", "%1"},
    {"0025", "%1", "%1"},
    {"0026", "%1", "%1"},
    // The program's name follows at once ("... di Tastolino?").
    {"0029", "%1 ", "%1 "},
    {"0030", "%1", "%1"},
    {"0015", "%1", "%1"},
    {"0016", "%1", "%1"},
    {"0017", "%1", "%1"},
    {"0018", "%1", "%1"},
    {"0027", "%1", "%1"},
    {"0028", "%1", "%1"},
    {"1011", "%1", "%1"},
    {"0117", "%1", "%1"},
    {"0118", "%1", "%1"},
    {"0119", "%1", "%1"},
    {"0137", "%1", "%1"},
    {"0120", "%1", "%1"},
    {"0121", "%1", "%1"},
    {"0122", "%1", "%1"},
    {"0123", "%1", "%1"},
    {"0124", "%1", "%1"},
    {"0125", "%1", "%1"},
    {"0126", "%1", "%1"},
};

constexpr const char* kBalloonIds[9] = {"0034", "0170", "0171", "0172", "0173",
                                        "0174", "0176", "0175", "0177"};

QString id(const char* text) {
    return QString::fromLatin1(text);
}

QString numbered(int n) {
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

// Every text of the window, each fetched with `text`.
MainWindowTexts collect(const std::function<QString(const QString&)>& text) {
    MainWindowTexts t;
    for (int i = 0; i < 7; ++i) {
        t.praiseGreat << text(numbered(48 + i));
        t.praiseGood << text(numbered(55 + i));
    }
    t.warningTitle = text(id("0062"));
    t.perMinuteText = text(id("0116"));
    t.helpMissingText = text(id("0065"));
    static const char* const sources[5] = {"0001", "0064", "0063", "0126", "0306"};
    for (size_t i = 0; i < t.sourceCaptions.size(); ++i) t.sourceCaptions[i] = text(id(sources[i]));
    t.levelCaptions = {text(id("0027")), text(id("0028"))};
    for (int i = 0; i < 7; ++i) t.menuTips[size_t(i)] = text(numbered(35 + i));
    t.menuTips[8] = text(id("9136"));
    t.counterTips = {text(id("0042")), text(id("0043"))};
    t.smileTip = text(id("0208"));
    t.sentenceNumberTip = text(id("0044"));
    for (int i = 0; i < 3; ++i) t.averageTips[size_t(i)] = text(numbered(45 + i));
    t.keyMapTip = text(id("0032"));
    t.flatSwitchTip = text(id("0151"));
    t.startTip = text(id("9026"));
    for (int i = 0; i < 6; ++i) t.bottomCaptions[size_t(i)] = text(numbered(9020 + i));
    for (int i = 0; i < 7; ++i) t.keyMapCaptions[size_t(i)] = text(numbered(9030 + i));
    t.fileWord = text(id("9028"));
    t.bookmarkFailed = text(id("9029"));
    t.keyboardPrintAuthor = text(id("9046"));
    for (int i = 0; i < 4; ++i) t.buttons[size_t(i)] = text(numbered(9003 + i));
    return t;
}

}  // namespace

QString MessageIdentifier(int slot) {
    return slot >= 0 && slot < 43 ? id(kSlots[slot].id) : QString();
}

MainWindowTexts BuiltInMainWindowTexts() {
    MainWindowTexts t = collect([](const QString& i) { return ItalianText(i); });
    for (const Slot& slot : kSlots)
        t.messages << PlacedLangString(false, id(slot.id), slot.builtIn, slot.withFile);
    // Menu item 7 and the finger icons have no tooltip of their own.
    return t;
}

MainWindowTexts LanguageFileMainWindowTexts() {
    MainWindowTexts t = collect([](const QString& i) { return GetLangString(i); });
    for (const Slot& slot : kSlots)
        t.messages << PlacedLangString(true, id(slot.id), slot.builtIn, slot.withFile);
    t.menuTips[7] = GetLangString(id("9027"));
    t.fingerIconTip = GetLangString(id("0031"));
    return t;
}

std::array<QString, 9> BalloonTipTexts(bool fromFile) {
    std::array<QString, 9> texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = fromFile ? GetLangString(id(kBalloonIds[i])) : ItalianText(id(kBalloonIds[i]));
    return texts;
}

}  // namespace tastolino
