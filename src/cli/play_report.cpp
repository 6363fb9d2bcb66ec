#include "play_report.h"

#include "app/message_sink.h"
#include "video/block_code.h"

#include <cstdio>
#include <string>

namespace korvex::cli {
namespace {

std::chrono::steady_clock::duration::rep Now() {
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

} // namespace

PlayReport::PlayReport(const Clock& clock, std::optional<long> limit, bool paced)
    : clock_(clock), limit_(limit), paced_(paced), last_picture_(Now()) {}

void PlayReport::OnPicture(const PictureNotice& notice) {
    if (LimitReached()) {
        return;
    }
    // Late: shown more than one interval after it was due (the interval is the step between
    // due times, which the pacing clock keeps on its grid).
    const double shown_ms = static_cast<double>(clock_.NowMs());
    if (previous_due_ms_ && shown_ms - notice.due_ms > notice.due_ms - *previous_due_ms_) {
        ++late_;
    }
    previous_due_ms_ = notice.due_ms;

    const auto code = ReadBlockCode(notice.picture);
    const long number = pictures_.load() + 1;
    {
        std::lock_guard lock(print_lock_);
        std::printf("PICTURE\t%ld\t%d\t%.3f\t%d\t%d\t%d\n", number, notice.packet.type,
                    notice.packet.time_stamp, notice.packet.position, code ? code->number : -1,
                    code ? code->index : -1);
    }
    if (number == 1) {
        first_picture_ = Now();
    }
    last_picture_.store(Now());
    pictures_.store(number);
}

void PlayReport::OnNewRoute() {
    std::lock_guard lock(print_lock_);
    std::printf("MESSAGE\t%d\n", kMessageNewRoute);
}

std::chrono::steady_clock::duration PlayReport::SinceLastPicture() const {
    return std::chrono::steady_clock::duration(Now() - last_picture_.load());
}

namespace {

const char* EndName(PlayEnd end) {
    switch (end) {
    case PlayEnd::kPictures:
        return "pictures";
    case PlayEnd::kSteps:
        return "steps";
    case PlayEnd::kCard:
        return "card";
    case PlayEnd::kQuiet:
        return "quiet";
    case PlayEnd::kInterrupted:
        break;
    }
    return "interrupted";
}

} // namespace

bool PlayReport::PrintSummary(PlayEnd end) {
    const long pictures = Pictures();
    const std::chrono::duration<double> span(
        std::chrono::steady_clock::duration(last_picture_.load() - first_picture_));
    const double per_second = pictures > 1 && span.count() > 0 ? (pictures - 1) / span.count() : 0;
    const std::string late = paced_ ? std::to_string(late_) : "-";
    std::printf("SUMMARY\tpictures=%ld\tpictures_per_second=%.2f\tlate=%s\tend=%s\n", pictures,
                per_second, late.c_str(), EndName(end));
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

} // namespace korvex::cli
