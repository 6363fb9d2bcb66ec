#pragma once

#include "video/picture_planes.h"

#include <cstdint>
#include <memory>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace korvex {

// FFmpeg's H.264 decoder in software, one access unit in and at most one picture out (one
// thread, no frame threading, which would hold pictures back), and the colour converter from
// the decoded planar YUV 4:2:0 to the back buffer's RGB format at the same size.
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

    // Decodes one access unit (copied in, so the bytes may be reused at once). True when a
    // planar YUV 4:2:0 picture came out; it stays valid until the next Decode. Empty input and
    // pictures of any other layout give false.
    bool Decode(const uint8_t* data, int size);

    PicturePlanes Picture() const;
    // Holds the planes of the last decoded picture alive, unchanged, for as long as it is kept
    // (a reference to FFmpeg's frame, no copy); null when there is none.
    std::shared_ptr<const void> KeepPicture() const;
    int PictureWidth() const;
    int PictureHeight() const;

    // Null until width, height and depth are known.
    SwsContext* Converter() const { return converter_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; }

    // Frees the decoder, the picture and the converter.
    void Close();

private:
    bool OpenCodec();

    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    AVCodecContext* context_ = nullptr;
    bool codec_open_ = false;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* converter_ = nullptr;
};

} // namespace korvex
