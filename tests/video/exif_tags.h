#pragma once

// Reads the EXIF tags of image files back with an outside reader, exiftool, as numbers (-n):
// what a photo program would find in a snapshot.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace korvex::test {

using ExifTags = std::map<std::string, std::string>; // tag name -> value; absent when missing

// The `tags` (exiftool's names, such as "DateTimeOriginal" or "GPSLatitude") of every file, by
// file name. A file exiftool cannot read is missing; a failing exiftool fails the test.
std::map<std::string, ExifTags> ReadExifTags(const std::vector<std::filesystem::path>& files,
                                             const std::vector<std::string>& tags);

} // namespace korvex::test
