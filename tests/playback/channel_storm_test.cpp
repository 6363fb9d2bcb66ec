// A storm of random commands against a playing channel, as a user hammering every control at
// once gives it: no hang, no crash, no race, and afterwards the channel still plays in order.
#include "channel_rig.h"
#include "playback/panel_commands.h"
#include "snapshot_files.h"

#include <atomic>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace korvex {
namespace {

using namespace std::chrono_literals;
using test::ChannelRig;
using test::Code;

// About 4 s of commands, under ThreadSanitizer too: the sleeps between them take most of it.
constexpr int kCommands = 3000;
constexpr unsigned kSeed = 20240517;
// A closed channel's threads have all ended: far within the workers' 10 s stop time-out.
constexpr auto kPromptly = 3s;
// The whole test, far beyond what it takes: past this it hangs somewhere.
constexpr auto kHangLimit = 600s;

// Errors the decoder reports: it was given a picture cut short or one without its reference.
std::atomic<int> decoder_errors = 0;

void CountDecoderErrors(void* context, int level, const char* format, va_list args) {
    if (level <= AV_LOG_ERROR) {
        decoder_errors.fetch_add(1);
    }
    av_log_default_callback(context, level, format, args);
}

// Ends the process with a message when it is still armed after `limit`, so a hang fails the
// test instead of holding up the whole suite.
class Watchdog {
public:
    Watchdog(std::chrono::seconds limit, const std::atomic<int>& step,
             const std::atomic<const char*>& doing)
        : thread_([limit, &step, &doing](const std::stop_token& disarmed) {
              std::mutex lock;
              std::condition_variable_any wake;
              std::unique_lock hold(lock);
              wake.wait_for(hold, disarmed, limit, [] { return false; });
              if (!disarmed.stop_requested()) {
                  std::fprintf(stderr, "Hung at command %d (%s)\n", step.load(), doing.load());
                  std::abort();
              }
          }) {}

private:
    std::jthread thread_; // disarmed and joined by its destructor
};

// The storm: one command after another, drawn from a fixed pseudo-random sequence (raw engine
// output modulo n, the same with every standard library), with 0-2 ms of real time between
// them so that commands land while the threads are in every state.
class Storm {
public:
    explicit Storm(ChannelRig& rig) : rig_(rig), shots_(rig.dir / "shots") {}

    void Run(int commands);
    // A new channel on a recording drawn at random, on the card's list or (as opening a single
    // file) with its folder listed; paced by the real clock or as fast as it goes.
    void Reopen();
    // As the main window: the recording list is used only once the panel has heard it is
    // complete.
    bool ListComplete() const {
        return rig_.sink.Count(MessageTarget::kPanel, kMessageListComplete) > lists_before_;
    }
    // The last commands closed the channel without opening another.
    bool Closed() const { return closed_for_ > 0; }
    // Closes the channel, which must return promptly, whatever its threads were doing.
    void CloseTimed();

    std::atomic<int> step = 0;
    std::atomic<const char*> doing = "opening";
    const std::filesystem::path& shots() const { return shots_; }

private:
    struct Action {
        const char* name;
        int weight;
        void (Storm::*run)();
    };
    static const Action kActions[];

