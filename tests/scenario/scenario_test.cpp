#include "scenario/scenario.h"

#include <gtest/gtest.h>

#include <functional>

#include "scenario/read_error.h"
#include "support.h"

namespace {

const std::string kPath = "D:\\tests\\sc1.txt";

ScenarioSettings parse(const std::string& text, const std::string& path = kPath) {
    return parseScenarioText(path, text);
}

struct PathCase {
    const char* base;
    const char* line;
    const char* video;
};

class ScenarioContentPath : public testing::TestWithParam<PathCase> {};

TEST_P(ScenarioContentPath, ResolvesAgainstTheScenarioFolder) {
    EXPECT_EQ(parse(GetParam().line, GetParam().base).video, GetParam().video) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScenarioContentPath,
    testing::Values(PathCase{kPath.c_str(), "video=frames\\clip.bin;;",
                             "D:\\tests\\frames\\clip.bin"},
                    PathCase{kPath.c_str(), "video=a.bin;b.bin", "D:\\tests\\a.bin;b.bin"},
                    PathCase{kPath.c_str(), "video=E:\\clips\\a.bin", "E:\\clips\\a.bin"},
                    PathCase{kPath.c_str(), "video=//server/share/a.bin", "//server/share/a.bin"},
                    PathCase{kPath.c_str(), "video=a", "a"},
                    PathCase{kPath.c_str(), "video=\\a.bin", "D:\\tests\\\\a.bin"},
                    PathCase{kPath.c_str(), "video=a.bin\nvideo=;", ""},
                    PathCase{"D:/tests/sc1.txt", "video=a.bin", "D:/tests\\a.bin"},
                    PathCase{"sc1.txt", "video=frames\\clip.bin", "frames\\clip.bin"}));

TEST(ScenarioFile, AudioAndPacketsResolveLikeVideo) {
    const ScenarioSettings s = parse("audio=C:\\a.wav\npackets=pk\\p;\n");
    EXPECT_EQ(s.audio, "C:\\a.wav");
    EXPECT_EQ(s.packets, "D:\\tests\\pk\\p");
#ifndef _WIN32
    EXPECT_EQ(parse("audio=/srv/a.wav").audio, "/srv/a.wav");  // absolute on POSIX
#endif
}

TEST(ScenarioFile, ReadsEveryKey) {
    const ScenarioSettings s = parse(
        "video=v.bin\naudio=a.wav\npackets=p.bin\nporder=0:1::256\nmapping=m=1\n"
        "colorspace=YUV422\nloadingRGB=1,2,3\nhdcp=v14\nalign12=1\nscrambler=1\naudioswap=1\n"
        "audiocompressed=1\naudiosync=1\nstrict=0\nbitspercolor=10\naudiosampling=48000\n"
        "audiochannels=8\naudiobits=24\ntiming.hactive=1920\ntiming.vactive=1080\n"
        "timing.htotal=2200\ntiming.vtotal=1125\ntiming.hstart=192\ntiming.vstart=41\n"
        "timing.hsync=-44\ntiming.vsync=5\ntiming.frate=60000\n");
    EXPECT_EQ(s.path, kPath);
    EXPECT_EQ(s.video, "D:\\tests\\v.bin");
    EXPECT_EQ(s.audio, "D:\\tests\\a.wav");
    EXPECT_EQ(s.packets, "D:\\tests\\p.bin");
    EXPECT_EQ(s.porder, "0:1::256");
    EXPECT_EQ(s.mapping, "m=1");
    EXPECT_EQ(s.colorspace, "YUV422");
    EXPECT_EQ(s.loadingRGB, "1,2,3");
    EXPECT_EQ(s.hdcp, 1u);
    EXPECT_TRUE(s.align12 && s.scrambler && s.audioswap && s.audiocompressed && s.audiosync);
    EXPECT_FALSE(s.strict);
    EXPECT_EQ(s.bitspercolor, 10u);
    EXPECT_EQ(s.audiosampling, 48000u);
    EXPECT_EQ(s.audiochannels, 8u);
    EXPECT_EQ(s.audiobits, 24u);
    const Timing& t = s.timing;
    EXPECT_EQ(std::vector<int64_t>({t.hactive, t.vactive, t.htotal, t.vtotal, t.hstart, t.vstart,
                                    t.hsync, t.vsync, t.frate}),
              std::vector<int64_t>({1920, 1080, 2200, 1125, 192, 41, -44, 5, 60000}));
    EXPECT_FALSE(s.hdmi);
}

TEST(ScenarioFile, LineRules) {
    EXPECT_EQ(parse("video =a.bin").video, "");                     // blank before "=": unknown key
    EXPECT_EQ(parse("#video=a.bin").video, "");                     // comment style: unknown key
    EXPECT_EQ(parse("VIDEO=a.bin").video, "");                      // case-sensitive
    EXPECT_EQ(parse("colorspace= RGB444 ").colorspace, " RGB444");  // blank after "=" kept
    EXPECT_EQ(parse("  colorspace=RGB444").colorspace, "RGB444");   // the line is trimmed
    EXPECT_EQ(parse("bitspercolor=8\nbitspercolor=10").bitspercolor, 10u);  // last wins
    EXPECT_EQ(parse("porder=1:1::256\nporder=").porder, "1:1::256");        // empty keeps earlier
    EXPECT_EQ(parse("bitspercolor= 12").bitspercolor, 12u);
    EXPECT_EQ(parse("\xEF\xBB\xBFporder=1:1::256\nmapping=x").porder, "");  // BOM joins the key
    const ScenarioSettings crlf = parse("porder=1:1::256\r\nvideo=a.bin\r\n");
    EXPECT_EQ(crlf.porder, "1:1::256");
    EXPECT_EQ(crlf.video, "D:\\tests\\a.bin");
    // Unknown keys are named, the first ten of a file one by one; a line without "=" is
    // a comment. A known key without a value is silent.
    IgnoredLines ignored;
    parseScenarioText("s.txt",
                      "video =a\nno equals\nporder=\n" + std::string(11, 'x') + "=1\n" +
                          std::string("a=1\nb=1\nc=1\nd=1\ne=1\nf=1\ng=1\nh=1\ni=1\nj=1\n"),
                      &ignored);
    const std::vector<std::string> texts = ignored.texts();
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(texts[0], "unknown key 'video ' in s.txt, line 1: it is ignored.");
    EXPECT_EQ(texts[1], "unknown key 'xxxxxxxxxxx' in s.txt, line 4: it is ignored.");
    EXPECT_EQ(texts[10], "2 more unknown keys or sections in s.txt are ignored.");
}

TEST(ScenarioFile, CommentsOnlyGiveTheDefaultsWithPath) {
    const ScenarioSettings s = parse("; comment\n# other\n\n// more\n   \n");
    EXPECT_EQ(s.path, kPath);
    EXPECT_EQ(s.video, "");
    EXPECT_TRUE(s.strict);
    EXPECT_TRUE(s.timing.isZero());
}

struct FlagCase {
    const char* line;
    std::function<bool(const ScenarioSettings&)> field;
    bool expected;
};

TEST(ScenarioFile, FlagsAndHdcp) {
    const auto align = [](const ScenarioSettings& s) { return s.align12; };
    const auto sync = [](const ScenarioSettings& s) { return s.audiosync; };
    const auto strict = [](const ScenarioSettings& s) { return s.strict; };
    const FlagCase cases[] = {
        {"align12=2", align, false},          {"align12=3", align, true},
        {"align12=-1", align, true},          {"align12=1x", align, true},
        {"audiosync=4294967295", sync, true}, {"audiosync=2", sync, false},
        {"strict=2", strict, true},           {"strict=0", strict, false},
        {"strict=-2", strict, true},
    };
    for (const FlagCase& c : cases) EXPECT_EQ(c.field(parse(c.line)), c.expected) << c.line;

    const std::pair<const char*, uint32_t> hdcp[] = {
        {"hdcp=HDCPv23", 2},  {"hdcp=v14", 1}, {"hdcp=none", 0},
        {"hdcp=v1 or v2", 2}, {"hdcp=V2", 0},  {"hdcp=2", 0},
    };
    for (const auto& [line, version] : hdcp) EXPECT_EQ(parse(line).hdcp, version) << line;
}

TEST(ScenarioFile, NumberSyntax) {
    EXPECT_EQ(parse("timing.hactive=1920;").timing.hactive, 1920u);
    EXPECT_EQ(parse("timing.frate=60abc").timing.frate, 60);
    EXPECT_EQ(parse("bitspercolor=-1").bitspercolor, 4294967295u);
    EXPECT_EQ(parse("timing.vsync=-2147483648").timing.vsync, INT32_MIN);
    EXPECT_EQ(parse("timing.vtotal=+4294967295").timing.vtotal, UINT32_MAX);
}

struct InvalidCase {
    const char* text;
    const char* message;
};

TEST(ScenarioFile, InvalidNumberEndsTheLoad) {
    const InvalidCase cases[] = {
        {"bitspercolor=abc",
         "Invalid number 'abc' for key 'bitspercolor' in D:\\tests\\sc1.txt, line 1."},
        {"video=a.bin\n\ntiming.hsync=2147483648",
         "Invalid number '2147483648' for key 'timing.hsync' in D:\\tests\\sc1.txt, line 3."},
        {"timing.htotal=4294967296\nvideo=a.bin",
         "Invalid number '4294967296' for key 'timing.htotal' in D:\\tests\\sc1.txt, line 1."},
        {"video=a.bin\r\nstrict= -x\r\n",
         "Invalid number ' -x' for key 'strict' in D:\\tests\\sc1.txt, line 2."},
        {"align12=4294967295",
         "Invalid number '4294967295' for key 'align12' in D:\\tests\\sc1.txt, line 1."},
        {"audiosync=;", "Invalid number ';' for key 'audiosync' in D:\\tests\\sc1.txt, line 1."},
    };
    for (const InvalidCase& c : cases) {
        LogCapture log;
        const ScenarioSettings s = parse(c.text);
        EXPECT_EQ(s.path, "") << c.text;
        EXPECT_EQ(s.video, "") << c.text;
        EXPECT_EQ(log.lines, std::vector<std::string>{c.message});
    }
}

TEST(ScenarioFile, ReadsFromDisk) {
    TempFolder folder;
    const std::string path = folder.write("sc.txt", "video=clip.bin\nbitspercolor=8\n");
    LogCapture log;
    const ScenarioSettings s = readScenarioFile(path);
    EXPECT_EQ(s.path, path);
    EXPECT_EQ(s.video, folder.path() + "\\clip.bin");
    EXPECT_EQ(s.bitspercolor, 8u);

    const ScenarioSettings missing = readScenarioFile(folder.path() + "/none.txt");
    EXPECT_EQ(missing.path, "");
    EXPECT_EQ(missing.video, "");
    EXPECT_TRUE(log.lines.empty());
}

TEST(ScenarioFile, LongLinesStayLinear) {
    const std::string big(2 * 1024 * 1024, 'x');
    std::string text = "mapping=" + big + "\nvideo=" + big + ";;;\n" + std::string(big.size(), '=');
    text += "\n" + std::string(big.size(), ';') + "\nhdcp=" + big + "\n";
    const ScenarioSettings s = parse(text);
    EXPECT_EQ(s.mapping.size(), big.size());
    EXPECT_EQ(s.video, "D:\\tests\\" + big);
    EXPECT_EQ(s.hdcp, 0u);
}

}  // namespace
