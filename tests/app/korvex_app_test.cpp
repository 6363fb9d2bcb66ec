#include "app/korvex_app.h"
#include "temp_dir.h"

#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

// An offset table with no columns and no cells: accepted, and every lookup gives null.
std::string EmptyOffsetTable() {
    std::string bytes(32, '\0');
    std::memcpy(bytes.data(), "$GPSOFF", 7);
    const double step = 0.01;
    std::memcpy(bytes.data() + 8, &step, sizeof step);
    return bytes;
}

struct OffsetCase {
    std::string_view config;
    bool loads_table;
};

TEST(KorvexApp, PrepareLoadsTheOffsetTableOnlyWithAutomaticCorrection) {
    const OffsetCase cases[] = {
        {"", true},
        {"[Config]\nGPS_Offset_Auto=1\n", true},
        {"[Config]\nGPS_Offset_Auto=0\n", false},
        {"[Config]\nGPS_Offset_Auto=2\n", false},
    };
    for (const OffsetCase& c : cases) {
        test::TempDir dir;
        test::WriteFile(dir / "offset_min.bin", EmptyOffsetTable());
        if (!c.config.empty()) {
            test::WriteFile(dir / "Config.ini", c.config);
        }
        CKorvexApp app(SettingsLocations{dir.path(), dir / "Config.ini", "/tmp/", 1033});
        EXPECT_EQ(CKorvexApp::Current(), &app);
        app.Prepare(1280, 800);
        EXPECT_EQ(app.HasOffsetTable(), c.loads_table) << c.config;
        EXPECT_EQ(app.OffsetTable().Lookup(120.5, 24.0), nullptr);
        EXPECT_EQ(app.VersionText().find_first_not_of("0123456789."), std::string::npos);
        EXPECT_EQ(app.Settings().ui_mode_in_use, 1);
    }
    EXPECT_EQ(CKorvexApp::Current(), nullptr);
}

TEST(KorvexApp, FinishSavesTheConfiguration) {
    test::TempDir dir;
    CKorvexApp app(SettingsLocations{dir.path(), dir / "Config.ini", "/tmp/", 1033});
    app.Prepare(960, 600);
    app.Settings().default_latitude = -33.8688;
    ASSERT_FALSE(app.Finish());
    EXPECT_NE(test::ReadFile(dir / "Config.ini").find("m_default_lat=-33.868800\n"),
              std::string::npos);
}

} // namespace
} // namespace korvex
