#include "upload/content_plan.h"

#include <map>

#include "files/paths.h"
#include "files/text.h"
#include "packets/packet_description.h"
#include "scenario/porder_grammar.h"
#include "scenario/read_error.h"
#include "scenario/scenario.h"
#include "scenario/selection.h"
#include "upload/low_bit_samples.h"

namespace {

using enum FindingKind;
using enum FindingPoint;

std::string MissingLine(const std::string& path) {
    return "File " + fileName(path) + " doesn't exist!";
}

// The non-empty ';'-separated items of a `video` field, in order.
std::vector<std::string> VideoItems(const std::string& video) {
    std::vector<std::string> items;
    for (std::string& piece : splitPieces(video, ';')) {
        if (!piece.empty()) items.push_back(std::move(piece));
    }
    return items;
}

// The upload opens a frame file when it reads it; the plan tries the open directly, so
// that a file that cannot be opened is known before.
std::vector<VideoItemPlan> PlanVideo(const ScenarioSettings& settings, const ScenarioFiles& files) {
    std::vector<VideoItemPlan> items;
    const FormatTable formats = VideoFormatTable(files.videoItems);
    for (size_t i = 0; i < files.videoItems.size(); ++i) {
        VideoItemPlan item;
        item.binary = IsBinaryImagePath(files.videoItems[i]);
        for (const SequenceFile& file : files.frames[i]) {
            const SequenceFile opened{file.path, file.size < 0 ? -1 : fileSize(file.path)};
            item.frames.push_back(
                PlanFrame(opened, FormatOf(formats, fileName(file.path)), settings));
        }
        // The item's first frame tells whether its deep samples were left in the low bits.
        const std::string lowBits =
            item.frames.empty() ? std::string()
                                : LowBitSamplesOf(item.frames.front(), settings.bitspercolor);
        if (!lowBits.empty()) item.warnings.add(kWarning, kFrames, lowBits);
        items.push_back(std::move(item));
    }
    return items;
}

// "File <name> doesn't exist!" for each video item or packet sequence that finds no
// file, and for a missing audio file. A sequence holds only files that exist, so an empty
// one is the only miss; it is named by the first file it looked for.
void AddMissingFiles(const ScenarioSettings& settings, const ScenarioFiles& files,
                     Findings& findings) {
    for (size_t i = 0; i < files.videoItems.size(); ++i) {
        if (files.frames[i].empty()) {
            findings.add(kRefusal, kFiles, MissingLine(FirstSequenceFile(files.videoItems[i])));
        }
    }
    if (IsSelected(settings.audio) && !fileExists(settings.audio)) {
        findings.add(kRefusal, kFiles, MissingLine(settings.audio));
    }
    if (IsSelected(settings.packets) && files.packets.empty()) {
        findings.add(kRefusal, kFiles, MissingLine(FirstSequenceFile(settings.packets)));
    }
}

// The device reads the order itself: every item its grammar refuses is named, and the run
// meets them as the device's refusal. An order of which the program finds no step is
// handed over as written, with a warning.
void AddSteps(const ScenarioSettings& settings, const StepCheck& steps, Findings& findings) {
    findings.add(steps.passed ? kNote : kRefusal, kSteps, steps.text);
    constexpr size_t kShownItems = 10;
    const RefusedItems refused = RefusedPlayingOrderItems(settings.porder, kShownItems);
    for (size_t i = 0; i < refused.shown.size(); ++i) {
        const bool last = i + 1 == refused.shown.size() && refused.more != 0;
        findings.add(
            kRefusal, kCheckOnly,
            "The device refuses playing order item '" + ShownValue(refused.shown[i]) + "'.",
            last ? "and " + std::to_string(refused.more) + " more item(s)" : "");
    }
    if (!steps.noStepWarning.empty()) {
        findings.add(Finding{kWarning, kSteps, steps.noStepWarning, "", true});
    }
}

// A problem that begins with its file's name is alike for every file without that name.
std::string AlikeKey(const std::string& problem, const std::string& path) {
    const std::string named = fileName(path) + ": ";
    return problem.rfind(named, 0) == 0 ? problem.substr(named.size()) : problem;
}

// Frames of an item that share a problem (a colour space without a pixel format code,
// say) make one finding: the first is named, the others counted. The run stops at the
// first frame it cannot send, with that frame's lines.
void AddItemFrames(const VideoItemPlan& item, Findings& findings) {
    if (!item.binary) {
        findings.add(kRefusal, kFrames, kNotBinaryImage);
        return;
    }
    std::vector<Finding> found;
    std::vector<size_t> alike;
    std::map<std::string, size_t> entries;
    for (const FramePlan& frame : item.frames) {
        if (frame.problem.empty()) continue;
        const auto [entry, first] =
            entries.emplace(AlikeKey(frame.problem, frame.file.path), found.size());
        if (!first) {
            ++alike[entry->second];
            continue;
        }
        found.push_back(Finding{kRefusal, kFrames,
                                frame.problem + "\n" + FailedToLoad(frame.file.path), "", false});
        alike.push_back(0);
    }
    for (size_t i = 0; i < found.size(); ++i) {
        if (alike[i] != 0) {
            found[i].detail = std::to_string(alike[i]) + " more frame(s) with this problem";
        }
        findings.add(std::move(found[i]));
    }
    findings.append(item.warnings);
}

// What each packet file holds, and what it does wrong; the run says the latter right before
// the packets' line.
void AddPacketContents(const ScenarioSettings& settings, const ContentPlan& plan,
                       Findings& findings, Findings& notes) {
    const std::vector<std::vector<uint8_t>>& bytes = plan.packets.fileBytes;
    for (size_t k = 0; k < bytes.size(); ++k) {
        const std::string file = fileName(plan.files.packets[k]);
        const std::vector<uint8_t>& packet = bytes[k];
        notes.add(kNote, kCheckOnly,
                  PacketNote(k, file, DescribePacket(packet.data(), packet.size(), settings.hdmi)));
        for (std::string& warning : PacketFindings(file, packet.data(), packet.size(),
                                                   settings.hdmi, plan.packetSteps[k])) {
            findings.add(kWarning, kPackets, std::move(warning));
        }
    }
}

void AddContentFindings(const ScenarioSettings& settings, const ContentPlan& plan,
                        Findings& findings) {
    // Without timings every frame would fail its size check for that one reason, and the
    // set-up refuses the scenario before its upload anyway.
    if (!settings.timing.isZero()) {
        for (const VideoItemPlan& item : plan.video) AddItemFrames(item, findings);
    }
    // A missing file is named as missing alone.
    const std::string audio = AudioRefusal(settings, plan.audio);
    if (IsSelected(settings.audio) && fileExists(settings.audio) && !audio.empty()) {
        findings.add(kRefusal, kAudio, audio);
    }
    if (IsSelected(settings.packets) && !plan.files.packets.empty()) {
        const std::vector<std::string> lines = PacketProblem(plan.packets);
        std::string text;
        for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
        // Over its limits the packet data gives no layout; a refused file stops the packets.
        if (!text.empty()) findings.add(kRefusal, plan.packets.loaded ? kLayout : kPackets, text);
    }
}

void AddMemoryNotes(const MemoryLayout& layout, Findings& findings) {
    std::string blocks = "Memory blocks:";
    for (size_t i = 0; i < layout.blocks.size(); ++i) {
        blocks += (i == 0 ? " " : ", ") + std::to_string(layout.blocks[i]);
    }
    findings.add(kNote, kCheckOnly, blocks + " bytes.");
    findings.add(kNote, kCheckOnly, DataSizeLines(layout).front());  // the total
}

}  // namespace

