#pragma once

#include "video/picture_tags.h"

#include <cstdint>
#include <vector>

namespace korvex {

// The EXIF data of a picture through libexif, as a JPEG file's APP1 segment carries it after
// its length ("Exif", two zero bytes, then the TIFF structure): DateTime and DateTimeOriginal in
// the local time of the process's time zone, with OffsetTime and OffsetTimeOriginal; with a fix
// the GPS latitude, longitude, speed (km/h), true direction and, when the fix has them, the
// GPS time and date; and the tags every JPEG file's EXIF data carries, with the picture's
// `width` and `height`. Empty when there is nothing to tell or libexif fails. Any thread.
std::vector<std::uint8_t> ExifBlock(const PictureTags& tags, int width, int height);

} // namespace korvex
