#pragma once

#include "app/qt/qt_message_sink.h"
#include "controls/skin_dialog.h"
#include "ui/korvex_key_filter.h"
#include "ui/panel_host.h"
#include "ui/panel_services.h"

#include <memory>
#include <string>

namespace korvex {

class CardArrivalWatch;
class CDevShowDlg;
class CMapView;
class CPictureStatic;
class CPlayCtrlDlg;
class CVxSkinButton;
class RecordingBarsView;

// The program's one top-level window: the video window, the play-control panel, the map view,
// the logo, the Close and Min buttons and the calendar with its time bars, laid out for the UI
// mode in use. It feeds every GPS record to the map view and the panel's read-outs, starts a new
// route when the reader asks, and opens what it is given: the command line's path, a dropped
// file, or the card (at start and when one is inserted). While it lives, the program's keys
// work in its windows (ui/korvex_key_filter.h).
//
// User-interface thread only. Everything in `services` and `messages` must outlive it; the
// watch's `arrivals` as well, and it must be no other user's object (see CardArrivalWatch).
class CKorvexDlg final : public CVxSkinDialog, public PanelHost, public ProgramKeyTarget {
    Q_OBJECT

public:
    // `command_line`: a recording to open at start (quotes already removed); empty: the card.
    CKorvexDlg(PanelServices services, QtMessageSink& messages, RemovableVolumes& arrivals,
               std::string command_line);
    ~CKorvexDlg() override;

    CPlayCtrlDlg& Panel() { return *panel_; }
    CDevShowDlg& VideoWindow() { return *video_; }
    CMapView& MapView() { return *map_; }
    RecordingBarsView& Bars() { return *bars_; }
    int RouteCounter() const { return route_; }

    // 1131: a GPS record is ready; 1132: the reader starts a new route.
    void HandleMessage(const Message& message);

    // PanelHost.
    VideoOutput& VideoTarget() override;
    void ShowPlaybackWindows(bool shown) override;
    void StartNewRoute() override;
    const GpsRecord& LatestRecord() const override;
    void MapCommand() override;
    void BarsChannelChanged(CTSChn* channel) override;
    void BarsListComplete() override;
    void BarsClear() override;

    // ProgramKeyTarget.
    bool IsProgramWindow(const QWidget* window) const override;
    bool RunKey(const KeyBinding& key) override;

signals:
    // The user closed the window (its Close button, or the window manager's close).
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateTitleButtons();
    void Layout();
    void OnGpsRecord();
    void ShowKeys();

    PanelServices services_;
    const int ui_mode_;
    int route_ = 1;
    bool initialised_ = false;

    CDevShowDlg* video_ = nullptr;
    CPictureStatic* logo_ = nullptr;
    CVxSkinButton* close_ = nullptr;
    CVxSkinButton* min_ = nullptr;
    CMapView* map_ = nullptr;
    CPlayCtrlDlg* panel_ = nullptr;
    std::unique_ptr<RecordingBarsView> bars_;
    std::unique_ptr<CardArrivalWatch> arrival_watch_;
    KorvexKeyFilter keys_{*this};
};

} // namespace korvex
