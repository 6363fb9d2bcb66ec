#include "stream/ts_analyse.h"

#include "stream/ts_analyse_work_buffers.h"

namespace korvex {

CTSAnalyse::CTSAnalyse(const PlayState& play_state, GpsTextBuffer& gps, MessageSink* sink,
                       Clock& clock)
    : play_state_(play_state), gps_(gps), sink_(sink), thread_(clock) {}

CTSAnalyse::~CTSAnalyse() {
    Stop();
}

void CTSAnalyse::SetBuffers(CVBuffer2* video, CABuffer2* audio) {
    video_ = video;
    audio_ = audio;
}

bool CTSAnalyse::Start(const std::string& path) {
    Stop();
    if (video_ == nullptr || audio_ == nullptr) {
        return false;
    }
    {
        std::lock_guard lock(request_lock_);
        current_path_ = path;
    }
    OpenFile(direction_.load());
    stop_ = std::stop_source();
    return thread_.Start([this, running = stop_.get_token()] { Run(running); });
}

void CTSAnalyse::Stop() {
    // The stop comes first, so that a Send the reader waits in gives up and the join returns.
    stop_.request_stop();
    thread_.Stop();
    CloseFile();
    tables_.ClearReady();
    tables_ready_.store(false);
    work_.reset();
}

bool CTSAnalyse::OpenFile(int direction) {
    CloseFile();
    if (!file_.Open(CurrentPath())) {
        return false;
    }
    file_size_.store(file_.Size());
    position_.store(direction == kForward ? 0 : file_.Size());
    return true;
}

void CTSAnalyse::CloseFile() {
    file_.Close();
    file_size_.store(0);
    position_.store(0);
}

std::int64_t CTSAnalyse::SeekOffset(int value) const {
    return value <= 0 ? value : std::int64_t{value} * file_size_.load() / 1000;
}

void CTSAnalyse::Seek(int value) {
    const std::int64_t request = SeekOffset(value);
    std::lock_guard lock(request_lock_);
    seek_request_ = request;
}

int CTSAnalyse::SetDirection(int direction) {
    direction = direction == kForward ? kForward : kBackward;
    std::lock_guard lock(request_lock_);
    if (!tables_ready_.load()) {
        return -1;
    }
    // A change still pending counts as made, so that a quick change back is not lost.
    const int current = direction_change_pending_.load() ? requested_direction_ : direction_.load();
    if (direction == current) {
        return direction;
    }
    requested_direction_ = direction;
    skip_count_.store(2);
    // Where the oldest picture still queued or held came from: the one about to be shown.
    const int shown = video_->FirstDataPosition();
    video_->Clear();
    audio_->Clear();
    seek_request_ = SeekOffset(direction == kForward ? shown + 1 : shown - 1);
    direction_change_pending_.store(true);
    return direction;
}

bool CTSAnalyse::RequestFile(const std::string& path) {
    std::lock_guard lock(request_lock_);
    pending_path_ = path;
    return true;
}

std::string CTSAnalyse::CurrentPath() const {
    std::lock_guard lock(request_lock_);
    return current_path_;
}

void CTSAnalyse::Run(const std::stop_token& running) {
    if (!work_) {
        work_ = std::make_unique<WorkBuffers>();
    }
    work_->Clear();
    frame_rate_.Restart();
    video_->Rewind(&video_record_);
    audio_->Rewind(&audio_record_);
    while (!running.stop_requested()) {
        if (CarryOutRequests(running)) {
            continue;
        }
        if (direction_.load() == kForward) {
            StepForward(running);
        } else {
            StepBackward(running);
        }
    }
}

} // namespace korvex
