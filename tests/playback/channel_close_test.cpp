// Closing a channel never hangs, whatever its threads are doing at that moment.
#include "channel_rig.h"
#include "playback/panel_commands.h"

#include <gtest/gtest.h>
#include <thread>

namespace korvex {
namespace {

using namespace std::chrono_literals;
using test::ChannelRig;

// A closed channel's threads have all ended: far within the workers' 10 s stop time-out.
constexpr auto kPromptly = 3s;

// Closes the channel (twice, as the destructor does it again) and destroys it; the real time
// it took.
std::chrono::steady_clock::duration CloseAndDestroy(ChannelRig& rig) {
    const auto start = std::chrono::steady_clock::now();
    rig.channel->Close();
    rig.channel->Close();
    rig.Destroy();
    return std::chrono::steady_clock::now() - start;
}

// Until the reader's position has not moved for a while: it waits for room.
void AwaitReaderBlocked(const ChannelRig& rig) {
    std::int64_t position = -1;
    while (rig.channel->CurrentPosition() != position) {
        position = rig.channel->CurrentPosition();
        std::this_thread::sleep_for(200ms);
    }
}

TEST(ChannelClose, WhileTheReaderWaitsForRoomBehindAPausedWorker) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(1, 6, 10));
    ASSERT_TRUE(rig.OpenCard());
    ASSERT_TRUE(rig.AwaitSeen(1));
    RunPanelCommand(rig.channel.get(), PanelCommand::kPause);
    ASSERT_TRUE(rig.AwaitHolding());
    AwaitReaderBlocked(rig);
    EXPECT_LT(rig.channel->CurrentPosition(),
              static_cast<std::int64_t>(rig.card.recordings[0].size));
    EXPECT_LT(CloseAndDestroy(rig), kPromptly);
}

TEST(ChannelClose, WhileTheReaderWaitsInItsNewRouteSend) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(2, 2, 10));
    ASSERT_TRUE(rig.OpenCard());
    ASSERT_TRUE(rig.AwaitSeen(1));
    // The user-interface thread is busy closing the channel and handles no message.
    rig.sink.HoldSends();
    rig.channel->Seek(kSeekNext);
    ASSERT_TRUE(rig.AwaitUntil([&] { return rig.sink.SendIsWaiting(); }));
    EXPECT_LT(CloseAndDestroy(rig), kPromptly);
    rig.sink.ReleaseSends();
}

TEST(ChannelClose, WhileHeldAfterASingleStep) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(1, 2, 10));
    ASSERT_TRUE(rig.OpenCard());
    ASSERT_TRUE(rig.AwaitSeen(1));
    RunPanelCommand(rig.channel.get(), PanelCommand::kNextPicture);
    ASSERT_TRUE(rig.AwaitHolding());
    EXPECT_EQ(rig.channel->State().Speed(), kSpeedHeld);
    EXPECT_LT(CloseAndDestroy(rig), kPromptly);
}

TEST(ChannelClose, WhilePacedOnTheRealClockAtTheSlowestSpeed) {
    ChannelRig rig(ChannelRig::Pace::kRealTime);
    rig.WriteCard(mkcard::TinyCard(1, 2, 10));
    ASSERT_TRUE(rig.OpenCard(0, [](CTSChn& channel) { RunSpeedSlider(&channel, 0); }));
    ASSERT_TRUE(rig.AwaitSeen(2)); // the worker now waits half a second for each picture
    EXPECT_LT(CloseAndDestroy(rig), kPromptly);
}

TEST(ChannelClose, AChannelNeverOpenedOrOpenedTwice) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(1, 1, 10));
    rig.channel = std::make_unique<CTSChn>(rig.platform);
    EXPECT_EQ(rig.channel->SetDirection(kBackward), -1); // no program tables yet
    EXPECT_LT(CloseAndDestroy(rig), kPromptly);

    ASSERT_TRUE(rig.OpenCard());
    EXPECT_FALSE(rig.channel->Open());
    ASSERT_TRUE(rig.AwaitSeen(1)); // the first Open still plays
    rig.channel->Close();
    EXPECT_FALSE(rig.channel->Open()); // a closed channel stays closed
    EXPECT_LT(CloseAndDestroy(rig), kPromptly);
}

TEST(ChannelClose, SeekValuesThatAreNoPositionLeaveTheReaderWhereItIs) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(2, 1, 10));
    ASSERT_TRUE(rig.OpenCard(1));
    ASSERT_TRUE(rig.AwaitSeen(static_cast<std::size_t>(rig.card.recordings[1].pictures - 1)));
    // At the end of the card the reader looks for requests every 100 ms.
    const std::int64_t end = rig.channel->CurrentPosition();
    for (const int value : {0, -1, -1000, -1003}) {
        EXPECT_EQ(rig.channel->Seek(value), value);
    }
    rig.AwaitQuiet(300ms);
    EXPECT_EQ(rig.sink.Count(MessageTarget::kMainWindow, kMessageNewRoute), 0);
    EXPECT_EQ(rig.channel->CurrentPath(), rig.PathOf(1));
    EXPECT_EQ(rig.channel->CurrentPosition(), end);

    // Held in its new-route send, the reader stays at the recording it switched to.
    rig.sink.HoldSends();
    RunPanelCommand(rig.channel.get(), PanelCommand::kPreviousRecording);
    ASSERT_TRUE(rig.AwaitUntil([&] { return rig.sink.SendIsWaiting(); }));
    EXPECT_EQ(rig.channel->CurrentPath(), rig.PathOf(0));
    rig.sink.ReleaseSends();
}

} // namespace
} // namespace korvex
