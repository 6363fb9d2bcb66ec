#include "mkcard/h264_encoder.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <string>

namespace korvex::mkcard {
namespace {

constexpr uint8_t kStartCode[] = {0, 0, 0, 1};
constexpr uint8_t kShortStartCode[] = {0, 0, 1};
constexpr uint8_t kRefBits = 0x60;
constexpr uint8_t kAccessUnitDelimiter[] = {0x09, 0xF0};
constexpr int kNalDelimiter = 9;
constexpr int kNalIdrSlice = 5;

// Offset of the next 00 00 01 at or after from, or size.
size_t FindStartCode(const uint8_t* data, size_t size, size_t from) {
    for (size_t i = from; i + 3 <= size; ++i) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) {
            return i;
        }
    }
    return size;
}

void Append(std::vector<uint8_t>& out, const uint8_t* data, size_t size) {
    out.insert(out.end(), data, data + size);
}

} // namespace

AccessUnit NormaliseAccessUnit(const uint8_t* data, size_t size, const NalForm& form) {
    AccessUnit unit;
    Append(unit.bytes, kStartCode, sizeof kStartCode);
    Append(unit.bytes, kAccessUnitDelimiter, sizeof kAccessUnitDelimiter);
    size_t start = FindStartCode(data, size, 0);
    while (start < size) {
        const size_t nal = start + 3;
        const size_t next = FindStartCode(data, size, nal);
        size_t end = next;
        // A zero before the next start code belongs to that (four-byte) start code.
        while (end > nal && next < size && data[end - 1] == 0) {
            --end;
        }
        if (end > nal) {
            const int type = data[nal] & 0x1F;
            unit.idr = unit.idr || type == kNalIdrSlice;
            if (type != kNalDelimiter) {
                if (form.short_start_codes) {
                    Append(unit.bytes, kShortStartCode, sizeof kShortStartCode);
                } else {
                    Append(unit.bytes, kStartCode, sizeof kStartCode);
                }
                uint8_t header = data[nal];
                if (form.ref_idc > 0 && (header & kRefBits) != 0) {
                    header = static_cast<uint8_t>((header & ~kRefBits) | form.ref_idc << 5);
                }
                unit.bytes.push_back(header);
                Append(unit.bytes, data + nal + 1, end - nal - 1);
            }
        }
        start = next;
    }
    return unit;
}

H264Encoder::H264Encoder(int width, int height, int fps, int gop, int crf, NalForm form,
                         StreamForm stream)
    : form_(form) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (codec == nullptr) {
        throw std::runtime_error("libavcodec has no libx264 encoder");
    }
    context_.reset(avcodec_alloc_context3(codec));
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!context_ || !frame_ || !packet_) {
        throw std::bad_alloc();
    }
    context_->width = width;
    context_->height = height;
    context_->pix_fmt = AV_PIX_FMT_YUV420P;
    context_->time_base = AVRational{1, fps};
    context_->framerate = AVRational{fps, 1};
    context_->gop_size = gop;
    context_->keyint_min = gop;
    context_->max_b_frames = stream.b_frames;
    context_->color_range = stream.full_range ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    context_->colorspace = static_cast<AVColorSpace>(stream.colour_matrix);
    context_->thread_count = 1;
    av_opt_set(context_->priv_data, "preset", "ultrafast", 0);
    av_opt_set(context_->priv_data, "tune", "zerolatency", 0);
    av_opt_set_double(context_->priv_data, "crf", crf, 0);
    // A fixed pattern of B-pictures, when asked for, without a look-ahead.
    const std::string params = "keyint=" + std::to_string(gop) +
                               ":min-keyint=" + std::to_string(gop) +
                               ":scenecut=0:bframes=" + std::to_string(stream.b_frames) +
                               ":b-adapt=0:b-pyramid=none:repeat-headers=1:annexb=1:threads=1:"
                               "sliced-threads=0:rc-lookahead=0:sync-lookahead=0:log=1";
    av_opt_set(context_->priv_data, "x264-params", params.c_str(), 0);
    CheckAv(avcodec_open2(context_.get(), codec, nullptr), "opening libx264");

    frame_->format = AV_PIX_FMT_YUV420P;
    frame_->width = width;
    frame_->height = height;
    CheckAv(av_frame_get_buffer(frame_.get(), 0), "allocating a picture");
}

YuvView H264Encoder::NextPicture() {
    CheckAv(av_frame_make_writable(frame_.get()), "preparing a picture");
    return YuvView{frame_->data[0],     frame_->data[1],     frame_->data[2], frame_->linesize[0],
                   frame_->linesize[1], frame_->linesize[2], frame_->width,   frame_->height};
}

std::vector<AccessUnit> H264Encoder::Encode() {
    frame_->pts = next_pts_++;
    CheckAv(avcodec_send_frame(context_.get(), frame_.get()), "encoding a picture");
    return Receive();
}

std::vector<AccessUnit> H264Encoder::Flush() {
    CheckAv(avcodec_send_frame(context_.get(), nullptr), "flushing the video encoder");
    return Receive();
}

std::vector<AccessUnit> H264Encoder::Receive() {
    std::vector<AccessUnit> units;
    for (;;) {
        const int result = avcodec_receive_packet(context_.get(), packet_.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return units;
        }
        CheckAv(result, "receiving a picture");
        units.push_back(
            NormaliseAccessUnit(packet_->data, static_cast<size_t>(packet_->size), form_));
        units.back().pts = packet_->pts;
        av_packet_unref(packet_.get());
    }
}

} // namespace korvex::mkcard
