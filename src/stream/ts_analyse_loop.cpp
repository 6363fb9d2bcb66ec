// The stream reader's loop: requests, the forward and the backward step.
#include "stream/recording_lookup.h"
#include "stream/ts_analyse.h"
#include "stream/ts_analyse_work_buffers.h"

#include <algorithm>

namespace korvex {

namespace {

constexpr std::int64_t kBackwardStride = 2 * static_cast<std::int64_t>(ScanBuffer::kBlockSize);
constexpr int kEndOfDataWaitMs = 100;

} // namespace

bool CTSAnalyse::CarryOutRequests(const std::stop_token& running) {
    std::int64_t seek = -1;
    bool turning = false;
    {
        std::lock_guard lock(request_lock_);
        turning = direction_change_pending_.load();
        seek = seek_request_;
        const bool position_seek = seek > 0 && tables_.Ready();
        if (position_seek || seek == kSeekPrevious || seek == kSeekNext) {
            seek_request_ = -1;
        } else if (seek > 0) {
            seek = -1; // waits for the program tables
        }
    }
    if (seek > 0) {
        position_.store(seek);
        Flush(true);
        // A change of direction comes with a seek; the map hears of the two as one.
        if (!turning) {
            Announce(running);
        }
    } else if (seek == kSeekPrevious || seek == kSeekNext) {
        const std::string path =
            seek == kSeekPrevious ? PreviousOf(CurrentPath()) : NextOf(CurrentPath());
        if (!path.empty() && SwitchTo(path, DirectionOfASwitch())) {
            Flush(true);
            Announce(running);
            return true;
        }
    }
    std::string pending;
    {
        std::lock_guard lock(request_lock_);
        pending.swap(pending_path_);
    }
    if (!pending.empty() && SwitchTo(pending, DirectionOfASwitch())) {
        Flush(true);
        Announce(running);
        return true;
    }
    if (turning) {
        std::string turn_path;
        int turn_position = 0;
        {
            std::lock_guard lock(request_lock_);
            direction_.store(requested_direction_);
            direction_change_pending_.store(false);
            turn_path.swap(turn_path_);
            turn_position = turn_position_;
        }
        if (!turn_path.empty()) {
            TurnInto(turn_path, direction_.load(), turn_position);
        }
        // Time stamps from before the turn and after it are no one stretch of pictures; the
        // rate measured last stays until a new measurement is done.
        frame_rate_.Restart();
        Flush(true);
        Announce(running);
    }
    return false;
}

// A recording asked for while a change of direction waits is read in the direction about to be
// taken, from its start (forward) or its end; the change's own seek, to where the recording left
// was on show, is dropped.
int CTSAnalyse::DirectionOfASwitch() {
    std::lock_guard lock(request_lock_);
    if (!direction_change_pending_.load()) {
        return direction_.load();
    }
    if (seek_request_ > 0) {
        seek_request_ = -1;
    }
    turn_path_.clear();
    return requested_direction_;
}

bool CTSAnalyse::SwitchTo(const std::string& path, int direction) {
    if (path.empty()) {
        return false;
    }
    if (!tables_.Ready()) {
        work_->Clear();
    }
    at_card_end_.store(false);
    frame_rate_.Restart();
    SetCurrentPath(path);
    // The key pictures a change to forward skips were shown from the recording left; none of
    // this one has been.
    skip_count_.store(0);
    // A recording that cannot be opened reads as empty, so the reader moves on past it.
    OpenFile(direction);
    // Forward the PES in collection is completed by the new recording's first unit start;
    // backward the new recording's bytes would go in front of a piece of the old one's.
    work_->video_tail_read = false;
    return true;
}

void CTSAnalyse::TurnInto(const std::string& path, int direction, int position) {
    // The key pictures a change to forward skips are this recording's: keep the count.
    const int skip = skip_count_.load();
    SwitchTo(path, direction);
    skip_count_.store(skip);
    position_.store(std::int64_t{std::max(position, 0)} * file_size_.load() / 1000);
}

void CTSAnalyse::Flush(bool with_buffers) {
    work_->Clear();
    if (with_buffers) {
        video_->Clear();
        audio_->Clear();
    }
}

// The reader has carried out a request: the GPS text shown no longer belongs to what is read,
// and the map starts a new route.
void CTSAnalyse::Announce(const std::stop_token& running) {
    gps_.ClearRecordReady();
    if (sink_ != nullptr) {
        sink_->Send(MessageTarget::kMainWindow, {kMessageNewRoute}, running);
    }
}

void CTSAnalyse::PostPosition() {
    if (sink_ != nullptr) {
        sink_->Post(MessageTarget::kPanel,
                    {kMessagePosition, Thousandths(position_.load(), file_size_.load())});
    }
}

void CTSAnalyse::WaitAtAnEnd() {
    at_card_end_.store(true);
    end_waits_.fetch_add(1);
    thread_.SleepWhileRunning(kEndOfDataWaitMs);
}

void CTSAnalyse::StepForward(const std::stop_token& running) {
    const std::size_t got = file_.ReadAt(position_.load(), work_->block);
    if (got == 0) {
        // The end: go on with the next recording where the last packet left off, or wait for
        // one to appear.
        if (!SwitchTo(NextOf(CurrentPath()), kForward)) {
            WaitAtAnEnd();
        }
        return;
    }
    at_card_end_.store(false);
    position_.fetch_add(static_cast<std::int64_t>(got));
    work_->scan.AppendForward({work_->block.data(), got});
    if (skip_count_.load() <= 0) {
        PostPosition();
    }
    while (!running.stop_requested() && !direction_change_pending_.load()) {
        const std::uint8_t* packet = work_->scan.NextPacketForward();
        if (packet == nullptr) {
            break;
        }
        HandlePacket(packet, running);
    }
}

void CTSAnalyse::StepBackward(const std::stop_token& running) {
    // Blocks follow each other backward: each one ends where the one before began.
    const std::int64_t pointer = position_.load();
    const std::int64_t start = pointer - std::min(kBackwardStride, pointer);
    const std::size_t got = file_.ReadAt(start, work_->block);
    position_.store(start + static_cast<std::int64_t>(got));
    if (start == 0) {
        // A block from the very start of a recording is not scanned: on to the end of the
        // previous recording.
        if (!SwitchTo(PreviousOf(CurrentPath()), kBackward)) {
            WaitAtAnEnd();
        }
        return;
    }
    at_card_end_.store(false);
    work_->scan.PrependBackward({work_->block.data(), got});
    PostPosition();
    while (!running.stop_requested() && !direction_change_pending_.load()) {
        const std::uint8_t* packet = work_->scan.NextPacketBackward();
        if (packet == nullptr) {
            break;
        }
        HandlePacket(packet, running);
    }
}

} // namespace korvex
