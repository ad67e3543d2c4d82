// tavrel-content end to end: what it writes is what the program's check and preview read
// back, InfoFrames are CTA-861's bytes, and its scenario plays on the simulator.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "e2e_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ContentKit : public ProgramTest {
  protected:
    ProgramRun Content(const std::string& arguments) {
        return RunProgram(ShellQuote(TAVREL_CONTENT_PATH) + " " + arguments, folder.path(), {},
                          true);
    }
    Bytes File(const std::string& name) const {
        const std::string text = ReadFileText(At(folder, name));
        return Bytes(text.begin(), text.end());
    }
    // Whether --check of a demo scenario sending the packet file describes it so.
    bool CheckDescribes(const std::string& packet, const std::string& interface,
                        const std::string& description) {
        folder.write("content/pk0.bin", File(packet));
        Run("--scenario s.txt --interface " + interface + " --check");
        return HasLine("  Packet 0 pk0.bin: " + description + ".");
    }
    // ffmpeg's testsrc2 in a file below the folder; false where ffmpeg cannot run.
    bool Ffmpeg(const std::string& size, const std::string& output) {
        return HasPosixShell() && RunProgram("ffmpeg -loglevel error -f lavfi -i testsrc2=size=" +
                                                 size + ":rate=60 " + output,
                                             folder.path())
                                          .exitCode == 0;
    }
};

constexpr const char* kNoFfmpeg = "ffmpeg is not installed";

// The bytes written from CTA-861's tables: HB0-HB2, then PB1 on (PB0, the checksum, is
// computed here and must make the packet sum to 0); and how the check decodes them.
struct InfoFrameCase {
    const char* description;
    Bytes header;
    Bytes data;
    const char* name;     // before "InfoFrame" (or "InfoFrame SDP") in the check's note
    const char* decoded;  // after it
};

const InfoFrameCase kInfoFrames[] = {
    {"type=avi\nformat=rgb\ncolorimetry=bt709\nquantization=limited\nvic=16",
     {0x82, 0x02, 0x0D},
     {0x00, 0x80, 0x04, 0x10},
     "AVI",
     "v2, 13 bytes: RGB, colorimetry BT.709, VIC 16, RGB range limited"},
    // YCbCr 4:4:4, extended colorimetry BT.2020 (EC 110), full range in YQ (the check
    // shows the RGB range alone).
    {"type=avi\nformat=yuv444\ncolorimetry=bt2020\nquantization=full\nvic=97",
     {0x82, 0x02, 0x0D},
     {0x40, 0xC0, 0x60, 0x61, 0x40},
     "AVI",
     "v2, 13 bytes: YCbCr 4:4:4, colorimetry extended 6, VIC 97, RGB range default"},
    {"type=drm\neotf=pq\nprimaries=bt2020\nwhite=d65\nmax-luminance=1000\n"
     "min-luminance=0.005\nmax-cll=1000\nmax-fall=400",
     {0x87, 0x01, 0x1A},
     {0x02, 0x00, 0x48, 0x8A, 0x08, 0x39, 0x34, 0x21, 0xAA, 0x9B, 0x96, 0x19, 0xFC,
      0x08, 0x13, 0x3D, 0x42, 0x40, 0xE8, 0x03, 0x32, 0x00, 0xE8, 0x03, 0x90, 0x01},
     "Dynamic Range and Mastering",
     "v1, 26 bytes: EOTF SMPTE ST 2084, mastering 1000 to 0.0050 cd/m2, MaxCLL 1000 cd/m2, "
     "MaxFALL 400 cd/m2"},
    {"type=audio\nchannels=8",
     {0x84, 0x01, 0x0A},
     {0x07, 0x00, 0x00, 0x13},
     "Audio",
     "v1, 10 bytes: 8 channels"},
    {"type=vendor\noui=0x00D046\nversion=1\npayload=01 02",
     {0x81, 0x01, 0x05},
     {0x46, 0xD0, 0x00, 0x01, 0x02},
     "Vendor-Specific",
     "(Dolby) v1, 5 bytes"},
};

