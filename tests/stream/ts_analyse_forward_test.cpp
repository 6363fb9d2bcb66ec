#include "reader_expectations.h"
#include "temp_dir.h"
#include "ts_bytes.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::ReaderRig;

// Where the reader is when it completes picture `i` of a recording read from its start: just
// after the block in which it frames the unit start of picture i + 1.
int PositionOf(const mkcard::WrittenRecording& r, int i) {
    const auto next = static_cast<std::int64_t>(r.picture_offsets[static_cast<std::size_t>(i + 1)]);
    const std::int64_t read =
        std::min<std::int64_t>(static_cast<std::int64_t>(r.size), ((next + 188) / 8192 + 1) * 8192);
    return static_cast<int>(read * 1000 / static_cast<std::int64_t>(r.size));
}

TEST(StreamReaderForward, DeliversEveryPictureAudioFrameAndGpsTextAcrossRecordings) {
    test::TempDir dir;
    auto first = mkcard::WriteCard(mkcard::TinyCard(1, 2, 10), dir.path()).recordings[0];
    mkcard::CardOptions sixty = mkcard::TinyCard(1, 1, 10);
    sixty.fps = 60;
    sixty.first_number = 2;
    auto second = mkcard::WriteCard(sixty, dir.path()).recordings[0];

    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(first.path.string()));
    // The last picture, audio frame and text of the last recording wait for a unit start that
    // never comes.
    const std::size_t pictures = static_cast<std::size_t>(first.pictures + second.pictures - 1);
    const std::size_t frames =
        static_cast<std::size_t>(first.audio_frames + second.audio_frames - 1);
    const std::size_t texts = first.gps.size() + second.gps.size() - 1;
    ASSERT_TRUE(rig.ConsumeUntil([&] {
        return rig.Pictures().size() >= pictures && rig.AudioFrames().size() >= frames &&
               rig.GpsTexts().size() >= texts;
    }));
    rig.ConsumeFor(300);
    EXPECT_EQ(rig.reader.CurrentPath(), second.path.string());
    rig.Finish();

    const auto taken = rig.Pictures();
    ASSERT_EQ(taken.size(), pictures);
    test::ExpectPicturesInOrder(taken, 0, first, 0, first.pictures);
    test::ExpectPicturesInOrder(taken, static_cast<std::size_t>(first.pictures), second, 0,
                                second.pictures - 1);
    for (int i = 0; i + 1 < first.pictures; ++i) {
        EXPECT_EQ(taken[static_cast<std::size_t>(i)].record.position, PositionOf(first, i)) << i;
    }
    // The frame rate: 30 until measured over 30 intervals; a new recording is measured afresh,
    // keeping the old rate meanwhile (its measurement starts with the last picture before it).
    for (std::size_t i = 0; i < taken.size(); ++i) {
        const int second_picture = static_cast<int>(i) - first.pictures;
        EXPECT_EQ(taken[i].record.frame_rate, second_picture >= 30 ? 60 : 30) << i;
    }
    EXPECT_EQ(rig.AudioFrames().size(), frames);
    for (const test::Taken& frame : rig.AudioFrames()) {
        EXPECT_EQ(frame.record.type, kAudioFrame);
        ASSERT_GE(frame.head.size(), 2u);
        EXPECT_EQ(frame.head[0], 0xFF); // an ADTS header
        EXPECT_EQ(frame.head[1] & 0xF0, 0xF0);
    }
    const auto seen = rig.GpsTexts();
    ASSERT_EQ(seen.size(), texts);
    for (std::size_t i = 0; i < texts; ++i) {
        const auto& written =
            i < first.gps.size() ? first.gps[i] : second.gps[i - first.gps.size()];
        EXPECT_EQ(seen[i].text, written.text) << i;
        EXPECT_TRUE(seen[i].ready) << i;
    }
    EXPECT_EQ(rig.NewRoutes(), 0); // moving on at the end is no new route
    const auto positions = rig.Positions();
    ASSERT_FALSE(positions.empty());
    EXPECT_NE(std::find(positions.begin(), positions.end(), 1000), positions.end());
}

