#include "positioning/route_export.h"

#include "positioning/route_file.h"
#include "positioning/route_reader.h"

#include <algorithm>
#include <utility>

namespace korvex {

RouteExport::RouteExport(RouteExportRequest request)
    : request_(std::move(request)), thread_([this](const std::stop_token& stop) { Run(stop); }) {}

void RouteExport::Run(const std::stop_token& stop) {
    const auto points =
        ReadRoute({request_.first, request_.whole_card,
                   [this](const RouteText& text) { Progress(text.recording, text.position); }},
                  stop);
    if (stop.stop_requested()) {
        outcome_ = RouteExportOutcome::kCancelled;
    } else if (!points) {
        outcome_ = RouteExportOutcome::kUnreadable;
    } else if (points->empty()) {
        outcome_ = RouteExportOutcome::kNoFix;
    } else {
        outcome_ = WriteRouteFile(request_.output, *points) ? RouteExportOutcome::kWriteFailed
                                                            : RouteExportOutcome::kWritten;
    }
    thousandths_.store(1000);
    done_.store(true, std::memory_order_release);
}

void RouteExport::Progress(const std::string& recording, int position) {
    const auto& all = request_.recordings;
    const auto at = std::find(all.begin(), all.end(), recording);
    if (!request_.whole_card || at == all.end()) {
        thousandths_.store(position);
        return;
    }
    const auto index = static_cast<long>(at - all.begin());
    thousandths_.store(static_cast<int>((index * 1000 + position) / static_cast<long>(all.size())));
}

} // namespace korvex
