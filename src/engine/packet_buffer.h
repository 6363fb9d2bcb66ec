#pragma once

#include "engine/auto_reset_event.h"
#include "engine/packet_record.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>

// Packet buffers: how the reader hands packets to a decoding worker without copying them.
//
// Each buffer owns one contiguous byte area used as a ring, and a list of packet records that
// point into it. The producer (the stream reader, the only one) asks for a write position with
// Rewind, writes a packet of at most the maximum packet size M straight into the area there,
// and commits it with Put, which hands back the next write position in the same record. The
// consumer (the video or the audio worker) polls Get and reads the bytes where they lie; the
// packet it got last stays "held" (first in the list) until its next Get, so the room rule never
// lets the producer write over it.
//
// Room rule: a packet is accepted only if M bytes stay free at the next write position, before
// the end of the area or, after a wrap to the start, before the held packet; otherwise it is
// rejected and its position is reused for the next packet. The first packet into an empty list
// is entered twice: the first copy stands for the held packet and is dropped by the next Get.
//
// Flow: the producer blocks in Put while the buffer is full (too many records, or fewer than 3 M
// bytes beyond the queued ones); the consumer never blocks and wakes the producer when a Get
// leaves room. Close releases a waiting producer for good. The video buffer also queues pictures
// only as chains that start with a key picture (engine/video_packet_buffer.h).
//
// CBuffer is the ring and its rules without a lock; CVBuffer2 and CABuffer2 wrap every
// operation in the buffer's light_lock (engine/locked_packet_buffer.h).

namespace korvex {

enum class BufferMode : int {
    kClosed = 0,   // Put never waits (also the state before Open and after Close)
    kBlocking = 1, // Put waits while the buffer is full
};

class CBuffer {
public:
    explicit CBuffer(int packet_limit);
    virtual ~CBuffer(); // Close
    CBuffer(const CBuffer&) = delete;
    CBuffer& operator=(const CBuffer&) = delete;

    // Keeps (or grows to) an area of `area_size` bytes, empties the list and sets the mode.
    // False when the area cannot be allocated or the sizes cannot work (0 < 3 M < area size).
    // Only while no producer or consumer uses the buffer.
    virtual bool Open(int area_size, int max_packet_size, BufferMode mode);

    // Mode := closed and a waiting producer is released; later Puts do not wait. Any thread.
    virtual void Close();

    // Discards the queued records (the held one stays), and, when `record` is given, stores a
    // fresh write position in it and clears its other fields except the position.
    virtual void Rewind(PacketRecord* record);

    // Discards the queued records. The held packet stays protected, since the consumer may
    // still be reading it.
    virtual void Clear();

    // Commits the packet the producer wrote at record.data: true when the room rule accepted
    // it. Either way record.size := 0; when accepted record.data := the next write position.
    // A record outside the area, or larger than M, is rejected.
    virtual bool Put(PacketRecord& record);

    // Releases the held packet and hands out the next one (true), or empties the list (false).
    // After true the bytes stay valid until the next Get.
    virtual bool Get(PacketRecord& record);

    // Number of records in the list, the held one included.
    virtual int Count() const;
    // Blocking mode and (Count >= packet limit, or queued bytes + 3 M >= area size).
    virtual bool IsFull() const;
    // Blocking mode and Count < packet limit and queued bytes + 3 M < area size.
    virtual bool HasRoom() const;
    // The position field of the first record (held or queued); 0 when there is none.
    virtual int FirstDataPosition() const;

    int PacketLimit() const { return packet_limit_; }
    int MaxPacketSize() const { return max_packet_size_; }

    // True while a producer is blocked waiting for room (for tests).
    bool IsProducerWaiting() const { return wake_.HasWaiter(); }

protected:
    bool IsOpen() const { return mode_.load() != BufferMode::kClosed; }
    AutoResetEvent& wake_event() { return wake_; }

private:
    int OffsetOf(const std::uint8_t* pointer) const;       // -1 outside the area
    int NextWriteOffset(const PacketRecord& record) const; // -1: rejected
    void DropQueued();
    bool IsOverLimits() const;

    const int packet_limit_;
    AutoResetEvent wake_;
    std::atomic<BufferMode> mode_ = BufferMode::kClosed;
    std::unique_ptr<std::uint8_t[]> area_;
    int area_size_ = 0;
    int queued_bytes_ = 0; // the records behind the held one
    int max_packet_size_ = 0;
    std::deque<PacketRecord> records_;
};

} // namespace korvex
