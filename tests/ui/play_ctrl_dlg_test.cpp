#include "app/korvex_app.h"
#include "camera/card_formatter.h"
#include "controls/digi_static.h"
#include "controls/skin_button.h"
#include "controls/skin_slider.h"
#include "engine/manual_clock.h"
#include "memory_volume.h"
#include "mkcard/card_writer.h"
#include "outside_judges.h"
#include "playback/ts_chn.h"
#include "positioning/gps_text_parser.h"
#include "recording_prompts.h"
#include "route_points.h"
#include "stream/find_file_path.h"
#include "temp_dir.h"
#include "translated_look.h"
#include "ui/main_window_layout.h"
#include "ui/panel_host.h"
#include "ui/panel_layout.h"
#include "ui/panel_mark_bar.h"
#include "ui/panel_readouts.h"
#include "ui/play_ctrl_dlg.h"
#include "ui/route_export_run.h"
#include "video/block_code.h"
#include "video/memory_video_output.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace korvex {
namespace {

namespace fs = std::filesystem;

// The main window as far as the panel asks of it: the video window is in memory, the map view
// is the record parsed last, and the rest is counted.
class FakeHost final : public PanelHost {
public:
    InMemoryVideoOutput output;
    GpsRecord record;
    bool shown = false;
    int routes = 0;
    int map_commands = 0;
    CTSChn* bars_channel = nullptr;
    int lists_complete = 0;
    int bars_cleared = 0;

    FakeHost() { output.KeepScreen(); }
    VideoOutput& VideoTarget() override { return output; }
    void ShowPlaybackWindows(bool show) override { shown = show; }
    void StartNewRoute() override { ++routes; }
    const GpsRecord& LatestRecord() const override { return record; }
    void MapCommand() override { ++map_commands; }
    void BarsChannelChanged(CTSChn* channel) override { bars_channel = channel; }
    void BarsListComplete() override { ++lists_complete; }
    void BarsClear() override { ++bars_cleared; }
};

// Delivers the workers' messages on the user-interface thread, as the program's sink does: the
// panel's to the panel, and the GPS texts handled as the main window handles them (the parser
// into the host's record, then the panel's sample push). Queued deliveries die with the sink.
class PanelSink final : public MessageSink {
public:
    PanelSink(CKorvexApp& app, FakeHost& host) : app_(app), host_(host) {}
    void SetPanel(CPlayCtrlDlg* panel) { panel_ = panel; }
    int NewRoutes() const { return new_routes_.load(); }
    int GpsTexts() const { return gps_texts_; }

    void Post(MessageTarget target, const Message& message) override {
        QMetaObject::invokeMethod(
            &context_, [this, target, message] { Deliver(target, message); }, Qt::QueuedConnection);
    }
    bool Send(MessageTarget, const Message&, std::stop_token) override {
        ++new_routes_;
        return true;
    }

private:
    void Deliver(MessageTarget target, const Message& message) {
        if (panel_ == nullptr) {
            return;
        }
        if (target == MessageTarget::kPanel) {
            panel_->HandleMessage(message);
        } else if (message.id == kMessageGpsText && app_.GpsText().IsRecordReady()) {
            GpsRecord& r = host_.record;
            ParseGpsText(app_.GpsText().Load(), app_.GSensor(), &r.latitude, &r.longitude, &r.speed,
                         &r.course);
            ++gps_texts_;
            panel_->PushGSensorSample();
        }
    }

    CKorvexApp& app_;
    FakeHost& host_;
    QPointer<CPlayCtrlDlg> panel_;
    QObject context_;
    std::atomic<int> new_routes_{0};
    int gps_texts_ = 0;
};

class NoVolumes final : public RemovableVolumes {
public:
    std::vector<std::string> mount_points;
    std::vector<std::string> MountPoints() const override { return mount_points; }
    bool WaitForChange(std::stop_token, std::chrono::milliseconds) override { return false; }
};

class NoFormatter final : public CardFormatter {
public:
    std::string WhyUnavailable() override { return "no disk service in tests"; }
    FormatResult Format(const std::string&) override { return {false, "not in tests"}; }
};

// Each control made for one use, over the one system volume of the test.
class SharedVolume final : public VolumeControl {
public:
    explicit SharedVolume(MemoryVolume& volume) : volume_(volume) {}
    bool FindOutput() override { return volume_.FindOutput(); }
    std::optional<unsigned> ReadVolume() override { return volume_.ReadVolume(); }
    bool WriteVolume(unsigned value) override { return volume_.WriteVolume(value); }

private:
    MemoryVolume& volume_;
};

// The card every test plays: three short recordings of tiny pictures, written once.
class Panel : public testing::Test {
protected:
    static void SetUpTestSuite() {
        card_dir_ = new test::TempDir;
        card_ = new mkcard::WrittenCard(
            mkcard::WriteCard(mkcard::TinyCard(3, 2, 10), card_dir_->path() / "card"));
    }
    static void TearDownTestSuite() {
        delete card_;
        delete card_dir_;
    }

