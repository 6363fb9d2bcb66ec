#include "mkcard/recording_writer.h"

#include "mkcard/aac_tone.h"
#include "mkcard/block_code.h"
#include "mkcard/caption_painter.h"
#include "mkcard/h264_encoder.h"
#include "mkcard/scene_painter.h"
#include "mkcard/ts_muxer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

namespace korvex::mkcard {
namespace {

constexpr int64_t kClock = 90000;
constexpr double kMetresPerRoadUnit = 3.5;
constexpr double kTurnRateOfFullBend = 40; // degrees per second

struct TimedPayload {
    int64_t pts = 0;
    std::vector<uint8_t> bytes;
};

bool Fixed(const std::vector<SecondRange>& no_fix, int second) {
    return std::none_of(no_fix.begin(), no_fix.end(), [second](const SecondRange& range) {
        return second >= range.from && second < range.to;
    });
}

// Audio PES payloads of frames_per_pes ADTS frames each, with the first frame's time stamp.
std::vector<TimedPayload> AudioPayloads(const CardOptions& options, const RecordingPlan& plan,
                                        int& frame_count) {
    const int frames =
        static_cast<int>((static_cast<int64_t>(plan.seconds) * kAudioRate + kAacFrameSamples - 1) /
                         kAacFrameSamples);
    const std::vector<std::vector<uint8_t>> adts =
        EncodeAacTone(frames, options.tone_level, options.tone_hz);
    frame_count = static_cast<int>(adts.size());
    std::vector<TimedPayload> payloads;
    for (size_t i = 0; i < adts.size(); ++i) {
        if (i % static_cast<size_t>(options.audio_frames_per_pes) == 0) {
            payloads.push_back(
                {plan.first_pts + static_cast<int64_t>(i) * kAacFrameSamples * kClock / kAudioRate,
                 {}});
        }
        payloads.back().bytes.insert(payloads.back().bytes.end(), adts[i].begin(), adts[i].end());
    }
    return payloads;
}

// The drive's state at every second of the recording and at the first second after it (the
// next recording's start), the drive advanced by the recording's seconds.
std::vector<DriveState> DriveSeconds(const RecordingPlan& plan, Drive& drive) {
    std::vector<DriveState> states = {drive.Now()};
    for (int second = 0; second < plan.seconds; ++second) {
        drive.Advance();
        states.push_back(drive.Now());
    }
    return states;
}

std::vector<WrittenGpsText> GpsTexts(const RecordingPlan& plan,
                                     const std::vector<DriveState>& states) {
    std::vector<WrittenGpsText> texts;
    for (int second = 0; second < plan.seconds; ++second) {
        WrittenGpsText text = FormatGpsText(states[static_cast<size_t>(second)],
                                            plan.start_time + second, Fixed(plan.no_fix, second));
        text.pts = plan.first_pts + second * kClock;
        texts.push_back(std::move(text));
    }
    return texts;
}

// "2024/05/17 08:30:07  45 km/h", the time as the local clock shows it; the speed only while
// the camera has a fix.
std::string CaptionText(std::time_t time, const DriveState& state, bool speed_known) {
    std::tm t{};
    localtime_r(&time, &t);
    char text[64];
    int length = std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.tm_year + 1900,
                               t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    if (speed_known) {
        length += std::snprintf(text + length, sizeof text - static_cast<size_t>(length),
                                "  %d km/h", static_cast<int>(std::lround(state.speed_kmh)));
    }
    return std::string(text, static_cast<size_t>(length));
}

double Between(double from, double to, double fraction) {
    return from + (to - from) * fraction;
}

// Paints the pictures of one recording as a camera records the drive: the road moving at the
// car's speed and bending with its turns, the date, time and speed along the bottom.
class CameraPictures {
public:
    CameraPictures(const CardOptions& options, const RecordingPlan& plan,
                   const std::vector<DriveState>& states)
        : options_(options), plan_(plan), states_(states) {}

