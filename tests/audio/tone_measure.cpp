#include "tone_measure.h"

#include <cmath>
#include <cstdlib>

namespace korvex::test {

ToneMeasure MeasureTone(std::span<const int16_t> samples, int threshold) {
    std::size_t first = 0;
    while (first < samples.size() && std::abs(samples[first]) <= threshold) {
        ++first;
    }
    std::size_t end = samples.size();
    while (end > first && std::abs(samples[end - 1]) <= threshold) {
        --end;
    }
    ToneMeasure measure;
    measure.samples = end - first;
    const std::size_t trim = measure.samples / 10;
    const std::span<const int16_t> part = samples.subspan(first + trim, measure.samples - 2 * trim);
    if (part.size() < 2) {
        return measure;
    }
    double energy = 0;
    int rising = 0;
    for (std::size_t i = 0; i < part.size(); ++i) {
        energy += static_cast<double>(part[i]) * part[i];
        rising += i > 0 && part[i - 1] < 0 && part[i] >= 0;
    }
    measure.rms = std::sqrt(energy / static_cast<double>(part.size()));
    measure.hz = rising * 48000.0 / static_cast<double>(part.size());
    return measure;
}

} // namespace korvex::test
