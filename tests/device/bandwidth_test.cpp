#include "device/bandwidth.h"

#include <gtest/gtest.h>

#include "device/items.h"
#include "format/color_format.h"
#include "scenario/scenario.h"
#include "sim_device.h"
#include "trace_lines.h"

namespace {

const char* const kHdmi = "KVX-4 [SIM0001] / HDMI TX";
const char* const kDp4 = "KVX-4 [SIM0001] / DisplayPort TX";
const char* const kDp3 = "KVX-3 [SIM0003] / DisplayPort TX";
const char* const kDpOther = "KVX-2 [SIM0002] / DisplayPort TX";

std::string Profile(uint32_t lanes, uint32_t rateCode) {
    return "[device]\nname = KVX-4 [SIM0001] / DisplayPort TX\nflags = 16\n"
           "outputs = DisplayPort TX\n[generator]\ndp-lanes = " +
           std::to_string(lanes) + "\ndp-rate = " + std::to_string(rateCode) + "\n";
}

Timing MakeTiming(uint32_t htotal, uint32_t vtotal, int32_t frate) {
    Timing timing;
    timing.htotal = htotal;
    timing.vtotal = vtotal;
    timing.frate = frate;
    return timing;
}

struct Case {
    const char* name;
    const char* device;
    uint32_t lanes;
    uint32_t rateCode;
    Timing timing;
    const char* format;
    bool ok;
    std::string text;
};

std::string Dp(uint64_t available, uint32_t lanes, uint32_t laneRate, uint64_t requested) {
    return "Available: " + std::to_string(available) + " Mbps (LC=" + std::to_string(lanes) +
           ",BR=" + std::to_string(laneRate) + "), requested: " + std::to_string(requested) +
           " Mbps.";
}

// 1 Hz, 1000 lines, 24 bits per pixel: R = htotal * 0.024, to hit exact rates.
Timing ForRate(uint32_t htotal) {
    return MakeTiming(htotal, 1000, 1000);
}

const Timing k720p = MakeTiming(1650, 750, 60000);
const Timing k2160p = MakeTiming(4400, 2250, 60000);

const Case kCases[] = {
    {"hdmi 720p", kHdmi, 4, 20, k720p, "RGB444@8bit", true, "74250000 -> 3G"},
    {"hdmi 420 halves", kHdmi, 4, 20, k2160p, "YUV420@8bit", true, "297000000 -> 3G"},
    {"hdmi 10bit", kHdmi, 4, 20, k2160p, "RGB444@10bit", true, "742500000 -> 6G"},
    {"hdmi 12bit", kHdmi, 4, 20, k720p, "RGB444@12bit", true, "111375000 -> 3G"},
    {"hdmi 16bit", kHdmi, 4, 20, k720p, "YUV444@16bit", true, "148500000 -> 3G"},
    {"hdmi 9bit", kHdmi, 4, 20, k720p, "RGB444@9bit", true, "74250000 -> 3G"},
    {"hdmi 6bit", kHdmi, 4, 20, k720p, "RGB444@6bit", true, "74250000 -> 3G"},
    {"hdmi 59.94 in full", kHdmi, 4, 20, MakeTiming(4400, 2250, 59940), "RGB444@8bit", true,
     "593406000 -> 6G"},
    {"hdmi at boundary", kHdmi, 4, 20, MakeTiming(340000000, 1, 1000), "RGB444@8bit", true,
     "340000000 -> 6G"},
    {"hdmi below boundary", kHdmi, 4, 20, MakeTiming(339999999, 1, 1000), "RGB444@8bit", true,
     "339999999 -> 3G"},
    {"dp fits", kDp4, 4, 20, k2160p, "RGB444@8bit", true, Dp(16761, 4, 5400, 14256)},
    {"dp equal", kDp4, 4, 20, ForRate(698375), "RGB444@8bit", true, Dp(16761, 4, 5400, 16761)},
    {"dp warning low", kDp4, 4, 20, ForRate(698417), "RGB444@8bit", true,
     "WARNING: " + Dp(16761, 4, 5400, 16762)},
    {"dp warning", kDp4, 4, 20, ForRate(708334), "RGB444@8bit", true,
     "WARNING: " + Dp(16761, 4, 5400, 17000)},
    {"dp warning high", kDp4, 4, 20, ForRate(747209), "RGB444@8bit", true,
     "WARNING: " + Dp(16761, 4, 5400, 17933)},
    {"dp beyond tolerance", kDp4, 4, 20, ForRate(747250), "RGB444@8bit", false,
     Dp(16761, 4, 5400, 17934)},
    {"dp 16bit too much", kDp4, 4, 20, k2160p, "RGB444@16bit", false, Dp(16761, 4, 5400, 28512)},
    {"dp 59.94 as 59", kDp4, 4, 20, MakeTiming(4400, 2250, 59940), "RGB444@8bit", true,
     Dp(16761, 4, 5400, 14018)},
    {"dp 6bit", kDp4, 4, 20, k2160p, "RGB444@6bit", true, Dp(16761, 4, 5400, 10692)},
    {"dp 9bit as 6", kDp4, 4, 20, k2160p, "RGB444@9bit", true, Dp(16761, 4, 5400, 10692)},
    {"dp 422 10bit", kDp4, 4, 20, k2160p, "YUV422@10bit", true, Dp(16761, 4, 5400, 11880)},
    {"dp 420 12bit", kDp4, 4, 20, k2160p, "YUV420@12bit", true, Dp(16761, 4, 5400, 10692)},
    {"dp 2 lanes at 8100", kDp4, 2, 30, k2160p, "RGB444@8bit", false, Dp(12571, 2, 8100, 14256)},
    {"dp 1 lane at 1620", kDp4, 1, 6, k720p, "RGB444@8bit", false, Dp(1256, 1, 1620, 1782)},
    {"dp 4 lanes at 2700", kDp4, 4, 10, k720p, "RGB444@8bit", true, Dp(8380, 4, 2700, 1782)},
    {"dp 4 lanes at 6750", kDp4, 4, 25, k2160p, "RGB444@8bit", true, Dp(20952, 4, 6750, 14256)},
    {"kvx-4 zero lanes", kDp4, 0, 20, k2160p, "RGB444@8bit", true, Dp(25142, 0, 5400, 14256)},
    {"kvx-4 unknown rate", kDp4, 4, 7, k2160p, "RGB444@8bit", true, Dp(25142, 4, 0, 14256)},
    {"kvx-3 zero lanes", kDp3, 0, 20, k2160p, "RGB444@8bit", true, Dp(16761, 0, 5400, 14256)},
    {"other model zero lanes", kDpOther, 0, 20, k2160p, "RGB444@8bit", false,
     Dp(0, 0, 5400, 14256)},
    {"negative frame rate", kDp4, 4, 20, MakeTiming(4400, 2250, -60000), "RGB444@8bit", false,
     Dp(16761, 4, 5400, 18446744073709ULL)},
    {"overflowing timing", kDp4, 4, 20, MakeTiming(4294967295u, 4294967295u, 2147483647),
     "RGB444@8bit", false, Dp(16761, 4, 5400, 18446744073709ULL)},
};

// The check with the format a scenario's "space@Nbit" names.
bool CheckLink(const std::string& device, const Timing& timing, const std::string& format,
               std::string& text) {
    ColorFormat parsed;
    EXPECT_TRUE(ParseColorFormat(format, parsed)) << format;
    return CheckLinkBandwidth(device, timing, parsed, text);
}

TEST(CheckLinkBandwidth, RatesAndTexts) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SimDevice sim(Profile(c.lanes, c.rateCode));
        ASSERT_TRUE(sim.loaded()) << sim.error();
        sim.open();
        std::string text = "previous";
        EXPECT_EQ(CheckLink(c.device, c.timing, c.format, text), c.ok);
        EXPECT_EQ(text, c.text);
        // Only the DisplayPort branch asks the device for its link.
        std::vector<std::string> expected;
        if (std::string(c.device).find("HDMI") == std::string::npos) {
            expected = {trace::Get(item::kDpLaneCount, c.lanes),
                        trace::Get(item::kDpLinkRate, c.rateCode)};
        }
        EXPECT_EQ(sim.trace(), expected);
    }
}

