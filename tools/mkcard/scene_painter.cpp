#include "mkcard/scene_painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korvex::mkcard {
namespace {

struct Colour {
    uint8_t y, u, v;
};

constexpr Colour kGrass{104, 96, 112};
constexpr Colour kRoad{88, 128, 128};
constexpr Colour kLine{224, 128, 128};
constexpr Colour kKerbRed{82, 100, 200};
constexpr Colour kKerbWhite{200, 128, 128};

constexpr double kHorizon = 0.42;     // fraction of the height
constexpr double kStripesPerUnit = 3; // stripes per unit of depth
constexpr double kUnitsPerSecond = 4; // the steady pace

Colour SkyAt(int y, int horizon) {
    const int shade = horizon > 0 ? 60 * y / horizon : 0;
    return Colour{static_cast<uint8_t>(120 + shade), 156, 112};
}

void Span(uint8_t* row, int x0, int x1, uint8_t value) {
    if (x1 > x0) {
        std::memset(row + x0, value, static_cast<size_t>(x1 - x0));
    }
}

// Paints one picture row (luma), and the chroma row below it when chroma is set.
void PaintRow(const YuvView& picture, int y, double travelled, double bend, bool chroma) {
    const int width = picture.width;
    const int horizon = static_cast<int>(picture.height * kHorizon);
    uint8_t* luma = picture.y + static_cast<ptrdiff_t>(y) * picture.y_stride;
    uint8_t* u = picture.u + static_cast<ptrdiff_t>(y / 2) * picture.u_stride;
    uint8_t* v = picture.v + static_cast<ptrdiff_t>(y / 2) * picture.v_stride;
    auto paint = [&](int x0, int x1, Colour colour) {
        x0 = std::clamp(x0, 0, width);
        x1 = std::clamp(x1, 0, width);
        Span(luma, x0, x1, colour.y);
        if (chroma) {
            Span(u, x0 / 2, (x1 + 1) / 2, colour.u);
            Span(v, x0 / 2, (x1 + 1) / 2, colour.v);
        }
    };
    if (y < horizon) {
        paint(0, width, SkyAt(y, horizon));
        return;
    }
    // Perspective: rows near the horizon are far away; the road widens towards the bottom.
    const double nearness = static_cast<double>(y - horizon + 1) / (picture.height - horizon);
    const double depth = 1.0 / nearness;
    const bool stripe =
        static_cast<long>(std::floor((depth - travelled) * kStripesPerUnit)) % 2 == 0;
    const double far = 1 - nearness;
    const int centre = width / 2 + static_cast<int>(bend * far * far * width / 2);
    const int half_road = static_cast<int>(width * (0.03 + 0.47 * nearness));
    const int kerb = std::max(1, half_road / 12);
    const int line = std::max(1, half_road / 40);
    paint(0, width, kGrass);
    paint(centre - half_road, centre + half_road, kRoad);
    const Colour kerb_colour = stripe ? kKerbRed : kKerbWhite;
    paint(centre - half_road - kerb, centre - half_road, kerb_colour);
    paint(centre + half_road, centre + half_road + kerb, kerb_colour);
    if (stripe) {
        paint(centre - line, centre + line, kLine);
    }
}

} // namespace

void PaintRoadScene(const YuvView& picture, double travelled, double bend) {
    for (int y = 0; y < picture.height; ++y) {
        PaintRow(picture, y, travelled, bend, y % 2 == 0);
    }
}

void PaintRoadScene(const YuvView& picture, double seconds) {
    PaintRoadScene(picture, seconds * kUnitsPerSecond, 0);
}

} // namespace korvex::mkcard
