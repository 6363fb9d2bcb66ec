#include "audio/volume_slider.h"
#include "ui/panel_instruments.h"
#include "ui/panel_layout.h"
#include "ui/panel_readouts.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(PanelNumbers, SpeedInTheChosenUnit) {
    const struct {
        double kmh;
        int unit;
        const char* text;
    } cases[] = {
        {18.52, 2, " 10"},  // knots
        {16.09, 1, " 10"},  // miles an hour
        {18.52, 0, " 19"},  // km/h, rounded
        {18.52, 7, " 19"},  // an unknown unit shows km/h
        {0, 0, "  0"},      //
        {1234.4, 0, "1234"} // wider than three digits: nothing cut
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpeedText(c.kmh, c.unit), c.text) << c.kmh << " in unit " << c.unit;
    }
}

TEST(PanelNumbers, PositionTextsByHemisphere) {
    EXPECT_EQ(LatitudeText(-33.5), "   33.500000 S");
    EXPECT_EQ(LatitudeText(0), "    0.000000 N");
    EXPECT_EQ(LongitudeText(151.2093), "  151.209300 E");
    EXPECT_EQ(LongitudeText(-0.5), "    0.500000 W");
}

TEST(PanelNumbers, HistoryKeepsTheNewestSamplesTheGraphHasRoomFor) {
    EXPECT_EQ(GSensorHistory::CapacityFor(0), 165u);
    EXPECT_EQ(GSensorHistory::CapacityFor(1), 220u);
    EXPECT_EQ(GSensorHistory::CapacityFor(2), 220u);

    GSensorHistory history(GSensorHistory::CapacityFor(1));
    for (int i = 0; i < 300; ++i) {
        history.Push({static_cast<double>(i), 0, 0});
    }
    ASSERT_EQ(history.Samples().size(), 220u);
    EXPECT_EQ(history.Samples().front().x, 80);
    EXPECT_EQ(history.Samples().back().x, 299);
}

TEST(PanelNumbers, RepaintsAtMostEvery150Milliseconds) {
    RepaintThrottle throttle;
    const struct {
        std::int64_t now;
        bool due;
    } steps[] = {{5000, true}, {5001, false}, {5100, false}, {5150, false},
                 {5151, true}, {5200, false}, {5400, true}};
    for (const auto& step : steps) {
        EXPECT_EQ(throttle.Due(step.now), step.due) << "at " << step.now;
    }
}

TEST(PanelNumbers, VolumeReadBackToTheNearestSliderPosition) {
    const struct {
        unsigned volume;
        int position;
    } cases[] = {
        {65529, 0}, {65535, 0}, {0, 27},    {2427, 26},
        {2426, 26},                                          // a volume rounded on its way
        {2428, 26}, {1213, 27}, {1214, 26}, {13 * 2427, 14}, // back stays where it was set
        {70000, 0},                                          // beyond full scale
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SliderPositionForVolume(c.volume), c.position) << c.volume;
    }
}

TEST(PanelNumbers, VolumeBarGreyPart) {
    EXPECT_EQ(VolumeBarGreyWidth(0), 0);
    EXPECT_EQ(VolumeBarGreyWidth(14), 101);
    EXPECT_EQ(VolumeBarGreyWidth(27), 194);
    EXPECT_EQ(VolumeBarGreyWidth(40), 202);
    EXPECT_EQ(VolumeBarGreyWidth(-3), 0);
}

TEST(PanelNumbers, GraphPointsFollowTheSamplesFromTheLeftColumn) {
    const std::deque<GSensorSample> samples = {{0, 1, -1}, {2.5, 0, 5}, {-5, 0, 0}};
    const PanelLayout& large = PanelLayoutFor(1);
    EXPECT_EQ(GraphPoints(samples, GSensorAxis::kX, large),
              (std::vector<QPoint>{{30, 38}, {31, 22}, {32, 71}}));
    EXPECT_EQ(GraphPoints(samples, GSensorAxis::kZ, large),
              (std::vector<QPoint>{{30, 44}, {31, 5}, {32, 38}}));
    // Mode 0: column 22, zero line 28, span 24.
    EXPECT_EQ(GraphPoints(samples, GSensorAxis::kY, PanelLayoutFor(0)),
              (std::vector<QPoint>{{22, 24}, {23, 28}, {24, 28}}));
}

TEST(PanelLayoutTable, ButtonRowsPerMode) {
    const struct {
        int mode;
        int control;
        QRect rect;
    } cases[] = {
        {1, 233, {16, 633, 32, 22}},
        {1, 225, {216, 633, 32, 22}},
        {2, 239, {192, 665, 32, 22}},
        {1, 231, {10, 717, 37, 34}},
        {1, 234, {222, 717, 37, 34}},
        {0, 233, {6, 474, 32, 22}},
        {0, 225, {166, 474, 32, 22}},
        {0, 217, {18, 500, 32, 22}},
        {0, 231, {3, 528, 37, 34}},
        {0, 234, {163, 528, 37, 34}},
        {1, 221, {}},
        {0, 1013, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandButtonRect(c.mode, c.control), c.rect)
            << "mode " << c.mode << " button " << c.control;
    }
}

TEST(PanelLayoutTable, ScaledPlacesInModeZero) {
    const PanelLayout& small = PanelLayoutFor(0);
    EXPECT_EQ(small.background, 439);
    EXPECT_EQ(small.speed_readout, QRect(7, 278, 120, 37));
    EXPECT_EQ(small.volume_bar, QRect(41, 416, 152, 35)); // rounded half up
    EXPECT_EQ(small.graph, QRect(7, 211, 188, 55));
    EXPECT_EQ(small.compass, QRect(18, 15, 162, 156));
    EXPECT_EQ(small.latitude_text, QPoint(33, 133));
    EXPECT_EQ(PanelLayoutFor(1).background, 130);
    EXPECT_EQ(PanelLayoutFor(2).background, 454);
    EXPECT_EQ(PanelLayoutFor(2).latitude_text, QPoint(56, 178));
}

} // namespace
} // namespace korvex
