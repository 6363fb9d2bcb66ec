#pragma once

#include <sys/types.h>

namespace korvex::test {

// A private X server (Xvfb) for the tests that need an OpenGL context: Qt's offscreen platform
// has none here, while Mesa's software rasteriser serves one through Xvfb. Starting it sets
// DISPLAY; the server is stopped with the object.
class XvfbDisplay {
public:
    XvfbDisplay() = default;
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // Starts Xvfb with a 1280 x 1024 screen on a free display number; false when it cannot.
    bool Start();

private:
    pid_t server_ = -1;
};

} // namespace korvex::test
