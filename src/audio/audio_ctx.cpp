#include "audio/audio_ctx.h"

#include "audio/loop_pacing.h"
#include "engine/audio_packet_buffer.h"

namespace korvex {
namespace {

constexpr int kNotificationTimeoutMs = 1000;
constexpr int kIdleMs = 10;

} // namespace

CAudioCtx::CAudioCtx(CABuffer2& packets, const PlayState& play_state,
                     const std::atomic<int>& amplification, SoundDriver& driver, Clock& clock)
    : CMyThread(clock), packets_(packets), filler_(packets, play_state, hold_, amplification),
      device_(driver, clock) {}

CAudioCtx::~CAudioCtx() {
    Stop(kStopTimeoutMs);
    AwaitEnd();
}

bool CAudioCtx::Start() {
    if (!filler_.OpenDecoder()) {
        return false;
    }
    hold_ = false;
    stopping_ = false;
    return CMyThread::Start();
}

void CAudioCtx::Stop(int timeout_ms) {
    // The flag first, so that the woken worker sees it and does not wait again.
    stopping_ = true;
    device_.Wake();
    packets_.WakeConsumer();
    CMyThread::Stop(timeout_ms);
}

int CAudioCtx::Run() {
    device_.Open();
    filler_.ForgetPacket();
    int next = 0; // where the next block goes
    bool playing = false;
    const auto keep_going = [this] { return KeepGoing(); };
    while (KeepGoing()) {
        if (device_.IsLost()) {
            device_.Close();
        }
        if (!device_.IsOpen()) {
            // Without a device every packet goes as soon as it comes, so the reader never
            // waits for room in this buffer.
            filler_.DiscardPackets();
            IdleUntilSet(packets_.packet_event(), kIdleMs);
            continue;
        }
        filler_.Fill(device_.LockBlock(next), keep_going);
        device_.UnlockBlock();
        next = (next + kSoundBlockBytes) % kSoundLoopBytes;
        if (!playing) {
            playing = device_.Play();
            if (!playing) {
                device_.Close(); // a device that cannot play counts as none
                continue;
            }
        }
        next = AwaitNextBlock(next);
    }
    device_.Close();
    return 0;
}

int CAudioCtx::AwaitNextBlock(int next) {
    while (KeepGoing() && !device_.IsLost()) {
        const int cursor = device_.PlayCursor();
        switch (NextLoopStep(next, cursor)) {
        case LoopStep::kWriteNext:
            return next;
        case LoopStep::kResynchronise:
            return ResynchronisedOffset(cursor);
        case LoopStep::kWait:
            if (!device_.WaitForNotification(kNotificationTimeoutMs)) {
                return next; // none within a second: write the next block all the same
            }
            break;
        }
    }
    return next;
}

} // namespace korvex
