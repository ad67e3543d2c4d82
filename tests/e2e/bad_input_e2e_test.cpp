// Bad input end to end: every case must end with exit code 1 (or 0 where the input is
// still usable), the program's own last message, no sanitizer report, within the time
// and memory limits of BoundedProgramTest.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "bounded_run.h"
#include "e2e_fixture.h"

namespace fs = std::filesystem;

namespace {

const std::string kScenario = ScenarioText();
const char* const kHdmiPlaylist =
    "[Device]\nserialnumber=SIM0001\nconnectortype=HDMI Out\n[Scenario]\npath=s1.txt\n";
const char* const kDpPlaylist =
    "[Device]\nserialnumber=SIM0001\nconnectortype=DisplayPort Out\n[Scenario]\npath=s1.txt\n";

const char* const kUploadError = "Error happened during upload.";
const char* const kPlaylistFailed = "Failed loading playlist!";
const char* const kAudioFailed = "Fatal: failed to read audio file";
const char* const kPacketsFailed = "Fatal: failed to read/upload packets!";
const char* const kEnded = "Playlist has ended.";
const char* const kNoMemory = "Not enough memory in the device!";

using Prepare = std::function<void(const TempFolder&)>;

std::string At(const TempFolder& folder, const std::string& name) {
    return folder.path() + "/" + name;
}

void Resize(const TempFolder& folder, const std::string& name, uintmax_t size) {
    // Past the end the file stays sparse: gigabytes cost no disk.
    fs::resize_file(At(folder, name), size);
}

void PatchLe(const TempFolder& folder, const std::string& name, std::streamoff offset,
             uint32_t value, int width) {
    std::fstream file(At(folder, name), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    for (int i = 0; i < width; ++i) file.put(static_cast<char>(value >> (8 * i)));
}

void Replace(const TempFolder& folder, const std::string& name, const std::string& from,
             const std::string& to) {
    std::string text = ReadFileText(At(folder, name));
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    folder.write(name, text.replace(at, from.size(), to));
}

void Append(const TempFolder& folder, const std::string& name, const std::string& text) {
    folder.write(name, ReadFileText(At(folder, name)) + text);
}

void MakeFolder(const TempFolder& folder, const std::string& name) {
    fs::remove(At(folder, name));
    fs::create_directories(At(folder, name));
}

// Bytes that hold no line feed, "=" or "[" often enough to look like settings.
std::string Garbage(size_t size) {
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

struct BadInput {
    std::string name;
    Prepare prepare;
    std::vector<std::string> expected;  // in this order; the last is the run's last line
    int exitCode = 1;
    std::string arguments = "--playlist p.ini";
};

std::ostream& operator<<(std::ostream& out, const BadInput& input) {
    return out << input.name;
}

class BadInputMatrix : public BoundedProgramTest, public ::testing::WithParamInterface<BadInput> {
  protected:
    void SetUp() override {
        DemoContent::Write(folder, 64, 4, 3);
        folder.write("s1.txt", kScenario);
        folder.write("p.ini", kHdmiPlaylist);
        folder.write("pdp.ini", kDpPlaylist);
    }
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

const BadInput kAudio[] = {
    {"WavCutInsideItsHeader",
     [](const TempFolder& f) { Resize(f, "content/tone.wav", 30); },
     {kAudioFailed, kUploadError}},
    // A recording that stopped early plays what it holds (the header's size is cut).
    {"WavSamplesCutShort",
     [](const TempFolder& f) { Resize(f, "content/tone.wav", 100); },
     {"Audio data size: 12288 bytes.", "Set audio parameters [2, 48000, 16] OK", kEnded},
     0},
    {"WavDataSizeClaims4GB",
     [](const TempFolder& f) { PatchLe(f, "content/tone.wav", 40, 0xFFFFFFF0u, 4); },
     {"Audio data size: 12288 bytes.", "Upload succeeded!", kEnded},
     0},
    // The samples are really there: their device data is sized, not read.
    {"WavHolding4GBOfSamples",
     [](const TempFolder& f) {
         PatchLe(f, "content/tone.wav", 40, 0xFFFFFFF0u, 4);
         Resize(f, "content/tone.wav", 44 + uintmax_t{0xFFFFFFF0u});
     },
     {"Audio data size: 8589938688 bytes.", kNoMemory, kUploadError}},
    {"WavWithZeroChannels",
     [](const TempFolder& f) { PatchLe(f, "content/tone.wav", 22, 0, 2); },
     {kAudioFailed, kUploadError}},
    {"WavEmpty",
     [](const TempFolder& f) { Resize(f, "content/tone.wav", 0); },
     {kAudioFailed, kUploadError}},
    {"WavMissing",
     [](const TempFolder& f) { fs::remove(At(f, "content/tone.wav")); },
     {"File tone.wav doesn't exist!", kUploadError}},
    {"WavIsAFolder",
     [](const TempFolder& f) { MakeFolder(f, "content/tone.wav"); },
     {kAudioFailed, kUploadError}},
    {"RawAudioOf3GB",
     [](const TempFolder& f) {
         f.write("content/tone.bin", "");
         Resize(f, "content/tone.bin", uintmax_t{3} << 30);
         Replace(f, "s1.txt", "tone.wav", "tone.bin");
     },
     {"Audio data size: 6442450944 bytes.", kNoMemory, kUploadError}},
};

const BadInput kPackets[] = {
    {"PacketFileEmpty",
     [](const TempFolder& f) { Resize(f, "content/pk0.bin", 0); },
     {"pk0.bin: the file is empty", kPacketsFailed, kUploadError}},
    {"PacketFileOf8GBForDisplayPort",
     [](const TempFolder& f) { Resize(f, "content/pk0.bin", uintmax_t{8} << 30); },
     {"pk0.bin: a DisplayPort packet of 8589934592 bytes is longer than its 4 header bytes and "
      "112 payload bytes",
      kPacketsFailed, kUploadError},
     1,
     "--playlist pdp.ini"},
    // HDMI packets use their first 32 bytes whatever the file's length.
    {"PacketFileOf8GBForHdmi",
     [](const TempFolder& f) { Resize(f, "content/pk0.bin", uintmax_t{8} << 30); },
     {"Loaded packet(s)", kEnded},
     0},
    {"PacketFileWithAnotherExtension",
     [](const TempFolder& f) {
         fs::rename(At(f, "content/pk0.bin"), At(f, "content/pk0.dat"));
         Replace(f, "s1.txt", "pk0.bin", "pk0.dat");
     },
     {"pk0.dat: the extension is not bin", kPacketsFailed, kUploadError}},
    {"PacketFileIsAFolder",
     [](const TempFolder& f) { MakeFolder(f, "content/pk0.bin"); },
     {"pk0.bin: the file cannot be opened", kPacketsFailed, kUploadError}},
};

const BadInput kVideo[] = {
    {"FrameOfWrongSize",
     [](const TempFolder& f) { Resize(f, "content/f001.bin", 100); },
     {"Not expected image size 100 for 64x4, Bpp = 0", "Failed to load content\\f001.bin",
      kUploadError}},
    {"FrameOf8GB",
     [](const TempFolder& f) { Resize(f, "content/f001.bin", uintmax_t{8} << 30); },
     {"Not expected image size 8589934592 for 64x4, Bpp = 33554432",
      "Failed to load content\\f001.bin", kUploadError}},
    {"FrameEmpty",
     [](const TempFolder& f) { Resize(f, "content/f001.bin", 0); },
     {"Not expected image size 0 for 64x4, Bpp = 0", "Failed to load content\\f001.bin",
      kUploadError}},
    {"FrameIsAFolder",
     [](const TempFolder& f) { MakeFolder(f, "content/f001.bin"); },
     {"Cannot open content\\f001.bin", "Failed to load content\\f001.bin", kUploadError}},
    {"FrameMissing",
     [](const TempFolder& f) { Replace(f, "s1.txt", "f000.bin", "clip.bin"); },
     {"File clip.bin doesn't exist!", kUploadError}},
    {"ZeroTiming",
     [](const TempFolder& f) {
         std::string text = kScenario;
         f.write("s1.txt", text.substr(text.find("colorspace")));
     },
     {"No timings specified in the scenario!"}},
};

const BadInput kFiles[] = {
    {"PlaylistMissing",
     [](const TempFolder& f) { fs::remove(At(f, "p.ini")); },
     {"Playlist file p.ini does not exist!",
      "  --reset-sink-before-capture\tResets the Sink device when starting capture "
      "application."}},
    {"PlaylistEmpty", [](const TempFolder& f) { f.write("p.ini", ""); }, {kPlaylistFailed}},
    {"PlaylistIsAFolder", [](const TempFolder& f) { MakeFolder(f, "p.ini"); }, {kPlaylistFailed}},
    {"PlaylistOfBinaryGarbage",
     [](const TempFolder& f) { f.write("p.ini", Garbage(100000)); },
     {kPlaylistFailed}},
    {"PlaylistOf8GB",
     [](const TempFolder& f) { Resize(f, "p.ini", uintmax_t{8} << 30); },
     {"File p.ini is too large to read.", kPlaylistFailed}},
    {"ScenarioMissing",
     [](const TempFolder& f) { fs::remove(At(f, "s1.txt")); },
     {kPlaylistFailed}},
    {"ScenarioEmpty", [](const TempFolder& f) { f.write("s1.txt", ""); }, {kPlaylistFailed}},
    {"ScenarioIsAFolder", [](const TempFolder& f) { MakeFolder(f, "s1.txt"); }, {kPlaylistFailed}},
    {"ScenarioOf8GB",
     [](const TempFolder& f) { Resize(f, "s1.txt", uintmax_t{8} << 30); },
     {"File s1.txt is too large to read.", kPlaylistFailed}},
    {"ScenarioModeWithMissingFile",
     [](const TempFolder&) {},
     {"Scenario file none.txt does not exist!",
      "  --reset-sink-before-capture\tResets the Sink device when starting capture "
      "application."},
     1,
     "--scenario none.txt --interface HDMI"},
};

const BadInput kOrder[] = {
    {"PlayingOrderOf5000000Steps",
     [](const TempFolder& f) {
         Replace(f, "s1.txt", "porder=0-2:40:0:256", "porder=0-4999999:1::256");
     },
     {"Scenario: FATAL error, playing order has more than 1048576 steps", kUploadError}},
    {"PlayingOrderOf2000000Items",
     [](const TempFolder& f) {
         std::string order = "porder=";
         for (int i = 0; i < 2000000; ++i) order += "0:1:0:256;";
         Append(f, "s1.txt", order + "\n");
     },
     {"Scenario: FATAL error, playing order has more than 1048576 steps", kUploadError}},
    {"TwoMegabyteNumber",
     [](const TempFolder& f) {
         Append(f, "s1.txt", "bitspercolor=" + std::string(2 << 20, '7') + "\n");
     },
     {"Invalid number '" + std::string(64, '7') + "...' for key 'bitspercolor' in s1.txt, line 16.",
      kPlaylistFailed}},
    {"TwoMegabyteVideoPath",
     [](const TempFolder& f) {
         Append(f, "s1.txt", "video=" + std::string(2 << 20, 'v') + ".bin\n");
     },
     {"File " + std::string(2 << 20, 'v') + ".bin doesn't exist!", kUploadError}},
    {"TwoMegabyteCaption",
     [](const TempFolder& f) { Append(f, "p.ini", "caption=" + std::string(2 << 20, 'c') + "\n"); },
     {"Upload succeeded!", kEnded},
     0},
};

std::string CaseName(const ::testing::TestParamInfo<BadInput>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Audio, BadInputMatrix, ::testing::ValuesIn(kAudio), CaseName);
INSTANTIATE_TEST_SUITE_P(Packets, BadInputMatrix, ::testing::ValuesIn(kPackets), CaseName);
INSTANTIATE_TEST_SUITE_P(Video, BadInputMatrix, ::testing::ValuesIn(kVideo), CaseName);
INSTANTIATE_TEST_SUITE_P(Files, BadInputMatrix, ::testing::ValuesIn(kFiles), CaseName);
INSTANTIATE_TEST_SUITE_P(Order, BadInputMatrix, ::testing::ValuesIn(kOrder), CaseName);

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
