#include "reader_expectations.h"
#include "temp_dir.h"
#include "ts_bytes.h"

#include <gtest/gtest.h>
#include <map>

namespace korvex {
namespace {

using test::ReaderRig;

TEST(StreamReaderBackward, DeliversKeyPicturesInReverseIntoThePreviousRecording) {
    test::TempDir dir;
    const auto card = mkcard::WriteCard(mkcard::TinyCard(2, 4, 30), dir.path()).recordings;
    const mkcard::WrittenRecording& first = card[0];
    ReaderRig rig;
    rig.play.SetSpeed(kSpeedBackward);
    ASSERT_TRUE(rig.reader.Start(card[1].path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= 10; }));
    ReaderRig::Carried turn;
    ASSERT_TRUE(
        rig.CarryOut([&] { EXPECT_EQ(rig.reader.SetDirection(kBackward), kBackward); }, turn));
    EXPECT_EQ(rig.reader.Direction(), kBackward);
    const std::size_t frames = rig.AudioFrames().size();
    const std::size_t texts = rig.GpsTexts().size();
    // Near the start of the second recording nothing is read backward: the reader goes on at
    // the end of the first, whose key pictures come last first. The last 8192 bytes and the
    // first block are not read, so the key pictures at 0 s and in the last block do not come.
    std::vector<int> keys;
    for (int i = first.pictures - 1; i > 0; --i) {
        const auto offset =
            static_cast<std::int64_t>(first.picture_offsets[static_cast<std::size_t>(i)]);
        if (test::IsKey(first, i) && offset > 8192 &&
            offset + 188 * 20 < static_cast<std::int64_t>(first.size) - 8192) {
            keys.push_back(i);
        }
    }
    ASSERT_GE(keys.size(), 2u);
    ASSERT_TRUE(rig.ConsumeUntil(
        [&] { return rig.Pictures().size() >= turn.pictures_before + keys.size(); }));
    rig.ConsumeFor(300); // waits at the start of the first recording
    EXPECT_EQ(rig.reader.CurrentPath(), first.path.string());
    rig.Finish();

    const auto taken = rig.Pictures();
    std::vector<int> got;
    for (std::size_t i = turn.pictures_before; i < taken.size(); ++i) {
        EXPECT_EQ(taken[i].record.type, kKeyPicture);
        EXPECT_EQ(taken[i].record.frame_rate, 2);
        EXPECT_EQ(taken[i].record.speed, -kSpeedBackward);
        got.push_back(test::PictureOf(first, taken[i]));
    }
    EXPECT_EQ(got, keys);
    EXPECT_EQ(rig.NewRoutes(), 1);
    // Backward no sound and no texts are queued.
    EXPECT_EQ(rig.AudioFrames().size(), frames);
    EXPECT_EQ(rig.GpsTexts().size(), texts);
}

TEST(StreamReaderBackward, AChangeToForwardDeliversFromTheSecondKeyPictureOn) {
    test::TempDir dir;
    const auto card = mkcard::WriteCard(mkcard::TinyCard(1, 4, 10), dir.path()).recordings[0];
    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(card.path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= 80; }));
    ReaderRig::Carried back;
    ASSERT_TRUE(rig.CarryOut([&] { rig.reader.SetDirection(kBackward); }, back));
    ASSERT_TRUE(
        rig.ConsumeUntil([&] { return rig.Pictures().size() >= back.pictures_before + 2; }));
    ReaderRig::Carried forward;
    ASSERT_TRUE(
        rig.CarryOut([&] { EXPECT_EQ(rig.reader.SetDirection(kForward), kForward); }, forward));
    ASSERT_TRUE(
        rig.ConsumeUntil([&] { return rig.Pictures().size() >= forward.pictures_before + 5; }));
    rig.Finish();

    EXPECT_GT(forward.position, 0);
    EXPECT_LT(forward.position, back.position);
    const int skipped_key = test::NextKeyFrom(card, test::FirstPictureFrom(card, forward.position));
    const int first = test::NextKeyFrom(card, skipped_key + 1);
    test::ExpectPicturesInOrder(rig.Pictures(), forward.pictures_before, card, first, 5);
    EXPECT_EQ(rig.NewRoutes(), 2); // one for each change, seek included
}

