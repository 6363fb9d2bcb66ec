#include "coded_pictures.h"
#include "mkcard/block_code.h"
#include "video/memory_video_output.h"
#include "video/picture_mailbox.h"
#include "video/presenter.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace korvex {
namespace {

// A small YUV picture with a block code, as a decoder would hand it over.
VideoSurface CodedYuv(int index) {
    constexpr int kWidth = 160;
    constexpr int kHeight = 96;
    VideoSurface picture;
    picture.Reshape(VideoSurface::Format::kYuv420, kWidth, kHeight);
    mkcard::WriteBlockCode(mkcard::YuvView{picture.plane(0), picture.plane(1), picture.plane(2),
                                           picture.stride(0), picture.stride(1), picture.stride(2),
                                           kWidth, kHeight},
                           BlockCode{1, index});
    return picture;
}

TEST(PresenterTest, TransfersPresentAndRepeats) {
    InMemoryVideoOutput output;
    output.KeepScreen();
    CVideoPresenter presenter;
    const VideoSurface picture = CodedYuv(7);
    ASSERT_TRUE(presenter.Init(&output, picture.width(), picture.height()));
    EXPECT_TRUE(presenter.Yv12Available());

    presenter.Clear(0);
    ASSERT_TRUE(presenter.Present());
    EXPECT_EQ(output.Screen().plane(0)[0], 0);

    ASSERT_TRUE(presenter.TransferYV12(picture.Planes(), picture.width(), picture.height()));
    ASSERT_TRUE(presenter.Present());
    ASSERT_TRUE(presenter.Present()); // nothing new: shown again, not handed over again
    EXPECT_EQ(output.ShowCount(), 2);
    EXPECT_EQ(output.ShowAgainCount(), 1);
    EXPECT_EQ(test::ReadBlockCode(output.Screen()), (BlockCode{1, 7}));

    EXPECT_FALSE(presenter.TransferYV12(picture.Planes(), picture.width() / 2, picture.height()));
    EXPECT_FALSE(presenter.TransferRGB(nullptr, picture.Planes(), picture.height()));
    presenter.Release();
    EXPECT_FALSE(output.IsOpen());
    EXPECT_EQ(presenter.CurrentSurface(), nullptr);
}

TEST(PresenterTest, OutputWithoutYuvAndFailingOutput) {
    InMemoryVideoOutput output(/*yuv420=*/false);
    CVideoPresenter presenter;
    const VideoSurface picture = CodedYuv(1);
    output.SetOpenFails(true);
    EXPECT_FALSE(presenter.Init(&output, picture.width(), picture.height()));
    EXPECT_FALSE(presenter.HasSurface());
    output.SetOpenFails(false);
    ASSERT_TRUE(presenter.Init(&output, picture.width(), picture.height()));
    EXPECT_FALSE(presenter.Yv12Available());
    EXPECT_FALSE(presenter.TransferYV12(picture.Planes(), picture.width(), picture.height()));
}

// A picture whose planes a keeper holds is shown in place; the output's copy is packed, holds
// only the picture's bytes and outlives the keeper.
TEST(PresenterTest, BorrowsKeptPicturesAndCopiesOnlyTheirBytes) {
    InMemoryVideoOutput output;
    output.KeepScreen();
    CVideoPresenter presenter;
    // Planes with row padding, as a decoder leaves them.
    VideoSurface padded;
    padded.Reshape(VideoSurface::Format::kYuv420, 320, 96);
    const VideoSurface coded = CodedYuv(3);
    PicturePlanes planes = padded.Planes();
    for (size_t i = 0; i < 3; ++i) {
        CopyPlane(coded.plane(static_cast<int>(i)), coded.stride(static_cast<int>(i)),
                  padded.plane(static_cast<int>(i)), padded.stride(static_cast<int>(i)),
                  coded.stride(static_cast<int>(i)), i == 0 ? 96 : 48);
    }
    ASSERT_TRUE(presenter.Init(&output, coded.width(), coded.height()));
    presenter.Clear(0);
    EXPECT_EQ(presenter.CurrentSurface()->format(), VideoSurface::Format::kYuv420);
    EXPECT_EQ(presenter.CurrentSurface()->PictureBytes(), coded.PictureBytes());

    auto keeper = std::make_shared<int>(0);
    ASSERT_TRUE(presenter.TransferYV12(planes, coded.width(), coded.height(), keeper));
    EXPECT_TRUE(presenter.CurrentSurface()->borrowed());
    EXPECT_EQ(presenter.CurrentSurface()->plane(0), padded.plane(0));
    ASSERT_TRUE(presenter.Present());
    const VideoSurface screen = output.Screen();
    EXPECT_FALSE(screen.borrowed());
    EXPECT_EQ(screen.stride(0), coded.width());
    EXPECT_EQ(screen.PictureBytes(), coded.PictureBytes());
    EXPECT_EQ(test::ReadBlockCode(screen), (BlockCode{1, 3}));

    presenter.Clear(0); // the back buffer lets go of the borrowed picture
    EXPECT_EQ(keeper.use_count(), 1);
    padded.Fill(0xFFFFFFFF);
    EXPECT_EQ(test::ReadBlockCode(output.Screen()), (BlockCode{1, 3}));
}

TEST(PresenterTest, OutputKeepsNoScreenUnlessAsked) {
    InMemoryVideoOutput output;
    CVideoPresenter presenter;
    const VideoSurface picture = CodedYuv(2);
    ASSERT_TRUE(presenter.Init(&output, picture.width(), picture.height()));
    ASSERT_TRUE(presenter.TransferYV12(picture.Planes(), picture.width(), picture.height()));
    ASSERT_TRUE(presenter.Present());
    EXPECT_EQ(output.ShowCount(), 1);
    EXPECT_TRUE(output.Screen().empty());
}

// The presenting thread posts uniformly filled pictures 1, 2, 3, ...; the drawing thread must
// only ever see whole pictures, never older than the one before, and at last the newest.
TEST(PictureMailboxTest, DrawerSeesWholePicturesInOrder) {
    constexpr int kPictures = 300;
    PictureMailbox mailbox;
    std::atomic<bool> done{false};
    std::thread presenter([&] {
        VideoSurface picture;
        picture.Reshape(VideoSurface::Format::kBgrx32, 64, 48);
        for (uint32_t value = 1; value <= kPictures; ++value) {
            picture.Fill(value);
            mailbox.Post(picture);
        }
        done = true;
    });
    int last = 0;
    int torn = 0;
    int backwards = 0;
    for (;;) {
        const bool finished = done;
        bool fresh = false;
        const VideoSurface* picture = mailbox.Take(fresh);
        if (picture != nullptr && fresh) {
            const uint8_t* pixels = picture->plane(0);
            const auto value_at = [&](size_t i) { return pixels[i] | pixels[i + 1] << 8; };
            const int value = value_at(0);
            const size_t bytes = static_cast<size_t>(picture->stride(0)) * 48;
            for (size_t i = 0; i < bytes; i += 4) {
                torn += value_at(i) != value ? 1 : 0;
            }
            backwards += value < last ? 1 : 0;
            last = value;
        }
        if (finished) {
            break;
        }
    }
    presenter.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(backwards, 0);
    EXPECT_EQ(last, kPictures);
}

} // namespace
} // namespace korvex
