#include <gtest/gtest.h>

#include "e2e_fixture.h"

namespace {

using ListDevices = ProgramTest;

TEST_F(ListDevices, EveryEntryAndTheOutputsOfThoseNotInUse) {
    const std::string profile =
        "[device]\nname = KVX-4 [SIM0001] / HDMI TX\noutputs = HDMI TX, DisplayPort TX\n"
        "[device]\nname = KVX-3 [SIM0002] / HDMI RX (in use)\nflags = 0\noutputs = HDMI RX\n";
    EXPECT_EQ(Run("--list-devices", profile).exitCode, 0);
    EXPECT_TRUE(HasInOrder({"Success: Initialized Corvane.",
                            "Device 0: KVX-4 [SIM0001] / HDMI TX (transmitter)",
                            "  Output 0: HDMI TX", "  Output 1: DisplayPort TX",
                            "Device 1: KVX-3 [SIM0002] / HDMI RX (in use) (receiver, in use)"}));
    // The free entry is selected only to read its outputs; nothing else is touched.
    EXPECT_TRUE(TraceHas("HLX_DEV_Deselect(0) = 0"));
    EXPECT_FALSE(TraceHas("HLX_DEV_Select(1)"));
    EXPECT_FALSE(TraceHas("HLX_VOUT_Select"));
    EXPECT_FALSE(TraceHas("HLX_VOUT_Enable"));
}

TEST_F(ListDevices, NoDeviceFails) {
    EXPECT_EQ(Run("--list-devices", "[generator]\nmemory = 1024\n").exitCode, 1);
    EXPECT_TRUE(HasInOrder({"Success: Initialized Corvane.", "No device found."}));
}

TEST_F(ListDevices, AFailedOpeningPointsToTheListing) {
    folder.write("s.txt", ScenarioText());
    EXPECT_EQ(Run("--scenario s.txt --interface HDMI", "[generator]\nmemory = 1024\n").exitCode, 1);
    EXPECT_TRUE(HasInOrder({"Failed opening device '*' for 'HDMI TX'.",
                            "Run with --list-devices to see the devices and outputs the library "
                            "reports.",
                            ""}));
}

}  // namespace
