#include "scenario_output.h"

#include <filesystem>

#include "files/paths.h"

namespace {

// The frame's path as the scenario file names it: relative to the scenario's folder.
std::string VideoPath(const std::string& frame, const std::string& scenarioPath) {
    namespace fs = std::filesystem;
    const fs::path target = fs::absolute(fs::path(nativePath(frame))).lexically_normal();
    const fs::path folder = fs::absolute(fs::path(nativePath(scenarioPath))).parent_path();
    return target.lexically_proximate(folder.lexically_normal()).generic_string();
}

std::string Line(const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\n";
}

}  // namespace

std::string FramesScenarioText(const FramesScenario& scenario, const std::string& scenarioPath) {
    const Timing& t = scenario.timing;
    const std::string code = std::to_string(scenario.format.StepCode());
    const std::string frames =
        scenario.frames > 1 ? "0-" + std::to_string(scenario.frames - 1) : "0";
    return Line("video", VideoPath(scenario.firstFrame, scenarioPath)) +
           Line("colorspace", scenario.colorspace) +
           Line("bitspercolor", std::to_string(scenario.format.BitsPerComponent())) +
           Line("timing.hactive", std::to_string(t.hactive)) +
           Line("timing.vactive", std::to_string(t.vactive)) +
           Line("timing.htotal", std::to_string(t.htotal)) +
           Line("timing.vtotal", std::to_string(t.vtotal)) +
           Line("timing.hstart", std::to_string(t.hstart)) +
           Line("timing.vstart", std::to_string(t.vstart)) +
           Line("timing.hsync", std::to_string(t.hsync)) +
           Line("timing.vsync", std::to_string(t.vsync)) +
           Line("timing.frate", std::to_string(t.frate)) + Line("porder", frames + ":1::" + code);
}
