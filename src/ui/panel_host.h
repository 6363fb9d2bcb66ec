#pragma once

// What the play-control panel asks of the main window that holds it. The panel owns the
// channel and the commands; the main window owns the video window, the map view and the
// calendar with its bars. User-interface thread only.

#include "playback/ts_chn.h"
#include "positioning/gps_text_parser.h"
#include "video/video_output.h"

namespace korvex {

class PanelHost {
public:
    virtual ~PanelHost() = default;

    // The window a new channel draws into.
    virtual VideoOutput& VideoTarget() = 0;
    // The video window and the map view: shown when a channel opens, hidden when playback stops.
    virtual void ShowPlaybackWindows(bool shown) = 0;
    // Route counter + 1, then the map starts drawing under the new number.
    virtual void StartNewRoute() = 0;
    // The latest GPS record the map view's parser took (km/h, degrees).
    virtual const GpsRecord& LatestRecord() const = 0;
    // The Map command: shows the map view, or pops it out when it is already shown.
    virtual void MapCommand() = 0;

    // The calendar and the time bars follow the channel: it opened (null: it is gone).
    virtual void BarsChannelChanged(CTSChn* channel) = 0;
    // The channel's recording list is complete: marks, then the bars of the selected day.
    virtual void BarsListComplete() = 0;
    // Playback stopped: every cell grey, no day marked.
    virtual void BarsClear() = 0;
};

} // namespace korvex
