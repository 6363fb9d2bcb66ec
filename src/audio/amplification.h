#pragma once

#include <cstdint>
#include <span>

namespace korvex {

// The configured amplification of the program's own sound: 1..10 for 100 %..1000 %.
inline constexpr int kMinAmplification = 1;
inline constexpr int kMaxAmplification = 10;

// Multiplies every sample by `factor`, clipping to the 16-bit range. A factor outside 1..10 (a
// damaged configuration) is taken as the nearest bound, so the product always fits in 32 bits.
void Amplify(std::span<int16_t> samples, int factor);

} // namespace korvex
