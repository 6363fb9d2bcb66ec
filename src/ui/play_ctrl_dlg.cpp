#include "ui/play_ctrl_dlg.h"

#include "audio/mixer.h"
#include "audio/volume_slider.h"
#include "controls/digi_static.h"
#include "controls/picture_static.h"
#include "controls/skin_button.h"
#include "controls/skin_pictures.h"
#include "controls/skin_slider.h"
#include "playback/panel_commands.h"
#include "playback/ts_chn.h"
#include "positioning/qt/gen_gmap_key.h"
#include "stream/card_folder.h"
#include "stream/find_file_path.h"
#include "stream/folder_search.h"
#include "ui/clip_export_job.h"
#include "ui/config_dlg.h"
#include "ui/dlg_sd_set.h"
#include "ui/panel_host.h"
#include "ui/panel_instruments.h"
#include "ui/panel_layout.h"
#include "ui/panel_mark_bar.h"
#include "ui/playing_file_copy.h"
#include "ui/program_keys.h"
#include "ui/route_export_run.h"
#include "video/snapshot_name.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <iterator>

namespace korvex {

namespace {

constexpr int kPictureCountIntervalMs = 1000;

// Which panel command a button runs through the command table, if it is one of those.
std::optional<PanelCommand> TableCommand(int control) {
    switch (control) {
    case 225:
        return PanelCommand::kPlay;
    case 235:
        return PanelCommand::kBackwardPlay;
    case 230:
        return PanelCommand::kPause;
    case 216:
        return PanelCommand::kPreviousPicture;
    case 217:
        return PanelCommand::kNextPicture;
    case 233:
        return PanelCommand::kPreviousRecording;
    case 229:
        return PanelCommand::kNextRecording;
    case 237:
        return PanelCommand::kMarkIn;
    case 238:
        return PanelCommand::kMarkOut;
    default:
        return std::nullopt;
    }
}

std::size_t ButtonIndex(int control) {
    const auto found = std::ranges::find(kPanelButtons, control, &PanelButton::control);
    return static_cast<std::size_t>(std::distance(kPanelButtons.begin(), found));
}

// A save dialog's name without an extension takes `extension`.
QString WithDefaultExtension(const QString& path, const char* extension) {
    const std::filesystem::path chosen = path.toStdString();
    return chosen.has_extension() ? path : path + QLatin1String(extension);
}

} // namespace

CPlayCtrlDlg::CPlayCtrlDlg(QWidget* parent, PanelHost& host, PanelServices services, int ui_mode)
    : CVxSkinDialog(parent), host_(host), services_(std::move(services)), ui_mode_(ui_mode),
      scale_(PanelScale(ui_mode)), history_(GSensorHistory::CapacityFor(ui_mode)),
      export_(std::make_unique<ClipExportJob>(&services_.messages)),
      route_export_(new RouteExportRun(this, services_.prompts,
                                       [this](const char* key) { return Tr(key); })) {
    const PanelLayout& layout = PanelLayoutFor(ui_mode_);
    EnableDrag(false);
    SetBackground(SkinPicture(layout.background));
    needle_ = SkinPicture(kNeedlePicture);
    graph_background_ = SkinPicture(layout.graph_picture);
    compass_background_ = SkinPicture(layout.compass_picture);
    volume_grey_ = SkinPicture(layout.volume_grey);
    volume_green_ = SkinPicture(layout.volume_green);

    CreateReadouts();
    CreateSliders();
    CreateCommandButtons();
    RefreshTooltips();
    PlaceChildren();
    DrawInstruments(GpsRecord{}); // the speed keeps its "000" until the first record

    picture_count_ = new QLabel(this);
    picture_count_->setObjectName(QStringLiteral("pictureCount"));
    picture_count_->hide();
    picture_count_timer_ = new QTimer(this);
    connect(picture_count_timer_, &QTimer::timeout, this, &CPlayCtrlDlg::ShowPictureCount);
    picture_count_timer_->start(kPictureCountIntervalMs);
}

CPlayCtrlDlg::~CPlayCtrlDlg() {
    channel_.reset();
    sound_.reset();
    export_.reset();
}

CSettings& CPlayCtrlDlg::Settings() const {
    return services_.app.Settings();
}

QString CPlayCtrlDlg::Tr(const char* key) const {
    return QString::fromStdString(Settings().Translate(key));
}

void CPlayCtrlDlg::CreateReadouts() {
    speed_readout_ = new CDigiStatic(this);
    speed_readout_->setObjectName(QStringLiteral("speedReadout"));
    speed_readout_->SetColours(QColor(24, 16, 16), QColor(0, 255, 0));
    speed_readout_->SetText(QStringLiteral("000"));
    speed_readout_->SetTransparent(true);
    speed_readout_->ModifyDigiStyle(0, kDigiFourteen | kDigiKeepAspect);

    unit_label_ = new CPictureStatic(this);
    unit_label_->setObjectName(QStringLiteral("unitLabel"));
    RefreshUnitLabel();

    mark_bar_ = new PanelMarkBar(this);
    mark_bar_->setObjectName(QStringLiteral("markBar"));
}

void CPlayCtrlDlg::CreateSliders() {
    const PanelLayout& layout = PanelLayoutFor(ui_mode_);
    const auto make = [this](const PanelSlider& place, SliderTag tag, const char* name) {
        auto* slider = new CVxSkinSldButton(this);
        slider->setObjectName(QLatin1String(name));
        slider->SetSkin(SkinPicture(place.track), 0, 0, 0, false, false);
        slider->SetThumb(SkinPicture(place.thumb));
        slider->SetTag(static_cast<int>(tag));
        connect(slider, &CVxSkinSldButton::released, this, &CPlayCtrlDlg::OnSliderReleased);
        return slider;
    };
    position_slider_ = make(layout.position, SliderTag::kPosition, "positionSlider");
    position_slider_->SetRange(0, 1000);
    position_slider_->SetPos(0);
    volume_slider_ = make(layout.volume, SliderTag::kVolume, "volumeSlider");
    volume_slider_->SetRange(0, kVolumeSliderLast);
    ReadSystemVolume();
    speed_slider_ = make(layout.speed, SliderTag::kSpeed, "speedSlider");
    speed_slider_->SetRange(0, kSpeedSliderPositions - 1);
    speed_slider_->SetPos(kSpeedSliderMiddle);
}

void CPlayCtrlDlg::CreateCommandButtons() {
    for (std::size_t i = 0; i < kPanelButtons.size(); ++i) {
        const PanelButton& spec = kPanelButtons[i];
        auto* button = new CVxSkinButton(this);
        button->setObjectName(QStringLiteral("button%1").arg(spec.control));
        button->SetSkin(SkinPicture(spec.picture), 0, 0, 0, false, false);
        if (spec.control == kBackupButton) {
            backup_picture_ = spec.picture;
        }
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QAbstractButton::clicked, this,
                [this, control = spec.control] { RunCommand(control); });
        buttons_[i] = button;
    }
}

