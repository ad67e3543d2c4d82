// Bad input end to end: every case must end with exit code 1 (or 0 where the input is
// still usable), the program's own last message, no sanitizer report, within the time
// and memory limits of BoundedProgramTest.
#include <gtest/gtest.h>

#include "bad_inputs.h"
#include "bounded_run.h"
#include "e2e_fixture.h"

namespace {

class BadInputMatrix : public BoundedProgramTest, public ::testing::WithParamInterface<BadInput> {
  protected:
    void SetUp() override { WriteBadInputBase(folder); }
};

TEST_P(BadInputMatrix, EndsWithItsOwnMessage) {
    const BadInput& input = GetParam();
    input.prepare(folder);
    const ProgramRun run = Run(input.arguments);
    EXPECT_NE(run.exitCode, kTimedOut) << "no end within the time limit";
    EXPECT_EQ(run.exitCode, input.exitCode);
    EXPECT_FALSE(HasSanitizerReport(run.output));
    EXPECT_TRUE(HasInOrder(input.expected)) << run.output.substr(0, 20000);
    EXPECT_EQ(LastLine().substr(0, 200), input.expected.back().substr(0, 200));
}

std::string CaseName(const ::testing::TestParamInfo<BadInput>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Audio, BadInputMatrix, ::testing::ValuesIn(kBadAudio), CaseName);
INSTANTIATE_TEST_SUITE_P(Packets, BadInputMatrix, ::testing::ValuesIn(kBadPackets), CaseName);
INSTANTIATE_TEST_SUITE_P(Video, BadInputMatrix, ::testing::ValuesIn(kBadVideo), CaseName);
INSTANTIATE_TEST_SUITE_P(Files, BadInputMatrix, ::testing::ValuesIn(kBadFiles), CaseName);
INSTANTIATE_TEST_SUITE_P(Order, BadInputMatrix, ::testing::ValuesIn(kBadOrder), CaseName);

}  // namespace

namespace {

struct NumberKey {
    const char* key;
    const char* outOfRange;  // one past the range of the key's type
};

// Every numeric key of a scenario file.
const NumberKey kScenarioNumbers[] = {
    {"align12", "2147483648"},        {"scrambler", "-2147483649"},
    {"audioswap", "2147483648"},      {"audiocompressed", "2147483648"},
    {"audiosync", "4294967296"},      {"strict", "2147483648"},
    {"bitspercolor", "4294967296"},   {"audiosampling", "4294967296"},
    {"audiochannels", "4294967296"},  {"audiobits", "4294967296"},
    {"timing.hactive", "4294967296"}, {"timing.vactive", "4294967296"},
    {"timing.htotal", "4294967296"},  {"timing.vtotal", "4294967296"},
    {"timing.hstart", "4294967296"},  {"timing.vstart", "4294967296"},
    {"timing.hsync", "2147483648"},   {"timing.vsync", "-2147483649"},
    {"timing.frate", "2147483648"},
};
// Every numeric key of a playlist, 64 bits wide.
const NumberKey kDeviceNumbers[] = {{"reset", "18446744073709551616"},
                                    {"strict", "18446744073709551616"}};
const NumberKey kEntryNumbers[] = {{"period", "18446744073709551616"},
                                   {"close-after-upload", "18446744073709551616"}};

class InvalidNumbers : public BoundedProgramTest {
  protected:
    void SetUp() override { DemoContent::Write(folder, 64, 4, 1); }

    void ExpectRefused(const std::string& value, const std::string& key, const std::string& file,
                       int line) {
        SCOPED_TRACE(key + "=" + value);
        const ProgramRun run = Run("--playlist p.ini");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_FALSE(HasSanitizerReport(run.output));
        EXPECT_TRUE(HasInOrder({"Invalid number '" + value + "' for key '" + key + "' in " + file +
                                    ", line " + std::to_string(line) + ".",
                                kPlaylistFailed}))
            << run.output;
        EXPECT_EQ(LastLine(), kPlaylistFailed);
    }
};

TEST_F(InvalidNumbers, EveryScenarioKeyRefusesTextAndOutOfRangeValues) {
    folder.write("p.ini", kHdmiPlaylist);
    for (const NumberKey& number : kScenarioNumbers) {
        for (const std::string value : {"x12", number.outOfRange}) {
            folder.write("s1.txt", std::string(kScenario) + number.key + "=" + value + "\n");
            ExpectRefused(value, number.key, "s1.txt", 16);
        }
    }
}

TEST_F(InvalidNumbers, EveryPlaylistKeyRefusesTextAndOutOfRangeValues) {
    folder.write("s1.txt", kScenario);
    const std::string device = "[Device]\nserialnumber=SIM0001\nconnectortype=HDMI Out\n";
    for (const NumberKey& number : kDeviceNumbers) {
        for (const std::string value : {"-x", number.outOfRange}) {
            folder.write("p.ini",
                         device + number.key + " = " + value + "\n[Scenario]\npath=s1.txt\n");
            ExpectRefused(value, number.key, "p.ini", 4);
        }
    }
    for (const NumberKey& number : kEntryNumbers) {
        for (const std::string value : {"one", number.outOfRange}) {
            folder.write("p.ini",
                         device + "[Scenario]\npath=s1.txt\n" + number.key + "=" + value + "\n");
            ExpectRefused(value, number.key, "p.ini", 6);
        }
    }
}

}  // namespace
