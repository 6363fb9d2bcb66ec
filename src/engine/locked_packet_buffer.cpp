#include "engine/locked_packet_buffer.h"

namespace korvex {

void LockedPacketBuffer::Rewind(PacketRecord* record) {
    Scope lock(*this);
    CBuffer::Rewind(record);
    Flushed();
}

void LockedPacketBuffer::Clear() {
    bool room = false;
    {
        Scope lock(*this);
        CBuffer::Clear();
        Flushed();
        room = CBuffer::HasRoom();
    }
    WakeProducerIfRoom(room);
}

bool LockedPacketBuffer::Put(PacketRecord& record) {
    {
        Scope lock(*this);
        Admit(record);
    }
    packet_event_.Set();
    record.type = kNoPacket;
    record.size = 0;
    // Every wake-up is followed by a fresh look, so a wake-up meant for an earlier state costs
    // one more round and nothing else.
    while (IsFull()) {
        wake_event().Wait();
    }
    return IsOpen();
}

bool LockedPacketBuffer::Get(PacketRecord& record) {
    bool got = false;
    bool room = false;
    {
        Scope lock(*this);
        got = CBuffer::Get(record);
        if (got) {
            HandedOut(record);
        }
        room = CBuffer::HasRoom();
    }
    WakeProducerIfRoom(room);
    return got;
}

void LockedPacketBuffer::WakeProducerIfRoom(bool room) {
    if (room) {
        wake_event().Set();
    }
}

int LockedPacketBuffer::Count() const {
    Scope lock(*this);
    return CBuffer::Count();
}

bool LockedPacketBuffer::IsFull() const {
    Scope lock(*this);
    return CBuffer::IsFull();
}

bool LockedPacketBuffer::HasRoom() const {
    Scope lock(*this);
    return CBuffer::HasRoom();
}

PacketOrigin LockedPacketBuffer::FirstDataOrigin() const {
    Scope lock(*this);
    return CBuffer::FirstDataOrigin();
}

int LockedPacketBuffer::FirstDataPosition() const {
    Scope lock(*this);
    return CBuffer::FirstDataPosition();
}

} // namespace korvex
