#include "sheet_writer.h"

#include "controls/theme_colours.h"

#include <QFont>
#include <algorithm>

namespace korvex {

namespace {

constexpr int kMargin = 16;
constexpr int kCaptionWidth = 160;
constexpr int kGap = 14;
constexpr int kNoteHeight = 16;
constexpr int kMaxHeight = 6000;

QFont SheetFont(int pixel_size, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

} // namespace

SheetWriter::SheetWriter(int width, const QString& title)
    : image_(width, kMaxHeight, QImage::Format_RGB32), painter_(&image_) {
    image_.fill(QColor(theme::kWindow));
    painter_.setFont(SheetFont(18, true));
    painter_.setPen(QColor(theme::kText));
    painter_.drawText(QRect(kMargin, kMargin, width - 2 * kMargin, 24),
                      Qt::AlignLeft | Qt::AlignVCenter, title);
    y_ = kMargin + 24;
}

void SheetWriter::Heading(const QString& text) {
    y_ += 12;
    painter_.setFont(SheetFont(13, true));
    painter_.setPen(QColor(theme::kAccent));
    painter_.drawText(QRect(kMargin, y_, image_.width() - 2 * kMargin, 18),
                      Qt::AlignLeft | Qt::AlignVCenter, text);
    y_ += 19;
    painter_.fillRect(kMargin, y_, image_.width() - 2 * kMargin, 1, QColor(theme::kHighlightEdge));
    y_ += 9;
}

void SheetWriter::Row(const QString& caption, const SheetItems& items) {
    const int first = kMargin + kCaptionWidth;
    int x = first;
    int line_height = 0;
    painter_.setFont(SheetFont(11));
    painter_.setPen(QColor(theme::kText));
    painter_.drawText(QRect(kMargin, y_, kCaptionWidth - 8, 18), Qt::AlignLeft | Qt::AlignVCenter,
                      caption);
    for (const auto& [note, picture] : items) {
        if (x > first && x + picture.width() > image_.width() - kMargin) {
            y_ += line_height + kNoteHeight + kGap / 2;
            x = first;
            line_height = 0;
        }
        painter_.drawPixmap(x, y_, picture);
        painter_.setPen(QColor(theme::kSecondaryText));
        painter_.drawText(
            QRect(x, y_ + picture.height() + 1, std::max(picture.width(), 80), kNoteHeight - 2),
            Qt::AlignLeft | Qt::AlignVCenter, note);
        x += std::max(picture.width(), 80) + kGap;
        line_height = std::max(line_height, picture.height());
    }
    y_ += std::max(line_height + kNoteHeight, 18) + kGap / 2;
}

QImage SheetWriter::Finish() {
    painter_.end();
    return image_.copy(0, 0, image_.width(), std::min(y_ + kMargin, kMaxHeight));
}

} // namespace korvex
