#pragma once

#include "mkcard/yuv_view.h"

#include <string_view>

namespace korvex::mkcard {

// Burns a caption into the bottom-left corner of the picture as a dash camera does: white
// 5 x 7 pixel characters with a black outline, scaled with the picture's height so they stay
// legible from small pictures to full HD. Knows digits, ' ', '/', ':', '-', 'k', 'm' and 'h';
// other characters are left blank.
void PaintCaption(const YuvView& picture, std::string_view text);

} // namespace korvex::mkcard