void CPlayCtrlDlg::PlaceChildren() {
    const PanelLayout& layout = PanelLayoutFor(ui_mode_);
    speed_readout_->setGeometry(layout.speed_readout);
    unit_label_->setGeometry(layout.unit_label);
    mark_bar_->setGeometry(layout.mark_bar);
    position_slider_->move(layout.position.at);
    volume_slider_->move(layout.volume.at);
    speed_slider_->move(layout.speed.at);
    for (std::size_t i = 0; i < kPanelButtons.size(); ++i) {
        const QRect place = CommandButtonRect(ui_mode_, kPanelButtons[i].control);
        // A button without a place stays reachable by the keyboard alone, outside the panel.
        buttons_[i]->setGeometry(place.isNull() ? QRect(QPoint(-100, -100), buttons_[i]->size())
                                                : place);
    }
}

QString CPlayCtrlDlg::KeyHint(const std::vector<const char*>& names) const {
    QStringList translated;
    for (const char* name : names) {
        translated << Tr(name);
    }
    return translated.isEmpty()
               ? QString()
               : QStringLiteral(" (%1)").arg(translated.join(QStringLiteral(", ")));
}

void CPlayCtrlDlg::RefreshTooltips() {
    for (std::size_t i = 0; i < kPanelButtons.size(); ++i) {
        const PanelButton& button = kPanelButtons[i];
        if (button.tooltip_key != nullptr) {
            buttons_[i]->SetTooltip(Tr(button.tooltip_key) +
                                    KeyHint(KeyNamesOfButton(button.control)));
        }
    }
    std::vector<const char*> speed_keys = KeyNamesOfAction(KeyAction::kSpeedSteps);
    std::ranges::copy(KeyNamesOfAction(KeyAction::kNormalSpeed), std::back_inserter(speed_keys));
    speed_slider_->setToolTip(Tr("Speed") + KeyHint(speed_keys));
    volume_slider_->setToolTip(Tr("Volume") + KeyHint(KeyNamesOfAction(KeyAction::kVolumeSteps)));
    ShowExportState();
}

