#include "format/color_format.h"

#include <gtest/gtest.h>

#include <limits>

#include "format/frequency.h"
#include "format/output_kind.h"

namespace {

// The scenario's fields, the "@" text and the playing-order code name one format each.
struct Case {
    const char* text;
    const char* space;
    uint32_t bits;
    uint16_t stepCode;
    uint32_t deviceCode;
    uint32_t bitsPerPixel;
    uint64_t linkClock;  // of a 1 MHz pixel clock
};

TEST(ColorFormat, EveryEncodingGivesTheSameFormat) {
    const Case cases[] = {
        {"RGB444@8bit", "RGB444", 8, 0x100, 0x001, 24, 1000000},
        {"YUV444@10bit", "YUV444", 10, 0x201, 0x802, 30, 1250000},
        {"YUV422@12bit", "YUV422", 12, 0x302, 0x1003, 24, 1000000},
        {"YUV420@16bit", "YUV420", 16, 0x403, 0x1804, 24, 1000000},
        {"RGB444@9bit", "RGB444", 9, 0x000, 0x000, 18, 1000000},
        {"yuv420@10bit", "yuv420", 10, 0x204, 0x002, 30, 1250000},
    };
    for (const Case& c : cases) {
        ColorFormat parsed;
        ASSERT_TRUE(ParseColorFormat(c.text, parsed)) << c.text;
        const ColorFormat format = ColorFormatOf(c.space, c.bits);
        EXPECT_EQ(parsed, format) << c.text;
        EXPECT_EQ(ColorFormatOfStepCode(c.stepCode), format) << c.text;
        EXPECT_EQ(format.DeviceCode(), c.deviceCode) << c.text;
        EXPECT_EQ(format.BitsPerPixel(), c.bitsPerPixel) << c.text;
        EXPECT_EQ(format.LinkClock(1000000), c.linkClock) << c.text;
    }
}

TEST(ColorFormat, TextRules) {
    ColorFormat format = kPlainRgb;
    EXPECT_FALSE(ParseColorFormat("RGB444", format));
    EXPECT_EQ(format, kPlainRgb);
    EXPECT_EQ(ColorFamilyOf("RGB444@10bit"), ColorFamily::kRgb);
    EXPECT_EQ(ColorFamilyOf("YUV"), ColorFamily::kYuv);
    EXPECT_EQ(ColorFamilyOf("xRGB"), ColorFamily::kNone);
    EXPECT_TRUE(MentionsYuv("xYUV"));
    EXPECT_FALSE(MentionsYuv("yuv444"));
    EXPECT_TRUE(IsHdmiOutput("KVX-4 [1] / HDMI TX"));
    EXPECT_FALSE(IsHdmiOutput("hdmi"));
}

TEST(ColorFormat, LinkClockSaturates) {
    const uint64_t max = std::numeric_limits<uint64_t>::max();
    EXPECT_EQ(ColorFormatOf("RGB444", 16).LinkClock(max), max);
}

TEST(MhzText, UpToThreeDecimals) {
    EXPECT_EQ(MhzText(594000000) + " " + MhzText(742500000) + " " + MhzText(148351648) + " " +
                  MhzText(999) + " " + MhzText(0) + " " + MhzText(UINT64_MAX),
              "594 742.5 148.352 0.001 0 18446744073709.552");
}

}  // namespace
