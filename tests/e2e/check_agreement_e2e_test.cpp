// A green check means a green run. Every row states the check's verdict, runs --check and
// then the real run on the default simulated generator, and holds the two to one rule:
// - problem: the check exits 1; the run exits 1, or goes on logging a warning the check
//   named, or the link is one no generator of the family carries;
// - OK with a note: the check exits 0 and shows the note; the run is OK unless the row is
//   device-decided (the lanes, the memory: the lab's generator decides, not the check);
// - OK: the check exits 0; the run uploads and starts with no warning the check did not
//   show (the step check's own warnings are notes in both).
// The rows are the bad inputs of bad_inputs.h and the table below; a new row needs only
// its name, its files, its scenario or playlist, the interface and its verdict.
#include <gtest/gtest.h>

#include <algorithm>

#include "bad_inputs.h"
#include "bounded_run.h"
#include "e2e_fixture.h"
#include "upload/audio_files.h"

namespace {

enum class Verdict { kProblem, kNote, kOk };
using enum Verdict;

struct Row {
    std::string name;
    std::string scenario = {};  // s1.txt when given (otherwise the demo scenario)
    Verdict verdict = kOk;
    std::string interface = {};  // HDMI or DisplayPort runs --scenario s1.txt; empty: p.ini
    std::string note = {};       // kNote: how the check's note line begins
    std::string playlist = {};   // p.ini when given (otherwise HDMI, playing s1.txt)
    Prepare content = {};        // files beyond the demo content, or changes to them
    bool deviceDecided = false;  // only the check's note is asserted
    std::string arguments = {};  // as written, instead of the interface (the bad inputs)
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
    {"HdmiAbove600MHz", Totals(4400, 2300), kProblem},
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

    // A run that went on logs a warning the check named, unless the link is beyond every
    // generator: the HDMI run only classifies it.
    bool RunShowsTheProblem(const std::vector<std::string>& check) const {
        bool all = true;
        if (SharedWarnings(check, all) != 0) return true;
        return std::ranges::any_of(check, [](const std::string& line) {
            return line.find("no HDMI generator goes above") != std::string::npos;
        });
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

    const ProgramRun checked = Run(Arguments(row) + " --check");
    const std::vector<std::string> check = Lines();
    ASSERT_NE(checked.exitCode, kTimedOut);
    EXPECT_FALSE(HasSanitizerReport(checked.output));
    EXPECT_EQ(checked.exitCode, row.verdict == kProblem ? 1 : 0) << checked.output;
    EXPECT_TRUE(Trace().empty()) << "the check called the device";
    if (row.verdict == kNote) {
        EXPECT_TRUE(std::ranges::any_of(check, [&row](const std::string& line) {
            return StartsWith(line, "  " + row.note);
        })) << checked.output;
    }
    if (row.deviceDecided) return;

    const ProgramRun run = Run(Arguments(row));
    ASSERT_NE(run.exitCode, kTimedOut);
    EXPECT_FALSE(HasSanitizerReport(run.output));
    if (row.verdict != kProblem) {
        EXPECT_EQ(run.exitCode, 0) << run.output.substr(0, 20000);
        ExpectRunOk(check);
    } else if (run.exitCode == 0) {
        EXPECT_TRUE(RunShowsTheProblem(check)) << checked.output << run.output.substr(0, 20000);
    }
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckAgreement, ::testing::ValuesIn(AllRows()), RowName);

}  // namespace