void CPlayCtrlDlg::RefreshUnitLabel() {
    switch (Settings().unit_of_speed) {
    case 0:
        unit_label_->hide();
        break;
    case 1:
        unit_label_->SetImage(SkinPicture(167));
        unit_label_->show();
        break;
    case 2:
        unit_label_->SetImage(SkinPicture(166));
        unit_label_->show();
        break;
    default:
        break;
    }
}

void CPlayCtrlDlg::RunCommand(int control) {
    if (const std::optional<PanelCommand> command = TableCommand(control)) {
        if (RunPanelCommand(channel_.get(), *command)) {
            SetSpeedSlider(kSpeedSliderMiddle);
        }
        return;
    }
    switch (control) {
    case 226:
        StopPlayback();
        break;
    case kBackupButton:
        ExportClip();
        break;
    case 231:
        ShowOpenMenu();
        break;
    case 236:
        SavePlayingFile();
        break;
    case 220:
        TakeSnapshot();
        break;
    case 232:
        host_.MapCommand();
        break;
    case 234:
        RunConfig();
        break;
    case 221:
        RunSdCardSetup();
        break;
    case 1055:
        RunMapKey();
        break;
    case kMuteButton:
        ToggleMute();
        break;
    default:
        break; // ">>" and "<<" do nothing
    }
}

void CPlayCtrlDlg::OnSliderReleased(int tag, int position) {
    switch (static_cast<SliderTag>(tag)) {
    case SliderTag::kPosition:
        // Released beyond the track's left end, the slider reports less than its minimum; a
        // negative seek would mean another recording.
        position = std::max(position, 0);
        RunPositionSlider(channel_.get(), position);
        if (channel_ && position > 0) {
            emit Seeked(position);
        }
        break;
    case SliderTag::kVolume:
        WriteSystemVolume(position);
        update(PanelLayoutFor(ui_mode_).volume_bar);
        break;
    case SliderTag::kSpeed:
        RunSpeedSlider(channel_.get(), position);
        break;
    }
}

void CPlayCtrlDlg::SetSpeedSlider(int position) {
    speed_slider_->SetPos(position);
}

CVxSkinSldButton* CPlayCtrlDlg::Slider(SliderTag tag) const {
    switch (tag) {
    case SliderTag::kPosition:
        return position_slider_;
    case SliderTag::kVolume:
        return volume_slider_;
    case SliderTag::kSpeed:
        break;
    }
    return speed_slider_;
}

void CPlayCtrlDlg::MoveSlider(SliderTag tag, int position) {
    CVxSkinSldButton* slider = Slider(tag);
    position = std::clamp(position, slider->GetMin(), slider->GetMax());
    slider->SetPos(position);
    OnSliderReleased(static_cast<int>(tag), position);
}

int CPlayCtrlDlg::SliderPosition(SliderTag tag) const {
    return Slider(tag)->GetPos();
}

void CPlayCtrlDlg::SeekWithin(std::int64_t milliseconds) {
    const RecordingEntry& playing = PlayingRecording();
    const std::int64_t length_ms = (playing.end_time - playing.start_time) * 1000;
    MoveSlider(SliderTag::kPosition,
               PositionSliderAfter(SliderPosition(SliderTag::kPosition), milliseconds, length_ms));
}

const RecordingEntry& CPlayCtrlDlg::PlayingRecording() {
    const std::string path = channel_ ? channel_->CurrentPath() : std::string();
    if (path != playing_.path) {
        playing_ = path.empty() ? RecordingEntry{} : MakeRecordingEntry(path);
    }
    return playing_;
}

