#include "stream/frame_rate_meter.h"
#include "stream/pes_collector.h"
#include "stream/pes_header.h"
#include "stream/picture_search.h"
#include "ts_bytes.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::Bytes;
using test::MakePes;

TEST(ParsePesHeader, ReadsTheTimeStampsItCarries) {
    struct Case {
        std::optional<std::uint64_t> pts, dts;
        bool has_pts;
        double want_pts, want_dts;
    };
    const Case cases[] = {
        {90000, {}, true, 1.0, 0},
        {180000, 171000, true, 2.0, 1.9},
        {90000, 0, true, 1.0, 0},                         // a DTS of 0 is read as such
        {0x100001000, {}, true, 4096 / 90000.0, 0},       // bit 32 is lost
        {0x80000000, {}, true, -2147483648 / 90000.0, 0}, // bit 31 makes it negative
        {{}, {}, false, 0, 0},
    };
    for (const Case& c : cases) {
        const Bytes pes = MakePes(c.pts, c.dts, {0xAA, 0xBB});
        auto header = ParsePesHeader(pes);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->has_pts, c.has_pts);
        EXPECT_DOUBLE_EQ(header->pts, c.want_pts);
        EXPECT_DOUBLE_EQ(header->dts, c.want_dts);
        EXPECT_EQ(pes[header->payload_offset], 0xAA);
    }
}

TEST(ParsePesHeader, RejectsWhatIsNoCompletePes) {
    Bytes no_start_code = MakePes(90000, {}, {0xAA});
    no_start_code[2] = 0x02;
    Bytes stamps_cut_off = MakePes({}, {}, {0xAA, 0xBB});
    stamps_cut_off[7] = 0xC0; // claims PTS and DTS, holds two bytes after the header
    const Bytes cases[] = {
        {},
        {0x00, 0x00, 0x01},
        no_start_code,
        MakePes(90000, {}, {}), // nothing after the header
        stamps_cut_off,
    };
    for (const Bytes& pes : cases) {
        EXPECT_FALSE(ParsePesHeader(pes)) << pes.size();
    }
}

Bytes Nal(std::uint8_t header, std::size_t body = 12) {
    Bytes nal{0, 0, 0, 1, header};
    nal.resize(5 + body, 0x88);
    return nal;
}

// The same unit behind a three-byte start code.
Bytes ShortNal(std::uint8_t header, std::size_t body = 12) {
    Bytes nal = Nal(header, body);
    nal.erase(nal.begin());
    return nal;
}

TEST(FindPicture, FindsTheFirstSliceOrTheParameterSetBeforeIt) {
    struct Case {
        Bytes payload;
        std::optional<int> type;
        std::size_t offset;
    };
    const Bytes aud = Nal(0x09, 2);
    const Bytes sps = Nal(0x67, 7);
    const Bytes pps = Nal(0x68, 3);
    const Case cases[] = {
        {test::Concat({aud, Nal(0x65)}), kKeyPicture, aud.size()},
        {test::Concat({aud, sps, pps, Nal(0x65)}), kKeyPicture, aud.size()},
        {test::Concat({sps, pps, Nal(0x41)}), kOtherPicture, 0},
        {test::Concat({aud, Nal(0x01)}), kOtherPicture, aud.size()},
        {test::Concat({Nal(0x21), Nal(0x65)}), kOtherPicture, 0},
        {test::Concat({aud, Nal(0x06)}), {}, 0}, // delimiter and SEI only
        {test::Concat({sps, pps}), {}, 0},       // no slice after the set
        {test::Concat({Nal(0x46), Nal(0x27), Nal(0x61)}), kOtherPicture, 17},
        {Nal(0x65, 4), {}, 0}, // fewer than 10 bytes from the code
        {Nal(0x65, 5), kKeyPicture, 0},
        {test::Concat({Bytes(3, 0), Nal(0x65)}), kKeyPicture, 3},  // zeros before the code
        {test::Concat({Nal(0xE5), Nal(0x41)}), kOtherPicture, 17}, // forbidden bit: no header
        // Other reference bits.
        {test::Concat({aud, Nal(0x45)}), kKeyPicture, aud.size()},
        {test::Concat({aud, Nal(0x05)}), kKeyPicture, aud.size()},
        {test::Concat({aud, Nal(0x47, 7), Nal(0x48, 3), Nal(0x45)}), kKeyPicture, aud.size()},
        {test::Concat({Nal(0x07, 7), Nal(0x61)}), kOtherPicture, 0},
        // Three-byte start codes, first or after a four-byte one.
        {ShortNal(0x65, 9), kKeyPicture, 0},
        {test::Concat({aud, ShortNal(0x41)}), kOtherPicture, aud.size()},
        {test::Concat({aud, ShortNal(0x67, 7), ShortNal(0x68, 3), ShortNal(0x65)}), kKeyPicture,
         aud.size()},
        {test::Concat({sps, ShortNal(0x68, 3), ShortNal(0x65)}), kKeyPicture, 0},
        {test::Concat({ShortNal(0x09, 2), ShortNal(0x06), Nal(0x41)}), kOtherPicture, 22},
        {test::Concat({ShortNal(0x67, 7), ShortNal(0x68, 3)}), {}, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto picture = FindPicture(cases[i].payload);
        ASSERT_EQ(picture.has_value(), cases[i].type.has_value()) << i;
        if (picture) {
            EXPECT_EQ(picture->type, *cases[i].type) << i;
            EXPECT_EQ(picture->offset, cases[i].offset) << i;
        }
    }
}

TEST(FindPicture, GivesUpWhenTheStopIsRequested) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(FindPicture(Nal(0x65), stop.get_token()));
}

