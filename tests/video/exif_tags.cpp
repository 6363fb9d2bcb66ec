#include "exif_tags.h"

#include "command_output.h"

#include <gtest/gtest.h>
#include <sstream>

namespace korvex::test {
namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) {
        fields.push_back(cell);
    }
    return fields;
}

} // namespace

std::map<std::string, ExifTags> ReadExifTags(const std::vector<std::filesystem::path>& files,
                                             const std::vector<std::string>& tags) {
    // One table row a file, "-" for a missing tag.
    std::string command = "exiftool -n -T -FileName";
    for (const std::string& tag : tags) {
        command += " -" + tag;
    }
    for (const auto& file : files) {
        command += " '" + file.string() + "'";
    }
    const CommandOutput result = RunCommand(command + " 2>&1");
    EXPECT_EQ(result.status, 0) << command << "\n" << result.output;
    std::map<std::string, ExifTags> read;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() != tags.size() + 1) {
            continue; // a message, not a row
        }
        ExifTags& file_tags = read[fields[0]];
        for (std::size_t i = 0; i < tags.size(); ++i) {
            if (fields[i + 1] != "-") {
                file_tags[tags[i]] = fields[i + 1];
            }
        }
    }
    return read;
}

} // namespace korvex::test
