#include "export/ts_backup.h"

#include "stream/pes_header.h"
#include "stream/picture_search.h"
#include "stream/recording_lookup.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <filesystem>

namespace korvex {

namespace {

// The AVI audio stream is little-endian PCM, as the decoder's samples are on this machine.
static_assert(std::endian::native == std::endian::little);

std::atomic<std::int64_t> next_id{1};

constexpr std::size_t kCopyPiece = 1 << 16;

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

} // namespace

bool IsAviOutput(const std::string& output_path) {
    if (output_path.size() < 4) {
        return false;
    }
    std::string tail = output_path.substr(output_path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".avi";
}

CTSBackup::CTSBackup(MessageSink* sink)
    : sink_(sink), id_(next_id++),
      deliver_([this](ForwardPesScan::Stream stream, std::span<const std::uint8_t> pes) {
          return Deliver(stream, pes);
      }) {}

CTSBackup::~CTSBackup() {
    Stop();
}

bool CTSBackup::Begin(const std::string& output_path, int frame_rate, int width, int height,
                      const std::string& mark_in_path, std::int64_t mark_in_position,
                      const std::string& mark_out_path, std::int64_t mark_out_position) {
    if (begun_) {
        return false; // one export an object
    }
    begun_ = true;
    avi_mode_ = IsAviOutput(output_path);
    output_path_ = output_path;
    range_ = {mark_in_path, mark_in_position, mark_out_path, mark_out_position};
    {
        std::lock_guard lock(result_mutex_);
        result_.output_path = output_path;
    }
    chain_ = RecordingChain(mark_in_path, mark_out_path);
    if (chain_.empty()) {
        return FailBegin("no mark-in recording to export to " + output_path);
    }
    // Replacing a recording of the clip would destroy what is to be copied.
    if (std::ranges::any_of(chain_, [&](const std::string& recording) {
            return SameFile(output_path, recording);
        })) {
        return FailBegin("cannot write " + output_path + ": it is a recording of the clip");
    }
    if (avi_mode_) {
        if (!avi_.Create(output_path, width, height, frame_rate)) {
            return FailBegin(avi_.Error());
        }
    } else if (!output_.Create(output_path)) {
        return FailBegin(output_.Error());
    }
    current_ = 0;
    return Start();
}

bool CTSBackup::Start() {
    thread_.Stop();
    if (avi_mode_ && !decoder_.Open()) {
        avi_.Discard();
        return FailBegin("cannot open the AAC audio decoder for " + output_path_);
    }
    if (!thread_.Start([this] { Run(); })) {
        avi_.Discard();
        output_.Discard();
        return FailBegin("cannot start the export of " + output_path_);
    }
    return true;
}

void CTSBackup::Stop() {
    thread_.Stop();
}

BackupResult CTSBackup::Result() const {
    std::lock_guard lock(result_mutex_);
    return result_;
}

BackupOutcome CTSBackup::Outcome(Step step) {
    switch (step) {
    case Step::kComplete:
        return BackupOutcome::kFinished;
    case Step::kIncomplete:
        return BackupOutcome::kIncomplete;
    case Step::kFailed:
        return BackupOutcome::kFailed;
    case Step::kGoOn:
        break;
    }
    return BackupOutcome::kStopped;
}

void CTSBackup::Run() {
    clip_progress_.Measure(range_, chain_);
    Step step = OpenFile() ? Step::kGoOn : Step::kFailed;
    while (step == Step::kGoOn && thread_.IsRunning()) {
        const std::span<const std::uint8_t> block = reader_.Next();
        if (reader_.Failed()) {
            step = Fail(reader_.Error());
        } else if (block.empty()) {
            step = NextRecording();
        } else {
            step = avi_mode_ ? AviBlock(block) : TransportStreamBlock(block);
            ReportProgress();
        }
    }
    End(Outcome(step));
}

bool CTSBackup::OpenFile() {
    if (!reader_.Open(CurrentPath())) {
        Fail(reader_.Error());
        return false;
    }
    return true;
}

CTSBackup::Step CTSBackup::NextRecording() {
    const bool mark_out_ended = CurrentPath() == range_.out_path;
    const std::size_t next = current_ + 1;
    // A recording deleted since the export began ends the clip early, as the end of the
    // recordings does.
    if (mark_out_ended || next == chain_.size() || !std::filesystem::exists(chain_[next])) {
        // Nothing follows to complete what is collected: the end of the data completes it.
        if (avi_mode_) {
            scan_.Finish(deliver_);
        }
        if (!error_.empty()) {
            return Step::kFailed;
        }
        return mark_out_ended || past_end_ ? Step::kComplete : Step::kIncomplete;
    }
    current_ = next;
    return OpenFile() ? Step::kGoOn : Step::kFailed;
}

CTSBackup::Step CTSBackup::TransportStreamBlock(std::span<const std::uint8_t> block) {
    if (!head_written_) {
        return scan_.ScanForTables(block) ? WriteHead() : Step::kGoOn;
    }
    const std::int64_t position = reader_.Position();
    Step step = Step::kGoOn;
    if (range_.Inside(CurrentPath(), position)) {
        if (!Write(carried_) || !Write(block)) {
            step = Step::kFailed;
        }
    } else if (range_.PastEnd(CurrentPath(), position)) {
        step = Step::kComplete;
    }
    carried_.clear();
    return step;
}

// The head: the recording from its start through the packet that completed the program
// tables, so that the clip opens with them.
CTSBackup::Step CTSBackup::WriteHead() {
    const std::int64_t position = reader_.Position();
    const std::int64_t head_end =
        std::max<std::int64_t>(0, position - static_cast<std::int64_t>(scan_.Unscanned()));
    if (!CopyFromRecording(0, head_end)) {
        return Step::kFailed;
    }
    head_written_ = true;
    if (range_.Inside(CurrentPath(), position)) {
        // A clip from the very start: the rest of the head's block belongs to it as well.
        return CopyFromRecording(head_end, position) ? Step::kGoOn : Step::kFailed;
    }
    // The rest of the block is passed over; what framing leaves of it joins the next block.
    scan_.PassOver();
    const std::int64_t carried_from =
        std::max<std::int64_t>(0, position - static_cast<std::int64_t>(scan_.Unscanned()));
    carried_.resize(static_cast<std::size_t>(position - carried_from));
    if (reader_.ReadAt(carried_from, carried_) != carried_.size()) {
        return Fail("cannot read " + CurrentPath());
    }
    return Step::kGoOn;
}

CTSBackup::Step CTSBackup::AviBlock(std::span<const std::uint8_t> block) {
    if (scan_.Scan(block, deliver_)) {
        return Step::kGoOn;
    }
    return error_.empty() ? Step::kComplete : Step::kFailed;
}

bool CTSBackup::Deliver(ForwardPesScan::Stream stream, std::span<const std::uint8_t> pes) {
    const std::int64_t position = reader_.Position();
    if (!range_.Inside(CurrentPath(), position)) {
        past_end_ = range_.PastEnd(CurrentPath(), position);
        return !past_end_;
    }
    return stream == ForwardPesScan::Stream::kVideo ? WriteVideo(pes) : WriteAudio(pes);
}

bool CTSBackup::WriteVideo(std::span<const std::uint8_t> pes) {
    const std::optional<PesHeader> header = ParsePesHeader(pes);
    if (!header) {
        return true;
    }
    const std::span<const std::uint8_t> payload = pes.subspan(header->payload_offset);
    const std::optional<PictureStart> picture = FindPicture(payload);
    if (picture && !avi_.WriteVideo(payload.subspan(picture->offset))) {
        Fail(avi_.Error());
        return false;
    }
    return true;
}

bool CTSBackup::WriteAudio(std::span<const std::uint8_t> pes) {
    const std::optional<PesHeader> header = ParsePesHeader(pes);
    if (!header) {
        return true;
    }
    // Frame after frame: a PES may carry several.
    for (std::span<const std::uint8_t> rest = pes.subspan(header->payload_offset); !rest.empty();) {
        const AacDecoder::Result decoded = decoder_.Decode(rest);
        if (decoded.consumed <= 0) {
            return true; // what the decoder rejects is left out
        }
        rest = rest.subspan(static_cast<std::size_t>(decoded.consumed));
        const std::span<const std::uint8_t> pcm{
            reinterpret_cast<const std::uint8_t*>(decoded.samples.data()),
            decoded.samples.size_bytes()};
        if (!avi_.WriteAudio(pcm)) {
            Fail(avi_.Error());
            return false;
        }
    }
    return true;
}

bool CTSBackup::CopyFromRecording(std::int64_t from, std::int64_t to) {
    std::array<std::uint8_t, kCopyPiece> piece;
    while (from < to) {
        const auto wanted = static_cast<std::size_t>(
            std::min<std::int64_t>(to - from, static_cast<std::int64_t>(piece.size())));
        const std::size_t got = reader_.ReadAt(from, {piece.data(), wanted});
        if (got == 0) {
            Fail("cannot read " + CurrentPath());
            return false;
        }
        if (!Write({piece.data(), got})) {
            return false;
        }
        from += static_cast<std::int64_t>(got);
    }
    return true;
}

bool CTSBackup::Write(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || output_.Write(bytes)) {
        return true;
    }
    Fail(output_.Error());
    return false;
}

void CTSBackup::ReportProgress() {
    const double fraction = clip_progress_.At(CurrentPath(), reader_.Position());
    progress_.store(fraction);
    const int thousandths = static_cast<int>(fraction * 1000);
    if (thousandths != thousandths_posted_ && sink_ != nullptr) {
        thousandths_posted_ = thousandths;
        sink_->Post(MessageTarget::kPanel, {kMessageExportProgress, thousandths, id_});
    }
}

CTSBackup::Step CTSBackup::Fail(std::string error) {
    if (error_.empty()) {
        error_ = std::move(error);
    }
    return Step::kFailed;
}

bool CTSBackup::FailBegin(std::string error) {
    Fail(std::move(error));
    BackupResult result;
    result.outcome = BackupOutcome::kFailed;
    result.output_path = output_path_;
    result.error = error_;
    Publish(result);
    return false;
}

void CTSBackup::End(BackupOutcome outcome) {
    BackupResult result;
    result.output_path = output_path_;
    result.video_frames = avi_.VideoFrames();
    // A clip that ends early is kept, since what it holds plays; a failed one is dropped.
    if (error_.empty() && !(avi_mode_ ? avi_.Close() : output_.Close())) {
        Fail(avi_mode_ ? avi_.Error() : output_.Error());
    }
    result.bytes_written = avi_mode_ ? avi_.BytesWritten() : output_.Position();
    if (!error_.empty()) {
        avi_.Discard();
        output_.Discard();
    }
    reader_.Close();
    result.outcome = error_.empty() ? outcome : BackupOutcome::kFailed;
    result.error = error_;
    if (result.outcome == BackupOutcome::kFinished) {
        progress_.store(1.0);
        if (sink_ != nullptr && thousandths_posted_ != 1000) {
            sink_->Post(MessageTarget::kPanel, {kMessageExportProgress, 1000, id_});
        }
    }
    Publish(result);
}

void CTSBackup::Publish(const BackupResult& result) {
    {
        std::lock_guard lock(result_mutex_);
        result_ = result;
    }
    if (sink_ != nullptr) {
        sink_->Post(MessageTarget::kPanel,
                    {kMessageExportFinished, static_cast<std::int64_t>(result.outcome), id_});
    }
}

} // namespace korvex
