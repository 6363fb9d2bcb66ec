#include "ui/card_arrival_watch.h"

#include "stream/card_folder.h"

#include <QMetaObject>
#include <algorithm>
#include <chrono>

namespace korvex {

namespace {

// How long one wait lasts before the watch looks at its stop again; the wait also ends on stop.
constexpr std::chrono::seconds kWaitSlice(5);

bool AnyNew(const std::vector<std::string>& now, const std::vector<std::string>& before) {
    return std::ranges::any_of(now, [&](const std::string& mount) {
        return std::ranges::find(before, mount) == before.end();
    });
}

} // namespace

bool HoldsCardRecordings(const std::string& mount_point) {
    return !FindCardFolderOn(mount_point).empty();
}

CardArrivalWatch::CardArrivalWatch(RemovableVolumes& volumes, QObject* receiver,
                                   std::function<void()> arrived)
    : volumes_(volumes), receiver_(receiver), arrived_(std::move(arrived)),
      known_(volumes_.MountPoints()), thread_([this](std::stop_token stop) { Run(stop); }) {}

void CardArrivalWatch::Run(std::stop_token stop) {
    while (!stop.stop_requested()) {
        if (!volumes_.WaitForChange(stop, kWaitSlice)) {
            continue;
        }
        std::vector<std::string> now = volumes_.MountPoints();
        const bool arrival = AnyNew(now, known_);
        known_ = std::move(now);
        if (!arrival || !std::ranges::any_of(known_, HoldsCardRecordings)) {
            continue;
        }
        QMetaObject::invokeMethod(receiver_, arrived_, Qt::QueuedConnection);
    }
}

} // namespace korvex
