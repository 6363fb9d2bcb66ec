// The map view with its real pages in Qt WebEngine, offscreen and without internet: the bridge
// drives the page and the page's state is read back with scripts.

#include "positioning/qt/map_view.h"
#include "temp_dir.h"

#include <QApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QWebEnginePage>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace korvex {
namespace {

// One application for the whole program; a web engine that cannot start fails the tests.
class WebEngineEnvironment : public testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "map_view_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kWebEngine =
    testing::AddGlobalTestEnvironment(new WebEngineEnvironment);

// A GPS text at latitude 24°m' N and longitude 120°m' E with the given course.
std::string Fix(double lat_minutes, double lng_minutes, double course = 0) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "X:0 Y:0 Z:0 $GPRMC,092750.000,A,24%07.4f,N,120%07.4f,E,10.0,%.1f,150615,,,A*00",
                  lat_minutes, lng_minutes, course);
    return text;
}

double Degrees(double degrees, double minutes) {
    return degrees + minutes / 60;
}

QVariant Evaluate(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    QEventLoop loop;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!done) {
        loop.exec();
    }
    EXPECT_TRUE(done) << "the page did not answer: " << script.toStdString();
    return result;
}

// What the page has drawn: the route's points, the time lines, the visible markers by kind and
// the car's heading icon.
struct Drawing {
    QJsonArray points;
    int time_lines = 0;
    QStringList markers;
    QString car;
    QString last_video_time;
};

Drawing Drawn(QWebEnginePage* page) {
    const QString state = Evaluate(page, R"(JSON.stringify({
        points: route.getLatLngs().map(function (p) { return [p.lat, p.lng]; }),
        lines: timeLines.length,
        markers: markers.filter(function (m) { return map.hasLayer(m); })
                        .map(function (m) { return m.options.title; }),
        car: markers.filter(function (m) { return map.hasLayer(m) && m.options.title === "Car Point"; })
                    .map(function (m) { return m.options.icon.options.className; }).join(" "),
        videoTime: timeLines.length ? timeLines[timeLines.length - 1].videoTime : ""
    }))")
                              .toString();
    const QJsonObject object = QJsonDocument::fromJson(state.toUtf8()).object();
    Drawing drawing;
    drawing.points = object["points"].toArray();
    drawing.time_lines = object["lines"].toInt();
    for (const QJsonValue& kind : object["markers"].toArray()) {
        drawing.markers.push_back(kind.toString());
    }
    drawing.car = object["car"].toString().remove("korvex-marker").trimmed();
    drawing.last_video_time = object["videoTime"].toString();
    return drawing;
}

class MapView : public testing::Test {
protected:
    MapView() { setenv("XDG_CONFIG_HOME", user_.path().c_str(), 1); }

    // Opens the view with `config` as "Config.ini" and waits for its page.
    void Open(std::string_view config = "") {
        test::WriteFile(config_ / "Config.ini", config);
        view_ = std::make_unique<CMapView>(settings_, table_, g_sensor_, nullptr);
        view_->SetPosition(QRect(0, 0, 480, 320));
        view_->show();
        bool loaded = false;
        QEventLoop loop;
        QObject::connect(view_->Page(), &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
            loaded = ok;
            loop.quit();
        });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(loaded) << "the web engine did not load "
                            << view_->PageAddress().toString().toStdString();
        view_->SetIndex(0);
    }

    QWebEnginePage* Page() { return view_->Page(); }

    test::TempDir user_;
    test::TempDir config_;
    CSettings settings_{
        SettingsLocations{KORVEX_PROGRAM_FOLDER, config_ / "Config.ini", "/tmp/", 1033}};
    GpsOffsetTable table_;
    GSensorSample g_sensor_;
    std::unique_ptr<CMapView> view_;
};

TEST_F(MapView, TheInstalledPageDrawsTheRouteWithoutTiles) {
    Open();
    EXPECT_TRUE(view_->PageAddress().toLocalFile().endsWith("/bin/map/mapdlg.htm"));
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.6629, 31.7342)));
    Drawing drawing = Drawn(Page());
    EXPECT_EQ(drawing.points.size(), 1);
    EXPECT_EQ(drawing.time_lines, 0);
    EXPECT_EQ(drawing.markers, (QStringList{"Start Point", "Car Point"}));
    EXPECT_NEAR(drawing.points[0].toArray()[0].toDouble(), Degrees(24, 4.6629), 1e-9);

    Evaluate(Page(), "document.getElementById('videoTime').value = '00:01:05'");
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.7000, 31.8000)));
    drawing = Drawn(Page());
    EXPECT_EQ(drawing.points.size(), 2);
    EXPECT_EQ(drawing.time_lines, 1);
    EXPECT_EQ(drawing.last_video_time, "00:01:05");
    EXPECT_EQ(drawing.markers, (QStringList{"Start Point", "Car Point"}));

    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.7000, 31.8000))); // the same place again
    EXPECT_EQ(Drawn(Page()).points.size(), 2);

    // A fix at (0, 0) is no fix.
    Evaluate(Page(), "document.getElementById('map_lng').value = '0';"
                     "document.getElementById('map_lat').value = '0'; refreshMap();");
    EXPECT_EQ(Drawn(Page()).points.size(), 2);

    QEventLoop settle; // let the compositor catch up before the picture is taken
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();
    view_->grab().save(QString::fromStdString(
        (std::filesystem::path(KORVEX_SCREENSHOT_FOLDER) / "map_view_offline.png").string()));
    // Offline: a plain background and the note, but the route is there.
    EXPECT_EQ(Evaluate(Page(), "getComputedStyle(document.getElementById('tiles_note')).display")
                  .toString(),
              "block");
}

