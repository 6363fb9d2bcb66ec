#pragma once

#include "audio/sound_driver.h"

namespace korvex {

// No sound output: there is never a device, so the audio worker runs silently and discards its
// packets. For runs that want no sound (korvex-cli, tests of other parts).
class NullSoundDriver final : public SoundDriver {
public:
    bool Open(SoundLoop&) override { return false; }
    bool Start() override { return false; }
    void Close() override {}
    bool IsLost() const override { return false; }
};

} // namespace korvex
