#pragma once

#include "engine/locked_packet_buffer.h"

namespace korvex {

// The video packet buffer. Pictures are queued only as chains that start with a key picture:
// once a picture cannot be queued, every following non-key picture is dropped until a key
// picture is accepted, so the decoder never gets a picture whose references were dropped.
//
// The first picture queued after a flush (Rewind or Clear) is marked as such (after_flush), so
// that the decoder forgets what it holds from before.
//
// Chain state: -1 blocked (after construction: nothing is accepted), 0 waiting for a key
// picture, n > 0 a chain is open and about n key pictures are queued. The channel sets it to 0
// before every Open.
class CVBuffer2 final : public LockedPacketBuffer {
public:
    static constexpr int kPacketLimit = 30;

    explicit CVBuffer2(int packet_limit = kPacketLimit) : LockedPacketBuffer(packet_limit) {}

    void SetChainState(int state);
    int ChainState() const;
    // A picture the producer leaves out breaks an open chain, as one this buffer refuses does.
    void BreakChain();

protected:
    void Admit(PacketRecord& record) override;
    void HandedOut(const PacketRecord& record) override;
    void Flushed() override;

private:
    int chain_state_ = -1; // under the lock
    bool flushed_ = false; // under the lock: nothing queued since the last flush
};

} // namespace korvex
