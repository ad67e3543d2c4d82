#include "device/setup_status.h"

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
