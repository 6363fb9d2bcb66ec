#include "controls/skin_pictures.h"

#include <QString>

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

} // namespace korvex
