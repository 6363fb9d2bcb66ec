#include "stream/picture_search.h"

namespace korvex {

namespace {

// A start code and its NAL header byte must be followed by a few bytes of the unit.
constexpr std::size_t kMinimumTail = 10;

constexpr std::uint8_t kForbiddenBit = 0x80;
constexpr std::uint8_t kTypeBits = 0x1F;
constexpr int kNonIdrSlice = 1;
constexpr int kIdrSlice = 5;
constexpr int kSequenceParameterSet = 7;

// The length of the start code at `at` (00 00 00 01 or 00 00 01), or 0. A four-byte code is
// taken whole, so a picture starts at its first zero.
std::size_t StartCodeLength(const std::uint8_t* at) {
    if (at[0] != 0 || at[1] != 0) {
        return 0;
    }
    if (at[2] == 1) {
        return 3;
    }
    return at[2] == 0 && at[3] == 1 ? 4 : 0;
}

// The NAL unit type of a header byte whatever its reference bits, or -1 for a byte no header
// can be.
int NalType(std::uint8_t nal) {
    return (nal & kForbiddenBit) != 0 ? -1 : nal & kTypeBits;
}

// The picture type a NAL header byte opens, or 0 when it opens no slice.
int SliceType(std::uint8_t nal) {
    switch (NalType(nal)) {
    case kNonIdrSlice:
        return kOtherPicture;
    case kIdrSlice:
        return kKeyPicture;
    default:
        return 0;
    }
}

// The NAL header byte after the start code at `at`, or none.
std::optional<std::uint8_t> NalAt(std::span<const std::uint8_t> payload, std::size_t at) {
    const std::size_t code = StartCodeLength(&payload[at]);
    if (code == 0) {
        return std::nullopt;
    }
    return payload[at + code];
}

// The type of the first slice at or after `from`, or 0.
int FirstSliceFrom(std::span<const std::uint8_t> payload, std::size_t from,
                   const std::stop_token& stop) {
    for (std::size_t at = from; at + kMinimumTail <= payload.size(); ++at) {
        if (stop.stop_requested()) {
            return 0;
        }
        if (const auto nal = NalAt(payload, at)) {
            if (const int type = SliceType(*nal)) {
                return type;
            }
        }
    }
    return 0;
}

} // namespace

std::optional<PictureStart> FindPicture(std::span<const std::uint8_t> payload,
                                        std::stop_token stop) {
    for (std::size_t at = 0; at + kMinimumTail <= payload.size(); ++at) {
        if (stop.stop_requested()) {
            return std::nullopt;
        }
        const auto nal = NalAt(payload, at);
        if (!nal) {
            continue;
        }
        if (const int type = SliceType(*nal)) {
            return PictureStart{type, at};
        }
        if (NalType(*nal) == kSequenceParameterSet) {
            // With no slice after this parameter set there is none after any later one either,
            // nor a plain slice further on: the search is over.
            const int type = FirstSliceFrom(payload, at, stop);
            if (type == 0) {
                return std::nullopt;
            }
            return PictureStart{type, at};
        }
    }
    return std::nullopt;
}

} // namespace korvex
