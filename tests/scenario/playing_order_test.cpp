#include "scenario/playing_order.h"

#include <gtest/gtest.h>

#include "scenario/scenario.h"

namespace {

// frame/duration/colour/vNumber/prefix of each step, packets joined by ",": compact to compare.
std::string describe(const PlayingOrder& order) {
    std::string text;
    for (const PlayingOrderStep& s : order.steps) {
        text += std::to_string(s.index) + ":" + std::to_string(s.frame) + "x" +
                std::to_string(s.duration) + ":";
        for (size_t i = 0; i < s.packetIndices.size(); ++i) {
            text += (i ? "," : "") + std::to_string(s.packetIndices[i]);
        }
        text += ":" + std::to_string(s.colorCode) + "v" + std::to_string(s.vNumber);
        text += s.pPrefix ? "p " : " ";
    }
    return text;
}

struct OrderCase {
    const char* porder;
    const char* steps;  // as `describe` writes them; empty when unusable
};

class PlayingOrderParse : public testing::TestWithParam<OrderCase> {};

TEST_P(PlayingOrderParse, ExpandsSteps) {
    const PlayingOrder order = parsePlayingOrderText(GetParam().porder);
    EXPECT_EQ(describe(order), GetParam().steps) << "porder '" << GetParam().porder << "'";
    EXPECT_FALSE(order.tooManySteps);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayingOrderParse,
    testing::Values(
        OrderCase{"", "0:0x1::256v0 "},  // the default expression
        OrderCase{" \t ", ""},           // blank is not empty: trimmed to nothing
        OrderCase{" 3:2::256 ", "0:3x2::256v0 "}, OrderCase{"p0:1::256", "0:0x1::256v0p "},
        OrderCase{"P0:1::256", ""},
        OrderCase{"10-14:2:3,4:256",
                  "0:10x2:3,4:256v0 1:11x2:3,4:256v0 2:12x2:3,4:256v0 3:13x2:3,4:256v0 "
                  "4:14x2:3,4:256v0 "},
        OrderCase{"0-1:1::256;5:3:0:256", "0:0x1::256v0 1:1x1::256v0 2:5x3:0:256v0 "},
        // A reversed range adds nothing; later items keep the running number.
        OrderCase{"0:1::256;9-3:1::256;7:1::256", "0:0x1::256v0 1:7x1::256v0 "},
        OrderCase{"4-4:1::256", "0:4x1::256v0 "}, OrderCase{"0:1::256v2", "0:0x1::256v2 "},
        OrderCase{"0:1::256vv2", "0:0x1::256v2 "}, OrderCase{"0:1::65792", "0:0x1::256v0 "},
        OrderCase{"0:1::256;", "0:0x1::256v0 "}, OrderCase{";0:1::256", ""},
        OrderCase{"0:1::256;;1:1::256", ""}, OrderCase{"0:1::256;1:1:256", ""},  // three fields
        OrderCase{"0:1::256:5", ""},                                             // five fields
        OrderCase{"0:1::", ""},  // the empty last field is not counted
        OrderCase{"1-2-3:1::256", ""}, OrderCase{"1-:1::256", ""}, OrderCase{"-1:1::256", ""},
        OrderCase{" 1 - 2 :1: 3, 4:256", "0:1x1:3,4:256v0 1:2x1:3,4:256v0 "},
        OrderCase{"x:1::256", ""}, OrderCase{"0: :: 256", ""},  // a field of blanks is not a number
        OrderCase{"0:4294967296::256", ""},                     // beyond 32 bits
        OrderCase{"4294967295:4294967295::256", "0:4294967295x4294967295::256v0 "},
        OrderCase{"0:1:1,,2:256", ""}, OrderCase{"0:1:0,1,:256", "0:0x1:0,1:256v0 "},
        OrderCase{"0:1:,:256", ""}, OrderCase{"0:1: :256", ""}, OrderCase{"0:1::256v", ""},
        OrderCase{"0:1::v2", ""}, OrderCase{"0:1::256v ", ""}));

TEST(PlayingOrder, UsesTheScenarioField) {
    ScenarioSettings settings;
    settings.porder = "2:5:1:512";
    EXPECT_EQ(describe(parsePlayingOrder(settings)), "0:2x5:1:512v0 ");
}

TEST(PlayingOrder, RefusesTooManyStepsWithoutAllocating) {
    // Would be tens of gigabytes if expanded.
    const PlayingOrder huge = parsePlayingOrderText("0-4000000000:1::256");
    EXPECT_TRUE(huge.tooManySteps);
    EXPECT_TRUE(huge.steps.empty());

    const PlayingOrder limit = parsePlayingOrderText("0-1048575:1::256");
    EXPECT_FALSE(limit.tooManySteps);
    ASSERT_EQ(limit.steps.size(), kMaxPlayingOrderSteps);
    EXPECT_EQ(limit.steps.back().index, 1048575u);
    EXPECT_EQ(limit.steps.back().frame, 1048575u);

    EXPECT_TRUE(parsePlayingOrderText("0-1048575:1::256;0:1::256").tooManySteps);
    // Many packets on many steps count against their own limit.
    EXPECT_TRUE(parsePlayingOrderText("0-1048575:1:1,2,3,4,5:256").tooManySteps);
    // A malformed item is reported as unusable, not as too large.
    EXPECT_FALSE(parsePlayingOrderText("0-4000000000:1::256;x").tooManySteps);
}

struct CountCase {
    const char* porder;
    uint64_t frames;
};

class PlayingOrderCount : public testing::TestWithParam<CountCase> {};

TEST_P(PlayingOrderCount, SumsDurations) {
    EXPECT_EQ(CountPlayingOrderFrames(GetParam().porder), GetParam().frames)
        << "porder '" << GetParam().porder << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayingOrderCount,
    testing::Values(CountCase{"0:1::256", 1}, CountCase{"0-9:2::256", 20},
                    CountCase{"0:5::256;p2-3:1::256", 7}, CountCase{"0:1:256", 0}, CountCase{"", 1},
                    CountCase{"0:5::256;", 5}, CountCase{"9-3:4::256", 0},
                    CountCase{"0:1::256;x-2:1::256", 0}, CountCase{"0:1::256;2:y::256", 0},
                    CountCase{"0:1::256;1-2-3:1::256", 0},
                    // Counted, not expanded: far beyond the step limit.
                    CountCase{"0-4294967295:4294967295::256", 18446744069414584320ull},
                    CountCase{"0-4294967295:4294967295::256;0:4294967295::256;0:1::256",
                              UINT64_MAX}));

}  // namespace
