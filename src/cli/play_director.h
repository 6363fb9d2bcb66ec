#pragma once

#include "app/message_sink.h"
#include "play_arguments.h"
#include "play_report.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace korvex {
class CTSChn;
class CSettings;
} // namespace korvex

namespace korvex::cli {

// Gives a playing channel the commands of `korvex-cli play` at their moments, as the panel
// would, and decides when the run is over. The user-interface thread only.
class PlayDirector {
public:
    PlayDirector(const PlayArguments& arguments, CTSChn& channel, const PlayReport& report,
                 const CSettings& settings);

    // Before the channel opens: the speed slider, which holds from the first picture on.
    void BeforeOpen();
    // A message of the channel's threads.
    void OnMessage(MessageTarget target, const Message& message);
    // Once every turn of the loop, and after every message.
    void Tick();
    // Why the run is over, or nothing while it goes on: after --pictures or the last --step
    // (with the snapshots asked for written), once the card's last picture has been shown, or
    // once no picture has come for a while.
    std::optional<PlayEnd> End() const;

    // The snapshot request's base path, empty when none was made.
    const std::string& SnapshotBasePath() const { return snapshot_base_path_; }

private:
    using Moment = std::chrono::steady_clock::time_point;

    // The moves asked for, one at a time: each waits for the new route it brings and a picture
    // after it (briefly: a move to a recording that is not there brings none), since the reader
    // keeps only the last of several requests and a change of direction starts from the
    // pictures queued.
    void Move();
    void GiveCommands();
    void StepOnce();
    void AdvanceSteps();

    const PlayArguments& arguments_;
    CTSChn& channel_;
    const PlayReport& report_;
    const CSettings& settings_;
    bool started_ = false;
    std::vector<int> moves_;         // still to make, last first: Seek values
    std::optional<Moment> moved_at_; // until the move is over
    std::optional<long> pictures_at_route_;
    bool commands_given_ = false;
    bool paused_ = false;
    int steps_taken_ = 0;
    bool steps_done_ = false;
    std::string snapshot_base_path_;
};

} // namespace korvex::cli
