#include <gtest/gtest.h>

#include "scenario/scenario.h"
#include "upload/video.h"

namespace {

TEST(VideoRules, ColorClassFromFormatTextAndColorspace) {
    struct Case {
        const char* format;
        const char* colorspace;
        ColorClass expected;
    };
    const Case cases[] = {
        {"", "RGB444", ColorClass::kRgb},
        {"", "YUV444", ColorClass::kYuv444},
        {"", "YUV422", ColorClass::kYuv422},
        {"", "YUV420", ColorClass::kYuv420},
        {"", "rgb444", ColorClass::kNone},
        {"RGB444@10bit", "YUV420", ColorClass::kRgb},
        {"YUV444@10bit", "YUV444", ColorClass::kYuv444},
        {"YUV444@10bit", "RGB444", ColorClass::kNone},
        {"YUV444@10bit", "YUV422", ColorClass::kYuv422},
        {"XYZ", "YUV444", ColorClass::kNone},
        {"XYZ", "YUV420", ColorClass::kYuv420},
        {"yuv444", "YUV444", ColorClass::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideColorClass(c.format, c.colorspace), c.expected)
            << c.format << " / " << c.colorspace;
    }
}

TEST(VideoRules, PixelFormatCodes) {
    EXPECT_EQ(PixelFormatCode(ColorClass::kRgb, 4), 2u);
    EXPECT_EQ(PixelFormatCode(ColorClass::kYuv444, 6), 1u);
    EXPECT_EQ(PixelFormatCode(ColorClass::kRgb, 3), 0u);
    EXPECT_EQ(PixelFormatCode(ColorClass::kYuv422, 6), 0x201u);
    EXPECT_EQ(PixelFormatCode(ColorClass::kYuv420, 3), 0x312u);
    EXPECT_EQ(PixelFormatCode(ColorClass::kYuv420, 1), 0x310u);
    EXPECT_EQ(PixelFormatCode(ColorClass::kYuv420, 2), 0u);
    EXPECT_EQ(PixelFormatCode(ColorClass::kNone, 4), 0u);
}

TEST(VideoRules, LabelAndShift) {
    struct Case {
        const char* format;
        const char* colorspace;
        uint32_t bits;
        bool align12;
        const char* label;
        unsigned shift;
    };
    const Case cases[] = {
        {"", "RGB444", 8, false, "", 0},
        {"RGB444", "RGB444", 10, false, "RGB444", 0},
        {"RGB444@12bit", "RGB444", 8, false, "Configured: RGB444@12bit", 4},
        {"YUV444@10bit", "YUV444", 8, false, "Configured: YUV444@10bit", 6},
        {"", "YUV422", 10, true, "Settings: YUV422 10 bits", 6},
        {"", "RGB444", 12, true, "Settings: RGB444 12 bits", 4},
        {"", "RGB444", 8, true, "Settings: RGB444 8 bits", 0},
        {"RGB444", "RGB444", 8, true, "Configured: RGB444", 0},
    };
    for (const Case& c : cases) {
        ScenarioSettings settings;
        settings.colorspace = c.colorspace;
        settings.bitspercolor = c.bits;
        settings.align12 = c.align12;
        const std::string label = FrameLabel(c.format, settings);
        EXPECT_EQ(label, c.label) << c.format;
        EXPECT_EQ(DeepColorShift(label), c.shift) << label;
    }
}

}  // namespace