// Backward play of a 60 fps card crosses into the previous recording, whose falling time stamps
// must not be taken for a frame rate: Play then runs at 60 again.
TEST(StreamReaderDirection, KeepsTheForwardFrameRateThroughBackwardPlay) {
    test::TempDir dir;
    mkcard::CardOptions options = mkcard::TinyCard(2, 2, 10);
    options.fps = 60;
    const auto card = mkcard::WriteCard(options, dir.path()).recordings;
    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(card[1].path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= 40; }));
    ASSERT_EQ(rig.Pictures().back().record.frame_rate, 60);
    rig.play.SetSpeed(kSpeedBackward);
    ReaderRig::Carried back;
    ASSERT_TRUE(rig.CarryOut([&] { rig.reader.SetDirection(kBackward); }, back));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.reader.CurrentPath() == card[0].path; }));
    rig.ConsumeFor(500); // all of the first recording, back to its start
    rig.play.SetSpeed(kSpeedNormal);
    ReaderRig::Carried forward;
    ASSERT_TRUE(rig.CarryOut([&] { rig.reader.SetDirection(kForward); }, forward));
    ASSERT_TRUE(
        rig.ConsumeUntil([&] { return rig.Pictures().size() >= forward.pictures_before + 5; }));
    rig.Finish();
    const auto taken = rig.Pictures();
    for (std::size_t i = forward.pictures_before; i < taken.size(); ++i) {
        EXPECT_EQ(taken[i].record.frame_rate, 60) << i;
    }
}

// Wherever a seek puts the backward scan, it starts inside some PES whose later bytes it never
// reads: that one is left out, not delivered cut short.
TEST(StreamReaderBackward, AfterSeeksDeliversOnlyWholeKeyPictures) {
    test::TempDir dir;
    const auto card = mkcard::WriteCard(mkcard::TinyCard(1, 4, 5), dir.path()).recordings[0];
    std::map<int, int> whole_size; // of each picture, as reading forward delivers it
    {
        ReaderRig forward;
        ASSERT_TRUE(forward.reader.Start(card.path.string()));
        ASSERT_TRUE(forward.ConsumeUntil([&] {
            return forward.Pictures().size() + 1 >= static_cast<std::size_t>(card.pictures);
        }));
        forward.Finish();
        for (const test::Taken& t : forward.Pictures()) {
            whole_size[test::PictureOf(card, t)] = t.record.size;
        }
    }
    ReaderRig rig;
    rig.play.SetSpeed(kSpeedBackward);
    ASSERT_TRUE(rig.reader.Start(card.path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.reader.TablesReady(); }));
    ReaderRig::Carried turn;
    ASSERT_TRUE(rig.CarryOut([&] { rig.reader.SetDirection(kBackward); }, turn));
    for (int position = 1000; position > 0; position -= 7) {
        rig.reader.Seek(position);
        rig.ConsumeFor(10);
    }
    rig.Finish();
    int backward = 0;
    for (const test::Taken& t : rig.Pictures()) {
        if (t.record.speed < 0) {
            ++backward;
            const int picture = test::PictureOf(card, t);
            EXPECT_EQ(t.record.size, whole_size[picture]) << picture;
        }
    }
    EXPECT_GT(backward, 20);
}

// Play pressed during backward play and a recording chosen before the reader took either: the
// chosen recording is read forward from its first picture, none of it skipped.
TEST(StreamReaderDirection, ARecordingChosenWhileAChangeIsPendingIsReadInTheNewDirection) {
    test::TempDir dir;
    const auto card = mkcard::WriteCard(mkcard::TinyCard(3, 2, 10), dir.path()).recordings;
    ReaderRig rig;
    rig.play.SetSpeed(kSpeedBackward);
    ASSERT_TRUE(rig.reader.Start(card[1].path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return !rig.Pictures().empty(); }));
    ReaderRig::Carried back;
    ASSERT_TRUE(rig.CarryOut([&] { rig.reader.SetDirection(kBackward); }, back));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() > back.pictures_before; }));

    // The reader waits in the send of a seek while both requests come.
    rig.sink.HoldSends();
    rig.reader.Seek(500);
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.sink.SendIsWaiting(); }));
    rig.play.SetSpeed(kSpeedNormal);
    EXPECT_EQ(rig.reader.SetDirection(kForward), kForward);
    rig.reader.RequestFile(card[0].path.string());
    rig.Consume();
    const std::size_t before = rig.Pictures().size();
    rig.sink.ReleaseSends();
    // Every picture of the card from there, but its very last.
    const std::size_t rest =
        static_cast<std::size_t>(card[0].pictures + card[1].pictures + card[2].pictures - 1);
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.Pictures().size() >= before + rest; }));
    rig.ConsumeFor(300);
    rig.Finish();

    EXPECT_EQ(rig.Pictures().size() - before, rest);
    test::ExpectPicturesInOrder(rig.Pictures(), before, card[0], 0, card[0].pictures);
}

