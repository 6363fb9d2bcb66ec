#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace korvex {

// FFmpeg's AAC decoder for ADTS frames, delivering 16-bit mono PCM: the decoder's planar float
// output is mixed down to one channel (the mean of the channels) and scaled to 16 bits with
// clipping. Used by one thread at a time (the audio worker).
class AacDecoder {
public:
    AacDecoder() = default;
    ~AacDecoder();
    AacDecoder(const AacDecoder&) = delete;
    AacDecoder& operator=(const AacDecoder&) = delete;

    // Allocates the codec context and opens the AAC decoder with default options. Does nothing
    // when already open; after a failure a later call tries again.
    bool Open();
    bool IsOpen() const { return opened_; }

    struct Result {
        int consumed = 0;           // input bytes used; 0 when the decoder rejected the packet
        std::span<int16_t> samples; // the caller may change them; valid until the next call
    };

    // Decodes the first ADTS frame of `data` (the unread part of a packet, which may hold
    // several frames); `consumed` is that frame's length, so the caller goes on with the rest.
    // Data that does not start with a whole ADTS frame goes to the decoder as it is. Only when
    // open.
    Result Decode(std::span<const uint8_t> data);

private:
    void AppendMono(const AVFrame& frame);

    AVCodecContext* context_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    bool opened_ = false;
    std::vector<int16_t> samples_;
};

} // namespace korvex
