#include "simulated_sound_driver.h"

#include "audio/sound_format.h"
#include "audio/sound_loop.h"
#include "engine/clock.h"

#include <algorithm>

namespace korvex {
namespace {

constexpr std::int64_t kBytesPerMs = kSoundBytesPerSecond / 1000;

// The first block middle, counted from the start of playing, that lies after `taken` bytes.
std::int64_t NextMiddle(std::int64_t taken) {
    return (taken + kSoundNotifyOffset) / kSoundBlockBytes * kSoundBlockBytes + kSoundNotifyOffset;
}

} // namespace

SimulatedSoundDriver::SimulatedSoundDriver(Clock& clock) : clock_(clock) {}

SimulatedSoundDriver::~SimulatedSoundDriver() {
    Close();
}

bool SimulatedSoundDriver::Open(SoundLoop& loop) {
    loop_ = &loop;
    lost_ = false;
    std::lock_guard lock(played_mutex_);
    played_.clear();
    return true;
}

bool SimulatedSoundDriver::Start() {
    if (!loop_ || thread_.joinable()) {
        return false;
    }
    stopping_ = false;
    wake_.Reset();
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SimulatedSoundDriver::Close() {
    stopping_ = true;
    wake_.Set();
    if (thread_.joinable()) {
        thread_.join();
    }
    loop_ = nullptr;
    lost_ = false;
}

bool SimulatedSoundDriver::IsLost() const {
    return lost_;
}

void SimulatedSoundDriver::Lose() {
    lost_ = true;
    wake_.Set();
}

std::vector<std::uint8_t> SimulatedSoundDriver::Played() const {
    std::lock_guard lock(played_mutex_);
    return played_;
}

void SimulatedSoundDriver::Run() {
    const std::int64_t start_ms = clock_.NowMs();
    std::int64_t taken = 0;
    std::vector<std::uint8_t> chunk;
    while (!stopping_ && !lost_) {
        const std::int64_t middle = NextMiddle(taken);
        const std::int64_t due = std::min((clock_.NowMs() - start_ms) * kBytesPerMs, middle);
        if (due > taken) {
            chunk.resize(static_cast<std::size_t>(due - taken));
            loop_->Take(chunk);
            taken = due;
            {
                std::lock_guard lock(played_mutex_);
                played_.insert(played_.end(), chunk.begin(), chunk.end());
            }
            if (taken == middle && !loop_->AwaitAcknowledged()) {
                break;
            }
            continue;
        }
        clock_.WaitFor(wake_, start_ms + middle / kBytesPerMs - clock_.NowMs());
    }
}

} // namespace korvex
