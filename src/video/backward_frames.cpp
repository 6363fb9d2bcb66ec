#include "video/backward_frames.h"

#include <new>

namespace korvex {

std::optional<BackwardFrames::Shown> BackwardFrames::Queue(const PacketRecord& record,
                                                           const PicturePlanes& picture, int width,
                                                           int height) {
    // The last free frame is reused; it may hold the picture shown last, which has been
    // transferred by now.
    try {
        if (free_.empty()) {
            free_.emplace_back();
        }
        free_.back().picture.CopyYuv420(picture, width, height);
    } catch (const std::bad_alloc&) {
        return std::nullopt; // the picture is dropped
    }
    const auto frame = std::prev(free_.end());
    frame->record = record;
    frame->record.data = frame->picture.plane(0);
    if (record.type == kKeyPicture) {
        free_.splice(free_.end(), showing_);
        showing_.splice(showing_.end(), gathering_);
    }
    gathering_.splice(gathering_.end(), free_, frame);
    if (showing_.empty()) {
        return std::nullopt;
    }
    free_.splice(free_.end(), showing_, std::prev(showing_.end()));
    return Shown{free_.back().picture.Planes(), free_.back().record};
}

void BackwardFrames::Discard() {
    free_.splice(free_.end(), showing_);
    free_.splice(free_.end(), gathering_);
}

void BackwardFrames::Release() {
    Discard();
    free_.clear();
}

} // namespace korvex
