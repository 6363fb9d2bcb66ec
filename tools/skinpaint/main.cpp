// korvex-skinpaint SKIN_DIR ICON_SVG LOGO_BMP: draws every skin picture as SKIN_DIR/NUMBER.png
// with SKIN_DIR/skin.qrc listing them under /skin, and the title wordmark as LOGO_BMP. Run by
// the build; the pictures are embedded into the controls library.

#include "catalogue.h"
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <exception>

namespace {

bool Save(const QImage& image, const QString& path, const char* format) {
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "korvex-skinpaint: cannot write %s\n", qPrintable(path));
    return false;
}

int Paint(const QString& skin_dir, const QString& icon_svg, const QString& logo_bmp) {
    using namespace korvex::skinpaint;
    if (!QDir().mkpath(skin_dir) || !QDir().mkpath(QFileInfo(logo_bmp).path()))
        return 1;
    QFile qrc(QDir(skin_dir).filePath(QStringLiteral("skin.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QTextStream list(&qrc);
    list << "<RCC>\n<qresource prefix=\"/skin\">\n";
    for (const CataloguedPicture& picture : Catalogue(icon_svg)) {
        const QImage image = picture.paint(picture.size);
        if (image.size() != picture.size) {
            std::fprintf(stderr, "korvex-skinpaint: picture %d drawn at the wrong size\n",
                         picture.number);
            return 1;
        }
        const QString name = QStringLiteral("%1.png").arg(picture.number);
        if (!Save(image, QDir(skin_dir).filePath(name), "PNG"))
            return 1;
        list << "<file>" << name << "</file>\n";
    }
    list << "</qresource>\n</RCC>\n";
    // The title picture is a 24-bit bitmap file beside the program, as the map folder holds it.
    const QImage logo = Wordmark(QSize(474, 30)).convertToFormat(QImage::Format_RGB888);
    return Save(logo, logo_bmp, "BMP") ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: korvex-skinpaint SKIN_DIR ICON_SVG LOGO_BMP\n");
        return 2;
    }
    try {
        return Paint(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                     QString::fromLocal8Bit(argv[3]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvex-skinpaint: %s\n", error.what());
        return 1;
    }
}
