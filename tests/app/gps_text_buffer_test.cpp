#include "app/gps_text_buffer.h"

#include <gtest/gtest.h>
#include <thread>

namespace korvex {
namespace {

TEST(GpsTextBuffer, KeepsAtMost2047BytesUpToTheFirstZero) {
    GpsTextBuffer buffer;
    EXPECT_FALSE(buffer.IsRecordReady());
    buffer.Store(std::string(3000, 'a'));
    EXPECT_EQ(buffer.Load(), std::string(2047, 'a'));
    EXPECT_TRUE(buffer.IsRecordReady());
    buffer.Store(std::string_view("X:+0.01\0tail", 12));
    EXPECT_EQ(buffer.Load(), "X:+0.01");
    buffer.ClearRecordReady();
    EXPECT_FALSE(buffer.IsRecordReady());
}

TEST(GpsTextBuffer, AReaderNeverSeesAHalfWrittenText) {
    GpsTextBuffer buffer;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            buffer.Store(
                std::string(static_cast<size_t>(100 + i % 900), static_cast<char>('a' + i % 26)));
        }
        done = true;
    });
    while (!done) {
        const std::string text = buffer.Load();
        ASSERT_EQ(text.find_first_not_of(text.empty() ? 'a' : text[0]), std::string::npos);
    }
    writer.join();
}

} // namespace
} // namespace korvex
