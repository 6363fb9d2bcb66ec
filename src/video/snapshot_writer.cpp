#include "video/snapshot_writer.h"

#include "app/file_extension.h"
#include "video/bgrx_conversion.h"
#include "video/exif_block.h"
#include "video/folder_creation.h"
#include "video/image_files.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <string>

namespace korvex {
namespace {

// The picture as 32-bit B, G, R, X pixels; `converted` holds them when a conversion was needed.
const VideoSurface* AsBgrx(const VideoSurface& picture, VideoSurface& converted) {
    if (picture.format() == VideoSurface::Format::kBgrx32) {
        return &picture;
    }
    if (picture.format() != VideoSurface::Format::kYuv420) {
        return nullptr;
    }
    SwsContext* converter = sws_getContext(picture.width(), picture.height(), AV_PIX_FMT_YUV420P,
                                           picture.width(), picture.height(), AV_PIX_FMT_BGRA,
                                           SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    if (converter == nullptr) {
        return nullptr;
    }
    converted.Reshape(VideoSurface::Format::kBgrx32, picture.width(), picture.height());
    ConvertToBgrx(converter, picture.Planes(), picture.height(), converted);
    sws_freeContext(converter);
    return &converted;
}

} // namespace

bool SaveSnapshot(const VideoSurface& picture, const std::filesystem::path& path,
                  const PictureTags& tags) {
    const std::string extension = LowerExtension(path);
    const bool bmp = extension == ".bmp";
    if (!bmp && extension != ".jpg") {
        return false;
    }
    VideoSurface converted;
    const VideoSurface* pixels = AsBgrx(picture, converted);
    if (pixels == nullptr) {
        return false;
    }
    CreateFolderFor(path);
    if (bmp) {
        return WriteBmp(path, pixels->plane(0), pixels->width(), pixels->height(),
                        pixels->stride(0));
    }
    return WriteJpeg(path, pixels->plane(0), pixels->width(), pixels->height(), pixels->stride(0),
                     ExifBlock(tags, pixels->width(), pixels->height()));
}

} // namespace korvex
