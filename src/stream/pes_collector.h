#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace korvex {

// Collects the payloads of one PID into one PES packet: appended when reading forward,
// put in front when reading backward. Bytes that would pass either end of the buffer are cut.
//
// One user, one thread.
class PesCollector {
public:
    static constexpr std::size_t kCapacity = 1048576;

    PesCollector();

    void Append(std::span<const std::uint8_t> payload);
    void Prepend(std::span<const std::uint8_t> payload);
    std::span<const std::uint8_t> Bytes() const { return {bytes_.get() + begin_, end_ - begin_}; }
    bool Empty() const { return begin_ == end_; }
    // Whether bytes were cut since the last Clear.
    bool Cut() const { return cut_; }
    void Clear() {
        begin_ = end_ = 0;
        cut_ = false;
    }

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool cut_ = false;
};

} // namespace korvex
