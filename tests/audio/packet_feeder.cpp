#include "packet_feeder.h"

#include "engine/audio_packet_buffer.h"

#include <algorithm>
#include <chrono>

namespace korvex::test {

PacketFeeder::PacketFeeder(CABuffer2& buffer, std::vector<std::vector<std::uint8_t>> packets,
                           bool repeat)
    : buffer_(buffer), packets_(std::move(packets)), repeat_(repeat), thread_([this] { Run(); }) {}

PacketFeeder::~PacketFeeder() {
    buffer_.Close();
    thread_.join();
}

bool PacketFeeder::IsIdle() const {
    return IsDone() || buffer_.IsProducerWaiting();
}

void PacketFeeder::AwaitIdle() const {
    while (!IsIdle()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void PacketFeeder::Run() {
    PacketRecord record;
    buffer_.Rewind(&record);
    bool open = true;
    do {
        for (std::size_t i = 0; open && i < packets_.size(); ++i) {
            std::copy(packets_[i].begin(), packets_[i].end(), record.data);
            record.size = static_cast<int>(packets_[i].size());
            record.type = kAudioFrame;
            open = buffer_.Put(record);
            ++put_;
        }
    } while (open && repeat_);
    done_ = true;
}

} // namespace korvex::test
