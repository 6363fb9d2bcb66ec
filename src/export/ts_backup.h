#pragma once

#include "app/message_sink.h"
#include "audio/aac_decoder.h"
#include "engine/reader_thread.h"
#include "export/avi_file.h"
#include "export/backup_result.h"
#include "export/block_reader.h"
#include "export/clip_marks.h"
#include "export/clip_progress.h"
#include "export/forward_pes_scan.h"
#include "export/output_file.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace korvex {

// Whether an export to `output_path` makes an AVI clip: the path ends in ".avi", in any case.
// Any other path makes a transport-stream clip (".nts", and also ".avi.ts").
bool IsAviOutput(const std::string& output_path);

// Exports the stretch between a mark-in and a mark-out point, which may span several
// consecutive recordings, on a thread of its own, independent of playback. It reads the
// recordings forward in the readers' 8192-byte blocks, moving on by the next-recording rule,
// and writes either
// - a transport-stream clip: the head of the mark-in recording (its first packets, up to and
//   with the program tables), then the blocks inside the marks byte for byte; or
// - an AVI clip (an output path ending in ".avi", in any case): every picture inside the marks
//   as one video frame, and the audio decoded to 16-bit mono PCM.
//
// It tells the panel through the message sink how far it is (kMessageExportProgress) and how it
// ended (kMessageExportFinished, once, whatever the end); Result() then has what the user is to
// be told. Nothing is shown from the export's thread.
//
// Threads: Begin, Stop and the destructor belong to the owner (the user-interface thread);
// IsRunning, Progress, Result and Id may be called from any thread. An object makes one export.
class CTSBackup {
public:
    // `sink` receives the messages for the panel; null when nobody listens.
    explicit CTSBackup(MessageSink* sink = nullptr);
    // Stops a running export (its output is closed, an AVI clip completed) and waits for it.
    ~CTSBackup();
    CTSBackup(const CTSBackup&) = delete;
    CTSBackup& operator=(const CTSBackup&) = delete;

    // Opens the output and starts the export of the marks. The clip is written beside the
    // output path and takes its name at the end, so that a file of that name stays whole until
    // the new clip exists: a clip that ends early is kept (kIncomplete, kStopped), a failed one
    // is dropped. `frame_rate`, `width` and `height` describe the pictures of an AVI clip.
    // False when the output is a recording of the clip (or a link to one), when the output or
    // the audio decoder cannot be opened or no thread can be started: the finish message
    // (kFailed) is posted and nothing is left open. Lists the folder of the recordings once.
    bool Begin(const std::string& output_path, int frame_rate, int width, int height,
               const std::string& mark_in_path, std::int64_t mark_in_position,
               const std::string& mark_out_path, std::int64_t mark_out_position);

    // Ends a running export at its next block (kStopped) and waits until it has.
    void Stop();

    bool IsRunning() const { return thread_.IsRunning(); }
    bool IsAviMode() const { return avi_mode_; }
    // The fraction of the bytes between the marks read so far, 0 to 1.
    double Progress() const { return progress_.load(); }
    // How the export ended; kRunning before.
    BackupResult Result() const;
    // Tells this export's messages from those of others (their lparam).
    std::int64_t Id() const { return id_; }

private:
    // What a step of the worker leads to.
    enum class Step { kGoOn, kComplete, kIncomplete, kFailed };
    static BackupOutcome Outcome(Step step);

    bool Start();
    void Run();
    bool OpenFile();
    Step NextRecording();
    Step TransportStreamBlock(std::span<const std::uint8_t> block);
    Step WriteHead();
    Step AviBlock(std::span<const std::uint8_t> block);
    bool Deliver(ForwardPesScan::Stream stream, std::span<const std::uint8_t> pes);
    bool WriteVideo(std::span<const std::uint8_t> pes);
    bool WriteAudio(std::span<const std::uint8_t> pes);
    // Copies the bytes [from, to) of the current recording to the transport-stream clip.
    bool CopyFromRecording(std::int64_t from, std::int64_t to);
    bool Write(std::span<const std::uint8_t> bytes);
    void ReportProgress();
    Step Fail(std::string error);
    bool FailBegin(std::string error);
    const std::string& CurrentPath() const { return chain_[current_]; }
    // Closes the output and tells how the export ended.
    void End(BackupOutcome outcome);
    void Publish(const BackupResult& result);

    MessageSink* const sink_;
    const std::int64_t id_;

    // Set by Begin, then read by the worker only.
    ClipRange range_;
    std::vector<std::string> chain_; // the recordings from the mark-in one to the mark-out one
    std::string output_path_;
    bool avi_mode_ = false;
    bool begun_ = false;

    // The worker's.
    CAviFile avi_;
    OutputFile output_;
    AacDecoder decoder_;
    BlockReader reader_;
    std::size_t current_ = 0; // in chain_
    ForwardPesScan scan_;
    const ForwardPesScan::Delivery deliver_;
    bool head_written_ = false;
    std::vector<std::uint8_t> carried_; // bytes after the head's packets, joining the next block
    ClipProgress clip_progress_;
    int thousandths_posted_ = -1;
    bool past_end_ = false;
    std::string error_;

    std::atomic<double> progress_ = 0;
    mutable std::mutex result_mutex_;
    BackupResult result_; // guarded by result_mutex_

    ReaderThread thread_; // last: it ends before the members its body uses go
};

} // namespace korvex
