#include "positioning/route_file.h"
#include "route_points.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

const std::vector<TrackPoint> kRoute = {
    {24.077715, 120.528903, RmcTime{2024, 5, 17, 0, 30, 0}},
    {-33.868800, -151.209300, std::nullopt},
    {0.000001, -0.000001, RmcTime{1999, 12, 31, 23, 59, 59}},
};

void ExpectRoute(const std::optional<std::vector<test::ReadPoint>>& read, bool with_times) {
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), kRoute.size());
    const char* times[] = {"2024-05-17T00:30:00Z", "", "1999-12-31T23:59:59Z"};
    for (std::size_t i = 0; i < kRoute.size(); ++i) {
        EXPECT_NEAR((*read)[i].latitude, kRoute[i].latitude, 1e-7) << i;
        EXPECT_NEAR((*read)[i].longitude, kRoute[i].longitude, 1e-7) << i;
        EXPECT_EQ((*read)[i].time.toStdString(), with_times ? times[i] : "") << i;
    }
}

// The file is a valid document of its kind, read back by an XML parser with every point; the
// name alone chooses the kind, and the file appears whole, with nothing left beside it.
TEST(RouteFileTest, WritesGpxOrKmlThatReadsBackPointForPoint) {
    test::TempDir temp;
    struct Case {
        const char* name;
        bool kml;
    };
    for (const Case& c :
         {Case{"route.gpx", false}, Case{"ROUTE.KML", true}, Case{"route", false}}) {
        SCOPED_TRACE(c.name);
        const auto path = temp / c.name;
        test::WriteFile(path, "an older file");
        ASSERT_FALSE(WriteRouteFile(path, kRoute));
        const QString file = QString::fromStdString(path.string());
        ExpectRoute(c.kml ? test::ReadKmlPoints(file) : test::ReadGpxPoints(file), !c.kml);
        std::filesystem::remove(path);
        EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
    }
    const auto empty = temp / "empty.gpx";
    ASSERT_FALSE(WriteRouteFile(empty, {}));
    const auto read = test::ReadGpxPoints(QString::fromStdString(empty.string()));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->empty());
    EXPECT_TRUE(WriteRouteFile(temp / "missing/route.gpx", kRoute)); // no such folder
}

} // namespace
} // namespace korvex
