#include "upload/checks.h"

#include <map>

#include "files/paths.h"
#include "scenario/scenario.h"
#include "scenario/selection.h"
#include "upload/audio.h"
#include "upload/layout_indexes.h"
#include "upload/video.h"
#include "upload/wave_reader.h"

namespace {

constexpr uint32_t kBlockAlignment = 12288;

std::string MissingLine(const std::string& path) {
    return "File " + fileName(path) + " doesn't exist!";
}

// Every line is reserved as two parts of 4 and 2 bytes per pixel, each rounded to 1 KiB.
uint32_t FrameReservation(const Timing& timing) {
    return (RoundUp(4 * timing.hactive, 1024) + RoundUp(2 * timing.hactive, 1024)) * timing.vactive;
}

// Sized by the same extension rule the audio reader uses.
uint64_t AudioDataSize(const std::string& path) {
    switch (AudioFileKindOf(path)) {
        case AudioFileKind::kRaw: {
            const int64_t size = fileSize(path);
            return size < 0 ? 0 : 2 * static_cast<uint64_t>(size);
        }
        case AudioFileKind::kWave: {
            WaveReader reader;
            return reader.open(path) ? reader.deviceDataSize() : 0;
        }
        case AudioFileKind::kUnknown:
            break;
    }
    return 0;
}

// Rounded in 64 bits: long multi-channel audio can pass 4 GiB of device data, and a
// 32-bit rounding would wrap it to a far too small block instead of meeting the memory check.
uint64_t AudioBlockSize(uint64_t bytes) {
    return (bytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
}

// Frames of an item that share a problem (a colour space without a pixel format code,
// say) make one problem: the first is named, the others counted.
std::vector<std::string> ItemFrameProblems(const std::vector<SequenceFile>& frames,
                                           const FormatTable& formats,
                                           const ScenarioSettings& settings) {
    std::vector<std::string> problems;
    std::vector<size_t> alike;
    std::map<std::string, size_t> entries;
    for (const SequenceFile& file : frames) {
        // The upload opens the file when it reads it; here the open is tried directly.
        const SequenceFile opened{file.path, file.size < 0 ? -1 : fileSize(file.path)};
        std::string problem = CheckFrame(opened, FormatOf(formats, fileName(file.path)), settings);
        if (problem.empty()) continue;
        const auto [entry, first] = entries.emplace(problem, problems.size());
        if (!first) {
            ++alike[entry->second];
            continue;
        }
        problems.push_back(problem + "\n" + FailedToLoad(file.path));
        alike.push_back(0);
    }
    for (size_t i = 0; i < problems.size(); ++i) {
        if (alike[i] != 0) {
            // Appended piece by piece: GCC 12 at -O3 takes "\n" + string for an overlapping copy.
            problems[i] += '\n';
            problems[i] += std::to_string(alike[i]) + " more frame(s) with this problem";
        }
    }
    return problems;
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

std::vector<std::string> MissingFileLines(const ScenarioSettings& settings,
                                          const ScenarioFiles& files) {
    // A sequence holds only files that exist, so an empty one is the only miss; it is
    // reported by the first file it looked for.
    std::vector<std::string> lines;
    for (size_t i = 0; i < files.videoItems.size(); ++i) {
        if (files.frames[i].empty()) {
            lines.push_back(MissingLine(FirstSequenceFile(files.videoItems[i])));
        }
    }
    if (IsSelected(settings.audio) && !fileExists(settings.audio)) {
        lines.push_back(MissingLine(settings.audio));
    }
    if (IsSelected(settings.packets) && files.packets.empty()) {
        lines.push_back(MissingLine(FirstSequenceFile(settings.packets)));
    }
    return lines;
}

StepCheck CheckSteps(const ScenarioSettings& settings, const ScenarioFiles& files) {
    return CheckPlayingOrderSteps(settings, files.FrameCount(),
                                  static_cast<uint32_t>(files.packets.size()));
}

bool checkPlayingOrder(DataLoaderBase& loader, const ScenarioSettings& settings) {
    return ReportStepCheck(loader, CheckSteps(settings, FindScenarioFiles(settings)));
}

std::vector<std::string> FrameProblems(const ScenarioSettings& settings,
                                       const ScenarioFiles& files) {
    std::vector<std::string> problems;
    const FormatTable formats = VideoFormatTable(files.videoItems);
    for (size_t i = 0; i < files.videoItems.size(); ++i) {
        if (!IsBinaryImagePath(files.videoItems[i])) {
            problems.push_back(kNotBinaryImage);
            continue;
        }
        for (std::string& problem : ItemFrameProblems(files.frames[i], formats, settings)) {
            problems.push_back(std::move(problem));
        }
    }
    return problems;
}

uint32_t RoundUp(uint32_t value, uint32_t alignment) {
    if (alignment == 0) return 0;
    const uint32_t sum = value - 1 + alignment;
    return sum - sum % alignment;
}

std::vector<uint64_t> ComputeMemoryBlocks(const ScenarioSettings& settings,
                                          const ScenarioFiles& files,
                                          const PacketContent& packets) {
    std::vector<uint64_t> layout;
    const uint32_t frameBytes = FrameReservation(settings.timing);
    for (const std::vector<SequenceFile>& item : files.frames) {
        layout.push_back(static_cast<uint64_t>(frameBytes) * item.size());
    }
    uint64_t packetBytes = 0;
    if (packets.loaded) {
        if (packets.status != PacketDataStatus::kOk) return {};
        packetBytes = RoundUp(static_cast<uint32_t>(packets.data.size()), kBlockAlignment);
    }
    layout.push_back(packetBytes);
    const uint64_t audioBytes = IsSelected(settings.audio) ? AudioDataSize(settings.audio) : 0;
    layout.push_back(AudioBlockSize(audioBytes));
    return layout;
}

std::vector<uint64_t> ComputeMemoryBlocks(const ScenarioSettings& settings) {
    const ScenarioFiles files = FindScenarioFiles(settings);
    return ComputeMemoryBlocks(settings, files, PrepareScenarioPackets(settings, files));
}

PacketContent PrepareScenarioPackets(const ScenarioSettings& settings, const ScenarioFiles& files) {
    if (!IsSelected(settings.packets)) return {};
    return PreparePackets(settings, files.packets);
}

std::vector<std::string> DataSizeLines(const std::vector<uint64_t>& layout) {
    uint64_t total = 0;
    for (uint64_t block : layout) total += block;
    const uint64_t packets = layout[layout.size() - 2];
    const uint64_t audio = layout.back();
    return {"Total data size: " + std::to_string(total) + " bytes.",
            "Video data size: " + std::to_string(total - packets - audio) + " bytes.",
            "Packets data size: " + std::to_string(packets) + " bytes.",
            "Audio data size: " + std::to_string(audio) + " bytes."};
}
