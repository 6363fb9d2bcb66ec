#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace korvex {

// A profile ("INI") file in memory, with the rules the configuration and the language files rely
// on: section and key names compare without regard to ASCII case, names and values are trimmed
// of blanks, the first '=' of a line splits name from value, the first of two equal keys wins.
// Lines it does not understand (comments, text without '=') are kept as they are, so a rewrite
// changes only the keys that were set. Reads UTF-8 with or without a byte-order mark and
// UTF-16LE with one; writes UTF-8, keeping a UTF-8 mark and CRLF line ends when the file had them.
class IniFile {
public:
    IniFile() = default;

    // A missing or unreadable file reads as empty.
    static IniFile Load(const std::filesystem::path& path);
    static IniFile Parse(std::string_view bytes);

    // The value of `key` in `section`, or nothing when the section or the key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the value of the key, or adds the key at the end of its section, or adds the
    // section at the end of the file. Refused (false, nothing changed) when the section, the key
    // or the value holds a line break, or the key an '=': written, they would add lines or keys
    // of their own to the file.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

    // Replaces the file atomically; see WriteFileAtomically.
    std::error_code Save(const std::filesystem::path& path) const;

private:
    struct Line {
        std::string text;    // the line as read or written, without its line end
        std::string section; // trimmed name of the section it belongs to
        std::string key;     // trimmed key; empty for a line without '='
        std::string value;   // trimmed value
        bool is_header = false;
    };

    const Line* Find(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
    bool byte_order_mark_ = false;
    bool crlf_ = false;
};

// A profile integer: an optional minus sign and the leading decimal digits, wrapping at 32 bits as
// the format always has; text that starts with no digit gives 0.
int ParseProfileInt(std::string_view text);

} // namespace korvex
