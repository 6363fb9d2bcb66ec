#include "audio/mixer.h"

#include <algorithm>

namespace korvex {

CMixer::CMixer(VolumeControl& control) : control_(control), ready_(control.FindOutput()) {}

unsigned CMixer::GetVolume() {
    return ready_ ? control_.ReadVolume().value_or(0) : 0;
}

void CMixer::SetVolume(unsigned value) {
    if (ready_) {
        control_.WriteVolume(std::min(value, 65535u));
    }
}

} // namespace korvex
