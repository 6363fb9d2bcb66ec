#include "channel_rig.h"
#include "playback/panel_commands.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::ChannelRig;
using test::Code;
using test::CodesOf;

std::vector<Code> Concat(std::initializer_list<std::vector<Code>> parts) {
    std::vector<Code> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

int NewRoutes(const ChannelRig& rig) {
    return rig.sink.Count(MessageTarget::kMainWindow, kMessageNewRoute);
}

TEST(ChannelPlay, FourRecordingsPlayForwardEveryPictureOnceInOrder) {
    ChannelRig rig;
    const auto& card = rig.WriteCard(mkcard::TinyCard(4, 2, 10));
    ASSERT_TRUE(rig.OpenCard());
    const auto& r = card.recordings;
    // The card's very last picture waits for a unit start that never comes.
    const auto expected =
        Concat({CodesOf(r[0], 0, r[0].pictures), CodesOf(r[1], 0, r[1].pictures),
                CodesOf(r[2], 0, r[2].pictures), CodesOf(r[3], 0, r[3].pictures - 1)});
    ASSERT_TRUE(rig.AwaitSeen(expected.size()));
    rig.AwaitQuiet();
    EXPECT_EQ(test::Runs(rig.SeenCodes()), test::Runs(expected));
    for (const test::SeenPicture& seen : rig.Seen()) {
        EXPECT_EQ(seen.type, seen.index % 10 == 0 ? kKeyPicture : kOtherPicture) << seen.index;
        EXPECT_EQ(seen.speed, kSpeedNormal);
    }
    EXPECT_EQ(rig.channel->TakePictureCount(), expected.size());
    EXPECT_EQ(rig.channel->CurrentPath(), rig.PathOf(3));
    // A card's list is complete at once; moving on at the end of a file is no new route.
    EXPECT_EQ(rig.sink.Count(MessageTarget::kPanel, kMessageListComplete), 1);
    EXPECT_EQ(NewRoutes(rig), 0);
    EXPECT_EQ(rig.channel->RecordingList().Count(), 4);
    rig.channel->Close();
}

TEST(ChannelPlay, ASingleFileIsListedWithItsFolder) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(3, 1, 10));
    ASSERT_TRUE(rig.Open(rig.PathOf(1)));
    ASSERT_TRUE(rig.sink.WaitUntil([](const auto& records) {
        return std::ranges::any_of(records, [](const auto& record) {
            return record.target == MessageTarget::kPanel &&
                   record.message.id == kMessageListComplete;
        });
    }));
    ASSERT_EQ(rig.channel->RecordingList().Count(), 3);
    EXPECT_EQ(rig.channel->RecordingList().Entry(1).path, rig.PathOf(1));
    ASSERT_TRUE(rig.AwaitSeen(1));
    EXPECT_EQ(rig.SeenCodes().front(), (Code{2, 0}));
}

TEST(ChannelPlay, BackwardFromTheEndOfTheThirdRecordingShowsKeyPicturesInReverseIntoTheSecond) {
    ChannelRig rig;
    const auto& card = rig.WriteCard(mkcard::TinyCard(3, 2, 10));
    ASSERT_TRUE(rig.OpenCard(2));
    // Forward to the end of the card, where the reader waits.
    ASSERT_TRUE(rig.AwaitSeen(static_cast<std::size_t>(card.recordings[2].pictures - 1)));
    rig.AwaitQuiet();
    rig.ForgetSeen();

    EXPECT_TRUE(RunPanelCommand(rig.channel.get(), PanelCommand::kBackwardPlay));
    ASSERT_TRUE(rig.AwaitUntil([&] { return rig.channel->Direction() == kBackward; }));
    ASSERT_TRUE(rig.AwaitUntil([&] {
        const auto codes = rig.SeenCodes();
        return !codes.empty() && codes.back().number == 1;
    }));
    const auto seen = rig.Seen();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front().number, 3);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].type, kKeyPicture) << i;
        EXPECT_EQ(seen[i].speed, -kSpeedBackward) << i;
        EXPECT_EQ(seen[i].index % 10, 0) << i;
        if (i > 0) {
            const auto later = std::pair(seen[i - 1].number, seen[i - 1].index);
            EXPECT_LT(std::pair(seen[i].number, seen[i].index), later) << i;
        }
    }
    EXPECT_TRUE(std::ranges::any_of(seen, [](const auto& s) { return s.number == 2; }));
    EXPECT_EQ(NewRoutes(rig), 1); // the change of direction
}

