#pragma once

// A playback channel on a generated card with the platform pieces of the tests: a recording
// message sink, the in-memory video output, a sound device of the test's choice and either an
// auto-advancing clock (the channel plays as fast as it can) or the steady clock (real time).
// Every picture the video worker shows is recorded with its block code and its packet's fields.

#include "engine/manual_clock.h"
#include "mkcard/card_writer.h"
#include "playback/ts_chn.h"
#include "recording_message_sink.h"
#include "temp_dir.h"
#include "video/memory_video_output.h"

#include <chrono>
#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace korvex::test {

struct SeenPicture {
    int number = -1; // the block code's recording number; -1 without a code
    int index = -1;  // and picture index
    int type = 0;    // the packet's
    int speed = 0;
    int position = 0;
    double time_stamp = 0;

    bool operator==(const SeenPicture&) const = default;
};

// Recording number and picture index, for comparing with what a card holds.
struct Code {
    int number = -1;
    int index = -1;
    bool operator==(const Code&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Code& code);
// Runs of consecutive pictures folded ("1:0-59 2:0-9 2:12"), for readable failures.
std::string Runs(const std::vector<Code>& codes);

// The codes of pictures [from, to) of a recording.
std::vector<Code> CodesOf(const mkcard::WrittenRecording& recording, int from, int to);

class ChannelRig {
public:
    enum class Pace { kUnpaced, kRealTime };

    explicit ChannelRig(Pace pace = Pace::kUnpaced, SoundDriver* sound = nullptr);
    ~ChannelRig();

    // Writes the card into the rig's folder.
    const mkcard::WrittenCard& WriteCard(const mkcard::CardOptions& options);

    // Runs on a new channel before its Open.
    using BeforeOpen = std::function<void(CTSChn& channel)>;

    // A new channel on `path` (the card's list, when given, as opening a card does); the
    // previous one is destroyed first, as the panel does.
    bool Open(const std::string& path, const CFindFilePath* list = nullptr,
              const BeforeOpen& before_open = {});
    // On recording `first` of the card, with the card's list.
    bool OpenCard(int first = 0, const BeforeOpen& before_open = {});
    std::string PathOf(int recording) const;
    void Destroy() { channel.reset(); }

    std::vector<SeenPicture> Seen() const;
    std::vector<Code> SeenCodes() const;
    std::size_t SeenCount() const;
    void ForgetSeen();

    // Waits in real time until `done` holds (true) or `limit` has passed (false).
    bool AwaitUntil(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::seconds(60)) const;
    bool AwaitSeen(std::size_t count) const;
    // Until no picture has come for `quiet` of real time.
    void AwaitQuiet(std::chrono::milliseconds quiet = std::chrono::milliseconds(600)) const;
    // Until the video worker holds: pictures stop coming and the picture on show is presented
    // again and again.
    bool AwaitHolding() const;

    TempDir dir;
    mkcard::WrittenCard card;
    ManualClock manual_clock{ManualClock::Mode::kAutoAdvance};
    RecordingMessageSink sink;
    InMemoryVideoOutput output;
    ChannelPlatform platform;
    std::unique_ptr<CTSChn> channel;

private:
    void Record(const PictureNotice& notice);

    mutable std::mutex lock_;
    std::vector<SeenPicture> seen_;
};

} // namespace korvex::test
