#pragma once

#include "positioning/map_page.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace korvex::test {

// A map page that keeps what the bridge did: every write and call in order ("id=value" and
// "name()"), and the elements' latest values. Load() plays a finished page load.
class RecordingMapPage final : public MapPage {
public:
    std::vector<std::string> log;
    std::map<std::string, std::string> values;

    void WriteValue(std::string_view id, std::string_view value) override {
        log.push_back(std::string(id) + "=" + std::string(value));
        values[std::string(id)] = std::string(value);
    }
    void CallFunction(std::string_view name) override { log.push_back(std::string(name) + "()"); }
    void OnLoaded(std::function<void()> loaded) override { loaded_ = std::move(loaded); }

    void Load() { loaded_(); }

private:
    std::function<void()> loaded_;
};

} // namespace korvex::test
