#pragma once

#include "video/picture_planes.h"

#include <cstdint>
#include <vector>

namespace korvex {

// One picture in main memory, as the presenter's back buffer holds it and as it travels to a
// video output: either planar YUV 4:2:0 (Y, U, V planes, tightly packed) or 32-bit pixels in
// B, G, R, X byte order. Owns its bytes; a copy is a deep copy, a swap exchanges storage.
// Not shared between threads by itself: whoever holds one says who may touch it.
class VideoSurface {
public:
    enum class Format { kNone, kYuv420, kBgrx32 };

    // Makes this a width x height picture of `format`; the bytes are left as they were (new ones
    // are zero). Keeps the storage when it is large enough, so a reused surface does not allocate.
    void Reshape(Format format, int width, int height);

    // Makes this a width x height kYuv420 picture holding a copy of `picture` and its colour.
    void CopyYuv420(const PicturePlanes& picture, int width, int height);

    // Every pixel the 32-bit ARGB colour (the alpha byte is ignored); the surface becomes a
    // kBgrx32 picture of its current size.
    void Fill(uint32_t argb);

    Format format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return format_ == Format::kNone; }

    // Plane 0 only for kBgrx32; planes 0-2 for kYuv420.
    uint8_t* plane(int index) { return storage_.data() + offset_[index]; }
    const uint8_t* plane(int index) const { return storage_.data() + offset_[index]; }
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
};

// Copies rows of `bytes` bytes from one strided plane to another.
void CopyPlane(const uint8_t* source, int source_stride, uint8_t* target, int target_stride,
               int bytes, int rows);

} // namespace korvex
