#include "upload/upload_scenario.h"

#include "device/config_items.h"
#include "device/items.h"
#include "device/upload_callback.h"
#include "scenario/selection.h"
#include "upload/audio.h"
#include "upload/loader.h"
#include "upload/memory_layout.h"

namespace {

// Video block of the layout a device gets before its first scenario: 160 MiB.
constexpr uint64_t kDefaultVideoBlock = 160u << 20;

void ReportSizes(DataLoaderBase& loader, const MemoryLayout& layout) {
    uint64_t memory = 0;
    if (!GetMemorySize(memory)) memory = 0;
    loader.ReportInfo("Total memory: " + std::to_string(memory) + " bytes.");
    for (std::string& line : DataSizeLines(layout)) loader.ReportInfo(std::move(line));
}

bool AssignBlocks(DataLoaderBase& loader, const MemoryLayout& layout) {
    if (!SetMemoryLayout(layout.blocks)) return Fail(loader, "Memory layout: FAIL!");
    loader.ReportInfo("Memory layout: OK.");
    if (!SetPatternMemoryBlock(MemoryLayout::kPatternBlock)) {
        return Fail(loader, "Failed setting memory block for pattern generator!");
    }
    if (!SetPlaybackMemoryBlock(layout.PacketsBlock())) {
        return Fail(loader, "Failed setting memory block for playback!");
    }
    if (!SetAudioMemoryBlock(layout.AudioBlock())) {
        return Fail(loader, "Failed setting memory block for audio generator!");
    }
    return true;
}

bool UploadContent(DataLoaderBase& loader, const ScenarioSettings& settings,
                   const ContentPlan& plan) {
    if (IsSelected(settings.video)) {
        loader.UsePlan(&plan);
        ScenarioSettings video = settings;  // the loader's interface takes its own copy
        const bool loaded = loader.LoadVideo(video);
        loader.UsePlan(nullptr);
        if (!loaded) return false;
    }
    if (IsSelected(settings.audio) && !UploadAudio(loader, settings, plan.audio, plan.layout)) {
        return false;
    }
    if (IsSelected(settings.packets) &&
        !UploadPackets(loader, settings, plan.packets, plan.layout, plan.findings)) {
        return false;
    }
    if (!SetPlayingOrder(settings.porder)) {
        return Fail(loader, "fatal: failed to load playback scenario!");
    }
    return true;
}

}  // namespace

bool UploadPlannedContent(DataLoaderBase& loader, const ScenarioSettings& settings,
                          const ContentPlan& plan) {
    // The step check is reported even when a file is missing, so all problems show at once.
    const bool found = ReportFindings(loader, plan.findings, FindingPoint::kFiles);
    if (!ReportFindings(loader, plan.findings, FindingPoint::kSteps) || !found) return false;
    if (!ReportFindings(loader, plan.findings, FindingPoint::kLayout)) {
        ResetLayoutToPattern(loader);
        return false;
    }
    const MemoryLayout& layout = plan.layout;
    ReportSizes(loader, layout);
    if (!IsMemorySufficient(layout.Total()))
        return Fail(loader, "Not enough memory in the device!");
    if (IsPlaybackRunning()) SetPlaybackState(setting::kPlaybackStop);
    SetAudioControl(setting::kAudioOff);
    if (!AssignBlocks(loader, layout) || !UploadContent(loader, settings, plan)) return false;
    loader.ReportInfo("Loaded playback scenario");
    loader.ReportSuccess("Upload succeeded!");
    return true;
}

UploadOutcome UploadScenario(const ScenarioSettings& settings, const ContentPlan& plan) {
    BinaryDataLoader loader;
    const bool uploaded = UploadPlannedContent(loader, settings, plan);
    return {uploaded, uploaded ? std::string() : loader.failure()};
}

bool UploadScenarioContent(DataLoaderBase& loader, ScenarioSettings& settings) {
    return UploadPlannedContent(loader, settings, PlanContent(settings));
}

bool ResetLayoutToPattern(DataLoaderBase& loader) {
    loader.ReportInfo("Resetting memory layout");
    if (!ResetMemoryLayout()) return Fail(loader, "Failed resetting memory layout!");
    if (!SetColorFormat(kPlainRgb)) return Fail(loader, "Failed setting color format!");
    if (!SelectPattern(pattern::kAfterLayoutReset))
        return Fail(loader, "Failed applying pattern second time!");
    if (!ApplySettings()) return Fail(loader, "Failed applying settings!");
    return true;
}

bool SetDefaultMemoryLayout() {
    SetAudioMute(setting::kAudioMuted);
    SetAudioControl(setting::kAudioOff);
    return SetMemoryLayout({kDefaultVideoBlock, 0, 0}) && SetPatternMemoryBlock(0) &&
           SetPlaybackMemoryBlock(1) && SetAudioMemoryBlock(2);
}
