#include "stream/find_file_path.h"

#include "stream/folder_search.h"
#include "stream/recording_lookup.h"

#include <algorithm>

namespace korvex {

CFindFilePath::CFindFilePath(MessageSink* sink) : sink_(sink) {}

CFindFilePath::~CFindFilePath() {
    Stop();
}

bool CFindFilePath::ScanAsync(const std::string& file_path) {
    Stop();
    entries_.clear();
    folder_path_ = file_path;
    return thread_.Start([this] { Run(); });
}

void CFindFilePath::ScanSync(const std::string& file_path) {
    Stop();
    entries_.clear();
    folder_path_ = file_path;
    Scan(FolderOf(folder_path_), [] { return true; });
}

void CFindFilePath::Stop() {
    thread_.Stop();
}

void CFindFilePath::Run() {
    if (NumberOf(folder_path_) < 0) {
        return;
    }
    if (sink_ != nullptr) {
        sink_->Post(MessageTarget::kPanel, {kMessageScanStarted});
    }
    Scan(FolderOf(folder_path_), [this] { return thread_.IsRunning(); });
    // A scan cut short by Stop has no complete list to announce.
    if (sink_ != nullptr && thread_.IsRunning()) {
        sink_->Post(MessageTarget::kPanel, {kMessageListComplete});
    }
}

template <typename More> void CFindFilePath::Scan(const std::string& folder, More more) {
    for (const std::string& name : FindMatching(folder, "*.ts", EntryKind::kFile)) {
        entries_.push_back(MakeRecordingEntry(folder + name));
        if (!more()) {
            break;
        }
    }
    std::stable_sort(
        entries_.begin(), entries_.end(),
        [](const RecordingEntry& a, const RecordingEntry& b) { return a.number < b.number; });
}

} // namespace korvex
