#pragma once

#include "app/g_sensor_sample.h"
#include "app/gps_text_buffer.h"
#include "app/settings.h"
#include "positioning/gps_offset_table.h"

#include <string>
#include <system_error>

namespace korvex {

// The one application object: the settings, the GPS offset table and the data that the stream
// reader and the windows share, alive from start-up to exit. Prepare() and Finish() run on the
// user-interface thread, before the main window exists and after it has gone.
class CKorvexApp {
public:
    explicit CKorvexApp(SettingsLocations locations);
    ~CKorvexApp();
    CKorvexApp(const CKorvexApp&) = delete;
    CKorvexApp& operator=(const CKorvexApp&) = delete;

    // The application object of this process, or null before it exists and after it has gone.
    static CKorvexApp* Current();

    // The start-up preparation: the version text, the language, the configuration (the UI mode
    // fitted to the primary screen's size) and, when automatic offset correction is on, the
    // GPS offset table. A missing or bad table is not an error.
    void Prepare(int screen_width, int screen_height);

    // Saves the configuration; the caller decides whether to tell the user it could not.
    std::error_code Finish();

    CSettings& Settings() { return settings_; }
    const GpsOffsetTable& OffsetTable() const { return offset_table_; }
    bool HasOffsetTable() const { return offset_table_loaded_; }

    // Written by the stream reader's thread, read by the user-interface thread.
    GpsTextBuffer& GpsText() { return gps_text_; }
    // Written by the GPS text parser and read by the G-sensor graph, both on the user-interface
    // thread.
    GSensorSample& GSensor() { return g_sensor_; }

    const std::string& VersionText() const { return version_text_; }

private:
    CSettings settings_;
    GpsOffsetTable offset_table_;
    bool offset_table_loaded_ = false;
    GpsTextBuffer gps_text_;
    GSensorSample g_sensor_;
    std::string version_text_;
};

} // namespace korvex
