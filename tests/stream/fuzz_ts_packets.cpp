// Runs the stream reader over arbitrary bytes as a recording: forward to its end, then backward
// to its start, taking every packet it queues, and checks each picture it delivers.
#include "engine/manual_clock.h"
#include "stream/ts_analyse.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using namespace korvex;

// Backward reading skips a file of fewer than 16384 bytes, so a short input is repeated.
constexpr std::size_t kLeastFileBytes = 40000;

const std::string& RecordingPath() {
    static const std::string path = [] {
        char folder[] = "/tmp/korvex-fuzz-XXXXXX";
        if (mkdtemp(folder) == nullptr) {
            std::abort();
        }
        return std::string(folder) + "/REC_0001.ts";
    }();
    return path;
}

void WriteRecording(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(RecordingPath().c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::size_t written = 0;
    do {
        std::fwrite(data, 1, size, file);
        written += size;
    } while (size > 0 && written < kLeastFileBytes);
    std::fclose(file);
}

void CheckPicture(const PacketRecord& record, const CVBuffer2& video) {
    const bool picture = record.type == kKeyPicture || record.type == kOtherPicture;
    const bool starts_with_a_start_code =
        record.size >= 4 && record.data[0] == 0 && record.data[1] == 0 &&
        (record.data[2] == 1 || (record.data[2] == 0 && record.data[3] == 1));
    if (!picture || !starts_with_a_start_code || record.size > video.MaxPacketSize()) {
        __builtin_trap();
    }
}

// Takes every packet queued now, checking each.
void Drain(CVBuffer2& video, CABuffer2& audio) {
    PacketRecord record;
    while (video.Get(record)) {
        CheckPicture(record, video);
    }
    while (audio.Get(record)) {
        if (record.type != kAudioFrame || record.size > audio.MaxPacketSize()) {
            __builtin_trap();
        }
    }
}

// Takes every packet until the reader has come to an end of the data after `since` end waits.
void ReadToAnEnd(CTSAnalyse& reader, CVBuffer2& video, CABuffer2& audio, unsigned since) {
    while (reader.EndWaits() <= since) {
        Drain(video, audio);
        std::this_thread::yield();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the speed: key pictures only, or every picture with sound.
    const int speed = data[0] % 2 == 0 ? kSpeedNormal : kSpeedStep;
    WriteRecording(data + 1, size - 1);

    ManualClock clock(ManualClock::Mode::kAutoAdvance);
    PlayState play(clock);
    play.SetSpeed(speed);
    GpsTextBuffer gps;
    CVBuffer2 video;
    CABuffer2 audio;
    video.SetChainState(0);
    video.Open(2097152, 524288, BufferMode::kBlocking);
    audio.Open(131072, 16384, BufferMode::kBlocking);
    CTSAnalyse reader(play, gps, nullptr, clock);
    reader.SetBuffers(&video, &audio);
    reader.Start(RecordingPath());
    ReadToAnEnd(reader, video, audio, 0);
    if (reader.SetDirection(kBackward) == kBackward) {
        while (reader.Direction() != kBackward) {
            Drain(video, audio);
            std::this_thread::yield();
        }
        ReadToAnEnd(reader, video, audio, reader.EndWaits());
    }
    video.Close();
    audio.Close();
    reader.Stop();
    return 0;
}
