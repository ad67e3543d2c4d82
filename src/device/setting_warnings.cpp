#include "device/setting_warnings.h"

#include "device/color_value.h"
#include "format/color_format.h"
#include "scenario/read_error.h"
#include "scenario/scenario.h"

std::string LoadingColorWarning(const ScenarioSettings& settings) {
    uint64_t color = 0;
    if (ParseColorValue(settings.loadingRGB, settings.colorspace, color)) return {};
    return "WARNING: the loading colour '" + ShownValue(settings.loadingRGB) +
           "' is not R,G,B: it is not shown.";
}

std::string ColorSpaceWarning(const ScenarioSettings& settings) {
    if (settings.colorspace.empty() || ParseColorSpace(settings.colorspace) != ColorSpace::kOther) {
        return {};
    }
    return "WARNING: unknown colour space '" + ShownValue(settings.colorspace) +
           "': the device gets its default, RGB444.";
}

std::string DepthWarning(const ScenarioSettings& settings) {
    // 0 is what a scenario without the key holds.
    const uint32_t bits = settings.bitspercolor;
    if (bits == 0 || ColorFormatOf(settings.colorspace, bits).depth != ColorDepth::kOther)
        return {};
    return "WARNING: unsupported bits per colour " + std::to_string(bits) +
           ": the device runs at 6 bits.";
}

std::vector<std::string> UnusableSettingWarnings(const ScenarioSettings& settings) {
    std::vector<std::string> warnings;
    for (std::string warning :
         {LoadingColorWarning(settings), ColorSpaceWarning(settings), DepthWarning(settings)}) {
        if (!warning.empty()) warnings.push_back(std::move(warning));
    }
    return warnings;
}
