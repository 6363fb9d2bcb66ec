#include "video/picture_mailbox.h"

#include <utility>

namespace korvex {

void PictureMailbox::Post(const VideoSurface& picture) {
    writing_ = picture;
    std::lock_guard hold(lock_);
    std::swap(writing_, posted_);
    has_news_ = true;
}

const VideoSurface* PictureMailbox::Take(bool& fresh) {
    {
        std::lock_guard hold(lock_);
        fresh = has_news_;
        if (has_news_) {
            std::swap(drawing_, posted_);
            has_news_ = false;
        }
    }
    return drawing_.empty() ? nullptr : &drawing_;
}

} // namespace korvex
