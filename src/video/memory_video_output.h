#pragma once

#include "video/video_output.h"

#include <functional>
#include <mutex>

namespace korvex {

// A video output without a screen, for tests and korvex-cli: it counts what the presenter did
// and, when asked, keeps a copy of the picture on show. Its failures can be switched on to
// exercise the worker's recovery.
//
// Threading: the VideoOutput calls come from the presenter's owning thread as video_output.h
// says; the observers and switches below may be called from any thread at any time.
class InMemoryVideoOutput final : public VideoOutput {
public:
    // Called on the presenter's thread for every new picture, after it has been kept.
    using Listener = std::function<void(const VideoSurface& picture)>;

    explicit InMemoryVideoOutput(bool yuv420 = true) : yuv420_(yuv420) {}

    // Set before the output is first used.
    void SetListener(Listener listener) { listener_ = std::move(listener); }
    // From now on every new picture is copied for Screen(). Before the output is first used.
    void KeepScreen() { keeps_screen_ = true; }
    // While set, Open fails.
    void SetOpenFails(bool fails);

    std::optional<Capabilities> Open(int width, int height) override;
    void Close() override;
    bool Show(const VideoSurface& picture) override;
    bool ShowAgain() override;

    // A copy of the picture on show (empty before the first, and unless KeepScreen was asked).
    VideoSurface Screen() const;
    int OpenCount() const;      // successful Opens
    int ShowCount() const;      // new pictures
    int ShowAgainCount() const; // repeats of the picture on show
    bool IsOpen() const;

private:
    const bool yuv420_;
    Listener listener_;
    bool keeps_screen_ = false;
    mutable std::mutex lock_; // guards everything below
    bool open_fails_ = false;
    bool open_ = false;
    int opens_ = 0;
    int shows_ = 0;
    int shows_again_ = 0;
    VideoSurface screen_;
};

} // namespace korvex
