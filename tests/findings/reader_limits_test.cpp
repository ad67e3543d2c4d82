// Files far larger than anything the readers can use are refused or read in part,
// never read whole: a wrong path must not fill the memory.
#include <gtest/gtest.h>

#include <filesystem>

#include "scenario/playing_order.h"
#include "scenario/playlist.h"
#include "scenario/scenario.h"
#include "scenario/settings_file.h"
#include "support.h"
#include "upload/packets.h"

namespace {

// A file of `size` bytes that starts with `head`; the rest is sparse zeros.
std::string SparseFile(const TempFolder& folder, const std::string& name, const std::string& head,
                       uintmax_t size) {
    const std::string path = folder.write(name, head);
    std::filesystem::resize_file(path, size);
    return path;
}

TEST(ReaderLimits, SettingsFilesPastTheLimitAreRefusedByName) {
    TempFolder folder;
    LogCapture log;
    const std::string playlist =
        SparseFile(folder, "p.ini", "[Device]\n", kMaxSettingsFileBytes + 1);
    EXPECT_TRUE(readPlaylistFile(playlist).entries.empty());
    const std::string scenario = SparseFile(folder, "s.txt", "video=a.bin\n", uintmax_t{8} << 30);
    EXPECT_TRUE(readScenarioFile(scenario).video.empty());
    EXPECT_EQ(log.lines, (std::vector<std::string>{"File " + playlist + " is too large to read.",
                                                   "File " + scenario + " is too large to read."}));
}

TEST(ReaderLimits, SettingsFileAtTheLimitIsRead) {
    TempFolder folder;
    LogCapture log;
    const std::string scenario =
        SparseFile(folder, "s.txt", "video=a.bin\n", kMaxSettingsFileBytes);
    EXPECT_EQ(readScenarioFile(scenario).video, folder.path() + "\\a.bin");
    EXPECT_TRUE(log.lines.empty());
}

TEST(ReaderLimits, HugeHdmiPacketFileGivesItsFirstBytes) {
    TempFolder folder;
    ScenarioSettings settings;
    settings.hdmi = true;
    std::string head(40, '\0');
    for (size_t i = 0; i < head.size(); ++i) head[i] = static_cast<char>(i + 1);
    settings.packets = SparseFile(folder, "pk0.bin", head, uintmax_t{8} << 30);
    PacketSet set;
    ASSERT_TRUE(LoadPackets(settings, set));
    std::vector<uint8_t> expected;
    ASSERT_TRUE(ParsePacket(reinterpret_cast<const uint8_t*>(head.data()), 32, true, expected));
    EXPECT_EQ(set.packets, std::vector<std::vector<uint8_t>>{expected});
}

TEST(ReaderLimits, DisplayPortPacketFileLongerThanTheLargestPacketFails) {
    TempFolder folder;
    ScenarioSettings settings;
    PacketSet set;
    settings.packets = SparseFile(folder, "a0.bin", "\x83", kDpHeaderBytes + kDpMaxPayloadBytes);
    EXPECT_TRUE(LoadPackets(settings, set));
    settings.packets =
        SparseFile(folder, "b0.bin", "\x83", kDpHeaderBytes + kDpMaxPayloadBytes + 16);
    EXPECT_FALSE(LoadPackets(settings, set));
    settings.packets = SparseFile(folder, "c0.bin", "\x83", uintmax_t{8} << 30);
    EXPECT_FALSE(LoadPackets(settings, set));
}

// Items past the step limit are no longer kept, but are still checked.
TEST(ReaderLimits, PlayingOrderPastTheLimitIsStillCheckedToTheEnd) {
    const std::string beyond = "0-" + std::to_string(kMaxPlayingOrderSteps) + ":1::256;";
    EXPECT_TRUE(parsePlayingOrderText(beyond + "0:1::256").tooManySteps);
    const PlayingOrder malformed = parsePlayingOrderText(beyond + "0:1:256");
    EXPECT_FALSE(malformed.tooManySteps);
    EXPECT_TRUE(malformed.steps.empty());
    EXPECT_EQ(CountPlayingOrderFrames(beyond + "3:2::256"), uint64_t{kMaxPlayingOrderSteps} + 3);
}

}  // namespace
