#pragma once

#include "engine/packet_record.h"
#include "video/picture_planes.h"
#include "video/video_surface.h"

#include <list>
#include <optional>

namespace korvex {

// The decoded pictures kept for backward play, which shows every group of pictures in reverse,
// one group behind the decoding. Each picture is copied into a frame buffer of its own (planar
// YUV 4:2:0 of the current picture size); frames move between three lists:
//   free      buffers ready for reuse;
//   gathering the group being decoded, in decoding order;
//   showing   the previous group, handed out from its end (last picture first).
// Buffers are allocated on demand and freed only by Release, so no more than two groups' worth
// exist. The video worker's thread only.
class BackwardFrames {
public:
    // A picture handed out for showing, with the record of the packet that produced it.
    struct Shown {
        PicturePlanes planes;
        PacketRecord record;
    };

    // Backward play: copies the decoded `picture` (width x height) of `record` into a frame.
    // A key picture first moves the gathering group to the showing list. Returns the picture to
    // show now, one of the showing group, last first; nothing while the showing list is empty
    // (the first group is only gathered) or when no buffer can be had. The returned planes stay
    // valid until the next Queue or Release.
    std::optional<Shown> Queue(const PacketRecord& record, const PicturePlanes& picture, int width,
                               int height);

    // Forward play or the end of a run: every queued picture goes back to the free list.
    void Discard();

    // Discard, then frees every buffer (before a change of picture size, and at the end).
    void Release();

private:
    struct Frame {
        PacketRecord record; // the packet that produced the picture; data -> the picture
        VideoSurface picture;
    };
    using Frames = std::list<Frame>;

    Frames free_;
    Frames gathering_;
    Frames showing_;
};

} // namespace korvex
