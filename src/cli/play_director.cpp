#include "play_director.h"

#include "app/settings.h"
#include "playback/panel_commands.h"
#include "playback/ts_chn.h"
#include "video/snapshot_name.h"

#include <ctime>
#include <filesystem>

namespace korvex::cli {
namespace {

// The run is over once no picture has come for this long: a pause, a recording that stopped
// growing, or a source without pictures.
constexpr auto kQuietEnd = std::chrono::seconds(2);
// A move whose new route and next picture have not come by then brought none.
constexpr auto kRouteWait = std::chrono::seconds(1);
// A move is over once this many pictures have been shown after its new route: the first may
// still be the one the video worker was busy with when the move cleared the buffers.
constexpr long kPicturesAfterRoute = 2;

} // namespace

PlayDirector::PlayDirector(const PlayArguments& arguments, CTSChn& channel,
                           const PlayReport& report, const CSettings& settings)
    : arguments_(arguments), channel_(channel), report_(report), settings_(settings) {
    // A recording switch first, so that a seek is into the recording switched to.
    if (arguments.seek) {
        moves_.push_back(*arguments.seek);
    }
    if (arguments.recording_switch) {
        moves_.push_back(*arguments.recording_switch);
    }
}

void PlayDirector::BeforeOpen() {
    if (arguments_.speed_slider) {
        RunSpeedSlider(&channel_, *arguments_.speed_slider);
    }
}

void PlayDirector::OnMessage(MessageTarget target, const Message& message) {
    if (target == MessageTarget::kMainWindow && message.id == kMessageNewRoute) {
        pictures_at_route_ = report_.Pictures();
    }
    if (target == MessageTarget::kPanel && message.id == kMessageListComplete &&
        arguments_.play_at) {
        channel_.PlayFileAt(*arguments_.play_at);
    }
}

void PlayDirector::Tick() {
    // The moves and commands need the program tables, which the reader knows once a picture
    // is shown.
    started_ = started_ || report_.Pictures() > 0;
    if (!started_) {
        return;
    }
    if (arguments_.pause_after && !paused_ && report_.Pictures() >= *arguments_.pause_after) {
        paused_ = true;
        RunPanelCommand(&channel_, PanelCommand::kPause);
    }
    if (moved_at_ &&
        (std::chrono::steady_clock::now() - *moved_at_ >= kRouteWait ||
         (pictures_at_route_ && report_.Pictures() >= *pictures_at_route_ + kPicturesAfterRoute))) {
        moved_at_.reset();
    }
    if (moved_at_) {
        return;
    }
    if (!moves_.empty()) {
        Move();
    } else if (!commands_given_) {
        commands_given_ = true;
        GiveCommands();
    } else if (arguments_.steps) {
        AdvanceSteps();
    }
}

void PlayDirector::Move() {
    const int move = moves_.back();
    moves_.pop_back();
    moved_at_ = std::chrono::steady_clock::now();
    pictures_at_route_.reset();
    if (move == kSeekNext || move == kSeekPrevious) {
        RunPanelCommand(&channel_, move == kSeekNext ? PanelCommand::kNextRecording
                                                     : PanelCommand::kPreviousRecording);
    } else {
        RunPositionSlider(&channel_, move);
    }
}

void PlayDirector::GiveCommands() {
    if (arguments_.backward && !arguments_.steps) {
        RunPanelCommand(&channel_, PanelCommand::kBackwardPlay);
    }
    if (arguments_.snapshot) {
        snapshot_base_path_ = korvex::SnapshotBasePath(settings_.snapshot_folder,
                                                       std::time(nullptr), settings_.image_type);
        channel_.RequestSnapshot(snapshot_base_path_,
                                 SnapshotShotCount(settings_.continuous_shooting_count));
    }
    if (arguments_.steps) {
        StepOnce();
    }
}

void PlayDirector::StepOnce() {
    ++steps_taken_;
    RunPanelCommand(&channel_, arguments_.backward ? PanelCommand::kPreviousPicture
                                                   : PanelCommand::kNextPicture);
}

// A step is over once the worker holds: only the video worker turns the step state this
// thread has just stored into the held state, after a picture (which may be the one it was
// about to count when the step came).
void PlayDirector::AdvanceSteps() {
    if (steps_done_ || channel_.State().Speed() != kSpeedHeld) {
        return;
    }
    if (steps_taken_ == *arguments_.steps) {
        steps_done_ = true;
    } else {
        StepOnce();
    }
}

std::optional<PlayEnd> PlayDirector::End() const {
    if (report_.SinceLastPicture() >= kQuietEnd) {
        return PlayEnd::kQuiet;
    }
    const bool snapshot_written =
        snapshot_base_path_.empty() ||
        std::filesystem::exists(SnapshotShotPath(
            snapshot_base_path_, SnapshotShotCount(settings_.continuous_shooting_count) - 1));
    if (!snapshot_written) {
        return std::nullopt; // shots that can no longer come end the run by the quiet rule
    }
    if (report_.LimitReached()) {
        return PlayEnd::kPictures;
    }
    if (steps_done_) {
        return PlayEnd::kSteps;
    }
    if (channel_.CardEnded()) {
        return PlayEnd::kCard;
    }
    return std::nullopt;
}

} // namespace korvex::cli
