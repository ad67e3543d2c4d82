// Frame upload against the simulated generator: the items written, the bytes the
// device received and the lines logged.
#include "upload/video.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "device/config_items.h"
#include "device/items.h"
#include "files/paths.h"
#include "scenario/scenario.h"
#include "sim_device.h"
#include "support.h"
#include "trace_lines.h"
#include "upload/content_plan.h"
#include "upload/loader.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

std::string Set32(uint32_t item, uint32_t value) {
    return trace::Set(item, value);
}

// The trace of one accepted frame after its memory block was selected.
Lines FrameTrace(uint32_t width, uint32_t height, uint32_t code, const Bytes& sent,
                 bool hdmi = false) {
    const uint32_t base = hdmi ? reg::kHdmiOffset : 0;
    return {Set32(item::kImageWidth, width),
            Set32(item::kImageHeight, height),
            Set32(item::kImageFormat, code),
            trace::SetData(item::kImageData, sent),
            Set32(item::kRegisterAddress, base + reg::kImageWidth),
            Set32(item::kRegisterWrite, width),
            Set32(item::kRegisterAddress, base + reg::kImageHeight),
            Set32(item::kRegisterWrite, height)};
}

Bytes Counting(size_t size, uint8_t start = 1) {
    Bytes data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(start + i);
    return data;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class VideoUpload : public ::testing::Test {
  protected:
    VideoUpload() {
        device.open();
        settings.colorspace = "RGB444";
        settings.bitspercolor = 8;
        settings.timing.hactive = 4;
        settings.timing.vactive = 2;
    }
    void Layout(std::vector<uint64_t> blocks) {
        ASSERT_TRUE(SetMemoryLayout(blocks));
        device.trace();
    }
    // For frames sent with UploadImage alone: a fresh block 0 to receive them.
    void SingleBlock(uint64_t size) {
        ASSERT_TRUE(SetMemoryLayout({size}));
        ASSERT_TRUE(SelectMemoryBlock(0));
        device.trace();
    }
    std::string Write(const std::string& name, const Bytes& bytes) {
        return folder.write(name, bytes);
    }
    // Loaded as the upload loads them: the items' files found first, then handed over.
    bool Load(const std::string& video) {
        settings.video = video;
        const ContentPlan plan = PlanContent(settings);
        loader.UsePlan(&plan);
        const bool loaded = loader.LoadVideo(settings);
        loader.UsePlan(nullptr);
        return loaded;
    }
    // One frame file sent alone, sized as the file look-up sizes it.
    bool Send(const std::string& path, FrameBuffers& buffers) {
        return UploadImage(loader, PlanFrame(SequenceFile{path, fileSize(path)}, "", settings),
                           settings.hdmi, buffers);
    }
    bool Send(const std::string& path) {
        FrameBuffers buffers;
        return Send(path, buffers);
    }
    std::string At(const std::string& name) const { return folder.path() + "/" + name; }

    SimDevice device;
    LogCapture log;
    TempFolder folder;
    BinaryDataLoader loader;
    ScenarioSettings settings;
};

TEST_F(VideoUpload, ThreeBytePixelsAreWidenedAndLoggedAsFour) {
    Layout({4096});
    const Bytes file = Counting(24);
    Write("f.bin", file);
    ASSERT_TRUE(Load(At("f.bin")));
    Bytes wide;
    for (size_t p = 0; p < 8; ++p) {
        wide.insert(wide.end(), {file[3 * p], file[3 * p + 1], file[3 * p + 2], 0});
    }
    Lines expected = {Set32(item::kMemoryBlockSelect, 0)};
    const Lines frame = FrameTrace(4, 2, 2, wide);
    expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(device.trace(), expected);
    EXPECT_EQ(hlxsim::BlockBytes(0), wide);
    EXPECT_EQ(log.lines, (Lines{"f.bin: 4 Bpp ", "Image upload succeeded!"}));
}

// Big frames: the sizes and codes are the point; content is checked on small ones.
TEST_F(VideoUpload, FullHdRgbSizes) {
    struct Case {
        uint32_t bytes;
        uint32_t sent;
        uint32_t code;
        const char* line;
    };
    const Case cases[] = {
        {6220800, 8294400, 2, "hd.bin: 4 Bpp "},
        {8294400, 8294400, 2, "hd.bin: 4 Bpp "},
        {12441600, 12441600, 1, "hd.bin: 6 Bpp "},
    };
    settings.timing.hactive = 1920;
    settings.timing.vactive = 1080;
    for (const Case& c : cases) {
        SingleBlock(c.sent);
        log.lines.clear();
        const std::string path = folder.write("hd.bin", std::string(c.bytes, '\x5A'));
        ASSERT_TRUE(Send(path)) << c.bytes;
        Lines trace = device.trace();
        Lines expected = FrameTrace(1920, 1080, c.code, {});
        ASSERT_EQ(trace.size(), expected.size());
        const std::string dataLine =
            "HLX_TS_SetConfigItem(0x00000720, " + std::to_string(c.sent) + ", #";
        EXPECT_EQ(trace[3].substr(0, dataLine.size()), dataLine);
        trace[3] = expected[3];
        EXPECT_EQ(trace, expected);
        EXPECT_EQ(hlxsim::BlockFill(0), c.sent);
        EXPECT_EQ(log.lines, Lines{c.line});
    }
    log.lines.clear();
    const std::string path = folder.write("hd.bin", std::string(10368000, '\0'));
    EXPECT_FALSE(Send(path));
    EXPECT_EQ(log.lines, Lines{"Not expected image size 10368000 for 1920x1080, Bpp = 5"});
    EXPECT_TRUE(device.trace().empty());
}

TEST_F(VideoUpload, OneByteTooLongIsRefusedWithItsBpp) {
    Layout({4096});
    Write("f.bin", Counting(33));
    EXPECT_FALSE(Load(At("f.bin")));
    EXPECT_EQ(log.lines, (Lines{"Not expected image size 33 for 4x2, Bpp = 4",
                                "Failed to load " + At("f.bin")}));
    EXPECT_EQ(device.trace(), Lines{Set32(item::kMemoryBlockSelect, 0)});
}

TEST_F(VideoUpload, ZeroTimingIsRefusedBeforeSizing) {
    Layout({4096});
    Write("f.bin", Counting(32));
    settings.timing.hactive = 0;
    EXPECT_FALSE(Load(At("f.bin")));
    settings.timing.hactive = 4;
    settings.timing.vactive = 0;
    settings.colorspace = "YUV420";  // skips the size check, not the geometry check
    EXPECT_FALSE(Load(At("f.bin")));
    EXPECT_EQ(
        log.lines,
        (Lines{"Not expected image size 32 for 0x2, Bpp = 0", "Failed to load " + At("f.bin"),
               "Not expected image size 32 for 4x0, Bpp = 0", "Failed to load " + At("f.bin")}));
}

TEST_F(VideoUpload, Yuv420SkipsTheSizeCheckAndIsNeverWidened) {
    settings.colorspace = "YUV420";
    struct Case {
        size_t bytes;
        uint32_t code;
        size_t sent;
        const char* line;
    };
    const Case cases[] = {
        {8, 0x310, 8, "c.bin: 1 Bpp "},
        {12, 0x310, 8, "c.bin: 1 Bpp "},  // 8-bit 4:2:0: only whole bytes per pixel are sent
        {24, 0x312, 24, "c.bin: 3 Bpp "},
        {25, 0x312, 24, "c.bin: 3 Bpp "},
    };
    for (const Case& c : cases) {
        SingleBlock(4096);
        log.lines.clear();
        const Bytes file = Counting(c.bytes);
        const std::string path = Write("c.bin", file);
        ASSERT_TRUE(Send(path)) << c.bytes;
        const Bytes sent(file.begin(), file.begin() + static_cast<long>(c.sent));
        EXPECT_EQ(device.trace(), FrameTrace(4, 2, c.code, sent)) << c.bytes;
        EXPECT_EQ(hlxsim::BlockBytes(0), sent);
        EXPECT_EQ(log.lines, Lines{c.line});
    }
    // Unchecked in size, it still reserves 4 + 2 bytes a pixel, here 6 GiB: refused by the
    // upload and the check alike, which names the first frame and counts the other.
    settings.timing.hactive = 16384;
    settings.timing.vactive = 65536;
    Layout({4096});
    log.lines.clear();
    for (const char* name : {"big0.bin", "big1.bin"}) {
        std::filesystem::resize_file(Write(name, {}), uintmax_t{1} << 30);  // sparse: no disk
    }
    EXPECT_FALSE(Load(At("big0.bin")));
    const ContentPlan plan = PlanContent(settings);
    const ScenarioFiles& files = plan.files;
    const Lines refusal{"big0.bin: a frame of 16384x65536 needs a memory block beyond 4 GiB.",
                        "Failed to load " + files.frames[0][0].path};
    EXPECT_EQ(log.lines, refusal);
    EXPECT_EQ(device.trace(), Lines{Set32(item::kMemoryBlockSelect, 0)});
    const std::vector<const Finding*> frames = plan.findings.at(FindingPoint::kFrames);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->checkText(),
              refusal[0] + "\n" + refusal[1] + "\n1 more frame(s) with this problem");
}

