#include "outside_judges.h"

#include "card_inspection.h"

#include <gtest/gtest.h>
#include <sstream>

namespace korvex::test {

using mkcard::Quoted;
using mkcard::RunCommand;

std::map<std::string, std::string> ProbeStreams(const std::filesystem::path& file) {
    const mkcard::CommandResult probe = RunCommand(
        "ffprobe -v error -count_packets -show_streams -of flat " + Quoted(file) + " 2>&1");
    std::map<std::string, std::string> streams;
    if (probe.status != 0) {
        ADD_FAILURE() << "ffprobe " << file << ": status " << probe.status << "\n" << probe.output;
        return streams;
    }
    std::istringstream lines(probe.output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (line.starts_with("streams.") && equals != std::string::npos) {
            std::string value = line.substr(equals + 1);
            if (value.starts_with('"') && value.ends_with('"') && value.size() >= 2) {
                value = value.substr(1, value.size() - 2);
            }
            streams.emplace(line.substr(0, equals), value);
        }
    }
    return streams;
}

std::string DecodeErrors(const std::filesystem::path& file, int* status) {
    const mkcard::CommandResult decode =
        RunCommand("ffmpeg -nostdin -v error -i " + Quoted(file) + " -f null - 2>&1");
    *status = decode.status;
    return decode.output;
}

std::vector<BlockCode> DecodedBlockCodes(const std::filesystem::path& file, int width, int height) {
    const mkcard::CommandResult decode = RunCommand("ffmpeg -nostdin -v error -i " + Quoted(file) +
                                                    " -f rawvideo -pix_fmt gray - 2>/dev/null");
    EXPECT_EQ(decode.status, 0) << "ffmpeg could not decode " << file;
    const auto frame = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<BlockCode> codes;
    for (std::size_t at = 0; frame > 0 && at + frame <= decode.output.size(); at += frame) {
        const auto* luma = reinterpret_cast<const std::uint8_t*>(decode.output.data() + at);
        codes.push_back(ReadBlockCodeLuma(luma, width, height, width).value_or(BlockCode{-1, -1}));
    }
    return codes;
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(at + static_cast<std::size_t>(i)));
    }
    return value;
}

std::uint16_t U16At(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes.at(at)) |
                                      static_cast<std::uint8_t>(bytes.at(at + 1)) << 8);
}

std::size_t FindChunk(const std::string& bytes, const char (&id)[5], int n) {
    std::size_t at = bytes.find(id);
    for (int i = 0; i < n && at != std::string::npos; ++i) {
        at = bytes.find(id, at + 4);
    }
    return at;
}

} // namespace korvex::test
