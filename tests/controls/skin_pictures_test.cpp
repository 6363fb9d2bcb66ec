#include "controls/skin_button.h"
#include "controls/skin_pictures.h"
#include "gallery.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvex {
namespace {

struct Listed {
    int number;
    QSize size;
    bool strip; // four frames side by side
};

// The skin's table: every resource number with its size.
const Listed kSkin[] = {
    {128, {256, 256}, false},   {131, {1280, 800}, false}, {438, {960, 600}, false},
    {448, {1920, 1080}, false}, {130, {271, 800}, false},  {439, {203, 600}, false},
    {454, {271, 800}, false},   {134, {112, 24}, true},    {135, {100, 18}, true},
    {136, {112, 24}, true},     {140, {128, 22}, true},    {141, {128, 22}, true},
    {142, {128, 22}, true},     {145, {128, 22}, true},    {146, {128, 22}, true},
    {161, {128, 22}, true},     {162, {128, 22}, true},    {447, {128, 22}, true},
    {450, {128, 22}, true},     {451, {128, 22}, true},    {452, {128, 22}, true},
    {456, {128, 22}, true},     {139, {148, 34}, true},    {147, {148, 34}, true},
    {163, {148, 34}, true},     {437, {148, 34}, true},    {449, {148, 34}, true},
    {457, {148, 34}, true},     {1056, {128, 35}, true},   {143, {128, 32}, true},
    {144, {128, 32}, true},     {138, {88, 21}, true},     {148, {88, 21}, true},
    {133, {976, 18}, true},     {446, {732, 18}, true},    {152, {796, 16}, true},
    {442, {597, 16}, true},     {153, {796, 10}, true},    {445, {597, 8}, true},
    {151, {33, 18}, false},     {155, {9, 16}, false},     {154, {9, 16}, false},
    {159, {202, 46}, false},    {160, {202, 46}, false},   {444, {152, 35}, false},
    {443, {152, 35}, false},    {132, {251, 73}, false},   {441, {188, 55}, false},
    {156, {216, 209}, false},   {440, {162, 171}, false},  {158, {15, 51}, false},
    {166, {52, 20}, false},     {167, {52, 20}, false},    {169, {238, 20}, false},
    {170, {99, 374}, false},
};

TEST(SkinPictures, EveryListedPictureHasItsSizeAndStripsGiveOneFrame) {
    for (const Listed& listed : kSkin) {
        const QPixmap picture = SkinPicture(listed.number);
        EXPECT_EQ(picture.size(), listed.size) << listed.number;
        if (listed.strip) {
            CVxSkinButton button;
            button.SetSkin(picture, 0, 0, 0, false, false);
            EXPECT_EQ(button.size(), QSize(listed.size.width() / 4, listed.size.height()))
                << listed.number;
        }
    }
    EXPECT_EQ(SkinPictureNumbers().size(), std::size(kSkin));
    EXPECT_TRUE(SkinPicture(0).isNull());
    EXPECT_TRUE(SkinPicture(9999).isNull());
}

TEST(Gallery, WritesEveryPictureAndASheetPerMode) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    ASSERT_EQ(WriteGallery(out.path()), QString());
    for (const Listed& listed : kSkin) {
        EXPECT_EQ(QImage(out.filePath(QStringLiteral("skin/%1.png").arg(listed.number))).size(),
                  listed.size)
            << listed.number;
    }
    for (int mode = 0; mode <= 2; ++mode) {
        const QImage sheet(out.filePath(QStringLiteral("controls-mode-%1.png").arg(mode)));
        EXPECT_GT(sheet.width(), 600) << mode;
        EXPECT_GT(sheet.height(), 1000) << mode;
    }
}

} // namespace
} // namespace korvex
