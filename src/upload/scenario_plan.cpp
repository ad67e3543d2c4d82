#include "upload/scenario_plan.h"

#include "device/bandwidth.h"
#include "edid/sink_findings.h"
#include "files/paths.h"
#include "scenario/selection.h"

namespace {

// What the scenario sends, as the sink's EDID can judge it: the clock and colour format of
// the set-up, its HDR and Dolby packets, the audio the upload sends.
ScenarioSignal SignalOf(const SetupPlan& setup, const ContentPlan& content) {
    const ScenarioSettings& settings = setup.settings;
    ScenarioSignal signal;
    signal.hdmi = settings.hdmi;
    signal.format = setup.format;
    signal.tmdsClock = HdmiTmdsClock(settings.timing, setup.format);
    signal.scrambler = settings.scrambler;
    const std::vector<std::vector<uint8_t>>& packets = content.packets.fileBytes;
    for (size_t k = 0; k < packets.size(); ++k) {
        AddSignalPacket(signal, fileName(content.files.packets[k]), packets[k].data(),
                        packets[k].size());
    }
    // Audio that cannot be read is refused as such; the sink is not asked about it.
    if (IsSelected(settings.audio) && content.audio.why.empty()) {
        signal.audio = settings.audiocompressed ? SinkAudio::kCompressed : SinkAudio::kPcm;
        signal.audioChannels = content.audio.format.channels;
        signal.audioRate = content.audio.format.sampleRate;
    }
    return signal;
}

Findings SinkFindingsOf(const ScenarioPlan& plan, const SinkCapabilities& sink) {
    Findings findings;
    const ScenarioSignal signal = SignalOf(plan.setup, plan.content);
    for (std::string& warning : SinkFindings(signal, sink)) {
        findings.add(FindingKind::kWarning, FindingPoint::kAfterSummary, std::move(warning));
    }
    std::string note = SinkNote(signal, sink);
    if (!note.empty()) findings.add(FindingKind::kNote, FindingPoint::kCheckOnly, std::move(note));
    return findings;
}

}  // namespace

Findings ScenarioPlan::findings() const {
    Findings all = sink;
    all.append(setup.findings);
    all.append(content.findings);
    return all;
}

ScenarioPlan PlanScenario(const ScenarioSettings& settings, const PlanInputs& inputs) {
    ScenarioPlan plan{PlanSetup(settings), PlanContent(settings), {}};
    if (inputs.sink != nullptr) plan.sink = SinkFindingsOf(plan, *inputs.sink);
    return plan;
}
