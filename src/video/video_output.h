#pragma once

// What a video output fills in: the far end of the presenter (video/presenter.h), which is the
// only caller. The video window is one output, the in-memory output of tests and korvex-cli
// another. An output shows whole pictures and stretches them over its whole area; it never
// sees decoding, pacing or colour conversion.
//
// Threading: the presenter belongs to one thread at a time (the video worker's while it runs,
// then the channel's after the worker has been joined), so these calls never overlap and each
// happens after the previous one has returned. They may come from different threads over an
// output's life; an output hands pictures to its own drawing thread by itself. An output must
// outlive every presenter that was initialised on it.

#include "video/video_surface.h"

#include <optional>

namespace korvex {

class VideoOutput {
public:
    struct Capabilities {
        // Takes kYuv420 pictures (and converts colour itself); kBgrx32 is always taken.
        bool yuv420 = false;
    };

    virtual ~VideoOutput() = default;

    // A presenter starts showing pictures of width x height here. Nothing when the output
    // cannot show pictures now: the presenter stays without a surface and the video worker
    // tries again with its next picture.
    virtual std::optional<Capabilities> Open(int width, int height) = 0;

    // The presenter stops using the output (picture size change, failure, end). What is on
    // show stays there until the next picture.
    virtual void Close() = 0;

    // A new complete picture, of the size given to Open, to be shown from now on. `picture` is
    // valid only during the call: the output copies what it keeps. False when the output has
    // failed; the presenter then closes it and opens it afresh before the next picture.
    virtual bool Show(const VideoSurface& picture) = 0;

    // Nothing has changed since the last Show; an output that keeps its picture on screen by
    // itself has nothing to do. False as for Show.
    virtual bool ShowAgain() = 0;
};

} // namespace korvex
