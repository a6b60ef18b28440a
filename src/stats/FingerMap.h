// Which finger types a character: the key of the character comes from the
// character-to-key map, the finger of the key from the keyboard's own
// division (classic or ergonomic), which the caller passes in because it
// lives with the on-screen keyboard. The hand of a key follows from the map
// itself: capitals and shifted symbols take the Shift of the other hand.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace tastolino {

// The finger kinds of the keyboard's division.
enum class FingerKind { Little, Ring, Middle, Index, Thumb };

// Fingers counted apart, left hand to right hand. The space bar belongs to
// both thumbs, counted as one.
enum class FingerId : int8_t {
    None = -1,
    LeftLittle = 0,
    LeftRing,
    LeftMiddle,
    LeftIndex,
    RightIndex,
    RightMiddle,
    RightRing,
    RightLittle,
    Thumbs,
};
inline constexpr int kFingerIdCount = 9;

enum class Hand { None, Left, Right };

// The hand that types key `key` (0..62) on the German keyboard.
Hand handOfKey(int key);

class FingerMap {
  public:
    // `kindOfKey` gives the finger kind of a key number (0..62) in one
    // division, as the keyboard draws it.
    explicit FingerMap(const std::function<FingerKind(int key)>& kindOfKey);

    FingerId ofKey(int key) const;
    // The finger of the key that types `ch`; None for a character without a
    // key. A dead-key character counts for the finger of its letter key.
    FingerId ofChar(char32_t ch) const;

  private:
    std::array<FingerId, 63> fingers_{};
};

}  // namespace tastolino