    void Paint(const YuvView& view, int picture) {
        const int second = picture / options_.fps;
        const double fraction = static_cast<double>(picture % options_.fps) / options_.fps;
        const DriveState& now = states_[static_cast<size_t>(second)];
        const DriveState& next = states_[static_cast<size_t>(second) + 1];
        const double kmh = Between(now.speed_kmh, next.speed_kmh, fraction);
        travelled_ += kmh / 3.6 / options_.fps / kMetresPerRoadUnit;
        const double bend = std::clamp(
            Between(now.turn_rate, next.turn_rate, fraction) / kTurnRateOfFullBend, -0.7, 0.7);
        PaintRoadScene(view, travelled_, bend);
        PaintCaption(view, CaptionText(plan_.start_time + second, now,
                                       plan_.has_gps && Fixed(plan_.no_fix, second)));
    }

private:
    const CardOptions& options_;
    const RecordingPlan& plan_;
    const std::vector<DriveState>& states_;
    double travelled_ = 0;
};

// Writes audio and GPS payloads in time order, all those before limit (an audio PES first
// when both are due at the same time).
class Interleaver {
public:
    Interleaver(TsMuxer& muxer, const std::vector<TimedPayload>& audio,
                const std::vector<WrittenGpsText>& gps)
        : muxer_(muxer), audio_(audio), gps_(gps) {}

    void WriteBefore(int64_t limit) {
        for (;;) {
            const bool audio_due = next_audio_ < audio_.size() && audio_[next_audio_].pts < limit;
            const bool gps_due = next_gps_ < gps_.size() && gps_[next_gps_].pts < limit;
            if (audio_due && (!gps_due || audio_[next_audio_].pts <= gps_[next_gps_].pts)) {
                muxer_.WriteAudio(audio_[next_audio_].bytes, audio_[next_audio_].pts);
                ++next_audio_;
            } else if (gps_due) {
                muxer_.WriteGps(gps_[next_gps_].text, gps_[next_gps_].pts);
                ++next_gps_;
            } else {
                return;
            }
        }
    }

private:
    TsMuxer& muxer_;
    const std::vector<TimedPayload>& audio_;
    const std::vector<WrittenGpsText>& gps_;
    size_t next_audio_ = 0;
    size_t next_gps_ = 0;
};

} // namespace

WrittenRecording WriteRecording(const CardOptions& options, const RecordingPlan& plan,
                                Drive& drive) {
    WrittenRecording written;
    written.path = plan.path;
    written.index = plan.index;
    written.number = plan.number;
    written.start_time = plan.start_time;
    written.end_time = plan.start_time + plan.seconds;
    written.has_gps = plan.has_gps;
    written.width = options.width;
    written.height = options.height;
    written.fps = options.fps;
    written.gop = options.gop;
    written.pictures = plan.seconds * options.fps;

    const std::vector<TimedPayload> audio = AudioPayloads(options, plan, written.audio_frames);
    // The drive goes on through a recording without a GPS stream.
    const std::vector<DriveState> states = DriveSeconds(plan, drive);
    written.gps = GpsTexts(plan, states);
    if (!plan.has_gps) {
        written.gps.clear();
    }

    PacketFile file(plan.path, plan.damage);
    TsMuxer muxer(file, plan.has_gps);
    Interleaver interleaver(muxer, audio, written.gps);
    H264Encoder encoder(options.width, options.height, options.fps, options.gop, options.crf,
                        {options.short_start_codes, options.nal_ref_idc});
    auto pts_of = [&](int64_t picture) { return plan.first_pts + picture * kClock / options.fps; };
    int64_t muxed = 0;
    auto mux = [&](const std::vector<AccessUnit>& units) {
        for (const AccessUnit& unit : units) {
            written.picture_offsets.push_back(
                muxer.WriteVideo(unit.bytes, unit.idr, pts_of(muxed)));
            ++muxed;
            interleaver.WriteBefore(pts_of(muxed));
        }
    };
    CameraPictures camera(options, plan, states);
    for (int picture = 0; picture < written.pictures; ++picture) {
        const YuvView view = encoder.NextPicture();
        if (options.camera_look) {
            camera.Paint(view, picture);
        } else {
            PaintRoadScene(view, static_cast<double>(picture) / options.fps);
            WriteBlockCode(view, BlockCode{plan.number, picture});
        }
        mux(encoder.Encode());
    }
    mux(encoder.Flush());
    interleaver.WriteBefore(INT64_MAX);
    file.Close();

    written.first_pts = pts_of(0);
    written.last_pts = pts_of(written.pictures - 1);
    written.error_packet_offsets = file.ErrorOffsets();
    written.size = file.Offset();
    return written;
}

} // namespace korvex::mkcard
