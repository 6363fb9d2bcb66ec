#include "playback/panel_commands.h"

#include "playback/ts_chn.h"

#include <algorithm>
#include <array>
#include <span>

namespace korvex {
namespace {

enum class Operation {
    kSetDirection,
    kSetPause,
    kSetSpeed,
    kSetNormalSpeed,
    kSeek,
    kMarkIn,
    kMarkOut
};

struct Call {
    Operation operation;
    int value;
};

struct CommandRow {
    PanelCommand command;
    std::array<Call, 4> calls; // in this order
    int call_count;
    bool speed_slider_to_middle;
};

// Backward play and the single pictures leave the normal-speed flag alone: the reader queues
// no sound backward, nor while a step holds.
constexpr CommandRow kCommandTable[] = {
    {PanelCommand::kPlay,
     {{{Operation::kSetDirection, kForward},
       {Operation::kSetPause, 0},
       {Operation::kSetSpeed, kSpeedNormal},
       {Operation::kSetNormalSpeed, 1}}},
     4,
     true},
    {PanelCommand::kBackwardPlay,
     {{{Operation::kSetDirection, kBackward},
       {Operation::kSetPause, 0},
       {Operation::kSetSpeed, kSpeedBackward}}},
     3,
     true},
    {PanelCommand::kPause, {{{Operation::kSetPause, 1}}}, 1, false},
    {PanelCommand::kPreviousPicture,
     {{{Operation::kSetDirection, kBackward},
       {Operation::kSetPause, 0},
       {Operation::kSetSpeed, kSpeedStep}}},
     3,
     false},
    {PanelCommand::kNextPicture,
     {{{Operation::kSetDirection, kForward},
       {Operation::kSetPause, 0},
       {Operation::kSetSpeed, kSpeedStep}}},
     3,
     false},
    {PanelCommand::kPreviousRecording, {{{Operation::kSeek, kSeekPrevious}}}, 1, false},
    {PanelCommand::kNextRecording, {{{Operation::kSeek, kSeekNext}}}, 1, false},
    {PanelCommand::kMarkIn, {{{Operation::kMarkIn, 0}}}, 1, false},
    {PanelCommand::kMarkOut, {{{Operation::kMarkOut, 0}}}, 1, false},
};

void Apply(CTSChn& channel, const Call& call) {
    switch (call.operation) {
    case Operation::kSetDirection:
        channel.SetDirection(call.value); // -1 before the program tables are known: no change
        break;
    case Operation::kSetPause:
        channel.SetPause(call.value != 0);
        break;
    case Operation::kSetSpeed:
        channel.SetSpeed(call.value);
        break;
    case Operation::kSetNormalSpeed:
        channel.SetNormalSpeed(call.value != 0);
        break;
    case Operation::kSeek:
        channel.Seek(call.value);
        break;
    case Operation::kMarkIn:
        channel.MarkIn();
        break;
    case Operation::kMarkOut:
        channel.MarkOut();
        break;
    }
}

} // namespace

bool RunPanelCommand(CTSChn* channel, PanelCommand command) {
    const auto row = std::ranges::find(kCommandTable, command, &CommandRow::command);
    if (channel == nullptr || row == std::end(kCommandTable)) {
        return false;
    }
    for (const Call& call : std::span(row->calls).first(static_cast<size_t>(row->call_count))) {
        Apply(*channel, call);
    }
    return row->speed_slider_to_middle;
}

int SpeedStateAtSliderPosition(int position) {
    position = std::clamp(position, 0, kSpeedSliderPositions - 1);
    return position < kSpeedSliderMiddle ? 10 - position : position - 3;
}

void RunSpeedSlider(CTSChn* channel, int position) {
    if (channel == nullptr) {
        return;
    }
    channel->SetSpeed(SpeedStateAtSliderPosition(position));
    channel->SetNormalSpeed(std::clamp(position, 0, kSpeedSliderPositions - 1) ==
                            kSpeedSliderMiddle);
}

void RunPositionSlider(CTSChn* channel, int position) {
    if (channel != nullptr) {
        channel->Seek(position);
    }
}

int PositionSliderAfter(int position, std::int64_t milliseconds, std::int64_t length_ms) {
    if (length_ms <= 0) {
        return position;
    }
    // To the nearest thousandth, halves away from zero.
    const std::int64_t step =
        (milliseconds * 1000 + (milliseconds < 0 ? -length_ms : length_ms) / 2) / length_ms;
    return static_cast<int>(std::clamp<std::int64_t>(position + step, 1, 1000));
}

} // namespace korvex