TEST_F(MapView, TheCarIconFollowsTheHeading) {
    Open();
    const struct {
        double course;
        const char* icon;
    } cases[] = {{0, "heading-N"},  {11, "heading-N"},    {12, "heading-NNE"},
                 {90, "heading-E"}, {349, "heading-NNW"}, {350, "heading-N"}};
    double minutes = 1;
    for (const auto& c : cases) {
        minutes += 0.01;
        ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(minutes, 31, c.course)));
        EXPECT_EQ(Drawn(Page()).car, c.icon) << c.course;
    }
}

TEST_F(MapView, OffsetsApplyOnRoadAndTerrainAndASwitchToSatelliteRestartsTheRoute) {
    Open("[Config]\nGPS_Offset_Auto=0\nGPS_Offset_X=0.001\nGPS_Offset_Y=0\n");
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.6, 31.7)));
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.7, 31.7)));
    Drawing drawing = Drawn(Page());
    ASSERT_EQ(drawing.points.size(), 2);
    EXPECT_NEAR(drawing.points[1].toArray()[0].toDouble(), Degrees(24, 4.7) + 0.001, 1e-9);

    auto switch_to = [this](const char* type) {
        Evaluate(Page(), QStringLiteral("for (var n in baseLayers) map.removeLayer(baseLayers[n]);"
                                        "map.addLayer(baseLayers.%1);")
                             .arg(type));
    };
    switch_to("terrain"); // same group: the route goes on
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.8, 31.7)));
    drawing = Drawn(Page());
    EXPECT_EQ(drawing.points.size(), 3);
    EXPECT_NEAR(drawing.points[2].toArray()[0].toDouble(), Degrees(24, 4.8) + 0.001, 1e-9);

    switch_to("satellite"); // the photo group with an offset: a new route, without offset
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.9, 31.7)));
    drawing = Drawn(Page());
    ASSERT_EQ(drawing.points.size(), 1);
    EXPECT_NEAR(drawing.points[0].toArray()[0].toDouble(), Degrees(24, 4.9), 1e-9);
    EXPECT_EQ(drawing.markers, (QStringList{"Start Point", "Car Point"}));
}

TEST_F(MapView, ANewRouteClearsTheMapAndStartsAgain) {
    Open();
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.6, 31.7)));
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.7, 31.7)));
    view_->SetIndex(1);
    Evaluate(Page(), "refreshMap()"); // status "clear"
    Drawing drawing = Drawn(Page());
    EXPECT_EQ(drawing.points.size(), 0);
    EXPECT_TRUE(drawing.markers.isEmpty());
    EXPECT_FALSE(view_->UpdateFromGpsText(1, "no fix here"));
    ASSERT_TRUE(view_->UpdateFromGpsText(1, Fix(5.0, 31.7)));
    drawing = Drawn(Page());
    EXPECT_EQ(drawing.points.size(), 1);
    EXPECT_EQ(drawing.markers, (QStringList{"Start Point", "Car Point"}));
}

TEST_F(MapView, WithoutAnInstalledPageTheBuiltInPageSaysItHasNoInternet) {
    Open("[Config]\nbaiduMap=1\n"); // there is no Baidu page
    EXPECT_EQ(view_->PageAddress().toString(), "qrc:/korvex/map/mapdlg.htm");
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.6, 31.7)));
    ASSERT_TRUE(view_->UpdateFromGpsText(0, Fix(4.7, 31.7)));
    EXPECT_EQ(Evaluate(Page(), "document.getElementById('map_canvas').textContent").toString(),
              "Internet connect fail!");
    EXPECT_EQ(Evaluate(Page(), "noInterNet && route === null && markers.length === 0").toBool(),
              true);
}

TEST_F(MapView, TheUsersOwnPageComesFirst) {
    test::WriteFile(
        user_ / "korvex/map/mapdlg.htm",
        "<html><body><input id=\"Index\"><script>function setMap() {}</script></body></html>");
    Open();
    EXPECT_EQ(view_->PageAddress().toLocalFile().toStdString(),
              (user_ / "korvex/map/mapdlg.htm").string());
}

TEST_F(MapView, PoppedOutItIsAWindowOfItsOwnAndClosingDocksIt) {
    QWidget main_window;
    main_window.resize(800, 600);
    main_window.show();
    test::WriteFile(config_ / "Config.ini", "");
    CMapView view(settings_, table_, g_sensor_, &main_window);
    view.SetPosition(QRect(10, 20, 300, 200));
    view.show();
    EXPECT_EQ(view.geometry(), QRect(10, 20, 300, 200));
    view.PopOut();
    EXPECT_TRUE(view.isWindow());
    EXPECT_EQ(view.size(), QSize(600, 420));
    view.close();
    EXPECT_FALSE(view.isWindow());
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.parentWidget(), &main_window);
    EXPECT_EQ(view.geometry(), QRect(10, 20, 300, 200));
}

} // namespace
} // namespace korvex
