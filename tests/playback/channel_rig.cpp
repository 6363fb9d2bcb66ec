#include "channel_rig.h"

#include "coded_pictures.h"

#include <ostream>
#include <sstream>
#include <thread>

namespace korvex::test {

std::ostream& operator<<(std::ostream& out, const Code& code) {
    return out << code.number << ':' << code.index;
}

std::string Runs(const std::vector<Code>& codes) {
    std::ostringstream out;
    for (std::size_t i = 0; i < codes.size();) {
        std::size_t end = i + 1;
        while (end < codes.size() && codes[end].number == codes[i].number &&
               codes[end].index == codes[end - 1].index + 1) {
            ++end;
        }
        out << (i == 0 ? "" : " ") << codes[i];
        if (end - i > 1) {
            out << '-' << codes[end - 1].index;
        }
        i = end;
    }
    return out.str();
}

std::vector<Code> CodesOf(const mkcard::WrittenRecording& recording, int from, int to) {
    std::vector<Code> codes;
    for (int index = from; index < to; ++index) {
        codes.push_back({recording.number, index});
    }
    return codes;
}

ChannelRig::ChannelRig(Pace pace, SoundDriver* sound) {
    platform.messages = &sink;
    platform.video_output = &output;
    platform.sound = sound;
    platform.clock = pace == Pace::kUnpaced ? static_cast<Clock*>(&manual_clock) : nullptr;
    platform.on_picture = [this](const PictureNotice& notice) { Record(notice); };
}

ChannelRig::~ChannelRig() {
    channel.reset();
}

const mkcard::WrittenCard& ChannelRig::WriteCard(const mkcard::CardOptions& options) {
    card = mkcard::WriteCard(options, dir.path());
    return card;
}

bool ChannelRig::Open(const std::string& path, const CFindFilePath* list,
                      const BeforeOpen& before_open) {
    channel.reset();
    channel = std::make_unique<CTSChn>(platform);
    channel->SetSource(path);
    if (before_open) {
        before_open(*channel);
    }
    return channel->Open(list);
}

bool ChannelRig::OpenCard(int first, const BeforeOpen& before_open) {
    CFindFilePath list;
    list.ScanSync(PathOf(first));
    return Open(PathOf(first), &list, before_open);
}

std::string ChannelRig::PathOf(int recording) const {
    return card.recordings.at(static_cast<std::size_t>(recording)).path.string();
}

void ChannelRig::Record(const PictureNotice& notice) {
    SeenPicture seen;
    if (const auto code = ReadBlockCode(notice.picture)) {
        seen.number = code->number;
        seen.index = code->index;
    }
    seen.type = notice.packet.type;
    seen.speed = notice.packet.speed;
    seen.position = notice.packet.position;
    seen.time_stamp = notice.packet.time_stamp;
    std::lock_guard hold(lock_);
    seen_.push_back(seen);
}

std::vector<SeenPicture> ChannelRig::Seen() const {
    std::lock_guard hold(lock_);
    return seen_;
}

std::vector<Code> ChannelRig::SeenCodes() const {
    std::vector<Code> codes;
    for (const SeenPicture& seen : Seen()) {
        codes.push_back({seen.number, seen.index});
    }
    return codes;
}

std::size_t ChannelRig::SeenCount() const {
    std::lock_guard hold(lock_);
    return seen_.size();
}

void ChannelRig::ForgetSeen() {
    std::lock_guard hold(lock_);
    seen_.clear();
}

bool ChannelRig::AwaitUntil(const std::function<bool()>& done,
                            std::chrono::milliseconds limit) const {
    const auto give_up = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > give_up) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

bool ChannelRig::AwaitSeen(std::size_t count) const {
    return AwaitUntil([&] { return SeenCount() >= count; });
}

void ChannelRig::AwaitQuiet(std::chrono::milliseconds quiet) const {
    std::size_t count = SeenCount();
    auto last_change = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - last_change < quiet) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (const std::size_t now = SeenCount(); now != count) {
            count = now;
            last_change = std::chrono::steady_clock::now();
        }
    }
}

bool ChannelRig::AwaitHolding() const {
    const int again = output.ShowAgainCount();
    return AwaitUntil([&] { return output.ShowAgainCount() >= again + 5; });
}

} // namespace korvex::test
