#pragma once

#include "video/video_surface.h"

#include <mutex>

namespace korvex {

// Hands the newest complete picture from the thread that presents to the thread that draws,
// so that a picture is never drawn while it is being written and never torn. Three surfaces
// circulate: the presenting thread copies into its own, then trades it for the posted one
// under a short lock; the drawing thread trades the posted one for the one it drew. A picture
// posted and replaced before it was taken is simply never drawn.
class PictureMailbox {
public:
    // Presenting thread (one at a time; the video worker, or the channel after joining it).
    void Post(const VideoSurface& picture);

    // Drawing thread only. The newest posted picture, or null before the first Post; it stays
    // valid and unchanged until the next Take. `fresh` tells whether it was posted since the
    // previous Take.
    const VideoSurface* Take(bool& fresh);

private:
    VideoSurface writing_; // the presenting thread's
    VideoSurface drawing_; // the drawing thread's
    std::mutex lock_;      // guards posted_ and has_news_
    VideoSurface posted_;
    bool has_news_ = false;
};

} // namespace korvex
