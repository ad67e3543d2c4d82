// The results of a scenario set-up and their texts.
#pragma once

#include <cstdint>
#include <string>

// Result of a scenario set-up.
enum SetupStatus : int32_t {
    kSetupStarted = 0,
    kSetupPlaybackOnFailed = -1,
    kSetupPlaybackOffFailed = -2,
    kSetupResetFailed = -3,  // kept for its message; no operation produces it
    kSetupApplyFailed = -4,
    kSetupColorFormatFailed = -5,
    kSetupTimingsFailed = -6,
    kSetupNoTimings = -7,
    kSetupNotEnoughBandwidth = -8,
    kSetupIndexOutOfRange = -9,
    kSetupUploadFailed = -10,
};

// The text for a SetupStatus code; for the bandwidth failure the set-up's status text
// follows on the next line. Unknown codes give an empty text.
std::string StatusMessage(int32_t code, const std::string& statusText);
