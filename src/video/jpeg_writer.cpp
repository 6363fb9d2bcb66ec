#include "app/atomic_file.h"
#include "video/image_files.h"

#include <string_view>
#include <turbojpeg.h>

namespace korvex {

bool WriteJpeg(const std::filesystem::path& path, const uint8_t* pixels, int width, int height,
               int stride) {
    constexpr int kQuality = 90;
    tjhandle compressor = tjInitCompress();
    if (compressor == nullptr) {
        return false;
    }
    unsigned char* jpeg = nullptr;
    unsigned long jpeg_size = 0;
    const bool encoded = tjCompress2(compressor, pixels, width, stride, height, TJPF_BGRX, &jpeg,
                                     &jpeg_size, TJSAMP_420, kQuality, TJFLAG_ACCURATEDCT) == 0;
    const bool written =
        encoded && !WriteFileAtomically(
                       path, std::string_view(reinterpret_cast<const char*>(jpeg), jpeg_size));
    tjFree(jpeg);
    tjDestroy(compressor);
    return written;
}

} // namespace korvex
