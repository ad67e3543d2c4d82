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

