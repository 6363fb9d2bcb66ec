#include "stream/pes_collector.h"

#include <algorithm>
#include <cstring>

namespace korvex {

PesCollector::PesCollector() : bytes_(std::make_unique_for_overwrite<std::uint8_t[]>(kCapacity)) {}

void PesCollector::Append(std::span<const std::uint8_t> payload) {
    const std::size_t length = std::min(payload.size(), kCapacity - end_);
    cut_ = cut_ || length < payload.size();
    if (length == 0) {
        return;
    }
    std::memcpy(bytes_.get() + end_, payload.data(), length);
    end_ += length;
}

void PesCollector::Prepend(std::span<const std::uint8_t> payload) {
    if (Empty()) {
        begin_ = end_ = kCapacity; // backward the bytes grow from the end toward the start
    }
    const std::size_t length = std::min(payload.size(), begin_);
    cut_ = cut_ || length < payload.size();
    if (length == 0) {
        return;
    }
    begin_ -= length;
    std::memcpy(bytes_.get() + begin_, payload.data() + payload.size() - length, length);
}

} // namespace korvex
