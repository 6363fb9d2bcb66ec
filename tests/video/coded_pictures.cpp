#include "coded_pictures.h"

#include "mkcard/block_code.h"
#include "mkcard/h264_encoder.h"
#include "mkcard/scene_painter.h"

#include <stdexcept>

namespace korvex::test {

std::vector<CodedPicture> EncodePictures(int count, int width, int height, int gop, int number,
                                         const mkcard::StreamForm& form) {
    constexpr int kFps = 30;
    constexpr int kCrf = 23;
    mkcard::H264Encoder encoder(width, height, kFps, gop, kCrf, {}, form);
    std::vector<CodedPicture> pictures;
    const auto take = [&pictures](std::vector<mkcard::AccessUnit> units) {
        for (mkcard::AccessUnit& unit : units) {
            pictures.push_back({std::move(unit.bytes), unit.idr, static_cast<int>(unit.pts)});
        }
    };
    for (int index = 0; index < count; ++index) {
        const mkcard::YuvView view = encoder.NextPicture();
        mkcard::PaintRoadScene(view, static_cast<double>(index) / kFps);
        mkcard::WriteBlockCode(view, BlockCode{number, index});
        take(encoder.Encode());
        if (form.b_frames == 0 && pictures.size() != static_cast<std::size_t>(index) + 1) {
            throw std::runtime_error("the encoder held a picture back");
        }
    }
    take(encoder.Flush());
    return pictures;
}

} // namespace korvex::test
