#include <gtest/gtest.h>

#include "app/options.h"
#include "app/run_modes.h"
#include "app/source_device.h"
#include "edid/edid_builder.h"
#include "files/paths.h"
#include "sim_device.h"
#include "support.h"

using namespace edidtest;

namespace {

Bytes SinkEdid() {
    EdidBuilder edid;
    edid.cta({Vsvdb(12, 0x40)});
    return edid.bytes();
}

std::string TwoOutputProfile() {
    const std::string hex = HexWords(SinkEdid());
    return "[device]\nname = KVX-4 [SIM0042] / HDMI TX\nflags = 16\noutputs = "
           "HDMI TX, "
           "DisplayPort TX\n"
           "[device]\nname = KVX-4 [SIM0042] / DisplayPort TX\nflags = "
           "16\noutputs = HDMI TX, "
           "DisplayPort TX\n"
           "[generator]\nedid-hex = " +
           hex + "\n";
}

const char kPresentLine[] = "VSVDB is present: EB 01 46 D0 00 40 40 40 40 40 40 40 ";

CommandLineOptions EdidOptions(const std::string& serial, const std::string& interface,
                               const std::string& path) {
    CommandLineOptions options;
    options.sourceSerialNumber = serial;
    options.interface = interface;
    options.edidPath = path;
    return options;
}

}  // namespace

class EdidOnlyMode : public ::testing::Test {
  protected:
    TempFolder folder;
    LogCapture log;
};

TEST_F(EdidOnlyMode, WildcardSerialWarnsWithTheDeviceNameAndSavesTheEdid) {
    SimDevice device(TwoOutputProfile());
    ASSERT_TRUE(device.loaded()) << device.error();
    const std::string path = folder.path() + "/Edid.bin";
    EXPECT_TRUE(RunEdidOnly(EdidOptions("*", "DisplayPort", path)));
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"WARNING: No specific serial number was specified. Using "
                                        "device KVX-4 [SIM0042] / DisplayPort TX as source.",
                                        kPresentLine}));
    EXPECT_EQ(fileSize(path), 8192);
    EXPECT_EQ(hlxsim::SelectedDevice(), 1);
    EXPECT_EQ(hlxsim::SelectedOutput(), 1);
    // Look-up, name, opening, one EDID read; nothing written to the device.
    char edidRead[80];
    const Bytes edid = SinkEdid();
    std::snprintf(edidRead, sizeof(edidRead), "HLX_TS_GetConfigItem(0x00001100, 8192) = 256 #%08x",
                  hlxsim::Crc32(edid.data(), edid.size()));
    EXPECT_EQ(device.trace(),
              (std::vector<std::string>{
                  "HLX_DEV_GetDeviceCount() = 2", "HLX_DEV_GetDeviceInfo(0) = 0 0x00000010",
                  "HLX_DEV_GetDeviceName(0, 100) = 0 \"KVX-4 [SIM0042] / HDMI TX\"",
                  "HLX_DEV_GetDeviceInfo(1) = 0 0x00000010",
                  "HLX_DEV_GetDeviceName(1, 100) = 0 \"KVX-4 [SIM0042] / DisplayPort TX\"",
                  "HLX_DEV_GetDeviceName(1, 100) = 0 \"KVX-4 [SIM0042] / DisplayPort TX\"",
                  "HLX_DEV_Select(1) = 0", "HLX_VOUT_GetOutputCount() = 2",
                  "HLX_VOUT_GetOutputName(0, 100) = 0 \"HDMI TX\"",
                  "HLX_VOUT_GetOutputName(1, 100) = 0 \"DisplayPort TX\"", "HLX_VOUT_Select(1) = 0",
                  "HLX_VOUT_Enable(0) = 0", edidRead}));
}

TEST_F(EdidOnlyMode, GivenSerialGivesNoWarning) {
    SimDevice device(TwoOutputProfile());
    EXPECT_TRUE(RunEdidOnly(EdidOptions("SIM0042", "HDMI", "")));
    EXPECT_EQ(log.lines, (std::vector<std::string>{kPresentLine}));
    EXPECT_EQ(hlxsim::SelectedDevice(), 0);
    EXPECT_EQ(hlxsim::SelectedOutput(), 0);
}

struct OpenFailure {
    const char* name;
    const char* serial;
    const char* interface;
    const char* message;
};

class EdidOnlyOpenFailure : public ::testing::TestWithParam<OpenFailure> {};

TEST_P(EdidOnlyOpenFailure, NamesSerialAndLookupNameAndReadsNoEdid) {
    const OpenFailure& param = GetParam();
    SimDevice device(TwoOutputProfile());
    LogCapture log;
    EXPECT_FALSE(RunEdidOnly(EdidOptions(param.serial, param.interface, "")));
    EXPECT_EQ(log.lines, (std::vector<std::string>{param.message, kListDevicesHint, ""}));
    for (const std::string& line : device.trace()) {
        EXPECT_EQ(line.find("0x00001100"), std::string::npos) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EdidOnlyMode, EdidOnlyOpenFailure,
    ::testing::Values(OpenFailure{"UnknownSerial", "SIM9999", "HDMI",
                                  "Failed opening device 'SIM9999' for 'HDMI TX'."},
                      OpenFailure{"NoInterface", "SIM9999", "",
                                  "Failed opening device 'SIM9999' for ' TX'."},
                      OpenFailure{"UnknownInterface", "SIM0042", "USB",
                                  "Failed opening device 'SIM0042' for 'USB TX'."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EdidOnlyModeNoDevice, FailsWithTheWildcardInTheMessage) {
    SimDevice device("[generator]\nmemory = 1024\n");
    ASSERT_TRUE(device.loaded()) << device.error();
    LogCapture log;
    EXPECT_FALSE(RunEdidOnly(EdidOptions("*", "HDMI", "")));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Failed opening device '*' for 'HDMI TX'.",
                                                   kListDevicesHint, ""}));
}
