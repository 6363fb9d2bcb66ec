#include "mkcard/aac_tone.h"

#include "mkcard/av_handles.h"

#include <cmath>
#include <numbers>

namespace korvex::mkcard {
namespace {

constexpr int kProfileLc = 1; // audio object type 2 minus one
constexpr int kRateIndex48000 = 3;
constexpr int kMonoConfiguration = 1;
constexpr size_t kAdtsHeaderSize = 7;

CodecContextPtr OpenEncoder() {
    const AVCodec* codec = avcodec_find_encoder_by_name("aac");
    if (codec == nullptr) {
        throw std::runtime_error("libavcodec has no aac encoder");
    }
    CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context) {
        throw std::bad_alloc();
    }
    context->sample_rate = kAudioRate;
    context->sample_fmt = AV_SAMPLE_FMT_FLTP;
    context->ch_layout = AV_CHANNEL_LAYOUT_MONO;
    context->bit_rate = 64000;
    context->profile = FF_PROFILE_AAC_LOW;
    context->time_base = AVRational{1, kAudioRate};
    context->thread_count = 1;
    CheckAv(avcodec_open2(context.get(), codec, nullptr), "opening the aac encoder");
    return context;
}

} // namespace

void AppendAdtsHeader(std::vector<uint8_t>& out, size_t raw_size) {
    const size_t length = raw_size + kAdtsHeaderSize;
    out.push_back(0xFF);
    out.push_back(0xF1); // MPEG-4, layer 0, no CRC
    out.push_back(static_cast<uint8_t>((kProfileLc << 6) | (kRateIndex48000 << 2) |
                                       (kMonoConfiguration >> 2)));
    out.push_back(static_cast<uint8_t>(((kMonoConfiguration & 3) << 6) | (length >> 11)));
    out.push_back(static_cast<uint8_t>((length >> 3) & 0xFF));
    out.push_back(static_cast<uint8_t>(((length & 7) << 5) | 0x1F)); // buffer fullness: VBR
    out.push_back(0xFC);
}

std::vector<std::vector<uint8_t>> EncodeAacTone(int frames, double level, int hz) {
    CodecContextPtr context = OpenEncoder();
    FramePtr frame(av_frame_alloc());
    PacketPtr packet(av_packet_alloc());
    if (!frame || !packet) {
        throw std::bad_alloc();
    }
    frame->format = AV_SAMPLE_FMT_FLTP;
    frame->sample_rate = kAudioRate;
    frame->nb_samples = kAacFrameSamples;
    CheckAv(av_channel_layout_copy(&frame->ch_layout, &context->ch_layout), "audio layout");
    CheckAv(av_frame_get_buffer(frame.get(), 0), "allocating audio");

    std::vector<std::vector<uint8_t>> out;
    auto receive = [&] {
        for (;;) {
            const int result = avcodec_receive_packet(context.get(), packet.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
                return;
            }
            CheckAv(result, "receiving audio");
            if (static_cast<int>(out.size()) < frames) {
                std::vector<uint8_t>& adts = out.emplace_back();
                AppendAdtsHeader(adts, static_cast<size_t>(packet->size));
                adts.insert(adts.end(), packet->data, packet->data + packet->size);
            }
            av_packet_unref(packet.get());
        }
    };
    const double step = 2 * std::numbers::pi * hz / kAudioRate;
    for (int f = 0; f < frames; ++f) {
        CheckAv(av_frame_make_writable(frame.get()), "preparing audio");
        auto* samples = reinterpret_cast<float*>(frame->data[0]);
        for (int i = 0; i < kAacFrameSamples; ++i) {
            const int64_t n = static_cast<int64_t>(f) * kAacFrameSamples + i;
            samples[i] =
                static_cast<float>(level * std::sin(step * static_cast<double>(n % kAudioRate)));
        }
        frame->pts = static_cast<int64_t>(f) * kAacFrameSamples;
        CheckAv(avcodec_send_frame(context.get(), frame.get()), "encoding audio");
        receive();
    }
    CheckAv(avcodec_send_frame(context.get(), nullptr), "flushing audio");
    receive();
    return out;
}

} // namespace korvex::mkcard