TEST(StreamReaderDirection, UnknownTablesOrTheSameDirectionChangeNothing) {
    test::TempDir dir;
    const std::string garbage = (dir / "REC_0001.ts").string();
    test::WriteFile(garbage, std::string(50000, '\x47'));
    const auto card = mkcard::WriteCard(mkcard::TinyCard(1, 1, 10), dir.path()).recordings[0];

    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(garbage));
    rig.ConsumeFor(200);
    EXPECT_EQ(rig.reader.SetDirection(kBackward), -1);
    EXPECT_EQ(rig.reader.Direction(), kForward);
    ASSERT_TRUE(rig.reader.Start(card.path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.reader.TablesReady(); }));
    EXPECT_EQ(rig.reader.SetDirection(kForward), kForward);
    rig.ConsumeFor(200);
    rig.Finish();
    EXPECT_EQ(rig.NewRoutes(), 0);
}

// Files that must neither crash nor stall the reader, forward or backward.
TEST(StreamReaderRobustness, DamagedAndOddFilesNeitherCrashNorHang) {
    test::TempDir dir;
    mkcard::CardOptions options = mkcard::TinyCard(3, 2, 10);
    options.damage.truncate = {0};
    options.damage.garbage = {1};
    options.damage.garbage_every = 7;
    options.damage.transport_error = {2};
    options.damage.error_every = 5;
    const auto card = mkcard::WriteCard(options, dir.path()).recordings;
    const std::string bytes = test::ReadFile(card[2].path);
    struct Case {
        std::string path;
        bool plays;
    };
    const Case cases[] = {
        {card[0].path.string(), true},
        {card[1].path.string(), true},
        {card[2].path.string(), true},
        {test::WriteFile(dir / "notes.ts", bytes).string(), true}, // no number
        {test::WriteFile(dir / "x/REC_0001.ts", "").string(), false},
        {test::WriteFile(dir / "y/REC_0001.ts", bytes.substr(0, 12000)).string(), true},
        {(dir / "z/REC_0001.ts").string(), false}, // missing
    };
    for (const Case& c : cases) {
        ReaderRig rig;
        ASSERT_TRUE(rig.reader.Start(c.path));
        rig.ConsumeFor(300);
        if (c.plays) {
            EXPECT_FALSE(rig.Pictures().empty()) << c.path;
            ReaderRig::Carried back;
            EXPECT_TRUE(rig.CarryOut([&] { rig.reader.SetDirection(kBackward); }, back)) << c.path;
            rig.ConsumeFor(300);
        }
        rig.Finish();
        for (const test::Taken& t : rig.Pictures()) {
            EXPECT_TRUE(t.record.type == kKeyPicture || t.record.type == kOtherPicture);
        }
    }
}

TEST(StreamReaderStop, EndsWhileTheReaderWaitsInANewRouteSend) {
    test::TempDir dir;
    const auto card = mkcard::WriteCard(mkcard::TinyCard(1, 2, 10), dir.path()).recordings[0];
    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(card.path.string()));
    rig.sink.HoldSends();
    rig.reader.Seek(500);
    ASSERT_TRUE(rig.ConsumeUntil([&] { return rig.sink.SendIsWaiting(); }));
    rig.Finish(); // would never return if the send held on
    EXPECT_EQ(rig.NewRoutes(), 1);
}

TEST(StreamReaderGps, KeepsAtMost2047BytesOfAText) {
    using test::Bytes;
    const Bytes text(3000, 'A');
    Bytes gps = test::MakePes(90000, {}, text);
    gps[3] = 0xBD;
    std::vector<Bytes> parts{
        test::MakePacket(0, true, test::MakePat({{1, 0x100}})),
        test::MakePacket(0x100, true, test::MakePmt(0x1011, {{0x1B, 0x1011}, {0xA0, 0x1200}}))};
    for (std::size_t at = 0; at < gps.size(); at += 184) {
        parts.push_back(test::MakePacket(
            0x1200, at == 0,
            Bytes(gps.begin() + at, gps.begin() + std::min(gps.size(), at + 184))));
    }
    parts.push_back(test::MakePacket(0x1200, true, test::MakePes(180000, {}, {'B'})));
    parts.push_back(test::MakePacket(0x1200, false, {}));
    const Bytes file = test::Concat(parts);
    test::TempDir dir;
    const auto path = test::WriteFile(dir / "REC_0001.ts", std::string(file.begin(), file.end()));

    ReaderRig rig;
    ASSERT_TRUE(rig.reader.Start(path.string()));
    ASSERT_TRUE(rig.ConsumeUntil([&] { return !rig.GpsTexts().empty(); }));
    rig.Finish();
    const auto seen = rig.GpsTexts();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, std::string(2047, 'A'));
    EXPECT_TRUE(seen[0].ready);
}

} // namespace
} // namespace korvex
