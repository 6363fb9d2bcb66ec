#include "snapshot_files.h"

#include "temp_dir.h"

#include <cstring>
#include <string>
#include <turbojpeg.h>

namespace korvex::test {
namespace {

uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

} // namespace

std::optional<VideoSurface> ReadBmp(const std::filesystem::path& path) {
    const std::string file = ReadFile(path);
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || Le32(file, 28) != 24) {
        return std::nullopt;
    }
    const int width = static_cast<int>(Le32(file, 18));
    const int height = static_cast<int>(Le32(file, 22));
    const size_t row_bytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t data = Le32(file, 10);
    if (Le32(file, 2) != file.size() ||
        data + row_bytes * static_cast<size_t>(height) != file.size()) {
        return std::nullopt;
    }
    VideoSurface picture;
    picture.Reshape(VideoSurface::Format::kBgrx32, width, height);
    for (int y = 0; y < height; ++y) {
        const char* row = file.data() + data + row_bytes * static_cast<size_t>(height - 1 - y);
        uint8_t* out =
            picture.plane(0) + static_cast<size_t>(y) * static_cast<size_t>(picture.stride(0));
        for (int x = 0; x < width; ++x) {
            std::memcpy(out + x * 4, row + x * 3, 3);
            out[x * 4 + 3] = 0xFF;
        }
    }
    return picture;
}

std::optional<VideoSurface> ReadJpeg(const std::filesystem::path& path) {
    const std::string file = ReadFile(path);
    tjhandle decompressor = tjInitDecompress();
    auto* jpeg = reinterpret_cast<unsigned char*>(const_cast<char*>(file.data()));
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    std::optional<VideoSurface> picture;
    if (tjDecompressHeader3(decompressor, jpeg, file.size(), &width, &height, &subsampling,
                            &colourspace) == 0) {
        picture.emplace();
        picture->Reshape(VideoSurface::Format::kBgrx32, width, height);
        if (tjDecompress2(decompressor, jpeg, file.size(), picture->plane(0), width,
                          picture->stride(0), height, TJPF_BGRX, 0) != 0) {
            picture.reset();
        }
    }
    tjDestroy(decompressor);
    return picture;
}

std::optional<VideoSurface> ReadImage(const std::filesystem::path& path) {
    return path.extension() == ".jpg" ? ReadJpeg(path) : ReadBmp(path);
}

} // namespace korvex::test