TEST_F(ContentKit, InfoFramesHoldCtaBytesThatSumToZeroAndTheCheckDecodesThem) {
    DemoContent::Write(folder, 64, 4, 3);
    folder.write("s.txt", ScenarioText());
    for (const InfoFrameCase& c : kInfoFrames) {
        folder.write("d.txt", c.description);
        ASSERT_EQ(Content("infoframe d.txt --out p.bin").exitCode, 0) << c.description;
        Bytes expected = c.header;
        expected.push_back(0);
        expected.insert(expected.end(), c.data.begin(), c.data.end());
        expected.resize(31, 0);
        uint8_t sum = 0;
        for (uint8_t byte : expected) sum = static_cast<uint8_t>(sum + byte);
        expected[3] = static_cast<uint8_t>(-sum);
        EXPECT_EQ(File("p.bin"), expected) << c.description;
        // The DisplayPort SDP: HB0 0, HB1 the type, 0x1D, version 0x13 << 2, then the
        // InfoFrame's version, length and data without a checksum, padded to 32 bytes.
        ASSERT_EQ(Content("infoframe d.txt --out dp.bin --displayport").exitCode, 0);
        Bytes sdp = {0x00, c.header[0], 0x1D, 0x4C, c.header[1], c.header[2]};
        sdp.insert(sdp.end(), c.data.begin(), c.data.end());
        sdp.resize(36, 0);
        EXPECT_EQ(File("dp.bin"), sdp) << c.description;
        const std::string name = c.name;
        EXPECT_TRUE(CheckDescribes("p.bin", "HDMI", name + " InfoFrame " + c.decoded)) << name;
        EXPECT_TRUE(CheckDescribes("dp.bin", "DisplayPort", name + " InfoFrame SDP " + c.decoded));
    }
    folder.write("d.txt", "type=avi\n\nfromat=rgb\n");
    const ProgramRun bad = Content("infoframe d.txt --out p.bin");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(OutputLines(bad.output),
              std::vector<std::string>{"d.txt, line 3: unknown key 'fromat' for type=avi"});
}

// Planar 10-bit samples in the low bits become packed words Y, Cb, Cr shifted left by 6.
TEST_F(ContentKit, Y4m10BitIsPackedAsShiftedWords) {
    if (!Ffmpeg("64x36", "-frames:v 2 -pix_fmt yuv444p10le -strict -1 -f yuv4mpegpipe c.y4m")) {
        GTEST_SKIP() << kNoFfmpeg;
    }
    ASSERT_EQ(Content("frames c.y4m --colorspace YUV444 --bits 10 --out f/c000.bin").exitCode, 0);
    const Bytes y4m = File("c.y4m");
    size_t at = std::string(y4m.begin(), y4m.end()).find('\n') + 1;
    const size_t plane = 64 * 36 * 2;
    for (const char* frame : {"f/c000.bin", "f/c001.bin"}) {
        at += 6;  // "FRAME\n"
        Bytes packed;
        for (size_t pixel = 0; pixel < 64 * 36; ++pixel) {
            for (size_t component = 0; component < 3; ++component) {
                const uint8_t* sample = &y4m[at + component * plane + 2 * pixel];
                const uint16_t word = static_cast<uint16_t>((sample[0] | sample[1] << 8) << 6);
                packed.push_back(static_cast<uint8_t>(word));
                packed.push_back(static_cast<uint8_t>(word >> 8));
            }
        }
        EXPECT_EQ(File(frame), packed) << frame;
        at += 3 * plane;
    }
    // ffmpeg writes grey in full range: it is moved into limited range, chroma at its zero.
    ASSERT_TRUE(Ffmpeg("64x36", "-frames:v 1 -pix_fmt gray -f yuv4mpegpipe m.y4m"));
    ASSERT_EQ(Content("frames m.y4m --colorspace YUV444 --bits 8 --out m.bin").exitCode, 0);
    const Bytes grey = File("m.y4m"), mono = File("m.bin");
    const size_t samples = std::string(grey.begin(), grey.end()).find("FRAME\n") + 6;
    ASSERT_EQ(mono.size(), 64u * 36 * 3);
    for (size_t i = 0; i < 64 * 36; ++i) {
        const Bytes expected = {uint8_t(std::lround(16 + grey[samples + i] * 219 / 255.0)), 128,
                                128};
        ASSERT_EQ(Bytes(mono.begin() + 3 * i, mono.begin() + 3 * i + 3), expected) << i;
    }
    ASSERT_TRUE(Ffmpeg("64x36", "-frames:v 1 -pix_fmt yuv420p -f yuv4mpegpipe s.y4m"));
    const ProgramRun subsampled = Content("frames s.y4m --colorspace YUV444 --bits 10 --out g.bin");
    EXPECT_EQ(subsampled.exitCode, 1);
    EXPECT_NE(subsampled.output.find("-pix_fmt yuv444p10le -strict -1"), std::string::npos);
}

