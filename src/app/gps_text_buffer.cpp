#include "app/gps_text_buffer.h"

#include <algorithm>

namespace korvex {

void GpsTextBuffer::Store(std::string_view text) {
    text = text.substr(0, std::min(text.find('\0'), kCapacity - 1));
    {
        std::lock_guard guard(lock_);
        text_.assign(text);
    }
    record_ready_.store(true, std::memory_order_release);
}

std::string GpsTextBuffer::Load() const {
    std::lock_guard guard(lock_);
    return text_;
}

} // namespace korvex
