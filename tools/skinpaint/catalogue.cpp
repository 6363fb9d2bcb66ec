#include "catalogue.h"

#include "pictures.h"

namespace korvex::skinpaint {

namespace {

using Paint = std::function<QImage(QSize)>;

Paint Button(const char* icon, bool mirrored = false) {
    return [glyph = Glyph{QString::fromLatin1(icon), Glyph::Path::kNone, mirrored}](QSize size) {
        // 16 px glyphs in the 22 px rows, 20 px in the taller ones.
        return ButtonStrip(size, glyph, size.height() >= 30 ? 20 : 16);
    };
}

Paint PathButton(Glyph::Path path) {
    return [path](QSize size) { return ButtonStrip(size, Glyph{{}, path, false}, 16); };
}

Paint TitleButton(const char* icon, bool danger) {
    return [glyph = Glyph{QString::fromLatin1(icon)}, danger](QSize size) {
        return TitleButtonStrip(size, glyph, danger);
    };
}

Paint MainWindow(int ui_mode) {
    return [ui_mode](QSize) { return MainWindowBackground(ui_mode); };
}

} // namespace

std::vector<CataloguedPicture> Catalogue(const QString& icon_svg) {
    const QSize panel_button(128, 22);
    const QSize tall_button(148, 34);
    return {
        {128, {256, 256}, [icon_svg](QSize size) { return RenderSvg(icon_svg, size); }},
        {131, {1280, 800}, MainWindow(1)},
        {438, {960, 600}, MainWindow(0)},
        {448, {1920, 1080}, MainWindow(2)},
        {130, {271, 800}, PanelBackground},
        {439, {203, 600}, PanelBackground},
        {454, {271, 800}, PanelBackground},
        {134, {112, 24}, TitleButton("window-close", true)},
        {135, {100, 18}, TitleButton("window-maximize", false)},
        {136, {112, 24}, TitleButton("window-minimize", false)},
        {140, panel_button, Button("media-playback-start")},
        {141, panel_button, Button("media-playback-pause")},
        {142, panel_button, Button("media-playback-stop")},
        {145, panel_button, Button("go-next")},
        {146, panel_button, Button("go-previous")},
        {161, panel_button, Button("media-skip-backward")},
        {162, panel_button, Button("media-skip-forward")},
        {447, panel_button, Button("media-playback-start", true)},
        {450, panel_button, PathButton(Glyph::Path::kMarkIn)},
        {451, panel_button, PathButton(Glyph::Path::kMarkOut)},
        {452, panel_button, Button("document-send")},
        {456, panel_button, Button("emblem-synchronizing")},
        {139, tall_button, Button("folder-open")},
        {147, tall_button, Button("camera-photo")},
        {163, tall_button, Button("emblem-system")},
        {437, tall_button, Button("mark-location")},
        {449, tall_button, Button("document-save")},
        {457, tall_button, Button("media-flash")},
        {1056, {128, 35}, Button("dialog-password")},
        {143, {128, 32}, Button("media-seek-forward")},
        {144, {128, 32}, Button("media-seek-backward")},
        {138, {88, 21}, Button("audio-volume-muted")},
        {148, {88, 21}, Button("audio-volume-high")},
        {133, {976, 18}, TrackStrip},
        {446, {732, 18}, TrackStrip},
        {152, {796, 16}, TrackStrip},
        {442, {597, 16}, TrackStrip},
        {153, {796, 10}, TrackStrip},
        {445, {597, 8}, TrackStrip},
        {151, {33, 18}, Thumb},
        {155, {9, 16}, Thumb},
        {154, {9, 16}, Thumb},
        {159, {202, 46}, [](QSize size) { return VolumeBars(size, true); }},
        {160, {202, 46}, [](QSize size) { return VolumeBars(size, false); }},
        {444, {152, 35}, [](QSize size) { return VolumeBars(size, true); }},
        {443, {152, 35}, [](QSize size) { return VolumeBars(size, false); }},
        {132, {251, 73}, GSensorGraph},
        {441, {188, 55}, GSensorGraph},
        {156, {216, 209}, Compass},
        {440, {162, 171}, Compass},
        {158, {15, 51}, Needle},
        {166, {52, 20}, [](QSize size) { return UnitLabel(size, QStringLiteral("Knot")); }},
        {167, {52, 20}, [](QSize size) { return UnitLabel(size, QStringLiteral("Mile/h")); }},
        {169, {238, 20}, HeadingStrip},
        {170, {99, 374}, [icon_svg](QSize size) { return SidePicture(size, icon_svg); }},
    };
}

} // namespace korvex::skinpaint
