#include "audio/amplification.h"

#include <algorithm>

namespace korvex {

void Amplify(std::span<int16_t> samples, int factor) {
    const int32_t k = std::clamp(factor, kMinAmplification, kMaxAmplification);
    if (k == 1) {
        return;
    }
    for (int16_t& sample : samples) {
        sample = static_cast<int16_t>(std::clamp<int32_t>(sample * k, -32768, 32767));
    }
}

} // namespace korvex
