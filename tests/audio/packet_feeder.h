#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace korvex {
class CABuffer2;
}

namespace korvex::test {

// Stands in for the stream reader: puts audio packets into an open audio buffer on a thread of
// its own, blocking while the buffer is full, once through the list or round and round until
// the buffer is closed.
class PacketFeeder {
public:
    PacketFeeder(CABuffer2& buffer, std::vector<std::vector<std::uint8_t>> packets,
                 bool repeat = false);
    ~PacketFeeder(); // closes the buffer and joins

    bool IsDone() const { return done_.load(); }
    // Done, or blocked on a full buffer: the worker has at least a full buffer to take from.
    bool IsIdle() const;
    // Waits (in real time) until IsIdle.
    void AwaitIdle() const;
    // Packets put so far.
    int Put() const { return put_.load(); }

private:
    void Run();

    CABuffer2& buffer_;
    const std::vector<std::vector<std::uint8_t>> packets_;
    const bool repeat_;
    std::atomic<bool> done_{false};
    std::atomic<int> put_{0};
    std::thread thread_;
};

} // namespace korvex::test
