#pragma once

#include "engine/light_lock.h"
#include "engine/packet_buffer.h"

namespace korvex {

// What the video and the audio buffer share: every operation of CBuffer under the buffer's
// light_lock, the producer's wait for room after a Put and its wake-up after a Get, and the
// consumer's wake-up after a Put (its packet event), so neither side polls. The lock is never
// held while waiting, and an event is set only after the lock is left.
//
// Threads: Put and Rewind belong to the producer, Get to the consumer; Clear may come from the
// producer (a flush) or the user-interface thread (a change of direction); Close and the queries
// from any thread. Open only while neither thread uses the buffer.
class LockedPacketBuffer : public CBuffer, public light_lock {
public:
    using CBuffer::CBuffer;

    void Rewind(PacketRecord* record) override;
    // Also wakes a waiting producer, which may now have room.
    void Clear() override;
    // Commits the packet if this buffer's acceptance rule (Admit) lets it in, then record.type
    // and record.size := 0 and waits while the buffer is full. Returns false once the buffer is
    // closed: the producer should stop.
    bool Put(PacketRecord& record) override;
    bool Get(PacketRecord& record) override;

    int Count() const override;
    bool IsFull() const override;
    bool HasRoom() const override;
    int FirstDataPosition() const override;
    PacketOrigin FirstDataOrigin() const override;

    // Set after every Put and by WakeConsumer: a consumer that found the buffer empty waits on
    // it. One consumer per buffer.
    AutoResetEvent& packet_event() { return packet_event_; }
    // Ends the consumer's wait for a packet, for its stop.
    void WakeConsumer() { packet_event_.Set(); }

protected:
    // Under the lock: decides whether the packet may go in and, if so, hands it to CBuffer::Put.
    virtual void Admit(PacketRecord& record) = 0;
    // Under the lock, after Get handed out `record`.
    virtual void HandedOut(const PacketRecord& record) = 0;
    // Under the lock, after Rewind or Clear discarded the queued records.
    virtual void Flushed() = 0;

private:
    void WakeProducerIfRoom(bool room);

    AutoResetEvent packet_event_;
};

} // namespace korvex
