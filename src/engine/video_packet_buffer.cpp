#include "engine/video_packet_buffer.h"

namespace korvex {

void CVBuffer2::SetChainState(int state) {
    Scope lock(*this);
    chain_state_ = state;
}

int CVBuffer2::ChainState() const {
    Scope lock(*this);
    return chain_state_;
}

void CVBuffer2::BreakChain() {
    Scope lock(*this);
    if (chain_state_ > 0) {
        chain_state_ = 0;
    }
}

void CVBuffer2::Admit(PacketRecord& record) {
    bool accepted = false;
    record.after_flush = flushed_;
    if (record.type == kKeyPicture) {
        accepted = chain_state_ >= 0 && CBuffer::Count() < PacketLimit() && CBuffer::Put(record);
        if (accepted) {
            ++chain_state_;
        }
    } else if (record.type == kOtherPicture) {
        // One more record than for a key picture, so that a chain can finish its group.
        accepted = chain_state_ > 0 && CBuffer::Count() <= PacketLimit() && CBuffer::Put(record);
    } else {
        return; // not a picture: never queued, and no effect on the chain
    }
    if (accepted) {
        flushed_ = false;
    } else if (chain_state_ > 0) {
        chain_state_ = 0; // the chain is broken
    }
}

void CVBuffer2::HandedOut(const PacketRecord& record) {
    if (record.type == kKeyPicture && chain_state_ > 1) {
        --chain_state_;
    }
}

void CVBuffer2::Flushed() {
    chain_state_ = chain_state_ >= 0 ? 0 : -1;
    flushed_ = true;
}

} // namespace korvex
