#include "translated_literals.h"

#include "temp_dir.h"

#include <algorithm>
#include <regex>

namespace korvex::test {

namespace {

// A call of a translating function or the marker, and the literals of its text argument.
const std::regex kCall(
    R"re(\b(?:Tr|Translate|translate|TextKey)\(\s*(?:[A-Za-z_]\w*\s*,\s*)?((?:"(?:[^"\\]|\\.)*"\s*)+))re");
const std::regex kLiteral(R"re("((?:[^"\\]|\\.)*)")re");

std::string Unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return out;
}

std::string Trimmed(std::string text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct Found {
    std::string text;
    size_t offset;
};

std::vector<Found> Find(std::string_view source) {
    std::vector<Found> found;
    const std::string text(source);
    for (auto call = std::sregex_iterator(text.begin(), text.end(), kCall);
         call != std::sregex_iterator(); ++call) {
        const std::string literals = (*call)[1].str();
        std::string joined;
        for (auto literal = std::sregex_iterator(literals.begin(), literals.end(), kLiteral);
             literal != std::sregex_iterator(); ++literal) {
            joined += Unescaped((*literal)[1].str());
        }
        found.push_back({Trimmed(joined), static_cast<size_t>(call->position(0))});
    }
    return found;
}

} // namespace

std::vector<std::string> TranslatedLiterals(std::string_view source) {
    std::vector<std::string> texts;
    for (Found& found : Find(source)) {
        texts.push_back(std::move(found.text));
    }
    return texts;
}

std::map<std::string, std::string> TranslatedLiteralsUnder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::filesystem::path extension = entry.path().extension();
        if (entry.is_regular_file() && (extension == ".cpp" || extension == ".h")) {
            files.push_back(entry.path());
        }
    }
    std::ranges::sort(files); // the first use named is the same on every file system
    std::map<std::string, std::string> used;
    for (const std::filesystem::path& file : files) {
        const std::string source = ReadFile(file);
        for (const Found& found : Find(source)) {
            const auto line = 1 + std::count(source.begin(), source.begin() + found.offset, '\n');
            used.emplace(found.text, std::filesystem::relative(file, folder).string() + ":" +
                                         std::to_string(line));
        }
    }
    return used;
}

} // namespace korvex::test
