#include "positioning/map_dlg.h"
#include "recording_map_page.h"
#include "temp_dir.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr std::string_view kFix =
    "X:0.1 Y:0.2 Z:0.3 $GPRMC,092750.000,A,2404.6629,N,12031.7342,E,10.0,84.4,150615,,,A*00";
constexpr std::string_view kRejected = "$GPRMC,092750.000,V,2404.6629,N,12031.7342,E,0,0,,,,A*00";

class MapBridge : public testing::Test {
protected:
    void Configure(std::string_view config) { test::WriteFile(dir_ / "Config.ini", config); }

    test::TempDir dir_;
    CSettings settings_{SettingsLocations{dir_.path(), dir_ / "Config.ini", "/tmp/", 1033}};
    GpsOffsetTable table_;
    GSensorSample g_sensor_;
    test::RecordingMapPage page_;
};

TEST_F(MapBridge, StartsAtTheConfiguredCentreAndWritesItWhenThePageLoads) {
    Configure("[Config]\nm_default_lng=121.5\nm_default_lat=25.0375\n");
    CMapDlg bridge(settings_, table_, g_sensor_, page_);
    EXPECT_DOUBLE_EQ(bridge.Record().longitude, 121.5);
    EXPECT_DOUBLE_EQ(bridge.Record().latitude, 25.0375);
    bridge.MarkInitialised();
    page_.Load();
    EXPECT_EQ(page_.log, (std::vector<std::string>{"default_lng=121.500000",
                                                   "default_lat=25.037500", "setMap()"}));
}

TEST_F(MapBridge, RefusesCallsBeforeInitialisationAndBeforeThePageHasLoaded) {
    CMapDlg bridge(settings_, table_, g_sensor_, page_);
    EXPECT_FALSE(bridge.CallScript("refreshMap"));
    bridge.MarkInitialised();
    EXPECT_FALSE(bridge.CallScript("refreshMap"));
    EXPECT_TRUE(bridge.UpdateFromGpsText(-1, kFix)); // parsed, but nothing reaches the page
    EXPECT_TRUE(page_.log.empty());
    page_.Load();
    EXPECT_TRUE(bridge.CallScript("refreshMap"));
    EXPECT_EQ(page_.log.back(), "refreshMap()");
}

TEST_F(MapBridge, AFixOfAnotherRouteIsParsedButNotDrawn) {
    CMapDlg bridge(settings_, table_, g_sensor_, page_);
    bridge.MarkInitialised();
    page_.Load();
    bridge.SetIndex(3);
    page_.log.clear();
    EXPECT_TRUE(bridge.UpdateFromGpsText(2, kFix));
    EXPECT_NEAR(bridge.Record().latitude, 24 + 4.6629 / 60, 1e-12);
    EXPECT_NEAR(bridge.Record().speed, 18.52, 1e-12);
    EXPECT_DOUBLE_EQ(g_sensor_.y, 0.2);
    EXPECT_TRUE(page_.log.empty());
    EXPECT_DOUBLE_EQ(settings_.default_longitude, 120.528903); // not taken as the centre
    EXPECT_FALSE(bridge.UpdateFromGpsText(3, kRejected));
    EXPECT_TRUE(page_.log.empty());
}

TEST_F(MapBridge, ANewRouteClearsThePageAndTheNextFixRefreshesIt) {
    CMapDlg bridge(settings_, table_, g_sensor_, page_);
    bridge.MarkInitialised();
    page_.Load();
    page_.log.clear();
    bridge.SetIndex(5);
    EXPECT_EQ(page_.log, (std::vector<std::string>{"map_lng=0", "map_lat=0", "offset_lng=0",
                                                   "offset_lat=0", "map_status=clear",
                                                   "SpeedBarText=0", "AngleBar=0", "Index=-1"}));
    page_.log.clear();
    bridge.SetIndex(5); // the same route: nothing
    EXPECT_TRUE(page_.log.empty());
    ASSERT_TRUE(bridge.UpdateFromGpsText(5, kFix));
    EXPECT_EQ(page_.values["map_status"], "running");
    EXPECT_EQ(page_.values["Index"], "5");
    EXPECT_EQ(page_.values["AngleBar"], "84.4");
    EXPECT_EQ(page_.values["SpeedBarText"], "18.52");
    EXPECT_EQ(page_.log.back(), "refreshMap()");
    // The fix, before any offset, is the next run's default centre.
    EXPECT_DOUBLE_EQ(settings_.default_latitude, bridge.Record().latitude);
    EXPECT_DOUBLE_EQ(settings_.default_longitude, bridge.Record().longitude);
}

struct OffsetCase {
    std::string_view config;
    bool with_table_cell;
    std::string lat_offset;
    std::string lng_offset;
};

// A table with one cell around the fix: longitude offset 0.0042, latitude offset -0.0031.
std::string OneCellTable() {
    std::string bytes(32 + 32 + 48, '\0');
    auto put = [&bytes](std::size_t at, auto value) {
        std::memcpy(bytes.data() + at, &value, sizeof value);
    };
    std::memcpy(bytes.data(), "$GPSOFF", 8);
    put(8, 0.01);
    put(16, std::uint64_t{1});
    put(24, std::uint64_t{1});
    put(32, 0.01 * 12052);
    put(32 + 24, std::uint32_t{1});
    put(64 + 8, 0.01 * 2407);
    put(64 + 32, 0.0042);
    put(64 + 40, -0.0031);
    return bytes;
}

TEST_F(MapBridge, OffsetsComeFromTheTableOrFromTheConfiguredValues) {
    const OffsetCase cases[] = {
        {"", true, "-0.0031", "0.0042"},
        {"[Config]\nGPS_Offset_Auto=1\nGPS_Offset_X=0.5\n", false, "0", "0"},
        {"[Config]\nGPS_Offset_Auto=0\nGPS_Offset_X=0.001\nGPS_Offset_Y=0\n", true, "0.001", "0"},
        {"[Config]\nGPS_Offset_Auto=2\nGPS_Offset_Y=-0.25\n", true, "0", "-0.25"},
    };
    for (const OffsetCase& c : cases) {
        Configure(c.config);
        GpsOffsetTable table;
        if (c.with_table_cell) {
            ASSERT_TRUE(table.Load(test::WriteFile(dir_ / "offset_min.bin", OneCellTable())));
        }
        test::RecordingMapPage page;
        CMapDlg bridge(settings_, table, g_sensor_, page);
        bridge.MarkInitialised();
        page.Load();
        bridge.SetIndex(0);
        ASSERT_TRUE(bridge.UpdateFromGpsText(0, kFix));
        EXPECT_EQ(page.values["offset_lat"], c.lat_offset) << c.config;
        EXPECT_EQ(page.values["offset_lng"], c.lng_offset) << c.config;
    }
}

TEST_F(MapBridge, NumbersReachThePageWithAPointWhateverTheLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_ALL, "C.UTF-8");
    }
    EXPECT_EQ(PageNumber(24.077715), "24.077715");
    EXPECT_EQ(PageNumber(-0.00001), "-0.00001");
    EXPECT_EQ(PageNumber(120), "120");
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace korvex
