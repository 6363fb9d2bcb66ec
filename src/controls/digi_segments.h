#pragma once

#include <QPolygon>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvex {

// The 14-segment character set in its design grid: cells 49 units wide and 83 high.
inline constexpr int kDigiCellWidth = 49;
inline constexpr int kDigiCellHeight = 83;
inline constexpr int kDigiSegmentCount = 14;

// Segment i's outline in grid units, mirrored as its index wants.
QPolygon DigiSegmentOutline(int index);

// Lit segments of a character (bit i lights segment i); none for characters that are skipped.
std::optional<std::uint16_t> DigiMask(QChar character);

// The masks of the characters of a text that are shown, in order.
std::vector<std::uint16_t> DigiMasks(const QString& text);

} // namespace korvex