PesHeader WithPts(double seconds) {
    return PesHeader{9, true, seconds, 0};
}

// Offers the 32 time stamps of one measurement; the rate before it stays until the last one.
int MeasureWithSpacing(FrameRateMeter& meter, double spacing, double start = 10.0) {
    const int before = meter.FrameRate();
    for (int i = 0; i < 32; ++i) {
        EXPECT_FALSE(meter.Done()) << i;
        EXPECT_EQ(meter.FrameRate(), before) << i;
        meter.MeasureFrameRate(WithPts(start + i * spacing));
    }
    EXPECT_TRUE(meter.Done());
    return meter.FrameRate();
}

TEST(FrameRateMeter, RoundsToThirtyOrSixtyAfterThirtyIntervals) {
    struct Case {
        double spacing;
        int rate;
    };
    for (const Case& c : {Case{1 / 25.0, 30},
                          {1 / 30.0, 30},
                          {1 / 50.0, 60},
                          {1 / 60.0, 60},
                          {0.0, 30},
                          {-1 / 60.0, 30}}) {
        FrameRateMeter meter;
        EXPECT_EQ(meter.FrameRate(), 30);
        EXPECT_EQ(MeasureWithSpacing(meter, c.spacing), c.rate) << c.spacing;
    }
}

TEST(FrameRateMeter, CountsOnlyPesWithATimeStampAndKeepsTheRateOnRestart) {
    FrameRateMeter meter;
    meter.MeasureFrameRate(WithPts(0.0)); // counted only
    for (int i = 0; i < 100; ++i) {
        meter.MeasureFrameRate(PesHeader{9, false, 0, 0});
    }
    for (int i = 0; i < 31; ++i) {
        meter.MeasureFrameRate(WithPts(5.0 + i / 60.0));
    }
    ASSERT_TRUE(meter.Done());
    EXPECT_EQ(meter.FrameRate(), 60);
    meter.Restart();
    EXPECT_EQ(MeasureWithSpacing(meter, 1 / 30.0), 30);
}

TEST(PesCollector, GrowsForwardOrBackwardAndCutsAtTheEnds) {
    PesCollector collector;
    collector.Append(Bytes{1, 2});
    collector.Append(Bytes{3});
    EXPECT_EQ(Bytes(collector.Bytes().begin(), collector.Bytes().end()), (Bytes{1, 2, 3}));
    collector.Clear();
    collector.Prepend(Bytes{3});
    collector.Prepend(Bytes{1, 2});
    EXPECT_EQ(Bytes(collector.Bytes().begin(), collector.Bytes().end()), (Bytes{1, 2, 3}));

    collector.Clear();
    const Bytes big(PesCollector::kCapacity - 1, 7);
    collector.Append(big);
    collector.Append(Bytes{8, 9});
    EXPECT_EQ(collector.Bytes().size(), PesCollector::kCapacity);
    EXPECT_EQ(collector.Bytes().back(), 8);
    collector.Clear();
    collector.Prepend(big);
    collector.Prepend(Bytes{8, 9});
    EXPECT_EQ(collector.Bytes().size(), PesCollector::kCapacity);
    EXPECT_EQ(collector.Bytes().front(), 9);
}

} // namespace
} // namespace korvex