    int Pick(std::int64_t n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
    const Action& PickAction();
    CTSChn* channel() const { return rig_.channel.get(); }

    void PanelCommand();
    void SpeedSlider() { RunSpeedSlider(channel(), Pick(kSpeedSliderPositions)); }
    void PositionSlider() { RunPositionSlider(channel(), Pick(1001)); }
    void Seek();
    void Direction();
    void PlayAt();
    void Snapshot();
    void Mark();
    void Read();
    void Close();

    ChannelRig& rig_;
    std::filesystem::path shots_;
    std::mt19937 random_{kSeed};
    int lists_before_ = 0;
    int closed_for_ = 0; // commands still to run on a closed channel before it is reopened
};

const Storm::Action Storm::kActions[] = {
    {"panel command", 140, &Storm::PanelCommand},
    {"speed slider", 50, &Storm::SpeedSlider},
    {"position slider", 50, &Storm::PositionSlider},
    {"seek", 20, &Storm::Seek},
    {"direction", 40, &Storm::Direction},
    {"play at", 40, &Storm::PlayAt},
    {"snapshot", 20, &Storm::Snapshot},
    {"mark", 20, &Storm::Mark},
    {"read", 18, &Storm::Read},
    {"reopen", 1, &Storm::Reopen},
    {"close", 1, &Storm::Close},
};

void Storm::Run(int commands) {
    for (int i = 0; i < commands; ++i) {
        step.store(i);
        const bool reopen = closed_for_ > 0 && --closed_for_ == 0;
        const Action& action = reopen ? kActions[std::size(kActions) - 2] : PickAction();
        doing.store(action.name);
        (this->*action.run)();
        std::this_thread::sleep_for(std::chrono::milliseconds(Pick(3)));
    }
    doing.store("after the storm");
}

const Storm::Action& Storm::PickAction() {
    int total = 0;
    for (const Action& action : kActions) {
        total += action.weight;
    }
    int drawn = Pick(total);
    for (const Action& action : kActions) {
        if (drawn < action.weight) {
            return action;
        }
        drawn -= action.weight;
    }
    return kActions[0];
}

void Storm::Reopen() {
    CloseTimed();
    closed_for_ = 0;
    rig_.ForgetSeen();
    rig_.platform.clock = Pick(2) == 0 ? &rig_.manual_clock : nullptr;
    const int first = Pick(static_cast<std::int64_t>(rig_.card.recordings.size()));
    lists_before_ = rig_.sink.Count(MessageTarget::kPanel, kMessageListComplete);
    EXPECT_TRUE(Pick(4) == 0 ? rig_.Open(rig_.PathOf(first)) : rig_.OpenCard(first))
        << "command " << step.load();
}

// Play comes more often than the rest, so that pictures keep coming between the holds.
void Storm::PanelCommand() {
    using enum korvex::PanelCommand;
    const korvex::PanelCommand commands[] = {kPlay,         kPlay,
                                             kPlay,         kBackwardPlay,
                                             kPause,        kPreviousPicture,
                                             kNextPicture,  kPreviousRecording,
                                             kNextRecording};
    RunPanelCommand(channel(), commands[Pick(std::size(commands))]);
}

void Storm::Seek() {
    const int values[] = {0, -1, 1001, kSeekPrevious, kSeekNext};
    const int value = values[Pick(std::size(values))];
    EXPECT_EQ(channel()->Seek(value), value);
}

void Storm::Direction() {
    const int direction = Pick(2);
    const int result = channel()->SetDirection(direction);
    EXPECT_TRUE(result == -1 || result == direction) << result;
}

// Times before, inside and after the card.
void Storm::PlayAt() {
    const auto& first = rig_.card.recordings.front();
    const auto& last = rig_.card.recordings.back();
    const std::int64_t time = first.start_time - 60 + Pick(last.end_time - first.start_time + 120);
    if (!ListComplete()) {
        return;
    }
    const int result = channel()->PlayFileAt(time);
    if (time >= last.end_time) {
        EXPECT_EQ(result, 0) << time;
    }
}

void Storm::Snapshot() {
    const std::string name = "storm-" + std::to_string(step.load()) + (Pick(2) ? ".jpg" : ".bmp");
    channel()->RequestSnapshot((shots_ / name).string(), 1 + Pick(3));
}

void Storm::Mark() {
    if (Pick(2) == 0) {
        channel()->MarkIn();
    } else {
        channel()->MarkOut();
    }
    if (channel()->Marks().ExportAllowed()) {
        EXPECT_GE(channel()->Marks().in.position, 0);
    }
}

void Storm::Read() {
    channel()->TakePictureCount();
    EXPECT_GE(channel()->CurrentPosition(), 0);
    channel()->CurrentPath();
    channel()->State().Speed();
    channel()->Direction();
}

// A bare close; a few more commands go to the closed channel before the next one is opened.
void Storm::Close() {
    CloseTimed();
    EXPECT_FALSE(channel()->Open()); // a closed channel stays closed
    closed_for_ = 1 + Pick(20);
}

void Storm::CloseTimed() {
    const auto start = std::chrono::steady_clock::now();
    rig_.channel->Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kPromptly) << "command " << step.load();
}

// Every snapshot written is a whole picture of the recordings' size.
void ExpectCompleteImages(const std::filesystem::path& folder, const mkcard::WrittenCard& card) {
    if (!std::filesystem::exists(folder)) {
        return;
    }
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const auto image = test::ReadImage(file.path());
        ASSERT_TRUE(image.has_value()) << file.path();
        EXPECT_EQ(image->width(), card.recordings[0].width) << file.path();
        EXPECT_EQ(image->height(), card.recordings[0].height) << file.path();
    }
}

