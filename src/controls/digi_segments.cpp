#include "controls/digi_segments.h"

#include <array>

namespace korvex {
namespace {

enum class Mirror { kNone, kHorizontal, kVertical, kBoth };

const QPolygon kCentreBar({{20, 13}, {20, 36}, {24, 40}, {28, 36}, {28, 13}});
const QPolygon kDiagonal({{5, 5}, {15, 35}, {20, 37}, {18, 25}});
const QPolygon kMiddleHalf({{6, 41}, {14, 45}, {18, 45}, {22, 41}, {18, 37}, {14, 37}});
const QPolygon kOuterUpright({{4, 7}, {4, 40}, {11, 36}, {11, 26}});
const QPolygon kTopBar({{6, 4}, {11, 11}, {37, 11}, {42, 4}});

struct SegmentShape {
    const QPolygon* outline;
    Mirror mirror;
};

const std::array<SegmentShape, kDigiSegmentCount> kSegments = {{
    {&kCentreBar, Mirror::kNone},
    {&kDiagonal, Mirror::kNone},
    {&kDiagonal, Mirror::kHorizontal},
    {&kDiagonal, Mirror::kVertical},
    {&kDiagonal, Mirror::kBoth},
    {&kCentreBar, Mirror::kVertical},
    {&kMiddleHalf, Mirror::kNone},
    {&kMiddleHalf, Mirror::kHorizontal},
    {&kOuterUpright, Mirror::kNone},
    {&kOuterUpright, Mirror::kVertical},
    {&kTopBar, Mirror::kVertical},
    {&kOuterUpright, Mirror::kBoth},
    {&kOuterUpright, Mirror::kHorizontal},
    {&kTopBar, Mirror::kNone},
}};

constexpr std::array<std::uint16_t, 10> kDigitMasks = {0x3F00, 0x1800, 0x36C0, 0x3CC0, 0x19C0,
                                                       0x2DC0, 0x2FC0, 0x3800, 0x3FC0, 0x3DC0};

} // namespace

QPolygon DigiSegmentOutline(int index) {
    const SegmentShape& shape = kSegments.at(static_cast<size_t>(index));
    QPolygon outline = *shape.outline;
    const bool horizontal = shape.mirror == Mirror::kHorizontal || shape.mirror == Mirror::kBoth;
    const bool vertical = shape.mirror == Mirror::kVertical || shape.mirror == Mirror::kBoth;
    for (QPoint& point : outline) {
        point = QPoint(horizontal ? kDigiCellWidth - 1 - point.x() : point.x(),
                       vertical ? kDigiCellHeight - 1 - point.y() : point.y());
    }
    return outline;
}

std::optional<std::uint16_t> DigiMask(QChar character) {
    if (character >= QLatin1Char('0') && character <= QLatin1Char('9')) {
        return kDigitMasks[static_cast<size_t>(character.unicode() - '0')];
    }
    if (character == QLatin1Char(' ')) {
        return 0x0000;
    }
    if (character == QLatin1Char('-')) {
        return 0x00C0;
    }
    return std::nullopt;
}

std::vector<std::uint16_t> DigiMasks(const QString& text) {
    std::vector<std::uint16_t> masks;
    for (const QChar character : text) {
        if (const auto mask = DigiMask(character)) {
            masks.push_back(*mask);
        }
    }
    return masks;
}

} // namespace korvex
