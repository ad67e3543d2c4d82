#include "device/discovery.h"

#include <gtest/gtest.h>

#include "sim_device.h"

namespace {

std::string Device(const std::string& name, const std::string& outputs, int flags = 16) {
    return "[device]\nname = " + name + "\nflags = " + std::to_string(flags) +
           "\noutputs = " + outputs + "\n";
}

const char* const kGenerator = "[generator]\nmemory = 1073741824\n";

TEST(DeviceName, SplitsModelSerialAndDescription) {
    struct Case {
        const char* name;
        bool ok;
        const char* model;
        const char* serial;
        const char* description;
    } cases[] = {
        {"M1 [1234] / HDMI TX (in use)", true, "M1", "1234", "HDMI TX (in use)"},
        {"KVX-4 [SIM0001] : DisplayPort TX", true, "KVX-4", "SIM0001", "DisplayPort TX"},
        {"KVX-3 [77]", true, "KVX-3", "77", "KVX-3"},
        {"M1 [5] /", true, "M1", "5", ""},
        {"M1 [5", false, "", "", ""},
        {"M1 5]", false, "", "", ""},
    };
    for (const Case& c : cases) {
        DeviceEntry entry;
        ASSERT_EQ(ParseDeviceName(c.name, entry), c.ok) << c.name;
        if (!c.ok) continue;
        EXPECT_EQ(entry.model, c.model) << c.name;
        EXPECT_EQ(entry.serial, c.serial) << c.name;
        EXPECT_EQ(entry.description, c.description) << c.name;
    }
}

struct FindCase {
    const char* title;
    std::string devices;
    const char* serial;
    const char* output;
    int32_t expected;
};

class FindDeviceTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindDeviceTest, PicksTheExpectedIndex) {
    const FindCase& c = GetParam();
    SimDevice sim(c.devices + kGenerator);
    ASSERT_TRUE(sim.loaded()) << sim.error();
    EXPECT_EQ(FindDevice(c.serial, c.output), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FindDeviceTest,
    ::testing::Values(
        FindCase{"InUseSkippedSerialSubstring",
                 Device("M1 [77] / HDMI TX (in use)", "HDMI TX") +
                     Device("M1 [78] / HDMI TX", "HDMI TX"),
                 "7", "HDMI TX", 1},
        FindCase{"WildcardTwoPhysicalDevices",
                 Device("M1 [77] / HDMI TX (in use)", "HDMI TX") +
                     Device("M1 [78] / HDMI TX (in use)", "HDMI TX"),
                 "*", "HDMI TX", -10},
        FindCase{"WildcardOneDeviceTakesInUseInterface",
                 Device("M1 [5] / DP TX", "DP TX") + Device("M1 [5] / HDMI TX (in use)", "HDMI TX"),
                 "*", "HDMI TX", 1},
        FindCase{"WildcardForDisplayPort",
                 Device("KVX-4 [SIM0001] / HDMI TX", "HDMI TX") +
                     Device("KVX-4 [SIM0001] / DisplayPort TX", "DisplayPort TX"),
                 "*", "DisplayPort TX", 1},
        FindCase{"EmptySerialMatchesAll", Device("M1 [9] / HDMI TX", "HDMI TX"), "", "HDMI TX", 0},
        FindCase{"NameWithoutBracketIsLeftOut",
                 Device("M1 [9 / HDMI TX", "HDMI TX") + Device("M1 [10] / HDMI TX", "HDMI TX"), "",
                 "HDMI TX", 1},
        FindCase{"WithoutTxOnlyReceivers",
                 Device("M1 [1] / HDMI TX", "HDMI TX") + Device("M1 [2] / HDMI RX", "HDMI RX", 0),
                 "", "HDMI RX", 1},
        FindCase{"ReceiversOnlyAndNoWildcard", Device("M1 [1] / HDMI RX (in use)", "HDMI RX", 0),
                 "*", "HDMI RX", -10},
        FindCase{"NoDevices", "", "*", "HDMI TX", -10},
        FindCase{"SerialNotFound", Device("M1 [1] / HDMI TX", "HDMI TX"), "2", "HDMI TX", -10}),
    [](const ::testing::TestParamInfo<FindCase>& info) { return std::string(info.param.title); });

TEST(OpenDevice, SelectsAndEnablesTheNamedOutput) {
    SimDevice sim(Device("M1 [1] / TX", "HDMI TX, DisplayPort TX") + kGenerator);
    ASSERT_TRUE(sim.loaded()) << sim.error();
    EXPECT_EQ(OpenDevice(0, "DisplayPort"), 0);
    EXPECT_EQ(sim.trace(), (std::vector<std::string>{
                               "HLX_DEV_Select(0) = 0",
                               "HLX_VOUT_GetOutputCount() = 2",
                               "HLX_VOUT_GetOutputName(0, 100) = 0 \"HDMI TX\"",
                               "HLX_VOUT_GetOutputName(1, 100) = 0 \"DisplayPort TX\"",
                               "HLX_VOUT_Select(1) = 0",
                               "HLX_VOUT_Enable(0) = 0",
                           }));
}

TEST(OpenDevice, NoOutputsGivesMinus15AfterSelectingTheDevice) {
    SimDevice sim(Device("M1 [1] / HDMI TX", "") + kGenerator);
    ASSERT_TRUE(sim.loaded()) << sim.error();
    EXPECT_EQ(OpenDevice(0, "HDMI"), kNoOutput);
    EXPECT_EQ(hlxsim::SelectedDevice(), 0);
}

TEST(OpenDevice, UnknownOutputNameGivesMinus15) {
    SimDevice sim;
    EXPECT_EQ(OpenDevice(0, "DisplayPort"), kNoOutput);
}

TEST(OpenDevice, NotFoundIndexIsRefusedByTheLibrary) {
    SimDevice sim;
    EXPECT_LT(OpenDevice(kNoDevice, "HDMI"), 0);
    EXPECT_EQ(sim.trace(), std::vector<std::string>{"HLX_DEV_Select(4294967286) = -1"});
}

TEST(DeviceNameQuery, KeepsUnknownWhenTheLibraryRefuses) {
    SimDevice sim;
    EXPECT_EQ(GetDeviceName(0), "KVX-4 [SIM0001] / HDMI TX");
    EXPECT_EQ(GetDeviceName(7), "unknown");
}

}  // namespace
