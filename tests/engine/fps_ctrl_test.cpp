#include "engine/fps_ctrl.h"
#include "engine/manual_clock.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <thread>
#include <vector>

namespace korvex {
namespace {

// On an auto-advancing clock a wait moves the time to its end at once, so the time after each
// Wait shows whether it waited and for how long.
TEST(FpsCtrlTest, WaitsForTheNextDueTimeAndSkipsWaitsOf5MsOrLess) {
    struct Case {
        const char* what;
        int late_by;               // ms the clock runs on after Reset
        std::vector<double> waits; // Wait arguments, 0 for the interval
        std::vector<std::int64_t> times;
    };
    const Case cases[] = {
        {"on time at 30 per second", 0, {0, 0, 0}, {33, 66, 100}},
        {"late pictures go out at once until the clock has caught up",
         100,
         {0, 0, 0, 0, 0},
         {100, 100, 100, 133, 166}},
        {"5 ms ahead is skipped, 6 ms is waited for", 0, {5, 6}, {0, 11}},
        {"a fraction below 6 ms is skipped", 0, {5.9}, {0}},
        {"an explicit wait instead of the interval", 0, {10, 0}, {10, 43}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ManualClock clock(ManualClock::Mode::kAutoAdvance);
        CFpsCtrl pacing(30, clock);
        pacing.Reset();
        clock.Advance(c.late_by);
        std::vector<std::int64_t> times;
        for (double ms : c.waits) {
            pacing.Wait(ms);
            times.push_back(clock.NowMs());
        }
        EXPECT_EQ(times, c.times);
    }
}

TEST(FpsCtrlTest, SetRateAndSignalEndAWaitAtOnce) {
    for (bool by_rate : {true, false}) {
        ManualClock clock; // stepped and never advanced: only the event can end the wait
        CFpsCtrl pacing(30, clock);
        std::thread worker([&] { pacing.Wait(0); });
        clock.AwaitWaiters(1);
        if (by_rate) {
            EXPECT_DOUBLE_EQ(pacing.SetRate(60), 60);
        } else {
            pacing.Signal();
        }
        worker.join();
        EXPECT_EQ(clock.NowMs(), 0);
    }
}

TEST(FpsCtrlTest, SetRateKeepsTheRateWhenGivenNoUsableOne) {
    ManualClock clock(ManualClock::Mode::kAutoAdvance);
    CFpsCtrl pacing(30, clock);
    EXPECT_DOUBLE_EQ(pacing.SetRate(25), 25);
    for (double bad : {0.0, -30.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e-320}) {
        EXPECT_DOUBLE_EQ(pacing.SetRate(bad), 25) << bad;
    }
    EXPECT_EQ(pacing.GetRate(), 25);
    pacing.Reset();
    pacing.Wait(0); // the SetRate above left the event set: this wait ends at once
    EXPECT_EQ(clock.NowMs(), 0);
    pacing.Wait(0);
    EXPECT_EQ(clock.NowMs(), 80);
}

} // namespace
} // namespace korvex
