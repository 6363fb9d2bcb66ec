#include "stream/ts_analyse.h"

#include "stream/recording_entry.h"
#include "stream/ts_analyse_work_buffers.h"

#include <algorithm>

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
    SetCurrentPath(path);
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
    // Where the oldest picture still queued or held came from: the one about to be shown. Near
    // the end of a recording (or its start, backward) the reader may be in the next one already.
    const PacketOrigin shown = video_->FirstDataOrigin();
    video_->Clear();
    audio_->Clear();
    const int target = direction == kForward ? shown.position + 1 : shown.position - 1;
    turn_path_.clear();
    if (shown.recording != 0 && shown.recording != recording_.load()) {
        const auto read_before = std::ranges::find(recent_recordings_, shown.recording,
                                                   &std::pair<int, std::string>::first);
        if (read_before != recent_recordings_.end()) {
            turn_path_ = read_before->second;
            turn_position_ = target;
        }
    }
    seek_request_ = turn_path_.empty() ? SeekOffset(target) : -1;
    direction_change_pending_.store(true);
    return direction;
}

bool CTSAnalyse::RequestFile(const std::string& path) {
    std::lock_guard lock(request_lock_);
    pending_path_ = path;
    return true;
}

void CTSAnalyse::SetCurrentPath(const std::string& path) {
    // More than the video buffer's records can come from.
    constexpr std::size_t kRecentRecordings = 64;
    // The pictures' own: a snapshot's time counts from the start, and the fix of the last text
    // of the recording left is not where the new one's first pictures were taken.
    video_record_.recording_start = MakeRecordingEntry(path).start_time;
    ForgetFix();
    std::lock_guard lock(request_lock_);
    current_path_ = path;
    const int number = recording_.load() + 1;
    recording_.store(number);
    recent_recordings_.emplace_back(number, path);
    if (recent_recordings_.size() > kRecentRecordings) {
        recent_recordings_.pop_front();
    }
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
