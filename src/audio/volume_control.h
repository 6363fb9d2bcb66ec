#pragma once

#include <optional>

namespace korvex {

// The system's master output volume as a value 0..65535 (65535 is 100 %), for the volume slider.
// This is the speakers' level, not the level of the program's own stream. An object is made for
// one use (find the output, read or write, drop it) and is used by one thread at a time: the
// user-interface thread. Implementations: the PulseAudio default sink (audio/pulse/), and an
// in-memory one for tests.
class VolumeControl {
public:
    virtual ~VolumeControl() = default;

    // Looks for the master output. False when there is no sound system or no output; read and
    // write then fail.
    virtual bool FindOutput() = 0;

    // The current volume, 0..65535; louder settings than 100 % read as 65535. None when the
    // volume cannot be read.
    virtual std::optional<unsigned> ReadVolume() = 0;

    // Sets every channel of the output to `volume` (0..65535). False when that failed.
    virtual bool WriteVolume(unsigned volume) = 0;
};

} // namespace korvex
