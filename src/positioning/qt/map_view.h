#pragma once

#include "positioning/map_dlg.h"
#include "positioning/qt/web_engine_map_page.h"

#include <QRect>
#include <QUrl>
#include <QWidget>
#include <string_view>

class QWebEngineView;

namespace korvex {

// The map view: the map page in a web view, fed through the map bridge. Docked it is a child of
// the main window at the rectangle of SetPosition; popped out it is a window of its own,
// 600 x 420, centred on the screen, and closing it (or Escape) docks it again.
//
// Created once by the main window, which hands it every GPS text and every new route. The page
// is the user's "map/mapdlg.htm" (or "map/mapdlg_baidu.htm" when "baiduMap" is set) from
// $XDG_CONFIG_HOME/korvex/, else the program's data folder, else the built-in page.
//
// User-interface thread only; the settings, the offset table and the G-sensor sample must
// outlive it.
class CMapView final : public QWidget {
    Q_OBJECT

public:
    CMapView(CSettings& settings, const GpsOffsetTable& offsets, GSensorSample& g_sensor,
             QWidget* main_window);

    void SetDefaultCentre(double latitude, double longitude) {
        bridge_.SetDefaultCentre(latitude, longitude);
    }
    void SetIndex(int route) { bridge_.SetIndex(route); }
    bool UpdateFromGpsText(int route, std::string_view text) {
        return bridge_.UpdateFromGpsText(route, text);
    }
    // The live GPS record, for the speed and position read-outs.
    const GpsRecord& Record() const { return bridge_.Record(); }

    // Keeps the docked rectangle (in the main window's coordinates) and, docked, moves there.
    void SetPosition(const QRect& rectangle);
    void PopOut();
    void Dock();
    bool IsPoppedOut() const { return popped_out_; }

    // The page shown and the address it came from.
    QWebEnginePage* Page() { return page_; }
    const QUrl& PageAddress() const { return address_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static QUrl ChosenPage(const CSettings& settings);

    QWidget* main_window_;
    WebEngineMapPage* page_;
    QWebEngineView* view_;
    CMapDlg bridge_;
    QUrl address_;
    QRect docked_;
    bool popped_out_ = false;
};

} // namespace korvex
