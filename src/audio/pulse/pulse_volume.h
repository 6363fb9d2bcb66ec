#pragma once

#include "audio/pulse/pulse_connection.h"
#include "audio/volume_control.h"

#include <string>

namespace korvex::pulse {

// The volume of the PulseAudio server's default sink, 65535 standing for 100 %. The sink is
// looked up once, by FindOutput; the connection lasts as long as the object. One thread at a
// time, as VolumeControl says.
class PulseVolume final : public VolumeControl {
public:
    bool FindOutput() override;
    std::optional<unsigned> ReadVolume() override;
    bool WriteVolume(unsigned volume) override;

private:
    PulseConnection connection_;
    bool connected_ = false;
    std::string sink_;
    int channels_ = 0;
};

} // namespace korvex::pulse
