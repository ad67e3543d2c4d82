#include "edid/sink_edid.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "edid/edid_builder.h"
#include "files/paths.h"
#include "sim_device.h"
#include "support.h"

using namespace edidtest;

namespace {

// One transmitter whose sink has this EDID; `extra` adds [generator] keys.
std::string ProfileWithEdid(const Bytes& edid, const std::string& extra = "") {
    return "[device]\nname = KVX-4 [SIM0001] / HDMI TX\nflags = 16\noutputs = "
           "HDMI TX\n"
           "[generator]\nedid-hex = " +
           HexWords(edid) + "\n" + extra;
}

// The trace line of the EDID read that delivered these bytes.
std::string EdidReadTrace(const Bytes& delivered, int32_t status) {
    char line[128];
    std::snprintf(line, sizeof(line), "HLX_TS_GetConfigItem(0x00001100, 8192) = %d #%08x", status,
                  hlxsim::Crc32(delivered.data(), delivered.size()));
    return line;
}

Bytes EdidWithVsvdb() {
    EdidBuilder edid;
    edid.cta({Adb(), Vsvdb(12, 0x40)});
    return edid.bytes();
}

const char kPresentLine[] = "VSVDB is present: EB 01 46 D0 00 40 40 40 40 40 40 40 ";

class SinkEdid : public ::testing::Test {
  protected:
    void load(const std::string& profile) {
        device = std::make_unique<SimDevice>(profile);
        ASSERT_TRUE(device->loaded()) << device->error();
        device->open();
    }
    std::string path(const std::string& name) const { return folder.path() + "/" + name; }

    TempFolder folder;
    LogCapture log;
    std::unique_ptr<SimDevice> device;
};

}  // namespace

TEST_F(SinkEdid, ReportsTheVsvdbAndSavesTheWholeBuffer) {
    const Bytes edid = EdidWithVsvdb();
    load(ProfileWithEdid(edid));
    EXPECT_TRUE(ReadSinkEdid(path("sink.bin")));
    EXPECT_EQ(log.lines, (std::vector<std::string>{kPresentLine}));
    EXPECT_EQ(device->trace(), (std::vector<std::string>{EdidReadTrace(edid, 256)}));
    Bytes expected = edid;
    expected.resize(8192, 0);
    std::vector<uint8_t> file;
    ASSERT_TRUE(readWholeFile(path("sink.bin"), file));
    EXPECT_EQ(file, expected);
}

TEST_F(SinkEdid, BaseBlockOnlyIsNotPresentAndStillSaved) {
    load(ProfileWithEdid(EdidBuilder().bytes()));
    EXPECT_TRUE(ReadSinkEdid(path("sink.bin")));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"VSVDB is not present"}));
    EXPECT_EQ(fileSize(path("sink.bin")), 8192);
}

TEST_F(SinkEdid, EmptyPathWritesNoFile) {
    load(ProfileWithEdid(EdidWithVsvdb()));
    EXPECT_TRUE(ReadSinkEdid(""));
    EXPECT_EQ(log.lines, (std::vector<std::string>{kPresentLine}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(SinkEdid, RefusedReadFailsAndWritesNothing) {
    load(ProfileWithEdid(EdidWithVsvdb(), "fail-get = 4352\n"));
    EXPECT_FALSE(ReadSinkEdid(path("sink.bin")));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Reading EDID failed!"}));
    EXPECT_EQ(device->trace(),
              (std::vector<std::string>{"HLX_TS_GetConfigItem(0x00001100, 8192) = -1"}));
    EXPECT_FALSE(fileExists(path("sink.bin")));
}

TEST_F(SinkEdid, UnwritableFileIsAFailureNamingIt) {
    load(ProfileWithEdid(EdidWithVsvdb()));
    const std::string target = path("missing/sink.bin");
    EXPECT_FALSE(ReadSinkEdid(target));
    EXPECT_EQ(log.lines, (std::vector<std::string>{kPresentLine,
                                                   "Writing EDID file '" + target + "' failed!"}));
}

// A library that claims more bytes than the buffer holds: the walk stays in the
// buffer and still finds a VSVDB that ends right before the last extension's last byte.
TEST_F(SinkEdid, ClaimBeyondTheBufferIsTakenAsTheBuffer) {
    EdidBuilder edid;
    for (int k = 1; k < 63; ++k) edid.other(0xF0);
    edid.cta({DataBlock(2, Bytes(31, 0)), DataBlock(2, Bytes(31, 0)), DataBlock(2, Bytes(31, 0)),
              Vsvdb(27)},
             255);
    Bytes bytes = edid.bytes();
    bytes.resize(8192);
    load(ProfileWithEdid(bytes, "edid-claim = 100000\n"));
    EXPECT_TRUE(ReadSinkEdid(""));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].substr(0, 33), "VSVDB is present: FA 01 46 D0 00 ");
    EXPECT_EQ(log.lines[0].size(), 18u + 27 * 3);
}
