#pragma once

#include "mkcard/yuv_view.h"

namespace korvex::mkcard {

// Paints a simple road seen from the driver's seat: sky, verges, the road with kerb stripes and
// a dashed centre line that move towards the viewer as the car goes on, so consecutive pictures
// differ the way a drive's do. travelled: road units driven (three stripes a unit); bend: how
// far the road curves away, -1 (left) to 1 (right) of half the picture's width at the horizon.
void PaintRoadScene(const YuvView& picture, double travelled, double bend);

// The scene at a steady pace on a straight road, seconds into the drive.
void PaintRoadScene(const YuvView& picture, double seconds);

} // namespace korvex::mkcard
