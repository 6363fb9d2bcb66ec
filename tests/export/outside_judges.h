#pragma once

// ffprobe and ffmpeg as outside judges of the exported clips. A judge that is missing makes
// the test fail (its command's status is not 0), never skip.

#include "video/block_code.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace korvex::test {

// ffprobe's view of the streams, packets counted, as "streams.stream.N.key" -> value; empty
// with a test failure when ffprobe cannot read the file.
std::map<std::string, std::string> ProbeStreams(const std::filesystem::path& file);

// What ffmpeg reports at level "error" while decoding the whole file; its exit status.
std::string DecodeErrors(const std::filesystem::path& file, int* status);

// The block codes of the decoded pictures, in order (an unreadable one as {-1, -1}).
std::vector<BlockCode> DecodedBlockCodes(const std::filesystem::path& file, int width, int height);

// The bytes of a file and little-endian numbers in them.
std::uint32_t U32At(const std::string& bytes, std::size_t at);
std::uint16_t U16At(const std::string& bytes, std::size_t at);
// Where the n-th (from 0) chunk with this id starts (its id), or npos.
std::size_t FindChunk(const std::string& bytes, const char (&id)[5], int n = 0);

} // namespace korvex::test
