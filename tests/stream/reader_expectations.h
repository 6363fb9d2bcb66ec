#pragma once

#include "mkcard/card_writer.h"
#include "reader_rig.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace korvex::test {

inline bool IsKey(const mkcard::WrittenRecording& r, int picture) {
    return picture % r.gop == 0;
}

inline double PictureSeconds(const mkcard::WrittenRecording& r, int picture) {
    return ReaderSeconds(r.first_pts + std::int64_t{picture} * 90000 / r.fps);
}

// The picture of `r` that carries the time stamp of `taken`, or -1.
inline int PictureOf(const mkcard::WrittenRecording& r, const Taken& taken) {
    for (int i = 0; i < r.pictures; ++i) {
        if (std::abs(PictureSeconds(r, i) - taken.record.time_stamp) < 1e-9) {
            return i;
        }
    }
    return -1;
}

// The first picture of `r` whose PES starts at or after byte `offset`; r.pictures when none.
inline int FirstPictureFrom(const mkcard::WrittenRecording& r, std::int64_t offset) {
    int i = 0;
    while (i < r.pictures &&
           static_cast<std::int64_t>(r.picture_offsets[static_cast<std::size_t>(i)]) < offset) {
        ++i;
    }
    return i;
}

inline int NextKeyFrom(const mkcard::WrittenRecording& r, int picture) {
    while (picture < r.pictures && !IsKey(r, picture)) {
        ++picture;
    }
    return picture;
}

// Checks that `taken[from, from + count)` are pictures `first`, `first` + 1, ... of `r`, as
// reading forward stamps them at normal speed, each starting with a start code of
// `start_code_bytes` (4: 00 00 00 01, 3: 00 00 01).
inline void ExpectPicturesInOrder(const std::vector<Taken>& taken, std::size_t from,
                                  const mkcard::WrittenRecording& r, int first, int count,
                                  std::size_t start_code_bytes = 4) {
    ASSERT_GE(taken.size(), from + static_cast<std::size_t>(count));
    std::vector<std::uint8_t> start_code(start_code_bytes - 1, 0);
    start_code.push_back(1);
    for (int i = 0; i < count; ++i) {
        const Taken& t = taken[from + static_cast<std::size_t>(i)];
        const int picture = first + i;
        EXPECT_EQ(t.record.type, IsKey(r, picture) ? kKeyPicture : kOtherPicture) << picture;
        EXPECT_DOUBLE_EQ(t.record.time_stamp, PictureSeconds(r, picture)) << picture;
        EXPECT_EQ(t.record.speed, 1) << picture;
        EXPECT_TRUE(t.head.size() >= start_code_bytes &&
                    std::equal(start_code.begin(), start_code.end(), t.head.begin()))
            << picture;
    }
}

} // namespace korvex::test
