#pragma once

#include "audio/volume_control.h"

namespace korvex {

// A volume control held in memory, for tests: an output that exists or not, and its volume.
class MemoryVolume final : public VolumeControl {
public:
    bool present = true;
    unsigned volume = 0;

    bool FindOutput() override { return present; }
    std::optional<unsigned> ReadVolume() override {
        return present ? std::optional<unsigned>(volume) : std::nullopt;
    }
    bool WriteVolume(unsigned value) override {
        if (present) {
            volume = value;
        }
        return present;
    }
};

} // namespace korvex