TEST_F(VideoUpload, FramesWithoutAPixelFormatCodeAreRefused) {
    Layout({4096});
    folder.write("formats.cfg", "f.bin: YUV444@10bit\n");
    Write("f.bin", Counting(32));
    EXPECT_FALSE(Load(At("f.bin")));
    settings.colorspace = "YUV420";
    Write("g.bin", Counting(16));
    EXPECT_FALSE(Load(At("g.bin")));
    EXPECT_EQ(
        log.lines,
        (Lines{"Unsupported frame format YUV444@10bit, Bpp = 4", "Failed to load " + At("f.bin"),
               "Unsupported frame format YUV420, Bpp = 2", "Failed to load " + At("g.bin")}));
    // Nothing but the block selections reached the device.
    EXPECT_EQ(device.trace(),
              (Lines{Set32(item::kMemoryBlockSelect, 0), Set32(item::kMemoryBlockSelect, 0)}));
}

TEST_F(VideoUpload, Yuv444ComponentsAreReorderedAndDeepColourShifted) {
    settings.colorspace = "YUV444";
    folder.write("formats.cfg", "d.bin : YUV444@10bit\n");
    Layout({4096, 4096, 4096});
    // 4-byte pixels: (b0,b1,b2,b3) -> (b2,b0,b1,b3).
    const Bytes four = Counting(32);
    Write("a.bin", four);
    // 6-byte pixels: (w0,w1,w2) -> (w2,w0,w1), then the 10-bit shift of 6.
    const Bytes six = Counting(48, 0x10);
    Write("d.bin", six);
    // 3-byte pixels are widened first, then reordered.
    const Bytes three = Counting(24);
    Write("t.bin", three);
    ASSERT_TRUE(Load(At("a.bin") + ";" + At("d.bin") + ";" + At("t.bin")));

    Bytes fourExpected, sixExpected, threeExpected;
    for (size_t p = 0; p < 8; ++p) {
        const uint8_t* b = &four[4 * p];
        fourExpected.insert(fourExpected.end(), {b[2], b[0], b[1], b[3]});
        const uint8_t* t = &three[3 * p];
        threeExpected.insert(threeExpected.end(), {t[2], t[0], t[1], 0});
        const uint8_t* w = &six[6 * p];
        for (int word : {2, 0, 1}) {
            const uint16_t value = static_cast<uint16_t>((w[2 * word] | w[2 * word + 1] << 8) << 6);
            sixExpected.push_back(static_cast<uint8_t>(value));
            sixExpected.push_back(static_cast<uint8_t>(value >> 8));
        }
    }
    EXPECT_EQ(hlxsim::BlockBytes(0), fourExpected);
    EXPECT_EQ(hlxsim::BlockBytes(1), sixExpected);
    EXPECT_EQ(hlxsim::BlockBytes(2), threeExpected);
    EXPECT_EQ(log.lines, (Lines{"a.bin: 4 Bpp ", "d.bin: 6 Bpp Configured: YUV444@10bit",
                                "t.bin: 4 Bpp ", "Image upload succeeded!"}));
}

