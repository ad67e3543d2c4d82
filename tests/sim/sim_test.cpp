// The simulated generator's calls: trace lines, devices and outputs, refusals.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim_calls.h"
#include "sim_device.h"
#include "support.h"

using namespace simtest;
using Lines = std::vector<std::string>;

TEST(SimCrc, MatchesKnownValues) {
    const std::string fox = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(hlxsim::Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(hlxsim::Crc32(fox.data(), fox.size()), 0x414FA339u);
    EXPECT_EQ(hlxsim::Crc32("", 0), 0u);
    // Continuing a CRC over the rest gives the CRC of the whole.
    uint32_t part = hlxsim::Crc32(fox.data(), 13);
    EXPECT_EQ(hlxsim::Crc32(fox.data() + 13, fox.size() - 13, part), 0x414FA339u);
}

TEST(SimTrace, DeviceAndOutputCalls) {
    SimDevice sim;
    uint32_t flags = 0;
    char name[100];
    HLX_DEV_GetDeviceCount();
    HLX_DEV_GetDeviceInfo(0, &flags);
    HLX_DEV_GetDeviceInfo(2, &flags);
    HLX_DEV_GetDeviceName(0, name, 100);
    HLX_DEV_GetDeviceName(1, name, 10);
    HLX_DEV_GetDeviceName(2, name, 100);
    HLX_DEV_Select(4294967286u);
    HLX_DEV_Select(1);
    HLX_VOUT_GetOutputCount();
    HLX_VOUT_GetOutputName(0, name, 100);
    HLX_VOUT_GetOutputName(1, name, 100);
    HLX_VOUT_Select(0);
    HLX_VOUT_Enable(0);
    HLX_DEV_Deselect(0);
    HLX_DEV_Deselect(1);
    HLX_Clean();
    HLX_Init(0);
    EXPECT_EQ(sim.trace(), (Lines{
                               "HLX_DEV_GetDeviceCount() = 2",
                               "HLX_DEV_GetDeviceInfo(0) = 0 0x00000010",
                               "HLX_DEV_GetDeviceInfo(2) = -1",
                               "HLX_DEV_GetDeviceName(0, 100) = 0 \"KVX-4 [SIM0001] / HDMI TX\"",
                               "HLX_DEV_GetDeviceName(1, 10) = 0 \"KVX-4 [SI\"",
                               "HLX_DEV_GetDeviceName(2, 100) = -1",
                               "HLX_DEV_Select(4294967286) = -1",
                               "HLX_DEV_Select(1) = 0",
                               "HLX_VOUT_GetOutputCount() = 1",
                               "HLX_VOUT_GetOutputName(0, 100) = 0 \"DisplayPort TX\"",
                               "HLX_VOUT_GetOutputName(1, 100) = -1",
                               "HLX_VOUT_Select(0) = 0",
                               "HLX_VOUT_Enable(0) = 0",
                               "HLX_DEV_Deselect(0) = -1",
                               "HLX_DEV_Deselect(1) = 0",
                               "HLX_Clean() = 0",
                               "HLX_Init(0) = 0",
                           }));
    EXPECT_EQ(std::string(name, 15), std::string("DisplayPort TX\0", 15));
}

TEST(SimTrace, ItemCalls) {
    SimDevice sim;
    sim.open();
    std::vector<uint8_t> big(8294400, 0x5A);
    std::vector<uint8_t> exact(64, 0xAB);  // the longest buffer still shown byte by byte
    std::vector<uint8_t> got;
    set32(0x703, 2);
    set(0x123, big);
    set(0x124, exact);
    set(0x5002B00E, {});
    setLayout({0x100, 0x2000});
    get(0x703, got, 8);
    get(0x703, got, 2);
    get(0x999, got, 16);
    get(0x124, got, 65);
    set32(0x5002B00E, 7);
    char bigCrc[10];
    snprintf(bigCrc, sizeof bigCrc, "#%08x", hlxsim::Crc32(big.data(), big.size()));
    std::string exactHex;
    for (int i = 0; i < 64; ++i) exactHex += "ab";
    EXPECT_EQ(sim.trace(),
              (Lines{
                  "HLX_TS_SetConfigItem(0x00000703, 4, 02000000) = 0",
                  "HLX_TS_SetConfigItem(0x00000123, 8294400, " + std::string(bigCrc) + ") = 0",
                  "HLX_TS_SetConfigItem(0x00000124, 64, " + exactHex + ") = 0",
                  "HLX_TS_SetConfigItem(0x5002B00E, 0, ) = 0",
                  "HLX_TS_SetConfigItem(0x00000883, 2, 00010000000000000020000000000000) = 0",
                  "HLX_TS_GetConfigItem(0x00000703, 8) = 4 02000000",
                  "HLX_TS_GetConfigItem(0x00000703, 2) = 2 0200",
                  "HLX_TS_GetConfigItem(0x00000999, 16) = 0",
                  "HLX_TS_GetConfigItem(0x00000124, 65) = 64 " + exactHex,
                  "HLX_TS_SetConfigItem(0x5002B00E, 4, 07000000) = -1",
              }));
}

TEST(SimTrace, LongGetShowsCrcOfDeliveredBytes) {
    SimDevice sim;
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(get(0x1100, got, 8192), 256);
    char expected[80];
    snprintf(expected, sizeof expected, "HLX_TS_GetConfigItem(0x00001100, 8192) = 256 #%08x",
             hlxsim::Crc32(got.data(), 256));
    EXPECT_EQ(sim.trace(), Lines{expected});
}

// Every call a device would refuse, with the state that makes it refuse.
TEST(SimRefusals, CallsWithoutTheirPrerequisite) {
    hlxsim::LoadDefaultProfile();
    uint32_t flags = 0;
    char name[100];
    uint8_t bytes[8] = {};
    // Not initialised.
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), -1);
    EXPECT_EQ(HLX_DEV_GetDeviceInfo(0, &flags), -1);
    EXPECT_EQ(HLX_DEV_Select(0), -1);
    EXPECT_EQ(HLX_Clean(), -1);
    ASSERT_EQ(HLX_Init(0), 0);
    // No device selected.
    EXPECT_EQ(HLX_VOUT_GetOutputCount(), -1);
    EXPECT_EQ(HLX_VOUT_GetOutputName(0, name, 100), -1);
    EXPECT_EQ(HLX_VOUT_Select(0), -1);
    EXPECT_EQ(HLX_VOUT_Enable(0), -1);
    EXPECT_EQ(HLX_TS_GetConfigItem(0x880, bytes, 8), -1);
    EXPECT_EQ(HLX_TS_SetConfigItem(0x703, bytes, 4), -1);
    EXPECT_EQ(HLX_DEV_Deselect(0), -1);
    // Device selected, no output.
    ASSERT_EQ(HLX_DEV_Select(0), 0);
    EXPECT_EQ(HLX_VOUT_Enable(0), -1);
    EXPECT_EQ(HLX_VOUT_Select(1), -1);
    EXPECT_EQ(hlxsim::SelectedOutput(), -1);
    EXPECT_EQ(HLX_DEV_GetDeviceName(0, name, 0), -1);
    EXPECT_EQ(HLX_DEV_GetDeviceInfo(0, nullptr), -1);
    EXPECT_EQ(HLX_TS_GetConfigItem(0x880, nullptr, 8), -1);
    EXPECT_EQ(HLX_TS_SetConfigItem(0x703, nullptr, 4), -1);
    ASSERT_EQ(HLX_VOUT_Select(0), 0);
    EXPECT_EQ(HLX_VOUT_Enable(0), 0);
    // Selecting another device drops the output.
    ASSERT_EQ(HLX_DEV_Select(1), 0);
    EXPECT_EQ(hlxsim::SelectedDevice(), 1);
    EXPECT_EQ(HLX_VOUT_Enable(0), -1);
    ASSERT_EQ(HLX_Clean(), 0);
    EXPECT_EQ(HLX_TS_GetConfigItem(0x880, bytes, 8), -1);
    EXPECT_EQ(hlxsim::SelectedDevice(), -1);
}

TEST(SimDevices, FromTheProfile) {
    SimDevice sim(
        "[device]\nname = M1 [77] / HDMI TX (in use)\nflags = 0x10\noutputs = HDMI TX, HDMI RX\n"
        "[device]\nname = M1 [78] / HDMI RX\nflags = 0\noutputs =\n");
    ASSERT_TRUE(sim.loaded()) << sim.error();
    uint32_t flags = 0xFFFFFFFF;
    char name[100];
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), 2);
    EXPECT_EQ(HLX_DEV_GetDeviceInfo(1, &flags), 0);
    EXPECT_EQ(flags, 0u);
    ASSERT_EQ(HLX_DEV_Select(0), 0);
    EXPECT_EQ(HLX_VOUT_GetOutputCount(), 2);
    EXPECT_EQ(HLX_VOUT_GetOutputName(1, name, 100), 0);
    EXPECT_STREQ(name, "HDMI RX");
    ASSERT_EQ(HLX_DEV_Select(1), 0);
    EXPECT_EQ(HLX_VOUT_GetOutputCount(), 0);
    EXPECT_EQ(HLX_VOUT_Select(0), -1);
}
