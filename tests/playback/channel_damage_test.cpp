// Damaged and missing input: no crash, no hang, and a channel that closes.
#include "channel_rig.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using namespace std::chrono_literals;
using test::ChannelRig;

void ExpectClosesPromptly(ChannelRig& rig) {
    const auto start = std::chrono::steady_clock::now();
    rig.Destroy();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST(ChannelDamage, EveryDamageOfTheGeneratorPlaysOnToTheNextRecording) {
    const std::function<void(mkcard::DamageOptions&)> damages[] = {
        [](mkcard::DamageOptions& d) { d.truncate = {0}; },
        [](mkcard::DamageOptions& d) { d.garbage = {0}; },
        [](mkcard::DamageOptions& d) { d.transport_error = {0}; },
    };
    for (const auto& damage : damages) {
        ChannelRig rig;
        mkcard::CardOptions options = mkcard::TinyCard(2, 2, 10);
        damage(options.damage);
        const auto& card = rig.WriteCard(options);
        ASSERT_TRUE(rig.OpenCard());
        // The undamaged second recording is reached and plays to its end.
        const test::Code last{card.recordings[1].number, card.recordings[1].pictures - 2};
        EXPECT_TRUE(rig.AwaitUntil([&] {
            const auto codes = rig.SeenCodes();
            return !codes.empty() && codes.back() == last;
        }));
        ExpectClosesPromptly(rig);
    }
}

TEST(ChannelDamage, ARecordingDeletedWhileItPlays) {
    ChannelRig rig;
    rig.WriteCard(mkcard::TinyCard(2, 3, 10));
    ASSERT_TRUE(rig.OpenCard());
    ASSERT_TRUE(rig.AwaitSeen(3));
    std::filesystem::remove(rig.PathOf(0));
    std::filesystem::remove(rig.PathOf(1));
    rig.channel->Seek(500);
    rig.AwaitQuiet();
    ExpectClosesPromptly(rig);
}

TEST(ChannelDamage, PathsThatAreNoRecording) {
    test::TempDir dir;
    const auto text = test::WriteFile(dir / "REC_0001.ts", std::string(100000, 'x'));
    for (const std::string& path :
         {text.string(), dir.path().string(), (dir / "REC_0002.ts").string(), std::string()}) {
        ChannelRig rig;
        ASSERT_TRUE(rig.Open(path)) << path;
        rig.AwaitQuiet(300ms);
        EXPECT_EQ(rig.SeenCount(), 0u) << path;
        EXPECT_EQ(rig.channel->SetDirection(kBackward), -1) << path;
        ExpectClosesPromptly(rig);
    }
}

} // namespace
} // namespace korvex
