#include "video/memory_video_output.h"

namespace korvex {

void InMemoryVideoOutput::SetOpenFails(bool fails) {
    std::lock_guard hold(lock_);
    open_fails_ = fails;
}

std::optional<VideoOutput::Capabilities> InMemoryVideoOutput::Open(int /*width*/, int /*height*/) {
    std::lock_guard hold(lock_);
    if (open_fails_) {
        return std::nullopt;
    }
    open_ = true;
    ++opens_;
    return Capabilities{yuv420_};
}

void InMemoryVideoOutput::Close() {
    std::lock_guard hold(lock_);
    open_ = false;
}

bool InMemoryVideoOutput::Show(const VideoSurface& picture) {
    {
        std::lock_guard hold(lock_);
        if (keeps_screen_) {
            screen_ = picture;
        }
        ++shows_;
    }
    if (listener_) {
        listener_(picture);
    }
    return true;
}

bool InMemoryVideoOutput::ShowAgain() {
    std::lock_guard hold(lock_);
    ++shows_again_;
    return true;
}

VideoSurface InMemoryVideoOutput::Screen() const {
    std::lock_guard hold(lock_);
    return screen_;
}

int InMemoryVideoOutput::OpenCount() const {
    std::lock_guard hold(lock_);
    return opens_;
}

int InMemoryVideoOutput::ShowCount() const {
    std::lock_guard hold(lock_);
    return shows_;
}

int InMemoryVideoOutput::ShowAgainCount() const {
    std::lock_guard hold(lock_);
    return shows_again_;
}

bool InMemoryVideoOutput::IsOpen() const {
    std::lock_guard hold(lock_);
    return open_;
}

} // namespace korvex