// What other encoders and remuxers write: three-byte start codes after a picture's first NAL
// unit, other reference bits in the NAL headers (an IDR slice 0x45, a parameter set 0x47).
TEST(StreamReaderForward, ReadsPicturesWithShortStartCodesOrOtherReferenceBits) {
    struct Form {
        bool short_start_codes;
        int ref_idc;
    };
    for (const Form form : {Form{true, 0}, Form{false, 2}, Form{true, 2}}) {
        SCOPED_TRACE(testing::Message() << form.short_start_codes << " " << form.ref_idc);
        test::TempDir dir;
        mkcard::CardOptions options = mkcard::TinyCard(1, 1, 10);
        options.short_start_codes = form.short_start_codes;
        options.nal_ref_idc = form.ref_idc;
        const auto card = mkcard::WriteCard(options, dir.path()).recordings[0];
        ReaderRig rig;
        ASSERT_TRUE(rig.reader.Start(card.path.string()));
        const auto pictures = static_cast<std::size_t>(card.pictures - 1);
        ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= pictures; }));
        rig.Finish();
        // The picture starts at its first start code after the delimiter: a short one.
        test::ExpectPicturesInOrder(rig.Pictures(), 0, card, 0, card.pictures - 1,
                                    form.short_start_codes ? 3 : 4);
    }
}

// A video PES of picture `second` (its PTS in seconds), in transport packets of PID 0x1011.
test::Bytes VideoPackets(int second, const test::Bytes& payload) {
    const test::Bytes pes = test::MakePes(std::uint64_t(second) * 90000, {}, payload);
    std::vector<test::Bytes> packets;
    for (std::size_t at = 0; at < pes.size(); at += 184) {
        packets.push_back(test::MakePacket(
            0x1011, at == 0,
            test::Bytes(pes.begin() + static_cast<std::ptrdiff_t>(at),
                        pes.begin() +
                            static_cast<std::ptrdiff_t>(std::min(pes.size(), at + 184)))));
    }
    return test::Concat(packets);
}

test::Bytes Unit(std::uint8_t header, std::size_t body) {
    test::Bytes unit{0, 0, 0, 1, header};
    unit.resize(5 + body, 0x88);
    return unit;
}

// A picture the buffer cannot take whole, too large for it or cut at the end of the collection,
// is left out, and so are the pictures that need it until the next key picture.
TEST(StreamReaderForward, APictureLeftOutForItsSizeBreaksTheChain) {
    const test::Bytes too_large = Unit(0x41, 600000);
    // 600000 bytes of SEI, then a slice whose end lies past the 1 MiB the collection holds: what
    // is left of the picture would fit into the buffer.
    const test::Bytes cut = test::Concat({Unit(0x06, 600000), Unit(0x41, 500000)});
    for (const test::Bytes& third : {too_large, cut}) {
        SCOPED_TRACE(third.size());
        const test::Bytes file = test::Concat({
            test::MakePacket(0, true, test::MakePat({{1, 0x100}})),
            test::MakePacket(0x100, true, test::MakePmt(0x1011, {{0x1B, 0x1011}})),
            VideoPackets(1, Unit(0x65, 300)), VideoPackets(2, Unit(0x41, 300)),
            VideoPackets(3, third), VideoPackets(4, Unit(0x41, 300)),
            VideoPackets(5, Unit(0x65, 300)), VideoPackets(6, Unit(0x41, 300)),
            VideoPackets(7, Unit(0x65, 300)), // completes the one before; never completed itself
        });
        test::TempDir dir;
        const auto path =
            test::WriteFile(dir / "REC_0001.ts", std::string(file.begin(), file.end()));
        ReaderRig rig;
        ASSERT_TRUE(rig.reader.Start(path.string()));
        ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= 4; }));
        rig.ConsumeFor(200);
        rig.Finish();
        std::vector<double> seconds;
        for (const test::Taken& t : rig.Pictures()) {
            seconds.push_back(t.record.time_stamp);
        }
        EXPECT_EQ(seconds, (std::vector<double>{1, 2, 5, 6}));
    }
}

TEST(StreamReaderForward, QueuesAudioOnlyAtNormalSpeedAndStampsTheSpeed) {
    test::TempDir dir;
    auto card = mkcard::WriteCard(mkcard::TinyCard(1, 2, 10), dir.path()).recordings[0];
    struct Case {
        int speed;
        bool normal;
        int stamped;
        int frame_rate;
        bool keys_only;
    };
    for (const Case& c : {Case{2, false, 2, 30, false}, Case{0, true, 11, 30, false},
                          Case{11, true, 11, 2, true}}) {
        ReaderRig rig;
        rig.play.SetSpeed(c.speed);
        rig.play.SetNormalSpeed(c.normal);
        ASSERT_TRUE(rig.reader.Start(card.path.string()));
        const std::size_t want = c.keys_only ? static_cast<std::size_t>(card.pictures / card.gop)
                                             : static_cast<std::size_t>(card.pictures - 1);
        ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= want; }));
        rig.ConsumeFor(200);
        rig.Finish();
        EXPECT_EQ(rig.Pictures().size(), want) << c.speed;
        for (const test::Taken& t : rig.Pictures()) {
            EXPECT_EQ(t.record.speed, c.stamped) << c.speed;
            EXPECT_EQ(t.record.frame_rate, c.frame_rate) << c.speed;
            if (c.keys_only) {
                EXPECT_EQ(t.record.type, kKeyPicture);
            }
        }
        EXPECT_EQ(rig.AudioFrames().empty(), !c.normal) << c.speed;
    }
}

