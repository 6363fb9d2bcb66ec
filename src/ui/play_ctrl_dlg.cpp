#include "ui/play_ctrl_dlg.h"

#include "engine/ts_chn.h"
#include "ui/clip_export_job.h"
#include "ui/panel_host.h"

namespace korvex {

CPlayCtrlDlg::CPlayCtrlDlg(QWidget* parent, PanelHost& host, PanelServices services, int ui_mode)
    : CVxSkinDialog(parent), host_(host), services_(std::move(services)), ui_mode_(ui_mode),
      scale_(PanelScale(ui_mode)), history_(GSensorHistory::CapacityFor(ui_mode)) {}

CPlayCtrlDlg::~CPlayCtrlDlg() {
    channel_.reset();
    export_.reset();
}

void CPlayCtrlDlg::OpenCard(bool) {}
void CPlayCtrlDlg::OpenFile() {}
void CPlayCtrlDlg::OpenPath(const std::string&, const CFindFilePath*) {}
void CPlayCtrlDlg::StopPlayback() {
    channel_.reset();
}
void CPlayCtrlDlg::PushGSensorSample() {}
void CPlayCtrlDlg::HandleMessage(const Message&) {}
void CPlayCtrlDlg::TogglePause() {}
void CPlayCtrlDlg::paintEvent(QPaintEvent* event) {
    CVxSkinDialog::paintEvent(event);
}
void CPlayCtrlDlg::keyPressEvent(QKeyEvent* event) {
    CVxSkinDialog::keyPressEvent(event);
}

} // namespace korvex