struct RoundTrip {
    const char* colorspace;
    const char* bits;
    int maxLevels;  // the largest difference of a channel between preview and PNG
};

const RoundTrip kRoundTrips[] = {
    {"RGB444", "8", 0}, {"YUV444", "8", 2}, {"YUV444", "10", 2}, {"RGB444", "10", 0}};

int MaxDifference(const std::string& a, const std::string& b) {
    int width[2], height[2], components = 0;
    uint8_t* pixels[2] = {stbi_load(a.c_str(), &width[0], &height[0], &components, 3),
                          stbi_load(b.c_str(), &width[1], &height[1], &components, 3)};
    int most = 256;
    if (pixels[0] && pixels[1] && width[0] == width[1] && height[0] == height[1]) {
        most = 0;
        for (size_t i = 0; i < size_t(width[0]) * height[0] * 3; ++i) {
            most = std::max(most, std::abs(pixels[0][i] - pixels[1][i]));
        }
    }
    stbi_image_free(pixels[0]);
    stbi_image_free(pixels[1]);
    return most;
}

TEST_F(ContentKit, PngFramesPreviewAsThePngAndTheirScenarioPlays) {
    if (!Ffmpeg("1920x1080", "-frames:v 1 t.png")) GTEST_SKIP() << kNoFfmpeg;
    for (const RoundTrip& trip : kRoundTrips) {
        const std::string name = std::string(trip.colorspace) + trip.bits;
        ASSERT_EQ(Content("frames t.png --colorspace " + std::string(trip.colorspace) + " --bits " +
                          trip.bits + " --out " + name + "/f000.bin --scenario " + name +
                          "/s.txt --rate 60")
                      .exitCode,
                  0);
        EXPECT_EQ(
            Run("--scenario " + name + "/s.txt --interface HDMI --check --preview p").exitCode, 0);
        EXPECT_LE(MaxDifference(At(folder, "t.png"), At(folder, "p/scenario1/frame0.png")),
                  trip.maxLevels)
            << name;
    }
    const std::string scenario = ReadFileText(At(folder, "RGB4448/s.txt"));
    for (const char* line : {"video=f000.bin\n", "timing.htotal=2200\n", "timing.vtotal=1125\n",
                             "timing.hstart=192\n", "timing.vstart=41\n", "timing.hsync=44\n",
                             "timing.vsync=5\n", "timing.frate=60000\n", "porder=0:1::256"}) {
        EXPECT_NE(scenario.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(Run("--scenario RGB4448/s.txt --interface HDMI").exitCode, 0);
    EXPECT_TRUE(HasLine("Upload succeeded!"));
    EXPECT_TRUE(TraceHas("HLX_VOUT_Enable(0) = 0"));
}

TEST_F(ContentKit, DemoMakesItsFolderAndHelpIsNoFolder) {
    EXPECT_EQ(Content("demo made/content").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(At(folder, "made/content/avi0.bin")));
    const ProgramRun help = Content("demo --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output.rfind("tavrel-content, version ", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(At(folder, "--help")));
}

}  // namespace
