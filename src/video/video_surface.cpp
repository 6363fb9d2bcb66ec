#include "video/video_surface.h"

#include <cstddef>
#include <cstring>

namespace korvex {

void VideoSurface::Reshape(Format format, int width, int height) {
    format_ = format;
    width_ = width;
    height_ = height;
    size_t bytes = 0;
    if (format == Format::kBgrx32) {
        stride_[0] = width * 4;
        offset_[0] = 0;
        bytes = static_cast<size_t>(stride_[0]) * static_cast<size_t>(height);
    } else if (format == Format::kYuv420) {
        const int chroma_width = ChromaWidth(width);
        const int chroma_rows = ChromaHeight(height);
        stride_[0] = width;
        stride_[1] = stride_[2] = chroma_width;
        offset_[0] = 0;
        offset_[1] = width * height;
        offset_[2] = offset_[1] + chroma_width * chroma_rows;
        bytes = static_cast<size_t>(offset_[2]) + static_cast<size_t>(chroma_width * chroma_rows);
    }
    if (storage_.size() < bytes) {
        storage_.resize(bytes);
    }
}

void VideoSurface::Fill(uint32_t argb) {
    Reshape(Format::kBgrx32, width_, height_);
    const uint8_t pixel[4] = {static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 8),
                              static_cast<uint8_t>(argb >> 16), 0xFF};
    uint8_t* row = plane(0);
    for (int x = 0; x < width_; ++x) {
        std::memcpy(row + static_cast<ptrdiff_t>(x) * 4, pixel, 4);
    }
    for (int y = 1; y < height_; ++y) {
        std::memcpy(row + static_cast<ptrdiff_t>(y) * stride_[0], row,
                    static_cast<size_t>(width_) * 4);
    }
}

void VideoSurface::CopyYuv420(const PicturePlanes& picture, int width, int height) {
    Reshape(Format::kYuv420, width, height);
    colour_ = picture.colour;
    CopyPlane(picture.data[0], picture.stride[0], plane(0), stride_[0], width, height);
    for (int i = 1; i <= 2; ++i) {
        CopyPlane(picture.data[static_cast<size_t>(i)], picture.stride[static_cast<size_t>(i)],
                  plane(i), stride_[i], ChromaWidth(width), ChromaHeight(height));
    }
}

PicturePlanes VideoSurface::Planes() const {
    PicturePlanes planes;
    planes.colour = colour_;
    for (int i = 0; i < 3; ++i) {
        planes.data[static_cast<size_t>(i)] = plane(i);
        planes.stride[static_cast<size_t>(i)] = stride_[i];
    }
    return planes;
}

void CopyPlane(const uint8_t* source, int source_stride, uint8_t* target, int target_stride,
               int bytes, int rows) {
    for (int y = 0; y < rows; ++y) {
        std::memcpy(target + static_cast<ptrdiff_t>(y) * target_stride,
                    source + static_cast<ptrdiff_t>(y) * source_stride, static_cast<size_t>(bytes));
    }
}

} // namespace korvex
