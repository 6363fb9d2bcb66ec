#include "app/ini_file.h"

#include "app/atomic_file.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace korvex {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kBlanks = " \t\r\n\f\v";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t code_point) {
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | (code_point >> 6));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        out += static_cast<char>(0xE0 | (code_point >> 12));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code_point >> 18));
        out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
}

// UTF-16LE without its mark to UTF-8; a lone surrogate becomes U+FFFD, an odd last byte is dropped.
std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    auto unit_at = [&](size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unit_at(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t low = unit_at(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? char32_t{0xFFFD} : char32_t{unit});
    }
    return out;
}

} // namespace

IniFile IniFile::Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return Parse(bytes);
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    std::string decoded;
    if (bytes.starts_with(kUtf16LeMark)) {
        decoded = Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size()));
        bytes = decoded;
    } else if (bytes.starts_with(kUtf8Mark)) {
        file.byte_order_mark_ = true;
        bytes.remove_prefix(kUtf8Mark.size());
    }
    file.crlf_ = bytes.find("\r\n") != std::string_view::npos;

    std::string section;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view text = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }

        Line line{std::string(text), section, {}, {}, false};
        const std::string_view trimmed = Trim(text);
        if (trimmed.starts_with('[')) {
            const size_t close = trimmed.find(']');
            section = Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
            line.section = section;
            line.is_header = true;
        } else if (!trimmed.starts_with(';')) {
            if (const size_t equals = trimmed.find('='); equals != std::string_view::npos) {
                line.key = Trim(trimmed.substr(0, equals));
                line.value = Trim(trimmed.substr(equals + 1));
            }
        }
        file.lines_.push_back(std::move(line));
    }
    return file;
}

const IniFile::Line* IniFile::Find(std::string_view section, std::string_view key) const {
    section = Trim(section);
    key = Trim(key);
    for (const Line& line : lines_) {
        if (!line.is_header && !line.key.empty() && EqualsIgnoringCase(line.section, section) &&
            EqualsIgnoringCase(line.key, key)) {
            return &line;
        }
    }
    return nullptr;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    if (const Line* line = Find(section, key)) {
        return line->value;
    }
    return std::nullopt;
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    constexpr std::string_view kLineBreaks = "\r\n";
    if (section.find_first_of(kLineBreaks) != std::string_view::npos ||
        key.find_first_of("\r\n=") != std::string_view::npos ||
        value.find_first_of(kLineBreaks) != std::string_view::npos) {
        return false;
    }
    section = Trim(section);
    key = Trim(key);
    value = Trim(value);
    Line line{std::string(key) + "=" + std::string(value), std::string(section), std::string(key),
              std::string(value), false};
    if (const Line* existing = Find(section, key)) {
        line.section = existing->section;
        lines_[static_cast<size_t>(existing - lines_.data())] = std::move(line);
        return true;
    }

    // After the last key of the section, so blank lines and comments between sections stay put.
    size_t insert_at = lines_.size();
    bool found_section = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!EqualsIgnoringCase(lines_[i].section, section)) {
            continue;
        }
        if (lines_[i].is_header || !Trim(lines_[i].text).empty()) {
            insert_at = i + 1;
        }
        found_section = true;
    }
    if (!found_section) {
        lines_.push_back(
            Line{"[" + std::string(section) + "]", std::string(section), {}, {}, true});
        insert_at = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
    return true;
}

std::string IniFile::Serialize() const {
    std::string out(byte_order_mark_ ? kUtf8Mark : std::string_view{});
    const std::string_view line_end = crlf_ ? "\r\n" : "\n";
    for (const Line& line : lines_) {
        out += line.text;
        out += line_end;
    }
    return out;
}

int ParseProfileInt(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return static_cast<int>(negative ? 0u - value : value);
}

std::error_code IniFile::Save(const std::filesystem::path& path) const {
    return WriteFileAtomically(path, Serialize());
}

} // namespace korvex
