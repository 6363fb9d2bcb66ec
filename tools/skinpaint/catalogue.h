#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

namespace korvex::skinpaint {

// One skin picture: its resource number, its size and how it is drawn.
struct CataloguedPicture {
    int number;
    QSize size;
    std::function<QImage(QSize)> paint;
};

// Every picture of the skin; `icon_svg` is the program's mark.
std::vector<CataloguedPicture> Catalogue(const QString& icon_svg);

} // namespace korvex::skinpaint
