#pragma once

// H.264 through libx264 as a camera writes it: no B-pictures, a fixed group of pictures with an
// IDR picture first, SPS and PPS before every IDR picture, an access unit delimiter first and
// four-byte start codes before every NAL unit. On request as other encoders write it: other
// start codes and reference bits, B-pictures, colour signalling. Deterministic: one thread,
// fixed parameters.

#include "mkcard/av_handles.h"
#include "mkcard/yuv_view.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvex::mkcard {

struct AccessUnit {
    std::vector<uint8_t> bytes;
    bool idr = false;
    int64_t pts = 0; // the picture's number in display order
};

// How the access units spell their NAL units; the camera's form by default.
struct NalForm {
    // Three-byte start codes before every NAL unit after the first of a picture.
    bool short_start_codes = false;
    // 1-3: the reference bits (nal_ref_idc) of every NAL unit that has some; 0 keeps x264's.
    int ref_idc = 0;
};

// What the stream says of its pictures where other encoders differ from the camera: picture
// reordering and the colour signalling of the sequence parameters.
struct StreamForm {
    // B-pictures between reference pictures; the decoder then reorders (0: none, as a camera).
    int b_frames = 0;
    // Full-range samples (0-255), signalled so; decoders give them as yuvj420p.
    bool full_range = false;
    // The colour matrix written into the stream, an AVColorSpace value (2: unspecified).
    int colour_matrix = 2;
};

class H264Encoder {
public:
    H264Encoder(int width, int height, int fps, int gop, int crf, NalForm form = {},
                StreamForm stream = {});

    // The picture to paint next; valid until the next Encode.
    YuvView NextPicture();
    // Encodes the painted picture; returns the access units that came out (without B-pictures
    // no delay is configured, so normally exactly one).
    std::vector<AccessUnit> Encode();
    std::vector<AccessUnit> Flush();

private:
    std::vector<AccessUnit> Receive();

    CodecContextPtr context_;
    FramePtr frame_;
    PacketPtr packet_;
    NalForm form_;
    int64_t next_pts_ = 0;
};

// Rewrites an Annex B access unit with an access unit delimiter first and the start codes and
// reference bits of `form`; tells whether it holds an IDR slice.
AccessUnit NormaliseAccessUnit(const uint8_t* data, size_t size, const NalForm& form = {});

} // namespace korvex::mkcard
