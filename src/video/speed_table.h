#pragma once

#include <array>

namespace korvex {

// What each speed state (0-11) does to the pictures: one table of twelve values read at two
// offsets. Entry s is the rate multiplier of state s; for the fast states 3-6, entry s + 4 is
// the share of each group of pictures that is decoded (1/2, 1/4, 1/8, 1/16).
inline constexpr std::array<double, 12> kSpeedTable = {1, 1,   2,    2,     2,      3,
                                                       4, 0.5, 0.25, 0.125, 0.0625, 1};

// Pictures per second = the packets' frame rate times this.
constexpr double RateMultiplier(int speed) {
    return speed >= 0 && speed < static_cast<int>(kSpeedTable.size())
               ? kSpeedTable[static_cast<size_t>(speed)]
               : 1.0;
}

// True for the fast states that decode only the start of each group.
constexpr bool SkipsGroupTails(int speed) {
    return speed >= 3 && speed <= 6;
}

// The share of each group decoded in a state that skips group tails.
constexpr double GroupShare(int speed) {
    return SkipsGroupTails(speed) ? kSpeedTable[static_cast<size_t>(speed + 4)] : 1.0;
}

} // namespace korvex
