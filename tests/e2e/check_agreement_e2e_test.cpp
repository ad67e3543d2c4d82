// A green check means a green run. Every row states the check's verdict, runs --check and
// then the real run on the default simulated generator, and holds the two to one rule:
// - problem: the check exits 1; the run exits 1, or goes on logging a warning the check
//   named (a row that names the warning: the run logs it and goes on);
// - OK with a note: the check exits 0 and shows the note, which the run does not say; the
//   run is OK unless the row is device-decided (the lanes, the memory: the lab's generator
//   decides, not the check);
// - OK: the check exits 0; the run uploads and starts with no warning the check did not
//   show (the step check's own warnings are notes in both).
// The rows are the bad inputs of bad_inputs.h and the table below; a new row needs only
// its name, its files, its scenario or playlist, the interface and its verdict. A sink row
// gives the generator's sink: its EDID is saved with --edid and given to --check --sink.
#include <gtest/gtest.h>

#include <algorithm>

#include "bad_inputs.h"
#include "bounded_run.h"
#include "e2e_fixture.h"
#include "edid/edid_builder.h"
#include "edid/sink_findings.h"
#include "packets/infoframe.h"
#include "profile.h"
#include "sim_control.h"
#include "upload/audio_files.h"

namespace {

enum class Verdict { kProblem, kNote, kOk };
using enum Verdict;
using edidtest::Bytes;

struct Row {
    std::string name;
    std::string scenario = {};  // s1.txt when given (otherwise the demo scenario)
    Verdict verdict = kOk;
    std::string interface = {};  // HDMI or DisplayPort runs --scenario s1.txt; empty: p.ini
    std::string line = {};       // kNote: how the note begins; kProblem: how the warning does
    std::string playlist = {};   // p.ini when given (otherwise HDMI, playing s1.txt)
    Prepare content = {};        // files beyond the demo content, or changes to them
    bool deviceDecided = false;  // only the check's note is asserted
    std::string arguments = {};  // as written, instead of the interface (the bad inputs)
    Bytes sinkEdid = {};         // the generator's sink (otherwise the built-in one, unchecked)
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

std::string Order(const std::string& porder) {
    return ScenarioText("", porder);
}
std::string Totals(int htotal, int vtotal) {
    return ScenarioText("timing.htotal=" + std::to_string(htotal) +
                        "\ntiming.vtotal=" + std::to_string(vtotal) + "\n");
}
std::string AudioOnly(const std::string& extra = "") {
    const std::string demo = ScenarioText();
    return demo.substr(0, demo.find("colorspace")) + "audio=content\\tone.wav\n" + extra;
}
std::string Playlist(const std::string& connector, const std::vector<std::string>& paths) {
    std::vector<std::string> scenarios;
    for (const std::string& path : paths) scenarios.push_back("path=" + path + "\n");
    return PlaylistText("serialnumber=SIM0001\nconnectortype=" + connector + "\n", scenarios);
}

// 330 frames of 1920x1080 RGB: 4.4 GB of device memory, more than the default generator's.
void WriteLargeFrames(const TempFolder& folder) {
    for (int i = 0; i < 330; ++i) {
        const std::string name = "big/f" + std::to_string(1000 + i).substr(1) + ".bin";
        folder.write(name, "");
        Resize(folder, name, 1920 * 1080 * 3);
    }
}
// The demo's tone.wav as another layout: 480 frames of `align` bytes.
Prepare WavOf(uint16_t channels, uint16_t bits, int32_t align) {
    return [=](const TempFolder& folder) {
        const WavSpec wav{channels, 48000, bits, 1, 16, false, align};
        folder.write("content/tone.wav", MakeWav(wav, std::vector<uint8_t>(480 * align, 0x5A)));
    };
}
std::string PacketsInOneStep(int count) {
    std::string packets = "0";
    for (int i = 1; i < count; ++i) packets += ",0";
    return Order("0-2:40:" + packets + ":256");
}

// Each preparation in turn.
Prepare All(const std::vector<Prepare>& steps) {
    return [=](const TempFolder& folder) {
        for (const Prepare& step : steps) step(folder);
    };
}
// The demo's three 64x4 frames at `bpp` bytes a pixel, every byte `fill`.
Prepare Frames(size_t bpp, uint8_t fill) {
    return [=](const TempFolder& folder) {
        for (const char* name : {"content/f000.bin", "content/f001.bin", "content/f002.bin"}) {
            folder.write(name, Bytes(64 * 4 * bpp, fill));
        }
    };
}
// content/<name> as an HDMI InfoFrame of `length` bytes beginning with `data`, its
// checksum making the packet sum to 0.
Prepare InfoFramePacket(uint8_t type, uint8_t version, uint8_t length, const Bytes& data,
                        const std::string& name = "pk0.bin") {
    Bytes packet{type, version, length, 0};
    packet.insert(packet.end(), data.begin(), data.end());
    packet.resize(31, 0);
    packet[3] = InfoFrameChecksum(type, version, length, packet.data() + 4);
    return [=](const TempFolder& folder) { folder.write("content/" + name, packet); };
}
Prepare AviSaying(uint8_t pb1) {
    return InfoFramePacket(infoframe::kAvi, 2, 13, {pb1});
}
Prepare PqMastering(const std::string& name = "pk0.bin") {
    return InfoFramePacket(infoframe::kDynamicRangeMastering, 1, 26, {infoframe::kEotfSmpteSt2084},
                           name);
}
Prepare DolbyVsif(const std::string& name = "pk0.bin") {
    return InfoFramePacket(infoframe::kVendorSpecific, 1, 27, {0x46, 0xD0, 0x00}, name);
}

// A sink's EDID: the header, then a CTA-861 extension with an HDMI VSDB that gives no
// clock (165 MHz), basic audio (stereo PCM), no YCbCr, and `blocks`. `cta` false: a DVI
// sink's one block.
Bytes SinkEdid(const std::vector<Bytes>& blocks = {}, bool cta = true) {
    edidtest::EdidBuilder builder;
    std::vector<Bytes> all{edidtest::Hdmi14Vsdb()};
    all.insert(all.end(), blocks.begin(), blocks.end());
    if (cta) builder.cta(all);
    Bytes edid = builder.bytes();
    const uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(std::begin(header), std::end(header), edid.begin());
    if (cta) edid[128 + 3] = 0x40;
    return edid;
}
// The built-in profile with the sink's EDID in place of its own.
std::string ProfileWithSink(const Bytes& edid) {
    std::string profile = hlxsim::DefaultProfileText();
    const size_t key = profile.find("edid-hex = ");
    return profile.replace(key, profile.find('\n', key) - key,
                           "edid-hex = " + edidtest::HexWords(edid));
}

// At 2160p60's totals, 16-bit YCbCr 4:2:0 planes at 10 bits (371.25 MHz), scrambled,
// 8-channel PCM, a PQ and a Dolby InfoFrame: what the built-in sink takes.
const std::string kDemanding = ScenarioText(
    "timing.htotal=4400\ntiming.vtotal=2250\ncolorspace=YUV420\n"
    "bitspercolor=10\nscrambler=1\n",
    "0-2:40:0,1:256");
const Prepare kDemandingContent =
    All({Frames(3, 0xFF), PqMastering(), DolbyVsif("pk1.bin"), WavOf(8, 16, 16)});

// A row whose problem is the warning that begins with `line`: the run logs it and goes on.
Row Warns(std::string name, std::string line, std::string scenario = "", Prepare content = {},
          Bytes sinkEdid = {}) {
    return {.name = std::move(name),
            .scenario = std::move(scenario),
            .verdict = kProblem,
            .line = std::move(line),
            .content = std::move(content),
            .sinkEdid = std::move(sinkEdid)};
}

const char* const kLargeFrames =
    "timing.hactive=1920\ntiming.vactive=1080\ntiming.htotal=2200\ntiming.vtotal=1125\n"
    "timing.frate=60000\ncolorspace=RGB444\nbitspercolor=8\nvideo=big\\f000.bin\n";

const std::string kTypoDevice = "[Device]\nserialnumber=SIM0001\nconnectortype=HDMI Out\n";
const std::string kTypoScenario = "[Scenario]\npath=s1.txt\n";

const Row kRows[] = {
    {"GoodPlaylist"},
    {"GoodScenarioOnHdmi", "", kOk, "HDMI"},
    {"GoodScenarioOnDisplayPort", "", kNote, "DisplayPort",
     "Link: requested 1 Mbps; the check against the link needs the device.", "",
     DemoContent::WriteDisplayPortPacket},
    {"AudioOnlyWithoutColourKeys", AudioOnly()},
    {"PacketListWithATrailingComma", Order("0-2:40:0,:256")},
    {"ColourFormatChangingInAShortVideo", Order("0:1::256;1:1::512")},
    {"OrderOfThreeFields", Order("0-4:2:256"), kProblem},
    {"OrderWithJunkAfterANumber", Order("0-2:40b:0:256"), kProblem},
    {"OrderWithAnEmptyFrameField", Order(":40:0:256"), kProblem},
    {"OrderWithAnUnreadableSecondItem", Order("0-2:40:0:256;junk"), kProblem},
    {"OrderWithoutAStep", Order("5-3:1::256"), kProblem},
    {"PlaylistWithAMissingScenario", "", kProblem, "", "",
     Playlist("HDMI Out", {"s1.txt", "gone.txt", "s1.txt"})},
    {"InterfaceInLowerCase", "", kProblem, "hdmi"},
    {"ConnectorTypeNamesNoOutput", "", kProblem, "", "", Playlist("HDMI out", {"s1.txt"})},
    {"DisplayPortBeyondTheFastestLink", Totals(4000, 5000), kProblem, "DisplayPort"},
    {"DisplayPortWithinTheFastestLink", Totals(4000, 3473), kNote, "DisplayPort",
     "Link: requested 20004 Mbps;", "", DemoContent::WriteDisplayPortPacket, true},
    {"HdmiAbove600MHz", Totals(4400, 2300), kProblem, "",
     "Link: TMDS clock 607200000 Hz; no HDMI generator goes above 600000000 Hz."},
    {"FramesBeyondTheDevicesMemory", kLargeFrames, kNote, "", "Total data size: 4379443200 bytes.",
     "", WriteLargeFrames, true},
    {"UnknownColourSpace", AudioOnly("colorspace=RGB\n"), kProblem},
    {"DepthOf24Bits", AudioOnly("bitspercolor=24\n"), kProblem},
    {"LoadingColourNotRgb", ScenarioText("loadingRGB=1,2\n"), kProblem},
    {"WavOf32BitSamples", "", kOk, "", "", "", WavOf(2, 32, 8)},
    {"WavOf20BitsIn3Bytes", "", kOk, "", "", "", WavOf(2, 20, 6)},
    {"WavOfAnUnevenBlockAlign", "", kProblem, "", "", "", WavOf(2, 16, 5)},
    {"WavOfNineChannels", "", kProblem, "", "", "", WavOf(9, 16, 18)},
    {"DisplayPortPacketOf40Bytes", "", kProblem, "DisplayPort", "", "",
     [](const TempFolder& f) { Resize(f, "content/pk0.bin", 40); }},
    {"PacketDataOverItsLimits", PacketsInOneStep(2048), kProblem},
    {"ScenarioKeyMisspelt", ScenarioText("porderr=0:1::256\n"), kProblem},
    {"PlaylistKeyMisspelt", "", kProblem, "", "", kTypoDevice + kTypoScenario + "perod=5\n"},
    {"PlaylistSectionMisspelt", "", kProblem, "", "",
     kTypoDevice + kTypoScenario + "[Scenarios]\npath=s1.txt\n"},
    {"PlaylistKeyBeforeAnySection", "", kProblem, "", "",
     "strict=0\n" + kTypoDevice + kTypoScenario},
    // What the packets hold, the link and the pixels.
    Warns("PacketChecksumWrong",
          "pk0.bin: the InfoFrame checksum is 0x00, but its bytes need 0x6F: the sink drops it.",
          "", [](const TempFolder& f) { PatchLe(f, "content/pk0.bin", 3, 0, 1); }),
    Warns("InfoFrameLongerThanAPacket",
          "pk0.bin: the InfoFrame length 28 is beyond the 27 bytes a packet holds", "",
          [](const TempFolder& f) { PatchLe(f, "content/pk0.bin", 2, 28, 1); }),
    Warns("AviColourSpaceNotTheSteps",
          "pk0.bin: the AVI InfoFrame says YCbCr 4:4:4, but step 0 sends RGB.", "",
          AviSaying(0x40)),
    {"HdmiPacketOnDisplayPort", "", kProblem, "DisplayPort",
     "pk0.bin: HB0 is 0x82, but a DisplayPort SDP begins with 0."},
    Warns("ScramblingOffAbove340MHz",
          "Link: a TMDS clock of 594 MHz needs scrambling, which the scenario turns off.",
          Totals(4400, 2250)),
    Warns("TenBitSamplesInTheLowBits",
          "f000.bin: every sample is below 1024, so the 10-bit samples sit in the low bits",
          ScenarioText("bitspercolor=10\n"), Frames(6, 0x01)),
    // The sink: a stereo HDMI sink of 165 MHz without YCbCr unless the row says otherwise.
    Warns("SinkTmdsBeyondItsLimit",
          "Sink: the TMDS clock of 297 MHz is above the 165 MHz the sink declares.",
          Totals(4400, 1125), {}, SinkEdid()),
    Warns("SinkWithoutDeepColour",
          "Sink: 10-bit RGB needs DC_30bit, which the sink's EDID does not",
          ScenarioText("bitspercolor=10\n"), Frames(6, 0xFF), SinkEdid()),
    Warns("SinkWithoutYCbCr422", "Sink: YCbCr 4:2:2 is not among the colour formats the sink",
          ScenarioText("colorspace=YUV422\n"), Frames(4, 0x80), SinkEdid()),
    Warns("SinkWithoutScdc", "Sink: scrambling needs SCDC, which the sink does not declare.",
          ScenarioText("scrambler=1\n"), {}, SinkEdid()),
    Warns("SinkWithoutPq",
          "Sink: pk0.bin asks for SMPTE ST 2084, which the sink's HDR Static Metadata block does "
          "not list.",
          "", PqMastering(), SinkEdid({edidtest::DataBlock(7, {0x06, 0x09, 0x01})})),
    Warns("SinkWithoutDolbyVsvdb",
          "Sink: pk0.bin is a Dolby Vendor-Specific InfoFrame, but the sink declares no Dolby", "",
          DolbyVsif(), SinkEdid()),
    Warns("SinkOfTwoChannels",
          "Sink: 8-channel PCM at 48000 Hz is not among the audio formats the sink declares.", "",
          WavOf(8, 16, 16), SinkEdid()),
    Warns("SinkOfPcmOnly", "Sink: compressed audio, but the sink declares only PCM.",
          ScenarioText("audiocompressed=1\n"), {}, SinkEdid()),
    {.name = "SinkOfDvi",
     .verdict = kNote,
     .line = "Sink: the EDID has no CTA-861 extension (a DVI sink): only the 165 MHz TMDS limit",
     .sinkEdid = SinkEdid({}, false)},
    {.name = "DemandingScenarioOnTheBuiltInSink",
     .scenario = kDemanding,
     .content = kDemandingContent,
     .sinkEdid = hlxsim::DefaultEdid()},
};

Row FromBadInput(const BadInput& input) {
    return {.name = input.name,
            .verdict = input.exitCode == 0 ? kOk : kProblem,
            .content = input.prepare,
            .arguments = input.arguments};
}

std::vector<Row> AllRows() {
    std::vector<Row> rows(std::begin(kRows), std::end(kRows));
    for (const auto* kind : {&kBadAudio, &kBadPackets, &kBadVideo, &kBadFiles, &kBadOrder}) {
        for (const BadInput& input : *kind) rows.push_back(FromBadInput(input));
    }
    return rows;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

class CheckAgreement : public BoundedProgramTest, public ::testing::WithParamInterface<Row> {
  protected:
    void SetUp() override { WriteBadInputBase(folder); }

    std::string Arguments(const Row& row) const {
        const std::string request = !row.arguments.empty() ? row.arguments
                                    : row.interface.empty()
                                        ? "--playlist p.ini"
                                        : "--scenario s1.txt --interface " + row.interface;
        return request + " --source-sn SIM0001";  // no warning for a device taken by chance
    }

    // The run's warnings that the check showed too (a problem, or a note such as the
    // step check's); `all`: whether no other warning was logged.
    size_t SharedWarnings(const std::vector<std::string>& check, bool& all) const {
        size_t shared = 0;
        all = true;
        for (const std::string& line : Lines()) {
            if (!StartsWith(line, "WARNING: ")) continue;
            // An ignored line is a problem in the check, without the run's "WARNING: ".
            const bool inCheck = std::ranges::find(check, "  " + line) != check.end() ||
                                 std::ranges::find(check, "  " + line.substr(9)) != check.end();
            shared += inCheck ? 1 : 0;
            all = all && inCheck;
        }
        return shared;
    }

    // A run that went on logs a warning the check named.
    bool RunShowsTheProblem(const std::vector<std::string>& check) const {
        bool all = true;
        return SharedWarnings(check, all) != 0;
    }

    // The check shows the warning that begins with `start`; the run logs it and goes on.
    void ExpectRunWarns(const ProgramRun& run, const std::vector<std::string>& check,
                        const std::string& start) const {
        const auto shown = std::ranges::find_if(
            check, [&](const std::string& line) { return StartsWith(line, "  " + start); });
        ASSERT_NE(shown, check.end()) << start;
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(HasInOrder({"WARNING: " + shown->substr(2), "Upload succeeded!"}))
            << run.output.substr(0, 20000);
    }

    void ExpectRunOk(const std::vector<std::string>& check) const {
        EXPECT_TRUE(HasInOrder({"Upload succeeded!"}));
        bool all = true;
        SharedWarnings(check, all);
        EXPECT_TRUE(all) << "a warning the check did not show";
    }
};

TEST_P(CheckAgreement, CheckAndRunAgree) {
    const Row& row = GetParam();
    if (row.content) row.content(folder);
    if (!row.scenario.empty()) folder.write("s1.txt", row.scenario);
    if (!row.playlist.empty()) folder.write("p.ini", row.playlist);
    // The check reads the sink's EDID as --edid saves it from the run's generator.
    const std::string profile = row.sinkEdid.empty() ? "" : ProfileWithSink(row.sinkEdid);
    if (!profile.empty()) {
        ASSERT_EQ(Run("--edid sink.bin --interface HDMI --source-sn SIM0001", profile).exitCode, 0);
    }

    const ProgramRun checked =
        Run(Arguments(row) + " --check" + (profile.empty() ? "" : " --sink sink.bin"));
    const std::vector<std::string> check = Lines();
    ASSERT_NE(checked.exitCode, kTimedOut);
    EXPECT_FALSE(HasSanitizerReport(checked.output));
    EXPECT_EQ(checked.exitCode, row.verdict == kProblem ? 1 : 0) << checked.output;
    EXPECT_TRUE(Trace().empty()) << "the check called the device";
    const auto says = [&check](const std::string& start) {
        return std::ranges::count_if(
            check, [&start](const std::string& line) { return StartsWith(line, start); });
    };
    if (row.verdict != kProblem) {
        EXPECT_EQ(says(profile.empty() ? kSinkNotChecked : "Sink sink.bin: max TMDS "), 1);
    }
    if (row.verdict == kNote) {
        EXPECT_NE(says("  " + row.line), 0) << checked.output;
    }
    if (row.deviceDecided) return;

    const ProgramRun run = Run(Arguments(row), profile);
    ASSERT_NE(run.exitCode, kTimedOut);
    EXPECT_FALSE(HasSanitizerReport(run.output));
    if (row.verdict != kProblem) {
        EXPECT_EQ(run.exitCode, 0) << run.output.substr(0, 20000);
        ExpectRunOk(check);
        if (row.verdict == kNote) {
            EXPECT_EQ(run.output.find(row.line), std::string::npos) << "the run says the note";
        }
    } else if (!row.line.empty()) {
        ExpectRunWarns(run, check, row.line);
    } else if (run.exitCode == 0) {
        EXPECT_TRUE(RunShowsTheProblem(check)) << checked.output << run.output.substr(0, 20000);
    }
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckAgreement, ::testing::ValuesIn(AllRows()), RowName);

}  // namespace
