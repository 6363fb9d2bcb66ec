#include "mkcard/card_arguments.h"

#include <charconv>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace korvex::mkcard {
namespace {

template <typename Whole> Whole ToWhole(std::string_view text) {
    Whole value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw std::invalid_argument("not a whole number: " + std::string(text));
    }
    return value;
}

int ToInt(std::string_view text) {
    return ToWhole<int>(text);
}

double ToDouble(std::string_view text) {
    const std::string copy(text);
    size_t used = 0;
    const double value = std::stod(copy, &used);
    if (used != copy.size()) {
        throw std::invalid_argument("not a number: " + copy);
    }
    return value;
}

// Splits "a,b,c" (an empty text gives no parts).
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    }
    return parts;
}

std::pair<std::string_view, std::string_view> Pair(std::string_view text, char separator) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        throw std::invalid_argument("expected '" + std::string(1, separator) +
                                    "' in: " + std::string(text));
    }
    return {text.substr(0, at), text.substr(at + 1)};
}

std::set<int> ToIndexSet(std::string_view text) {
    std::set<int> set;
    for (std::string_view part : Split(text, ',')) {
        set.insert(ToInt(part));
    }
    return set;
}

// "I:S,I:S"
std::map<int, int> ToIndexMap(std::string_view text) {
    std::map<int, int> values;
    for (std::string_view part : Split(text, ',')) {
        const auto [index, value] = Pair(part, ':');
        values[ToInt(index)] = ToInt(value);
    }
    return values;
}

// "I" (the whole recording) or "I:A-B", comma-separated.
std::map<int, std::vector<SecondRange>> ToNoFix(std::string_view text) {
    std::map<int, std::vector<SecondRange>> no_fix;
    for (std::string_view part : Split(text, ',')) {
        if (part.find(':') == std::string_view::npos) {
            no_fix[ToInt(part)].push_back({0, INT32_MAX});
            continue;
        }
        const auto [index, range] = Pair(part, ':');
        const auto [from, to] = Pair(range, '-');
        no_fix[ToInt(index)].push_back({ToInt(from), ToInt(to)});
    }
    return no_fix;
}

void ToSize(std::string_view text, CardOptions& options) {
    const auto [width, height] = Pair(text, 'x');
    options.width = ToInt(width);
    options.height = ToInt(height);
}

struct Option {
    std::string_view name;
    std::string_view value; // placeholder in the usage; empty for a flag
    std::string_view help;
    std::function<void(CardArguments&, std::string_view)> apply;
};

