#include "edid/sink_findings.h"

#include <gtest/gtest.h>

#include "edid/edid_builder.h"
#include "profile.h"

using namespace edidtest;

namespace {

// HDMI VSDB at 340 MHz without deep colour, SDR only, stereo LPCM, no YCbCr in byte 3.
SinkCapabilities WeakSink() {
    EdidBuilder edid;
    edid.cta({DataBlock(3, {0x03, 0x0C, 0x00, 0x10, 0x00, 0x00, 0x44}), DataBlock(7, {0x06, 0x01}),
              Adb()});
    return CapsOf(edid.bytes());
}

// HDMI at `mhz` with 2-channel PCM at 48 kHz; `packets` adds a PQ, an SDR and a Dolby
// InfoFrame (DisplayPort: SDPs) and makes the audio 8 channels.
ScenarioSignal Signal(uint64_t mhz, ColorFormat format, bool scrambler = false,
                      bool packets = false, bool hdmi = true) {
    ScenarioSignal s{hdmi, mhz * 1000000, format, scrambler, {}, {}, SinkAudio::kPcm, 2, 48000};
    if (!packets) return s;
    const Bytes pq = hdmi ? Bytes{0x87, 1, 26, 0, 2} : Bytes{0, 0x87, 0, 0x4C, 1, 26, 2};
    const Bytes sdr{0x87, 1, 26, 0, 0};
    const Bytes dolby = hdmi ? Bytes{0x81, 1, 27, 0, 0x46, 0xD0, 0x00}
                             : Bytes{0, 0x81, 0, 0x4C, 1, 27, 0x46, 0xD0, 0x00};
    AddSignalPacket(s, "hdr.bin", pq.data(), pq.size());
    AddSignalPacket(s, "sdr.bin", sdr.data(), sdr.size());
    AddSignalPacket(s, "dv.bin", dolby.data(), dolby.size());
    s.audioChannels = 8;
    return s;
}

const ColorFormat kYuv444At12{ColorSpace::kYuv444, ColorDepth::k12};
const std::string kNoDolby =
    "Sink: dv.bin is a Dolby Vendor-Specific InfoFrame, but the sink declares no Dolby VSVDB.";
const std::string kNoPcm8 =
    "Sink: 8-channel PCM at 48000 Hz is not among the audio formats the sink declares.";

}  // namespace

TEST(SinkFindings, EachRuleAgainstTheSink) {
    const SinkCapabilities capable = CapsOf(hlxsim::DefaultEdid());
    const SinkCapabilities weak = WeakSink();
    const SinkCapabilities dvi = CapsOf(EdidBuilder().bytes());
    const struct {
        ScenarioSignal signal;
        const SinkCapabilities& sink;
        std::vector<std::string> findings;
    } cases[] = {
        // The simulator's sink takes what a default run sends.
        {Signal(594, kYuv444At12, true, true), capable, {}},
        {Signal(297, {ColorSpace::kYuv420, ColorDepth::k16}, true), capable, {}},
        // The agreement table shows each rule once; here, what it needs more than once.
        {Signal(148, kYuv444At12),
         weak,
         {"Sink: 12-bit YCbCr 4:4:4 needs DC_36bit, which the sink's EDID does not set.",
          "Sink: 12-bit YCbCr 4:4:4 needs DC_Y444, which the sink's EDID does not set.",
          "Sink: YCbCr 4:4:4 is not among the colour formats the sink declares."}},
        {Signal(148, {ColorSpace::kYuv420, ColorDepth::k10}),
         weak,
         {"Sink: 10-bit YCbCr 4:2:0 needs DC_420_30, which the sink's EDID does not set.",
          "Sink: YCbCr 4:2:0 is not among the colour formats the sink declares."}},
        {Signal(148, kPlainRgb, true),
         weak,
         {"Sink: scrambling needs SCDC, which the sink does not declare.",
          "Sink: scrambling needs scrambling at 340 MHz or less, which the sink does not "
          "declare."}},
        {Signal(148, kPlainRgb, false, true),
         weak,
         {"Sink: hdr.bin asks for SMPTE ST 2084, which the sink's HDR Static Metadata block does "
          "not list.",
          kNoDolby, kNoPcm8}},
        // A DVI sink: the TMDS limit and RGB only, with the note.
        {Signal(742, kYuv444At12, true, true),
         dvi,
         {"Sink: the TMDS clock of 742 MHz is above the 165 MHz the sink declares.",
          "Sink: YCbCr 4:4:4 is not among the colour formats the sink declares."}},
        // DisplayPort: the packets and the audio only.
        {Signal(742, kYuv444At12, false, true, false),
         dvi,
         {"Sink: hdr.bin asks for SMPTE ST 2084, but the sink has no HDR Static Metadata block.",
          kNoDolby, kNoPcm8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.findings.empty() ? "none" : c.findings.front());
        EXPECT_EQ(SinkFindings(c.signal, c.sink), c.findings);
        EXPECT_EQ(SinkNote(c.signal, c.sink).empty(), &c.sink != &dvi || !c.signal.hdmi);
    }
    EXPECT_EQ(SinkNote(Signal(148, kPlainRgb), dvi),
              "Sink: the EDID has no CTA-861 extension (a DVI sink): only the 165 MHz TMDS limit "
              "and RGB are checked.");
}