std::unique_ptr<VolumeControl> CPlayCtrlDlg::SystemVolume() const {
    return services_.make_volume ? services_.make_volume() : nullptr;
}

void CPlayCtrlDlg::ReadSystemVolume() {
    const std::unique_ptr<VolumeControl> control = SystemVolume();
    if (!control) {
        return;
    }
    CMixer mixer(*control);
    if (mixer.IsReady()) {
        volume_slider_->SetPos(SliderPositionForVolume(mixer.GetVolume()));
    }
}

void CPlayCtrlDlg::WriteSystemVolume(int position) {
    volume_slider_->SetPos(std::clamp(position, 0, kVolumeSliderLast));
    if (const std::unique_ptr<VolumeControl> control = SystemVolume()) {
        CMixer(*control).SetVolume(VolumeAtSliderPosition(position));
    }
}

void CPlayCtrlDlg::OpenCard(bool show_message) {
    const std::string folder = FindCardFolder(services_.volumes);
    if (folder.empty()) {
        if (show_message) {
            services_.prompts.Inform(this, Tr("Record SD Card Not Find"));
        }
        return;
    }
    const std::vector<std::string> files = FindMatching(folder, "*.ts", EntryKind::kFile);
    if (files.empty()) {
        return;
    }
    const std::string path = folder + files.front();
    CFindFilePath list;
    list.ScanSync(path);
    if (list.Count() > 0) {
        OpenPath(path, &list);
    }
}

void CPlayCtrlDlg::OpenFile() {
    const QString path = services_.prompts.PickFileToOpen(
        this, Tr("Open File"),
        {QStringLiteral("ts file(*.ts);nts file(*.nts) (*.ts *.nts)"),
         QStringLiteral("All Files(*.*) (*)")});
    if (!path.isEmpty()) {
        OpenPath(path.toStdString(), nullptr);
    }
}

void CPlayCtrlDlg::DestroyChannel() {
    if (!channel_) {
        return;
    }
    // The bars let go of the channel before it goes.
    host_.BarsChannelChanged(nullptr);
    channel_.reset();
    sound_.reset();
}

void CPlayCtrlDlg::OpenPath(const std::string& path, const CFindFilePath* list) {
    host_.ShowPlaybackWindows(true);
    DestroyChannel();
    list_complete_ = false;
    services_.app.GpsText().ClearRecordReady();
    host_.StartNewRoute();

    sound_ = services_.make_sound ? services_.make_sound() : nullptr;
    CSettings& settings = Settings();
    ChannelPlatform platform;
    platform.messages = &services_.messages;
    platform.video_output = &host_.VideoTarget();
    platform.sound = sound_.get();
    platform.gps_text = &services_.app.GpsText();
    platform.display_mode = &settings.display_mode;
    platform.sound_amplification = &settings.sound_amplification;
    channel_ = std::make_unique<CTSChn>(platform);
    channel_->SetSource(path);
    // A recording that cannot be played shows nothing; there is nothing more to tell.
    channel_->Open(list);
    host_.BarsChannelChanged(channel_.get());
    SetSpeedSlider(kSpeedSliderMiddle);
}

void CPlayCtrlDlg::StopPlayback() {
    DestroyChannel();
    host_.BarsClear();
    host_.ShowPlaybackWindows(false);
}

void CPlayCtrlDlg::TogglePause() {
    if (channel_) {
        channel_->SetPause(!channel_->State().IsPaused());
    }
}

void CPlayCtrlDlg::PushGSensorSample() {
    history_.Push(services_.app.GSensor());
    Clock& clock = services_.clock != nullptr ? *services_.clock : SystemClock();
    if (throttle_.Due(clock.NowMs())) {
        Redraw(host_.LatestRecord());
    }
}

void CPlayCtrlDlg::Redraw(const GpsRecord& record) {
    speed_readout_->SetText(
        QString::fromStdString(SpeedText(record.speed, Settings().unit_of_speed)));
    DrawInstruments(record);
}

void CPlayCtrlDlg::DrawInstruments(const GpsRecord& record) {
    const PanelLayout& layout = PanelLayoutFor(ui_mode_);
    graph_ = DrawGSensorGraph(graph_background_, history_.Samples(), layout);
    compass_ = DrawCompass(compass_background_, needle_, record.course,
                           QString::fromStdString(LatitudeText(record.latitude)),
                           QString::fromStdString(LongitudeText(record.longitude)), layout);
    update(layout.graph);
    update(layout.compass);
}

