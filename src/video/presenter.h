#pragma once

// The presenter: what the video worker (video/video_ctx.h) uses to put a decoded picture on a
// video output. It keeps a back buffer the size of the picture in main memory; a transfer fills
// it (planar YUV when the output converts colour itself, otherwise 32-bit RGB converted here),
// and presenting hands it to the output, which stretches it over its whole area. A decoded
// picture that stays valid while it is shown is borrowed, not copied, so its bytes are copied
// at most once, by an output that keeps them. Snapshots read the back buffer, so they are taken
// at the picture's own size.
//
// Threading: not locked. It belongs to the video worker's thread while that runs; the channel
// may clear and present after it has joined the worker. Every call below is made by that one
// owning thread.

#include "video/picture_planes.h"
#include "video/video_output.h"
#include "video/video_surface.h"

#include <cstdint>
#include <memory>

struct SwsContext;

namespace korvex {

class CVideoPresenter {
public:
    CVideoPresenter() = default;
    ~CVideoPresenter() { Release(); }
    CVideoPresenter(const CVideoPresenter&) = delete;
    CVideoPresenter& operator=(const CVideoPresenter&) = delete;

    // Releases what is held, then opens `output` for width x height pictures and makes a back
    // buffer of that size. False when the output cannot be opened (the presenter is then
    // released). On success, Yv12Available() tells whether the YUV transfer can be used.
    bool Init(VideoOutput* output, int width, int height);

    // Closes the output and drops the back buffer; HasSurface() is false afterwards.
    void Release();

    // True between a successful Init and the next Release.
    bool HasSurface() const { return output_ != nullptr; }
    // The output the presenter was initialised for; null when released.
    VideoOutput* output() const { return output_; }
    bool Yv12Available() const { return yuv420_; }
    // Bits per pixel of the RGB back buffer (the colour converter's target): 32, B, G, R, X
    // bytes; 0 when released.
    int RgbDepth() const { return HasSurface() ? 32 : 0; }

    // Fills the whole back buffer with a 32-bit ARGB colour.
    void Clear(uint32_t argb);

    // Hands the back buffer to the output (or tells it nothing changed). False when the output
    // failed; the presenter is then released and must be initialised again.
    bool Present();

    // Puts a width x height planar YUV 4:2:0 picture into the back buffer: borrowed in place
    // when a `keeper` holds its planes alive, else copied. False when there is no surface, the
    // output takes no YUV or the size is not the back buffer's.
    bool TransferYV12(const PicturePlanes& picture, int width, int height,
                      std::shared_ptr<const void> keeper = nullptr);

    // Converts `rows` rows of a planar YUV 4:2:0 picture into the 32-bit back buffer with
    // `converter` (same size in and out, 32-bit B, G, R, X out). False without a surface or a
    // converter.
    bool TransferRGB(SwsContext* converter, const PicturePlanes& picture, int rows);

    // The back buffer, for snapshots; null when released.
    const VideoSurface* CurrentSurface() const { return HasSurface() ? &back_buffer_ : nullptr; }

private:
    VideoOutput* output_ = nullptr;
    bool yuv420_ = false;
    bool changed_ = false; // the back buffer was written since the last Present
    VideoSurface back_buffer_;
};

} // namespace korvex
