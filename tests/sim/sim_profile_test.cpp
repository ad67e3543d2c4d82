// The simulator's profile: keys, errors, the built-in EDID, and injected faults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_calls.h"
#include "sim_device.h"
#include "support.h"

using namespace simtest;

namespace {

const std::string kOneDevice = "[device]\nname = M [1] / HDMI TX\noutputs = HDMI TX\n";

uint8_t checksum(const std::vector<uint8_t>& edid, size_t block) {
    uint8_t sum = 0;
    for (size_t i = 0; i < 128; ++i) sum = static_cast<uint8_t>(sum + edid[128 * block + i]);
    return sum;
}

}  // namespace

TEST(SimEdid, DefaultHasACtaExtensionWithADolbyVsvdb) {
    SimDevice sim;
    sim.open();
    std::vector<uint8_t> edid;
    ASSERT_EQ(get(4352, edid, 8192), 256);
    EXPECT_EQ(edid[256], 0xFF);  // nothing written past the EDID
    EXPECT_EQ(std::vector<uint8_t>(edid.begin(), edid.begin() + 8),
              (std::vector<uint8_t>{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}));
    EXPECT_EQ(edid[126], 1);
    EXPECT_EQ(checksum(edid, 0), 0);
    EXPECT_EQ(checksum(edid, 1), 0);
    EXPECT_EQ(edid[128], 0x02);
    EXPECT_EQ(edid[129], 0x03);
    // Walk the data block collection up to the descriptor offset.
    size_t d = edid[130];
    size_t vsvdb = 0;
    for (size_t offset = 4; offset < d; offset += (edid[128 + offset] & 0x1F) + 1u) {
        const uint8_t* b = &edid[128 + offset];
        if (b[0] >> 5 == 7 && b[1] == 1 && b[2] == 0x46 && b[3] == 0xD0 && b[4] == 0) {
            vsvdb = 128 + offset;
        }
    }
    ASSERT_NE(vsvdb, 0u);
    EXPECT_EQ(edid[vsvdb], 0xEB);
    EXPECT_LE(vsvdb + 12 - 128, d);
}

