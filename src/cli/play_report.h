#pragma once

#include "engine/clock.h"
#include "video/video_ctx.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>

namespace korvex::cli {

// Why a run of `korvex-cli play` ended, as its SUMMARY says: the --pictures were shown, the
// --steps taken, the card's last picture shown, no picture came for a while, or Ctrl-C.
enum class PlayEnd { kPictures, kSteps, kCard, kQuiet, kInterrupted };

// The lines `korvex-cli play` prints: a PICTURE line for every picture shown (the video worker's
// thread), a MESSAGE line for every new route (the user-interface thread) and the SUMMARY at the
// end. Lines never interleave.
class PlayReport {
public:
    // `clock` is the channel's (due times are on it); past `limit` pictures none is reported.
    // Late pictures are counted only when `paced`: an unpaced run's clock moves with every wait
    // of every worker, so a picture there is never due at any real moment.
    PlayReport(const Clock& clock, std::optional<long> limit, bool paced);

    // The video worker's thread.
    void OnPicture(const PictureNotice& notice);
    // The user-interface thread.
    void OnNewRoute();
    // After the channel has closed; false when the output could not be written.
    bool PrintSummary(PlayEnd end);

    // Any thread.
    long Pictures() const { return pictures_.load(); }
    bool LimitReached() const { return limit_ && Pictures() >= *limit_; }
    // Real time since the last picture, or since the report was made before the first.
    std::chrono::steady_clock::duration SinceLastPicture() const;

private:
    using Tick = std::chrono::steady_clock::duration::rep;

    const Clock& clock_;
    const std::optional<long> limit_;
    const bool paced_;
    std::mutex print_lock_;
    std::atomic<long> pictures_ = 0;
    std::atomic<Tick> last_picture_;
    // The video worker's thread's, read after it has ended.
    Tick first_picture_ = 0;
    long late_ = 0;
    std::optional<double> previous_due_ms_;
};

} // namespace korvex::cli
