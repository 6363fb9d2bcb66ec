#pragma once

// A generated card that the tests of one program share: written once, into a temporary folder
// that also takes their clips, and removed at the end of the program.

#include "mkcard/card_writer.h"
#include "temp_dir.h"

#include <filesystem>
#include <string>

namespace korvex::test {

class SharedCard {
public:
    explicit SharedCard(const mkcard::CardOptions& options)
        : card_(mkcard::WriteCard(options, dir_.path() / "card")) {}

    // Where the tests put their clips.
    std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }
    const std::filesystem::path& Folder() const { return dir_.path(); }
    const mkcard::WrittenCard& Card() const { return card_; }
    const mkcard::WrittenRecording& Written(int index) const {
        return card_.recordings.at(static_cast<std::size_t>(index));
    }
    std::string Recording(int index) const { return Written(index).path.string(); }

private:
    TempDir dir_;
    mkcard::WrittenCard card_;
};

} // namespace korvex::test
