#pragma once

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <utility>
#include <vector>

namespace korvex {

// Pictures of controls, each with a short note printed under it.
using SheetItems = std::vector<std::pair<QString, QPixmap>>;

// Lays out a contact sheet top to bottom: a title, section headings, and rows of a caption
// followed by items that wrap onto further lines when the sheet is too narrow.
class SheetWriter {
public:
    SheetWriter(int width, const QString& title);

    void Heading(const QString& text);
    void Row(const QString& caption, const SheetItems& items);
    // The sheet cut to what was written.
    QImage Finish();

private:
    QImage image_;
    QPainter painter_;
    int y_ = 0;
};

} // namespace korvex
