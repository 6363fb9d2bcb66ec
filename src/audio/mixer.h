#pragma once

#include "audio/volume_control.h"

namespace korvex {

// The system volume as the play-control panel uses it: made on the stack over a volume control,
// asked for the volume or told a new one, then dropped. User-interface thread only. Nothing is
// reported: without an output the mixer reads 0 and ignores writes.
class CMixer {
public:
    // Looks for the master output; the mixer is ready when it was found.
    explicit CMixer(VolumeControl& control);
    virtual ~CMixer() = default;
    CMixer(const CMixer&) = delete;
    CMixer& operator=(const CMixer&) = delete;

    bool IsReady() const { return ready_; }

    // 0..65535; 0 when not ready or the volume cannot be read.
    unsigned GetVolume();

    // Sets all channels; values above 65535 are taken as 65535. Ignored when not ready.
    void SetVolume(unsigned value);

private:
    VolumeControl& control_;
    bool ready_;
};

} // namespace korvex
