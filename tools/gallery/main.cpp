// korvex-gallery OUT_DIR: writes the skin pictures and a contact sheet of the controls per UI
// mode, to look at the program's skin without running it.

#include "controls/dark_palette.h"
#include "gallery.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvex-gallery OUT_DIR\n");
        return 2;
    }
    korvex::ApplyDarkLook(application);
    const QString failure = korvex::WriteGallery(QString::fromLocal8Bit(argv[1]));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "korvex-gallery: %s\n", qPrintable(failure));
        return 1;
    }
    return 0;
}
