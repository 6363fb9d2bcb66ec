#include "stream/picture_search.h"

namespace korvex {

namespace {

// A start code and its NAL header byte must be followed by a few bytes of the unit.
constexpr std::size_t kMinimumTail = 10;

bool IsStartCode(const std::uint8_t* at) {
    return at[0] == 0 && at[1] == 0 && at[2] == 0 && at[3] == 1;
}

// The picture type a NAL header byte opens, or 0 when it opens no slice.
int SliceType(std::uint8_t nal) {
    switch (nal) {
    case 0x01:
    case 0x21:
    case 0x41:
    case 0x61:
        return kOtherPicture;
    case 0x25:
    case 0x65:
        return kKeyPicture;
    default:
        return 0;
    }
}

bool IsSequenceParameterSet(std::uint8_t nal) {
    return nal == 0x27 || nal == 0x67;
}

// The type of the first slice at or after `from`, or 0.
int FirstSliceFrom(std::span<const std::uint8_t> payload, std::size_t from,
                   const std::stop_token& stop) {
    for (std::size_t at = from; at + kMinimumTail <= payload.size(); ++at) {
        if (stop.stop_requested()) {
            return 0;
        }
        if (IsStartCode(&payload[at])) {
            if (const int type = SliceType(payload[at + 4])) {
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
        if (!IsStartCode(&payload[at])) {
            continue;
        }
        const std::uint8_t nal = payload[at + 4];
        if (const int type = SliceType(nal)) {
            return PictureStart{type, at};
        }
        if (IsSequenceParameterSet(nal)) {
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
