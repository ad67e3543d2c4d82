#include "scenario/summary.h"

#include <gtest/gtest.h>

#include "scenario/selection.h"

namespace {

TEST(Summary, Timings) {
    Timing t;
    t.hactive = 1920;
    t.vactive = 1080;
    t.htotal = 2200;
    t.vtotal = 1125;
    t.hstart = 192;
    t.vstart = 41;
    t.hsync = -44;
    t.vsync = 5;
    t.frate = -60000;
    EXPECT_EQ(describeTimings(t),
              "Timings:\n    hactive: 1920; vactive: 1080\n    htotal: 2200; vtotal: 1125\n"
              "    hstart: 192; vstart: 41\n    hsync: -44; vsync: 5\n    frate: -60000");
    t.vactive = 4294967295u;
    EXPECT_NE(describeTimings(t).find("vactive: 4294967295\n"), std::string::npos);
}

TEST(Summary, DefaultScenarioHasSixLines) {
    EXPECT_EQ(describeScenario(ScenarioSettings{}),
              "Color space: ;\nBits per color: 0;\nAlign to 12 bits: false;\n"
              "Scrambler: disabled;\nLoading RGB: ;\nHDCP: none;\n");
}

TEST(Summary, EveryLine) {
    ScenarioSettings s;
    s.colorspace = "YUV422";
    s.bitspercolor = 10;
    s.video = "v.bin";
    s.packets = "p.bin";
    s.audio = "a.wav";
    s.audiosync = true;
    s.audiocompressed = true;
    s.audiosampling = 48000;
    s.audiochannels = 2;
    s.audiobits = 16;
    s.porder = "0:1::256";
    s.mapping = "m";
    s.align12 = true;
    s.scrambler = true;
    s.loadingRGB = "1,2,3";
    s.hdcp = 2;
    EXPECT_EQ(describeScenario(s),
              "Color space: YUV422;\nBits per color: 10;\nVideo path: v.bin;\n"
              "Packets path: p.bin;\nAudio path: a.wav;\n    sync: true;\n    swap: false;\n"
              "    compressed: true;\n    sampling: 48000;\n    channels: 2;\n    bits: 16;\n"
              "Playing order: 0:1::256;\nMapping: m;\nAlign to 12 bits: true;\n"
              "Scrambler: enabled;\nLoading RGB: 1,2,3;\nHDCP: v23;\n");
}

TEST(Summary, SelectionAndHdcp) {
    ScenarioSettings s;
    s.audio = "audio not selected";
    s.audiosampling = 48000;
    s.video = "not selected";
    s.packets = "p;\nq";  // inserted as it stands
    s.hdcp = 1;
    EXPECT_EQ(describeScenario(s),
              "Color space: ;\nBits per color: 0;\nPackets path: p;\nq;\nAlign to 12 bits: false;\n"
              "Scrambler: disabled;\nLoading RGB: ;\nHDCP: v14;\n");
    s.hdcp = 3;
    EXPECT_EQ(describeScenario(s).find("HDCP"), std::string::npos);

    EXPECT_FALSE(IsSelected(""));
    EXPECT_FALSE(IsSelected("x not selected y"));
    EXPECT_TRUE(IsSelected("Not Selected"));
}

}  // namespace
