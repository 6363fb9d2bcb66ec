#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace korvex {

// What a route export reads and where it writes: one recording, or a whole card from its first
// recording on.
struct RouteExportRequest {
    std::string first;                   // the recording to read (from)
    bool whole_card = false;             // read on through the recordings after it
    std::vector<std::string> recordings; // a whole card's, in order: its progress
    std::filesystem::path output;        // GPX, or KML for a ".kml" name
};

enum class RouteExportOutcome {
    kWritten,
    kNoFix,       // nothing written: not one accepted fix
    kUnreadable,  // the reader could not start
    kWriteFailed, // the file could not be written; one there before is left as it was
    kCancelled,   // nothing written
};

// Reads the route (positioning/route_reader.h) and writes it (positioning/route_file.h) on a
// thread of its own, so that the user interface stays live however long a card takes.
//
// Threading: construction, Cancel and destruction on the owner's thread; Thousandths and Done
// from any thread; Outcome once Done.
class RouteExport {
public:
    explicit RouteExport(RouteExportRequest request); // starts at once
    ~RouteExport() = default;                         // the thread's own: cancels, and waits for it
    RouteExport(const RouteExport&) = delete;
    RouteExport& operator=(const RouteExport&) = delete;

    // The route is dropped and nothing is written; Done follows soon.
    void Cancel() { thread_.request_stop(); }

    // Thousandths of the reading done: of the recording, or of the card by its recordings.
    int Thousandths() const { return thousandths_.load(); }
    bool Done() const { return done_.load(std::memory_order_acquire); }
    RouteExportOutcome Outcome() const { return outcome_; }

private:
    void Run(const std::stop_token& stop);
    void Progress(const std::string& recording, int position);

    const RouteExportRequest request_;
    std::atomic<int> thousandths_{0};
    RouteExportOutcome outcome_ = RouteExportOutcome::kCancelled; // the thread's until done_
    std::atomic<bool> done_{false};
    std::jthread thread_; // last: it starts once the rest is made
};

} // namespace korvex
