#pragma once

#include "app/message_sink.h"
#include "controls/skin_dialog.h"
#include "positioning/gps_text_parser.h"
#include "stream/recording_entry.h"
#include "ui/panel_readouts.h"
#include "ui/panel_services.h"

#include <QPixmap>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMouseEvent;
class QTimer;

namespace korvex {

class CColorStatic;
class CDigiStatic;
class CFindFilePath;
class CPictureStatic;
class CTSChn;
class CVxSkinButton;
class CVxSkinSldButton;
class ClipExportJob;
class PanelHost;
class PanelMarkBar;
class RouteExportRun;

// The play-control panel on the left of the main window: the command buttons, the position,
// volume and speed sliders, the speed read-out, the compass with the position texts and the
// G-sensor graph. It owns the playback channel (at most one) and the clip export; the main
// window (PanelHost) owns the video window, the map view and the calendar with its bars.
//
// User-interface thread only. The workers reach it through HandleMessage, which the message
// sink calls for every message to MessageTarget::kPanel.
class CPlayCtrlDlg final : public CVxSkinDialog {
    Q_OBJECT
public:
    CPlayCtrlDlg(QWidget* parent, PanelHost& host, PanelServices services, int ui_mode);
    ~CPlayCtrlDlg() override; // destroys its channel, then its export (stopping it)

    // Opens the recordings of the card in the removable volumes; `show_message`: a missing
    // card is reported.
    void OpenCard(bool show_message);
    // Lets the user pick one recording and opens it.
    void OpenFile();
    // Replaces the channel by a new one on `path`; `list` is a card's list (copied), null: the
    // channel lists the recording's folder itself.
    void OpenPath(const std::string& path, const CFindFilePath* list);
    // Destroys the channel and clears what shows it.
    void StopPlayback();

    // A new GPS record has been parsed: its G-sensor values join the history, and the
    // read-outs are redrawn from the host's latest record at most every 150 ms.
    void PushGSensorSample();

    // The panel's messages: 1130 (position), 1131 (scan started), 1132 (list complete) and the
    // clip export's progress and end.
    void HandleMessage(const Message& message);

    enum class SliderTag { kPosition = 1, kVolume = 2, kSpeed = 3 };

    CTSChn* Channel() { return channel_.get(); }
    void TogglePause();

    // What the program's keys and the media keys run, each the same as its control does: a
    // click on the button `control`; the slider `tag` moved to `position` and released there;
    // the position slider moved by `milliseconds` of the recording being read.
    void RunCommand(int control);
    void MoveSlider(SliderTag tag, int position);
    int SliderPosition(SliderTag tag) const;
    void SeekWithin(std::int64_t milliseconds);

    // The recording the reader reads now (number -1 and no path when nothing is open), read
    // again only when the reader moves to another one.
    const RecordingEntry& PlayingRecording();

signals:
    // The position slider was released at, or moved by a command to, `position` thousandths.
    void Seeked(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void CreateReadouts();
    void CreateSliders();
    void CreateCommandButtons();
    void PlaceChildren();
    void RefreshTooltips();
    // " (KEY, KEY)" after a tooltip, translated; nothing when no key has its effect.
    QString KeyHint(const std::vector<const char*>& names) const;
    void RefreshUnitLabel();
    void OnSliderReleased(int tag, int position);
    void SetSpeedSlider(int position);
    CVxSkinSldButton* Slider(SliderTag tag) const;
    // A control for one read or write of the system volume; null when there is none.
    std::unique_ptr<VolumeControl> SystemVolume() const;
    void ReadSystemVolume();
    void WriteSystemVolume(int position);
    void DestroyChannel();
    // The speed, then the instruments, from `record`.
    void Redraw(const GpsRecord& record);
    // The graph of the history, and the compass with the position texts of `record`.
    void DrawInstruments(const GpsRecord& record);
    QString Tr(const char* key) const;
    CSettings& Settings() const;

    void ShowOpenMenu();
    void TakeSnapshot();
    void SavePlayingFile();
    void ExportClip();
    // The route of the recording being played, or of the whole list, into a file the user names.
    void ExportRoute(bool whole_card);
    // The Backup button's picture and tooltip and the mark bar's line, as the export stands.
    void ShowExportState();
    void OnExportFinished();
    void RunConfig();
    void RunSdCardSetup();
    void RunMapKey();
    void ToggleMute();
    void ShowPictureCount();

    PanelHost& host_;
    PanelServices services_;
    const int ui_mode_;
    const double scale_;

    GSensorHistory history_;
    RepaintThrottle throttle_;
    QPixmap needle_;
    QPixmap graph_background_;
    QPixmap compass_background_;
    QPixmap volume_grey_;
    QPixmap volume_green_;
    QPixmap graph_;   // as last drawn
    QPixmap compass_; // as last drawn

    CVxSkinSldButton* position_slider_ = nullptr;
    CVxSkinSldButton* volume_slider_ = nullptr;
    CVxSkinSldButton* speed_slider_ = nullptr;
    std::array<CVxSkinButton*, 21> buttons_{};
    CDigiStatic* speed_readout_ = nullptr;
    PanelMarkBar* mark_bar_ = nullptr;
    CPictureStatic* unit_label_ = nullptr;
    QLabel* picture_count_ = nullptr;
    QTimer* picture_count_timer_ = nullptr;

    RecordingEntry playing_;
    int backup_picture_ = 0; // the Backup button's skin picture now
    bool sound_on_ = true;
    // The sound device outlives the channel that plays through it.
    std::unique_ptr<SoundDriver> sound_;
    std::unique_ptr<CTSChn> channel_;
    std::unique_ptr<ClipExportJob> export_;
    RouteExportRun* route_export_; // a child
    bool list_complete_ = false;   // the channel's recording list may be read
};

} // namespace korvex
