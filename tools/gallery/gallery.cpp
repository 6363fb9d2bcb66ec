#include "gallery.h"

#include "controls/digi_static.h"
#include "controls/grid_ctrl.h"
#include "controls/label.h"
#include "controls/month_cal_ctrl_ex.h"
#include "controls/picture_static.h"
#include "controls/skin_button.h"
#include "controls/skin_pictures.h"
#include "controls/skin_slider.h"
#include "controls/theme_colours.h"
#include "sheet_writer.h"
#include "ui/main_window_layout.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPainter>

namespace korvex {

namespace {

// The pictures that differ between the UI modes.
struct ModePictures {
    int position_track, volume_track, speed_track;
    int level_lit, level_grey, g_sensor, compass;
};

ModePictures PicturesOf(int ui_mode) {
    if (ui_mode == 0)
        return {446, 442, 445, 444, 443, 441, 440};
    return {133, 152, 153, 159, 160, 132, 156};
}

struct NamedStrip {
    int number;
    const char* name;
};

constexpr NamedStrip kButtons[] = {
    {134, "Close"},
    {135, "Maximise"},
    {136, "Minimise"},
    {140, "Play"},
    {141, "Pause"},
    {142, "Stop"},
    {145, "Next picture"},
    {146, "Prev. picture"},
    {161, "Prev. recording"},
    {162, "Next recording"},
    {447, "Backward play"},
    {450, "Mark in"},
    {451, "Mark out"},
    {452, "Backup"},
    {456, "Backup running"},
    {139, "Open"},
    {147, "Snapshot"},
    {163, "Config"},
    {437, "Map"},
    {449, "Save"},
    {457, "SD card setup"},
    {1056, "Map key"},
    {143, "Faster"},
    {144, "Slower"},
    {138, "Sound off"},
    {148, "Sound on"},
};

QString Caption(int number, const char* name) {
    return QStringLiteral("%1  %2").arg(number).arg(QString::fromLatin1(name));
}

SheetItems ButtonStates(int number) {
    CVxSkinButton button;
    button.SetSkin(SkinPicture(number), 0, 0, 0, false, false);
    SheetItems states;
    states.push_back({QStringLiteral("normal"), button.grab()});
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&button, &enter);
    states.push_back({QStringLiteral("hover"), button.grab()});
    button.setDown(true);
    states.push_back({QStringLiteral("pressed"), button.grab()});
    button.setDown(false);
    button.setEnabled(false);
    states.push_back({QStringLiteral("disabled"), button.grab()});
    return states;
}

SheetItems SliderPositions(int track, int thumb) {
    CVxSkinSldButton slider;
    slider.SetSkin(SkinPicture(track), 0, 0, 0, false, false);
    slider.SetThumb(SkinPicture(thumb));
    slider.SetRange(0, 1000);
    SheetItems positions;
    for (const auto& [name, position] : {std::pair{"min", 0}, {"middle", 500}, {"max", 1000}}) {
        slider.SetPos(position);
        positions.push_back({QString::fromLatin1(name), slider.grab()});
    }
    slider.setEnabled(false);
    positions.push_back({QStringLiteral("disabled"), slider.grab()});
    return positions;
}

QPixmap Picture(int number) {
    CPictureStatic picture;
    const QPixmap pixmap = SkinPicture(number);
    picture.SetImage(pixmap);
    picture.resize(pixmap.size());
    return picture.grab();
}

// The lit bars up to a share of the width over the grey ones, as the panel shows a volume.
QPixmap Level(const ModePictures& pictures, double share) {
    QPixmap level = SkinPicture(pictures.level_grey);
    const QPixmap lit = SkinPicture(pictures.level_lit);
    QPainter painter(&level);
    painter.drawPixmap(0, 0, lit, 0, 0, static_cast<int>(lit.width() * share), lit.height());
    return level;
}

QPixmap CompassAt(const ModePictures& pictures, double course) {
    QPixmap compass = SkinPicture(pictures.compass);
    const QPixmap needle = SkinPicture(158);
    QPainter painter(&compass);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(compass.width() / 2.0, compass.height() / 2.0);
    painter.rotate(course);
    painter.drawPixmap(QPointF(-needle.width() / 2.0, -needle.height() / 2.0), needle);
    return compass;
}

SheetItems Readouts(int ui_mode) {
    CDigiStatic digits;
    digits.resize(ui_mode == 0 ? QSize(72, 34) : QSize(96, 46));
    SheetItems readouts;
    for (const char* text : {"000", " 10", "188"}) {
        digits.SetText(QString::fromLatin1(text));
        readouts.push_back(
            {QStringLiteral("\"%1\"").arg(QString::fromLatin1(text)), digits.grab()});
    }
    return readouts;
}

QPixmap Calendar(int ui_mode) {
    CMonthCalCtrlEx calendar;
    calendar.resize(LayoutFor(ui_mode).calendar.size());
    calendar.SetCurDate(QDate(2026, 3, 18));
    for (int day : {3, 10, 17, 18, 25})
        calendar.AddMark(QDate(2026, 3, day));
    return calendar.grab();
}

QPixmap TimeBar(int ui_mode) {
    CGridCtrl grid;
    const QSize size = LayoutFor(ui_mode).minutes.size();
    grid.resize(size);
    constexpr int kCells = 30;
    grid.SetSize(1, kCells);
    const std::vector<int> widths = SpreadColumnWidths(size.width(), kCells);
    LogicalFont font;
    font.height = -9;
    font.face_name = QStringLiteral("Aril");
    for (int cell = 0; cell < kCells; ++cell) {
        grid.SetColumnWidth(cell, widths[static_cast<size_t>(cell)]);
        const QColor colour =
            cell < 10 ? QColor(104, 104, 104) : (cell < 20 ? QColor(0, 255, 0) : QColor(255, 0, 0));
        grid.SetCell(0, cell, cell % 5 == 0 ? QString::asprintf("%02d", cell) : QString(), colour,
                     font);
    }
    grid.SetRowHeight(0, size.height());
    return grid.grab();
}

QPixmap Heading() {
    CPictureStatic strip;
    strip.SetImage(SkinPicture(169));
    strip.resize(238, 20);
    CLabel& label = *new CLabel(&strip);
    label.SetText(QStringLiteral("SD Card Settings"))
        .SetFontBold(true)
        .SetFontSize(-12)
        .SetTextColor(QColor(theme::kText))
        .SetTransparent(true)
        .SetStaticStyle(kStaticLeft | kStaticCentreImage);
    label.setGeometry(12, 0, 226, 20);
    return strip.grab();
}

} // namespace