uint32_t ScenarioFiles::FrameCount() const {
    uint64_t count = 0;
    for (const std::vector<SequenceFile>& item : frames) count += item.size();
    return count > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(count);
}

ScenarioFiles FindScenarioFiles(const ScenarioSettings& settings) {
    ScenarioFiles files;
    if (IsSelected(settings.video)) files.videoItems = VideoItems(settings.video);
    for (const std::string& item : files.videoItems) {
        files.frames.push_back(ExpandFileSequenceSized(item));
    }
    if (IsSelected(settings.packets)) files.packets = ExpandFileSequence(settings.packets);
    return files;
}

const FramePlan* ContentPlan::Frame(uint32_t k) const {
    for (const VideoItemPlan& item : video) {
        if (k < item.frames.size()) return &item.frames[k];
        k -= static_cast<uint32_t>(item.frames.size());
    }
    return nullptr;
}

ContentPlan PlanContent(const ScenarioSettings& settings) {
    ContentPlan plan;
    plan.files = FindScenarioFiles(settings);
    plan.video = PlanVideo(settings, plan.files);
    PlayingOrder order = parsePlayingOrder(settings);
    plan.steps = CheckPlayingOrderSteps(order, settings, plan.files.FrameCount(),
                                        static_cast<uint32_t>(plan.files.packets.size()));
    const size_t shown = std::min(order.steps.size(), kPlannedSteps);
    plan.firstSteps.assign(order.steps.begin(), order.steps.begin() + shown);
    if (IsSelected(settings.audio)) plan.audio = PlanAudio(settings);
    if (IsSelected(settings.packets)) {
        plan.packetSteps = StepsSendingPackets(order.steps, plan.files.packets.size());
        plan.packets = PreparePackets(settings, plan.files.packets, std::move(order));
    }
    plan.layout =
        ComputeMemoryBlocks(settings.timing, plan.files, plan.packets, plan.audio.deviceBytes);
    AddMissingFiles(settings, plan.files, plan.findings);
    AddSteps(settings, plan.steps, plan.findings);
    AddContentFindings(settings, plan, plan.findings);
    Findings packetNotes;
    AddPacketContents(settings, plan, plan.findings, packetNotes);
    if (!plan.findings.refusesAt(kLayout)) AddMemoryNotes(plan.layout, plan.findings);
    plan.findings.append(packetNotes);  // after the memory lines
    return plan;
}
