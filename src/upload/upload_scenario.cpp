#include "upload/upload_scenario.h"

#include "device/config_items.h"
#include "device/items.h"
#include "scenario/paths.h"
#include "scenario/selection.h"
#include "upload/audio.h"
#include "upload/frame_sequence.h"
#include "upload/layout_indexes.h"
#include "upload/loader.h"
#include "upload/packets.h"
#include "upload/step_check.h"
#include "upload/wave_reader.h"

namespace {

constexpr uint32_t kBlockAlignment = 12288;
// Video block of the layout a device gets before its first scenario: 160 MiB.
constexpr uint64_t kDefaultVideoBlock = 160u << 20;

std::vector<std::string> SelectedVideoItems(const ScenarioSettings& settings) {
    return IsSelected(settings.video) ? VideoItems(settings.video) : std::vector<std::string>();
}

// Every line is reserved as two parts of 4 and 2 bytes per pixel, each rounded to 1 KiB.
uint32_t FrameReservation(const Timing& timing) {
    return (RoundUp(4 * timing.hactive, 1024) + RoundUp(2 * timing.hactive, 1024)) * timing.vactive;
}

uint64_t AudioDataSize(const std::string& path) {
    if (path.find(".bin") != std::string::npos) {
        const int64_t size = fileSize(path);
        return size < 0 ? 0 : 2 * static_cast<uint64_t>(size);
    }
    WaveReader reader;
    return reader.open(path) ? reader.deviceDataSize() : 0;
}

// Rounded in 64 bits: long multi-channel audio can pass 4 GiB of device data, and a
// 32-bit rounding would wrap it to a far too small block instead of meeting the memory check.
uint64_t AudioBlockSize(uint64_t bytes) {
    return (bytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
}

void ReportMissing(DataLoaderBase& loader, const std::string& path) {
    loader.ReportInfo("File " + fileName(path) + " doesn't exist!");
}

// A sequence that finds no file at all is reported by its own name.
bool CheckSequence(DataLoaderBase& loader, const std::string& path) {
    // A sequence holds only files that exist, so an empty one is the only miss.
    if (CountFileSequence(path) != 0) return true;
    ReportMissing(loader, path);
    return false;
}

bool CheckFilesExist(DataLoaderBase& loader, const ScenarioSettings& settings) {
    bool present = true;
    for (const std::string& item : SelectedVideoItems(settings))
        present &= CheckSequence(loader, item);
    if (IsSelected(settings.audio) && !fileExists(settings.audio)) {
        ReportMissing(loader, settings.audio);
        present = false;
    }
    if (IsSelected(settings.packets)) present &= CheckSequence(loader, settings.packets);
    return present;
}

void ReportSizes(DataLoaderBase& loader, const std::vector<uint64_t>& layout, uint64_t total) {
    uint64_t memory = 0;
    if (!GetMemorySize(memory)) memory = 0;
    const uint64_t packets = layout[layout.size() - 2];
    const uint64_t audio = layout.back();
    loader.ReportInfo("Total memory: " + std::to_string(memory) + " bytes.");
    loader.ReportInfo("Total data size: " + std::to_string(total) + " bytes.");
    loader.ReportInfo("Video data size: " + std::to_string(total - packets - audio) + " bytes.");
    loader.ReportInfo("Packets data size: " + std::to_string(packets) + " bytes.");
    loader.ReportInfo("Audio data size: " + std::to_string(audio) + " bytes.");
}

bool Fail(DataLoaderBase& loader, const char* message) {
    loader.ReportError(message);
    return false;
}

bool AssignBlocks(DataLoaderBase& loader, const std::vector<uint64_t>& layout) {
    if (!SetMemoryLayout(layout)) return Fail(loader, "Memory layout: FAIL!");
    loader.ReportInfo("Memory layout: OK.");
    const uint32_t n = static_cast<uint32_t>(layout.size());
    if (!SetPatternMemoryBlock(0)) {
        return Fail(loader, "Failed setting memory block for pattern generator!");
    }
    if (!SetPlaybackMemoryBlock(n - 2)) {
        return Fail(loader, "Failed setting memory block for playback!");
    }
    if (!SetAudioMemoryBlock(n - 1)) {
        return Fail(loader, "Failed setting memory block for audio generator!");
    }
    return true;
}

bool UploadContent(DataLoaderBase& loader, ScenarioSettings& settings) {
    if (IsSelected(settings.video) && !loader.LoadVideo(settings)) return false;
    if (IsSelected(settings.audio) && !UploadAudio(loader, settings)) return false;
    if (IsSelected(settings.packets) && !UploadPackets(loader, settings)) return false;
    if (!SetPlayingOrder(settings.porder)) {
        return Fail(loader, "fatal: failed to load playback scenario!");
    }
    return true;
}

}  // namespace

uint32_t RoundUp(uint32_t value, uint32_t alignment) {
    if (alignment == 0) return 0;
    const uint32_t sum = value - 1 + alignment;
    return sum - sum % alignment;
}

std::vector<uint64_t> ComputeMemoryBlocks(const ScenarioSettings& settings) {
    std::vector<uint64_t> layout;
    const uint32_t frameBytes = FrameReservation(settings.timing);
    for (const std::string& item : SelectedVideoItems(settings)) {
        layout.push_back(static_cast<uint64_t>(frameBytes) * CountFileSequence(item));
    }
    uint64_t packetBytes = 0;
    PacketSet packets;
    if (IsSelected(settings.packets) && LoadPackets(settings, packets)) {
        std::vector<uint8_t> data;
        if (BuildPacketData(packets, data) != PacketDataStatus::kOk) return {};
        packetBytes = RoundUp(static_cast<uint32_t>(data.size()), kBlockAlignment);
    }
    layout.push_back(packetBytes);
    const uint64_t audioBytes = IsSelected(settings.audio) ? AudioDataSize(settings.audio) : 0;
    layout.push_back(AudioBlockSize(audioBytes));
    return layout;
}

bool UploadScenarioContent(DataLoaderBase& loader, ScenarioSettings& settings) {
    const bool present = CheckFilesExist(loader, settings);
    // The step check runs even when a file is missing, so all problems show at once.
    if (!checkPlayingOrder(loader, settings) || !present) return false;
    const std::vector<uint64_t> layout = ComputeMemoryBlocks(settings);
    if (layout.empty()) {
        ResetLayoutToPattern(loader);
        return false;
    }
    uint64_t total = 0;
    for (uint64_t block : layout) total += block;
    ReportSizes(loader, layout, total);
    if (!IsMemorySufficient(total)) return Fail(loader, "Not enough memory in the device!");
    if (IsPlaybackRunning()) SetPlaybackState(setting::kPlaybackStop);
    SetAudioControl(setting::kAudioOff);
    if (!AssignBlocks(loader, layout) || !UploadContent(loader, settings)) return false;
    loader.ReportInfo("Loaded playback scenario");
    loader.ReportSuccess("Upload succeeded!");
    return true;
}

bool UploadScenario(ScenarioSettings settings) {
    BinaryDataLoader loader;
    return UploadScenarioContent(loader, settings);
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
    SetAudioMute(1);
    SetAudioControl(setting::kAudioOff);
    return SetMemoryLayout({kDefaultVideoBlock, 0, 0}) && SetPatternMemoryBlock(0) &&
           SetPlaybackMemoryBlock(1) && SetAudioMemoryBlock(2);
}