void CPlayCtrlDlg::paintEvent(QPaintEvent* event) {
    CVxSkinDialog::paintEvent(event);
    const PanelLayout& layout = PanelLayoutFor(ui_mode_);
    QPainter painter(this);
    DrawVolumeBar(painter, volume_grey_, volume_green_, volume_slider_->GetPos(), layout, scale_);
    painter.drawPixmap(layout.graph, graph_);
    painter.drawPixmap(layout.compass, compass_);
}

void CPlayCtrlDlg::mousePressEvent(QMouseEvent* event) {
    // The panel is not dragged itself, but the main window is dragged by it.
    QWidget* top = window();
    if (event->button() == Qt::LeftButton && top != this && top->windowHandle() != nullptr) {
        top->windowHandle()->startSystemMove();
        return;
    }
    CVxSkinDialog::mousePressEvent(event);
}

void CPlayCtrlDlg::HandleMessage(const Message& message) {
    if (export_->Take(message)) {
        if (message.id == kMessageExportFinished) {
            OnExportFinished();
        } else {
            ShowExportState();
        }
        return;
    }
    switch (message.id) {
    case kMessagePosition:
        if (!position_slider_->IsDragging()) {
            position_slider_->SetPos(
                static_cast<int>(std::clamp<std::int64_t>(message.wparam, 0, 1000)));
        }
        break;
    case kMessageListComplete:
        list_complete_ = true;
        host_.BarsListComplete();
        break;
    default:
        break; // the scan's start, and what an export that was replaced still had to say
    }
}

void CPlayCtrlDlg::ShowOpenMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("openMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(Tr("Open SD Card")), &QAction::triggered, this,
            [this] { OpenCard(true); });
    connect(menu->addAction(Tr("Open File")), &QAction::triggered, this, [this] { OpenFile(); });
    menu->addSeparator();
    QAction* route = menu->addAction(Tr("Export Route..."));
    route->setEnabled(channel_ != nullptr);
    connect(route, &QAction::triggered, this, [this] { ExportRoute(false); });
    QAction* card_route = menu->addAction(Tr("Export Card Route..."));
    card_route->setEnabled(channel_ && list_complete_ && channel_->RecordingList().Count() > 0);
    connect(card_route, &QAction::triggered, this, [this] { ExportRoute(true); });
    // The card's settings and the map key have buttons of their own, but none in sight: the
    // menu is where a mouse reaches them.
    menu->addSeparator();
    connect(menu->addAction(Tr("SD Card Setup")), &QAction::triggered, this,
            [this] { RunSdCardSetup(); });
    connect(menu->addAction(Tr("Map Key")), &QAction::triggered, this, [this] { RunMapKey(); });
    menu->popup(QCursor::pos());
}

void CPlayCtrlDlg::TakeSnapshot() {
    if (!channel_) {
        return;
    }
    const CSettings& settings = Settings();
    channel_->RequestSnapshot(
        SnapshotBasePath(settings.snapshot_folder, std::time(nullptr), settings.image_type),
        SnapshotShotCount(settings.continuous_shooting_count));
}

void CPlayCtrlDlg::SavePlayingFile() {
    if (!channel_) {
        return;
    }
    const std::filesystem::path playing = channel_->CurrentPath();
    const QString folder = QString::fromStdString(playing.parent_path().string() + "/");
    const QString target = services_.prompts.PickFileToSave(
        this, Tr("Save The Playing File"), folder, {QStringLiteral("ts Files (*.ts)")});
    if (target.isEmpty()) {
        return;
    }
    const std::string failure = CopyPlayingFile(playing, target.toStdString());
    services_.prompts.Inform(this, failure.empty() ? target + " " + Tr("Finish Backup")
                                                   : target + " " + Tr("Backup failed") + ": " +
                                                         QString::fromStdString(failure));
}

