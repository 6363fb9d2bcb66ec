#include "audio/aac_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

#include <cmath>

namespace korvex {
namespace {

int16_t FloatToSample(float value) {
    const long scaled = std::lrint(value * 32768.0f);
    return static_cast<int16_t>(scaled > 32767 ? 32767 : scaled < -32768 ? -32768 : scaled);
}

// The length of the ADTS frame that `data` starts with (sync word, layer 0, a length that covers
// its header and lies within `data`), or all of `data` when it does not start with one.
std::size_t FirstFrameLength(std::span<const uint8_t> data) {
    constexpr std::size_t kHeaderBytes = 7;
    if (data.size() < kHeaderBytes || data[0] != 0xFF || (data[1] & 0xF6) != 0xF0) {
        return data.size();
    }
    const std::size_t length =
        static_cast<std::size_t>(((data[3] & 0x03) << 11) | (data[4] << 3) | (data[5] >> 5));
    return length >= kHeaderBytes && length <= data.size() ? length : data.size();
}

} // namespace

AacDecoder::~AacDecoder() {
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&context_);
}

bool AacDecoder::Open() {
    if (opened_) {
        return true;
    }
    if (!packet_ && !(packet_ = av_packet_alloc())) {
        return false;
    }
    if (!frame_ && !(frame_ = av_frame_alloc())) {
        return false;
    }
    if (!context_ && !(context_ = avcodec_alloc_context3(nullptr))) {
        return false;
    }
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_AAC);
    opened_ = codec && avcodec_open2(context_, codec, nullptr) == 0;
    return opened_;
}

AacDecoder::Result AacDecoder::Decode(std::span<const uint8_t> data) {
    samples_.clear();
    if (data.empty()) {
        return {}; // an empty packet would put the decoder into draining mode for good
    }
    const std::span<const uint8_t> frame = data.first(FirstFrameLength(data));
    // The frame is only read: libavcodec takes non-const data but copies an unowned packet.
    packet_->data = const_cast<uint8_t*>(frame.data());
    packet_->size = static_cast<int>(frame.size());
    const int sent = avcodec_send_packet(context_, packet_);
    packet_->data = nullptr;
    packet_->size = 0;
    if (sent < 0) {
        return {};
    }
    while (avcodec_receive_frame(context_, frame_) == 0) {
        AppendMono(*frame_);
        av_frame_unref(frame_);
    }
    return {static_cast<int>(frame.size()), samples_};
}

void AacDecoder::AppendMono(const AVFrame& frame) {
    const int channels = frame.ch_layout.nb_channels;
    if (frame.format != AV_SAMPLE_FMT_FLTP || channels < 1) {
        return; // the AAC decoder always delivers planar float
    }
    const std::size_t first = samples_.size();
    samples_.resize(first + static_cast<std::size_t>(frame.nb_samples));
    for (int i = 0; i < frame.nb_samples; ++i) {
        float sum = 0;
        for (int c = 0; c < channels; ++c) {
            sum += reinterpret_cast<const float*>(frame.extended_data[c])[i];
        }
        samples_[first + static_cast<std::size_t>(i)] =
            FloatToSample(sum / static_cast<float>(channels));
    }
}

} // namespace korvex
