// The card-arrival watch over a fake mount table and sysfs: what counts as a camera's card, and
// an arrival reported on the user-interface thread.
#include "stream/linux/mount_table_volumes.h"
#include "temp_dir.h"
#include "ui/card_arrival_watch.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest/QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

TEST(HoldsCardRecordings, ADcimMediaFolderWithATransportStream) {
    struct Case {
        const char* file; // written below the volume; null: an empty volume
        bool holds;
    };
    const Case cases[] = {
        {"DCIM/100MEDIA/FILE0001.ts", true},
        {"DCIM/MEDIA/a.ts", true},
        {"DCIM/101MEDIA/notes.txt", false},
        {"DCIM/100PHOTO/FILE0001.ts", false},
        {"FILE0001.ts", false},
        {nullptr, false},
    };
    for (const Case& c : cases) {
        test::TempDir volume;
        if (c.file != nullptr) {
            test::WriteFile(volume / c.file, "x");
        }
        EXPECT_EQ(HoldsCardRecordings(volume.path().string()), c.holds)
            << (c.file != nullptr ? c.file : "empty volume");
    }
}

// A machine with one fixed disk and two removable slots, sdb and sdc, and what is mounted.
class CardArrival : public testing::Test {
protected:
    CardArrival() {
        test::WriteFile(dir_ / "sys/block/sdb/removable", "1\n");
        test::WriteFile(dir_ / "sys/block/sdc/removable", "1\n");
        test::WriteFile(card_ / "DCIM/100MEDIA/FILE0001.ts", "x");
        test::WriteFile(other_card_ / "DCIM/100MEDIA/FILE0001.ts", "x");
        fs::create_directories(stick_);
        Mount("");
    }
    void Mount(const std::string& lines) {
        // Replaced whole, as the kernel's table changes at once.
        test::WriteFile(dir_ / "mountinfo.new", "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n" + lines);
        fs::rename(dir_ / "mountinfo.new", dir_ / "mountinfo");
    }
    static std::string Line(int id, const char* device, const fs::path& at) {
        return std::to_string(id) + " 22 8:17 / " + at.string() + " rw - vfat /dev/" + device +
               " rw\n";
    }

    test::TempDir dir_;
    fs::path card_ = dir_ / "media/u/CARD";
    fs::path other_card_ = dir_ / "media/u/OTHER";
    fs::path stick_ = dir_ / "media/u/STICK";
    MountTableVolumes volumes_{(dir_ / "mountinfo").string(), (dir_ / "sys").string()};
    QObject window_;
    int arrivals_ = 0;
    bool on_ui_thread_ = true;
};

TEST_F(CardArrival, ACardThatArrivesIsReportedOnTheUserInterfaceThread) {
    CardArrivalWatch watch(volumes_, &window_, [this] {
        on_ui_thread_ = on_ui_thread_ && QThread::currentThread() == qApp->thread();
        ++arrivals_;
    });
    Mount(Line(30, "sdb", stick_)); // a stick without recordings: nothing to open
    Mount(Line(30, "sdb", stick_) + Line(31, "sdc", card_));
    QTRY_COMPARE_WITH_TIMEOUT(arrivals_, 1, 10000);
    EXPECT_TRUE(on_ui_thread_);

    // The card taken out is no arrival; another card put in is one.
    Mount(Line(30, "sdb", stick_));
    Mount(Line(30, "sdb", stick_) + Line(32, "sdc", other_card_));
    QTRY_COMPARE_WITH_TIMEOUT(arrivals_, 2, 10000);
}

TEST_F(CardArrival, AnyArrivalLooksAtEveryVolumeMountedThen) {
    Mount(Line(31, "sdc", card_)); // in before the watch starts: the start opens it, not the watch
    CardArrivalWatch watch(volumes_, &window_, [this] { ++arrivals_; });
    Mount(Line(31, "sdc", card_) + Line(33, "sdb", stick_));
    QTRY_COMPARE_WITH_TIMEOUT(arrivals_, 1, 10000);
}

} // namespace
} // namespace korvex