// The speed slider's positions: the speed state, sound only at the middle, and which pictures of
// each group of 8 are shown (fast states skip the tails of groups, and every non-key picture
// while no whole group has been seen yet).
TEST(ChannelPlay, SpeedSliderPositionsGiveTheirStatesAndPictures) {
    struct Case {
        int position;
        int speed;
        int non_key_shown; // of the 7 in every group but the first; -1: every picture
    };
    const Case cases[] = {{0, 10, -1}, {1, 9, -1}, {2, 8, -1}, {3, 7, -1}, {4, 1, -1},
                          {5, 2, -1},  {6, 3, 3},  {7, 4, 1},  {8, 5, 0}};
    ChannelRig rig;
    const auto& card = rig.WriteCard(mkcard::TinyCard(1, 2, 8));
    const auto& recording = card.recordings[0];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        rig.ForgetSeen();
        ASSERT_TRUE(
            rig.OpenCard(0, [&](CTSChn& channel) { RunSpeedSlider(&channel, c.position); }));
        EXPECT_EQ(rig.channel->State().Speed(), c.speed);
        EXPECT_EQ(rig.channel->State().IsNormalSpeed(), c.position == kSpeedSliderMiddle);
        std::vector<Code> expected;
        for (int index = 0; index + 1 < recording.pictures; ++index) {
            const int in_group = index % 8;
            if (c.non_key_shown < 0 || in_group == 0 ||
                (index > 8 && in_group <= c.non_key_shown)) {
                expected.push_back({recording.number, index});
            }
        }
        ASSERT_TRUE(rig.AwaitSeen(expected.size()));
        rig.AwaitQuiet();
        EXPECT_EQ(test::Runs(rig.SeenCodes()), test::Runs(expected));
        rig.Destroy();
    }
}

TEST(ChannelPlay, PlayFileAtSwitchesToTheRecordingCoveringATimeButNotToTheOnePlaying) {
    ChannelRig rig;
    const auto& card = rig.WriteCard(mkcard::TinyCard(4, 2, 10));
    const auto& r = card.recordings;
    // Paused from the start, so unpaced play cannot leave the first recording before it holds.
    ASSERT_TRUE(rig.OpenCard(0, [](CTSChn& channel) { channel.SetPause(true); }));
    ASSERT_TRUE(rig.AwaitSeen(1));
    ASSERT_TRUE(rig.AwaitHolding());
    ASSERT_EQ(rig.channel->CurrentPath(), rig.PathOf(0)); // held up by the full video buffer

    EXPECT_EQ(rig.channel->PlayFileAt(r[3].end_time), 0);     // nothing ends later
    EXPECT_EQ(rig.channel->PlayFileAt(r[0].end_time - 1), 0); // the one playing
    EXPECT_EQ(NewRoutes(rig), 0);
    EXPECT_EQ(rig.channel->PlayFileAt(r[2].end_time - 1), 1);

    // The reader takes the request once the resumed worker has made room.
    const std::size_t before = rig.SeenCount();
    RunPanelCommand(rig.channel.get(), PanelCommand::kPlay);
    ASSERT_TRUE(rig.AwaitUntil([&] { return NewRoutes(rig) == 1; }));
    EXPECT_EQ(rig.channel->CurrentPath(), rig.PathOf(2));
    const auto tail =
        Concat({CodesOf(r[2], 0, r[2].pictures), CodesOf(r[3], 0, r[3].pictures - 1)});
    ASSERT_TRUE(rig.AwaitUntil([&] {
        const auto codes = rig.SeenCodes();
        return codes.size() >= tail.size() && codes.back() == tail.back();
    }));
    rig.AwaitQuiet();
    // What was queued before the switch plays on in order, then the chosen recording from its
    // start.
    const auto codes = rig.SeenCodes();
    const auto switched = std::ranges::find(codes, tail.front());
    ASSERT_NE(switched, codes.end());
    EXPECT_EQ(test::Runs({switched, codes.end()}), test::Runs(tail));
    const std::vector<Code> queued(codes.begin() + static_cast<std::ptrdiff_t>(before), switched);
    EXPECT_EQ(queued,
              CodesOf(r[0], static_cast<int>(before), static_cast<int>(before + queued.size())));
}

