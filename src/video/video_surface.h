#pragma once

#include "video/picture_planes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace korvex {

// One picture in main memory, as the presenter's back buffer holds it and as it travels to a
// video output: either planar YUV 4:2:0 (Y, U, V planes) or 32-bit pixels in B, G, R, X byte
// order. Its bytes are its own, tightly packed, or borrowed in place from a decoded picture that
// a keeper holds alive (the back buffer shows the decoder's picture so, without a copy).
// A copy is always a packed one of its own holding only the picture's bytes; a move or a swap
// exchanges storage. Not shared between threads by itself: whoever holds one says who may touch
// it.
class VideoSurface {
public:
    enum class Format { kNone, kYuv420, kBgrx32 };

    VideoSurface() = default;
    VideoSurface(const VideoSurface& other) { *this = other; }
    VideoSurface& operator=(const VideoSurface& other);
    VideoSurface(VideoSurface&&) noexcept = default;
    VideoSurface& operator=(VideoSurface&&) noexcept = default;
    ~VideoSurface() = default;

    // Makes this a packed width x height picture of `format` with bytes of its own (left as
    // they were; new ones are zero). Keeps the storage when it fits and is not more than twice
    // the size, so a reused surface neither allocates nor keeps a larger format's bytes.
    void Reshape(Format format, int width, int height);

    // Makes this a width x height kYuv420 picture holding a copy of `picture` and its colour.
    void CopyYuv420(const PicturePlanes& picture, int width, int height);

    // Makes this a width x height kYuv420 picture that shows `picture` in place; `keeper` holds
    // the planes alive until the surface is reshaped, filled, reassigned or destroyed.
    void Borrow(const PicturePlanes& picture, int width, int height,
                std::shared_ptr<const void> keeper);

    // Every pixel the 32-bit ARGB colour (the alpha byte is ignored), in the current format
    // (a kYuv420 picture takes the full-range BT.601 value; kBgrx32 when there is none yet).
    void Fill(uint32_t argb);

    Format format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return format_ == Format::kNone; }
    bool borrowed() const { return keeper_ != nullptr; }
    // The bytes of the picture itself (its planes without row padding).
    size_t PictureBytes() const;

    // Plane 0 only for kBgrx32; planes 0-2 for kYuv420. The writable planes are the surface's
    // own, so never of a borrowed surface.
    uint8_t* plane(int index) { return storage_.data() + offset_[index]; }
    const uint8_t* plane(int index) const {
        return borrowed() ? borrowed_[index] : storage_.data() + offset_[index];
    }
    int stride(int index) const { return stride_[index]; }
    // The planes as a decoded picture is described, with their colour (kYuv420 only).
    PicturePlanes Planes() const;
    const PictureColour& colour() const { return colour_; }

private:
    Format format_ = Format::kNone;
    int width_ = 0;
    int height_ = 0;
    int offset_[3] = {};
    int stride_[3] = {};
    PictureColour colour_; // of kYuv420 samples
    std::vector<uint8_t> storage_;
    std::shared_ptr<const void> keeper_;
    const uint8_t* borrowed_[3] = {};
};

// Copies rows of `bytes` bytes from one strided plane to another.
void CopyPlane(const uint8_t* source, int source_stride, uint8_t* target, int target_stride,
               int bytes, int rows);

} // namespace korvex
