#include "device/playback.h"

#include "device/config_items.h"
#include "device/items.h"
#include "device/output_setup.h"
#include "log/logger.h"

namespace {

const char* FixedStatusMessage(int32_t code) {
    switch (code) {
        case kSetupStarted:
            return "Starting the scenario play.";
        case kSetupPlaybackOnFailed:
            return "Couldn't turn on playback!";
        case kSetupPlaybackOffFailed:
            return "Couldn't turn off playback!";
        case kSetupResetFailed:
            return "Couldn't reset playback scenarios!";
        case kSetupApplyFailed:
            return "Couldn't apply settings!";
        case kSetupColorFormatFailed:
            return "Couldn't apply provided color format!";
        case kSetupTimingsFailed:
            return "Couldn't apply provided timings!";
        case kSetupNoTimings:
            return "No timings specified in the scenario!";
        case kSetupIndexOutOfRange:
            return "Specified scenario index is out of range!";
        case kSetupUploadFailed:
            return "Error happened during upload.";
        default:
            return "";
    }
}

}  // namespace

std::string StatusMessage(int32_t code, const std::string& statusText) {
    if (code == kSetupNotEnoughBandwidth) {
        return "Not enough bandwidth for specified timings!\n" + statusText;
    }
    return FixedStatusMessage(code);
}

bool StartPlayback() {
    // Results ignored: only the playback state decides whether playback started.
    SelectPattern(pattern::kSolidColor);
    ApplySettings();
    SelectPattern(pattern::kPlayback);
    ApplySettings();
    const bool ok = SetPlaybackState(setting::kPlaybackPlayOnly);
    Logger::instance().log("Playback started: %s", ok ? "Success" : "Fail");
    return ok;
}
