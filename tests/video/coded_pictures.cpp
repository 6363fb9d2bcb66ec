#include "coded_pictures.h"

#include "mkcard/h264_encoder.h"
#include "mkcard/scene_painter.h"

#include <stdexcept>

namespace korvex::test {

std::vector<CodedPicture> EncodePictures(int count, int width, int height, int gop, int number) {
    constexpr int kFps = 30;
    constexpr int kCrf = 23;
    mkcard::H264Encoder encoder(width, height, kFps, gop, kCrf);
    std::vector<CodedPicture> pictures;
    for (int index = 0; index < count; ++index) {
        const mkcard::YuvView view = encoder.NextPicture();
        mkcard::PaintRoadScene(view, static_cast<double>(index) / kFps);
        mkcard::WriteBlockCode(view, mkcard::BlockCode{number, index});
        std::vector<mkcard::AccessUnit> units = encoder.Encode();
        if (units.size() != 1) {
            throw std::runtime_error("the encoder held a picture back");
        }
        pictures.push_back(CodedPicture{std::move(units.front().bytes), units.front().idr, index});
    }
    return pictures;
}

} // namespace korvex::test