// Frames are converted a few thousand pixels at a time while they are read; a frame
// of many such steps, with a partial last one, must come out as if converted whole.
TEST_F(VideoUpload, LargeFramesAreConvertedAlikeInEveryStep) {
    settings.colorspace = "YUV444";
    settings.timing.hactive = 300;
    settings.timing.vactive = 111;  // 33300 pixels
    const size_t pixels = 300 * 111;
    Layout({8 * 1024 * 1024});
    folder.write("formats.cfg", "six.bin: YUV444@10bit\nthree.bin: YUV444@12bit\n");
    Bytes six(6 * pixels), three(3 * pixels);
    for (size_t i = 0; i < six.size(); ++i) six[i] = static_cast<uint8_t>(i * 7 + i / 509);
    for (size_t i = 0; i < three.size(); ++i) three[i] = static_cast<uint8_t>(i * 5 + i / 257);
    Write("six.bin", six);
    Write("three.bin", three);
    ASSERT_TRUE(Load(At("six.bin")));
    auto word = [](const uint8_t* at, unsigned shift) {
        return static_cast<uint16_t>((at[0] | at[1] << 8) << shift);
    };
    Bytes expected;
    for (size_t p = 0; p < pixels; ++p) {
        for (int w : {2, 0, 1}) {
            const uint16_t value = word(&six[6 * p + 2 * w], 6);
            expected.insert(expected.end(),
                            {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)});
        }
    }
    EXPECT_EQ(hlxsim::BlockBytes(0), expected);
    ASSERT_TRUE(Load(At("three.bin")));
    expected.clear();
    for (size_t p = 0; p < pixels; ++p) {
        const uint8_t* t = &three[3 * p];
        const uint8_t reordered[4] = {t[2], t[0], t[1], 0};
        for (int w = 0; w < 2; ++w) {
            const uint16_t value = word(&reordered[2 * w], 4);
            expected.insert(expected.end(),
                            {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)});
        }
    }
    EXPECT_EQ(hlxsim::BlockBytes(0), expected);
}

