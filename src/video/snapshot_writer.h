#pragma once

#include "video/picture_tags.h"
#include "video/video_surface.h"

#include <filesystem>

namespace korvex {

// Writes a snapshot of `picture` (the presenter's back buffer, at the picture's own size) to
// `path`, creating its folder when missing: a bitmap for ".bmp", a JPEG file for ".jpg" (either
// case), carrying `tags` as EXIF data (video/exif_block.h); any other extension writes nothing.
// A bitmap carries no tags. YUV pictures are converted to RGB as the RGB
// transfer does it. False when no file was written. Runs on the calling thread (the snapshot
// queue's, video/snapshot_queue.h).
bool SaveSnapshot(const VideoSurface& picture, const std::filesystem::path& path,
                  const PictureTags& tags = {});

} // namespace korvex
