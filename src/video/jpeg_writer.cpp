#include "app/atomic_file.h"
#include "video/image_files.h"

#include <string>
#include <string_view>
#include <turbojpeg.h>

namespace korvex {
namespace {

// The file's bytes: the start-of-image marker, the APP1 segment when there is one, the rest.
std::string WithExif(std::string_view jpeg, std::span<const uint8_t> exif) {
    constexpr std::size_t kSoiBytes = 2;
    const std::size_t length = exif.size() + 2; // the length counts itself
    std::string bytes(jpeg.substr(0, kSoiBytes));
    bytes += {'\xFF', '\xE1', static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
    bytes.append(reinterpret_cast<const char*>(exif.data()), exif.size());
    bytes += jpeg.substr(kSoiBytes);
    return bytes;
}

} // namespace

bool WriteJpeg(const std::filesystem::path& path, const uint8_t* pixels, int width, int height,
               int stride, std::span<const uint8_t> exif) {
    constexpr int kQuality = 90;
    constexpr std::size_t kLargestSegment = 0xFFFF - 2;
    if (exif.size() > kLargestSegment) {
        return false;
    }
    tjhandle compressor = tjInitCompress();
    if (compressor == nullptr) {
        return false;
    }
    unsigned char* jpeg = nullptr;
    unsigned long jpeg_size = 0;
    const bool encoded = tjCompress2(compressor, pixels, width, stride, height, TJPF_BGRX, &jpeg,
                                     &jpeg_size, TJSAMP_420, kQuality, TJFLAG_ACCURATEDCT) == 0;
    bool written = false;
    if (encoded) {
        const std::string_view plain(reinterpret_cast<const char*>(jpeg), jpeg_size);
        const std::string tagged = exif.empty() ? std::string() : WithExif(plain, exif);
        written = !WriteFileAtomically(path, exif.empty() ? plain : std::string_view(tagged));
    }
    tjFree(jpeg);
    tjDestroy(compressor);
    return written;
}

} // namespace korvex
