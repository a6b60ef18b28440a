#include "statswindow/KeyHeat.h"

#include "keyboard/CharKeyMap.h"
#include "settings/InterfaceTexts.h"

#include <QLocale>

#include <algorithm>
#include <map>

namespace tastolino {

QString windowText(const char* id, const TextLookup& lookup) {
    const QString key = QString::fromLatin1(id);
    QString text = lookup ? lookup(key) : QString();
    return text.isEmpty() ? ItalianText(key) : text;
}

int heatKeyOf(char32_t ch) {
    const int entry = FindCharEntryForUnicode(ch);
    return entry < 0 ? -1 : CharKeyMap()[size_t(entry)].KeyNumber;
}

KeyboardHeat keyboardHeat(const std::vector<CharacterStats>& characters) {
    KeyboardHeat heat{};
    std::array<std::map<char32_t, int>, kHeatKeyCount> instead;
    for (const CharacterStats& c : characters) {
        const int key = heatKeyOf(c.character);
        if (key < 0 || key >= kHeatKeyCount) continue;
        KeyHeat& h = heat[size_t(key)];
        h.keystrokes += c.keystrokes;
        h.errors += c.errors;
        for (const auto& [typed, count] : c.typedInstead) instead[size_t(key)][typed] += count;
    }
    for (int k = 0; k < kHeatKeyCount; ++k) {
        auto& list = heat[size_t(k)].typedInstead;
        list.assign(instead[size_t(k)].begin(), instead[size_t(k)].end());
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
    }
    return heat;
}

QColor heatColour(double errorRate) {
    const double t = std::clamp(errorRate / kHeatFullRate, 0.0, 1.0);
    // Green (60, 190, 75) to yellow (245, 215, 60) to red (225, 60, 50).
    const auto mix = [](int a, int b, double f) { return int(a + (b - a) * f + 0.5); };
    if (t <= 0.5) {
        const double f = t * 2;
        return QColor(mix(60, 245, f), mix(190, 215, f), mix(75, 60, f));
    }
    const double f = (t - 0.5) * 2;
    return QColor(mix(245, 225, f), mix(215, 60, f), mix(60, 50, f));
}

QColor heatColour(const KeyHeat& heat) {
    return heat.enoughData() ? heatColour(heat.errorRate()) : QColor(200, 200, 200);
}

QString characterLabel(char32_t ch, const TextLookup& lookup) {
    if (ch == U'\r') return windowText("9147", lookup);
    if (ch == U' ') return windowText("9148", lookup);
    return QString::fromUcs4(&ch, 1);
}

QString percentText(double rate) {
    return QLocale().toString(rate * 100, 'f', 1) + QStringLiteral(" %");
}

QString heatToolTip(const KeyHeat& heat, const TextLookup& lookup) {
    if (heat.keystrokes == 0) return {};
    QStringList lines;
    lines << windowText("9131", lookup).arg(heat.keystrokes);
    if (!heat.enoughData()) {
        lines << windowText("9132", lookup).arg(heat.errors).arg(QStringLiteral("-"));
        lines << windowText("9134", lookup);
    } else {
        lines << windowText("9132", lookup).arg(heat.errors).arg(percentText(heat.errorRate()));
    }
    QStringList instead;
    for (size_t i = 0; i < heat.typedInstead.size() && i < 3; ++i)
        instead << QStringLiteral("%1 (%2)")
                       .arg(characterLabel(heat.typedInstead[i].first, lookup))
                       .arg(heat.typedInstead[i].second);
    if (!instead.isEmpty())
        lines << windowText("9133", lookup).arg(instead.join(QStringLiteral(", ")));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tastolino
