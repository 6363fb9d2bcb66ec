#include "positioning/map_dlg.h"

#include "app/decimal_text.h"

#include <charconv>

namespace korvex {

namespace {

constexpr std::string_view kConfig = "Config";

// The configuration's default centre is read as text of at most 19 characters.
double ReadCentreValue(const CSettings& settings, std::string_view key, std::string_view fallback) {
    return ParseDecimal(settings.ReadText(kConfig, key, fallback).substr(0, 19));
}

} // namespace

std::string PageNumber(double value) {
    char buffer[400]; // the longest fixed-point double, with its sign
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

CMapDlg::CMapDlg(CSettings& settings, const GpsOffsetTable& offsets, GSensorSample& g_sensor,
                 MapPage& page)
    : settings_(settings), offsets_(offsets), g_sensor_(g_sensor), page_(page) {
    record_.longitude = ReadCentreValue(settings_, "m_default_lng", "120.528903");
    record_.latitude = ReadCentreValue(settings_, "m_default_lat", "24.077715");
    default_longitude_ = record_.longitude;
    default_latitude_ = record_.latitude;
    page_.OnLoaded([this] { OnPageLoaded(); });
}

void CMapDlg::SetDefaultCentre(double latitude, double longitude) {
    default_latitude_ = latitude;
    default_longitude_ = longitude;
}

void CMapDlg::SetIndex(int route) {
    if (route == route_) {
        return;
    }
    route_ = -1;
    record_ = GpsRecord{};
    status_ = "clear";
    WriteFields();
    route_ = route;
}

bool CMapDlg::UpdateFromGpsText(int route, std::string_view text) {
    if (ParseGpsText(text, g_sensor_, &record_.latitude, &record_.longitude, &record_.speed,
                     &record_.course) == 0) {
        return false;
    }
    if (route != route_) {
        return true;
    }
    settings_.default_longitude = record_.longitude;
    settings_.default_latitude = record_.latitude;
    TakeOffsets();
    status_ = "running";
    WriteFields();
    CallScript("refreshMap");
    return true;
}

bool CMapDlg::CallScript(std::string_view name) {
    if (!initialised_ || !page_loaded_) {
        return false;
    }
    page_.CallFunction(name);
    return true;
}

void CMapDlg::OnPageLoaded() {
    page_loaded_ = true;
    page_.WriteValue("default_lng", FormatDecimal(default_longitude_));
    page_.WriteValue("default_lat", FormatDecimal(default_latitude_));
    CallScript("setMap");
}

void CMapDlg::TakeOffsets() {
    if (settings_.ReadInt(kConfig, "GPS_Offset_Auto", 1) == 1) {
        const OffsetGridEntry* entry = offsets_.Lookup(record_.longitude, record_.latitude);
        lng_offset_ = entry != nullptr ? entry->lng_offset : 0;
        lat_offset_ = entry != nullptr ? entry->lat_offset : 0;
        return;
    }
    lat_offset_ = ParseDecimal(settings_.ReadText(kConfig, "GPS_Offset_X", ""));
    lng_offset_ = ParseDecimal(settings_.ReadText(kConfig, "GPS_Offset_Y", ""));
}

// Before a page has loaded there is nothing to write into; the next fix writes every field.
void CMapDlg::WriteFields() {
    if (!page_loaded_) {
        return;
    }
    page_.WriteValue("map_lng", PageNumber(record_.longitude));
    page_.WriteValue("map_lat", PageNumber(record_.latitude));
    page_.WriteValue("offset_lng", PageNumber(lng_offset_));
    page_.WriteValue("offset_lat", PageNumber(lat_offset_));
    page_.WriteValue("map_status", status_);
    page_.WriteValue("SpeedBarText", PageNumber(record_.speed));
    page_.WriteValue("AngleBar", PageNumber(record_.course));
    page_.WriteValue("Index", std::to_string(route_));
}

} // namespace korvex
