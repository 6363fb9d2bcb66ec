#include "ui/korvex_dlg.h"

#include "app/program_paths.h"
#include "controls/picture_static.h"
#include "controls/skin_button.h"
#include "controls/skin_pictures.h"
#include "playback/panel_commands.h"
#include "positioning/qt/map_view.h"
#include "ui/card_arrival_watch.h"
#include "ui/dev_show_dlg.h"
#include "ui/main_window_layout.h"
#include "ui/play_ctrl_dlg.h"
#include "ui/recording_bars_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <ctime>

namespace korvex {

namespace {

constexpr int kIconPicture = 128;
constexpr int kCloseStrip = 134;
constexpr int kMinStrip = 136;

int BackgroundPicture(int ui_mode) {
    switch (ui_mode) {
    case 0:
        return 438;
    case 2:
        return 448;
    default:
        return 131;
    }
}

CalendarDate LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return CalendarDate{std::chrono::year(local.tm_year + 1900),
                        std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                        std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}

// The first dropped item that is a local file, or an empty text.
QString FirstDroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) {
        return {};
    }
    return data->urls().front().toLocalFile();
}

} // namespace

CKorvexDlg::CKorvexDlg(PanelServices services, QtMessageSink& messages, RemovableVolumes& arrivals,
                       std::string command_line)
    : services_(std::move(services)), ui_mode_(services_.app.Settings().ui_mode_in_use) {
    CSettings& settings = services_.app.Settings();
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowIcon(QIcon(SkinPicture(kIconPicture)));
    setAcceptDrops(true);

    video_ = new CDevShowDlg(this);
    SetBackground(SkinPicture(BackgroundPicture(ui_mode_)));
    setWindowTitle(QStringLiteral("RizOzaruz"));

    logo_ = new CPictureStatic(this);
    logo_->setObjectName(QStringLiteral("logo"));
    logo_->SetImageFile(QString::fromStdString(
        (ProgramDataFolder(settings.Locations().program_folder) / "map/logo.bmp").string()));
    CreateTitleButtons();

    map_ = new CMapView(settings, services_.app.OffsetTable(), services_.app.GSensor(), this);
    map_->SetDefaultCentre(settings.default_latitude, settings.default_longitude);
    map_->SetIndex(route_);

    panel_ = new CPlayCtrlDlg(this, *this, services_, ui_mode_);
    panel_->show();
    bars_ = std::make_unique<RecordingBarsView>(*this, ui_mode_, LocalToday());

    messages.Connect(MessageTarget::kMainWindow, this,
                     [this](const Message& message) { HandleMessage(message); });
    messages.Connect(MessageTarget::kPanel, panel_,
                     [panel = panel_](const Message& message) { panel->HandleMessage(message); });

    video_->hide();
    map_->hide();

    initialised_ = true;
    const MainWindowLayout& layout = LayoutFor(ui_mode_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(screen != nullptr ? screen->geometry().topLeft() : QPoint(0, 0));
    resize(layout.window);
    Layout(); // also when the size was already the mode's, so no resize event comes

    bars_->Clear();
    if (command_line.empty()) {
        panel_->OpenCard(false);
    } else {
        panel_->OpenPath(command_line, nullptr);
    }
    arrival_watch_ =
        std::make_unique<CardArrivalWatch>(arrivals, this, [this] { panel_->OpenCard(false); });
    qApp->installEventFilter(&keys_);
}

CKorvexDlg::~CKorvexDlg() {
    qApp->removeEventFilter(&keys_);
    arrival_watch_.reset();
    // The channel draws into the video window and is shown by the bars: it goes first.
    bars_->SetChannel(nullptr);
    delete panel_;
    bars_.reset();
    delete map_;
    delete video_;
}

void CKorvexDlg::CreateTitleButtons() {
    close_ = new CVxSkinButton(this);
    close_->setObjectName(QStringLiteral("closeButton"));
    close_->SetSkin(SkinPicture(kCloseStrip), 0, 0, 0, false, false);
    connect(close_, &QAbstractButton::clicked, this, &QWidget::close);

    min_ = new CVxSkinButton(this);
    min_->setObjectName(QStringLiteral("minButton"));
    min_->SetSkin(SkinPicture(kMinStrip), 0, 0, 0, false, false);
    connect(min_, &QAbstractButton::clicked, this, &QWidget::showMinimized);
}

void CKorvexDlg::Layout() {
    if (!initialised_) {
        return;
    }
    const MainWindowLayout& layout = LayoutFor(ui_mode_);
    logo_->setGeometry(layout.logo);
    close_->move(layout.close_button);
    min_->move(layout.min_button);
    video_->SetPosition(layout.video);
    panel_->setGeometry(layout.panel);
    map_->SetPosition(layout.map);
    bars_->Place();
}

void CKorvexDlg::resizeEvent(QResizeEvent* event) {
    CVxSkinDialog::resizeEvent(event);
    Layout();
}

void CKorvexDlg::HandleMessage(const Message& message) {
    switch (message.id) {
    case kMessageGpsText:
        OnGpsRecord();
        break;
    case kMessageNewRoute:
        StartNewRoute();
        break;
    default:
        break;
    }
}

void CKorvexDlg::OnGpsRecord() {
    // A record queued before a new route was started belongs to the route before: the reader
    // cleared the flag, so it is skipped.
    GpsTextBuffer& gps = services_.app.GpsText();
    if (!gps.IsRecordReady()) {
        return;
    }
    // The panel reads what the map view's parser has just written, so the map goes first.
    map_->UpdateFromGpsText(route_, gps.Load());
    panel_->PushGSensorSample();
}

VideoOutput& CKorvexDlg::VideoTarget() {
    return video_->Video();
}

void CKorvexDlg::ShowPlaybackWindows(bool shown) {
    video_->setVisible(shown);
    map_->setVisible(shown);
}

void CKorvexDlg::StartNewRoute() {
    ++route_;
    map_->SetIndex(route_);
}

const GpsRecord& CKorvexDlg::LatestRecord() const {
    return map_->Record();
}

void CKorvexDlg::MapCommand() {
    if (!map_->isVisible()) {
        map_->show();
    } else if (!map_->IsPoppedOut()) {
        map_->PopOut();
    }
}

void CKorvexDlg::BarsChannelChanged(CTSChn* channel) {
    bars_->SetChannel(channel);
}

void CKorvexDlg::BarsListComplete() {
    bars_->ListComplete();
}

void CKorvexDlg::BarsClear() {
    bars_->Clear();
}

bool CKorvexDlg::IsProgramWindow(const QWidget* window) const {
    return window == this || window == map_ || video_->IsOwnWindow(window);
}

bool CKorvexDlg::RunKey(const KeyBinding& key) {
    using Slider = CPlayCtrlDlg::SliderTag;
    if (key.needs_recording && panel_->Channel() == nullptr) {
        return false;
    }
    switch (key.action) {
    case KeyAction::kButton:
        panel_->RunCommand(key.value);
        break;
    case KeyAction::kTogglePause:
        panel_->TogglePause();
        break;
    case KeyAction::kSeek:
        panel_->SeekWithin(key.value);
        break;
    case KeyAction::kSpeedSteps:
        panel_->MoveSlider(Slider::kSpeed, panel_->SliderPosition(Slider::kSpeed) + key.value);
        break;
    case KeyAction::kNormalSpeed:
        panel_->MoveSlider(Slider::kSpeed, kSpeedSliderMiddle);
        break;
    case KeyAction::kVolumeSteps:
        // The volume slider's first position is its loudest.
        panel_->MoveSlider(Slider::kVolume, panel_->SliderPosition(Slider::kVolume) - key.value);
        break;
    case KeyAction::kFullScreen:
        video_->ToggleFullScreen();
        break;
    case KeyAction::kShowKeys:
        ShowKeys();
        break;
    }
    return true;
}

void CKorvexDlg::ShowKeys() {
    services_.prompts.Inform(this, KeyListText([this](const char* key) {
                                 return QString::fromStdString(
                                     services_.app.Settings().Translate(key));
                             }));
}

void CKorvexDlg::closeEvent(QCloseEvent* event) {
    CVxSkinDialog::closeEvent(event);
    emit Closed();
}

void CKorvexDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstDroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CKorvexDlg::dropEvent(QDropEvent* event) {
    // Only the first file plays; the others are left alone.
    const QString path = FirstDroppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    panel_->OpenPath(path.toStdString(), nullptr);
}

} // namespace korvex
