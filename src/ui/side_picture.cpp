#include "ui/side_picture.h"

#include "controls/picture_static.h"
#include "controls/skin_pictures.h"

namespace korvex {

namespace {

constexpr int kSidePicture = 170;

} // namespace

QWidget* NewSidePicture(QWidget* parent) {
    auto* picture = new CPictureStatic(parent);
    picture->setObjectName(QStringLiteral("sidePicture"));
    const QPixmap image = SkinPicture(kSidePicture);
    picture->SetImage(image);
    picture->setFixedSize(image.size());
    return picture;
}

} // namespace korvex