TEST(ChannelStorm, ThousandsOfRandomCommandsThenTheCardStillPlaysInOrder) {
    ChannelRig rig;
    const auto& card = rig.WriteCard(mkcard::TinyCard(3, 2, 10));
    const auto& r = card.recordings;
    Storm storm(rig);
    const Watchdog watchdog(kHangLimit, storm.step, storm.doing);
    av_log_set_callback(CountDecoderErrors);
    ASSERT_TRUE(rig.OpenCard());
    ASSERT_TRUE(rig.AwaitSeen(1));
    storm.Run(kCommands);

    // Play goes on from wherever the storm left the channel, to the end of the card.
    if (storm.Closed()) {
        storm.Reopen();
    }
    const Code last{r.back().number, r.back().pictures - 2};
    const auto reached_last = [&] {
        const auto codes = rig.SeenCodes();
        return !codes.empty() && codes.back() == last;
    };
    ASSERT_TRUE(rig.AwaitUntil([&] { return storm.ListComplete(); }));
    rig.ForgetSeen();
    RunPanelCommand(rig.channel.get(), PanelCommand::kPlay);
    // A switch taken before the turn would open the recording at the backward end.
    ASSERT_TRUE(rig.AwaitUntil([&] { return rig.channel->Direction() == kForward; }));
    if (rig.channel->PlayFileAt(r.back().end_time - 1) == 0) {
        rig.channel->Seek(1); // already in the last recording
    }
    ASSERT_TRUE(rig.AwaitUntil(reached_last)) << test::Runs(rig.SeenCodes());
    rig.AwaitQuiet();

    // A recording chosen by its time then plays from its start, every picture once in order.
    rig.ForgetSeen();
    ASSERT_EQ(rig.channel->PlayFileAt(r[0].end_time - 1), 1);
    ASSERT_TRUE(rig.AwaitUntil(reached_last)) << test::Runs(rig.SeenCodes());
    rig.AwaitQuiet();
    std::vector<Code> expected;
    for (const auto& recording : r) {
        const auto codes = test::CodesOf(recording, 0, recording.pictures);
        expected.insert(expected.end(), codes.begin(), codes.end());
    }
    expected.pop_back(); // waits for a unit start that never comes
    EXPECT_EQ(test::Runs(rig.SeenCodes()), test::Runs(expected));
    for (const test::SeenPicture& seen : rig.Seen()) {
        EXPECT_EQ(seen.type, seen.index % r[0].gop == 0 ? kKeyPicture : kOtherPicture);
        EXPECT_EQ(seen.speed, kSpeedNormal);
    }

    storm.CloseTimed();
    rig.Destroy();
    av_log_set_callback(av_log_default_callback);
    EXPECT_EQ(decoder_errors.load(), 0);
    ExpectCompleteImages(storm.shots(), card);
}

} // namespace
} // namespace korvex