TEST(ChannelPlay, MarksAreSetWhereTheReaderIs) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(3, 2, 10));
    // Paused from the start: unpaced play would otherwise be past the second recording before
    // a pause given after its first picture takes hold, on a fast or a busy machine alike.
    ASSERT_TRUE(rig.OpenCard(1, [](CTSChn& channel) { channel.SetPause(true); }));
    ASSERT_TRUE(rig.AwaitSeen(1));
    ASSERT_TRUE(rig.AwaitHolding());

    CTSChn& channel = *rig.channel;
    channel.MarkIn();
    EXPECT_EQ(channel.Marks().in.number, 2);
    EXPECT_EQ(channel.Marks().in.path, rig.PathOf(1));
    EXPECT_EQ(channel.Marks().in.position, channel.CurrentPosition());
    EXPECT_GT(channel.Marks().in.position, 0);
    EXPECT_FALSE(channel.Marks().ExportAllowed());
    channel.MarkOut(); // the same place
    EXPECT_FALSE(channel.Marks().ExportAllowed());

    RunPanelCommand(&channel, PanelCommand::kPlay);
    ASSERT_TRUE(rig.AwaitUntil([&] { return channel.CurrentPath() == rig.PathOf(2); }));
    channel.MarkOut();
    EXPECT_EQ(channel.Marks().out.number, 3);
    EXPECT_EQ(channel.Marks().out.path, rig.PathOf(2));
    EXPECT_TRUE(channel.Marks().ExportAllowed());

    channel.MarkIn(); // a new mark-in wants a new mark-out
    EXPECT_EQ(channel.Marks().out.number, -1);
    EXPECT_EQ(channel.Marks().out.position, -1);
    EXPECT_EQ(channel.Marks().out.path, rig.PathOf(2));
    EXPECT_FALSE(channel.Marks().ExportAllowed());
}

TEST(ChannelPlay, PauseStepAndPlayResumeInOrderWithoutAPictureMissingItsReference) {
    ChannelRig rig;
    const auto& card = rig.WriteCard(mkcard::TinyCard(1, 4, 10));
    const auto& recording = card.recordings[0];
    ASSERT_TRUE(rig.OpenCard());
    CTSChn* channel = rig.channel.get();
    ASSERT_TRUE(rig.AwaitSeen(5));
    RunPanelCommand(channel, PanelCommand::kPause);
    ASSERT_TRUE(rig.AwaitHolding());
    std::size_t shown = rig.SeenCount();
    rig.AwaitQuiet(std::chrono::milliseconds(200));
    EXPECT_EQ(rig.SeenCount(), shown);

    for (int step = 0; step < 3; ++step) {
        EXPECT_FALSE(RunPanelCommand(channel, PanelCommand::kNextPicture));
        ASSERT_TRUE(rig.AwaitSeen(shown + 1));
        ASSERT_TRUE(rig.AwaitHolding());
        EXPECT_EQ(rig.SeenCount(), ++shown);
        EXPECT_EQ(channel->State().Speed(), kSpeedHeld);
    }
    EXPECT_TRUE(RunPanelCommand(channel, PanelCommand::kPlay));
    const Code last{recording.number, recording.pictures - 2};
    ASSERT_TRUE(rig.AwaitUntil([&] {
        const auto codes = rig.SeenCodes();
        return !codes.empty() && codes.back() == last;
    }));
    rig.AwaitQuiet();
    EXPECT_EQ(channel->State().Speed(), kSpeedNormal);
    EXPECT_TRUE(channel->State().IsNormalSpeed());
    // Each step showed the next picture. While a step's reading takes key pictures only, the
    // reader may leave pictures out; play then goes on at the next key picture, never with a
    // picture whose reference is missing.
    const auto codes = rig.SeenCodes();
    const std::vector<Code> up_to_steps(codes.begin(), codes.begin() + static_cast<long>(shown));
    EXPECT_EQ(test::Runs(up_to_steps), test::Runs(CodesOf(recording, 0, static_cast<int>(shown))));
    for (std::size_t i = 1; i < codes.size(); ++i) {
        if (codes[i].index != codes[i - 1].index + 1) {
            EXPECT_GT(codes[i].index, codes[i - 1].index) << test::Runs(codes);
            EXPECT_EQ(codes[i].index % card.recordings[0].gop, 0) << test::Runs(codes);
        }
    }
    EXPECT_EQ(codes.back(), last);
}

} // namespace
} // namespace korvex
