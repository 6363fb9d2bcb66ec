#include "engine/packet_buffer.h"

#include <cstdint>
#include <new>

namespace korvex {

CBuffer::CBuffer(int packet_limit) : packet_limit_(packet_limit) {}

CBuffer::~CBuffer() {
    Close();
}

bool CBuffer::Open(int area_size, int max_packet_size, BufferMode mode) {
    // The buffer counts as full while fewer than three maximum packets lie beyond the queued
    // bytes: a smaller area would keep the producer waiting for ever.
    if (max_packet_size <= 0 || std::int64_t{area_size} <= 3 * std::int64_t{max_packet_size}) {
        return false;
    }
    if (!area_ || area_size_ < area_size) {
        area_.reset();
        area_size_ = 0;
        area_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(area_size)]);
        if (!area_) {
            return false;
        }
        area_size_ = area_size;
    }
    wake_.Reset();
    mode_.store(mode);
    max_packet_size_ = max_packet_size;
    queued_bytes_ = 0;
    records_.clear();
    return true;
}

void CBuffer::Close() {
    mode_.store(BufferMode::kClosed);
    wake_.Set();
}

void CBuffer::Rewind(PacketRecord* record) {
    int write_offset = 0;
    if (!records_.empty()) {
        const PacketRecord& held = records_.front();
        const int end = OffsetOf(held.data) + held.size;
        write_offset = end + max_packet_size_ <= area_size_ ? end : 0;
    }
    DropQueued();
    if (record) {
        record->data = area_.get() + write_offset;
        record->size = 0;
        record->type = kNoPacket;
        record->frame_rate = 0;
        record->speed = 0;
        record->time_stamp = 0;
    }
}

void CBuffer::Clear() {
    DropQueued();
}

void CBuffer::DropQueued() {
    if (records_.size() > 1) {
        records_.resize(1);
    }
    queued_bytes_ = 0;
}

bool CBuffer::Put(PacketRecord& record) {
    const int next = NextWriteOffset(record);
    if (next >= 0) {
        if (records_.empty()) {
            records_.push_back(record); // stands for the held packet until the next Get
        }
        records_.push_back(record);
        queued_bytes_ += record.size;
        record.data = area_.get() + next;
    }
    record.size = 0;
    return next >= 0;
}

int CBuffer::NextWriteOffset(const PacketRecord& record) const {
    const int w = OffsetOf(record.data);
    const int n = record.size;
    const int m = max_packet_size_;
    if (w < 0 || n < 0 || n > m || w + m > area_size_) { // not a write position it gave
        return -1;
    }
    if (records_.empty()) {
        return w + n + m <= area_size_ ? w + n : 0;
    }
    const int held = OffsetOf(records_.front().data);
    if (held <= w) { // free: from w to the end and from the start to the held packet
        if (w + n + m <= area_size_) {
            return w + n;
        }
        return m <= held ? 0 : -1;
    }
    return w + n + m <= held ? w + n : -1; // wrapped: free from w to the held packet
}

int CBuffer::OffsetOf(const std::uint8_t* pointer) const {
    const auto start = reinterpret_cast<std::uintptr_t>(area_.get());
    const auto at = reinterpret_cast<std::uintptr_t>(pointer);
    if (!area_ || at < start || at - start > static_cast<std::uintptr_t>(area_size_)) {
        return -1;
    }
    return static_cast<int>(at - start);
}

bool CBuffer::Get(PacketRecord& record) {
    if (!records_.empty()) {
        records_.pop_front();
    }
    if (records_.empty()) {
        queued_bytes_ = 0;
        return false;
    }
    record = records_.front();
    queued_bytes_ -= record.size;
    return true;
}

int CBuffer::Count() const {
    return static_cast<int>(records_.size());
}

bool CBuffer::IsFull() const {
    return mode_.load() == BufferMode::kBlocking && IsOverLimits();
}

bool CBuffer::HasRoom() const {
    return mode_.load() == BufferMode::kBlocking && !IsOverLimits();
}

bool CBuffer::IsOverLimits() const {
    return static_cast<int>(records_.size()) >= packet_limit_ ||
           std::int64_t{queued_bytes_} + 3 * std::int64_t{max_packet_size_} >= area_size_;
}

int CBuffer::FirstDataPosition() const {
    return records_.empty() ? 0 : records_.front().position;
}

} // namespace korvex