TEST(SimEdid, ClaimAndShortBuffers) {
    SimDevice sim(kOneDevice + "[generator]\nedid-hex = 00 11 22 33\nedid-claim = 300\n");
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(get(4352, got, 8), 300);
    EXPECT_EQ(got, (std::vector<uint8_t>{0x00, 0x11, 0x22, 0x33, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(sim.trace(), std::vector<std::string>{
                               "HLX_TS_GetConfigItem(0x00001100, 8) = 300 00112233ffffffff"});
}

TEST(SimEdid, ReadFromAFileBesideTheProfile) {
    TempFolder folder;
    folder.write("sinks/sink.bin", std::vector<uint8_t>{1, 2, 3, 4, 5});
    SimDevice sim(kOneDevice + "[generator]\nedid = sinks/sink.bin\n", folder.path());
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(get(4352, got, 3), 5);  // the length, though only 3 bytes fitted
    EXPECT_EQ(got, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(SimProfile, GeneratorValues) {
    SimDevice sim(kOneDevice +
                  "# comment\n[generator]\n  dp-lanes = 2   ; two lanes\ndp-rate = 0x0A\n"
                  "info = build #7;b\n");
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(get(1931, got, 4), 4);
    EXPECT_EQ(value(got, 4), 2u);
    EXPECT_EQ(get(1932, got, 4), 4);
    EXPECT_EQ(value(got, 4), 10u);
    EXPECT_EQ(get(0x80000001, got, 1024), 6);  // the comment is not part of the text
    EXPECT_STREQ(reinterpret_cast<const char*>(got.data()), "build");
    EXPECT_EQ(get(0x80000001, got, 4), 4);  // cut to the buffer, still terminated
    EXPECT_EQ(std::string(got.begin(), got.end()), std::string("bui\0", 4));
}

TEST(SimProfile, DefaultTextLoadsAsTheDefault) {
    std::string error;
    ASSERT_TRUE(hlxsim::LoadProfile(hlxsim::DefaultProfileText(), ".", &error)) << error;
    EXPECT_NE(hlxsim::DefaultProfileText().find("name = KVX-4 [SIM0001] / DisplayPort TX\n"),
              std::string::npos);
    hlxsim::LoadDefaultProfile();
}

struct ProfileErrorCase {
    std::string text;
    std::string error;
};

class SimProfileError : public testing::TestWithParam<ProfileErrorCase> {};

TEST_P(SimProfileError, NamesTheLineAndTheProblem) {
    const ProfileErrorCase& c = GetParam();
    std::string error;
    EXPECT_FALSE(hlxsim::LoadProfile(c.text, "/nowhere", &error));
    EXPECT_EQ(error, c.error);
    // The state falls back to the built-in profile.
    ASSERT_EQ(HLX_Init(0), 0);
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), 2);
    hlxsim::LoadDefaultProfile();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimProfileError,
    testing::Values(
        ProfileErrorCase{"[device]\nname = a [1] / b\ncolour = red\n",
                         "line 3: unknown key 'colour' in [device]"},
        ProfileErrorCase{"[generator]\nspeed = 1\n", "line 2: unknown key 'speed' in [generator]"},
        ProfileErrorCase{"\n[devices]\n", "line 2: unknown section [devices]"},
        ProfileErrorCase{"memory = 1\n", "line 1: key 'memory' outside a section"},
        ProfileErrorCase{"[generator]\nmemory\n", "line 2: expected 'key = value' or [section]"},
        ProfileErrorCase{"[generator]\nmemory = 12k\n",
                         "line 2: invalid number '12k' for key 'memory'"},
        ProfileErrorCase{"[generator]\nmemory = 18446744073709551616\n",
                         "line 2: invalid number '18446744073709551616' for key 'memory'"},
        ProfileErrorCase{"[generator]\ndp-lanes = 4294967296\n",
                         "line 2: invalid number '4294967296' for key 'dp-lanes'"},
        ProfileErrorCase{"[generator]\nedid-claim = -1\n",
                         "line 2: invalid number '-1' for key 'edid-claim'"},
        ProfileErrorCase{"[generator]\nfail-set = 1,,2\n",
                         "line 2: empty entry in the list of key 'fail-set'"},
        ProfileErrorCase{"[generator]\nfail-init = yes\n",
                         "line 2: key 'fail-init' takes 0 or 1, not 'yes'"},
        ProfileErrorCase{"[generator]\nwrite-rate = 0\n",
                         "line 2: key 'write-rate' takes 1 or more bytes per second, not '0'"},
        ProfileErrorCase{"[generator]\nstore = some\n",
                         "line 2: key 'store' takes full, digest or none, not 'some'"},
        ProfileErrorCase{"[generator]\nedid-hex = 00 1\n",
                         "line 2: odd number of hex digits in edid-hex"},
        ProfileErrorCase{"[generator]\nedid-hex = 0g\n",
                         "line 2: invalid hex digit 'g' in edid-hex"},
        ProfileErrorCase{"[generator]\nedid = sink.bin\n",
                         "line 2: cannot open EDID file '/nowhere/sink.bin'"},
        ProfileErrorCase{"[device]\nflags = 16\n[generator]\n", "line 1: [device] has no name"},
        ProfileErrorCase{"[device]\noutputs = a\n", "line 1: [device] has no name"}));

TEST(SimProfile, FileErrorsNameTheFile) {
    TempFolder folder;
    std::string path = folder.write("bad.ini", "[generator]\nfail-get = x\n");
    std::string error;
    EXPECT_FALSE(hlxsim::LoadProfileFile(path, &error));
    EXPECT_EQ(error, path + ": line 2: invalid number 'x' for key 'fail-get'");
    EXPECT_FALSE(hlxsim::LoadProfileFile(folder.path() + "/missing.ini", &error));
    EXPECT_EQ(error, folder.path() + "/missing.ini: cannot open the profile");
    hlxsim::LoadDefaultProfile();
}

TEST(SimFaults, FromTheProfile) {
    SimDevice sim(kOneDevice +
                  "[generator]\nfail-set = 0x5002B000, 2179\nfail-get = 4352\n"
                  "fail-register = 8193\nfail-clean = 1\n");
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(set32(0x5002B000, 1), -1);
    EXPECT_FALSE(hlxsim::HasItem(0x5002B000));
    EXPECT_EQ(setLayout({1}), -1);
    EXPECT_EQ(get(4352, got, 8192), -1);
    EXPECT_EQ(writeRegister(8193, 4), -1);
    EXPECT_EQ(get(0xFF00001, got, 8), -1);
    EXPECT_EQ(set(0xFF00004, {1}), -1);
    EXPECT_EQ(hlxsim::Register(8193), 0u);
    EXPECT_EQ(writeRegister(8194, 4), 0);
    EXPECT_EQ(HLX_Clean(), -1);
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), 1);  // still initialised
    EXPECT_EQ(sim.trace()[2], "HLX_TS_GetConfigItem(0x00001100, 8192) = -1");
}

TEST(SimFaults, InitCanFail) {
    std::string error;
    ASSERT_TRUE(hlxsim::LoadProfile(kOneDevice + "[generator]\nfail-init = 1\n", ".", &error));
    EXPECT_EQ(HLX_Init(0), -1);
    EXPECT_EQ(HLX_DEV_GetDeviceCount(), -1);
    hlxsim::LoadDefaultProfile();
}

TEST(SimFaults, FromTheControlInterface) {
    SimDevice sim;
    sim.open();
    std::vector<uint8_t> got;
    ASSERT_EQ(set32(0x703, 2), 0);
    hlxsim::FailSet(0x703);
    hlxsim::FailGet(0x703);
    hlxsim::FailRegister(6146);
    EXPECT_EQ(set32(0x703, 5), -1);
    EXPECT_EQ(get(0x703, got, 4), -1);
    EXPECT_EQ(value(hlxsim::ItemBytes(0x703), 4), 2u);  // the failed set changed nothing
    EXPECT_EQ(writeRegister(6146, 1), -1);
    hlxsim::FailGet(0x703, false);
    EXPECT_EQ(get(0x703, got, 4), 4);
    EXPECT_EQ(set32(0x703, 5), -1);
    hlxsim::ClearFaults();
    EXPECT_EQ(set32(0x703, 5), 0);
    EXPECT_EQ(writeRegister(6146, 1), 0);
}
