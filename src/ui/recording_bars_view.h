#pragma once

#include "controls/grid_ctrl.h"
#include "controls/month_cal_ctrl_ex.h"
#include "ui/channel_bars.h"
#include "ui/time_bars.h"

#include <QObject>

namespace korvex {

// The widgets of the recording calendar and the four time bars, children of the main window.
// They show what `TimeBars` says and hand the user's clicks back to it.
class RecordingBarsView final : public QObject {
    Q_OBJECT

public:
    // Creates the grids 1019, 1022, 1020, 1023 and the calendar 1021 as children of `window`.
    RecordingBarsView(QWidget& window, int ui_mode, CalendarDate today);

    void Place();                     // at LayoutFor(ui_mode)'s rectangles; rebuilds the bars
    void SetChannel(CTSChn* channel); // null: playback stopped
    void ListComplete();              // marks the calendar, then fills the selected day
    void Clear();                     // every cell grey, no day marked
    CGridCtrl& Grid(BarGrid grid);
    CMonthCalCtrlEx& Calendar();
    const TimeBars& Bars() const;

private:
    void BuildBars();
    void BuildBar(BarGrid grid);
    void MarkCalendar();
    void RecolourMinutes();
    void RecolourHours();
    void Recolour(BarGrid grid);
    void OnDateChanged(QDate date);
    void OnHourClicked(BarGrid grid, int column);
    void OnMinuteClicked(BarGrid grid, int column);

    int ui_mode_;
    ChannelBars channel_;
    TimeBars bars_;
    CGridCtrl minutes_;
    CGridCtrl late_minutes_;
    CGridCtrl hours_;
    CGridCtrl late_hours_;
    CMonthCalCtrlEx calendar_;
};

} // namespace korvex