void CPlayCtrlDlg::ExportRoute(bool whole_card) {
    if (!channel_ || (whole_card && !list_complete_)) {
        return;
    }
    RouteExportRequest request;
    request.first = channel_->CurrentPath();
    request.whole_card = whole_card;
    if (whole_card) {
        for (const RecordingEntry& entry : channel_->RecordingList().Entries()) {
            request.recordings.push_back(entry.path);
        }
        if (request.recordings.empty()) {
            return;
        }
        request.first = request.recordings.front();
    }
    // Named after the recording, or the card's folder, beside it.
    const std::filesystem::path first = request.first;
    const std::filesystem::path folder = first.parent_path();
    const std::filesystem::path name = whole_card ? folder.filename() : first.stem();
    const QString chosen = services_.prompts.PickFileToSave(
        this, Tr("Export Route"), QString::fromStdString((folder / name).string() + ".gpx"),
        {QStringLiteral("gpx Files (*.gpx)"), QStringLiteral("kml Files (*.kml)")});
    if (chosen.isEmpty()) {
        return;
    }
    request.output = WithDefaultExtension(chosen, ".gpx").toStdString();
    route_export_->Start(std::move(request));
}

void CPlayCtrlDlg::ExportClip() {
    if (!channel_ || !channel_->Marks().ExportAllowed()) {
        return;
    }
    const QString chosen = services_.prompts.PickFileToSave(
        this, Tr("Backup"), QString(),
        {QStringLiteral("avi Files(*.avi)"), QStringLiteral("nts file(*.nts)")});
    if (chosen.isEmpty()) {
        return;
    }
    const PlayState& state = channel_->State();
    ClipExportRequest request;
    request.output_path = WithDefaultExtension(chosen, ".avi").toStdString();
    request.frame_rate = static_cast<int>(state.PacingRate());
    request.width = state.VideoWidth();
    request.height = state.VideoHeight();
    request.range = channel_->Marks().Range();
    export_->Start(request);
    ShowExportState();
}

void CPlayCtrlDlg::ShowExportState() {
    CVxSkinButton* backup = buttons_[ButtonIndex(kBackupButton)];
    const bool running = export_->IsRunning();
    const int picture =
        running ? kBackupRunningPicture : kPanelButtons[ButtonIndex(kBackupButton)].picture;
    if (picture != backup_picture_) {
        backup->SetSkin(SkinPicture(picture), 0, 0, 0, false, false);
        backup->setGeometry(CommandButtonRect(ui_mode_, kBackupButton));
        backup_picture_ = picture;
    }
    backup->SetTooltip(
        running ? QStringLiteral("%1 %2 %").arg(Tr("Backup")).arg(export_->Thousandths() / 10)
                : Tr("Backup"));
    mark_bar_->SetProgress(running ? export_->Thousandths() : -1);
}

void CPlayCtrlDlg::OnExportFinished() {
    ShowExportState();
    if (const std::optional<BackupResult> result = export_->Result()) {
        const std::string text =
            FinishText(*result, [this](std::string_view key) { return Settings().Translate(key); });
        services_.prompts.Inform(this, QString::fromStdString(text));
    }
}

void CPlayCtrlDlg::RunConfig() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    CConfigDlg dialog(Settings(), services_.prompts, screen ? screen->size() : QSize(), this);
    if (dialog.exec() == QDialog::Accepted) {
        RefreshTooltips();
        RefreshUnitLabel();
    }
}

void CPlayCtrlDlg::RunSdCardSetup() {
    CDlgSDSet dialog({Settings(), services_.volumes, services_.formatter, services_.prompts,
                      channel_ ? channel_->CurrentPath() : std::string(),
                      [this] { StopPlayback(); }},
                     this);
    dialog.exec();
}

void CPlayCtrlDlg::RunMapKey() {
    CGenGMapKey dialog(Settings(), services_.prompts, this);
    dialog.exec();
}

void CPlayCtrlDlg::ToggleMute() {
    sound_on_ = !sound_on_;
    CVxSkinButton* mute = buttons_[ButtonIndex(kMuteButton)];
    const QPoint at = mute->pos();
    mute->SetSkin(
        SkinPicture(sound_on_ ? kPanelButtons[ButtonIndex(kMuteButton)].picture : kMutedPicture), 0,
        0, 0, false, false);
    mute->move(at);
}

void CPlayCtrlDlg::ShowPictureCount() {
    if (channel_) {
        picture_count_->setText(QString::number(channel_->TakePictureCount()));
    }
}

} // namespace korvex