TEST_F(VideoUpload, TwelveBitShiftFromFormatTextAndTenFromSettings) {
    Layout({4096, 4096});
    folder.write("formats.cfg", "r.bin:RGB444@12bit\n");
    const Bytes frame = Counting(48, 0x21);
    Write("r.bin", frame);
    Write("s.bin", frame);
    settings.align12 = true;
    settings.colorspace = "YUV422";
    settings.bitspercolor = 10;
    ASSERT_TRUE(Load(At("r.bin") + ";" + At("s.bin")));
    auto shifted = [&](unsigned shift) {
        Bytes out;
        for (size_t i = 0; i < frame.size(); i += 2) {
            const uint16_t w = static_cast<uint16_t>((frame[i] | frame[i + 1] << 8) << shift);
            out.push_back(static_cast<uint8_t>(w));
            out.push_back(static_cast<uint8_t>(w >> 8));
        }
        return out;
    };
    EXPECT_EQ(hlxsim::BlockBytes(0), shifted(4));
    EXPECT_EQ(hlxsim::BlockBytes(1), shifted(6));
    EXPECT_EQ(log.lines,
              (Lines{"r.bin: 6 Bpp Configured: RGB444@12bit",
                     "s.bin: 6 Bpp Settings: YUV422 10 bits", "Image upload succeeded!"}));
}

