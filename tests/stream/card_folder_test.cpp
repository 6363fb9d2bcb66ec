#include "stream/card_folder.h"
#include "stream/linux/mount_table_volumes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <thread>

namespace korvex {
namespace {

// A fake mount table and sysfs root, and the volumes they describe.
class FakeSystem {
public:
    FakeSystem() { Disk("sda", "0"); } // the system disk

    // A disk with a removable flag ("1" or "0") and an optional MMC card type.
    void Disk(const std::string& name, const std::string& removable, const std::string& type = "") {
        test::WriteFile(dir_ / ("sys/block/" + name + "/removable"), removable + "\n");
        if (!type.empty()) {
            test::WriteFile(dir_ / ("sys/block/" + name + "/device/type"), type + "\n");
        }
    }
    void Partition(const std::string& disk, const std::string& name) {
        std::filesystem::create_directories(dir_ / ("sys/block/" + disk + "/" + name));
    }
    // Mounts `device` at the volume folder `volume` (created) and returns its path.
    std::string Mount(const std::string& device, const std::string& volume,
                      const std::string& root = "/") {
        const std::string point = (dir_ / volume).string();
        std::filesystem::create_directories(point);
        std::string escaped;
        for (char c : point) {
            escaped += c == ' ' ? std::string("\\040") : std::string(1, c);
        }
        table_ += std::to_string(30 + lines_++) + " 1 8:1 " + root + " " + escaped +
                  " rw,nosuid shared:1 - vfat /dev/" + device + " rw,uid=1000\n";
        test::WriteFile(dir_ / "mountinfo", table_);
        return point;
    }
    // A folder with recordings, or with other files only.
    void Folder(const std::string& volume, const std::string& folder, const std::string& file) {
        test::WriteFile(dir_ / volume / folder / file, "x");
    }
    MountTableVolumes Volumes() const {
        return MountTableVolumes((dir_ / "mountinfo").string(), (dir_ / "sys").string());
    }

private:
    test::TempDir dir_;
    std::string table_ = "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
                         "25 22 0:5 / /proc rw shared:2 - proc proc rw\n";
    int lines_ = 0;
};

TEST(MountTableVolumes, ListsRemovableVolumesInMountOrder) {
    FakeSystem system;
    system.Disk("sdb", "1");
    system.Partition("sdb", "sdb1");
    system.Disk("mmcblk0", "0", "SD");
    system.Partition("mmcblk0", "mmcblk0p1");
    system.Disk("mmcblk1", "0", "MMC");
    system.Disk("sdc", "1");
    const std::string usb = system.Mount("sdb1", "media/u/USB STICK");
    system.Mount("sda1", "mnt/data"); // not removable
    const std::string sd = system.Mount("mmcblk0p1", "media/u/SD");
    system.Mount("mmcblk1", "mnt/emmc");            // built-in flash
    system.Mount("sdb1", "mnt/again");              // the same device once more
    system.Mount("sdc", "mnt/sub", "/some/folder"); // only a folder of the volume
    system.Mount("sdz1", "mnt/unknown");            // no such device
    EXPECT_EQ(system.Volumes().MountPoints(), (std::vector<std::string>{usb, sd}));
}

TEST(FindCardFolder, TakesTheFirstMediaFolderWithRecordingsOnTheLastVolume) {
    FakeSystem system;
    system.Disk("sdb", "1");
    system.Disk("sdc", "1");
    system.Disk("sdd", "1");
    system.Partition("sdd", "sdd1");
    system.Folder("first", "DCIM/100MEDIA", "REC_0001.ts");
    system.Folder("second", "DCIM/100MEDIA", "readme.txt"); // no recordings: skipped
    system.Folder("second", "DCIM/101MEDIA", "REC_0001.TS");
    system.Folder("second", "DCIM/OTHER", "REC_0001.ts");
    system.Folder("fixed", "DCIM/100MEDIA", "REC_0001.ts");
    system.Folder("third", "DCIM", "FILE_MEDIA"); // a file, not a folder
    const std::string first = system.Mount("sdb", "first");
    EXPECT_EQ(FindCardFolder(system.Volumes()), first + "/DCIM/100MEDIA/");
    const std::string second = system.Mount("sdc", "second");
    system.Mount("sda1", "fixed"); // a card folder on a fixed disk does not count
    system.Mount("sdd1", "third");
    EXPECT_EQ(FindCardFolder(system.Volumes()), second + "/DCIM/101MEDIA/");
}

TEST(FindCardFolder, NoneWithoutACard) {
    FakeSystem system;
    system.Disk("sdb", "1");
    system.Folder("stick", "DCIM/100MEDIA", "photo.jpg");
    EXPECT_EQ(FindCardFolder(system.Volumes()), "");
    system.Mount("sdb", "stick");
    EXPECT_EQ(FindCardFolder(system.Volumes()), "");
}

TEST(MountTableVolumes, WaitsForAVolumeToArriveOrForTheStop) {
    FakeSystem system;
    system.Disk("sdb", "1");
    MountTableVolumes volumes = system.Volumes();
    ASSERT_TRUE(volumes.MountPoints().empty());
    EXPECT_FALSE(volumes.WaitForChange({}, std::chrono::milliseconds(50)));

    std::thread inserter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        system.Mount("sdb", "card");
    });
    EXPECT_TRUE(volumes.WaitForChange({}, std::chrono::seconds(20)));
    inserter.join();
    EXPECT_EQ(volumes.MountPoints().size(), 1u);

    std::stop_source stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        stop.request_stop();
    });
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(volumes.WaitForChange(stop.get_token(), std::chrono::seconds(20)));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(10));
    stopper.join();
}

} // namespace
} // namespace korvex
