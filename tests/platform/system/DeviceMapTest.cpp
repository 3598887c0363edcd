#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "platform/system/DeviceMap.h"
#include "platform/system/UserConfig.h"

namespace {

TEST(DeviceMap, NumberingScheme)
{
    const std::pair<const char*, int> cases[] = {
        {"ttyS0", 1},     {"ttyS3", 4},    {"ttyS31", 32},  {"ttyS32", 0},    {"ttyUSB0", 33},
        {"ttyUSB31", 64}, {"ttyUSB32", 0}, {"ttyACM0", 65}, {"ttyACM34", 99}, {"ttyACM35", 0},
        {"ttyAMA0", 0},   {"tty1", 0},     {"ttyS", 0},     {"ttyS-1", 0},    {"ttyS1x", 0},
    };
    for (const auto& [name, number] : cases) EXPECT_EQ(ComNumberForTty(name), number) << name;
}

TEST(DeviceMap, PortNames)
{
    const std::pair<const char*, int> cases[] = {
        {"COM3", 3},   {"com12", 12}, {"\\\\.\\COM3", 3}, {"\\\\.\\\\\\.\\COM7", 7},
        {"COM0", 0},   {"COM", 0},    {"COM1a", 0},       {"LPT1", 0},
        {"COM256", 0}, {"", 0},
    };
    for (const auto& [name, number] : cases) EXPECT_EQ(ComNumberOfName(name), number) << name;
}

class DeviceMapFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto dev = [&](const std::string& name) {
            std::filesystem::create_directories(tmp / ("sys/" + name + "/device"));
        };
        dev("ttyS0");
        tmp.Write("sys/ttyS0/type", "4\n");
        dev("ttyS1");  // a slot without a UART
        tmp.Write("sys/ttyS1/type", "0\n");
        dev("ttyUSB0");
        dev("ttyACM2");
        dev("ttyAMA0");                                         // no number in the scheme
        std::filesystem::create_directories(tmp / "sys/tty3");  // virtual, no device
        sys = tmp / "sys";
        mapFile = tmp / "map";
    }

    TempDir tmp;
    std::string sys;
    std::string mapFile;
};

TEST_F(DeviceMapFiles, MachinePorts)
{
    auto ports = SerialDeviceMap(mapFile, sys);
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].Port, "COM1");
    EXPECT_EQ(ports[0].Device, "/dev/ttyS0");
    EXPECT_EQ(ports[1].Port, "COM33");
    EXPECT_EQ(ports[1].Device, "/dev/ttyUSB0");
    EXPECT_EQ(ports[2].Port, "COM67");
    EXPECT_EQ(ports[2].Device, "/dev/ttyACM2");
}

TEST_F(DeviceMapFiles, MapFileAddsAndOverrides)
{
    tmp.Write("map",
              "# simulator\n"
              "COM7=/dev/pts/4\n"
              "com1 = /dev/pts/9\n"
              "garbage line\n"
              "COM0=/dev/pts/1\n"
              "COM5=relative/path\n"
              "COM8=\n");
    const auto map = SerialDeviceMap(mapFile, sys);
    ASSERT_EQ(map.size(), 4u);
    EXPECT_EQ(map[0].Port, "COM1");
    EXPECT_EQ(map[0].Device, "/dev/pts/9");
    EXPECT_EQ(map[1].Port, "COM7");
    EXPECT_EQ(map[1].Device, "/dev/pts/4");
    EXPECT_EQ(ResolveSerialDevice("\\\\.\\\\\\.\\COM7", map), "/dev/pts/4");
    EXPECT_EQ(ResolveSerialDevice("COM33", map), "/dev/ttyUSB0");
    EXPECT_EQ(ResolveSerialDevice("COM2", map), "");
    EXPECT_EQ(ResolveSerialDevice("/dev/ttyXYZ", map), "/dev/ttyXYZ");
    EXPECT_EQ(ResolveSerialDevice("\\\\.\\/dev/ttyXYZ", map), "/dev/ttyXYZ");
    EXPECT_EQ(ResolveSerialDevice("nonsense", map), "");
}

TEST_F(DeviceMapFiles, SetAndRemoveEntries)
{
    ASSERT_TRUE(SetSerialMapEntry(mapFile, "COM7", "/dev/pts/4"));
    ASSERT_TRUE(SetSerialMapEntry(mapFile, "COM8", "/dev/pts/5"));
    ASSERT_TRUE(SetSerialMapEntry(mapFile, "com7", "/dev/pts/6"));  // a newer owner takes COM7
    EXPECT_EQ(tmp.Read("map"), "COM7=/dev/pts/6\nCOM8=/dev/pts/5\n");
    // The first owner leaving must not remove the newer owner's line.
    ASSERT_TRUE(RemoveSerialMapEntry(mapFile, "COM7", "/dev/pts/4"));
    EXPECT_EQ(tmp.Read("map"), "COM7=/dev/pts/6\nCOM8=/dev/pts/5\n");
    ASSERT_TRUE(RemoveSerialMapEntry(mapFile, "COM7", "/dev/pts/6"));
    EXPECT_EQ(tmp.Read("map"), "COM8=/dev/pts/5\n");
    EXPECT_FALSE(SetSerialMapEntry(mapFile, "LPT1", "/dev/pts/5"));
}