const std::vector<Option>& Options() {
    using A = CardArguments;
    using V = std::string_view;
    static const std::vector<Option> options = {
        {"count", "N", "recordings to write (1)", [](A& a, V v) { a.options.count = ToInt(v); }},
        {"seconds", "S", "length of each recording in seconds (5)",
         [](A& a, V v) { a.options.seconds = ToInt(v); }},
        {"seconds-of", "I:S,...", "a different length for the recording with index I",
         [](A& a, V v) { a.options.seconds_of = ToIndexMap(v); }},
        {"size", "WxH", "picture size, even numbers, at least 80x46 (320x180)",
         [](A& a, V v) { ToSize(v, a.options); }},
        {"fps", "N", "pictures per second, 30 or 60 as a camera writes (30)",
         [](A& a, V v) { a.options.fps = ToInt(v); }},
        {"gop", "N", "pictures per group, each group starting with an IDR picture (30)",
         [](A& a, V v) { a.options.gop = ToInt(v); }},
        {"first-number", "N", "number of the first recording (1)",
         [](A& a, V v) { a.options.first_number = ToInt(v); }},
        {"name-format", "FMT", "printf format of the file names, one %d (REC_%04d.ts)",
         [](A& a, V v) { a.options.name_format = v; }},
        {"media-folder", "NAME", "folder inside DCIM that holds the recordings (100MEDIA)",
         [](A& a, V v) { a.options.media_folder = v; }},
        {"start", "TIME",
         "local start of the first recording, \"YYYY-MM-DD HH:MM:SS\", "
         "through TZ (2024-05-17 08:30:00)",
         [](A& a, V v) { a.options.start_local_time = v; }},
        {"gap", "S", "seconds between the end of one recording and the start of the next (0)",
         [](A& a, V v) { a.options.gap = ToInt(v); }},
        {"gap-before", "I:S,...", "a different gap before the recording with index I",
         [](A& a, V v) { a.options.gap_before = ToIndexMap(v); }},
        {"read-only", "I,...", "indexes of recordings written without write permission",
         [](A& a, V v) { a.options.read_only = ToIndexSet(v); }},
        {"no-gps", "I,...", "indexes of recordings whose program table has no GPS stream",
         [](A& a, V v) { a.options.no_gps = ToIndexSet(v); }},
        {"no-fix", "I[:A-B],...",
         "GPS texts with status 'V' in recording I, seconds A to B-1 "
         "(the whole recording without A-B)",
         [](A& a, V v) { a.options.no_fix = ToNoFix(v); }},
        {"tone-level", "L", "peak of the sine tone, 0 (silence) to 1 (full scale) (0.25)",
         [](A& a, V v) { a.options.tone_level = ToDouble(v); }},
        {"tone-hz", "HZ", "frequency of the tone (1000)",
         [](A& a, V v) { a.options.tone_hz = ToInt(v); }},
        {"audio-frames-per-pes", "N", "ADTS frames in one audio PES, 1 to 8 (1)",
         [](A& a, V v) { a.options.audio_frames_per_pes = ToInt(v); }},
        {"crf", "N", "x264 constant rate factor, 0 to 51 (23)",
         [](A& a, V v) { a.options.crf = ToInt(v); }},
        {"short-start-codes", "",
         "three-byte start codes before every NAL unit after the first of a picture",
         [](A& a, V) { a.options.short_start_codes = true; }},
        {"nal-ref-idc", "N",
         "reference bits, 1 to 3, of every NAL unit that has some (0: the encoder's)",
         [](A& a, V v) { a.options.nal_ref_idc = ToInt(v); }},
        {"first-pts", "T", "90 kHz time stamp of the first picture of every recording (9000)",
         [](A& a, V v) { a.options.first_pts = ToWhole<int64_t>(v); }},
        {"camera-look", "",
         "as a camera writes it, for people to watch: no block code, the date, time and speed "
         "along the bottom edge of the pictures, a drive through town with turns and stops",
         [](A& a, V) { a.options.camera_look = true; }},
        {"no-usrset", "", "do not write the camera's settings file usrset.dat into OUT",
         [](A& a, V) { a.options.usrset = false; }},
        {"truncate", "I,...", "cut these recordings in the middle of a packet",
         [](A& a, V v) { a.options.damage.truncate = ToIndexSet(v); }},
        {"truncate-fraction", "F", "where to cut, as a fraction of the file size (0.5)",
         [](A& a, V v) { a.options.damage.truncate_fraction = ToDouble(v); }},
        {"garbage", "I,...", "insert garbage between packets of these recordings",
         [](A& a, V v) { a.options.damage.garbage = ToIndexSet(v); }},
        {"garbage-every", "N", "garbage after every N-th packet (100)",
         [](A& a, V v) { a.options.damage.garbage_every = ToInt(v); }},
        {"garbage-bytes", "N", "bytes of garbage each time, never 0x47 (61)",
         [](A& a, V v) { a.options.damage.garbage_bytes = ToInt(v); }},
        {"transport-error", "I,...", "set the transport error indicator in these recordings",
         [](A& a, V v) { a.options.damage.transport_error = ToIndexSet(v); }},
        {"error-every", "N", "on every N-th elementary-stream packet (97)",
         [](A& a, V v) { a.options.damage.error_every = ToInt(v); }},
        {"quiet", "", "print nothing on success", [](A& a, V) { a.quiet = true; }},
        {"help", "", "print this text", [](A& a, V) { a.help = true; }},
    };
    return options;
}

const Option* Find(std::string_view name) {
    for (const Option& option : Options()) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

CardArguments ParseCardArguments(std::span<const char* const> arguments) {
    CardArguments parsed;
    try {
        for (size_t i = 0; i < arguments.size(); ++i) {
            std::string_view argument = arguments[i];
            if (argument == "-h") {
                argument = "--help";
            }
            if (!argument.starts_with("--")) {
                if (!parsed.out.empty()) {
                    throw std::invalid_argument("more than one OUT folder");
                }
                parsed.out = std::string(argument);
                continue;
            }
            argument.remove_prefix(2);
            const size_t equals = argument.find('=');
            const std::string_view name = argument.substr(0, equals);
            const Option* option = Find(name);
            if (option == nullptr) {
                throw std::invalid_argument("unknown option --" + std::string(name));
            }
            std::string_view value;
            if (equals != std::string_view::npos) {
                value = argument.substr(equals + 1);
            } else if (!option->value.empty()) {
                if (i + 1 >= arguments.size()) {
                    throw std::invalid_argument("--" + std::string(name) + " needs a value");
                }
                value = arguments[++i];
            }
            option->apply(parsed, value);
        }
    } catch (const std::exception& error) {
        parsed.error = error.what();
        return parsed;
    }
    if (parsed.help) {
        return parsed;
    }
    if (parsed.out.empty()) {
        parsed.error = "no OUT folder given";
    } else {
        parsed.error = ValidateOptions(parsed.options);
    }
    return parsed;
}

std::string CardUsage() {
    std::string usage =
        "usage: korvex-mkcard [OPTIONS] OUT\n\n"
        "Writes a camera-like sample card: OUT/DCIM/<media folder>/ with numbered\n"
        "transport-stream recordings (H.264 with a block code of recording number and picture\n"
        "index in the top-left corner, or with --camera-look as a camera writes them; AAC tone;\n"
        "GPS/G-sensor texts once a second). Each file's modification time is its end time; the\n"
        "same options always give the same bytes. Recordings are chosen by their\n"
        "index in the card, 0 for the first one written.\n\noptions:\n";
    for (const Option& option : Options()) {
        std::string left = "  --" + std::string(option.name);
        if (!option.value.empty()) {
            left += " " + std::string(option.value);
        }
        left.resize(std::max<size_t>(left.size() + 1, 30), ' ');
        usage += left + std::string(option.help) + "\n";
    }
    return usage;
}

} // namespace korvex::mkcard
