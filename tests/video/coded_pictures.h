#pragma once

// Pictures for the video tests: H.264 access units from the sample-card generator's encoder,
// each carrying the block code (recording number, picture index) that tells which picture a
// presenter shows.

#include "mkcard/h264_encoder.h"
#include "video/block_code.h"

#include <cstdint>
#include <vector>

namespace korvex::test {

struct CodedPicture {
    std::vector<uint8_t> bytes;
    bool key = false; // an IDR picture, which starts a group
    int index = 0;    // the block code's picture index, its place in display order
};

// `count` pictures of width x height with a group of `gop` pictures (an IDR picture first) and
// block codes {number, 0}, {number, 1}, ..., in decoding order (the display order unless `form`
// asks for B-pictures).
std::vector<CodedPicture> EncodePictures(int count, int width, int height, int gop, int number = 1,
                                         const mkcard::StreamForm& form = {});

// Beside the tests' own readers of pictures kept in files.
using korvex::ReadBlockCode;

} // namespace korvex::test
