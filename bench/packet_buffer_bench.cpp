// Packets per second from one producer through the channel's two packet buffers (video and
// audio, the channel's sizes) to two polling consumers, against the same stream through a pair
// of plain copying queues (a mutex, a condition variable and a deque of byte vectors bounded by
// the same packet counts). Both runs copy every packet's bytes once on the producer side and
// read them on the consumer side; the ratio is the number to compare across changes.
#include "engine/audio_packet_buffer.h"
#include "engine/video_packet_buffer.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace korvex {
namespace {

// About ten seconds of an 8 Mbit/s, 30 pictures per second recording: a key picture every 30,
// three AAC frames for every two pictures.
struct Packet {
    bool video;
    int type;
    int size;
    int from; // offset into the byte pool
};

constexpr int kPictures = 300;
constexpr int kPoolSize = 1 << 20;

const std::vector<std::uint8_t>& Pool() {
    static const std::vector<std::uint8_t> pool = [] {
        std::mt19937 random(3);
        std::vector<std::uint8_t> bytes(kPoolSize + 524288);
        for (std::uint8_t& byte : bytes) {
            byte = static_cast<std::uint8_t>(random());
        }
        return bytes;
    }();
    return pool;
}

const std::vector<Packet>& Stream() {
    static const std::vector<Packet> stream = [] {
        std::mt19937 random(5);
        std::uniform_int_distribution<int> picture(20000, 45000);
        std::uniform_int_distribution<int> frame(300, 500);
        std::uniform_int_distribution<int> from(0, kPoolSize);
        std::vector<Packet> packets;
        for (int i = 0; i < kPictures; ++i) {
            const bool key = i % 30 == 0;
            packets.push_back({true, key ? kKeyPicture : kOtherPicture,
                               key ? 150000 : picture(random), from(random)});
            for (int a = 0; a < (i % 2 == 0 ? 1 : 2); ++a) {
                packets.push_back({false, kAudioFrame, frame(random), from(random)});
            }
        }
        return packets;
    }();
    return stream;
}

// Reads a packet the way a decoder starts: a few bytes at both ends.
std::uint64_t Touch(const std::uint8_t* data, int size) {
    return data[0] + data[size / 2] + data[size - 1] + static_cast<std::uint64_t>(size);
}

class RingPair {
public:
    RingPair() {
        video_.SetChainState(0);
        video_.Open(2097152, 524288, BufferMode::kBlocking);
        audio_.Open(131072, 16384, BufferMode::kBlocking);
        video_.Rewind(&video_record_);
        audio_.Rewind(&audio_record_);
    }

    void Put(const Packet& packet) {
        PacketRecord& record = packet.video ? video_record_ : audio_record_;
        std::memcpy(record.data, Pool().data() + packet.from,
                    static_cast<std::size_t>(packet.size));
        record.size = packet.size;
        record.type = packet.type;
        Buffer(packet.video).Put(record);
    }

    bool Take(bool video, std::uint64_t& sum) {
        PacketRecord record;
        if (!Buffer(video).Get(record)) {
            return false;
        }
        sum += Touch(record.data, record.size);
        return true;
    }

private:
    CBuffer& Buffer(bool video) { return video ? static_cast<CBuffer&>(video_) : audio_; }

    CVBuffer2 video_;
    CABuffer2 audio_;
    PacketRecord video_record_;
    PacketRecord audio_record_;
};

class CopyingQueue {
public:
    explicit CopyingQueue(std::size_t limit) : limit_(limit) {}

    void Push(const std::uint8_t* data, int size) {
        std::vector<std::uint8_t> copy(data, data + size);
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return packets_.size() < limit_; });
        packets_.push_back(std::move(copy));
    }

    bool TryPop(std::vector<std::uint8_t>& out) {
        {
            std::lock_guard lock(mutex_);
            if (packets_.empty()) {
                return false;
            }
            out = std::move(packets_.front());
            packets_.pop_front();
        }
        room_.notify_one();
        return true;
    }

private:
    const std::size_t limit_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::deque<std::vector<std::uint8_t>> packets_;
};

class CopyingPair {
public:
    void Put(const Packet& packet) {
        (packet.video ? video_ : audio_).Push(Pool().data() + packet.from, packet.size);
    }

    bool Take(bool video, std::uint64_t& sum) {
        std::vector<std::uint8_t>& held = video ? video_held_ : audio_held_;
        if (!(video ? video_ : audio_).TryPop(held)) {
            return false;
        }
        sum += Touch(held.data(), static_cast<int>(held.size()));
        return true;
    }

private:
    CopyingQueue video_{CVBuffer2::kPacketLimit};
    CopyingQueue audio_{CABuffer2::kPacketLimit};
    std::vector<std::uint8_t> video_held_;
    std::vector<std::uint8_t> audio_held_;
};

// The benchmark's thread produces; two threads consume, polling as the workers do.
template <typename Pair> void ThroughPair(benchmark::State& state) {
    std::int64_t delivered = 0;
    std::uint64_t sum = 0;
    for (auto _ : state) {
        Pair pair;
        std::atomic<bool> done = false;
        std::atomic<std::int64_t> taken = 0;
        auto consume = [&](bool video) {
            std::uint64_t local = 0;
            std::int64_t count = 0;
            for (;;) {
                const bool finished = done.load();
                if (pair.Take(video, local)) {
                    ++count;
                } else if (finished) {
                    break;
                } else {
                    std::this_thread::yield();
                }
            }
            taken += count;
            sum += local; // read once both consumers are joined
        };
        std::thread video([&] { consume(true); });
        std::thread audio([&] { consume(false); });
        for (const Packet& packet : Stream()) {
            pair.Put(packet);
        }
        done = true;
        video.join();
        audio.join();
        delivered += taken.load();
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(delivered);
}

BENCHMARK_TEMPLATE(ThroughPair, RingPair)->Name("ring_buffer_pair")->UseRealTime();
BENCHMARK_TEMPLATE(ThroughPair, CopyingPair)->Name("copying_queue_pair")->UseRealTime();

// Prints the console report, then the ratio of the two packet rates.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (!run.error_occurred && rate != run.counters.end()) {
                rates_[run.benchmark_name()] = rate->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatio() const {
        const auto ring = rates_.find("ring_buffer_pair/real_time");
        const auto copying = rates_.find("copying_queue_pair/real_time");
        if (ring != rates_.end() && copying != rates_.end() && copying->second > 0) {
            std::printf("packet buffer pair: %.0f packets/s, %.2f x the copying queues\n",
                        ring->second, ring->second / copying->second);
        }
    }

private:
    std::map<std::string, double> rates_;
};

} // namespace
} // namespace korvex

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    korvex::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio();
    benchmark::Shutdown();
    return 0;
}
