#include "video/h264_decoder.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace korvex {
namespace {

// More packets than the decoder can hold back (H.264 keeps at most 16 pictures); older ones gave
// no picture.
constexpr std::size_t kMostSent = 32;

} // namespace

bool CH264Decoder::OpenCodec() {
    if (context_ == nullptr) {
        context_ = avcodec_alloc_context3(nullptr);
        if (context_ == nullptr) {
            return false;
        }
    }
    if (!codec_open_) {
        const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
        if (codec == nullptr) {
            return false;
        }
        context_->thread_count = 1;
        // The least checking: a damaged slice still gives a picture.
        context_->err_recognition = 0;
        context_->flags |= AV_CODEC_FLAG_LOW_DELAY;
        if (avcodec_open2(context_, codec, nullptr) < 0) {
            return false;
        }
        codec_open_ = true;
    }
    if (picture_ == nullptr) {
        picture_ = av_frame_alloc();
    }
    if (packet_ == nullptr) {
        packet_ = av_packet_alloc();
    }
    return picture_ != nullptr && packet_ != nullptr;
}

bool CH264Decoder::Open(int width, int height, int depth) {
    if (!OpenCodec()) {
        return false;
    }
    if (width != 0 && height != 0 && depth != 0) {
        if (converter_ != nullptr && width == width_ && height == height_ && depth == depth_) {
            return true;
        }
        if (depth != 32) {
            return false;
        }
        converter_ =
            sws_getCachedContext(converter_, width, height, AV_PIX_FMT_YUV420P, width, height,
                                 AV_PIX_FMT_BGRA, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
        if (converter_ == nullptr) {
            return false;
        }
    }
    width_ = width;
    height_ = height;
    depth_ = depth;
    return true;
}

bool CH264Decoder::Decode(std::span<const uint8_t> access_unit, const PacketRecord& record) {
    // An empty packet would put the decoder into draining, after which it takes no more input.
    if (!codec_open_ || access_unit.empty()) {
        return false;
    }
    // The bytes are only read: libavcodec takes non-const data but copies an unowned packet.
    // The copy is kept on purpose: it gives the decoder the zeroed padding after the data that
    // the packet ring cannot promise, and at one compressed picture (tens of kilobytes at
    // 1080p) it costs about a thousandth of decoding that picture.
    packet_->data = const_cast<uint8_t*>(access_unit.data());
    packet_->size = static_cast<int>(access_unit.size());
    packet_->pts = next_tag_;
    int sent = avcodec_send_packet(context_, packet_);
    if (sent == AVERROR(EAGAIN)) {
        // A picture of an earlier packet is still waiting: it is late, so it is dropped.
        avcodec_receive_frame(context_, picture_);
        sent = avcodec_send_packet(context_, packet_);
    }
    packet_->data = nullptr;
    packet_->size = 0;
    if (sent < 0) {
        return false;
    }
    sent_.push_back({next_tag_++, record});
    sent_.back().record.data = nullptr;
    if (sent_.size() > kMostSent) {
        sent_.pop_front();
    }
    if (avcodec_receive_frame(context_, picture_) < 0 || !TakeRecord(picture_->pts)) {
        return false;
    }
    const auto format = static_cast<AVPixelFormat>(picture_->format);
    return format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P;
}

bool CH264Decoder::TakeRecord(int64_t tag) {
    // Pictures come out in display order, which need not be the order their packets went in.
    const auto sent = std::find_if(sent_.begin(), sent_.end(),
                                   [tag](const Sent& packet) { return packet.tag == tag; });
    if (sent == sent_.end()) {
        return false;
    }
    picture_record_ = sent->record;
    sent_.erase(sent);
    return true;
}

void CH264Decoder::Flush() {
    if (codec_open_) {
        avcodec_flush_buffers(context_);
    }
    sent_.clear();
}

PicturePlanes CH264Decoder::Picture() const {
    PicturePlanes planes;
    for (size_t i = 0; i < planes.data.size(); ++i) {
        planes.data[i] = picture_->data[i];
        planes.stride[i] = picture_->linesize[i];
    }
    planes.colour = ColourOfPicture(picture_->format, picture_->color_range, picture_->colorspace,
                                    picture_->height);
    return planes;
}

std::shared_ptr<const void> CH264Decoder::KeepPicture() const {
    AVFrame* kept = picture_ != nullptr ? av_frame_clone(picture_) : nullptr;
    if (kept == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<const void>(kept, [](const void* frame) {
        AVFrame* owned = static_cast<AVFrame*>(const_cast<void*>(frame));
        av_frame_free(&owned);
    });
}

int CH264Decoder::PictureWidth() const {
    return picture_ != nullptr ? picture_->width : 0;
}

int CH264Decoder::PictureHeight() const {
    return picture_ != nullptr ? picture_->height : 0;
}

void CH264Decoder::Close() {
    avcodec_free_context(&context_);
    codec_open_ = false;
    sent_.clear();
    av_frame_free(&picture_);
    av_packet_free(&packet_);
    sws_freeContext(converter_);
    converter_ = nullptr;
}

} // namespace korvex