TEST_F(VideoUpload, SequencesFillTheirItemsBlockInOrder) {
    Layout({4096, 4096});
    const Bytes f1 = Counting(32, 1), f2 = Counting(24, 100), f3 = Counting(32, 200);
    Write("seq001.bin", f1);
    Write("seq002.bin", f2);  // a 3-byte frame between 4-byte ones: buffers are reused safely
    Write("seq003.bin", f3);
    Write("seq005.bin", f3);  // after the gap: not part of the sequence
    Write("one.bin", f1);
    ASSERT_TRUE(Load(At("seq004.bin") + ";;" + At("one.bin") + ";"));
    Bytes wide;
    for (size_t p = 0; p < 8; ++p)
        wide.insert(wide.end(), {f2[3 * p], f2[3 * p + 1], f2[3 * p + 2], 0});
    EXPECT_EQ(hlxsim::BlockBytes(0), Concat(Concat(f1, wide), f3));
    EXPECT_EQ(hlxsim::BlockBytes(1), f1);
    EXPECT_EQ(log.lines, (Lines{"seq001.bin: 4 Bpp ", "seq002.bin: 4 Bpp ", "seq003.bin: 4 Bpp ",
                                "one.bin: 4 Bpp ", "Image upload succeeded!"}));
    // Item k goes to block k: the block is selected once per item, before its frames.
    const std::string select = Set32(item::kMemoryBlockSelect, 0).substr(0, 36);
    Lines selects;
    for (const std::string& line : device.trace())
        if (line.rfind(select, 0) == 0) selects.push_back(line);
    EXPECT_EQ(selects,
              (Lines{Set32(item::kMemoryBlockSelect, 0), Set32(item::kMemoryBlockSelect, 1)}));
}

TEST_F(VideoUpload, BuffersAreReusedFromFrameToFrame) {
    SingleBlock(4096);
    FrameBuffers buffers;
    auto upload = [&](const char* name, size_t bytes) {
        return Send(Write(name, Counting(bytes)), buffers);
    };
    ASSERT_TRUE(upload("a.bin", 32));
    const uint8_t* frame = buffers.frame.data();
    ASSERT_TRUE(upload("b.bin", 24));
    ASSERT_TRUE(upload("c.bin", 24));
    ASSERT_TRUE(upload("d.bin", 32));
    EXPECT_EQ(buffers.frame.data(), frame);
    EXPECT_EQ(hlxsim::BlockFill(0), 4u * 32);
}

TEST_F(VideoUpload, EmptySequenceSendsNothingAndHdmiOffsetsTheRegisters) {
    Layout({4096, 4096});
    settings.hdmi = true;
    Write("h.bin", Counting(32));
    ASSERT_TRUE(Load(At("missing.bin") + ";" + At("h.bin")));
    Lines expected = {Set32(item::kMemoryBlockSelect, 0), Set32(item::kMemoryBlockSelect, 1)};
    const Lines frame = FrameTrace(4, 2, 2, Counting(32), true);
    expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(device.trace(), expected);
}

TEST_F(VideoUpload, ItemErrors) {
    Layout({4096});
    EXPECT_FALSE(Load(";;"));
    Write("clip.raw", Counting(32));
    EXPECT_FALSE(Load(At("clip.raw")));
    hlxsim::FailSet(item::kMemoryBlockSelect);
    EXPECT_FALSE(Load(At("clip.raw")));
    hlxsim::ClearFaults();
    EXPECT_FALSE(Send(At("gone.bin")));
    EXPECT_EQ(log.lines,
              (Lines{"Failed parsing video path!", "Provided image is not binary!",
                     "Failed selecting memory block!", "Cannot open " + At("gone.bin")}));
    const Lines trace = device.trace();
    ASSERT_EQ(trace.size(), 2u);  // the binary check comes after the block was selected
    EXPECT_EQ(trace[0], Set32(item::kMemoryBlockSelect, 0));
}

TEST_F(VideoUpload, RefusedFrameWithPercentInItsNameIsLoggedAsItStands) {
    Layout({4096});
    Write("a%n%s0.bin", Counting(32));
    hlxsim::FailSet(item::kImageData);
    EXPECT_FALSE(Load(At("a%n%s0.bin")));
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "a%n%s0.bin: Not loaded");
    EXPECT_EQ(log.lines[1].substr(0, 15), "Failed to load ");
    EXPECT_NE(log.lines[1].find("a%n%s0.bin"), std::string::npos);
    // The image size still follows the refused data.
    const Lines trace = device.trace();
    ASSERT_EQ(trace.size(), 9u);
    EXPECT_EQ(trace.back(), Set32(item::kRegisterWrite, 2));
}

}  // namespace
