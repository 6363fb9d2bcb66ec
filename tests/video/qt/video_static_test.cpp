#include "video/presenter.h"
#include "video/qt/video_static.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

extern "C" {
#include <libswscale/swscale.h>
}

namespace korvex {
namespace {

struct Rgb {
    int r, g, b;
};

// The known picture: four colours in its quarters (top left, top right, bottom left, bottom
// right), none of them at the edge of the colour space, so that a wrong range or matrix shows.
constexpr int kWidth = 64;
constexpr int kHeight = 32;
constexpr Rgb kQuarters[4] = {{200, 60, 40}, {40, 180, 90}, {50, 70, 200}, {230, 230, 210}};

int Quarter(double fx, double fy) {
    return (fy < 0.5 ? 0 : 2) + (fx < 0.5 ? 0 : 1);
}

uint8_t Sample(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// The known picture as YUV 4:2:0 of the given range and matrix.
VideoSurface KnownPicture(const PictureColour& colour) {
    const bool bt709 = colour.matrix == ColourMatrix::kBt709;
    const double kr = bt709 ? 0.2126 : 0.299;
    const double kb = bt709 ? 0.0722 : 0.114;
    const double y_span = colour.full_range ? 255 : 219;
    const double y_zero = colour.full_range ? 0 : 16;
    const double c_span = colour.full_range ? 255 : 224;
    VideoSurface yuv;
    yuv.Reshape(VideoSurface::Format::kYuv420, kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = kQuarters[Quarter((x + 0.5) / kWidth, (y + 0.5) / kHeight)];
            const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
            const double luma = kr * r + (1 - kr - kb) * g + kb * b;
            yuv.plane(0)[y * yuv.stride(0) + x] = Sample(y_zero + y_span * luma);
            if (x % 2 == 0 && y % 2 == 0) {
                const int at = (y / 2) * yuv.stride(1) + x / 2;
                yuv.plane(1)[at] = Sample(128 + c_span * (b - luma) / (2 * (1 - kb)));
                yuv.plane(2)[at] = Sample(128 + c_span * (r - luma) / (2 * (1 - kr)));
            }
        }
    }
    PicturePlanes planes = yuv.Planes();
    planes.colour = colour;
    VideoSurface picture;
    picture.CopyYuv420(planes, kWidth, kHeight);
    return picture;
}

// Samples the middle of every quarter of the framebuffer, and checks it has the widget's size.
void ExpectKnownPicture(CVideoStatic& widget, const std::string& mode) {
    const QImage image = widget.grabFramebuffer();
    ASSERT_EQ(image.size(), widget.size() * widget.devicePixelRatio()) << mode;
    for (double fy : {0.25, 0.75}) {
        for (double fx : {0.25, 0.75}) {
            const QColor seen = image.pixelColor(static_cast<int>(fx * image.width()),
                                                 static_cast<int>(fy * image.height()));
            const Rgb want = kQuarters[Quarter(fx, fy)];
            EXPECT_NEAR(seen.red(), want.r, 4) << mode << " at " << fx << "," << fy;
            EXPECT_NEAR(seen.green(), want.g, 4) << mode << " at " << fx << "," << fy;
            EXPECT_NEAR(seen.blue(), want.b, 4) << mode << " at " << fx << "," << fy;
        }
    }
}

void ExpectBlack(CVideoStatic& widget) {
    const QImage image = widget.grabFramebuffer();
    for (QPoint at : {QPoint(1, 1), QPoint(image.width() / 2, image.height() / 2),
                      QPoint(image.width() - 2, image.height() - 2)}) {
        EXPECT_EQ(image.pixelColor(at), QColor(Qt::black));
    }
}

class VideoStaticTest : public testing::Test {
protected:
    VideoStaticTest() {
        main_window_.resize(640, 400);
        video_->setGeometry(20, 30, 400, 250);
        main_window_.show();
        QCoreApplication::processEvents();
    }

