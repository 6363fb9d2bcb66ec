#include "video/presenter.h"
#include "video/qt/video_static.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>

extern "C" {
#include <libswscale/swscale.h>
}

namespace korvex {
namespace {

struct Rgb {
    int r, g, b;
};

// The known picture: red, green, blue and white quarters (top left, top right, bottom left,
// bottom right), as limited-range BT.601 YUV 4:2:0.
constexpr int kWidth = 64;
constexpr int kHeight = 32;
constexpr Rgb kQuarters[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

int Quarter(double fx, double fy) {
    return (fy < 0.5 ? 0 : 2) + (fx < 0.5 ? 0 : 1);
}

VideoSurface KnownPicture() {
    VideoSurface picture;
    picture.Reshape(VideoSurface::Format::kYuv420, kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = kQuarters[Quarter((x + 0.5) / kWidth, (y + 0.5) / kHeight)];
            picture.plane(0)[y * picture.stride(0) + x] =
                static_cast<uint8_t>(16 + (65.481 * c.r + 128.553 * c.g + 24.966 * c.b) / 255);
            if (x % 2 == 0 && y % 2 == 0) {
                const int at = (y / 2) * picture.stride(1) + x / 2;
                picture.plane(1)[at] =
                    static_cast<uint8_t>(128 + (-37.797 * c.r - 74.203 * c.g + 112.0 * c.b) / 255);
                picture.plane(2)[at] =
                    static_cast<uint8_t>(128 + (112.0 * c.r - 93.786 * c.g - 18.214 * c.b) / 255);
            }
        }
    }
    return picture;
}

// Samples the middle of every quarter of the framebuffer, and checks it has the widget's size.
void ExpectKnownPicture(CVideoStatic& widget, const char* mode) {
    const QImage image = widget.grabFramebuffer();
    ASSERT_EQ(image.size(), widget.size() * widget.devicePixelRatio()) << mode;
    for (double fy : {0.25, 0.75}) {
        for (double fx : {0.25, 0.75}) {
            const QColor seen = image.pixelColor(static_cast<int>(fx * image.width()),
                                                 static_cast<int>(fy * image.height()));
            const Rgb want = kQuarters[Quarter(fx, fy)];
            EXPECT_NEAR(seen.red(), want.r, 12) << mode << " at " << fx << "," << fy;
            EXPECT_NEAR(seen.green(), want.g, 12) << mode << " at " << fx << "," << fy;
            EXPECT_NEAR(seen.blue(), want.b, 12) << mode << " at " << fx << "," << fy;
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
    const VideoSurface picture = KnownPicture();
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

TEST_F(VideoStaticTest, DoubleClickTogglesFullScreenAndBack) {
    const VideoSurface picture = KnownPicture();
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
