#pragma once

#include "app/g_sensor_sample.h"
#include "app/settings.h"
#include "positioning/gps_offset_table.h"
#include "positioning/gps_text_parser.h"
#include "positioning/map_page.h"

#include <string>
#include <string_view>

namespace korvex {

// The map bridge: keeps the live GPS record and the route number, and hands each accepted fix
// to the map page by writing the page's hidden inputs and calling its "refreshMap". It never
// draws; the page applies the offsets and draws the route.
//
// The page contract: inputs "map_lng", "map_lat", "offset_lng", "offset_lat", "map_status",
// "AngleBar", "Index", "default_lng", "default_lat" (and "SpeedBarText" where the page shows
// the speed) and the functions "setMap" and "refreshMap", both without arguments. Numbers are
// written as plain decimal text with a point, whatever the locale; the page reads them with
// parseFloat.
//
// User-interface thread only, like the settings, the offset table and the G-sensor sample it
// uses (all of which must outlive it).
class CMapDlg {
public:
    CMapDlg(CSettings& settings, const GpsOffsetTable& offsets, GSensorSample& g_sensor,
            MapPage& page);
    CMapDlg(const CMapDlg&) = delete;
    CMapDlg& operator=(const CMapDlg&) = delete;

    // The end of the view's initialisation: from now on script calls may reach a loaded page.
    void MarkInitialised() { initialised_ = true; }

    // The centre a newly loaded page starts at.
    void SetDefaultCentre(double latitude, double longitude);

    // Starts a new route: a number other than the current one clears the position, writes the
    // page's fields with status "clear" and route −1, then keeps `route`. Calls no script; the
    // page starts the route at the next fix.
    void SetIndex(int route);

    // Parses a GPS text (the G-sensor sample follows it whatever the result). False when it
    // holds no acceptable fix, and the page is left alone. A fix of another route is kept but
    // not drawn. Otherwise the fix becomes the configuration's default centre, the offsets are
    // taken ("GPS_Offset_Auto" = 1: the offset table; else "GPS_Offset_X" for the latitude and
    // "GPS_Offset_Y" for the longitude), the fields are written with status "running" and
    // "refreshMap" is called.
    bool UpdateFromGpsText(int route, std::string_view text);

    // Calls a page function; false, calling nothing, before the view is initialised or before a
    // page has loaded.
    bool CallScript(std::string_view name);

    const GpsRecord& Record() const { return record_; }
    double LongitudeOffset() const { return lng_offset_; }
    double LatitudeOffset() const { return lat_offset_; }
    const std::string& Status() const { return status_; }
    int Route() const { return route_; }

private:
    void OnPageLoaded();
    void WriteFields();
    void TakeOffsets();

    CSettings& settings_;
    const GpsOffsetTable& offsets_;
    GSensorSample& g_sensor_;
    MapPage& page_;

    GpsRecord record_;
    double lng_offset_ = 0;
    double lat_offset_ = 0;
    std::string status_ = "stopped";
    int route_ = -1;
    double default_longitude_ = 0;
    double default_latitude_ = 0;
    bool page_loaded_ = false;
    bool initialised_ = false;
};

// A number as the page reads it: the shortest plain decimal text that reads back as the same
// double, with a point ("24.07799", "0.001", "-120.5"); no exponent, no locale.
std::string PageNumber(double value);

} // namespace korvex