TEST_F(DeviceMapFiles, LinesOfEndedProcessesAreIgnored)
{
    ASSERT_TRUE(SetSerialMapEntry(mapFile, "COM7", "/dev/pts/4", true));  // tied to this (living) process
    const String tied = tmp.Read("map");
    EXPECT_EQ(tied.rfind("COM7=/dev/pts/4;pid=", 0), 0u) << tied;
    tmp.Write("map", tied +
                         "COM8=/dev/pts/5;pid=999999999\n"  // no such process
                         "COM9=/dev/pts/6;pid=x\n");        // malformed owner
    const auto entries = ReadSerialMapFile(mapFile);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Device, "/dev/pts/4");
    ASSERT_TRUE(RemoveSerialMapEntry(mapFile, "COM7", "/dev/pts/4"));
    EXPECT_EQ(ReadSerialMapFile(mapFile).size(), 0u);
}

TEST_F(DeviceMapFiles, ConcurrentEditorsLoseNoLine)
{
    std::vector<std::thread> editors;
    for (int i = 1; i <= 8; ++i)
        editors.emplace_back([&, i] {
            for (int round = 0; round < 10; ++round)
                ASSERT_TRUE(SetSerialMapEntry(mapFile, "COM" + std::to_string(i), "/dev/pts/" + std::to_string(round)));
        });
    for (auto& t : editors) t.join();
    const auto entries = ReadSerialMapFile(mapFile);
    ASSERT_EQ(entries.size(), 8u);
    for (const auto& e : entries) EXPECT_EQ(e.Device, "/dev/pts/9") << e.Port;
}

// A claim takes a name no live line holds: a line of this (living) process or one written by hand
// keeps its name; a line of an ended process gives it up.
TEST_F(DeviceMapFiles, ClaimsTakeOnlyFreeNames)
{
    tmp.Write("map",
              "COM1=/dev/pts/1;pid=" + std::to_string(getpid()) + "\n"
              "COM2=/dev/pts/2;pid=999999999\n"
              "COM3=/dev/ttyUSB0\n"
              "COM5=relative\n");
    const struct {
        const char* what;
        int wanted;
        int taken;
        const char* owner;
        bool ownedByThisProcess;
    } cases[] = {
        {"held by a running process", 1, 0, "/dev/pts/1", true},
        {"written by hand", 3, 0, "/dev/ttyUSB0", false},
        {"of an ended process", 2, 2, "", false},
        {"unusable line", 5, 5, "", false},
        {"the first free", 0, 4, "", false},
        {"and the next", 0, 6, "", false},
        {"just taken by this process", 4, 0, "/dev/pts/new4", true},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TSerialMapClaim claim;
        ASSERT_TRUE(ClaimSerialMapEntry(mapFile, c.wanted, "/dev/pts/new" + std::to_string(n++), claim));
        EXPECT_EQ(claim.Number, c.taken);
        EXPECT_EQ(claim.OwnerDevice, c.owner);
        EXPECT_EQ(claim.OwnerPid, c.ownedByThisProcess ? getpid() : 0);
    }
    const auto map = SerialDeviceMap(mapFile, tmp / "nosys");
    std::vector<String> lines;
    for (const auto& e : map) lines.push_back(e.Port + "=" + e.Device);
    EXPECT_EQ(lines, (std::vector<String>{"COM1=/dev/pts/1", "COM2=/dev/pts/new2", "COM3=/dev/ttyUSB0",
                                          "COM4=/dev/pts/new4", "COM5=/dev/pts/new3", "COM6=/dev/pts/new5"}));
}

TEST_F(DeviceMapFiles, ConcurrentClaimsNeverShareAName)
{
    std::vector<int> numbers(8);
    std::vector<std::thread> claimants;
    for (int i = 0; i < 8; ++i)
        claimants.emplace_back([&, i] {
            TSerialMapClaim claim;
            ASSERT_TRUE(ClaimSerialMapEntry(mapFile, 0, "/dev/pts/" + std::to_string(i), claim));
            numbers[static_cast<std::size_t>(i)] = claim.Number;
        });
    for (auto& t : claimants) t.join();
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(ReadSerialMapFile(mapFile).size(), 8u);
}

TEST_F(DeviceMapFiles, MapFileFollowsTheConfigHome)
{
    EXPECT_EQ(SerialMapFilePath(), tmp / "config/tiltviewer/serialcomm.map");
    ASSERT_TRUE(SetSerialMapEntry(SerialMapFilePath(), "COM9", "/dev/pts/77"));
    EXPECT_EQ(ResolveSerialDevice("COM9"), "/dev/pts/77");
}

}  // namespace
