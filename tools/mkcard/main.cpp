// korvex-mkcard: writes a camera-like sample card (see --help).

#include "mkcard/card_arguments.h"

#include <cstdio>
#include <exception>

using namespace korvex::mkcard;

int main(int argc, char** argv) {
    const CardArguments arguments =
        ParseCardArguments(std::span<const char* const>(argv + 1, static_cast<size_t>(argc - 1)));
    if (arguments.help) {
        std::fputs(CardUsage().c_str(), stdout);
        return 0;
    }
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "korvex-mkcard: %s\n\n%s", arguments.error.c_str(),
                     CardUsage().c_str());
        return 2;
    }
    try {
        const WrittenCard card = WriteCard(arguments.options, arguments.out);
        if (!arguments.quiet) {
            for (const WrittenRecording& recording : card.recordings) {
                std::printf("%s: %d pictures, %zu GPS texts, %llu bytes\n", recording.path.c_str(),
                            recording.pictures, recording.gps.size(),
                            static_cast<unsigned long long>(recording.size));
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvex-mkcard: %s\n", error.what());
        return 1;
    }
    return 0;
}
