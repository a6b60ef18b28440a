// What the keys of one sentence (or one free text) were: for each expected
// character how often it was typed right, and for each wrong key which
// character came instead. The exercise engine fills it while the sentence
// is typed, so a keystroke costs one counter increment; the finished tally
// goes into the sentence's record.
//
// Characters are Unicode code points as the engine sees them: Enter is the
// carriage return (13), a dead-key character arrives composed ("é"), an
// AltGr symbol as itself ("€").
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tastolino {

// One row of a tally: `typed` equals `expected` for the right keystrokes.
struct KeyCount {
    char32_t expected = 0;
    char32_t typed = 0;
    int count = 0;
    bool operator==(const KeyCount&) const = default;
};

class KeystrokeTally {
  public:
    KeystrokeTally();

    // A keystroke that typed the expected character.
    void right(char32_t expected) {
        if (expected < kDirect)
            ++rightByChar_[expected];
        else
            addOther(expected, expected);
        ++rightTotal_;
    }
    // A keystroke that typed `typed` where `expected` was due.
    void wrong(char32_t expected, char32_t typed) {
        addOther(expected, typed);
        ++wrongTotal_;
    }

    // Empties the tally for the next sentence (keeps its memory).
    void clear();

    int rightTotal() const { return rightTotal_; }
    int wrongTotal() const { return wrongTotal_; }
    bool empty() const { return rightTotal_ == 0 && wrongTotal_ == 0; }

    // The rows, sorted by expected and then typed character.
    std::vector<KeyCount> counts() const;

  private:
    // Characters below this code (Latin-1, which holds almost everything a
    // German text asks for) are counted in a table; the rest and all wrong
    // keys, which are few, in a short list.
    static constexpr char32_t kDirect = 256;

    void addOther(char32_t expected, char32_t typed);

    std::array<int, kDirect> rightByChar_{};
    std::vector<KeyCount> other_;
    int rightTotal_ = 0;
    int wrongTotal_ = 0;
};

}  // namespace tastolino