    void DoubleClick() {
        const QPointF at(10, 10);
        QMouseEvent click(QEvent::MouseButtonDblClick, at, video_->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(video_, &click);
        QCoreApplication::processEvents();
    }

    QWidget main_window_;
    CVideoStatic* video_ = new CVideoStatic(&main_window_); // owned by the main window
};

TEST_F(VideoStaticTest, ShowsTheKnownPictureStretchedInBothModes) {
    ExpectBlack(*video_); // before the first picture
    const VideoSurface picture = KnownPicture({});
    CVideoPresenter presenter;
    ASSERT_TRUE(presenter.Init(video_, kWidth, kHeight));
    ASSERT_TRUE(presenter.Yv12Available());

    ASSERT_TRUE(presenter.TransferYV12(picture.Planes(), kWidth, kHeight));
    ASSERT_TRUE(presenter.Present());
    ExpectKnownPicture(*video_, "YV12");

    SwsContext* converter =
        sws_getContext(kWidth, kHeight, AV_PIX_FMT_YUV420P, kWidth, kHeight, AV_PIX_FMT_BGRA,
                       SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    ASSERT_NE(converter, nullptr);
    ASSERT_TRUE(presenter.TransferRGB(converter, picture.Planes(), kHeight));
    sws_freeContext(converter);
    ASSERT_TRUE(presenter.Present());
    ExpectKnownPicture(*video_, "RGB");

    video_->resize(300, 90); // another shape: the picture follows it
    ExpectKnownPicture(*video_, "RGB resized");

    presenter.Clear(0);
    ASSERT_TRUE(presenter.Present());
    ExpectBlack(*video_);
}

// Each picture is read by its own range and matrix, in the window's shader as in the software
// conversion.
TEST_F(VideoStaticTest, ShowsEveryRangeAndMatrixAsTheirColours) {
    CVideoPresenter presenter;
    ASSERT_TRUE(presenter.Init(video_, kWidth, kHeight));
    SwsContext* converter =
        sws_getContext(kWidth, kHeight, AV_PIX_FMT_YUV420P, kWidth, kHeight, AV_PIX_FMT_BGRA,
                       SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    ASSERT_NE(converter, nullptr);
    for (const bool full_range : {false, true}) {
        for (const ColourMatrix matrix : {ColourMatrix::kBt601, ColourMatrix::kBt709}) {
            const std::string name = std::string(full_range ? "full" : "limited") +
                                     (matrix == ColourMatrix::kBt709 ? " BT.709" : " BT.601");
            const VideoSurface picture = KnownPicture({full_range, matrix});
            ASSERT_TRUE(presenter.TransferYV12(picture.Planes(), kWidth, kHeight));
            ASSERT_TRUE(presenter.Present());
            ExpectKnownPicture(*video_, name + " YV12");
            ASSERT_TRUE(presenter.TransferRGB(converter, picture.Planes(), kHeight));
            ASSERT_TRUE(presenter.Present());
            ExpectKnownPicture(*video_, name + " RGB");
        }
    }
    sws_freeContext(converter);
}

TEST_F(VideoStaticTest, DoubleClickTogglesFullScreenAndBack) {
    const VideoSurface picture = KnownPicture({});
    CVideoPresenter presenter;
    ASSERT_TRUE(presenter.Init(video_, kWidth, kHeight));
    ASSERT_TRUE(presenter.TransferYV12(picture.Planes(), kWidth, kHeight));
    ASSERT_TRUE(presenter.Present());
    const QRect home = video_->geometry();

    DoubleClick();
    EXPECT_TRUE(video_->IsFullScreen());
    EXPECT_TRUE(video_->isWindow());
    EXPECT_FALSE(main_window_.isVisible());
    EXPECT_EQ(video_->geometry(), QGuiApplication::primaryScreen()->geometry());
    ExpectKnownPicture(*video_, "full screen");

    DoubleClick();
    EXPECT_FALSE(video_->IsFullScreen());
    EXPECT_EQ(video_->parentWidget(), &main_window_);
    EXPECT_EQ(video_->geometry(), home);
    EXPECT_TRUE(main_window_.isVisible());
    EXPECT_TRUE(video_->isVisible());
    ExpectKnownPicture(*video_, "back in the main window");
}

} // namespace
} // namespace korvex
