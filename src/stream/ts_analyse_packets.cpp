// The stream reader's packets: the tables, the PES collection and what each PES becomes.
#include "stream/pes_header.h"
#include "stream/picture_search.h"
#include "stream/ts_analyse.h"
#include "stream/ts_analyse_work_buffers.h"

#include <algorithm>
#include <cstring>

namespace korvex {

namespace {

constexpr int kKeyOnlyFrameRate = 2;
constexpr double kLeastDts = 0.0001;

// Copies `bytes` to where the producer writes its next packet.
void CopyInto(PacketRecord& record, std::span<const std::uint8_t> bytes) {
    std::memcpy(record.data, bytes.data(), bytes.size());
    record.size = static_cast<int>(bytes.size());
}

} // namespace

void CTSAnalyse::HandlePacket(const std::uint8_t* packet, const std::stop_token& running) {
    const auto header = DecodeHeader(packet);
    if (!header) {
        return;
    }
    if (!tables_.Ready()) {
        tables_.OfferToTables(*header);
        if (!tables_.Ready()) {
            return;
        }
        tables_ready_.store(true);
    }
    const bool forward = direction_.load() == kForward;
    if (header->pid == tables_.VideoPid()) {
        PesCollector& pes = work_->video;
        if (forward) {
            if (header->unit_start) {
                DeliverVideo(play_state_.Speed() == kSpeedStep, running);
                pes.Clear();
            }
            pes.Append(header->payload);
        } else {
            // Backward a unit start completes the PES whose later packets came first, unless
            // the scan began inside it: cut short, it is left out.
            pes.Prepend(header->payload);
            if (header->unit_start) {
                if (work_->video_tail_read && DeliverVideo(true, running)) {
                    Flush(false); // one key picture a block: on to the next block back
                } else {
                    pes.Clear();
                    work_->video_tail_read = true;
                }
            }
        }
    } else if (forward && header->pid == tables_.AudioPid()) {
        if (header->unit_start) {
            DeliverAudio();
            work_->audio.Clear();
        }
        work_->audio.Append(header->payload);
    } else if (forward && header->pid == tables_.GpsPid()) {
        if (header->unit_start) {
            DeliverGps();
            work_->gps.Clear();
        }
        work_->gps.Append(header->payload);
    }
}

bool CTSAnalyse::DeliverVideo(bool key_only, const std::stop_token& running) {
    const std::span<const std::uint8_t> pes = work_->video.Bytes();
    const auto header = ParsePesHeader(pes);
    if (!header) {
        return false;
    }
    const bool forward = direction_.load() == kForward;
    // Every video PES read forward counts, delivered or not; backward the time stamps fall.
    if (forward) {
        frame_rate_.MeasureFrameRate(*header);
    }
    const std::span<const std::uint8_t> payload = pes.subspan(header->payload_offset);
    const auto picture = FindPicture(payload, running);
    video_record_.position = Thousandths(position_.load(), file_size_.load());
    video_record_.recording = recording_.load();
    if (!picture || direction_change_pending_.load()) {
        return false;
    }
    if (key_only && picture->type != kKeyPicture) {
        // A non-key picture left out breaks the chain as one the buffer refuses does: when a
        // single step's key-only reading ends, no picture after it goes to the decoder
        // without its reference.
        video_->BreakChain();
        return false;
    }
    if (forward && skip_count_.load() > 0) {
        // After a change to forward: the first key picture and all before the second are dropped.
        const int left =
            picture->type == kKeyPicture ? skip_count_.fetch_sub(1) - 1 : skip_count_.load();
        if (left > 0) {
            return false;
        }
    }
    const std::span<const std::uint8_t> bytes = payload.subspan(picture->offset);
    if (video_record_.data == nullptr) {
        return false;
    }
    if (work_->video.Cut() || bytes.size() > static_cast<std::size_t>(video_->MaxPacketSize())) {
        // Too large for the buffer, or cut at the end of the collection: the pictures after it
        // would be decoded without their reference.
        video_->BreakChain();
        return false;
    }
    CopyInto(video_record_, bytes);
    video_record_.type = picture->type;
    video_record_.frame_rate = key_only ? kKeyOnlyFrameRate : frame_rate_.FrameRate();
    video_record_.time_stamp = header->dts > kLeastDts ? header->dts : header->pts;
    const int speed = play_state_.Speed();
    const int stamped = speed == kSpeedHeld ? kSpeedStep : speed;
    video_record_.speed = forward ? stamped : -stamped;
    video_->Put(video_record_);
    return picture->type == kKeyPicture;
}

void CTSAnalyse::DeliverAudio() {
    const std::span<const std::uint8_t> pes = work_->audio.Bytes();
    const auto header = ParsePesHeader(pes);
    if (!header || !play_state_.IsNormalSpeed() || direction_change_pending_.load() ||
        audio_record_.data == nullptr) {
        return;
    }
    const std::span<const std::uint8_t> payload = pes.subspan(header->payload_offset);
    CopyInto(
        audio_record_,
        payload.first(std::min(payload.size(), static_cast<std::size_t>(audio_->MaxPacketSize()))));
    audio_record_.type = kAudioFrame;
    audio_record_.frame_rate = 0;
    audio_record_.speed = 0;
    audio_record_.time_stamp = 0;
    audio_record_.position = 0;
    audio_->Put(audio_record_);
}

void CTSAnalyse::DeliverGps() {
    const std::span<const std::uint8_t> pes = work_->gps.Bytes();
    const auto header = ParsePesHeader(pes);
    if (!header || direction_change_pending_.load()) {
        return;
    }
    const std::span<const std::uint8_t> payload = pes.subspan(header->payload_offset);
    // Store keeps at most the buffer's capacity less the terminating zero, and sets the flag
    // before the message goes out.
    const std::string_view text(reinterpret_cast<const char*>(payload.data()), payload.size());
    gps_.Store(text);
    // Read here as well as by the map: the pictures that follow carry it into their snapshots.
    video_record_.fix = FixOfGpsText(text.substr(0, GpsTextBuffer::kCapacity - 1), gps_carried_);
    if (sink_ != nullptr) {
        sink_->Post(MessageTarget::kMainWindow, {kMessageGpsText});
    }
}

} // namespace korvex
