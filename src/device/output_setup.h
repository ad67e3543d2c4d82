// Preparing the generator's output for a scenario, and returning it to a neutral state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/setup_status.h"
#include "scenario/playlist.h"
#include "scenario/scenario.h"

// Stops playback, shows the loading colour, checks the link, applies timing, colour format,
// scrambling and HDCP, has the content uploaded through UploadCallback() and starts playback.
// `statusText` receives the bandwidth check's text. Logs only warnings: for a setting the
// set-up cannot use (setting_warnings.h), and when the device refuses the scrambling or HDCP
// the scenario asks for; returns a SetupStatus.
// A failed set-up leaves in `failure`, when given, the line that says why: the upload's
// failure, or the first line of the status text.
int32_t startScenario(const std::string& deviceName, const ScenarioSettings& settings,
                      std::string& statusText, std::string* failure = nullptr);

// What the set-up would say of a scenario's timing, link and colour settings on an HDMI or
// DisplayPort output, known without the device: problems (no timings, a link no generator
// carries, settings it cannot use) and notes (the link). On DisplayPort the check against
// the link needs the device, so only the request is noted.
struct SetupNotes {
    std::vector<std::string> problems;
    std::vector<std::string> notes;
};
SetupNotes OutputSetupNotes(const ScenarioSettings& settings, bool hdmi);

// Applies entry `index` with the playlist's `strict`; the bandwidth text goes to the
// playlist's setupMessage. -9 when the index is out of range.
int32_t StartPlaylistScenario(Playlist& playlist, size_t index, std::string* failure = nullptr);

// Stops playback and shows plain black RGB; every result is ignored.
void ResetOutput();
