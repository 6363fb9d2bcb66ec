// A card with the camera look: pictures a person would take for a dash camera's, and a drive
// through town whose GPS texts, read by the viewer's own parser, turn, stop and pull away.

#include "card_inspection.h"
#include "mkcard/card_writer.h"
#include "positioning/gps_text_parser.h"
#include "temp_dir.h"
#include "video/block_code.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace korvex::mkcard {
namespace {

struct Fix {
    double latitude = 0, longitude = 0, speed = 0, course = 0;
    GSensorSample g;
};

// The wrapped change from one course to the next, -180 to 180 degrees, clockwise positive.
double CourseChange(double from, double to) {
    return std::remainder(to - from, 360.0);
}

double MetresBetween(const Fix& a, const Fix& b) {
    constexpr double kMetresPerDegree = 111320.0;
    const double north = (b.latitude - a.latitude) * kMetresPerDegree;
    const double east = (b.longitude - a.longitude) * kMetresPerDegree *
                        std::cos(a.latitude * std::numbers::pi / 180);
    return std::hypot(north, east);
}

class MkcardCameraLookTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir;
        CardOptions options;
        options.camera_look = true;
        options.count = 2;
        options.seconds = 60; // the town route's first turns and stop lie within two minutes
        options.width = 192;  // room for the whole caption at the smallest text size
        options.height = 108;
        options.fps = 5;
        options.gop = 5;
        card_ = new WrittenCard(WriteCard(options, dir_->path()));
    }
    static void TearDownTestSuite() {
        delete card_;
        delete dir_;
    }

    // Every GPS text of the card, in driving order, through the viewer's parser.
    static std::vector<Fix> Track() {
        std::vector<Fix> track;
        for (const WrittenRecording& recording : card_->recordings) {
            for (const WrittenGpsText& text : recording.gps) {
                Fix fix;
                EXPECT_EQ(ParseGpsText(text.text, fix.g, &fix.latitude, &fix.longitude, &fix.speed,
                                       &fix.course),
                          1)
                    << text.text;
                track.push_back(fix);
            }
        }
        return track;
    }

    static test::TempDir* dir_;
    static WrittenCard* card_;
};

test::TempDir* MkcardCameraLookTest::dir_ = nullptr;
WrittenCard* MkcardCameraLookTest::card_ = nullptr;

TEST_F(MkcardCameraLookTest, TheDriveTurnsBothWaysStopsAndPullsAwayAlongItsOwnCourseAndSpeed) {
    const std::vector<Fix> track = Track();
    ASSERT_EQ(track.size(), 120u);
    double right = 0, left = 0; // the largest course change within eight seconds, each way
    bool moved = false, stopped = false, pulled_away = false;
    double fastest = 0;
    for (size_t i = 0; i < track.size(); ++i) {
        for (size_t j = i + 1; j < std::min(track.size(), i + 9); ++j) {
            double turned = 0;
            for (size_t k = i + 1; k <= j; ++k) {
                turned += CourseChange(track[k - 1].course, track[k].course);
            }
            right = std::max(right, turned);
            left = std::min(left, turned);
        }
        fastest = std::max(fastest, track[i].speed);
        moved = moved || track[i].speed > 30;
        stopped = stopped || (moved && track[i].speed == 0);
        pulled_away = pulled_away || (stopped && track[i].speed > 30);
        if (i > 0) {
            // One second's way is the mean of the speeds at its ends, as the positions say.
            const double metres = (track[i - 1].speed + track[i].speed) / 2 / 3.6;
            EXPECT_NEAR(MetresBetween(track[i - 1], track[i]), metres, 0.1 * metres + 1.5)
                << "second " << i;
        }
    }
    EXPECT_GE(right, 80);
    EXPECT_LE(left, -80);
    EXPECT_GE(fastest, 50);
    EXPECT_TRUE(stopped) << "no stop after driving";
    EXPECT_TRUE(pulled_away) << "no start after the stop";
}

TEST_F(MkcardCameraLookTest, TheGSensorFeelsTheTurnsTheBrakingAndTheSpeedingUp) {
    const std::vector<Fix> track = Track();
    int turning = 0, braking = 0, speeding_up = 0;
    for (size_t i = 1; i < track.size(); ++i) {
        SCOPED_TRACE("second " + std::to_string(i));
        const double turned = CourseChange(track[i - 1].course, track[i].course);
        const double faster = track[i].speed - track[i - 1].speed;
        const GSensorSample& g = track[i].g;
        if (std::fabs(turned) > 10) {
            ++turning;
            // The sideways pull towards the turn's centre: positive turning right.
            EXPECT_GT((g.x - 0.02) * (turned > 0 ? 1 : -1), 0.08);
        }
        if (faster < -5) {
            ++braking;
            EXPECT_LT(g.y, -0.20);
        }
        if (faster > 5) {
            ++speeding_up;
            EXPECT_GT(g.y, 0.0);
        }
        if (std::fabs(turned) < 3 && std::fabs(faster) < 0.5) {
            EXPECT_NEAR(g.x, 0.02, 0.06);
            EXPECT_NEAR(g.y, -0.10, 0.03);
        }
        EXPECT_NEAR(g.z, 0.98, 0.05);
    }
    EXPECT_GT(turning, 2);
    EXPECT_GT(braking, 2);
    EXPECT_GT(speeding_up, 2);
}

TEST_F(MkcardCameraLookTest, DecodedPicturesCarryTheCaptionAndNoBlockCode) {
    for (const WrittenRecording& recording : card_->recordings) {
        SCOPED_TRACE(recording.path.string());
        const CommandResult decode =
            RunCommand("ffmpeg -nostdin -v error -i " + Quoted(recording.path) +
                       " -f rawvideo -pix_fmt gray -");
        ASSERT_EQ(decode.status, 0);
        const int width = recording.width;
        const int height = recording.height;
        const size_t picture_size = static_cast<size_t>(width) * height;
        ASSERT_EQ(decode.output.size(), picture_size * static_cast<size_t>(recording.pictures));
        for (int i = 0; i < recording.pictures; ++i) {
            const auto* luma =
                reinterpret_cast<const uint8_t*>(decode.output.data()) + picture_size * i;
            EXPECT_EQ(ReadBlockCodeLuma(luma, width, height, width), std::nullopt)
                << "picture " << i;
            // White characters outlined in black along the bottom edge: the road scene itself
            // has nothing that dark.
            int white = 0, black = 0;
            for (int y = height * 3 / 4; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const uint8_t value = luma[static_cast<size_t>(y) * width + x];
                    white += value >= 215;
                    black += value <= 40;
                }
            }
            EXPECT_GT(white, 150) << "picture " << i;
            EXPECT_GT(black, 300) << "picture " << i;
        }
    }
}

} // namespace
} // namespace korvex::mkcard
