#pragma once

#include "audio/sound_driver.h"
#include "engine/auto_reset_event.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace korvex {

class Clock;

// A sound device for tests: once started it takes 96000 bytes a second of the given clock from
// the loop and keeps everything it took, so a test can read what was "played". It stands for a
// device whose worker is never late: at every block middle it signals the worker and goes on
// only when the worker has seen the notification (in real time; the clock is not moved), so a
// test on a stepped clock gets the same result however the threads are scheduled.
class SimulatedSoundDriver final : public SoundDriver {
public:
    explicit SimulatedSoundDriver(Clock& clock);
    ~SimulatedSoundDriver() override; // Close

    bool Open(SoundLoop& loop) override;
    bool Start() override;
    void Close() override;
    bool IsLost() const override;

    // Makes the device go away: it stops taking and reports itself lost until closed. Any
    // thread.
    void Lose();

    // Every byte taken since the last Open, in playing order. Any thread.
    std::vector<std::uint8_t> Played() const;

private:
    void Run(); // the device's thread

    Clock& clock_;
    SoundLoop* loop_ = nullptr;
    std::thread thread_;
    AutoResetEvent wake_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> lost_{false};
    mutable std::mutex played_mutex_;
    std::vector<std::uint8_t> played_;
};

} // namespace korvex
