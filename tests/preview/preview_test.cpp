// Previews decoded back with stb_image: the picture is that of the bytes the upload sends.
#include <gtest/gtest.h>

#include <cstdlib>

#include "preview/scenario_preview.h"
#include "scenario/scenario.h"
#include "support.h"
#include "upload/scenario_plan.h"

#define STBI_ONLY_PNG
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace {

using Bytes = std::vector<uint8_t>;

struct Png {
    int width = 0;
    int height = 0;
    Bytes rgb;
};

Png ReadPng(const std::string& path) {
    Png png;
    int components = 0;
    uint8_t* data = stbi_load(path.c_str(), &png.width, &png.height, &components, 3);
    if (data != nullptr) png.rgb.assign(data, data + size_t(png.width) * png.height * 3);
    stbi_image_free(data);
    return png;
}

// Frames f000.bin, f001.bin, ... of a scenario previewed into <folder>/out/scenario1.
struct Previewed {
    TempFolder folder;
    ScenarioSettings settings;
    Findings report;

    Previewed(const std::string& colorspace, uint32_t width, uint32_t height) {
        settings.path = folder.path() + "/s.txt";
        settings.video = folder.path() + "/f000.bin";
        settings.colorspace = colorspace;
        settings.bitspercolor = 8;
        settings.timing.hactive = width;
        settings.timing.vactive = height;
    }
    void Run(const std::vector<Bytes>& frames) {
        for (size_t i = 0; i < frames.size(); ++i) {
            folder.write("f00" + std::to_string(i) + ".bin", frames[i]);
        }
        report = WriteScenarioPreview(PlanScenario(settings), folder.path() + "/out", 1);
    }
    Png Read(const std::string& name) const {
        return ReadPng(folder.path() + "/out/scenario1/" + name);
    }
};

// A frame of `width` x `height` pixels repeating `pixels`.
Bytes Tiled(const Bytes& pixels, size_t bpp, uint32_t width, uint32_t height) {
    Bytes frame;
    for (size_t i = 0; frame.size() < size_t(width) * height * bpp; ++i) {
        frame.push_back(pixels[i % pixels.size()]);
    }
    return frame;
}

void ExpectNear(const Png& png, const Bytes& expected, int tolerance) {
    ASSERT_FALSE(png.rgb.empty());
    for (size_t i = 0; i < png.rgb.size(); ++i) {
        ASSERT_NEAR(png.rgb[i], expected[i % expected.size()], tolerance) << "byte " << i;
    }
}

TEST(PreviewTest, PicturesFromTheSentBytes) {
    struct Case {
        const char* colorspace;
        uint32_t bits, width, height;
        Bytes file;      // pixels repeated over the frame, 3 bytes each
        Bytes expected;  // RGB, repeated likewise
        int tolerance;
    };
    const Bytes eight = {0,   0,   0, 255, 0,   0,   0,   255, 0,   0,   0,   255,
                         255, 255, 0, 0,   255, 255, 255, 0,   255, 255, 255, 255};
    const Case cases[] = {
        {"RGB444", 8, 4, 2, eight, eight, 0},
        {"YUV444", 8, 4, 2, {235, 128, 128, 16, 128, 128}, {255, 255, 255, 0, 0, 0}, 2},
        {"YUV444", 8, 4, 2, {81, 90, 240}, {255, 0, 0}, 4},        // BT.601
        {"YUV444", 8, 1280, 720, {63, 102, 240}, {255, 0, 0}, 4},  // BT.709
        {"YUV422", 8, 4, 2, {200, 1, 2}, {200, 200, 200}, 0},      // first byte as grey
        {"YUV422", 10, 4, 2, {1, 100, 2}, {100, 100, 100}, 0},     // top of the first word
    };
    for (const Case& c : cases) {
        Previewed preview(c.colorspace, c.width, c.height);
        preview.settings.bitspercolor = c.bits;
        preview.Run({Tiled(c.file, 3, c.width, c.height)});
        SCOPED_TRACE(std::string(c.colorspace) + " " + std::to_string(c.width));
        ExpectNear(preview.Read("frame0.png"), c.expected, c.tolerance);
        EXPECT_EQ(preview.report.all().size(), c.colorspace[5] == '4' ? 1u : 2u);
    }
}

TEST(PreviewTest, TenBitLowSamplesShiftedLikeTheirEightBitTwin) {
    const Bytes samples = {235, 128, 128, 81, 90, 240, 16, 128, 128, 63, 102, 240};
    Bytes words;
    for (uint8_t sample : samples) {
        words.push_back(static_cast<uint8_t>(sample << 2));
        words.push_back(static_cast<uint8_t>(sample >> 6));
    }
    Previewed twin("YUV444", 4, 2);
    twin.Run({Tiled(samples, 3, 4, 2)});
    Previewed deep("YUV444", 4, 2);
    deep.settings.bitspercolor = 10;
    deep.settings.align12 = true;
    deep.Run({Tiled(words, 6, 4, 2)});
    ExpectNear(deep.Read("frame0.png"), twin.Read("frame0.png").rgb, 2);
}

// The colour of the sheet's cell for step i.
Bytes Cell(const Png& sheet, int i) {
    const size_t at = (size_t(i / 8) * 120 * sheet.width + size_t(i % 8) * 240) * 3;
    return sheet.rgb.size() < at + 3 ? Bytes{} : Bytes(&sheet.rgb[at], &sheet.rgb[at + 3]);
}

TEST(PreviewTest, ContactSheetInStepOrderAndEarlierFilesRemoved) {
    const Bytes red = {255, 0, 0}, blue = {0, 0, 255};
    Previewed preview("RGB444", 4, 2);
    preview.settings.porder = "1:1::256;0:1::256";
    preview.folder.write("out/scenario1/frame9.png", "old");
    preview.Run({Tiled(red, 3, 4, 2), Tiled(blue, 3, 4, 2)});
    const Png sheet = preview.Read("contact.png");
    EXPECT_EQ(sheet.width * 1000 + sheet.height, 480120);
    EXPECT_EQ(Cell(sheet, 0), blue);
    EXPECT_EQ(Cell(sheet, 1), red);
    EXPECT_EQ(preview.Read("frame1.png").width, 4);
    EXPECT_TRUE(preview.Read("frame9.png").rgb.empty());
    EXPECT_EQ(preview.report.problemCount(), 0u);
    // A frame first shown by the ninth step is on the sheet only.
    preview.settings.porder = "1:1::256";
    for (int i = 0; i < 9; ++i) preview.settings.porder.insert(0, "0:1::256;");
    preview.Run({});
    EXPECT_EQ(Cell(preview.Read("contact.png"), 9), blue);
    EXPECT_TRUE(preview.Read("frame1.png").rgb.empty());
}

// ffmpeg's planar yuv444p passes the size check; its preview shows it is not packed.
TEST(PreviewTest, PlanarYuvFileLooksWrong) {
    const Bytes bars = {180, 128, 128, 162, 44,  142, 131, 156, 44,  112, 72,  58,
                        84,  184, 198, 65,  100, 212, 35,  212, 114, 16,  128, 128};
    Bytes packed;
    for (int i = 0; i < 64 * 8; ++i)
        packed.insert(packed.end(), &bars[i % 64 / 8 * 3], &bars[i % 64 / 8 * 3 + 3]);
    Bytes planar(packed.size());
    for (size_t i = 0; i < packed.size(); ++i) planar[i % 3 * 512 + i / 3] = packed[i];
    Previewed good("YUV444", 64, 8);
    good.Run({packed});
    Previewed bad("YUV444", 64, 8);
    bad.Run({planar});
    const Bytes a = good.Read("frame0.png").rgb;
    const Bytes b = bad.Read("frame0.png").rgb;
    ASSERT_EQ(a.size(), b.size());
    double difference = 0;
    for (size_t i = 0; i < a.size(); ++i) difference += std::abs(a[i] - b[i]);
    difference /= a.size();
    EXPECT_GT(difference, 40) << "mean difference " << difference;
    std::cout << "planar yuv444p: mean difference " << difference << " levels\n";
}

TEST(PreviewTest, SamePixelsAsFfmpegsPng) {
    if (std::system("ffmpeg -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg is not installed";
    Previewed preview("RGB444", 320, 240);
    const std::string source =
        "ffmpeg -loglevel error -y -f lavfi -i testsrc2=size=320x240 -frames:v 1 ";
    const std::string folder = preview.folder.path();
    ASSERT_EQ(std::system((source + "-pix_fmt rgb24 -f rawvideo " + folder + "/f000.bin").c_str()),
              0);
    ASSERT_EQ(std::system((source + "-pix_fmt rgb24 " + folder + "/ffmpeg.png").c_str()), 0);
    preview.Run({});
    const Png ours = preview.Read("frame0.png");
    EXPECT_EQ(ours.width, 320);
    EXPECT_TRUE(ours.rgb == ReadPng(folder + "/ffmpeg.png").rgb);
}

}  // namespace
