#pragma once

#include "engine/packet_record.h"
#include "video/picture_planes.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <span>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace korvex {

// FFmpeg's H.264 decoder in software, one access unit in and at most one picture out (one
// thread, no frame threading, low delay: nothing is held back that need not be), and the colour
// converter from the decoded planar YUV 4:2:0 to the back buffer's RGB format at the same size.
// Every picture comes with the record of the packet it was decoded from, even where the stream
// reorders pictures and a picture comes out after later packets went in.
// Used by the video worker's thread only.
class CH264Decoder {
public:
    CH264Decoder() = default;
    ~CH264Decoder() { Close(); }
    CH264Decoder(const CH264Decoder&) = delete;
    CH264Decoder& operator=(const CH264Decoder&) = delete;

    // Opens the decoder if it is not open yet (a failure leaves it closed, so a later call
    // tries again). When width, height and depth are all non-zero, also makes the converter for
    // that size and output depth (32: B, G, R, X bytes; any other depth fails). With a zero
    // among them only the decoder is opened and the stored size is taken over.
    bool Open(int width, int height, int depth);

    // Decodes one access unit (copied in, so the bytes may be reused at once), which came with
    // `record`. True when a planar YUV 4:2:0 picture came out; it and PictureRecord stay valid
    // until the next Decode. Empty input and pictures of any other layout give false, and so
    // does a picture whose packet is no longer known (one sent before a Flush).
    bool Decode(std::span<const uint8_t> access_unit, const PacketRecord& record = {});

    // Forgets every picture still inside the decoder, so that nothing from before a seek, a
    // switch or a change of direction comes out after it.
    void Flush();

    PicturePlanes Picture() const;
    // Holds the planes of the last decoded picture alive, unchanged, for as long as it is kept
    // (a reference to FFmpeg's frame, no copy); null when there is none.
    std::shared_ptr<const void> KeepPicture() const;
    int PictureWidth() const;
    int PictureHeight() const;
    // The record of the packet the picture was decoded from (its data pointer is not kept).
    const PacketRecord& PictureRecord() const { return picture_record_; }

    // Null until width, height and depth are known.
    SwsContext* Converter() const { return converter_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; }

    // Frees the decoder, the picture and the converter.
    void Close();

private:
    bool OpenCodec();
    // Finds the record of the packet tagged `tag` and forgets it.
    bool TakeRecord(int64_t tag);

    // A packet inside the decoder: its record and the tag it went in with (as its time stamp,
    // which the decoder hands on to the picture decoded from it).
    struct Sent {
        int64_t tag = 0;
        PacketRecord record;
    };

    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    AVCodecContext* context_ = nullptr;
    bool codec_open_ = false;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* converter_ = nullptr;
    int64_t next_tag_ = 0;
    std::deque<Sent> sent_;
    PacketRecord picture_record_;
};

} // namespace korvex
