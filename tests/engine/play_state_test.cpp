#include "engine/manual_clock.h"
#include "engine/play_state.h"

#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace korvex {
namespace {

TEST(PlayStateTest, StartsAtNormalSpeedPlayingWithSound) {
    PlayState state;
    EXPECT_EQ(state.Speed(), kSpeedNormal);
    EXPECT_FALSE(state.IsPaused());
    EXPECT_TRUE(state.IsNormalSpeed());
    EXPECT_EQ(state.PacingRate(), 30);
    EXPECT_EQ(state.VideoWidth(), 0);
    EXPECT_EQ(state.GroupLength(), 0);
    EXPECT_FALSE(state.TakeSnapshotShot());
}

TEST(PlayStateTest, SetSpeedIgnoresStatesThatDoNotExist) {
    PlayState state;
    for (int bad : {-1, 12, 1000}) {
        state.SetSpeed(bad);
    }
    EXPECT_EQ(state.Speed(), kSpeedNormal);
    state.SetSpeed(kSpeedStep);
    EXPECT_EQ(state.Speed(), kSpeedStep);
}

TEST(PlayStateTest, TakePictureCountGivesTheLastPeriodThenZero) {
    PlayState state;
    for (int i = 0; i < 3; ++i) {
        state.CountShownPicture();
    }
    EXPECT_EQ(state.TakePictureCount(), 3u);
    EXPECT_EQ(state.LastTickPictureCount(), 3u);
    EXPECT_EQ(state.TakePictureCount(), 0u);
    EXPECT_EQ(state.LastTickPictureCount(), 0u);
}

// The worker has read state 11 and shown the step's picture; the user interface may store a
// command before the worker ends the step.
TEST(PlayStateTest, EndingAStepNeverOverwritesACommandStoredMeanwhile) {
    struct Case {
        int stored_meanwhile; // -1: none (SetSpeed ignores it)
        bool ended;
        int speed_after;
    };
    for (const Case& c : {Case{-1, true, kSpeedHeld}, Case{kSpeedNormal, false, kSpeedNormal},
                          Case{kSpeedBackward, false, kSpeedBackward}, Case{5, false, 5},
                          Case{kSpeedStep, true, kSpeedHeld}}) {
        PlayState state;
        state.SetSpeed(kSpeedStep);
        state.SetSpeed(c.stored_meanwhile);
        EXPECT_EQ(state.EndSingleStep(), c.ended) << c.stored_meanwhile;
        EXPECT_EQ(state.Speed(), c.speed_after) << c.stored_meanwhile;
    }
}

// The worker only ever turns 11 into 0, so a command stored after a step must still be there
// when the user interface looks again, however the worker's end of step falls in between.
TEST(PlayStateTest, ARacingEndOfStepNeverLosesTheCommandThatFollows) {
    PlayState state;
    std::atomic<bool> started = false;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        started = true;
        while (!done.load()) {
            state.EndSingleStep();
        }
    });
    while (!started.load()) {
        std::this_thread::yield();
    }
    int lost = 0;
    for (int round = 0; round < 2000000; ++round) {
        const int command = 1 + round % 10; // any state but a step
        state.SetSpeed(kSpeedStep);
        state.SetSpeed(command);
        lost += state.Speed() != command;
    }
    done = true;
    worker.join();
    EXPECT_EQ(lost, 0);
}

TEST(PlayStateTest, ASnapshotRequestIsServedShotByShotAndANewOneStartsAgain) {
    PlayState state;
    state.RequestSnapshot("/shots/a.bmp", 2);
    auto shot = state.TakeSnapshotShot();
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->base_path, "/shots/a.bmp");
    EXPECT_EQ(shot->index, 0);
    state.RequestSnapshot("/shots/b.jpg", 2);
    shot = state.TakeSnapshotShot();
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->base_path, "/shots/b.jpg");
    EXPECT_EQ(shot->index, 0);
    EXPECT_EQ(state.TakeSnapshotShot()->index, 1);
    EXPECT_FALSE(state.TakeSnapshotShot());
    state.RequestSnapshot("/shots/c.bmp", 0);
    EXPECT_FALSE(state.TakeSnapshotShot());
}

// Request i asks for 1 + i % 3 shots of the base path "i": a shot whose index is beyond its
// own request's count would mean a path and an index of different requests.
TEST(PlayStateTest, ASnapshotRequestReachesTheWorkerAsOneUnit) {
    PlayState state;
    constexpr int kRequests = 20000;
    std::atomic<bool> done = false;
    int mixed = 0;
    std::atomic<int> served = 0;
    std::thread worker([&] {
        while (!done.load()) {
            if (auto shot = state.TakeSnapshotShot()) {
                ++served;
                mixed += shot->index >= 1 + std::stoi(shot->base_path) % 3;
            }
        }
    });
    for (int i = 0; i < kRequests || served.load() < 100; ++i) {
        state.RequestSnapshot(std::to_string(i), 1 + i % 3);
    }
    done = true;
    worker.join();
    EXPECT_EQ(mixed, 0);
}

} // namespace
} // namespace korvex