    void TearDown() override { panel_.reset(); }

    void Make(int ui_mode = 1) {
        panel_ = std::make_unique<CPlayCtrlDlg>(
            nullptr, host_,
            PanelServices{app_,
                          sink_,
                          prompts_,
                          volumes_,
                          formatter_,
                          {},
                          [this] { return std::make_unique<SharedVolume>(system_volume_); },
                          &clock_},
            ui_mode);
        panel_->resize(LayoutFor(ui_mode).panel.size()); // as the main window places it
        sink_.SetPanel(panel_.get());
    }
    template <typename T = CVxSkinButton> T* Child(const QString& name) {
        T* child = panel_->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    void Press(int control) { Child(QStringLiteral("button%1").arg(control))->click(); }
    static std::string Recording(int index) {
        return card_->recordings.at(static_cast<std::size_t>(index)).path.string();
    }
    // A copy of the first recording alone in a folder, so that the reader stays in it.
    std::string LoneRecording() {
        fs::create_directories(dir_ / "lone");
        fs::copy_file(Recording(0), dir_ / "lone/REC_0001.ts");
        return (dir_ / "lone/REC_0001.ts").string();
    }
    void AwaitPictures() { QTRY_VERIFY_WITH_TIMEOUT(host_.output.ShowCount() > 0, 20000); }
    // The entry of a freshly opened Open menu, the menu left open.
    QAction* OpenMenuEntry(const QString& text) {
        Press(231);
        const QList<QMenu*> menus = panel_->findChildren<QMenu*>(QStringLiteral("openMenu"));
        for (QAction* action : menus.last()->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }

    static test::TempDir* card_dir_;
    static mkcard::WrittenCard* card_;

    test::TempDir dir_;
    CKorvexApp app_{
        SettingsLocations{dir_ / "program", dir_ / "program/Config.ini", dir_ / "Capture", 1033}};
    FakeHost host_;
    PanelSink sink_{app_, host_};
    test::RecordingPrompts prompts_;
    NoVolumes volumes_;
    NoFormatter formatter_;
    MemoryVolume system_volume_;
    ManualClock clock_{ManualClock::Mode::kStepped, 10000};
    std::unique_ptr<CPlayCtrlDlg> panel_;
};

test::TempDir* Panel::card_dir_ = nullptr;
mkcard::WrittenCard* Panel::card_ = nullptr;

TEST_F(Panel, VolumeSliderSetsTheSystemVolumeAndShowsItAtStart) {
    system_volume_.volume = 32767; // half way between the positions 13 and 14
    Make();
    auto* slider = Child<CVxSkinSldButton>("volumeSlider");
    EXPECT_EQ(slider->GetPos(), 13);
    const struct {
        int released;
        unsigned volume;
        int shown;
    } cases[] = {{0, 65529, 0}, {27, 0, 27}, {10, 41259, 10}, {40, 0, 27}, {-3, 65529, 0}};
    for (const auto& c : cases) {
        emit slider->released(2, c.released);
        EXPECT_EQ(system_volume_.volume, c.volume) << c.released;
        EXPECT_EQ(slider->GetPos(), c.shown) << c.released;
    }
}

TEST_F(Panel, ReadoutsShowTheLatestRecordAtMostEvery150Milliseconds) {
    app_.Settings().unit_of_speed = 2;
    Make();
    auto* speed = Child<CDigiStatic>("speedReadout");
    EXPECT_EQ(speed->Text(), "000");
    host_.record.speed = 18.52;
    panel_->PushGSensorSample();
    EXPECT_EQ(speed->Text(), " 10");

    host_.record.speed = 37.04;
    clock_.Advance(100);
    panel_->PushGSensorSample();
    clock_.Advance(50);
    panel_->PushGSensorSample();
    EXPECT_EQ(speed->Text(), " 10"); // 150 ms are not more than 150 ms
    clock_.Advance(1);
    panel_->PushGSensorSample();
    EXPECT_EQ(speed->Text(), " 20");
}

TEST_F(Panel, PlaysARecordingFollowsItAndStops) {
    Make();
    panel_->OpenPath(Recording(0), nullptr);
    ASSERT_NE(panel_->Channel(), nullptr);
    EXPECT_TRUE(host_.shown);
    EXPECT_EQ(host_.routes, 1);
    EXPECT_EQ(host_.bars_channel, panel_->Channel());

    AwaitPictures();
    QTRY_VERIFY_WITH_TIMEOUT(ReadBlockCode(host_.output.Screen()).has_value(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(Child<CVxSkinSldButton>("positionSlider")->GetPos() > 0, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(host_.lists_complete == 1, 20000);
    // The GPS texts reach the read-outs: the speed of a text the reader has passed.
    QTRY_VERIFY_WITH_TIMEOUT(sink_.GpsTexts() > 0, 20000);
    clock_.Advance(1000);
    panel_->PushGSensorSample();
    EXPECT_EQ(Child<CDigiStatic>("speedReadout")->Text().toStdString(),
              SpeedText(host_.record.speed, 0));

    Press(226); // Stop
    EXPECT_EQ(panel_->Channel(), nullptr);
    EXPECT_FALSE(host_.shown);
    EXPECT_EQ(host_.bars_channel, nullptr);
    EXPECT_EQ(host_.bars_cleared, 1);
}

TEST_F(Panel, PositionSliderFollowsTheReaderUnlessDragged) {
    Make();
    auto* slider = Child<CVxSkinSldButton>("positionSlider");
    panel_->HandleMessage({kMessagePosition, 250, 0});
    EXPECT_EQ(slider->GetPos(), 250);
    const QPoint thumb = slider->ThumbRect().center();
    QTest::mousePress(slider, Qt::LeftButton, {}, thumb);
    ASSERT_TRUE(slider->IsDragging());
    const int held = slider->GetPos();
    panel_->HandleMessage({kMessagePosition, 600, 0});
    EXPECT_EQ(slider->GetPos(), held);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, thumb);
    panel_->HandleMessage({kMessagePosition, 1000, 0});
    EXPECT_EQ(slider->GetPos(), 1000);
}

TEST_F(Panel, SpeedSliderAndThePlayCommands) {
    Make();
    panel_->OpenPath(LoneRecording(), nullptr);
    AwaitPictures();
    auto* slider = Child<CVxSkinSldButton>("speedSlider");
    const PlayState& state = panel_->Channel()->State();
    const int states[] = {10, 9, 8, 7, 1, 2, 3, 4, 5};
    for (int position = 0; position <= 9; ++position) {
        emit slider->released(3, position);
        EXPECT_EQ(state.Speed(), states[std::min(position, 8)]) << position;
        EXPECT_EQ(state.IsNormalSpeed(), position == 4) << position;
    }
    slider->SetPos(0);
    Press(235); // backward play
    EXPECT_EQ(state.Speed(), 7);
    EXPECT_EQ(slider->GetPos(), 4);
    slider->SetPos(8);
    Press(225); // play
    EXPECT_EQ(state.Speed(), 1);
    EXPECT_TRUE(state.IsNormalSpeed());
    EXPECT_EQ(slider->GetPos(), 4);

    panel_->TogglePause();
    EXPECT_TRUE(state.IsPaused());
    panel_->TogglePause();
    EXPECT_FALSE(state.IsPaused());
}

// Each tooltip names the keys that have its control's effect, the names translated as the
// command is.
TEST_F(Panel, TooltipsNameTheKeysOfTheirCommands) {
    test::WriteFile(dir_ / "program/Config.ini", "[Config]\nLanguage File=de_DE\n");
    test::WriteFile(dir_ / "program/Language/de_DE.ini",
                    "[Language String]\nPrevFile=Vorherige Aufnahme\nPage Up=Bild auf\n");
    app_.Prepare(1280, 800);
    Make();
    const struct {
        const char* child;
        const char* tooltip;
    } cases[] = {
        {"button217", "NextFrame (.)"},
        {"button216", "PreFrame (,)"},
        {"button230", "Pause (Space)"},
        {"button233", "Vorherige Aufnahme (Bild auf)"},
        {"button229", "NextFile (Page Down)"},
        {"button235", "BackWardPlay (b)"},
        {"button220", "SnapShot (s)"},
        {"button237", "Mark In (i)"},
        {"button238", "Mark Out (o)"},
        {"button225", "Play"},
        {"button226", "Stop"},
        {"button239", "Backup"},
        {"speedSlider", "Speed ([, ], Backspace)"},
        {"volumeSlider", "Volume (9, 0)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Child<QWidget>(QLatin1String(c.child))->toolTip().toStdString(), c.tooltip)
            << c.child;
    }
}

TEST_F(Panel, OpensTheCardWithItsList) {
    Make();
    panel_->OpenCard(true);
    panel_->OpenCard(false);
    EXPECT_EQ(prompts_.Messages(), QStringList{"Record SD Card Not Find"});
    EXPECT_EQ(panel_->Channel(), nullptr);

    volumes_.mount_points = {(card_dir_->path() / "card").string()};
    panel_->OpenCard(true);
    ASSERT_NE(panel_->Channel(), nullptr);
    EXPECT_EQ(panel_->Channel()->RecordingList().Count(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(host_.lists_complete == 1, 20000);
}

TEST_F(Panel, OpenMenuOpensTheCardOrAFile) {
    Make();
    Press(231);
    auto* menu = Child<QMenu>("openMenu");
    QStringList items;
    for (const QAction* action : menu->actions()) {
        items << action->text();
    }
    EXPECT_EQ(items, (QStringList{"Open SD Card", "Open File", "", "Export Route...",
                                  "Export Card Route...", "", "SD Card Setup", "Map Key"}));
    menu->actions()[0]->trigger();
    EXPECT_EQ(prompts_.Messages(), QStringList{"Record SD Card Not Find"});

    menu->actions()[1]->trigger(); // cancelled
    EXPECT_EQ(panel_->Channel(), nullptr);
    prompts_.openAnswer = QString::fromStdString(LoneRecording());
    menu->actions()[1]->trigger();
    ASSERT_NE(panel_->Channel(), nullptr);
    EXPECT_EQ(panel_->Channel()->SourcePath(), prompts_.openAnswer.toStdString());
    EXPECT_EQ(prompts_.shown.back().kind, "open");
}

TEST_F(Panel, SavesThePlayingFileWholeOrSaysWhyNot) {
    Make();
    const std::string playing = LoneRecording();
    panel_->OpenPath(playing, nullptr);
    AwaitPictures();
    const std::string saved = (dir_ / "saved.ts").string();
    const std::string missing = (dir_ / "no/saved.ts").string();
    const struct {
        std::string answer;
        QString message;
    } cases[] = {
        {saved, QString::fromStdString(saved + " Finish Backup")},
        {playing, QString::fromStdString(playing + " Backup failed: cannot copy " + playing +
                                         " onto itself")},
        {missing, QString::fromStdString(missing + " Backup failed: cannot write " + missing +
                                         ": No such file or directory")},
    };
    for (const auto& c : cases) {
        prompts_.shown.clear();
        prompts_.saveAnswer = QString::fromStdString(c.answer);
        Press(236);
        ASSERT_EQ(prompts_.shown.size(), 2u);
        EXPECT_EQ(prompts_.shown[0].kind, "save");
        EXPECT_EQ(prompts_.shown[1].text, c.message);
    }
    EXPECT_EQ(test::ReadFile(saved), test::ReadFile(Recording(0)));
    EXPECT_EQ(test::ReadFile(playing), test::ReadFile(Recording(0)));
}

TEST_F(Panel, ExportsTheMarkedClip) {
    Make();
    panel_->OpenPath(Recording(0), nullptr);
    AwaitPictures();
    Press(230); // pause
    Press(237); // mark in
    const ClipMarks& marks = panel_->Channel()->Marks();
    ASSERT_GE(marks.in.position, 0);
    prompts_.saveAnswer = QString::fromStdString((dir_ / "clip").string());
    Press(239);
    EXPECT_TRUE(prompts_.shown.empty()); // no mark-out: nothing happens

    Press(229); // next recording
    Press(225);
    QTRY_VERIFY_WITH_TIMEOUT(panel_->Channel()->CurrentPath() != marks.in.path, 20000);
    Press(238); // mark out
    ASSERT_TRUE(marks.ExportAllowed());

    Press(239);
    auto* backup = Child(QStringLiteral("button239"));
    auto* mark_bar = Child<PanelMarkBar>("markBar");
    // While it runs: the progress on the mark bar and in the tooltip.
    EXPECT_EQ(backup->toolTip(), "Backup 0 %");
    EXPECT_EQ(mark_bar->Progress(), 0);
    mark_bar->SetProgress(400); // as a progress message would, for the picture
    fs::create_directories(KORVEX_SCREENSHOT_DIR);
    EXPECT_TRUE(panel_->grab().save(KORVEX_SCREENSHOT_DIR "/panel_exporting.png"));
    QTRY_COMPARE_WITH_TIMEOUT(prompts_.Messages().size(), 1, 60000);
    const std::string clip = (dir_ / "clip.avi").string();
    EXPECT_EQ(prompts_.Messages().front().toStdString(), clip + " Finish Backup");
    EXPECT_EQ(backup->toolTip(), "Backup");
    EXPECT_EQ(mark_bar->Progress(), -1);

    const auto streams = test::ProbeStreams(clip);
    EXPECT_EQ(streams.at("streams.stream.0.codec_type"), "video");
    EXPECT_EQ(streams.at("streams.stream.0.width"), "96");
    EXPECT_EQ(streams.at("streams.stream.0.height"), "64");
    EXPECT_GT(std::stoi(streams.at("streams.stream.0.nb_read_packets")), 0);
}

// What a route export reads of the recordings: every text with a fix, but the last of the
// reading, which is complete only once a next text begins.
std::vector<mkcard::WrittenGpsText>
RouteTexts(const std::vector<const mkcard::WrittenRecording*>& recordings) {
    std::vector<mkcard::WrittenGpsText> texts;
    for (const mkcard::WrittenRecording* recording : recordings) {
        texts.insert(texts.end(), recording->gps.begin(), recording->gps.end());
    }
    texts.pop_back();
    std::erase_if(texts, [](const mkcard::WrittenGpsText& text) { return !text.fix; });
    return texts;
}

void ExpectRoute(const fs::path& file, const std::vector<mkcard::WrittenGpsText>& texts) {
    const auto points = test::ReadGpxPoints(QString::fromStdString(file.string()));
    ASSERT_TRUE(points) << file;
    ASSERT_EQ(points->size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_NEAR((*points)[i].latitude, texts[i].latitude, 1e-6) << i;
        EXPECT_NEAR((*points)[i].longitude, texts[i].longitude, 1e-6) << i;
        std::tm utc{};
        gmtime_r(&texts[i].utc, &utc);
        char time[32];
        std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%SZ", &utc);
        EXPECT_EQ((*points)[i].time.toStdString(), time) << i;
    }
}

// Export Route writes the track of the recording being played and Export Card Route that of the
// whole card, whose progress shows and may be cancelled; a recording without a fix is told so.
TEST_F(Panel, ExportsTheRouteOfTheRecordingOrOfTheCard) {
    Make();
    EXPECT_FALSE(OpenMenuEntry("Export Route...")->isEnabled()); // nothing plays
    EXPECT_FALSE(OpenMenuEntry("Export Card Route...")->isEnabled());

    panel_->OpenPath(LoneRecording(), nullptr);
    prompts_.saveAnswer = QString::fromStdString((dir_ / "lone").string()); // ".gpx" added
    OpenMenuEntry("Export Route...")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(prompts_.Messages().size(), 1, 20000);
    EXPECT_EQ(prompts_.shown.front().kind, "save");
    EXPECT_EQ(prompts_.shown.front().text, "Export Route");
    EXPECT_EQ(prompts_.Messages().back(), "Route saved to " + prompts_.saveAnswer + ".gpx");
    ExpectRoute(dir_ / "lone.gpx", RouteTexts({&card_->recordings[0]}));

    CFindFilePath list;
    list.ScanSync(Recording(0));
    panel_->OpenPath(Recording(0), &list);
    QTRY_VERIFY_WITH_TIMEOUT(OpenMenuEntry("Export Card Route...")->isEnabled(), 20000);
    fs::create_directories(KORVEX_SCREENSHOT_DIR);
    QMenu* menu = panel_->findChildren<QMenu*>(QStringLiteral("openMenu")).last();
    EXPECT_TRUE(menu->grab().save(KORVEX_SCREENSHOT_DIR "/panel_open_menu.png"));
    auto* run = panel_->findChild<RouteExportRun*>();
    ASSERT_NE(run, nullptr);
    // Cancelled at once: no file and no message.
    prompts_.saveAnswer = QString::fromStdString((dir_ / "cancelled.gpx").string());
    OpenMenuEntry("Export Card Route...")->trigger();
    ASSERT_NE(run->Progress(), nullptr);
    run->Progress()->findChild<QPushButton*>()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!run->IsRunning(), 20000);
    EXPECT_FALSE(fs::exists(dir_ / "cancelled.gpx"));
    EXPECT_EQ(prompts_.Messages().size(), 1);

    prompts_.saveAnswer = QString::fromStdString((dir_ / "card.gpx").string());
    OpenMenuEntry("Export Card Route...")->trigger();
    QProgressDialog* progress = run->Progress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->labelText(), "Reading the route of the card");
    progress->setValue(400); // as the reading would, for the picture
    EXPECT_TRUE(progress->grab().save(KORVEX_SCREENSHOT_DIR "/panel_route_progress.png"));
    QTRY_COMPARE_WITH_TIMEOUT(prompts_.Messages().size(), 2, 60000);
    EXPECT_EQ(run->Progress(), nullptr);
    EXPECT_EQ(prompts_.Messages().back(), "Route saved to " + prompts_.saveAnswer);
    ExpectRoute(dir_ / "card.gpx",
                RouteTexts({&card_->recordings[0], &card_->recordings[1], &card_->recordings[2]}));

    mkcard::CardOptions no_fix = mkcard::TinyCard(1, 2, 10);
    no_fix.no_fix[0] = {{0, 2}};
    const auto lost = mkcard::WriteCard(no_fix, dir_ / "no-fix");
    panel_->OpenPath(lost.recordings[0].path.string(), nullptr);
    prompts_.saveAnswer = QString::fromStdString((dir_ / "none.gpx").string());
    OpenMenuEntry("Export Route...")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(prompts_.Messages().size(), 3, 20000);
    EXPECT_EQ(prompts_.Messages().back(), "No GPS fix in this recording.");
    EXPECT_FALSE(fs::exists(dir_ / "none.gpx"));
}

TEST_F(Panel, ConfigOkRefreshesTheUnitLabelAndMapGoesToTheHost) {
    Make();
    auto* unit = Child<QWidget>("unitLabel");
    EXPECT_TRUE(unit->isHidden()); // km/h
    // The dialog is modal: it is answered from the event loop it runs.
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QComboBox*>("unitOfSpeed")->setCurrentIndex(2);
        dialog->findChild<QPushButton*>("ok")->click();
    });
    Press(234);
    EXPECT_EQ(app_.Settings().unit_of_speed, 2);
    EXPECT_FALSE(unit->isHidden());

    Press(232);
    EXPECT_EQ(host_.map_commands, 1);
}

TEST_F(Panel, SnapshotIsWrittenFromThePlayingRecording) {
    Make();
    app_.Settings().snapshot_folder = (dir_ / "shots").string();
    Press(220); // no channel: nothing
    panel_->OpenPath(LoneRecording(), nullptr);
    AwaitPictures();
    Press(220);
    // Until the shot has its name: it is written beside it first, under a temporary one.
    const auto shots = [&] {
        std::vector<fs::path> names;
        if (fs::exists(dir_ / "shots")) {
            for (const auto& entry : fs::directory_iterator(dir_ / "shots")) {
                if (entry.path().string().find(".tmp-") == std::string::npos) {
                    names.push_back(entry.path());
                }
            }
        }
        return names;
    };
    QTRY_VERIFY_WITH_TIMEOUT(!shots().empty(), 20000);
    EXPECT_EQ(shots().front().extension(), ".bmp");
}

// The panel as a driver sees it, in each UI mode, written for review; and the pens where the
// graph puts them.
TEST_F(Panel, LooksTheSameInEveryModeAndDrawsTheGraphWhereItBelongs) {
    const fs::path folder = KORVEX_SCREENSHOT_DIR;
    fs::create_directories(folder);
    for (int mode = 0; mode <= 2; ++mode) {
        SCOPED_TRACE(mode);
        app_.Settings().unit_of_speed = mode == 1 ? 0 : 2;
        Make(mode);
        for (int i = 0; i < 220; ++i) {
            app_.GSensor() = {1 + std::sin(i / 9.0), std::sin(i / 17.0) * 0.8, -1};
            panel_->PushGSensorSample();
        }
        host_.record = {-33.5, 151.2093, 64.8, 45};
        clock_.Advance(1000);
        panel_->PushGSensorSample();
        emit Child<CVxSkinSldButton>("volumeSlider")->released(2, 9);

        const QImage picture = panel_->grab().toImage();
        EXPECT_EQ(picture.size(), LayoutFor(mode).panel.size());
        ASSERT_TRUE(picture.save(QString::fromStdString(
            (folder / ("panel_mode" + std::to_string(mode) + ".png")).string())));
        // The last sample's z (-1) in blue at the newest column.
        const PanelLayout& layout = PanelLayoutFor(mode);
        const int last = static_cast<int>(GSensorHistory::CapacityFor(mode)) - 1;
        const QPoint newest =
            layout.graph.topLeft() +
            QPoint(layout.graph_left + last, layout.graph_zero + layout.graph_span / 5);
        EXPECT_EQ(picture.pixelColor(newest), QColor(0, 64, 255));
    }
}

// The tooltips as the desktop shows them, one under the other on the window's background.
QImage TooltipSheet(const QWidget& panel) {
    QList<QImage> tips;
    for (QWidget* control : panel.findChildren<QWidget*>()) {
        if (control->toolTip().isEmpty()) {
            continue;
        }
        QToolTip::showText(control->mapToGlobal(QPoint()), control->toolTip(), control);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->inherits("QTipLabel") && window->isVisible()) {
                tips << window->grab().toImage();
            }
        }
    }
    QToolTip::hideText();
    int width = 0;
    int height = 0;
    for (const QImage& tip : tips) {
        width = std::max(width, tip.width());
        height += tip.height() + 4;
    }
    QImage sheet(width + 8, height + 4, QImage::Format_RGB32);
    sheet.fill(QColor(0x12, 0x14, 0x18));
    QPainter painter(&sheet);
    int y = 4;
    for (const QImage& tip : tips) {
        painter.drawImage(4, y, tip);
        y += tip.height() + 4;
    }
    return sheet;
}

// The Open menu and the tooltips in each shipped language, written for review.
TEST_F(Panel, SpeaksEachShippedLanguageInItsMenuAndTooltips) {
    test::InstallShippedLanguages(dir_ / "program");
    app_.Settings().LoadLanguage();
    const fs::path folder = KORVEX_SCREENSHOT_DIR;
    fs::create_directories(folder);
    for (std::string_view code : test::kShippedLanguages) {
        SCOPED_TRACE(std::string(code));
        app_.Settings().language_chosen = *LanguageIndexOfCode(code);
        ASSERT_FALSE(app_.Settings().SaveLanguage());
        Make();
        Press(231);
        auto* menu = Child<QMenu>("openMenu");
        EXPECT_NE(menu->actions()[0]->text(), "Open SD Card");
        EXPECT_NE(Child(QStringLiteral("button225"))->toolTip(), "Play");
        const std::string name = "panel_texts_" + std::string(code);
        ASSERT_TRUE(
            menu->grab().save(QString::fromStdString((folder / (name + "_menu.png")).string())));
        ASSERT_TRUE(TooltipSheet(*panel_).save(
            QString::fromStdString((folder / (name + "_tooltips.png")).string())));
        menu->close();
    }
}

} // namespace
} // namespace korvex