TEST(StreamReaderForward, SeeksOnceTheTablesAreKnownAndIgnoresOtherValues) {
    test::TempDir dir;
    auto card = mkcard::WriteCard(mkcard::TinyCard(1, 4, 10), dir.path()).recordings[0];
    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(card.path.string()));
    ReaderRig::Carried seek;
    // Asked for at once, before the reader can have read the tables.
    ASSERT_TRUE(rig.CarryOut([&] { rig.reader.Seek(500); }, seek));
    EXPECT_EQ(seek.position, 500 * static_cast<std::int64_t>(card.size) / 1000);
    EXPECT_FALSE(seek.gps_ready);
    const int first = test::NextKeyFrom(card, test::FirstPictureFrom(card, seek.position));
    ASSERT_TRUE(
        rig.ConsumeUntil([&] { return rig.Pictures().size() >= seek.pictures_before + 10; }));
    test::ExpectPicturesInOrder(rig.Pictures(), seek.pictures_before, card, first, 10);

    rig.reader.Seek(0);
    rig.reader.Seek(-5);
    const std::size_t before = rig.Pictures().size();
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= before + 20; }));
    rig.Finish();
    test::ExpectPicturesInOrder(rig.Pictures(), seek.pictures_before, card, first,
                                static_cast<int>(rig.Pictures().size() - seek.pictures_before));
    EXPECT_EQ(rig.NewRoutes(), 1);
}

TEST(StreamReaderForward, SwitchesToThePreviousNextAndRequestedRecording) {
    test::TempDir dir;
    const auto card = mkcard::WriteCard(mkcard::TinyCard(3, 2, 10), dir.path()).recordings;
    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(card[1].path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= 5; }));
    struct Step {
        std::function<void()> request;
        const mkcard::WrittenRecording& to;
    };
    const Step steps[] = {
        {[&] { rig.reader.Seek(kSeekNext); }, card[2]},
        {[&] { rig.reader.Seek(kSeekPrevious); }, card[1]},
        {[&] { rig.reader.RequestFile(card[0].path.string()); }, card[0]},
    };
    int routes = 0;
    for (const Step& step : steps) {
        ReaderRig::Carried carried;
        ASSERT_TRUE(rig.CarryOut(step.request, carried));
        EXPECT_EQ(carried.path, step.to.path.string());
        EXPECT_EQ(rig.NewRoutes(), ++routes);
        ASSERT_TRUE(
            rig.ConsumeUntil([&] { return rig.Pictures().size() >= carried.pictures_before + 5; }));
        test::ExpectPicturesInOrder(rig.Pictures(), carried.pictures_before, step.to, 0, 5);
    }
    rig.Finish();

    // There is no recording before the first: nothing happens. The reader is held in the first
    // half of it by a full buffer when it is asked.
    ReaderRig first;
    ASSERT_TRUE(first.reader.Start(card[0].path.string()));
    ASSERT_TRUE(first.AwaitFullBuffer());
    first.reader.Seek(kSeekPrevious);
    first.ConsumeFor(300);
    first.Finish();
    EXPECT_EQ(first.NewRoutes(), 0);
    EXPECT_EQ(first.Pictures().size(),
              static_cast<std::size_t>(card[0].pictures + card[1].pictures + card[2].pictures - 1));
}

TEST(StreamReaderForward, AStreamWithoutGpsTextsStillPlays) {
    test::TempDir dir;
    mkcard::CardOptions options = mkcard::TinyCard(1, 2, 10);
    options.no_gps = {0};
    const auto card = mkcard::WriteCard(options, dir.path()).recordings[0];
    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(card.path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] {
        return rig.Pictures().size() >= static_cast<std::size_t>(card.pictures - 1) &&
               rig.AudioFrames().size() >= static_cast<std::size_t>(card.audio_frames - 1);
    }));
    rig.Finish();
    EXPECT_EQ(rig.sink.Count(MessageTarget::kMainWindow, kMessageGpsText), 0);
    EXPECT_FALSE(rig.gps.IsRecordReady());
}

} // namespace
} // namespace korvex
