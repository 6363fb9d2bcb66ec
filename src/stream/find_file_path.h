#pragma once

#include "app/message_sink.h"
#include "engine/reader_thread.h"
#include "stream/recording_entry.h"

#include <string>
#include <vector>

namespace korvex {

// The recordings of one folder, in ascending order of their numbers (files with the same
// number, or none, in no particular order among themselves). The channel fills one from a card
// (Append) or by a scan of the folder of a single opened file on a thread of its own
// (ScanAsync); opening a card builds one on the user-interface thread (ScanSync).
//
// Threads: every function belongs to the owning (user-interface) thread. While a ScanAsync runs,
// the owner must not read the list; it may again once the panel has the list-complete message,
// or after Stop.
class CFindFilePath {
public:
    // `sink` receives the scan-started and list-complete messages of ScanAsync (to the panel);
    // null when nobody listens.
    explicit CFindFilePath(MessageSink* sink = nullptr);
    ~CFindFilePath(); // stops a running scan and waits for it
    CFindFilePath(const CFindFilePath&) = delete;
    CFindFilePath& operator=(const CFindFilePath&) = delete;

    // Empties the list and lists the folder of `file_path` on a new thread: nothing at all when
    // the file's name carries no number; otherwise posts kMessageScanStarted, scans, sorts and
    // posts kMessageListComplete. A scan still running is stopped first. False when no thread
    // could be started.
    bool ScanAsync(const std::string& file_path);

    // Empties the list and lists the folder of `file_path` on the calling thread, sorted; no
    // messages.
    void ScanSync(const std::string& file_path);

    // Ends a running scan early (the file being read is still listed; the list-complete message
    // is not posted) and waits for it.
    void Stop();

    // Adds a copy of an entry of another list at the end (a card's list given to a channel).
    void Append(const RecordingEntry& entry) { entries_.push_back(entry); }

    int Count() const { return static_cast<int>(entries_.size()); }
    const RecordingEntry& Entry(int index) const {
        return entries_[static_cast<std::size_t>(index)];
    }
    const std::vector<RecordingEntry>& Entries() const { return entries_; }

private:
    void Run();
    // Lists every ".ts" file of `folder` while `more()` holds (the file in hand is finished).
    template <typename More> void Scan(const std::string& folder, More more);

    MessageSink* const sink_;
    std::string folder_path_; // the file path the scan was started with
    std::vector<RecordingEntry> entries_;
    ReaderThread thread_; // last, so that it ends before the members its body uses go
};

} // namespace korvex
