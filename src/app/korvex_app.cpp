#include "app/korvex_app.h"

#include "app/version.h"

#include <cassert>

namespace korvex {

namespace {

CKorvexApp* current_app = nullptr;

} // namespace

CKorvexApp::CKorvexApp(SettingsLocations locations) : settings_(std::move(locations)) {
    assert(current_app == nullptr && "there is one application object a process");
    current_app = this;
}

CKorvexApp::~CKorvexApp() {
    current_app = nullptr;
}

CKorvexApp* CKorvexApp::Current() {
    return current_app;
}

void CKorvexApp::Prepare(int screen_width, int screen_height) {
    // Current FFmpeg registers its codecs by itself.
    version_text_ = ProgramVersionText();
    settings_.LoadLanguage();
    settings_.Load(screen_width, screen_height);
    if (settings_.ReadInt("Config", "GPS_Offset_Auto", 1) == 1) {
        offset_table_loaded_ =
            offset_table_.Load(settings_.Locations().program_folder / "offset_min.bin");
    }
}

std::error_code CKorvexApp::Finish() {
    return settings_.Save();
}

} // namespace korvex
