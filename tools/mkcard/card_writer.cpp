#include "mkcard/card_writer.h"

#include "camera/camera_settings.h"
#include "camera/camera_settings_file.h"
#include "mkcard/recording_writer.h"
#include "mkcard/town_drive.h"
#include "mkcard/ts_muxer.h"
#include "video/block_code.h"

#include <algorithm>
#include <cstdio>
#include <memory>
extern "C" {
#include <libavutil/log.h>
}

#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>

namespace korvex::mkcard {
namespace {

constexpr int kMinimumWidth = 80;
constexpr int kMinimumHeight = 46;
constexpr auto kReadOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                           std::filesystem::perms::others_read;
constexpr auto kWritable = kReadOnly | std::filesystem::perms::owner_write;

// True when format has exactly one conversion and it is an int one (%d, %04d, %i, %u).
bool OneNumberConversion(const std::string& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < format.size() &&
               std::string_view("0123456789-+ ").find(format[j]) != std::string_view::npos) {
            ++j;
        }
        if (j >= format.size() ||
            std::string_view("diu").find(format[j]) == std::string_view::npos) {
            return false;
        }
        ++conversions;
        i = j;
    }
    return conversions == 1;
}

bool ValidFiles(const std::set<int>& files, int count) {
    return files.empty() || (*files.begin() >= 0 && *files.rbegin() < count);
}

std::string FileName(const std::string& format, int number) {
    char name[256];
    const int length = std::snprintf(name, sizeof name, format.c_str(), number);
    if (length < 0 || static_cast<size_t>(length) >= sizeof name) {
        throw std::runtime_error("file name too long");
    }
    return name;
}

std::time_t ParseLocalTime(const std::string& text) {
    std::tm t{};
    char end = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &t.tm_year, &t.tm_mon, &t.tm_mday,
                    &t.tm_hour, &t.tm_min, &t.tm_sec, &end) != 6) {
        return -1;
    }
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    t.tm_isdst = -1; // let the C library decide whether daylight saving applies
    return std::mktime(&t);
}

void SetTimes(const std::filesystem::path& path, std::time_t time) {
    const timespec times[2] = {{time, 0}, {time, 0}};
    if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        throw std::runtime_error("cannot set the time of " + path.string());
    }
}

// Cuts the file in the middle of the packet at about fraction of its size.
uint64_t Truncate(const std::filesystem::path& path, uint64_t size, double fraction) {
    const uint64_t packets =
        static_cast<uint64_t>(static_cast<double>(size) * fraction) / kPacketSize;
    const uint64_t cut = std::min<uint64_t>(packets * kPacketSize + kPacketSize / 2, size - 1);
    std::filesystem::resize_file(path, cut);
    return cut;
}

// The camera's settings at their defaults, its clock left alone.
std::filesystem::path WriteUsrset(const std::filesystem::path& out) {
    const std::filesystem::path path = out / kCameraSettingsFileName;
    const auto bytes = EncodeCameraSettings(CameraSettings{});
    std::filesystem::remove(path);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written =
        file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path;
}

std::vector<SecondRange> NoFixOf(const CardOptions& options, int index) {
    const auto found = options.no_fix.find(index);
    return found == options.no_fix.end() ? std::vector<SecondRange>{} : found->second;
}

int ValueFor(const std::map<int, int>& overrides, int index, int otherwise) {
    const auto found = overrides.find(index);
    return found == overrides.end() ? otherwise : found->second;
}

PacketDamage DamageOf(const DamageOptions& damage, int index) {
    PacketDamage packet;
    if (damage.transport_error.count(index) != 0) {
        packet.error_every = damage.error_every;
    }
    if (damage.garbage.count(index) != 0) {
        packet.garbage_every = damage.garbage_every;
        packet.garbage_bytes = damage.garbage_bytes;
    }
    return packet;
}

} // namespace

