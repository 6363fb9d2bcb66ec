#pragma once

#include "mkcard/yuv_view.h"

namespace korvex::mkcard {

// Paints a simple road seen from the driver's seat: sky, verges, the road with kerb stripes and
// a dashed centre line that move towards the viewer as time goes on, so consecutive pictures
// differ the way a drive's do.
void PaintRoadScene(const YuvView& picture, double seconds);

} // namespace korvex::mkcard