TEST(CheckLinkBandwidth, FailedLinkReadsFallBackToTheModel) {
    SimDevice sim(Profile(4, 20));
    sim.open();
    hlxsim::FailGet(item::kDpLaneCount);
    hlxsim::FailGet(item::kDpLinkRate);
    std::string text;
    EXPECT_TRUE(CheckLink(kDp4, k2160p, "RGB444@8bit", text));
    EXPECT_EQ(text, Dp(25142, 0, 0, 14256));
    hlxsim::ClearFaults();
}

// The limit of the check without a device is where the fastest link of the family refuses.
TEST(LinkBeyondEveryGenerator, AtTheFastestLinksLimit) {
    SimDevice sim(Profile(4, 30));
    sim.open();
    const ColorFormat rgb8{ColorSpace::kRgb444, ColorDepth::k8};
    for (const uint32_t pixels : {18681944u, 18681945u}) {  // 26901 and 26902 Mbps at 24 bits
        const Timing timing = MakeTiming(pixels, 1, 60000);
        std::string text;
        const bool carried = CheckLink(kDp4, timing, "RGB444@8bit", text);
        EXPECT_EQ(LinkBeyondEveryGenerator(timing, rgb8, false).empty(), carried) << text;
    }
    EXPECT_EQ(LinkBeyondEveryGenerator(MakeTiming(18681945, 1, 60000), rgb8, false),
              "Link: requested 26902 Mbps; no DisplayPort generator carries 26902 Mbps or more.");
    // HDMI: 4K60 is 594 MHz; 10 bits make 742.5 MHz, but 4:2:2 keeps the 8-bit clock.
    EXPECT_EQ(LinkBeyondEveryGenerator(k2160p, {ColorSpace::kYuv422, ColorDepth::k12}, true), "");
    EXPECT_EQ(LinkBeyondEveryGenerator(k2160p, {ColorSpace::kRgb444, ColorDepth::k10}, true),
              "Link: TMDS clock 742500000 Hz; no HDMI generator goes above 600000000 Hz.");
}

// Above 340 MHz the link needs scrambling; 4:2:0 halves 4K60 to 297 MHz.
TEST(ScramblingOffProblem, AboveThe340MHzOfHdmi14) {
    const ColorFormat rgb10{ColorSpace::kRgb444, ColorDepth::k10};
    EXPECT_NE(ScramblingOffProblem(k2160p, rgb10, true, false), "");
    EXPECT_EQ(ScramblingOffProblem(k2160p, rgb10, true, true), "");
    EXPECT_EQ(ScramblingOffProblem(k2160p, rgb10, false, false), "");
    EXPECT_EQ(ScramblingOffProblem(k2160p, {ColorSpace::kYuv420, ColorDepth::k8}, true, false), "");
    EXPECT_EQ(HdmiTmdsClock(k2160p, {ColorSpace::kYuv422, ColorDepth::k12}), 594000000u);
}

}  // namespace
