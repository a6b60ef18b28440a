#include "stats/FingerMap.h"

#include "keyboard/CharKeyMap.h"

namespace tastolino {
namespace {

constexpr int kKeys = 63;
constexpr int kSpaceBar = 35;
// Keys with no shifted character to tell their hand: Enter (both parts)
// and the acute dead key lie at the right edge.
constexpr int kRightEdgeKeys[] = {48, 62, 51};

std::array<Hand, kKeys> handsFromMap() {
    std::array<Hand, kKeys> hands{};
    for (const CharKeyEntry& e : CharKeyMap()) {
        if (e.KeyNumber < 0 || e.KeyNumber >= kKeys) continue;
        // The Shift of the other hand: the right Shift marks a left-hand key.
        if (e.ShiftState == ShiftRight) hands[size_t(e.KeyNumber)] = Hand::Left;
        if (e.ShiftState == ShiftLeft) hands[size_t(e.KeyNumber)] = Hand::Right;
    }
    for (int key : kRightEdgeKeys) hands[size_t(key)] = Hand::Right;
    return hands;
}

}  // namespace

Hand handOfKey(int key) {
    static const std::array<Hand, kKeys> hands = handsFromMap();
    return key >= 0 && key < kKeys ? hands[size_t(key)] : Hand::None;
}

FingerMap::FingerMap(const std::function<FingerKind(int key)>& kindOfKey) {
    for (int key = 0; key < kKeys; ++key) {
        FingerId id = FingerId::None;
        const FingerKind kind = kindOfKey(key);
        const Hand hand = handOfKey(key);
        if (key == kSpaceBar || kind == FingerKind::Thumb) {
            id = FingerId::Thumbs;
        } else if (hand != Hand::None) {
            // Little..Index are 0..3 on the left, mirrored on the right.
            const int k = int(kind);
            id = FingerId(hand == Hand::Left ? k : 7 - k);
        }
        fingers_[size_t(key)] = id;
    }
}

FingerId FingerMap::ofKey(int key) const {
    return key >= 0 && key < kKeys ? fingers_[size_t(key)] : FingerId::None;
}

FingerId FingerMap::ofChar(char32_t ch) const {
    const int entry = FindCharEntryForUnicode(ch);
    return entry < 0 ? FingerId::None : ofKey(CharKeyMap()[size_t(entry)].KeyNumber);
}

}  // namespace tastolino
