#include "engine/audio_packet_buffer.h"

namespace korvex {

void CABuffer2::Admit(PacketRecord& record) {
    if (CBuffer::Count() <= PacketLimit()) {
        CBuffer::Put(record);
    }
}

} // namespace korvex
