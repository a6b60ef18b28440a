#include "stats/KeystrokeTally.h"

#include <algorithm>
#include <tuple>

namespace tastolino {

KeystrokeTally::KeystrokeTally() {
    // Room for a sentence's wrong keys, so that typing never allocates.
    other_.reserve(64);
}

void KeystrokeTally::addOther(char32_t expected, char32_t typed) {
    for (KeyCount& k : other_)
        if (k.expected == expected && k.typed == typed) {
            ++k.count;
            return;
        }
    other_.push_back({expected, typed, 1});
}

void KeystrokeTally::clear() {
    if (rightTotal_ > 0) rightByChar_.fill(0);
    other_.clear();
    rightTotal_ = 0;
    wrongTotal_ = 0;
}

std::vector<KeyCount> KeystrokeTally::counts() const {
    std::vector<KeyCount> rows = other_;
    for (char32_t c = 0; c < kDirect; ++c)
        if (rightByChar_[c] > 0) rows.push_back({c, c, rightByChar_[c]});
    std::sort(rows.begin(), rows.end(), [](const KeyCount& a, const KeyCount& b) {
        return std::tie(a.expected, a.typed) < std::tie(b.expected, b.typed);
    });
    return rows;
}

}  // namespace tastolino
