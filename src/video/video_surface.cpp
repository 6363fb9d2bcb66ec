#include "video/video_surface.h"

#include <algorithm>
#include <cstring>

namespace korvex {
namespace {

uint8_t ClampByte(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

VideoSurface& VideoSurface::operator=(const VideoSurface& other) {
    if (this == &other) {
        return *this;
    }
    Reshape(other.format_, other.width_, other.height_);
    if (format_ == Format::kBgrx32) {
        CopyPlane(other.plane(0), other.stride(0), plane(0), stride_[0], width_ * 4, height_);
    } else if (format_ == Format::kYuv420) {
        CopyYuv420(other.Planes(), width_, height_);
    }
    return *this;
}

void VideoSurface::Reshape(Format format, int width, int height) {
    keeper_.reset();
    format_ = format;
    width_ = width;
    height_ = height;
    if (format == Format::kBgrx32) {
        stride_[0] = width * 4;
        offset_[0] = 0;
    } else if (format == Format::kYuv420) {
        const int chroma_width = ChromaWidth(width);
        stride_[0] = width;
        stride_[1] = stride_[2] = chroma_width;
        offset_[0] = 0;
        offset_[1] = width * height;
        offset_[2] = offset_[1] + chroma_width * ChromaHeight(height);
    }
    const size_t bytes = PictureBytes();
    if (storage_.size() < bytes) {
        storage_.resize(bytes);
    } else if (storage_.size() > 2 * bytes) {
        storage_.resize(bytes);
        storage_.shrink_to_fit();
    }
}

size_t VideoSurface::PictureBytes() const {
    const auto rows = static_cast<size_t>(height_);
    switch (format_) {
    case Format::kBgrx32:
        return static_cast<size_t>(width_) * 4 * rows;
    case Format::kYuv420:
        return static_cast<size_t>(width_) * rows + 2 * static_cast<size_t>(ChromaWidth(width_)) *
                                                        static_cast<size_t>(ChromaHeight(height_));
    case Format::kNone:
        break;
    }
    return 0;
}

void VideoSurface::Fill(uint32_t argb) {
    Reshape(format_ == Format::kNone ? Format::kBgrx32 : format_, width_, height_);
    const int red = static_cast<int>((argb >> 16) & 0xFF);
    const int green = static_cast<int>((argb >> 8) & 0xFF);
    const int blue = static_cast<int>(argb & 0xFF);
    if (format_ == Format::kYuv420) {
        const size_t luma = static_cast<size_t>(offset_[1]);
        const size_t chroma = static_cast<size_t>(offset_[2] - offset_[1]);
        std::memset(plane(0), ClampByte((77 * red + 150 * green + 29 * blue + 128) >> 8), luma);
        std::memset(plane(1), ClampByte(((-43 * red - 85 * green + 128 * blue + 128) >> 8) + 128),
                    chroma);
        std::memset(plane(2), ClampByte(((128 * red - 107 * green - 21 * blue + 128) >> 8) + 128),
                    chroma);
        return;
    }
    const uint8_t pixel[4] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green),
                              static_cast<uint8_t>(red), 0xFF};
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

void VideoSurface::Borrow(const PicturePlanes& picture, int width, int height,
                          std::shared_ptr<const void> keeper) {
    format_ = Format::kYuv420;
    width_ = width;
    height_ = height;
    colour_ = picture.colour;
    for (size_t i = 0; i < 3; ++i) {
        borrowed_[i] = picture.data[i];
        stride_[i] = picture.stride[i];
    }
    keeper_ = std::move(keeper);
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
    if (source_stride == bytes && target_stride == bytes) {
        std::memcpy(target, source, static_cast<size_t>(bytes) * static_cast<size_t>(rows));
        return;
    }
    for (int y = 0; y < rows; ++y) {
        std::memcpy(target + static_cast<ptrdiff_t>(y) * target_stride,
                    source + static_cast<ptrdiff_t>(y) * source_stride, static_cast<size_t>(bytes));
    }
}

} // namespace korvex
