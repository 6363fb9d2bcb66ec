#include "controls/skin_pictures.h"

#include <QDir>
#include <QString>
#include <algorithm>

// The embedded pictures live in a static library; registering them by name keeps the linker
// from dropping them. At file scope: the macro declares the registration function where it
// stands, and it is defined globally.
static void RegisterSkinResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(korvex_skin);
        return true;
    }();
    (void)registered;
}

namespace korvex {

QPixmap SkinPicture(int number) {
    RegisterSkinResources();
    return QPixmap(QStringLiteral(":/skin/%1.png").arg(number));
}

std::vector<int> SkinPictureNumbers() {
    RegisterSkinResources();
    std::vector<int> numbers;
    for (const QString& name : QDir(QStringLiteral(":/skin")).entryList(QDir::Files)) {
        bool is_number = false;
        const int number = QString(name).chopped(4).toInt(&is_number); // without ".png"
        if (is_number)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace korvex
