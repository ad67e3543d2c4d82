// The simulator's environment variables: HLX_SIM_TRACE and HLX_SIM_PROFILE.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "device/hlx.h"
#include "sim_control.h"
#include "support.h"

TEST(SimTrace, GoesToTheFileNamedAtInit) {
    TempFolder folder;
    std::string path = folder.path() + "/trace.txt";
    hlxsim::LoadDefaultProfile();
    setenv("HLX_SIM_TRACE", path.c_str(), 1);
    HLX_Init(0);
    unsetenv("HLX_SIM_TRACE");
    HLX_DEV_GetDeviceCount();
    HLX_Clean();
    HLX_DEV_GetDeviceCount();  // after the clean: the file is closed
    EXPECT_EQ(ReadFileText(path),
              "HLX_Init(0) = 0\nHLX_DEV_GetDeviceCount() = 2\nHLX_Clean() = 0\n");
    hlxsim::LoadDefaultProfile();
}

TEST(SimEnvironment, ProfileFileIsReadOnInit) {
    TempFolder folder;
    folder.write("sink.bin", std::string("\x01\x02", 2));
    std::string good = folder.write(
        "p/good.ini", "[device]\nname = M9 [42] / HDMI TX\n[generator]\nedid = ../sink.bin\n");
    std::string bad = folder.write("bad.ini", "[generator]\nstore = all\n");
    hlxsim::Reset();
    setenv("HLX_SIM_PROFILE", bad.c_str(), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(HLX_Init(0), -1);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        "HLX simulator: " + bad + ": line 2: key 'store' takes full, digest or none, not 'all'\n");
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), -1);
    // A failed start does not stick: the next HLX_Init reads the variable again.
    setenv("HLX_SIM_PROFILE", good.c_str(), 1);
    ASSERT_EQ(HLX_Init(0), 0);
    unsetenv("HLX_SIM_PROFILE");
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), 1);
    ASSERT_EQ(HLX_DEV_Select(0), 0);
    uint8_t edid[8] = {};
    EXPECT_EQ(HLX_TS_GetConfigItem(0x1100, edid, 8), 2);
    EXPECT_EQ(edid[1], 2);
    hlxsim::LoadDefaultProfile();
}

TEST(SimEnvironment, WithoutAProfileTheDefaultIsUsed) {
    hlxsim::Reset();
    unsetenv("HLX_SIM_PROFILE");
    ASSERT_EQ(HLX_Init(0), 0);
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), 2);
    hlxsim::LoadDefaultProfile();
}
