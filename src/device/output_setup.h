// Preparing the generator's output for a scenario, and returning it to a neutral state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/playlist.h"
#include "scenario/scenario.h"

// Result of a scenario set-up; StatusMessage (device/playback.h) gives its text.
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

// Stops playback, shows the loading colour, checks the link, applies timing, colour format,
// scrambling and HDCP, has the content uploaded through UploadCallback() and starts playback.
// `statusText` receives the bandwidth check's text. Logs only a warning when the device
// refuses the scrambling or HDCP the scenario asks for; returns a SetupStatus.
int32_t startScenario(const std::string& deviceName, ScenarioSettings settings,
                      std::string& statusText);

// Applies entry `index` with the playlist's `strict`; the bandwidth text goes to the
// playlist's setupMessage. -9 when the index is out of range.
int32_t StartPlaylistScenario(Playlist& playlist, size_t index);

// "R,G,B" as the 64-bit value of the solid colour item (two little-endian 32-bit words),
// converted to Cr/Y/Cb when `colorSpace` names YUV (MentionsYuv). False unless there are three
// parts.
bool ParseColorValue(const std::string& text, const std::string& colorSpace, uint64_t& value);

// Pieces between separators; empty pieces are dropped, and a trailing ";" is cut off a piece
// (which then stays even when empty).
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// Stops playback and shows plain black RGB; every result is ignored.
void ResetOutput();

// Resets the device and opens it again as the playlist names it.
bool ReopenDevice(const Playlist& playlist);
