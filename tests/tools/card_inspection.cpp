#include "card_inspection.h"

namespace korvex::mkcard {

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

} // namespace korvex::mkcard