QImage ContactSheet(int ui_mode) {
    const ModePictures pictures = PicturesOf(ui_mode);
    SheetWriter sheet(1040, QStringLiteral("Korvex controls, UI mode %1").arg(ui_mode));
    sheet.Heading(QStringLiteral("Buttons"));
    for (const NamedStrip& strip : kButtons)
        sheet.Row(Caption(strip.number, strip.name), ButtonStates(strip.number));
    sheet.Heading(QStringLiteral("Sliders"));
    sheet.Row(Caption(pictures.position_track, "Position"),
              SliderPositions(pictures.position_track, 151));
    sheet.Row(Caption(pictures.volume_track, "Volume"),
              SliderPositions(pictures.volume_track, 155));
    sheet.Row(Caption(pictures.speed_track, "Speed"), SliderPositions(pictures.speed_track, 154));
    sheet.Heading(QStringLiteral("Instruments"));
    sheet.Row(Caption(pictures.compass, "Compass"),
              {{QStringLiteral("dial"), Picture(pictures.compass)},
               {QStringLiteral("course 30\u00b0"), CompassAt(pictures, 30)},
               {QStringLiteral("158 needle"), Picture(158)}});
    sheet.Row(Caption(pictures.g_sensor, "G-sensor graph"),
              {{QStringLiteral("background"), Picture(pictures.g_sensor)}});
    sheet.Row(Caption(pictures.level_lit, "Volume level"),
              {{QStringLiteral("0 %"), Level(pictures, 0)},
               {QStringLiteral("60 %"), Level(pictures, 0.6)},
               {QStringLiteral("100 %"), Level(pictures, 1)}});
    sheet.Row(QStringLiteral("Speed read-out"), Readouts(ui_mode));
    sheet.Row(QStringLiteral("166, 167  Units"),
              {{QStringLiteral("Knot"), Picture(166)}, {QStringLiteral("Mile/h"), Picture(167)}});
    sheet.Heading(QStringLiteral("Recordings"));
    sheet.Row(QStringLiteral("Calendar"), {{QStringLiteral("marked days"), Calendar(ui_mode)}});
    sheet.Row(QStringLiteral("Time bar"), {{QStringLiteral("grey, green, red"), TimeBar(ui_mode)}});
    sheet.Heading(QStringLiteral("Dialogs"));
    sheet.Row(QStringLiteral("169  Heading, label"), {{QStringLiteral("CLabel"), Heading()}});
    sheet.Row(QStringLiteral("170  Side picture"), {{QString(), Picture(170)}});
    return sheet.Finish();
}

QString WriteGallery(const QString& out_dir) {
    const QDir out(out_dir);
    if (!out.mkpath(QStringLiteral("skin")))
        return QStringLiteral("cannot make %1/skin").arg(out_dir);
    for (const int number : SkinPictureNumbers()) {
        const QString path = out.filePath(QStringLiteral("skin/%1.png").arg(number));
        if (!SkinPicture(number).save(path, "PNG"))
            return QStringLiteral("cannot write %1").arg(path);
    }
    for (int ui_mode = 0; ui_mode <= 2; ++ui_mode) {
        const QString path = out.filePath(QStringLiteral("controls-mode-%1.png").arg(ui_mode));
        if (!ContactSheet(ui_mode).save(path, "PNG"))
            return QStringLiteral("cannot write %1").arg(path);
    }
    return {};
}

} // namespace korvex
