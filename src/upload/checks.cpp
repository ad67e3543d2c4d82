#include "upload/checks.h"

#include <map>

#include "files/paths.h"
#include "files/text.h"
#include "scenario/scenario.h"
#include "scenario/selection.h"
#include "upload/video.h"

namespace {

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

// A problem that begins with its file's name is alike for every file without that name.
std::string AlikeKey(const std::string& problem, const std::string& path) {
    const std::string named = fileName(path) + ": ";
    return problem.rfind(named, 0) == 0 ? problem.substr(named.size()) : problem;
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
        const auto [entry, first] = entries.emplace(AlikeKey(problem, file.path), problems.size());
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

bool checkPlayingOrder(DataLoaderBase& loader, const ScenarioSettings& settings,
                       const ScenarioFiles& files) {
    return ReportStepCheck(loader, CheckSteps(settings, files));
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

PacketContent PrepareScenarioPackets(const ScenarioSettings& settings, const ScenarioFiles& files) {
    if (!IsSelected(settings.packets)) return {};
    return PreparePackets(settings, files.packets);
}
