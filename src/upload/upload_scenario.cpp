#include "upload/upload_scenario.h"

#include "device/config_items.h"
#include "device/items.h"
#include "device/upload_callback.h"
#include "scenario/selection.h"
#include "upload/audio.h"
#include "upload/checks.h"
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

bool UploadContent(DataLoaderBase& loader, ScenarioSettings& settings, const ScenarioFiles& files,
                   PacketContent& packets, const MemoryLayout& layout) {
    if (IsSelected(settings.video)) {
        loader.UseFrames(&files);
        const bool loaded = loader.LoadVideo(settings);
        loader.UseFrames(nullptr);
        if (!loaded) return false;
    }
    if (IsSelected(settings.audio) && !UploadAudio(loader, settings, layout)) return false;
    if (IsSelected(settings.packets) && !UploadPackets(loader, settings, packets, layout)) {
        return false;
    }
    if (!SetPlayingOrder(settings.porder)) {
        return Fail(loader, "fatal: failed to load playback scenario!");
    }
    return true;
}

}  // namespace

bool UploadScenarioContent(DataLoaderBase& loader, ScenarioSettings& settings) {
    const ScenarioFiles files = FindScenarioFiles(settings);
    const std::vector<std::string> missing = MissingFileLines(settings, files);
    for (const std::string& line : missing) loader.ReportInfo(line);
    if (!missing.empty()) loader.SetFailure(missing.front());
    // The step check runs even when a file is missing, so all problems show at once.
    if (!checkPlayingOrder(loader, settings, files) || !missing.empty()) return false;
    PacketContent packets = PrepareScenarioPackets(settings, files);
    const MemoryLayout layout = ComputeMemoryBlocks(settings, files, packets);
    if (layout.empty()) {
        ReportPacketProblem(loader, packets);  // the limit the packet data is over
        ResetLayoutToPattern(loader);
        return false;
    }
    ReportSizes(loader, layout);
    if (!IsMemorySufficient(layout.Total()))
        return Fail(loader, "Not enough memory in the device!");
    if (IsPlaybackRunning()) SetPlaybackState(setting::kPlaybackStop);
    SetAudioControl(setting::kAudioOff);
    if (!AssignBlocks(loader, layout) || !UploadContent(loader, settings, files, packets, layout)) {
        return false;
    }
    loader.ReportInfo("Loaded playback scenario");
    loader.ReportSuccess("Upload succeeded!");
    return true;
}

UploadOutcome UploadScenario(ScenarioSettings settings) {
    BinaryDataLoader loader;
    const bool uploaded = UploadScenarioContent(loader, settings);
    return {uploaded, uploaded ? std::string() : loader.failure()};
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
