#pragma once

#include "engine/locked_packet_buffer.h"

namespace korvex {

// The audio packet buffer: the room rule and the flow of every packet buffer, and a packet is
// dropped when more than the packet limit of records are already in the list (one more than
// the limit is possible, as with a producer released by Close).
class CABuffer2 final : public LockedPacketBuffer {
public:
    static constexpr int kPacketLimit = 15;

    explicit CABuffer2(int packet_limit = kPacketLimit) : LockedPacketBuffer(packet_limit) {}

protected:
    void Admit(PacketRecord& record) override;
    void HandedOut(const PacketRecord&) override {}
    void Flushed() override {}
};

} // namespace korvex
