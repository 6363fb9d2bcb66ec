#include "playback/ts_chn.h"

namespace korvex {
namespace {

template <typename T> T& Given(T* given, T& fallback) {
    return given != nullptr ? *given : fallback;
}

} // namespace

CTSChn::CTSChn(const ChannelPlatform& platform)
    : clock_(Given(platform.clock, SystemClock())), messages_(platform.messages), play_(clock_),
      audio_(audio_buffer_, play_,
             Given(platform.sound_amplification,
                   static_cast<const std::atomic<int>&>(defaults_.sound_amplification)),
             Given(platform.sound, static_cast<SoundDriver&>(defaults_.sound)), clock_),
      video_(
          video_buffer_, play_, Given(platform.display_mode, defaults_.display_mode),
          [this](bool hold) { audio_.SetHold(hold); }, clock_),
      list_(platform.messages),
      reader_(play_, Given(platform.gps_text, defaults_.gps_text), platform.messages, clock_) {
    video_.SetOutput(platform.video_output);
    video_.SetPictureListener(platform.on_picture);
    reader_.SetBuffers(&video_buffer_, &audio_buffer_);
}

CTSChn::~CTSChn() {
    Close();
}

bool CTSChn::OpenBuffers(CVBuffer2& video, CABuffer2& audio) {
    video.SetChainState(0); // the first group queued starts with a key picture
    return video.Open(kVideoAreaBytes, kVideoMaxPacketBytes, BufferMode::kBlocking) &&
           audio.Open(kAudioAreaBytes, kAudioMaxPacketBytes, BufferMode::kBlocking);
}

bool CTSChn::Open(const CFindFilePath* list) {
    if (opened_) {
        return false;
    }
    opened_ = true;
    const bool started =
        OpenBuffers(video_buffer_, audio_buffer_) && video_.Start() && audio_.Start();
    if (!started) {
        Close();
        return false;
    }
    if (list != nullptr) {
        for (const RecordingEntry& entry : list->Entries()) {
            list_.Append(entry);
        }
        if (messages_ != nullptr) {
            messages_->Post(MessageTarget::kPanel, {kMessageListComplete});
        }
    } else if (!list_.ScanAsync(source_path_)) {
        Close();
        return false;
    }
    if (!reader_.Start(source_path_)) {
        list_.Stop();
        Close();
        return false;
    }
    return true;
}

void CTSChn::Close() {
    // Closed buffers release a reader waiting for room and never block it again; the reader's
    // stop also ends a new-route send it waits in. Only then can the reader be joined.
    video_buffer_.Close();
    audio_buffer_.Close();
    reader_.Stop();
    video_.Stop(CMyThread::kStopTimeoutMs);
    audio_.Stop(CMyThread::kStopTimeoutMs);
}

int CTSChn::Seek(int value) {
    reader_.Seek(value);
    return value;
}

int CTSChn::PlayFileAt(std::int64_t time) {
    for (const RecordingEntry& entry : list_.Entries()) {
        if (entry.end_time > time) {
            if (entry.path == CurrentPath()) {
                return 0;
            }
            reader_.RequestFile(entry.path);
            return 1;
        }
    }
    return 0;
}

bool CTSChn::CardEnded() const {
    // In this order: once the reader waits at the end it puts nothing more, so an empty buffer
    // after it means every packet was taken, and a starved worker after that has shown them.
    return reader_.AtCardEnd() && video_buffer_.Count() == 0 && video_.IsStarved();
}

} // namespace korvex
