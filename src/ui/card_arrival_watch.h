#pragma once

#include "stream/removable_volumes.h"

#include <QObject>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace korvex {

// True when the volume mounted at `mount_point` holds a camera's recordings: a "DCIM/*MEDIA"
// folder with a ".ts" file in it.
bool HoldsCardRecordings(const std::string& mount_point);

// Watches the removable volumes on a thread of its own. When a volume arrives and one of the
// volumes mounted then holds a camera's recordings (volumes mounted before the watch began are
// no arrival), `arrived` is called on `receiver`'s thread
// (queued). Removals are ignored.
//
// `volumes` must be an object of the watch's own: its wait compares against what it listed
// last, so a second user listing it would hide arrivals from the watch. The watch stops and
// joins its thread on destruction; `volumes` and `receiver` must outlive it.
class CardArrivalWatch {
public:
    CardArrivalWatch(RemovableVolumes& volumes, QObject* receiver, std::function<void()> arrived);
    CardArrivalWatch(const CardArrivalWatch&) = delete;
    CardArrivalWatch& operator=(const CardArrivalWatch&) = delete;

private:
    void Run(std::stop_token stop);

    RemovableVolumes& volumes_;
    QObject* receiver_;
    std::function<void()> arrived_;
    std::vector<std::string> known_; // the mount points as last seen; the watch thread's
    std::jthread thread_;            // last: started once everything it uses exists
};

} // namespace korvex
