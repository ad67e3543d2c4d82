// Preparing the generator's output for a scenario, and returning it to a neutral state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/setup_plan.h"
#include "device/setup_status.h"
#include "device/upload_callback.h"
#include "scenario/playlist.h"
#include "scenario/scenario.h"

// Stops playback, shows the loading colour, checks the link, applies timing, colour format,
// scrambling and HDCP, has `content` uploaded through UploadCallback() and starts playback,
// carrying out what `setup` decided. `statusText` receives the bandwidth check's text. Logs
// only warnings: the set-up's findings at their points, and when the device refuses the
// scrambling or HDCP the scenario asks for; returns a SetupStatus. A failed set-up leaves
// in `failure`, when given, the line that says why: the upload's failure, or the first line
// of the status text.
int32_t startScenario(const std::string& deviceName, const SetupPlan& setup,
                      const ContentPlan& content, std::string& statusText,
                      std::string* failure = nullptr);

// Applies entry `index`, planned as EntrySettings gives it; the bandwidth text goes to the
// playlist's setupMessage. -9 when the index is out of range.
int32_t StartPlaylistScenario(Playlist& playlist, size_t index, const SetupPlan& setup,
                              const ContentPlan& content, std::string* failure = nullptr);

// Stops playback and shows plain black RGB; every result is ignored.
void ResetOutput();
