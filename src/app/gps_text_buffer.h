#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace korvex {

// The latest GPS/G-sensor text of the recording being played, and whether it belongs to that
// recording. Written by the stream reader's thread, read by the user-interface thread after the
// new-text message. A short lock around the copy in and out means a reader never sees a text
// that is half overwritten by the next one.
class GpsTextBuffer {
public:
    static constexpr std::size_t kCapacity = 2048; // text bytes plus the terminating zero

    // Keeps at most kCapacity - 1 bytes of `text` (up to its first zero byte), then sets the
    // ready flag. Reader thread.
    void Store(std::string_view text);

    // A copy of the latest text. Any thread.
    std::string Load() const;

    // True while the text belongs to a record of the recording being played.
    bool IsRecordReady() const { return record_ready_.load(std::memory_order_acquire); }

    // Cleared by the reader on a seek or a switch of recording, and by the panel when it opens a
    // recording.
    void ClearRecordReady() { record_ready_.store(false, std::memory_order_release); }

private:
    mutable std::mutex lock_;
    std::string text_;
    std::atomic<bool> record_ready_{false};
};

} // namespace korvex
