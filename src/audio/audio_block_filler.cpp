#include "audio/audio_block_filler.h"

#include "audio/amplification.h"
#include "engine/audio_packet_buffer.h"
#include "engine/play_state.h"

#include <algorithm>

namespace korvex {

AudioBlockFiller::AudioBlockFiller(CABuffer2& packets, const PlayState& play_state,
                                   const std::atomic<bool>& hold,
                                   const std::atomic<int>& amplification)
    : packets_(packets), play_state_(play_state), hold_(hold), amplification_(amplification) {}

bool AudioBlockFiller::TakePacket() {
    if (current_.empty()) {
        PacketRecord record;
        if (hold_.load() || !packets_.Get(record)) {
            return false;
        }
        current_ = {record.data, static_cast<std::size_t>(std::max(record.size, 0))};
    }
    return true;
}

void AudioBlockFiller::Fill(std::span<std::uint8_t> block,
                            const std::function<bool()>& keep_going) {
    std::fill(block.begin(), block.end(), 0);
    std::size_t written = 0;
    while (written < block.size() && keep_going()) {
        // A packet taken while the speed is not normal is dropped unplayed.
        if (!TakePacket() || !play_state_.IsNormalSpeed()) {
            current_ = {};
            return;
        }
        const AacDecoder::Result result = decoder_.Decode(current_);
        if (result.consumed <= 0) {
            current_ = {}; // rejected: go on with the next packet
            continue;
        }
        current_ = current_.subspan(static_cast<std::size_t>(result.consumed));
        Amplify(result.samples, amplification_.load());
        const std::size_t fit = std::min(result.samples.size(), (block.size() - written) / 2);
        for (std::size_t i = 0; i < fit; ++i) {
            const auto sample = static_cast<std::uint16_t>(result.samples[i]);
            block[written + 2 * i] = static_cast<std::uint8_t>(sample & 0xFF);
            block[written + 2 * i + 1] = static_cast<std::uint8_t>(sample >> 8);
        }
        written += 2 * result.samples.size(); // what did not fit is dropped, and the block is full
    }
}

void AudioBlockFiller::DiscardPackets() {
    ForgetPacket();
    PacketRecord record;
    while (packets_.Get(record)) {
    }
}

} // namespace korvex