std::string ValidateOptions(const CardOptions& o) {
    if (o.count < 1 || o.seconds < 1) {
        return "count and seconds must be at least 1";
    }
    if (o.width < kMinimumWidth || o.height < kMinimumHeight || o.width % 2 != 0 ||
        o.height % 2 != 0) {
        return "the picture size must be even and at least 80x46";
    }
    if (o.fps < 1 || o.fps > 120 || o.gop < 1) {
        return "fps must be 1 to 120 and gop at least 1";
    }
    if (o.first_number < 0 || o.first_number + o.count - 1 > kBlockCodeMaxNumber) {
        return "recording numbers must lie in 0..65535";
    }
    for (const auto& [index, seconds] : o.seconds_of) {
        if (index < 0 || index >= o.count || seconds < 1) {
            return "seconds-of needs a file index of the card and at least 1 second";
        }
    }
    int longest = o.seconds;
    for (const auto& [index, seconds] : o.seconds_of) {
        longest = std::max(longest, seconds);
    }
    if (static_cast<int64_t>(longest) * o.fps > kBlockCodeMaxIndex + 1) {
        return "too many pictures in one recording for the block code";
    }
    if (o.first_pts < 0 || o.first_pts >= (int64_t{1} << 33)) {
        return "the first time stamp must lie in 0..2^33-1";
    }
    if (!OneNumberConversion(o.name_format)) {
        return "the name format needs exactly one %d";
    }
    if (o.media_folder.empty() || o.media_folder.find('/') != std::string::npos) {
        return "the media folder must be one folder name";
    }
    if (ParseLocalTime(o.start_local_time) == -1) {
        return "the start time must be local time \"YYYY-MM-DD HH:MM:SS\"";
    }
    if (o.gap < 0) {
        return "gaps cannot be negative";
    }
    for (const auto& [index, gap] : o.gap_before) {
        if (index < 0 || index >= o.count || gap < 0) {
            return "gap-before needs a file index of the card and a gap of 0 or more";
        }
    }
    const DamageOptions& d = o.damage;
    if (!ValidFiles(o.read_only, o.count) || !ValidFiles(o.no_gps, o.count) ||
        !ValidFiles(d.truncate, o.count) || !ValidFiles(d.garbage, o.count) ||
        !ValidFiles(d.transport_error, o.count)) {
        return "file indexes must lie in 0..count-1";
    }
    for (const auto& [index, ranges] : o.no_fix) {
        if (index < 0 || index >= o.count) {
            return "file indexes must lie in 0..count-1";
        }
        for (const SecondRange& range : ranges) {
            if (range.from < 0 || range.to < range.from) {
                return "a no-fix stretch needs 0 <= from <= to";
            }
        }
    }
    if (o.tone_level < 0 || o.tone_level > 1 || o.tone_hz < 1 || o.tone_hz >= 24000) {
        return "the tone level must be 0..1 and its frequency 1..23999 Hz";
    }
    if (o.audio_frames_per_pes < 1 || o.audio_frames_per_pes > 8) {
        return "audio frames per PES must be 1..8";
    }
    if (o.crf < 0 || o.crf > 51) {
        return "crf must be 0..51";
    }
    if (o.nal_ref_idc < 0 || o.nal_ref_idc > 3) {
        return "the NAL reference bits must be 0..3";
    }
    if (d.truncate_fraction <= 0 || d.truncate_fraction >= 1 || d.garbage_every < 1 ||
        d.garbage_bytes < 1 || d.error_every < 1) {
        return "damage: the fraction must be inside (0, 1), the periods and sizes at least 1";
    }
    return {};
}

CardOptions TinyCard(int count, int seconds, int gop) {
    CardOptions options;
    options.count = count;
    options.seconds = seconds;
    options.width = 96;
    options.height = 64;
    options.gop = gop;
    return options;
}

WrittenCard WriteCard(const CardOptions& options, const std::filesystem::path& out) {
    if (const std::string problem = ValidateOptions(options); !problem.empty()) {
        throw std::runtime_error(problem);
    }
    // The encoders' statistics (info level) are noise to every user of a card; warnings and
    // errors still show, and a level someone chose on purpose is left alone.
    if (av_log_get_level() == AV_LOG_INFO) {
        av_log_set_level(AV_LOG_WARNING);
    }
    WrittenCard card;
    card.folder = out / "DCIM" / options.media_folder;
    std::filesystem::create_directories(card.folder);
    if (options.usrset) {
        card.usrset = WriteUsrset(out);
    }

    const std::unique_ptr<Drive> drive = options.camera_look
                                             ? std::unique_ptr<Drive>(std::make_unique<TownDrive>())
                                             : std::make_unique<GpsDrive>();
    std::time_t start = ParseLocalTime(options.start_local_time);
    for (int index = 0; index < options.count; ++index) {
        if (index > 0) {
            start =
                card.recordings.back().end_time + ValueFor(options.gap_before, index, options.gap);
        }
        RecordingPlan plan;
        plan.index = index;
        plan.number = options.first_number + index;
        plan.path = card.folder / FileName(options.name_format, plan.number);
        plan.start_time = start;
        plan.seconds = ValueFor(options.seconds_of, index, options.seconds);
        plan.first_pts = options.first_pts;
        plan.has_gps = options.no_gps.count(index) == 0;
        plan.no_fix = NoFixOf(options, index);
        plan.damage = DamageOf(options.damage, index);
        // A read-only file of an earlier run is replaced, not written into.
        std::filesystem::remove(plan.path);
        WrittenRecording written = WriteRecording(options, plan, *drive);
        if (options.damage.truncate.count(index) != 0) {
            written.size = Truncate(written.path, written.size, options.damage.truncate_fraction);
            written.truncated = true;
        }
        SetTimes(written.path, written.end_time);
        // Fixed permissions, whatever the umask: read-only takes every write bit away.
        written.read_only = options.read_only.count(index) != 0;
        std::filesystem::permissions(written.path, written.read_only ? kReadOnly : kWritable,
                                     std::filesystem::perm_options::replace);
        card.recordings.push_back(std::move(written));
    }
    return card;
}

} // namespace korvex::mkcard
